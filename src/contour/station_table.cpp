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
    void row(double x, double radius, const char* piece) {
        text_ += fixedText(x, kDecimals, sep_) + column_ + fixedText(length_ - x, kDecimals, sep_) +
                 column_ + fixedText(radius, kDecimals, sep_) + column_ +
                 fixedText(2 * radius, kDecimals, sep_) + column_ + piece + "\r\n";
    }
    std::string take() { return std::move(text_); }

  private:
    double length_;
    char sep_, column_;
    std::string text_;
};

// The wall's first point past `t0` (within a piece) where `moved` turns true, which it is not
// at t0: found on fine samples, then by halving.
template <typename Moved>
double firstMove(const Piece& piece, double t0, const Moved& moved) {
    constexpr int kSamples = 256;
    constexpr int kHalvings = 50;
    double before = t0;
    for (int i = 1; i <= kSamples; ++i) {
        const double t = t0 + (1 - t0) * i / kSamples;
        if (!moved(pointOn(piece, t))) {
            before = t;
            continue;
        }
        double after = t;
        for (int k = 0; k < kHalvings; ++k) {
            const double mid = 0.5 * (before + after);
            (moved(pointOn(piece, mid)) ? after : before) = mid;
        }
        return after;
    }
    return 2;  // not within the piece
}

// The flat entrance face runs along the entrance plane: the table names it apart.
const char* rowName(const Piece& p) {
    return p.kind == PieceKind::Cone && !(p.end.x > p.start.x) ? "торец входа" : pieceName(p.kind);
}

}  // namespace

double stationRows(const Contour& contour, double step) {
    if (step > 0) step = std::fmax(step, 1e-3);
    double rows = 1;
    // Every piece's wall runs one way along the axis and one way in radius: its rows are at
    // most its axial and its radial run over the step.
    for (const Piece& p : contour.pieces)
        rows +=
            1 + (step > 0 ? ((p.end.x - p.start.x) + std::fabs(p.end.y - p.start.y)) / step : 0);
    return rows;
}

std::string stationTable(const Contour& contour, double step, char decimalSeparator) {
    Table table(contour.length, decimalSeparator);
    if (step > 0) step = std::fmax(step, 1e-3);  // finer than the table's decimals says nothing
    // Each piece gives its first point (a joint, the throat among them), then a row wherever
    // the wall reaches the next multiple of the step along the axis or has moved a full step
    // in radius since the last row; the exit lip closes the table.
    Point last{-1, -1};
    const auto same = [&last](Point p) {
        return std::fabs(p.x - last.x) <= kSameStation && std::fabs(p.y - last.y) <= kSameStation;
    };
    const auto add = [&](Point p, const Piece& piece) {
        if (!same(p)) table.row(p.x, p.y, rowName(piece));
        last = p;
    };
    for (const Piece& p : contour.pieces) {
        add(p.start, p);
        if (!(step > 0)) continue;
        double t = 0;
        for (;;) {
            const double grid = (std::floor((last.x + kSameStation) / step) + 1) * step;
            const Point from = last;
            const double tGrid = firstMove(p, t, [&](Point q) { return q.x >= grid; });
            const double tRadius = firstMove(
                p, t, [&](Point q) { return std::fabs(q.y - from.y) >= step * (1 - 1e-12); });
            const double next = std::fmin(tGrid, tRadius);
            if (next > 1 || !(next > t)) break;
            // A radius step that falls on the axial station is that station's row.
            Point at = pointOn(p, next);
            const bool onGrid =
                tGrid <= 1 && (tGrid <= tRadius || pointOn(p, tGrid).x - at.x <= kSameStation);
            if (onGrid) at = {grid, radiusAt(p, grid)};
            if (at.x >= p.end.x - kSameStation && std::fabs(at.y - p.end.y) <= kSameStation) break;
            add(at, p);
            t = onGrid ? tGrid : next;
        }
    }
    const Piece& lastPiece = contour.pieces.back();
    add(lastPiece.end, lastPiece);
    return table.take();
}

}  // namespace tavro
