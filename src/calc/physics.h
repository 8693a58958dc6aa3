// Gravity, the layered atmosphere and the isentropic expansion ratio of the nozzle.
#pragma once

namespace tavro {

// Latitude at which the design's gravity is taken, degrees.
constexpr float DesignLatitude = 55.75f;

// Gravitational acceleration (m/s²) at a latitude (degrees) and altitude (m). Faults propagate.
float Gravity(float latitude, float altitude);

// Air temperature (K) at an altitude (m) for a sea-level temperature T0 (K). Faults propagate.
float AirTemperature(float T0, float altitude);

// Ambient pressure (MPa) at an altitude (m): the exit pressure of a fully expanded nozzle.
float AirPressure(float H);

// Isentropic area ratio Fa/Fкр for exit pressure pa, chamber pressure pk and adiabatic index k;
// -1 when it cannot be computed.
float ExpansionRatio(float pa, float pk, float k);

}  // namespace tavro
