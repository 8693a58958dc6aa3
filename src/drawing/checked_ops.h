// Drawing calls that refuse inf and NaN: a coordinate that is not a finite single is a fault.
#pragma once

#include <string>

#include "drawing_target.h"
#include "faults.h"

namespace tavro {

inline void segment(DrawingTarget& t, double x1, double y1, double x2, double y2, Rgb colour) {
    t.line(single(x1), single(y1), single(x2), single(y2), colour);
}

inline void arc(DrawingTarget& t, double x, double y, double radius, Rgb colour, double start,
                double end) {
    t.circle(single(x), single(y), single(radius), colour, single(start), single(end));
}

inline void printAt(DrawingTarget& t, double x, double y, const std::string& text) {
    t.setCurrentX(single(x));
    t.setCurrentY(single(y));
    t.print(text);
}

}  // namespace tavro
