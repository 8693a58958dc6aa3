// The contour as a true-size SVG picture: exact arcs and the exact quadratic curve, in mm.
#include <algorithm>
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
    std::string at(Point p, double side) const {
        return num(kMargin + p.x) + " " + num(axisY - side * p.y);
    }
};

// The wall's pieces as path commands, from the passage's entrance to the exit (side +1, the
// upper wall) or back from the exit to the entrance (side -1, its mirror image).
std::string wallPath(const Contour& contour, const Page& page, double side) {
    std::string d;
    const size_t first = passageStart(contour);
    const bool back = side < 0;
    for (size_t k = first; k < contour.pieces.size(); ++k) {
        const Piece& p = contour.pieces[back ? contour.pieces.size() - 1 - (k - first) : k];
        const Point& to = back ? p.start : p.end;
        switch (p.kind) {
            case PieceKind::Cone:
                d += " L " + page.at(to, side);
                break;
            case PieceKind::InletFillet:
            case PieceKind::OutletFillet: {
                // The fillets turn counterclockwise with y upward: on the page's downward y the
                // upper wall turns the negative way; the mirror image run backwards does too.
                d += " A " + num(p.radius) + " " + num(p.radius) + " 0 0 0 " + page.at(to, side);
                break;
            }
            case PieceKind::Supersonic:
                d += " Q " + page.at(p.control, side) + " " + page.at(to, side);
                break;
        }
    }
    return d;
}

// A generous width of a line of sans-serif text, so that the page never cuts it.
double textWidth(const std::string& utf8, double size) {
    size_t characters = 0;
    for (char ch : utf8) characters += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    return 0.75 * size * static_cast<double>(characters);
}

}  // namespace

std::string contourSvg(const Contour& contour, const DesignNotes& notes) {
    const double radius = widestRadius(contour);
    const double width = std::max(contour.length, textWidth(notes.title, kTitleSize)) + 2 * kMargin;
    const double height = 2 * radius + 2 * kMargin;
    const Page page{kMargin + radius};
    const Point entrance = contour.pieces[passageStart(contour)].start;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + num(width) +
           "mm\" height=\"" + num(height) + "mm\" viewBox=\"0 0 " + num(width) + " " + num(height) +
           "\">\n";
    svg += "<title>" + escaped(notes.title) + "</title>\n";
    svg += "<desc>Tavro-nozzle: " + escaped(notes.inputs) + "; " +
           escaped(dimensionsText(contour, false)) + "</desc>\n";
    // One closed outline of the passage's section, as a laser cuts it.
    svg +=
        "<path id=\"contour\" fill=\"none\" stroke=\"#000000\" stroke-width=\"0.2\" "
        "stroke-linejoin=\"round\" d=\"M " +
        page.at(entrance, 1) + wallPath(contour, page, 1) + " L " +
        page.at(contour.pieces.back().end, -1) + wallPath(contour, page, -1) + " Z\"/>\n";
    svg +=
        "<g id=\"axis\" stroke=\"#969696\" stroke-width=\"0.2\" stroke-dasharray=\"10 2 2 2\">"
        "<line x1=\"" +
        num(kMargin) + "\" y1=\"" + num(page.axisY) + "\" x2=\"" + num(kMargin + contour.length) +
        "\" y2=\"" + num(page.axisY) + "\"/></g>\n";
    svg += "<g id=\"notes\" font-family=\"sans-serif\" font-size=\"" + num(kTitleSize) + "\">";
    if (!notes.title.empty()) {
        svg += "<text x=\"" + num(kMargin) + "\" y=\"" + num(kMargin - 3) + "\">" +
               escaped(notes.title) + "</text>";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

}  // namespace tavro
