// What a computed nozzle gives: thrust coefficient, thrust, exit Mach number and separation.
#pragma once

#include <string>
#include <vector>

#include "design_state.h"

namespace tavro {

// Below this ratio of exit to ambient pressure the flow leaves the wall inside the nozzle
// (Summerfield's criterion).
constexpr double kSeparationRatio = 0.4;

// Ideal frozen isentropic flow through the designed nozzle, which expands to exactly the
// ambient pressure of its design altitude.
struct Performance {
    double machExit = 0;
    double cfDesign = 0, cfSeaLevel = 0, cfVacuum = 0;
    double thrustDesign = 0, thrustSeaLevel = 0, thrustVacuum = 0;  // N
    double exitOverAmbientSeaLevel = 0;                             // pe/pa at sea level
    bool separatedSeaLevel = false;
    double divergenceFactor = 0;  // (1 + cos Qa)/2, the share of the momentum along the axis
};

// The figures of a computed, in-range design (k, Pk, Pa, FFa, Rkr, Qa as sCore left them).
Performance performanceOf(const DesignState& design);

// The altitude (m) below which the flow leaves the wall; 0 when it stays attached at sea level.
double separationCeiling(const DesignState& design);

// Thrust coefficient of the design at an ambient pressure pa (MPa).
double thrustCoefficientAt(const DesignState& design, double pa);

// One altitude of the thrust curve.
struct ThrustPoint {
    double altitude = 0;  // m
    double ambient = 0;   // MPa
    double cf = 0;
    double thrust = 0;  // N
    bool separated = false;
};

// Every 500 m from 0 to 30000 m and at the design altitude, in ascending altitude.
std::vector<ThrustPoint> thrustCurve(const DesignState& design);

// The thrust curve as a table a spreadsheet opens: UTF-8 with a byte-order mark, CR LF, ";"
// between columns when the decimal separator is a comma, else ",".
std::string thrustCurveCsv(const std::vector<ThrustPoint>& curve, char decimalSeparator);

}  // namespace tavro
