// The nozzle's wall contour on both sides of the axis, and its dimensioning.
#include <cmath>

#include "builders.h"
#include "checked_ops.h"
#include "faults.h"
#include "number_text.h"
#include "rebuilder.h"
#include "sheet_parts.h"
#include "wall.h"

namespace tavro {
namespace {

constexpr double kPi = 3.1415926536;
constexpr int kSupersonicSteps = 20;

// Distances from the axis and depths below the entrance plane, in sheet units.
struct Profile {
    double qc, qm, qa;
    double rc, rkr, ra, rint, rout, ln;
    double scale;
    double rmax;
    double x1, y1;  // where the inlet fillet meets the cone
    double yT;      // depth of the throat
    double x2, y2;  // end of the outlet fillet
    double xP, yP;  // crossing of the wall tangents at the outlet fillet's end and at the lip
};

Profile profileOf(const DesignState& s, double scale) {
    Profile p{};
    p.scale = scale;
    p.qc = s.Qc / 180.0 * kPi;
    p.qm = s.Qm / 180.0 * kPi;
    p.qa = s.Qa / 180.0 * kPi;
    p.rc = s.Rc * scale;
    p.rkr = s.Rkr * scale;
    p.ra = s.Ra * scale;
    p.rint = s.Rint * scale;
    p.rout = s.Rout * scale;
    p.ln = s.Ln * scale;
    p.rmax = p.ra > p.rc ? p.ra : p.rc;
    const WallProfile w = wallProfile(s, scale);
    p.x1 = w.x1;
    p.y1 = w.y1;
    p.yT = w.yT;
    p.x2 = w.S.x;
    p.y2 = w.S.y;
    p.xP = w.P.x;
    p.yP = w.P.y;
    return p;
}

// A contour segment given in (distance from the axis, depth), drawn right and then mirrored.
void wall(DrawingTarget& t, const DesignState& s, double d1, double y1, double d2, double y2) {
    segment(t, s.AxisX + d1, s.EntryY + y1, s.AxisX + d2, s.EntryY + y2, kBlack);
    segment(t, s.AxisX - d1, s.EntryY + y1, s.AxisX - d2, s.EntryY + y2, kBlack);
}

// The supersonic wall as the envelope of lines joining evenly stepped points of S-P and P-E:
// a parabola tangent to the outlet fillet at S and to the exit cone at the lip E.
void supersonic(DrawingTarget& t, const DesignState& s, const Profile& p) {
    const double sx = p.x2, sy = p.y2, px = p.xP, py = p.yP, ex = p.ra, ey = p.ln;
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
        wall(t, s, qx, qy, x, y);
        a0x = ax;
        a0y = ay;
        b0x = bx;
        b0y = by;
        qx = x;
        qy = y;
    }
    wall(t, s, qx, qy, bx, by);
}

void contour(DrawingTarget& t, const DesignState& s, const Profile& p) {
    const double ax = s.AxisX, ey = s.EntryY;
    if (p.rc >= p.x1) wall(t, s, p.rc, 0, p.x1, p.y1);
    arc(t, ax + p.rkr + p.rint, ey + p.yT, p.rint, kBlack, kPi - p.qc, kPi);
    arc(t, ax - p.rkr - p.rint, ey + p.yT, p.rint, kBlack, 0, p.qc);
    arc(t, ax + p.rkr + p.rout, ey + p.yT, p.rout, kBlack, kPi, kPi + p.qm);
    arc(t, ax - p.rkr - p.rout, ey + p.yT, p.rout, kBlack, 2 * kPi - p.qm, 0);
    supersonic(t, s, p);
}

std::string value(float v, char sep) {
    return formatLabel(v, sep);
}

// An angle between the downward vertical at a wall point and the wall going down from it.
void downwardAngle(DrawingTarget& t, double x, double y, double angle, double ext, double arcR) {
    segment(t, x, y, x, y + ext, kGrey);
    segment(t, x, y, x + ext * std::sin(angle), y + ext * std::cos(angle), kGrey);
    arc(t, x, y, arcR, kGrey, 3.0 / 2.0 * kPi, 3.0 / 2.0 * kPi + angle);
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
    arc(t, cx, ey, arcR, kGrey, kPi / 2 - p.qc, kPi / 2);
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
    const double a1 = (angle - 10.0) / 180 * kPi, a2 = (angle + 10.0) / 180 * kPi;
    segment(target, x, y, x - length * std::cos(a1), y + length * std::sin(a1), colour);
    segment(target, x, y, x - length * std::cos(a2), y + length * std::sin(a2), colour);
}

void drawContour(DrawingTarget& target, const DesignState& state, float scale) {
    contour(target, state, profileOf(state, scale));
}

void drawNozzle(DrawingTarget& target, const DesignState& state, float scale, OutputMode mode,
                int width, char decimalSeparator) {
    const Profile p = profileOf(state, scale);
    target.setDrawWidth(width);
    target.setDrawStyle(kSolid);
    contour(target, state, p);
    if (rulesOf(mode).dimensions) dimensions(target, state, p, decimalSeparator);
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
