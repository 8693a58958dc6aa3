// The builders' drawing without their error reports, for callers that handle faults themselves.
#pragma once

#include "design_state.h"
#include "drawing_target.h"
#include "output_mode.h"

namespace tavro {

// The grey outline of the blank, as BodyBuilder draws it; throws CalcFault.
void drawBody(DrawingTarget& target, double length, double exitRadius, double entryRadius,
              double axisX, double entryY, double scale);

// The contour and, where the output has them, its dimensions, as NozzleBuilder draws them;
// throws CalcFault.
void drawNozzle(DrawingTarget& target, const DesignState& state, float scale, OutputMode mode,
                int width, char decimalSeparator);

}  // namespace tavro
