// A drawing target that draws nothing: it notes where strokes and texts would go.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "drawing_target.h"
#include "sheet_fit.h"

namespace tavro {

// Text extents already asked of a sheet, by text and point size.
using MeasuredTexts = std::map<std::pair<std::string, double>, TextExtent>;

// Takes down every stroke as segments (a box as its four sides, an arc as chords that keep
// within 0.13 % of its radius of it) and every printed text as the box it would fill. Texts are
// measured on the given sheet, at its font size to begin with, without drawing on it; without a
// sheet they fill nothing. scaleWidth and scaleHeight answer the given extent.
class SegmentTarget : public DrawingTarget {
  public:
    SegmentTarget() = default;
    SegmentTarget(DrawingTarget& sheet, double width, double height, MeasuredTexts& measured);

    std::vector<Segment> strokes;
    std::vector<int> widths;  // the drawing width of each stroke
    std::vector<Box> texts;

    void setScaleMode(int) override {}
    float scaleWidth() override { return static_cast<float>(width_); }
    float scaleHeight() override { return static_cast<float>(height_); }
    void cls() override { x_ = y_ = 0; }
    void setBackColor(Rgb) override { cls(); }
    void setForeColor(Rgb) override {}
    void setDrawWidth(int width) override { drawWidth_ = width; }
    void setDrawStyle(int) override {}
    void line(float x1, float y1, float x2, float y2, Rgb colour, bool box) override;
    void circle(float x, float y, float radius, Rgb colour, float start, float end) override;
    void setCurrentX(float x) override { x_ = x; }
    void setCurrentY(float y) override { y_ = y; }
    void print(const std::string& text) override;
    float textWidth(const std::string& text) override { return measure(text).width; }
    float textHeight(const std::string& text) override { return measure(text).height; }
    TextExtent measureText(const std::string& text, double points) override;
    double fontSize() override { return points_; }
    void setFontSize(double points) override { points_ = points; }
    void endDoc() override {}
    void setOrigin(float, float) override {}
    void newPage() override {}

  private:
    TextExtent measure(const std::string& text) { return measureText(text, points_); }
    void stroke(const Segment& s) {
        strokes.push_back(s);
        widths.push_back(drawWidth_);
    }

    DrawingTarget* sheet_ = nullptr;
    MeasuredTexts* measured_ = nullptr;
    double width_ = 0, height_ = 0;
    double points_ = 0;
    double x_ = 0, y_ = 0;
    int drawWidth_ = 1;
};

}  // namespace tavro
