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

// Which of sCore's checks a design meets first: the calculation itself tells, so that the
// operating ranges follow its rules wherever they change.
enum class CoreCheck {
    Passed,
    NoExpansion,       // the expansion ratio cannot be computed (range exit 1)
    OutsideChart,      // the exit-to-throat radius ratio lies outside the diffuser chart
    WallNotBuildable,  // the supersonic wall cannot be made
    Fault,             // an arithmetic fault
};

// sCore's calculation on the given design, writing no field and reporting nothing: a scan may
// run it thousands of times. The design's values end as sCore leaves them.
CoreCheck checkCore(DesignState& design);

// Clamps Rc and Qc, computes the results and writes rows 8, 9 (when clamped) and 11 to 21. An
// arithmetic fault goes to the reporter.
CoreOutcome sCore(DesignState& state, Fields& fields, char decimalSeparator, Reporter& reporter);

// sCore as the window's commands run it: a design outside the charts keeps no result of an
// earlier design, neither in rows 11 to 20 nor in the values the drawing reads.
CoreOutcome computeDesign(DesignState& state, Fields& fields, char decimalSeparator,
                          Reporter& reporter);

}  // namespace tavro
