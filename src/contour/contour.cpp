// The nozzle's wall contour from a computed design: cone, two fillets and the supersonic curve.
#include "contour.h"

#include <algorithm>
#include <cmath>

namespace tavro {
namespace {

// The degrees-to-radians factor the calculation and the drawing use.
constexpr double kPi = 3.1415926536;
constexpr double kTwoPi = 2 * 3.14159265358979323846;
constexpr double kHalfPi = 3.14159265358979323846 / 2;
// A cone shorter than this is a rounding remnant of the fillet reaching the entrance radius.
constexpr double kShortestCone = 1e-3;

// The drawing's derived quantities at scale 1, as distances from the axis and depths below the
// entrance plane.
struct Frame {
    double qc, qm, qa;
    double rc, rkr, ra, rint, rout, ln;
    double x1, y1;  // where the inlet fillet meets the cone
    double yT;      // depth of the throat
    double x2, y2;  // end of the outlet fillet
    double xP, yP;  // crossing of the wall tangents at the outlet fillet's end and at the lip
};

Frame frameOf(const DesignState& s) {
    Frame f{};
    f.qc = s.Qc / 180.0 * kPi;
    f.qm = s.Qm / 180.0 * kPi;
    f.qa = s.Qa / 180.0 * kPi;
    f.rc = s.Rc;
    f.rkr = s.Rkr;
    f.ra = s.Ra;
    f.rint = s.Rint;
    f.rout = s.Rout;
    f.ln = s.Ln;
    f.x1 = f.rkr + f.rint * (1 - std::cos(f.qc));
    f.y1 = (f.rc - f.x1) / std::tan(f.qc);
    f.yT = f.y1 + f.rint * std::sin(f.qc);
    f.x2 = f.rkr + f.rout * (1 - std::cos(f.qm));
    f.y2 = f.yT + f.rout * std::sin(f.qm);
    const double cotM = 1 / std::tan(f.qm), cotA = 1 / std::tan(f.qa);
    f.xP = ((f.ln - f.y2) + f.x2 * cotM - f.ra * cotA) / (cotM - cotA);
    f.yP = (f.xP - f.x2) * cotM + f.y2;
    return f;
}

bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

Piece arcPiece(PieceKind kind, Point centre, double radius, Point start, Point end) {
    Piece p;
    p.kind = kind;
    p.centre = centre;
    p.radius = radius;
    p.start = start;
    p.end = end;
    return p;
}

// Counterclockwise sweep from a to b, in (0, 2 pi].
double sweep(double a, double b) {
    double d = b - a;
    while (d <= 0) d += kTwoPi;
    while (d > kTwoPi) d -= kTwoPi;
    return d;
}

}  // namespace

SupersonicWall supersonicWall(const DesignState& design) {
    const Frame f = frameOf(design);
    SupersonicWall w;
    w.S = {f.y2, f.x2};
    w.P = {f.yP, f.xP};
    w.E = {f.ln, f.ra};
    w.buildable = design.Qm > 0 && design.Qa > 0 && finite({f.x2, f.y2, f.xP, f.yP}) &&
                  f.x2 < f.xP && f.xP < f.ra && f.y2 < f.yP && f.yP < f.ln;
    return w;
}

std::optional<Contour> contourOf(const DesignState& design) {
    if (!design.InRange) return std::nullopt;
    const SupersonicWall wall = supersonicWall(design);
    if (!wall.buildable) return std::nullopt;
    const Frame f = frameOf(design);
    if (!(f.rkr > 0 && f.rint > 0 && f.rout > 0 && f.rc > 0 && f.qc > 0) ||
        !finite({f.x1, f.y1, f.yT}))
        return std::nullopt;

    Contour c;
    c.length = f.ln;
    c.throatX = f.yT;
    const Point throat{f.yT, f.rkr};
    const Point inletCentre{f.yT, f.rkr + f.rint};
    const Point outletCentre{f.yT, f.rkr + f.rout};

    // The cone as the drawing has it; where it ends at or before the entrance plane (a 90 degree
    // entry) or is too short to be one, the inlet fillet is taken up to the entrance plane.
    const bool cone = f.rc >= f.x1 && std::hypot(f.y1, f.rc - f.x1) > kShortestCone;
    Point inletStart{f.y1, f.x1};
    if (cone && !(f.y1 > 0)) {
        // A flat entrance face: the fillet's quarter starts on the entrance plane (a rounding
        // of the order of 1e-10 mm away from its circle).
        const double theta = std::min(f.qc, kHalfPi);
        inletStart = {0, f.rkr + f.rint * (1 - std::cos(theta))};
    } else if (!cone) {
        const double theta = std::asin(std::clamp(f.yT / f.rint, 0.0, 1.0));
        inletStart = {0, f.rkr + f.rint * (1 - std::cos(theta))};
    }
    if (cone) {
        Piece p;
        p.kind = PieceKind::Cone;
        p.start = {0, f.rc};
        p.end = inletStart;
        c.pieces.push_back(p);
    }
    c.pieces.push_back(arcPiece(PieceKind::InletFillet, inletCentre, f.rint, inletStart, throat));
    c.pieces.push_back(arcPiece(PieceKind::OutletFillet, outletCentre, f.rout, throat, wall.S));
    Piece curve;
    curve.kind = PieceKind::Supersonic;
    curve.start = wall.S;
    curve.control = wall.P;
    curve.end = wall.E;
    c.pieces.push_back(curve);
    return c;
}

double widestRadius(const Contour& contour) {
    double r = 0;
    for (const Piece& p : contour.pieces) r = std::max({r, p.start.y, p.end.y});
    return r;
}

double angleOf(const Point& centre, const Point& p) {
    return std::atan2(p.y - centre.y, p.x - centre.x);
}

double sweepOf(const Piece& fillet) {
    return sweep(angleOf(fillet.centre, fillet.start), angleOf(fillet.centre, fillet.end));
}

Point pointOn(const Piece& piece, double t) {
    if (t <= 0) return piece.start;
    if (t >= 1) return piece.end;
    switch (piece.kind) {
        case PieceKind::Cone:
            return {piece.start.x + t * (piece.end.x - piece.start.x),
                    piece.start.y + t * (piece.end.y - piece.start.y)};
        case PieceKind::InletFillet:
        case PieceKind::OutletFillet: {
            const double a = angleOf(piece.centre, piece.start) + t * sweepOf(piece);
            return {piece.centre.x + piece.radius * std::cos(a),
                    piece.centre.y + piece.radius * std::sin(a)};
        }
        case PieceKind::Supersonic:
            break;
    }
    const double u = 1 - t;
    const Point& s = piece.start;
    const Point& p = piece.control;
    const Point& e = piece.end;
    return {u * u * s.x + 2 * u * t * p.x + t * t * e.x,
            u * u * s.y + 2 * u * t * p.y + t * t * e.y};
}

double radiusAt(const Piece& piece, double x) {
    switch (piece.kind) {
        case PieceKind::Cone: {
            const double dx = piece.end.x - piece.start.x;
            if (!(std::fabs(dx) > 0)) return piece.start.y;
            return piece.start.y + (x - piece.start.x) / dx * (piece.end.y - piece.start.y);
        }
        case PieceKind::InletFillet:
        case PieceKind::OutletFillet: {
            // The wall is the half of the circle nearer the axis.
            const double d = x - piece.centre.x;
            return piece.centre.y - std::sqrt(std::max(0.0, piece.radius * piece.radius - d * d));
        }
        case PieceKind::Supersonic:
            break;
    }
    // x(t) = x solved for t: x(t) rises from start to end, so the root that stays finite as the
    // curve's axial acceleration vanishes is the one.
    const Point& s = piece.start;
    const Point& p = piece.control;
    const Point& e = piece.end;
    const double a = s.x - 2 * p.x + e.x, b = 2 * (p.x - s.x);
    const double disc = std::max(0.0, b * b + 4 * a * (x - s.x));
    const double t = std::clamp(2 * (x - s.x) / (b + std::sqrt(disc)), 0.0, 1.0);
    const double u = 1 - t;
    return u * u * s.y + 2 * u * t * p.y + t * t * e.y;
}

const char* pieceName(PieceKind kind) {
    switch (kind) {
        case PieceKind::Cone:
            return "конфузор";
        case PieceKind::InletFillet:
            return "скругление входа";
        case PieceKind::OutletFillet:
            return "скругление выхода";
        case PieceKind::Supersonic:
            break;
    }
    return "сверхзвуковая часть";
}

}  // namespace tavro
