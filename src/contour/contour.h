// The nozzle's wall contour as exact pieces in millimetres: the one geometry the drawing and the
// workshop files are made from.
#pragma once

#include <optional>
#include <vector>

#include "design_state.h"

namespace tavro {

// A point of the upper wall: x along the axis from the entrance plane, y the distance from it.
struct Point {
    double x = 0, y = 0;
};

enum class PieceKind {
    Cone,          // straight convergent line
    InletFillet,   // arc of radius Rint ending at the throat
    OutletFillet,  // arc of radius Rout starting at the throat
    Supersonic,    // quadratic Bezier start-control-end
};

// One piece of the upper wall, running downstream from start to end. An arc's centre lies on
// the far side of the wall from the axis, so it turns counterclockwise seen with y upward;
// the Bezier's control point is the crossing of the wall tangents at its ends.
struct Piece {
    PieceKind kind = PieceKind::Cone;
    Point start, end;
    Point centre;  // arcs
    double radius = 0;
    Point control;  // Bezier
};

struct Contour {
    std::vector<Piece>
        pieces;          // from the entrance plane to the exit, each ending where the next starts
    double length = 0;   // Ln: x of the exit plane
    double throatX = 0;  // x of the throat, where the two fillets meet
};

// The wall the design's values give, whether or not it can be made, as the drawing shows it.
// Throws CalcFault where the profile has no answer (parallel or undefined tangents), so that
// the routine drawing it reports the fault under its own name.
Contour wallContour(const DesignState& design);

// The contour of a computed design, or nothing when the design is off-design, its wall cannot
// be made or its profile faults: what the workshop files are made from.
std::optional<Contour> contourOf(const DesignState& design);

// The largest distance of the wall from the axis: at the entrance or at the exit lip.
double widestRadius(const Contour& contour);

// Point of a piece at parameter t in [0, 1]: arcs by angle, the Bezier by its own parameter.
Point pointOn(const Piece& piece, double t);

// Radius of the wall at axial position x within a piece's axial span.
double radiusAt(const Piece& piece, double x);

// Angle of a point seen from an arc's centre, in radians.
double angleOf(const Point& centre, const Point& p);

// The counterclockwise turn of a fillet from its start to its end, in radians.
double sweepOf(const Piece& fillet);

// A straight or circular span of a wall made of lines and arcs only, as machine shops want it.
struct Span {
    Point start, end;
    Point centre;
    double radius = 0;  // 0 for a line
    bool counterclockwise = true;
};

// The upper wall as lines and arcs: the cone a line, the fillets arcs, the supersonic curve a
// chain of tangent arcs within tolerance (mm) of the exact curve.
std::vector<Span> wallSpans(const Contour& contour, double tolerance);

// The first piece of the passage proper: a flat entrance face (pieces running along the
// entrance plane) belongs to the metal around it, not to the flow.
size_t passageStart(const Contour& contour);

// Russian name of a piece as the station table shows it.
const char* pieceName(PieceKind kind);

}  // namespace tavro
