// The nozzle's wall contour from a computed design: cone, two fillets and the supersonic curve.
#include "contour.h"

#include <algorithm>
#include <cmath>

#include "faults.h"
#include "pi.h"
#include "wall.h"

namespace tavro {
namespace {

constexpr double kTwoPi = 2 * kPi;
constexpr double kHalfPi = kPi / 2;
// A cone shorter than this is a rounding remnant of the fillet reaching the entrance radius.
constexpr double kShortestCone = 1e-3;

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

Contour wallContour(const DesignState& design) {
    const WallProfile w = wallProfile(design);
    const double qc = design.Qc / 180.0 * kCalcPi;
    const double rc = design.Rc, rkr = design.Rkr, rint = design.Rint, rout = design.Rout;
    finite(w.yT);

    // Profile points are (distance from the axis, depth); contour points (x along the axis, y
    // the radius).
    Contour c;
    c.length = w.E.y;
    c.throatX = w.yT;
    const Point throat{w.yT, rkr};
    const Point inletCentre{w.yT, rkr + rint};
    const Point outletCentre{w.yT, rkr + rout};
    const Point S{w.S.y, w.S.x}, P{w.P.y, w.P.x}, E{w.E.y, w.E.x};

    // Where the cone would end at or before the entrance plane (a 90 degree entry) or is too
    // short to be one, the inlet fillet is taken up to the entrance plane.
    const bool cone = rc >= w.x1 && std::hypot(w.y1, rc - w.x1) > kShortestCone;
    Point inletStart{w.y1, w.x1};
    if (cone && !(w.y1 > 0)) {
        // A flat entrance face: the fillet's quarter starts on the entrance plane (a rounding
        // of the order of 1e-10 mm away from its circle).
        const double theta = std::min(qc, kHalfPi);
        inletStart = {0, rkr + rint * (1 - std::cos(theta))};
    } else if (!cone) {
        const double theta = std::asin(std::clamp(div(w.yT, rint), 0.0, 1.0));
        inletStart = {0, rkr + rint * (1 - std::cos(theta))};
    }
    if (cone) {
        Piece p;
        p.kind = PieceKind::Cone;
        p.start = {0, rc};
        p.end = inletStart;
        c.pieces.push_back(p);
    }
    c.pieces.push_back(arcPiece(PieceKind::InletFillet, inletCentre, rint, inletStart, throat));
    c.pieces.push_back(arcPiece(PieceKind::OutletFillet, outletCentre, rout, throat, S));
    Piece curve;
    curve.kind = PieceKind::Supersonic;
    curve.start = S;
    curve.control = P;
    curve.end = E;
    c.pieces.push_back(curve);
    return c;
}

std::optional<Contour> contourOf(const DesignState& design) {
    // Designs the profile has no answer for (no tangent crossing, an undefined tangent) have
    // no contour either: the fault is this routine's "no".
    try {
        if (!design.InRange ||
            !(design.Rkr > 0 && design.Rint > 0 && design.Rout > 0 && design.Rc > 0 &&
              design.Qc > 0) ||
            !wallIsBuildable(design))
            return std::nullopt;
        return wallContour(design);
    } catch (const CalcFault&) {
        return std::nullopt;
    }
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

size_t passageStart(const Contour& contour) {
    size_t i = 0;
    while (i + 1 < contour.pieces.size() && !(contour.pieces[i].end.x > contour.pieces[i].start.x))
        ++i;
    return i;
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
