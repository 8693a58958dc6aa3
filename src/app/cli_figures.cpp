// What the design gives, on the command line: --performance, --range and --thrust-curve.
#include "cli_figures.h"

#include <ostream>

#include "cli.h"
#include "decimal_text.h"
#include "operating_range.h"
#include "performance.h"
#include "safe_file.h"

namespace tavro {

const char* const kFigureUsage =
    "  --performance            after the outcome, thrust, thrust coefficient and exit Mach\n"
    "                           number of a computed design (ideal isentropic flow)\n"
    "  --range                  after the outcome, the chamber pressures (0.5-30 MPa) and\n"
    "                           altitudes (0-150000 m) at which the design computes\n"
    "  --thrust-curve FILE      thrust against altitude, 0-30000 m every 500 m (CSV)\n";

namespace {

void row(std::ostream& out, const char* name, const std::string& value) {
    out << name << '\t' << value << '\n';
}

void rangeRows(std::ostream& out, const char* name, const std::vector<Interval>& spans,
               int decimals) {
    if (spans.empty()) row(out, name, "none");
    for (const Interval& i : spans) {
        row(out, name, fixedText(i.lo, decimals, '.') + '\t' + fixedText(i.hi, decimals, '.'));
    }
}

}  // namespace

bool isFigureOption(const std::string& a) {
    return a == "--performance" || a == "--range" || a == "--thrust-curve";
}

std::string parseFigureOption(const std::vector<std::string>& args, size_t& i, FigureOptions& o) {
    const std::string& a = args[i];
    if (a == "--performance") {
        o.performance = true;
    } else if (a == "--range") {
        o.range = true;
    } else {
        if (i + 1 >= args.size() || args[i + 1].empty()) return a + " needs a value";
        o.thrustCurve = args[++i];
    }
    return "";
}

void printFigures(const FigureOptions& o, const DesignState& state, bool computed,
                  std::ostream& out) {
    if (o.performance && computed) {
        const Performance p = performanceOf(state);
        row(out, "mach_exit", fixedText(p.machExit, 3, '.'));
        row(out, "cf_design", fixedText(p.cfDesign, 4, '.'));
        row(out, "cf_sea_level", fixedText(p.cfSeaLevel, 4, '.'));
        row(out, "cf_vacuum", fixedText(p.cfVacuum, 4, '.'));
        row(out, "thrust_design_n", fixedText(p.thrustDesign, 1, '.'));
        row(out, "thrust_sea_level_n", fixedText(p.thrustSeaLevel, 1, '.'));
        row(out, "thrust_vacuum_n", fixedText(p.thrustVacuum, 1, '.'));
        row(out, "pe_over_pa_sea_level", fixedText(p.exitOverAmbientSeaLevel, 3, '.'));
        row(out, "separation_sea_level", p.separatedSeaLevel ? "yes" : "no");
        row(out, "divergence_factor", fixedText(p.divergenceFactor, 4, '.'));
    }
    if (o.range) {
        const OperatingRanges r = operatingRanges(state);
        rangeRows(out, "pk_range_mpa", r.pk, 2);
        rangeRows(out, "h_range_m", r.h, 0);
    }
}

int writeThrustCurve(const FigureOptions& o, const DesignState& state, char decimalSeparator,
                     std::ostream& err) {
    if (o.thrustCurve.empty()) return kExitOk;
    const std::string csv = thrustCurveCsv(thrustCurve(state), decimalSeparator);
    std::string why;
    if (!replaceFile(o.thrustCurve, QByteArray::fromStdString(csv), &why)) {
        err << o.thrustCurve << ": not saved: " << why << '\n';
        return kExitSaveFailed;
    }
    return kExitOk;
}

}  // namespace tavro
