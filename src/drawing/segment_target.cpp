// A drawing target that draws nothing: it notes where strokes and texts would go.
#include "segment_target.h"

#include <cmath>

#include "pi.h"

namespace tavro {
namespace {

// Chords of under 6 degrees keep within 0.13 % of the radius of their arc.
constexpr int kChordsPerCircle = 64;

}  // namespace

SegmentTarget::SegmentTarget(DrawingTarget& sheet, double width, double height,
                             MeasuredTexts& measured)
    : sheet_(&sheet),
      measured_(&measured),
      width_(width),
      height_(height),
      points_(sheet.fontSize()) {}

void SegmentTarget::line(float x1, float y1, float x2, float y2, Rgb, bool box) {
    if (!box) {
        stroke({x1, y1, x2, y2});
        return;
    }
    stroke({x1, y1, x2, y1});
    stroke({x2, y1, x2, y2});
    stroke({x2, y2, x1, y2});
    stroke({x1, y2, x1, y1});
}

void SegmentTarget::circle(float x, float y, float radius, Rgb, float start, float end) {
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

void SegmentTarget::print(const std::string& text) {
    const TextExtent e = measure(text);
    texts.push_back({x_, y_, x_ + e.width, y_ + e.height});
    x_ = 0;
    y_ += e.height;
}

TextExtent SegmentTarget::measureText(const std::string& text, double points) {
    if (!sheet_) return {};
    const auto key = std::make_pair(text, points);
    const auto found = measured_->find(key);
    if (found != measured_->end()) return found->second;
    return (*measured_)[key] = sheet_->measureText(text, points);
}

}  // namespace tavro
