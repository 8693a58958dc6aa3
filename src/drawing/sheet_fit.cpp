// Fitting the nozzle drawing on its sheet: a scale at which nothing drawn leaves the sheet or
// runs into what must stay clear, and text sizes that fit the sheet's width.
#include "sheet_fit.h"

#include <cmath>
#include <map>
#include <utility>

#include "faults.h"
#include "segment_target.h"

namespace tavro {
namespace {

// The fitted scale is found to this fraction of itself.
constexpr double kScalePrecision = 1e-5;

bool contains(const Box& b, double x, double y) {
    return x >= b.left && x <= b.right && y >= b.top && y <= b.bottom;
}

bool overlaps(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool covered(const SegmentTarget& c, const Box& inside, double inkPerWidth,
             const std::vector<Box>& clear) {
    for (size_t i = 0; i < c.strokes.size(); ++i) {
        const Segment& s = c.strokes[i];
        const double r = inkPerWidth * c.widths[i];
        const Box ink{inside.left + r, inside.top + r, inside.right - r, inside.bottom - r};
        if (!contains(ink, s.x1, s.y1) || !contains(ink, s.x2, s.y2)) return false;
        for (const Box& b : clear)
            if (segmentMeetsBox(s, b)) return false;
    }
    for (const Box& t : c.texts) {
        if (!contains(inside, t.left, t.top) || !contains(inside, t.right, t.bottom)) return false;
        for (const Box& b : clear)
            if (overlaps(t, b)) return false;
    }
    return true;
}

}  // namespace

bool segmentMeetsBox(const Segment& s, const Box& b) {
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    double t0 = 0, t1 = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {s.x1 - b.left, b.right - s.x1, s.y1 - b.top, b.bottom - s.y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    return true;
}

float fitScale(DrawingTarget& sheet, float scale, const SheetArea& area, const ScaledDrawing& draw,
               const ClearBoxes& clear) {
    const Box inside{area.margin, area.margin, area.width - area.margin, area.height - area.margin};
    MeasuredTexts measured;
    // A fault is the builders' to report when they really draw; here it only means no fit.
    const auto fits = [&](float s) {
        SegmentTarget stand(sheet, area.width, area.height, measured);
        std::vector<Box> keepClear;
        try {
            draw(stand, s);
            keepClear = clear(s);
        } catch (const CalcFault&) {
            return false;
        }
        return covered(stand, inside, area.inkPerWidth, keepClear);
    };
    if (!(scale > 0) || fits(scale)) return scale;

    // Nozzles need at most about half their usual scale. A drawing that does not fit at a
    // quarter of it is no nozzle a sheet can show (results that do not belong to the inputs,
    // a sheet smaller than its labels); it keeps the usual scale.
    float lo = scale, hi = scale;
    do {
        hi = lo;
        lo /= 2;
        if (lo < scale / 4) return scale;
    } while (!fits(lo));
    while (hi - lo > hi * kScalePrecision) {
        const float mid = lo + (hi - lo) / 2;
        if (mid <= lo || mid >= hi) break;
        (fits(mid) ? lo : hi) = mid;
    }
    return lo;
}

double fittingPoints(DrawingTarget& sheet, const std::string& text, double points, double width) {
    const double wide = sheet.measureText(text, points).width;
    if (wide <= width || !(width > 0)) return points;
    // Widths grow about in proportion to the size; the last steps make up for rounding.
    double p = points * width / wide;
    for (int i = 0; i < 64 && sheet.measureText(text, p).width > width; ++i) p *= 0.98;
    return p;
}

}  // namespace tavro
