// Numbers as text for files and tables, whatever locale the program runs under.
#pragma once

#include <string>

namespace tavro {

// A value in a fixed number of decimals with the given separator; never "-0.000".
std::string fixedText(double value, int decimals, char decimalSeparator = '.');

// A value in plain decimal form with at most the given decimals, trailing zeros dropped.
std::string plainText(double value, int decimals);

}  // namespace tavro
