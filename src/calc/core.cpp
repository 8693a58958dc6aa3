// The core nozzle calculation: inputs of the design state to every result and result field.
#include "core.h"

#include <cmath>
#include <limits>

#include "faults.h"
#include "graph.h"
#include "number_text.h"
#include "physics.h"
#include "pi.h"
#include "wall.h"

namespace tavro {
namespace {

void writeResults(const DesignState& s, Fields& f, char sep) {
    f.setText(kRowPa, formatFixed(s.Pa, 4, sep));
    const float results[] = {s.FFa, s.RRa, s.LLa, s.Qm, s.Ra, s.Rint, s.Rout, s.La, s.Ln};
    int row = kRowFFa;
    for (float v : results) f.setText(row++, formatFixed(v, 2, sep));
    f.setText(kRowNote, s.Note);
}

CoreOutcome compute(DesignState& s, Fields& f, char sep) {
    const double Rkr = s.Rkr;
    s.Rint = single(Rkr * 1.5);
    s.Rout = single(Rkr * 0.45);
    s.Pa = AirPressure(s.H);
    s.FFa = ExpansionRatio(s.Pa, s.Pk, s.k);
    if (!(s.FFa > 0)) {
        s.InRange = false;
        return CoreOutcome::OffDesign;
    }
    s.Ra = single(power(Rkr * Rkr * s.FFa, 0.5));
    s.RRa = single(div(s.Ra, Rkr));
    s.LLa = DiffuserLengthChart(s.RRa, s.Qa);
    if (!(s.LLa > 0)) {
        s.InRange = false;
        return CoreOutcome::OffDesign;
    }
    s.La = single(static_cast<double>(s.LLa) * Rkr);
    s.Qm = OpeningAngleChart(s.RRa, s.LLa);

    if (!(s.Rc > s.Rkr)) {
        s.Rc = single(Rkr + 0.0001);
        // A large throat absorbs the 0.0001; the entrance must still be wider than the throat.
        if (!(s.Rc > s.Rkr)) s.Rc = std::nextafter(s.Rkr, std::numeric_limits<float>::infinity());
        f.setText(kRowRc, formatShortest(s.Rc, sep));
    }
    if (s.Qc < 23) {
        s.Qc = 23;
        f.setText(kRowQc, "23");
    }
    if (s.Qc > 90) {
        s.Qc = 90;
        f.setText(kRowQc, "90");
    }

    const double q = static_cast<double>(s.Qc / 180.0f) * kCalcPi;
    const double Rint = s.Rint;
    const double y1 = finite(inletTangentRadius(Rkr, Rint, q));
    if (s.Rc >= y1) {
        // The convergent cone exists between the entrance and the inlet fillet.
        s.Ln = single(div(s.Rc - y1, std::tan(q)) + (Rint * std::sin(q) + s.La));
    } else {
        // The inlet fillet reaches the entrance radius before the entry angle.
        const float a = single(Rint + Rkr - s.Rc);
        const double e = static_cast<double>(s.Rc) - Rkr - Rint;
        const double sLen = power(Rint * Rint - e * e, 0.5);
        s.Qc = single(std::atan(div(sLen, a)) / kCalcPi * 180);
        s.Ln = single(sLen + s.La);
    }
    if (!wallIsBuildable(s)) {
        s.InRange = false;
        return CoreOutcome::OffDesign;
    }
    writeResults(s, f, sep);
    return CoreOutcome::Ok;
}

}  // namespace

CoreOutcome sCore(DesignState& state, Fields& fields, char decimalSeparator, Reporter& reporter) {
    try {
        return compute(state, fields, decimalSeparator);
    } catch (const CalcFault&) {
        reporter.reportError("sCore");
        return CoreOutcome::Error;
    }
}

CoreOutcome computeDesign(DesignState& state, Fields& fields, char decimalSeparator,
                          Reporter& reporter) {
    const CoreOutcome outcome = sCore(state, fields, decimalSeparator, reporter);
    if (outcome == CoreOutcome::OffDesign) {
        state.Pa = state.FFa = state.RRa = state.LLa = state.Qm = 0;
        state.Ra = state.Rint = state.Rout = state.La = state.Ln = 0;
        for (int r = kRowPa; r <= kRowLn; ++r) fields.setText(r, "");
    }
    return outcome;
}

}  // namespace tavro
