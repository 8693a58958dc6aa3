// The nozzle's wall contour on both sides of the axis, and its dimensioning.
#include <cmath>

#include "builders.h"
#include "checked_ops.h"
#include "contour.h"
#include "faults.h"
#include "number_text.h"
#include "pi.h"
#include "rebuilder.h"
#include "sheet_parts.h"

namespace tavro {
namespace {

constexpr int kSupersonicSteps = 20;

// A place on the sheet relative to the nozzle: distance from the axis and depth below the
// entrance plane, in sheet units.
struct Offset {
    double d = 0, y = 0;
};

// The one way the contour's millimetres reach the sheet: scaled, the axial position as depth
// below the entrance plane, the radius as distance from the axis, on the right and mirrored on
// the left.
class Placement {
  public:
    Placement(const DesignState& s, double scale)
        : axisX_(s.AxisX), entryY_(s.EntryY), scale_(scale) {}

    Offset scaled(const Point& p) const { return {p.y * scale_, p.x * scale_}; }

    // A wall segment, drawn right and then mirrored.
    void wall(DrawingTarget& t, Offset a, Offset b) const {
        segment(t, axisX_ + a.d, entryY_ + a.y, axisX_ + b.d, entryY_ + b.y, kBlack);
        segment(t, axisX_ - a.d, entryY_ + a.y, axisX_ - b.d, entryY_ + b.y, kBlack);
    }

    // A fillet, drawn right and then mirrored. Seen on the sheet the right side turns the
    // contour's angles a quarter turn clockwise and keeps their sense; the mirror reverses it,
    // so there the arc runs from the image of the fillet's end to that of its start.
    void fillet(DrawingTarget& t, const Piece& f) const {
        const double from = angleOf(f.centre, f.start), to = angleOf(f.centre, f.end);
        const Offset c = scaled(f.centre);
        const double r = f.radius * scale_;
        arc(t, axisX_ + c.d, entryY_ + c.y, r, kBlack, turn(from - kHalfPi), turn(to - kHalfPi));
        arc(t, axisX_ - c.d, entryY_ + c.y, r, kBlack, turn(-to - kHalfPi), turn(-from - kHalfPi));
    }

  private:
    static constexpr double kHalfPi = kPi / 2;
    // An angle in [0, 2 pi), as the drawing's arcs take them.
    static double turn(double a) {
        while (a < 0) a += 2 * kPi;
        while (a >= 2 * kPi) a -= 2 * kPi;
        return a;
    }

    double axisX_, entryY_, scale_;
};

// The supersonic wall as the envelope of lines joining evenly stepped points of S-P and P-E:
// a polyline tangent to the curve at S and at the lip E, worked in sheet units.
void supersonic(DrawingTarget& t, const Placement& place, const Piece& curve) {
    const Offset S = place.scaled(curve.start), P = place.scaled(curve.control);
    const Offset E = place.scaled(curve.end);
    const double sx = S.d, sy = S.y, px = P.d, py = P.y, ex = E.d, ey = E.y;
    const double dAx = (px - sx) / kSupersonicSteps, dAy = (py - sy) / kSupersonicSteps;
    const double dBx = (ex - px) / kSupersonicSteps, dBy = (ey - py) / kSupersonicSteps;
    double a0x = sx, a0y = sy, b0x = px, b0y = py, qx = sx, qy = sy;
    double bx = px, by = py;
    for (int i = 1; i <= kSupersonicSteps; ++i) {
        const double ax = sx + i * dAx, ay = sy + i * dAy;
        bx = px + i * dBx;
        by = py + i * dBy;
        const double k1 = div(b0y - a0y, b0x - a0x), b1 = a0y - k1 * a0x;
        const double k2 = div(by - ay, bx - ax), b2 = ay - k2 * ax;
        const double x = div(b2 - b1, k1 - k2), y = k1 * x + b1;
        place.wall(t, {qx, qy}, {x, y});
        a0x = ax;
        a0y = ay;
        b0x = bx;
        b0y = by;
        qx = x;
        qy = y;
    }
    place.wall(t, {qx, qy}, {bx, by});
}

// The wall's pieces in the order the drawing has them: cone, inlet fillet, outlet fillet,
// supersonic curve.
void drawWall(DrawingTarget& t, const Placement& place, const Contour& c) {
    for (const Piece& p : c.pieces) {
        switch (p.kind) {
            case PieceKind::Cone:
                place.wall(t, place.scaled(p.start), place.scaled(p.end));
                break;
            case PieceKind::InletFillet:
            case PieceKind::OutletFillet:
                place.fillet(t, p);
                break;
            case PieceKind::Supersonic:
                supersonic(t, place, p);
                break;
        }
    }
}

const Piece& pieceOf(const Contour& c, PieceKind kind) {
    for (const Piece& p : c.pieces)
        if (p.kind == kind) return p;
    throw CalcFault("no such piece");
}

// What the dimensioning needs: design values and the contour's key points in sheet units.
struct Profile {
    double qc, qm, qa;
    double rc, rkr, ra, rint, rout, ln;
    double scale;
    double rmax;
    double x1, y1;  // where the inlet fillet begins
    double yT;      // depth of the throat
    double x2, y2;  // end of the outlet fillet
};

Profile profileOf(const DesignState& s, const Contour& c, double scale) {
    Profile p{};
    p.scale = scale;
    p.qc = s.Qc / 180.0 * kCalcPi;
    p.qm = s.Qm / 180.0 * kCalcPi;
    p.qa = s.Qa / 180.0 * kCalcPi;
    p.rc = s.Rc * scale;
    p.rkr = s.Rkr * scale;
    p.ra = s.Ra * scale;
    p.rint = s.Rint * scale;
    p.rout = s.Rout * scale;
    p.ln = s.Ln * scale;
    p.rmax = p.ra > p.rc ? p.ra : p.rc;
    const Placement place(s, scale);
    const Offset inlet = place.scaled(pieceOf(c, PieceKind::InletFillet).start);
    const Offset outlet = place.scaled(pieceOf(c, PieceKind::OutletFillet).end);
    p.x1 = inlet.d;
    p.y1 = inlet.y;
    p.yT = c.throatX * scale;
    p.x2 = outlet.d;
    p.y2 = outlet.y;
    return p;
}

std::string value(float v, char sep) {
    return formatLabel(v, sep);
}

// An angle between the downward vertical at a wall point and the wall going down from it.
void downwardAngle(DrawingTarget& t, double x, double y, double angle, double ext, double arcR) {
    segment(t, x, y, x, y + ext, kGrey);
    segment(t, x, y, x + ext * std::sin(angle), y + ext * std::cos(angle), kGrey);
    arc(t, x, y, arcR, kGrey, 3.0 / 2.0 * kCalcPi, 3.0 / 2.0 * kCalcPi + angle);
}

void arrowPair(DrawingTarget& t, double x, double y, double half, double length) {
    DrawArrow(t, single(x + half), single(y), single(length), kGrey, 0);
    DrawArrow(t, single(x - half), single(y), single(length), kGrey, 180);
}

void dimensions(DrawingTarget& t, const DesignState& s, const Profile& p, char sep) {
    t.setForeColor(kBlue);
    t.setDrawWidth(1);
    const double ax = s.AxisX, ey = s.EntryY;
    const double ext = p.rmax / 2.5, arcR = ext * 4 / 5, arrow = p.rmax / 10;
    const double yt = ey + (static_cast<double>(s.Ln) - s.La) * p.scale;
    std::string label;
    double h = 0, w = 0;
    const auto measure = [&](std::string text) {
        label = std::move(text);
        h = t.textHeight(label);
        w = t.textWidth(label);
    };

    downwardAngle(t, ax + p.ra, ey + p.ln, p.qa, ext, arcR);
    measure(" Qa=" + value(s.Qa, sep) + "°");
    printAt(t, ax + p.ra + ext * std::tan(p.qa), ey + p.ln + arcR, label);

    downwardAngle(t, ax + p.x2, ey + p.y2, p.qm, ext, arcR);
    measure(" Qm=" + value(s.Qm, sep) + "°");
    printAt(t, ax + p.x2 + ext * std::tan(p.qm), ey + p.y2 + arcR, label);

    const double cx = ax + p.rc;
    segment(t, cx, ey, cx, ey - ext, kGrey);
    segment(t, cx, ey, cx + ext * std::sin(p.qc), ey - ext * std::cos(p.qc), kGrey);
    arc(t, cx, ey, arcR, kGrey, kCalcPi / 2 - p.qc, kCalcPi / 2);
    measure("Qс=" + value(s.Qc, sep) + "°");
    printAt(t, cx + w / 2, ey - arcR - h, label);

    // Above the throat line when there is room for it, else below.
    measure("Dкр=" + value(s.Rkr + s.Rkr, sep));
    printAt(t, ax - w / 2, p.yT > 2 * h && w / 2 < p.rkr ? yt - h - h / 4 : yt + arrow, label);
    arrowPair(t, ax, ey + p.yT, p.rkr, arrow);

    measure("Dкон=" + value(s.Rc + s.Rc, sep));
    printAt(t, ax - w / 2, ey - h - h / 4, label);
    arrowPair(t, ax, ey, p.rc, arrow);

    measure("Da=" + value(s.Ra + s.Ra, sep));
    printAt(t, ax - w / 2, ey + p.ln + h / 4, label);
    arrowPair(t, ax, ey + p.ln, p.ra, arrow);

    measure("Lдиф=" + value(s.La, sep) + " ");
    printAt(t, ax - w, ey + p.yT + (p.ln - p.yT) / 2 - h / 2, label);
    DrawArrow(t, single(ax), single(ey + p.yT), single(arrow), kGrey, 90);
    DrawArrow(t, single(ax), single(ey + p.ln), single(arrow), kGrey, -90);

    measure("L=" + value(s.Ln, sep) + " ");
    printAt(t, ax - p.rmax - w, ey + p.ln / 2 - h / 2, label);
    DrawArrow(t, single(ax - p.rmax), single(ey), single(arrow), kGrey, 90);
    DrawArrow(t, single(ax - p.rmax), single(ey + p.ln), single(arrow), kGrey, -90);

    const double inletCentre = ax + p.rkr + p.rint;
    measure("R=" + value(s.Rint, sep));
    printAt(t, inletCentre, yt - h - h / 2, label);
    t.setDrawStyle(kDotted);
    segment(t, ax + p.rkr, yt, inletCentre, yt, kGrey);
    t.setDrawStyle(kSolid);
    segment(t, inletCentre, yt, ax + p.x1, ey + p.y1, kGrey);
    DrawArrow(t, single(ax + p.x1), single(ey + p.y1), single(arrow), kGrey, 180 - s.Qc);

    const double outletCentre = ax + p.rkr + p.rout;
    measure("r=" + value(s.Rout, sep));
    printAt(t, outletCentre, yt + h / 4, label);
    segment(t, outletCentre, yt, ax + p.x2, ey + p.y2, kGrey);
    DrawArrow(t, single(ax + p.x2), single(ey + p.y2), single(arrow / 2), kGrey, s.Qm + 180);
}

}  // namespace

void DrawArrow(DrawingTarget& target, float x, float y, float length, Rgb colour, float angle) {
    const double a1 = (angle - 10.0) / 180 * kCalcPi, a2 = (angle + 10.0) / 180 * kCalcPi;
    segment(target, x, y, x - length * std::cos(a1), y + length * std::sin(a1), colour);
    segment(target, x, y, x - length * std::cos(a2), y + length * std::sin(a2), colour);
}

void drawContour(DrawingTarget& target, const DesignState& state, float scale) {
    drawWall(target, Placement(state, scale), wallContour(state));
}

void drawNozzle(DrawingTarget& target, const DesignState& state, float scale, OutputMode mode,
                int width, char decimalSeparator) {
    const Contour c = wallContour(state);
    target.setDrawWidth(width);
    target.setDrawStyle(kSolid);
    drawWall(target, Placement(state, scale), c);
    if (rulesOf(mode).dimensions)
        dimensions(target, state, profileOf(state, c, scale), decimalSeparator);
}

bool NozzleBuilder(DrawingTarget& target, const DesignState& state, float scale, OutputMode mode,
                   int width, char decimalSeparator, Reporter& reporter) {
    try {
        drawNozzle(target, state, scale, mode, width, decimalSeparator);
        return true;
    } catch (const CalcFault&) {
        reporter.reportError("NozzleBuilder");
        return false;
    }
}

}  // namespace tavro
