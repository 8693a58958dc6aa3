// Pieces of the nozzle drawing shared by Rebuilder and the template's page planning.
#pragma once

#include "design_state.h"
#include "drawing_target.h"

namespace tavro {

// Point sizes as multiples of the sheet's font: the title's, and the scale legend's, at which
// the note is printed as well.
constexpr double kTitleFactor = 1.75;
constexpr double kLegendFactor = 1.5;

// The axis (dash-dot, overshooting the nozzle by a quarter of EntryY at both ends), the
// diffuser's dimension line and the throat line, in grey, at AxisX and EntryY of the state.
// Faults are thrown, not reported.
void drawAxisLines(DrawingTarget& target, const DesignState& state, double scale);

// The wall contour at AxisX and EntryY, both sides; faults are thrown, not reported.
void drawContour(DrawingTarget& target, const DesignState& state, float scale);

}  // namespace tavro
