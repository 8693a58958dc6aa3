// The workshop files of the contour (DXF, SVG, STL, STEP, station table) written to disk safely.
#pragma once

#include <string>

#include "design_state.h"
#include "workshop_formats.h"

namespace tavro {

enum class ContourSave {
    Saved,
    OffDesign,  // the design has no contour that can be made: nothing was written
    Failed,     // the write failed; the previous file, if any, is as it was
};

// Makes the file of the design's contour in memory and replaces the file at path with it.
// The station table has a row every step mm and numbers with the given decimal separator.
// On a failure why tells the system's reason.
ContourSave SaveContourFile(const std::string& path, const WorkshopFormat& format,
                            const DesignState& design, char decimalSeparator, double step,
                            std::string* why);

}  // namespace tavro
