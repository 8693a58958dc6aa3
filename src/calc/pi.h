// The values of pi the nozzle's routines use: each keeps the one it was written with.
#pragma once

namespace tavro {

// The ten-digit value with which the core calculation and the drawing turn degrees into radians
// and back; the drawing's arc angles follow it, so it stays exactly this.
constexpr double kCalcPi = 3.1415926536;

// The eight-decimal value of the gravity formula.
constexpr double kGravityPi = 3.14159265;

// Pi to double precision, for geometry no routine prescribes: sweeps of arcs, chords, facets,
// and angles handed to outside formats.
constexpr double kPi = 3.14159265358979323846;

}  // namespace tavro
