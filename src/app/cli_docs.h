// Parameter files on the command line: "open FILE" and "--save FILE".
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "design_state.h"

namespace tavro {

struct DocOptions {
    bool open = false;     // the command is "open": the design comes from a parameter file
    std::string openPath;  // that file
    std::string savePath;  // where to save the rows after the calculation; empty: no save
};

// Takes args[i] when it is a document argument (--save FILE, or the file of "open"), moving i
// past its value. why tells what is wrong with a taken argument.
bool takeDocArgument(const std::vector<std::string>& args, size_t& i, DocOptions& options,
                     std::string& why);

// What is missing from the document arguments once all are read; empty when nothing.
std::string docArgumentsProblem(const DocOptions& options);

// For "open": loads the file into the start-up fields and the design, as the window's Open
// does. False, with the reason on err, when the file holds no design (missing, unreadable,
// fewer than 22 rows, not text): there is then nothing to compute or save.
bool loadDocument(const DocOptions& options, DesignState& state, Fields& fields, std::ostream& err);

// Saves the rows when --save was given; false, with the reason on err, when that failed.
bool saveDocument(const DocOptions& options, DesignState& state, const Fields& fields,
                  std::ostream& err);

}  // namespace tavro
