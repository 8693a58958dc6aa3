// The one table of workshop formats: how the window offers each file, how the tool asks for it
// and which writer makes its bytes. Adding a format is one row here and one writer.
#pragma once

#include <string>
#include <vector>

#include "contour.h"
#include "design_state.h"

namespace tavro {

// What a writer needs besides the contour.
struct WorkshopJob {
    const DesignState& design;  // its title and inputs go into the files' notes
    double step = 1;            // mm between the station table's regular rows
    char decimalSeparator = '.';
    std::string* why = nullptr;  // receives the reason when a writer gives no bytes
};

struct WorkshopFormat {
    const char* name;     // as the tool's messages name it
    const char* caption;  // item of the "экспорт контура" submenu
    const char* filter;   // the save dialog's filter
    const char* suffix;   // offered after the document's name
    const char* option;   // the tool's option taking the file's name
    const char* help;     // the tool's usage text for the option
    bool stepped;         // its rows are spaced by the step (the tool's --step)
    std::string (*write)(const Contour& contour, const WorkshopJob& job);
};

// The formats this build writes, in the submenu's order. STEP is among them only when the
// program was built with Open CASCADE.
const std::vector<WorkshopFormat>& workshopFormats();

// Whether this build writes STEP solids.
bool writesStep();

}  // namespace tavro
