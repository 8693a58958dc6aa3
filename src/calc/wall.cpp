// The nozzle's wall profile points from the design values, and whether that wall can be built.
#include "wall.h"

#include <cmath>

#include "faults.h"
#include "pi.h"

namespace tavro {

double inletTangentRadius(double rkr, double rint, double qc) {
    return (1 - std::cos(qc)) * rint + rkr;
}

WallProfile wallProfile(const DesignState& s) {
    const double qc = s.Qc / 180.0 * kCalcPi, qm = s.Qm / 180.0 * kCalcPi;
    const double qa = s.Qa / 180.0 * kCalcPi;
    const double rc = s.Rc, rkr = s.Rkr, ra = s.Ra;
    const double rint = s.Rint, rout = s.Rout, ln = s.Ln;
    WallProfile w;
    w.x1 = inletTangentRadius(rkr, rint, qc);
    w.y1 = div(rc - w.x1, std::tan(qc));
    w.yT = w.y1 + rint * std::sin(qc);
    w.S = {rkr + rout * (1 - std::cos(qm)), w.yT + rout * std::sin(qm)};
    w.E = {ra, ln};
    // Parallel tangents (Qm equal to Qa) have no crossing: the division faults.
    const double cotM = div(1, std::tan(qm)), cotA = div(1, std::tan(qa));
    w.P.x = div((ln - w.S.y) + w.S.x * cotM - ra * cotA, cotM - cotA);
    w.P.y = finite((w.P.x - w.S.x) * cotM + w.S.y);
    return w;
}

bool wallIsBuildable(const DesignState& s) {
    if (!(s.Qm > 0 && s.Qa > 0) || s.Qm == s.Qa) return false;
    const WallProfile w = wallProfile(s);
    return w.S.x < w.P.x && w.P.x < w.E.x && w.S.y < w.P.y && w.P.y < w.E.y;
}

}  // namespace tavro
