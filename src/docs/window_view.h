// What the document commands and the field handlers need of the main window and of the user.
#pragma once

#include <string>

#include "design_state.h"
#include "faults.h"
#include "output_mode.h"

namespace tavro {

// The program's name as its windows show it.
constexpr const char* kProgramName = "Tavro-nozzle";

// The main window's caption: the program's name padded with ten blanks, then the document path.
inline std::string windowCaption(const std::string& documentPath) {
    return std::string(kProgramName) + "          " + documentPath;
}

// Menu items whose enabled state the logic changes.
enum class MenuItem { FileSave, EditRestore };

// The main window as the logic sees it: field texts (through Fields), focus, the compute
// button's weight, menu states, the caption and the sheet.
class View : public Fields {
  public:
    virtual void focusField(int row) = 0;
    virtual void selectAll(int row) = 0;
    virtual void setComputeBold(bool bold) = 0;
    virtual void enableMenu(MenuItem item, bool enabled) = 0;
    virtual void setWindowCaption(const std::string& caption) = 0;
    // Erases the sheet to its background colour.
    virtual void eraseSheet() = 0;
    // Draws the design on the sheet (the window-mode drawing). A design outside the charts
    // is announced and leaves the blank-sheet prompt on the sheet.
    virtual void redrawSheet() = 0;
    // The blank-sheet prompt, without a word to the user.
    virtual void showBlankSheet() = 0;
};

// The one step that leaves the document clean: nothing modified, nothing left to compute, and
// neither Save nor Restore offered; after Clear (restorable) Restore brings back the saved rows
// and Save keeps its state.
inline void markClean(DesignState& state, View& view, bool restorable = false) {
    state.Modified = false;
    view.setComputeBold(false);
    if (!restorable) view.enableMenu(MenuItem::FileSave, false);
    view.enableMenu(MenuItem::EditRestore, restorable);
}

// The first button is the default, except in YesNoDefaultNo, where "Нет" is: a question
// whose "Да" gives up the user's work must not be answered by a single Enter.
enum class Buttons { Ok, YesNo, YesNoCancel, YesNoDefaultNo };
enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Answer { Ok, Yes, No, Cancel };

// Questions and notices to the user; the window implements them with real dialogs, tests with
// scripted answers. The nozzle routines' reports are its message boxes.
class Prompts : public Reporter {
  public:
    virtual Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                              Icon icon) = 0;
    // A notice with an OK button whose detail stands under its text; by default the detail
    // follows the text after a blank line.
    virtual void noticeWithDetail(const std::string& text, const std::string& detail,
                                  const std::string& title, Icon icon) {
        messageBox(detail.empty() ? text : text + "\r\n\r\n" + detail, title, Buttons::Ok, icon);
    }
    // An open or save file dialog; returns false when the user cancels.
    virtual bool openFileName(const std::string& filter, const std::string& initial,
                              std::string& chosen) = 0;
    virtual bool saveFileName(const std::string& filter, const std::string& initial,
                              std::string& chosen) = 0;
    // The "Сохранено" confirmation; returns after it has closed itself.
    virtual void confirmSaved() = 0;
    // Ends the program at once, without the window-closing handling.
    virtual void endProgram() = 0;

    void reportError(const std::string& block) override {
        messageBox(errorReportText(block), "Ошибка выполнения", Buttons::Ok, Icon::Critical);
    }
    void reportOffDesign() override {
        messageBox(kOffDesignText, kOffDesignTitle, Buttons::Ok, Icon::Critical);
    }
};

// How a picture export ended.
enum class ExportResult {
    Written,
    WriteFailed,   // the file could not be written; the reason says why
    ModuleFailed,  // the JPEG module is missing or wrote no picture
};

// The sheet's picture and the printer, which only the window program has.
class SheetOutput {
  public:
    virtual ~SheetOutput() = default;
    // Writes the sheet's current image; an earlier file survives a failure.
    virtual ExportResult saveSheetBmp(const std::string& path, std::string& why) = 0;
    virtual ExportResult saveSheetJpeg(const std::string& path, std::string& why) = 0;
    // Whether the program can print at all, preview and PDF included; false with the reason
    // when its printer services cannot be loaded.
    virtual bool canPrint(std::string& why) = 0;
    // Whether a printer is installed; without one the page goes to a PDF file.
    virtual bool hasPrinter() = 0;
    // How many pages the full-size template takes on the paper printing would use.
    virtual int templatePages() = 0;
    // The shape of the template that the calls after it count, show and print.
    virtual void setTemplateShape(TemplateShape shape) = 0;
    // Shows the pages of the printed drawing or the full-size template as they will be
    // printed; true when the user asks to print them.
    virtual bool previewPages(OutputMode mode) = 0;
    // Prints them on the printer, paper and copies the user chooses in the printer dialog;
    // nothing when the dialog is cancelled.
    virtual void printSheet(OutputMode mode) = 0;
    // Prints to a PDF file, which replaces an earlier one only when the page is complete.
    // False when nothing was written: why holds the reason of a failed write, and is empty
    // when the drawing itself stopped (it has then told the user).
    virtual bool printPdf(const std::string& path, OutputMode mode, std::string& why) = 0;
};

}  // namespace tavro
