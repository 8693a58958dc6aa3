// Input validation and the binding of field rows to design values.
#pragma once

#include <string>

#include "design_state.h"

namespace tavro {

// Empty when the inputs are acceptable; otherwise the message, with row set to the row of the
// first rejected input (2 to 6). Rc and Qc are not checked: the calculation clamps them.
std::string CheckInputs(float Rkr, float Qa, float k, float Pk, float H, float Rc, float Qc,
                        int& row);

// CheckInputs at the compute command: an input row whose text holds no single value (beyond
// single precision, or two decimal separators) never reached its design value, so it is rejected
// with that row's message; rows 8 and 9 likewise, after rows 2 to 6.
std::string CheckEntries(const DesignState& state, const Fields& fields, int& row);

// Stores a number read by the field rule. A text that holds no single value stores 0, as a text
// without a number does, and returns false.
bool storeNumber(float& target, const std::string& text);

// Writes the design value(s) of one row from the field texts, as leaving a changed field does:
// row 8 re-reads both Rc and Qc. Rows without a design value change nothing.
void storeRow(DesignState& state, const Fields& fields, int row);

// Sets Title, the seven inputs and Note from the texts of rows 0, 2-6, 8, 9 and 21, as loading a
// file and Restore do. Results are left alone.
void loadDesignValues(DesignState& state, const Fields& fields);

// Title and Note empty, all seventeen numbers 0.
void clearDesign(DesignState& state);

}  // namespace tavro
