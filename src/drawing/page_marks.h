// What paper carries besides the nozzle: crop crosses, page names, calibration and scale bars.
#pragma once

#include <vector>

#include "drawing_target.h"
#include "template_plan.h"

namespace tavro {

// Draws the marks of one page in black; bars and crosses with lines of the given width, as
// fine as the contour they are measured against.
void drawPageMarks(DrawingTarget& target, const std::vector<PageMark>& marks, int lineWidth);

// The longest round length in whole millimetres (1, 2, 5, 10, 20, 50 ...) that is drawn no
// longer than limit at the scale; at least 1.
int scaleBarLength(double scale, double limit);

// The printed drawing's scale bar at the sheet's bottom-left corner: a round length at the
// drawing's scale, captioned with that length ("20 мм").
void drawScaleBar(DrawingTarget& target, double scale);

}  // namespace tavro
