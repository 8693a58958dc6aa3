// The core nozzle calculation: inputs of the design state to every result and result field.
#pragma once

#include "design_state.h"
#include "faults.h"

namespace tavro {

enum class CoreOutcome {
    Ok,         // results computed and written into the fields
    OffDesign,  // the design lies outside the charts: InRange cleared, fields untouched
    Error,      // an arithmetic fault; "sCore" has been reported
};

// Clamps Rc and Qc, computes the results and writes rows 8, 9 (when clamped) and 11 to 21. An
// arithmetic fault goes to the reporter.
CoreOutcome sCore(DesignState& state, Fields& fields, char decimalSeparator, Reporter& reporter);

// sCore as the window's commands run it: a design outside the charts keeps no result of an
// earlier design, neither in rows 11 to 20 nor in the values the drawing reads.
CoreOutcome computeDesign(DesignState& state, Fields& fields, char decimalSeparator,
                          Reporter& reporter);

}  // namespace tavro
