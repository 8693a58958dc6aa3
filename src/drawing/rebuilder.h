// The nozzle drawing's entry point: sheet set-up, scale, axis, title, legend and note.
#pragma once

#include <functional>
#include <string>

#include "design_state.h"
#include "drawing_target.h"
#include "template_plan.h"

namespace tavro {

// How a call of Rebuilder ended, for callers that must know (the printing commands, the tool).
enum class RebuildOutcome {
    Drawn,      // the drawing is complete (and on paper the page was finished)
    Blank,      // nothing to draw: the window shows the blank-sheet prompt
    OffDesign,  // the design lies outside the charts: the message was shown, nothing touched
    Failed,     // an error report was made; on paper the page was not finished
};

// The off-design message box: title, text and critical icon with an OK button. The window
// program connects a QMessageBox; the default prints the text to stderr.
using OffDesignNotifier = std::function<void(const std::string& title, const std::string& text)>;
void setOffDesignNotifier(OffDesignNotifier notifier);
void notifyOffDesign();
extern const char* const kOffDesignTitle;
extern const char* const kOffDesignText;

// The three outputs of the drawing: the window's sheet in its own units, the printed drawing
// fitted to the page, and the full-size template.
enum class OutputMode { Window, Drawing, Template };

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
// numbers use the given decimal separator.
RebuildOutcome Rebuilder(DrawingTarget& target, DesignState& state, const Output& output,
                         char decimalSeparator);

// The contour and (not on a template) its dimensions; false when an error was reported.
bool NozzleBuilder(DrawingTarget& target, const DesignState& state, float scale, bool tmpl,
                   int width, char decimalSeparator);

// The grey outline of the blank; false when an error was reported.
bool BodyBuilder(DrawingTarget& target, double length, double exitRadius, double entryRadius,
                 double axisX, double entryY, double scale);

// An arrowhead with its tip at (x, y) pointing along angle degrees (counterclockwise, 0 = +x).
void DrawArrow(DrawingTarget& target, float x, float y, float length, Rgb colour, float angle);

}  // namespace tavro
