// What a computed nozzle gives: thrust coefficient, thrust, exit Mach number and separation.
#include "performance.h"

#include <algorithm>
#include <cmath>

#include "decimal_text.h"
#include "physics.h"
#include "pi.h"

namespace tavro {
namespace {

constexpr double kCurveTop = 30000;  // m
constexpr double kCurveStep = 500;   // m

// Momentum thrust coefficient of full expansion from pc to pe (Sutton & Biblarz, eq. 3-30).
double momentumCoefficient(double k, double pe, double pc) {
    const double expansion = 1 - std::pow(pe / pc, (k - 1) / k);
    const double g = 2 * k * k / (k - 1) * std::pow(2 / (k + 1), (k + 1) / (k - 1));
    return std::sqrt(g * expansion);
}

double throatArea(const DesignState& d) {
    const double r = d.Rkr;
    return kPi * r * r;
}

}  // namespace

double thrustCoefficientAt(const DesignState& d, double pa) {
    const double pe = d.Pa, pc = d.Pk;
    return momentumCoefficient(d.k, pe, pc) + (pe - pa) / pc * d.FFa;
}

Performance performanceOf(const DesignState& d) {
    const double k = d.k, pe = d.Pa, pc = d.Pk;
    const double seaLevel = AirPressure(0);
    Performance p;
    p.machExit = std::sqrt(2 / (k - 1) * (std::pow(pc / pe, (k - 1) / k) - 1));
    p.cfDesign = thrustCoefficientAt(d, pe);
    p.cfSeaLevel = thrustCoefficientAt(d, seaLevel);
    p.cfVacuum = thrustCoefficientAt(d, 0);
    const double force = pc * throatArea(d);
    p.thrustDesign = p.cfDesign * force;
    p.thrustSeaLevel = p.cfSeaLevel * force;
    p.thrustVacuum = p.cfVacuum * force;
    p.exitOverAmbientSeaLevel = pe / seaLevel;
    p.separatedSeaLevel = p.exitOverAmbientSeaLevel < kSeparationRatio;
    p.divergenceFactor = (1 + std::cos(static_cast<double>(d.Qa) * kPi / 180)) / 2;
    return p;
}

double separationCeiling(const DesignState& d) {
    const double pe = d.Pa;
    auto separated = [pe](double h) {
        return pe < kSeparationRatio * AirPressure(static_cast<float>(h));
    };
    if (!separated(0)) return 0;
    // At the design altitude the ambient pressure equals the exit pressure: attached flow.
    double lo = 0, hi = d.H;
    for (int i = 0; i < 40 && hi - lo > 0.1; ++i) {
        const double m = (lo + hi) / 2;
        (separated(m) ? lo : hi) = m;
    }
    return lo;
}

std::vector<ThrustPoint> thrustCurve(const DesignState& d) {
    std::vector<double> heights;
    for (int i = 0; i * kCurveStep <= kCurveTop; ++i) heights.push_back(i * kCurveStep);
    const double design = d.H;
    const auto at = std::lower_bound(heights.begin(), heights.end(), design);
    if (at == heights.end() || *at != design) heights.insert(at, design);
    const double force = static_cast<double>(d.Pk) * throatArea(d);
    std::vector<ThrustPoint> curve;
    curve.reserve(heights.size());
    for (double h : heights) {
        ThrustPoint p;
        p.altitude = h;
        p.ambient = AirPressure(static_cast<float>(h));
        p.cf = thrustCoefficientAt(d, p.ambient);
        p.thrust = p.cf * force;
        p.separated = static_cast<double>(d.Pa) < kSeparationRatio * p.ambient;
        curve.push_back(p);
    }
    return curve;
}

std::string thrustCurveCsv(const std::vector<ThrustPoint>& curve, char sep) {
    const char column = sep == ',' ? ';' : ',';
    // Names with a comma before their unit are quoted, as in the lathe table.
    std::string t = "\xEF\xBB\xBF";
    t += std::string("\"высота, м\"") + column + "\"давление среды, МПа\"" + column + "\"Cf\"" +
         column + "\"тяга, Н\"" + column + "\"отрыв потока\"\r\n";
    for (const ThrustPoint& p : curve) {
        t += fixedText(p.altitude, 0, sep) + column + fixedText(p.ambient, 6, sep) + column +
             fixedText(p.cf, 4, sep) + column + fixedText(p.thrust, 1, sep) + column +
             (p.separated ? "да" : "нет") + "\r\n";
    }
    return t;
}

}  // namespace tavro
