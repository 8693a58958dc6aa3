// The contour as an AutoCAD R12 ASCII drawing: lines and arcs only, which every CAM program reads.
#include <cmath>

#include "decimal_text.h"
#include "pi.h"
#include "workshop_files.h"

namespace tavro {
namespace {

constexpr double kDegreesPerRadian = 180 / kPi;
// Coordinates with this many decimals keep joints well inside a micrometre.
constexpr int kDecimals = 10;

class DxfText {
  public:
    void code(int group, const std::string& value) {
        const std::string g = std::to_string(group);
        text_.append(3 - std::min<size_t>(3, g.size()), ' ').append(g).append("\r\n");
        text_.append(value).append("\r\n");
    }
    void number(int group, double value) { code(group, plainText(value, kDecimals)); }
    void integer(int group, int value) { code(group, std::to_string(value)); }
    void point(int group, double x, double y) {
        number(group, x);
        number(group + 10, y);
        number(group + 20, 0);
    }
    std::string take() { return std::move(text_); }

  private:
    std::string text_;
};

void header(DxfText& d, double length, double radius) {
    d.code(0, "SECTION");
    d.code(2, "HEADER");
    d.code(9, "$ACADVER");
    d.code(1, "AC1009");
    d.code(9, "$INSBASE");
    d.point(10, 0, 0);
    d.code(9, "$EXTMIN");
    d.point(10, 0, -radius);
    d.code(9, "$EXTMAX");
    d.point(10, length, radius);
    d.code(9, "$LIMMIN");
    d.number(10, 0);
    d.number(20, -radius);
    d.code(9, "$LIMMAX");
    d.number(10, length);
    d.number(20, radius);
    d.code(0, "ENDSEC");
}

void lineType(DxfText& d, const char* name, const char* description,
              std::initializer_list<double> dashes) {
    double total = 0;
    for (double dash : dashes) total += std::fabs(dash);
    d.code(0, "LTYPE");
    d.code(2, name);
    d.integer(70, 0);
    d.code(3, description);
    d.integer(72, 65);
    d.integer(73, static_cast<int>(dashes.size()));
    d.number(40, total);
    for (double dash : dashes) d.number(49, dash);
}

void layer(DxfText& d, const char* name, int colour, const char* lineTypeName) {
    d.code(0, "LAYER");
    d.code(2, name);
    d.integer(70, 0);
    d.integer(62, colour);
    d.code(6, lineTypeName);
}

void tables(DxfText& d) {
    d.code(0, "SECTION");
    d.code(2, "TABLES");
    d.code(0, "TABLE");
    d.code(2, "LTYPE");
    d.integer(70, 2);
    lineType(d, "CONTINUOUS", "Solid line", {});
    lineType(d, "CENTER", "Center ____ _ ____ _ ____", {10, -2, 2, -2});
    d.code(0, "ENDTAB");
    d.code(0, "TABLE");
    d.code(2, "LAYER");
    d.integer(70, 3);
    layer(d, "0", 7, "CONTINUOUS");
    layer(d, "CONTOUR", 7, "CONTINUOUS");
    layer(d, "AXIS", 8, "CENTER");
    d.code(0, "ENDTAB");
    d.code(0, "ENDSEC");
}

void line(DxfText& d, const char* layerName, Point a, Point b) {
    d.code(0, "LINE");
    d.code(8, layerName);
    d.point(10, a.x, a.y);
    d.point(11, b.x, b.y);
}

double degrees(const Point& centre, const Point& p) {
    double a = angleOf(centre, p) * kDegreesPerRadian;
    if (a < 0) a += 360;
    return a;
}

// A span of the upper wall, or its mirror image below the axis.
void span(DxfText& d, const Span& s, bool mirrored) {
    const auto place = [&](Point p) { return mirrored ? Point{p.x, -p.y} : p; };
    if (s.radius == 0) {
        line(d, "CONTOUR", place(s.start), place(s.end));
        return;
    }
    // A DXF arc runs counterclockwise from its start angle; mirroring turns the direction.
    const Point c = place(s.centre);
    const bool ccw = s.counterclockwise != mirrored;
    const Point from = place(ccw ? s.start : s.end), to = place(ccw ? s.end : s.start);
    d.code(0, "ARC");
    d.code(8, "CONTOUR");
    d.point(10, c.x, c.y);
    d.number(40, s.radius);
    d.number(50, degrees(c, from));
    d.number(51, degrees(c, to));
}

}  // namespace

std::string contourDxf(const Contour& contour) {
    DxfText d;
    header(d, contour.length, widestRadius(contour));
    tables(d);
    d.code(0, "SECTION");
    d.code(2, "BLOCKS");
    d.code(0, "ENDSEC");
    d.code(0, "SECTION");
    d.code(2, "ENTITIES");
    const std::vector<Span> spans = wallSpans(contour, kDxfTolerance);
    for (bool mirrored : {false, true})
        for (const Span& s : spans) span(d, s, mirrored);
    line(d, "AXIS", {0, 0}, {contour.length, 0});
    d.code(0, "ENDSEC");
    d.code(0, "EOF");
    return d.take();
}

}  // namespace tavro
