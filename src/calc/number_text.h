// Field texts to numbers and numbers to displayed texts, independent of the C locale.
#pragma once

#include <string>

namespace tavro {

// The number rule of the fields: blanks, tabs and line feeds are dropped, then a leading
// decimal number ("." or "," as the point, optional E/D exponent) or an &H/&O integer is read;
// anything else reads as 0. Throws CalcFault when the number is too large for a double, and
// when a second decimal separator follows the fraction ("1.2.3").
double readNumber(const std::string& text);

// A single value in a fixed number of decimals ("0.00", "0.0000"): the value's 7-significant-
// digit text is rounded half away from zero, so 134.175 shows as 134.18.
std::string formatFixed(float value, int decimals, char decimalSeparator);

// The shortest text of a single value with at most 7 significant digits, as a number is written
// into a field (10.0001, 23, 1E+07).
std::string formatShortest(float value, char decimalSeparator);

// A value rounded to a number of decimals (ties to the even digit) in plain form without
// trailing zeros or exponent, as the scale legend shows it.
std::string formatRounded(float value, int decimals, char decimalSeparator);

// A drawing label's number: rounded to 2 decimals exactly as the "0.00" result fields round it,
// then without trailing zeros, so that the drawing and the fields never disagree.
std::string formatLabel(float value, char decimalSeparator);

}  // namespace tavro
