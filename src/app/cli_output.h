// The drawing outputs of the command-line tool: PNG of the sheet, PDF page, recording.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "design_state.h"
#include "output_mode.h"

namespace tavro {

struct OutputOptions {
    std::string png, pdf, record;
    int width = 700, height = 1000;
    OutputMode pdfMode = OutputMode::Drawing;  // the printed drawing or the template
    bool half = false;                         // the template as a half profile
    std::string paper = "A4";                  // A4, A3 or Letter
    bool landscape = false;
    int maxPages = 200;  // a template of more pages is refused
    bool any() const { return !png.empty() || !pdf.empty() || !record.empty(); }
};

extern const char* const kOutputUsage;

bool isOutputOption(const std::string& arg);
// Reads the option at args[i] and its value (moving i onto it); "" or why it is wrong.
std::string parseOutputOption(const std::vector<std::string>& args, size_t& i, OutputOptions& o);

// Draws the computed design into every requested output and returns the exit status: an
// output is written only when its drawing was made completely.
int drawOutputs(const OutputOptions& o, DesignState& state, char decimalSeparator,
                std::ostream& err);

}  // namespace tavro
