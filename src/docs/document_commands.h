// The File and Edit commands that keep the document, its file and the modified flag in step.
#pragma once

#include <string>
#include <utility>

#include "contour_files.h"
#include "design_state.h"
#include "window_view.h"

namespace tavro {

extern const char* const kDataFilter;
extern const char* const kBmpFilter;
extern const char* const kJpegFilter;
extern const char* const kPdfFilter;

// A template of more pages than this asks before it is printed.
constexpr int kPagesWithoutAsking = 12;
// "Шаблон займет 13 листов. Печатать?", the noun agreeing with the number.
std::string templatePagesQuestion(int pages);
// The choice between the whole template and the half profile (one wall and the axis).
std::string halfTemplateQuestion(int whole, int half);

// How choosing the name of a file to write ended.
enum class NameChoice { Accepted, DialogCancelled, OverwriteCancelled };

// The save dialog, and "Переписать?" when the chosen file exists: "Нет" opens the dialog
// again on that name. Every command that writes a file the user names goes through it.
NameChoice chooseSaveName(Prompts& prompts, const std::string& filter, const std::string& initial,
                          std::string& path);

// The message after a failed write: what failed, the file, and the system's reason below.
std::string failedWriteText(const std::string& failed, const std::string& path,
                            const std::string& why);

class DocumentCommands {
  public:
    DocumentCommands(DesignState& state, View& view, Prompts& prompts, SheetOutput* output,
                     std::string appDir, char decimalSeparator)
        : s_(state),
          view_(view),
          prompts_(prompts),
          output_(output),
          appDir_(std::move(appDir)),
          sep_(decimalSeparator) {}

    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileExit_Click();
    // The user closes the main window; false keeps it open.
    bool Form_Unload();
    void mnuEditCls_Click();
    void mnuEditRestore_Click();
    void mnuFileSaveImgBmp_Click();
    void mnuFileSaveImgJpg_Click();
    void mnuFilePrintDraw_Click();
    void mnuFilePrintTemp_Click();
    // An item of "экспорт контура": the contour's workshop file in one format.
    void exportContour(const WorkshopFormat& format);

    // The failure text of the JPEG export, naming the module and where it is looked for.
    std::string jpegFailureText() const;

  private:
    // How the save step before Open, Exit, window closing and Clear ended.
    enum class SaveStep { Proceed, Stop, DialogCancelled };
    // Whether that step saves to the current document (Open) or asks a name every time.
    enum class SaveTarget { CurrentDocument, AskName };

    SaveStep saveChanges(SaveTarget target);
    void markSaved();
    void takeFieldTexts();
    void writeLastState();
    void writeDocument(const std::string& previousPath);
    bool exportPicture(const char* filter, bool jpeg);
    void print(OutputMode mode);
    // Where a document path lies on disk: a relative one in the application directory.
    std::string onDisk(const std::string& path) const;

    DesignState& s_;
    View& view_;
    Prompts& prompts_;
    SheetOutput* output_;
    std::string appDir_;
    char sep_;
    // Cleared since the document was last opened, saved or restored: Save asks for a name.
    bool afterClear_ = false;
};

}  // namespace tavro
