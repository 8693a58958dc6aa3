// The contour as a true-size SVG picture: exact arcs and the exact quadratic curve, in mm.
#include <cmath>

#include "decimal_text.h"
#include "workshop_files.h"

namespace tavro {
namespace {

constexpr double kMargin = 10;      // mm around the contour; the title sits in the top one
constexpr double kTitleSize = 3.5;  // mm, the usual lettering height of a drawing
constexpr int kDecimals = 6;

std::string num(double v) {
    return plainText(v, kDecimals);
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char ch : text) {
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // Control characters have no place in XML text.
                if (static_cast<unsigned char>(ch) >= 0x20) out += ch;
        }
    }
    return out;
}

// Page coordinates: y grows downward, the axis lies at `axisY`.
struct Page {
    double axisY;
    double side;  // +1 for the upper wall, -1 for its mirror image
    std::string at(Point p) const { return num(kMargin + p.x) + " " + num(axisY - side * p.y); }
};

// One wall as a path: "M" to its entrance point, then a command per piece.
std::string wallPath(const Contour& contour, const Page& page) {
    std::string d = "M " + page.at(contour.pieces.front().start);
    for (const Piece& p : contour.pieces) {
        switch (p.kind) {
            case PieceKind::Cone:
                d += " L " + page.at(p.end);
                break;
            case PieceKind::InletFillet:
            case PieceKind::OutletFillet: {
                // The fillets turn counterclockwise with y upward; on the page's downward y that
                // is the negative direction, and the mirror image turns the other way.
                const char* sweepFlag = page.side > 0 ? "0" : "1";
                d += " A " + num(p.radius) + " " + num(p.radius) + " 0 0 " + sweepFlag + " " +
                     page.at(p.end);
                break;
            }
            case PieceKind::Supersonic:
                d += " Q " + page.at(p.control) + " " + page.at(p.end);
                break;
        }
    }
    return d;
}

}  // namespace

std::string contourSvg(const Contour& contour, const std::string& title) {
    const double radius = widestRadius(contour);
    const double width = contour.length + 2 * kMargin, height = 2 * radius + 2 * kMargin;
    const double axisY = kMargin + radius;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + num(width) +
           "mm\" height=\"" + num(height) + "mm\" viewBox=\"0 0 " + num(width) + " " + num(height) +
           "\">\n";
    svg += "<title>" + escaped(title) + "</title>\n";
    svg +=
        "<path fill=\"none\" stroke=\"#000000\" stroke-width=\"0.2\" stroke-linejoin=\"round\" "
        "d=\"" +
        wallPath(contour, {axisY, 1}) + " " + wallPath(contour, {axisY, -1}) + "\"/>\n";
    svg += "<line x1=\"" + num(kMargin) + "\" y1=\"" + num(axisY) + "\" x2=\"" +
           num(kMargin + contour.length) + "\" y2=\"" + num(axisY) +
           "\" stroke=\"#969696\" stroke-width=\"0.2\" stroke-dasharray=\"10 2 2 2\"/>\n";
    if (!title.empty()) {
        svg += "<text x=\"" + num(width / 2) + "\" y=\"" + num(kMargin - 3) +
               "\" font-family=\"sans-serif\" font-size=\"" + num(kTitleSize) +
               "\" text-anchor=\"middle\">" + escaped(title) + "</text>\n";
    }
    svg += "</svg>\n";
    return svg;
}

}  // namespace tavro
