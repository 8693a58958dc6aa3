// Shared helpers of the contour tests: computed designs by their field texts.
#pragma once

#include <ostream>
#include <string>

#include "contour.h"
#include "design_state.h"
#include "example_design.h"

namespace tavro::test {

// A design as typed into the fields: Rkr, Qa, k, Pk, H, Rc, Qc; computed by sCore.
struct Typed {
    const char* name;
    const char *rkr, *qa, *k, *pk, *h, *rc, *qc;
};

inline void PrintTo(const Typed& t, std::ostream* os) {
    *os << t.name;
}

inline DesignState computed(const Typed& t) {
    return computedExample({{kRowRkr, t.rkr},
                            {kRowQa, t.qa},
                            {kRowK, t.k},
                            {kRowPk, t.pk},
                            {kRowH, t.h},
                            {kRowRc, t.rc},
                            {kRowQc, t.qc},
                            {kRowTitle, "Сопло"}});
}

// Buildable designs covering the cone, a near-radial one, the fillet reaching the entrance and a
// flat entrance face.
inline const Typed kDesigns[] = {
    {"cone", "10", "10", "1.24", "5", "0", "30", "45"},
    {"fillet", "10", "10", "1.24", "5", "0", "12", "45"},
    {"no_entrance", "10", "10", "1.24", "5", "0", "", ""},
    {"flat_entrance", "10", "10", "1.24", "5", "0", "30", "100"},
    {"small_high", "2.5", "12", "1.2", "10", "3000", "6", "30"},
    {"large", "60", "10", "1.24", "5", "0", "150", "60"},
    {"steep_cone", "10", "10", "1.24", "5", "0", "45", "80"},
};

inline std::string testName(const ::testing::TestParamInfo<Typed>& info) {
    return info.param.name;
}

}  // namespace tavro::test
