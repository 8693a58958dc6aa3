// The workshop files on the command line: one option per format of the table, --step.
#pragma once

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "design_state.h"
#include "workshop_formats.h"

namespace tavro {

struct ContourOptions {
    // The files asked for, in the order asked.
    std::vector<std::pair<const WorkshopFormat*, std::string>> files;
    double step = 1;  // mm between the table's regular stations
    bool stepGiven = false;
};

// The usage lines of the formats' options, and a word when this build writes no STEP.
std::string contourUsage();

bool isContourOption(const std::string& arg);
// Reads the option at args[i] and its value (moving i onto it); "" or why it is wrong.
std::string parseContourOption(const std::vector<std::string>& args, size_t& i, ContourOptions& o);
// What is wrong with the options once all are read; empty when nothing.
std::string contourOptionsProblem(const ContourOptions& o);

// Writes every requested file of a computed design and returns the exit status. A design
// whose contour cannot be made writes nothing and gives the off-design status.
int writeContourFiles(const ContourOptions& o, const DesignState& state, char decimalSeparator,
                      std::ostream& err);

}  // namespace tavro
