// The lathe table: the wall's radius at stations along the axis, as CSV a spreadsheet opens.
#include <cmath>

#include "decimal_text.h"
#include "workshop_files.h"

namespace tavro {
namespace {

constexpr int kDecimals = 3;
// A regular station this close to a joint would print as the joint's own row.
constexpr double kSameStation = 0.0005;

class Table {
  public:
    Table(double length, char decimalSeparator)
        : length_(length), sep_(decimalSeparator), column_(decimalSeparator == ',' ? ';' : ',') {
        text_ = "\xEF\xBB\xBF";
        // The units follow a comma inside the names, so the names are quoted: a comma-separated
        // table would otherwise read ten header cells over five columns.
        text_ += std::string("\"от входа, мм\"") + column_ + "\"от выхода, мм\"" + column_ +
                 "\"радиус, мм\"" + column_ + "\"диаметр, мм\"" + column_ + "\"участок\"\r\n";
    }
    void row(double x, double radius, PieceKind piece) {
        text_ += fixedText(x, kDecimals, sep_) + column_ + fixedText(length_ - x, kDecimals, sep_) +
                 column_ + fixedText(radius, kDecimals, sep_) + column_ +
                 fixedText(2 * radius, kDecimals, sep_) + column_ + pieceName(piece) + "\r\n";
    }
    std::string take() { return std::move(text_); }

  private:
    double length_;
    char sep_, column_;
    std::string text_;
};

}  // namespace

double stationRows(const Contour& contour, double step) {
    if (step > 0) step = std::fmax(step, 1e-3);
    double rows = 1;
    for (const Piece& p : contour.pieces) rows += 1 + (step > 0 ? (p.end.x - p.start.x) / step : 0);
    return rows;
}

std::string stationTable(const Contour& contour, double step, char decimalSeparator) {
    Table table(contour.length, decimalSeparator);
    if (step > 0) step = std::fmax(step, 1e-3);  // finer than the table's decimals says nothing
    // Each piece gives its first point (a joint, the throat among them) and the regular
    // stations strictly inside it; the exit lip closes the table.
    for (const Piece& p : contour.pieces) {
        table.row(p.start.x, p.start.y, p.kind);
        if (!(step > 0)) continue;
        for (double k = std::floor((p.start.x + kSameStation) / step) + 1;; ++k) {
            const double x = k * step;
            if (x <= p.start.x + kSameStation) continue;
            if (x >= p.end.x - kSameStation) break;
            table.row(x, radiusAt(p, x), p.kind);
        }
    }
    const Piece& last = contour.pieces.back();
    table.row(last.end.x, last.end.y, last.kind);
    return table.take();
}

}  // namespace tavro
