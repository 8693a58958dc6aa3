// The nozzle's wall profile points from the design values, and whether that wall can be built.
#pragma once

#include "design_state.h"

namespace tavro {

// A point of the right half-profile: distance from the axis and depth below the entrance plane.
struct WallPoint {
    double x = 0, y = 0;
};

// The profile's key points, in millimetres. The supersonic wall is the curve
// tangent to the wall line through S inclined Qm to the axis and to the one through the exit
// lip E inclined Qa; P is where those two lines cross.
struct WallProfile {
    double x1 = 0, y1 = 0;  // where the inlet fillet meets the cone
    double yT = 0;          // depth of the throat
    WallPoint S;            // end of the outlet fillet
    WallPoint P;            // crossing of the two wall tangents
    WallPoint E;            // exit lip (Ra, Ln)
};

// Distance from the axis at which an inlet fillet of radius rint round a throat of radius rkr
// meets a cone inclined qc (radians) to the axis: the calculation's y1 and the profile's x1.
double inletTangentRadius(double rkr, double rint, double qc);

// The profile of a computed design. Throws CalcFault where it has no crossing (Qm equal to Qa)
// or a tangent is undefined.
WallProfile wallProfile(const DesignState& s);

// Whether the supersonic wall exists as drawn and cut: both angles open outward and the tangent
// crossing lies strictly between the outlet fillet's end and the exit lip in both directions.
// Otherwise the curve would run past the exit and hook back, or loop above the throat.
bool wallIsBuildable(const DesignState& s);

}  // namespace tavro
