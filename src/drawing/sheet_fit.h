// Fitting the nozzle drawing on its sheet: a scale at which nothing drawn leaves the sheet or
// runs into what must stay clear, and text sizes that fit the sheet's width.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "drawing_target.h"

namespace tavro {

// A rectangle in sheet units.
struct Box {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// A straight stroke in sheet units.
struct Segment {
    double x1, y1, x2, y2;
};

// Whether some part of the segment lies inside the box (the segment clipped to the box's four
// sides, after Liang and Barsky, keeps a piece).
bool segmentMeetsBox(const Segment& s, const Box& b);

// Draws everything whose place depends on the scale; may throw CalcFault.
using ScaledDrawing = std::function<void(DrawingTarget& target, float scale)>;
// The boxes the drawing must keep clear of at a scale (on paper the legend and the note).
using ClearBoxes = std::function<std::vector<Box>(float scale)>;

// The sheet the drawing must stay on: its extent and the margin kept from its edges.
struct SheetArea {
    double width = 0, height = 0, margin = 0;
    // How far a stroke's ink reaches beside its line, per unit of its draw width: on screen a
    // thick stroke must keep the margin with its edge, not only its middle.
    double inkPerWidth = 0;
};

// The given scale when the drawing made at it stays on the sheet and clear of the boxes;
// otherwise the largest smaller scale at which it does. The drawing is made on a stand-in that
// only notes where strokes and texts go; texts are measured on the sheet without changing it.
// Where no scale down to a quarter of the given one fits, or the drawing faults (its builder
// reports that when it really draws), the given scale is kept.
float fitScale(DrawingTarget& sheet, float scale, const SheetArea& area, const ScaledDrawing& draw,
               const ClearBoxes& clear);

// The point size, at most points, at which the text is no wider than width.
double fittingPoints(DrawingTarget& sheet, const std::string& text, double points, double width);

}  // namespace tavro
