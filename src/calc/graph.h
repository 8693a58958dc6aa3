// The two empirical design charts of the profiled diffuser.
#pragma once

namespace tavro {

// Relative diffuser length Lдиф/Rкр for relative exit radius RRa and exit half-angle Qa
// (degrees); -1 when Qa is outside 9-15, -2 when the result is outside the chart. Arithmetic
// faults propagate to the caller.
float DiffuserLengthChart(float RRa, float Qa);

// Opening angle Qm (degrees) behind the throat for RRa and LLa; -1 when LLa is outside 4-20 or
// the computation fails. Not limited: points beyond the outer curves are extrapolated.
float OpeningAngleChart(float RRa, float LLa);

}  // namespace tavro
