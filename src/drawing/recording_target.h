// A drawing target that writes every operation as one line of text, with fixed text metrics.
#pragma once

#include <ostream>
#include <string>

#include "drawing_target.h"

namespace tavro {

// A surface the recorder pretends to be: its extent and how many of its units make a point.
struct RecordedSurface {
    double width = 0, height = 0;
    double unitsPerPoint = 1;
};

// The window's sheet of 700 x 1000 pixels at 96 dpi, and an A4 page in millimetres.
constexpr RecordedSurface kRecordedSheet{700, 1000, 96.0 / 72.0};
constexpr RecordedSurface kRecordedPage{210, 297, 25.4 / 72.0};

class RecordingTarget : public DrawingTarget {
  public:
    // Starts in the surface's own units; ScaleMode 6 switches to the page in millimetres.
    RecordingTarget(std::ostream& out, RecordedSurface own, RecordedSurface page,
                    double fontPoints);

    void setScaleMode(int mode) override;
    float scaleWidth() override;
    float scaleHeight() override;
    void cls() override;
    void setBackColor(Rgb colour) override;
    void setForeColor(Rgb colour) override;
    void setDrawWidth(int width) override;
    void setDrawStyle(int style) override;
    void line(float x1, float y1, float x2, float y2, Rgb colour, bool box) override;
    void circle(float x, float y, float radius, Rgb colour, float start, float end) override;
    void setCurrentX(float x) override;
    void setCurrentY(float y) override;
    void print(const std::string& text) override;
    float textWidth(const std::string& text) override;
    float textHeight(const std::string& text) override;
    TextExtent measureText(const std::string& text, double points) override;
    double fontSize() override;
    void setFontSize(double points) override;
    void endDoc() override;
    void setOrigin(float x, float y) override;
    void newPage() override;

    // Text of a number as the recording shows it: no trailing zeros.
    static std::string number(double v, int decimals = 3);
    static std::string colour(Rgb c);

  private:
    std::string pen() const;

    std::ostream& out_;
    RecordedSurface surface_, page_;
    double font_;
    Rgb fore_ = kBlack;
    int width_ = 1, style_ = kSolid;
    float x_ = 0, y_ = 0;
};

}  // namespace tavro
