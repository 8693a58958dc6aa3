// A half-profile template: the drawing cut along its axis, one wall kept for the user to mirror.
#pragma once

#include <string>

#include "drawing_target.h"

namespace tavro {

// Passes everything on to another target but the lines and arcs left of the axis at x = axisX
// (sheet units): a line that crosses it keeps its right part. The template's arcs (the
// fillets) lie wholly on one side.
class HalfTarget : public DrawingTarget {
  public:
    HalfTarget(DrawingTarget& inner, double axisX) : t_(inner), axisX_(axisX) {}

    void line(float x1, float y1, float x2, float y2, Rgb colour, bool box) override;
    void circle(float x, float y, float radius, Rgb colour, float start, float end) override;

    void setScaleMode(int mode) override { t_.setScaleMode(mode); }
    float scaleWidth() override { return t_.scaleWidth(); }
    float scaleHeight() override { return t_.scaleHeight(); }
    void cls() override { t_.cls(); }
    void setBackColor(Rgb c) override { t_.setBackColor(c); }
    void setForeColor(Rgb c) override { t_.setForeColor(c); }
    void setDrawWidth(int w) override { t_.setDrawWidth(w); }
    void setDrawStyle(int s) override { t_.setDrawStyle(s); }
    void setCurrentX(float x) override { t_.setCurrentX(x); }
    void setCurrentY(float y) override { t_.setCurrentY(y); }
    void print(const std::string& text) override { t_.print(text); }
    float textWidth(const std::string& text) override { return t_.textWidth(text); }
    float textHeight(const std::string& text) override { return t_.textHeight(text); }
    TextExtent measureText(const std::string& text, double points) override {
        return t_.measureText(text, points);
    }
    double fontSize() override { return t_.fontSize(); }
    void setFontSize(double points) override { t_.setFontSize(points); }
    void endDoc() override { t_.endDoc(); }
    void setOrigin(float x, float y) override { t_.setOrigin(x, y); }
    void newPage() override { t_.newPage(); }

  private:
    void segment(double x1, double y1, double x2, double y2, Rgb colour);

    DrawingTarget& t_;
    double axisX_;
};

}  // namespace tavro
