// The nozzle drawing's entry point: sheet set-up, scale, axis, title, legend and note.
#pragma once

#include <string>

#include "design_state.h"
#include "drawing_target.h"
#include "faults.h"
#include "output_mode.h"
#include "template_plan.h"

namespace tavro {

// How a call of Rebuilder ended, for callers that must know (the printing commands, the tool).
enum class RebuildOutcome {
    Drawn,      // the drawing is complete (and on paper the page was finished)
    Blank,      // nothing to draw: the window shows the blank-sheet prompt
    OffDesign,  // the design lies outside the charts: reported so, nothing touched
    Failed,     // an error was reported; on paper the page was not finished
};

// What sets the outputs apart; everything else is drawn alike on each of them.
struct OutputRules {
    int units;         // kScaleUser: the window's own sheet; kScaleMillimetres: paper
    bool fullSize;     // scale 1 on planned pages with their marks, else fitted to the sheet
    bool dimensions;   // dimension lines and labels
    int contourWidth;  // the wall's drawing width
    double margin;     // how far ink keeps from the sheet's edge, in its units
    bool scaleBar;     // the printed scale bar
    // Paper shows the scale legend, keeps the drawing clear of it and of the note, and ends its
    // document; the window's sheet is measured as it stands and erased before it is drawn.
    bool paper() const { return units == kScaleMillimetres; }
};
const OutputRules& rulesOf(OutputMode mode);

// What a call of Rebuilder is to produce, as its caller states it.
struct Output {
    // Implicit: most callers name only the mode.
    Output(OutputMode m) : mode(m) {}
    Output(OutputMode m, Rgb face) : mode(m), buttonFace(face) {}
    OutputMode mode;
    // The window's background under the blank-sheet prompt.
    Rgb buttonFace = kDefaultButtonFace;
    // A template's pages, planned by the caller for the paper it has set up; without a plan
    // the template is planned on the target's page as it is.
    const TemplatePlan* plan = nullptr;
};

// Sheet units per millimetre that fit the nozzle on the sheet; 0 when there is nothing to draw.
float FitScale(double length, double radius1, double radius2, double sheetHeight,
               double sheetWidth);

// The prompt on the window's sheet when there is no drawable design.
void BlankSheet(DrawingTarget& sheet, Rgb buttonFace);

// Draws the design on the target as the output the caller names. Writes AxisX and EntryY;
// numbers use the given decimal separator. A design outside the charts and a fault go to the
// reporter.
RebuildOutcome Rebuilder(DrawingTarget& target, DesignState& state, const Output& output,
                         char decimalSeparator, Reporter& reporter);

// The contour and, where the output has them, its dimensions; false when an error was reported.
bool NozzleBuilder(DrawingTarget& target, const DesignState& state, float scale, OutputMode mode,
                   int width, char decimalSeparator, Reporter& reporter);

// The grey outline of the blank; false when an error was reported.
bool BodyBuilder(DrawingTarget& target, double length, double exitRadius, double entryRadius,
                 double axisX, double entryY, double scale, Reporter& reporter);

// An arrowhead with its tip at (x, y) pointing along angle degrees (counterclockwise, 0 = +x).
void DrawArrow(DrawingTarget& target, float x, float y, float length, Rgb colour, float angle);

}  // namespace tavro
