// The example design the tests compute, with whatever field texts a test changes.
#pragma once

#include <iostream>
#include <map>
#include <string>

#include "core.h"
#include "design_state.h"
#include "inputs.h"

namespace tavro::test {

// Field texts by row.
using FieldTexts = std::map<int, std::string>;

// The example Rkr=10 Qa=10 k=1.24 Pk=5 H=0 (no entrance radius or angle), the given rows typed
// over it, computed by sCore as the program computes it. shown receives the field texts when
// given.
inline DesignState computedExample(const FieldTexts& changed = {}, FieldTable* shown = nullptr) {
    FieldTable local;
    FieldTable& fields = shown ? *shown : local;
    FieldTexts texts = {
        {kRowRkr, "10"}, {kRowQa, "10"}, {kRowK, "1.24"}, {kRowPk, "5"}, {kRowH, "0"}};
    for (const auto& [row, text] : changed) texts[row] = text;
    for (const auto& [row, text] : texts) fields.setText(row, text);
    DesignState state;
    state.InRange = true;
    loadDesignValues(state, fields);
    StreamReporter reporter(std::cerr);  // the example computes without a fault
    sCore(state, fields, '.', reporter);
    return state;
}

}  // namespace tavro::test
