// What the design gives, on the command line: --performance, --range and --thrust-curve.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "design_state.h"

namespace tavro {

struct FigureOptions {
    bool performance = false, range = false;
    std::string thrustCurve;
};

extern const char* const kFigureUsage;

bool isFigureOption(const std::string& arg);
// Reads the option at args[i] (and the file name after --thrust-curve, moving i onto it); ""
// or why it is wrong.
std::string parseFigureOption(const std::vector<std::string>& args, size_t& i, FigureOptions& o);

// The rows after "outcome": the figures of a design in range (none for one that is not) and
// the operating ranges of both.
void printFigures(const FigureOptions& o, const DesignState& state, bool computed,
                  std::ostream& out);

// Writes the thrust curve of a computed design when asked; returns the exit status.
int writeThrustCurve(const FigureOptions& o, const DesignState& state, char decimalSeparator,
                     std::ostream& err);

}  // namespace tavro
