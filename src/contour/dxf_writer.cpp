// The contour as a DXF drawing in millimetres: lines, arcs and texts only, which every CAM
// program reads, each outline a closed loop that a laser cuts and a CAD program revolves.
#include <algorithm>
#include <cmath>

#include "decimal_text.h"
#include "pi.h"
#include "workshop_files.h"

namespace tavro {
namespace {

constexpr double kDegreesPerRadian = 180 / kPi;
// Coordinates with this many decimals keep joints well inside a micrometre.
constexpr int kDecimals = 10;
constexpr double kTextHeight = 3.5;  // mm, the usual lettering of a drawing
constexpr double kTextWidth = 0.8;   // a generous width of a letter, in text heights
constexpr int kMillimetres = 4;      // $INSUNITS
constexpr int kMetric = 1;           // $MEASUREMENT

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

// Text outside ASCII as the \U+XXXX escapes that AutoCAD, ezdxf and Inkscape read in any code
// page; line breaks and other control characters dropped.
std::string dxfText(const std::string& utf8) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = more ? lead & (0x3F >> more) : lead;
        ++i;
        for (int k = 0; k < more && i < utf8.size(); ++k, ++i)
            c = c << 6 | (static_cast<unsigned char>(utf8[i]) & 0x3F);
        if (c < 0x20 || c == 0x7F) continue;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c <= 0xFFFF) {
            out += "\\U+";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
        } else {
            out += '?';
        }
    }
    return out;
}

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
    // Readers that honour units (CAM programs, Inkscape's "read from file") then take the
    // numbers as millimetres instead of the inches a DXF without units means to them.
    d.code(9, "$INSUNITS");
    d.integer(70, kMillimetres);
    d.code(9, "$MEASUREMENT");
    d.integer(70, kMetric);
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
    d.integer(70, 5);
    layer(d, "0", 7, "CONTINUOUS");
    layer(d, "CONTOUR", 7, "CONTINUOUS");
    layer(d, "PROFILE", 5, "CONTINUOUS");
    layer(d, "AXIS", 8, "CENTER");
    layer(d, "NOTES", 3, "CONTINUOUS");
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

Point mirrored(Point p) {
    return {p.x, -p.y};
}

Span mirrored(Span s) {
    s.start = mirrored(s.start);
    s.end = mirrored(s.end);
    s.centre = mirrored(s.centre);
    s.counterclockwise = !s.counterclockwise;
    return s;
}

void span(DxfText& d, const char* layerName, const Span& s) {
    if (s.radius == 0) {
        line(d, layerName, s.start, s.end);
        return;
    }
    // A DXF arc runs counterclockwise from its start angle.
    const Point from = s.counterclockwise ? s.start : s.end;
    const Point to = s.counterclockwise ? s.end : s.start;
    d.code(0, "ARC");
    d.code(8, layerName);
    d.point(10, s.centre.x, s.centre.y);
    d.number(40, s.radius);
    d.number(50, degrees(s.centre, from));
    d.number(51, degrees(s.centre, to));
}

void text(DxfText& d, Point at, const std::string& utf8) {
    d.code(0, "TEXT");
    d.code(8, "NOTES");
    d.point(10, at.x, at.y);
    d.number(40, kTextHeight);
    d.code(1, dxfText(utf8));
}

}  // namespace

std::string contourDxf(const Contour& contour, const DesignNotes& notes) {
    const double radius = widestRadius(contour);
    DxfText d;
    d.code(999, dxfText("Tavro-nozzle: " + (notes.title.empty() ? "" : notes.title + ", ") +
                        notes.inputs));
    // The extents take in the notes, so that "zoom to extents" shows them whole.
    const std::string dimensions = dimensionsText(contour, false);
    size_t letters = 0;
    for (const std::string* t : {&notes.title, &dimensions}) {
        size_t n = 0;
        for (char ch : *t) n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
        letters = std::max(letters, n);
    }
    header(d, std::max(contour.length, kTextWidth * kTextHeight * static_cast<double>(letters)),
           radius + 4 * kTextHeight);
    tables(d);
    d.code(0, "SECTION");
    d.code(2, "BLOCKS");
    d.code(0, "ENDSEC");
    d.code(0, "SECTION");
    d.code(2, "ENTITIES");

    // The upper wall of the passage proper, running downstream; its ends on the faces.
    std::vector<Span> wall = wallSpans(contour, kDxfTolerance);
    const Point entrance = contour.pieces[passageStart(contour)].start;
    while (wall.size() > 1 && !(wall.front().end.x > wall.front().start.x))
        wall.erase(wall.begin());
    wall.front().start = entrance;
    const Point exit = wall.back().end;

    // The full section, walked round: upper wall, exit, lower wall back, entrance.
    for (const Span& s : wall) span(d, "CONTOUR", s);
    line(d, "CONTOUR", exit, mirrored(exit));
    for (auto s = wall.rbegin(); s != wall.rend(); ++s) {
        Span back = mirrored(*s);
        std::swap(back.start, back.end);
        back.counterclockwise = !back.counterclockwise;
        span(d, "CONTOUR", back);
    }
    line(d, "CONTOUR", mirrored(entrance), entrance);

    // The half-section that a CAD program revolves about its axis edge.
    for (const Span& s : wall) span(d, "PROFILE", s);
    line(d, "PROFILE", exit, {exit.x, 0});
    line(d, "PROFILE", {exit.x, 0}, {entrance.x, 0});
    line(d, "PROFILE", {entrance.x, 0}, entrance);

    line(d, "AXIS", {0, 0}, {contour.length, 0});
    if (!notes.title.empty()) text(d, {0, radius + 2.5 * kTextHeight}, notes.title);
    text(d, {0, radius + kTextHeight}, dimensions);
    d.code(0, "ENDSEC");
    d.code(0, "EOF");
    return d.take();
}

}  // namespace tavro
