// Fitting the nozzle drawing on its sheet: a scale at which nothing drawn leaves the sheet or
// runs into what must stay clear, and text sizes that fit the sheet's width.
#include "sheet_fit.h"

#include <cmath>
#include <map>
#include <utility>

#include "faults.h"

namespace tavro {
namespace {

constexpr double kPi = 3.14159265358979323846;
// An arc is followed by chords of under 6 degrees, which keep within 0.13 % of its radius
// of it: a fraction of the margin kept from the sheet's edges.
constexpr int kChordsPerCircle = 64;
// The fitted scale is found to this fraction of itself.
constexpr double kScalePrecision = 1e-5;

// What a drawing covers: its strokes as segments (with how far their ink reaches beside them)
// and its texts as boxes.
struct Cover {
    std::vector<Segment> strokes;
    std::vector<double> reach;
    std::vector<Box> texts;
};

using Measured = std::map<std::pair<std::string, double>, TextExtent>;

// A target that draws nothing: it notes where each stroke and text would go.
class CoverTarget : public DrawingTarget {
  public:
    CoverTarget(DrawingTarget& sheet, const SheetArea& area, Measured& measured, Cover& cover)
        : sheet_(sheet),
          area_(area),
          measured_(measured),
          cover_(cover),
          points_(sheet.fontSize()),
          reach_(area.inkPerWidth) {}  // a new target draws one unit wide

    void setScaleMode(int) override {}
    float scaleWidth() override { return static_cast<float>(area_.width); }
    float scaleHeight() override { return static_cast<float>(area_.height); }
    void cls() override { x_ = y_ = 0; }
    void setBackColor(Rgb) override { cls(); }
    void setForeColor(Rgb) override {}
    void setDrawWidth(int width) override { reach_ = area_.inkPerWidth * width; }
    void setDrawStyle(int) override {}
    void line(float x1, float y1, float x2, float y2, Rgb, bool box) override {
        if (!box) {
            stroke({x1, y1, x2, y2});
            return;
        }
        stroke({x1, y1, x2, y1});
        stroke({x2, y1, x2, y2});
        stroke({x2, y2, x1, y2});
        stroke({x1, y2, x1, y1});
    }
    void circle(float x, float y, float radius, Rgb, float start, float end) override {
        double span = static_cast<double>(end) - start;
        if (span < 0) span += 2 * kPi;
        if (!(radius > 0) || span == 0) return;
        const int chords = 1 + static_cast<int>(span / (2 * kPi) * kChordsPerCircle);
        double px = x + radius * std::cos(start), py = y - radius * std::sin(start);
        for (int i = 1; i <= chords; ++i) {
            const double a = start + span * i / chords;
            const double qx = x + radius * std::cos(a), qy = y - radius * std::sin(a);
            stroke({px, py, qx, qy});
            px = qx;
            py = qy;
        }
    }
    void setCurrentX(float x) override { x_ = x; }
    void setCurrentY(float y) override { y_ = y; }
    void print(const std::string& text) override {
        const TextExtent e = measure(text);
        cover_.texts.push_back({x_, y_, x_ + e.width, y_ + e.height});
        x_ = 0;
        y_ += e.height;
    }
    float textWidth(const std::string& text) override { return measure(text).width; }
    float textHeight(const std::string& text) override { return measure(text).height; }
    TextExtent measureText(const std::string& text, double points) override {
        const auto key = std::make_pair(text, points);
        const auto found = measured_.find(key);
        if (found != measured_.end()) return found->second;
        return measured_[key] = sheet_.measureText(text, points);
    }
    double fontSize() override { return points_; }
    void setFontSize(double points) override { points_ = points; }
    void endDoc() override {}
    void setOrigin(float, float) override {}
    void newPage() override {}

  private:
    TextExtent measure(const std::string& text) { return measureText(text, points_); }
    void stroke(const Segment& s) {
        cover_.strokes.push_back(s);
        cover_.reach.push_back(reach_);
    }

    DrawingTarget& sheet_;
    const SheetArea& area_;
    Measured& measured_;
    Cover& cover_;
    double points_;
    double x_ = 0, y_ = 0;
    double reach_;
};

bool contains(const Box& b, double x, double y) {
    return x >= b.left && x <= b.right && y >= b.top && y <= b.bottom;
}

bool overlaps(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool covered(const Cover& c, const Box& inside, const std::vector<Box>& clear) {
    for (size_t i = 0; i < c.strokes.size(); ++i) {
        const Segment& s = c.strokes[i];
        const double r = c.reach[i];
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
    Measured measured;
    // A fault is the builders' to report when they really draw; here it only means no fit.
    const auto fits = [&](float s) {
        Cover cover;
        CoverTarget stand(sheet, area, measured, cover);
        std::vector<Box> keepClear;
        try {
            draw(stand, s);
            keepClear = clear(s);
        } catch (const CalcFault&) {
            return false;
        }
        return covered(cover, inside, keepClear);
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
