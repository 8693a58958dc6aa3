// The nozzle drawing's entry point: sheet set-up, scale, axis, title, legend and note.
#pragma once

#include <functional>
#include <string>

#include "design_state.h"
#include "drawing_target.h"

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

// Sheet units per millimetre that fit the nozzle on the sheet; 0 when there is nothing to draw.
float FitScale(double length, double radius1, double radius2, double sheetHeight,
               double sheetWidth);

// The prompt on the window's sheet when there is no drawable design.
void BlankSheet();

// Draws the design on the target: the window's sheet when it is picture1(), paper otherwise.
// Writes AxisX and EntryY; numbers on paper use the given decimal separator.
RebuildOutcome Rebuilder(DrawingTarget& target, DesignState& state, bool tmpl,
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
