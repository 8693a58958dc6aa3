// The flow passage as an exact STEP solid, made with Open CASCADE.
#pragma once

#include <string>

#include "contour.h"

namespace tavro {

// ISO 10303-21 AP214 in mm: the upper wall revolved about Z, the entrance at Z = 0; the cone a
// line, the fillets circles, the supersonic piece its exact quadratic as a degree-2 B-spline.
// The product is named after the (ASCII) title. Empty when Open CASCADE cannot make the solid.
std::string contourStep(const Contour& contour, const std::string& asciiTitle);

}  // namespace tavro
