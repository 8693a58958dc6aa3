// The small set of operations the nozzle drawing needs from a sheet, a printer page or a recorder.
#pragma once

#include <cstdint>
#include <string>

namespace tavro {

// An RGB colour of the drawing.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
    friend bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{150, 150, 150};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};
// The Windows button face, used until the window program registers its own palette colour.
constexpr Rgb kDefaultButtonFace{240, 240, 240};

// The width and height a text takes in the current units.
struct TextExtent {
    float width = 0, height = 0;
};

// Units of the sheet: 0 keeps the surface's own units, 6 makes them millimetres of the page.
enum ScaleModes : int { kScaleUser = 0, kScaleMillimetres = 6 };
// Line patterns; a pattern shows on lines one pixel wide only.
enum DrawStyles : int { kSolid = 0, kDotted = 2, kDashDot = 3 };

// Sheet coordinates: x to the right, y downward, origin at the top-left of the usable area.
class DrawingTarget {
  public:
    virtual ~DrawingTarget() = default;

    virtual void setScaleMode(int mode) = 0;
    virtual float scaleWidth() = 0;
    virtual float scaleHeight() = 0;
    // Erases to the background colour and puts the text position back at the origin.
    virtual void cls() = 0;
    // As on the window's sheet, a new background colour erases the surface to it.
    virtual void setBackColor(Rgb colour) = 0;
    virtual void setForeColor(Rgb colour) = 0;
    // Width in device pixels on the window and in pictures; on paper 1, 2 and 10 stand for
    // strokes of 0.1, 0.2 and 0.5 mm.
    virtual void setDrawWidth(int width) = 0;
    virtual void setDrawStyle(int style) = 0;
    // A segment, or with box the unfilled rectangle with these opposite corners.
    virtual void line(float x1, float y1, float x2, float y2, Rgb colour, bool box = false) = 0;
    // An arc drawn counterclockwise on the sheet from start to end (radians, 0 = +x, pi/2 = up).
    virtual void circle(float x, float y, float radius, Rgb colour, float start, float end) = 0;
    // Top-left corner of the next text.
    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;
    // Draws at the text position in the fore colour, then moves the position to the next line.
    virtual void print(const std::string& text) = 0;
    virtual float textWidth(const std::string& text) = 0;
    virtual float textHeight(const std::string& text) = 0;
    // Width and height of the text at a point size, leaving the current font as it is. The
    // drawing lays itself out with it before drawing; a recorder keeps it out of its record,
    // since it draws nothing and changes nothing.
    virtual TextExtent measureText(const std::string& text, double points) = 0;
    virtual double fontSize() = 0;
    virtual void setFontSize(double points) = 0;
    // Finishes the printed page and hands the document over.
    virtual void endDoc() = 0;
    // A page of a large sheet: the sheet point that lands at the top-left of the usable area.
    // Nothing outside the usable area is drawn on paper.
    virtual void setOrigin(float x, float y) = 0;
    // Finishes the printed page and begins the next one of the same document.
    virtual void newPage() = 0;
};

}  // namespace tavro
