// The flow passage as an exact STEP solid, made by the STEP module with Open CASCADE.
#pragma once

#include <string>

#include "contour.h"

namespace tavro {

// ISO 10303-21 AP214 in mm: the upper wall revolved about Z, the entrance at Z = 0; the cone a
// line, the fillets circles, the supersonic piece its exact quadratic as a degree-2 B-spline.
// The product is named after the (ASCII) title. The module is loaded on the first call; empty
// when it cannot be loaded (why tells so) or cannot make the solid.
std::string contourStep(const Contour& contour, const std::string& asciiTitle,
                        std::string* why = nullptr);

}  // namespace tavro
