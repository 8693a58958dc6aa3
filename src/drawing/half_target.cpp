// A half-profile template: the drawing cut along its axis, one wall kept for the user to mirror.
#include "half_target.h"

#include <algorithm>
#include <cmath>

#include "pi.h"

namespace tavro {

void HalfTarget::segment(double x1, double y1, double x2, double y2, Rgb colour) {
    if (x1 < axisX_ && x2 < axisX_) return;
    // A line along the axis itself (the centre line) is kept whole.
    if (x1 < axisX_ || x2 < axisX_) {
        const double t = (axisX_ - x1) / (x2 - x1);
        const double y = y1 + t * (y2 - y1);
        if (x1 < axisX_) {
            x1 = axisX_;
            y1 = y;
        } else {
            x2 = axisX_;
            y2 = y;
        }
    }
    t_.line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
            static_cast<float>(y2), colour, false);
}

void HalfTarget::line(float x1, float y1, float x2, float y2, Rgb colour, bool box) {
    if (!box) {
        segment(x1, y1, x2, y2, colour);
        return;
    }
    segment(x1, y1, x2, y1, colour);
    segment(x2, y1, x2, y2, colour);
    segment(x2, y2, x1, y2, colour);
    segment(x1, y2, x1, y1, colour);
}

void HalfTarget::circle(float x, float y, float radius, Rgb colour, float start, float end) {
    // Judged by the arc's middle: the template's arcs never reach across the axis.
    double span = static_cast<double>(end) - start;
    if (span < 0) span += 2 * kPi;
    if (x + radius * std::cos(start + span / 2) < axisX_) return;
    t_.circle(x, y, radius, colour, start, end);
}

}  // namespace tavro
