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
    // "экспорт контура": the workshop files of the contour.
    void mnuFileContourDxf_Click();
    void mnuFileContourSvg_Click();
    void mnuFileContourStl_Click();
    void mnuFileContourTable_Click();

    // The failure text of the JPEG export, naming the module and where it is looked for.
    std::string jpegFailureText() const;

  private:
    enum class Choice { Accepted, DialogCancelled, OverwriteCancelled };
    enum class SaveStep { Proceed, Stop, DialogCancelled };

    Answer saveQuestion();
    Choice chooseSaveName(const std::string& filter, const std::string& initial, std::string& path);
    bool continueAfterFailedSave();
    void saveFailed();
    void markSaved(bool setCaption);
    void takeFieldTexts();
    void writeLastState();
    void writeDocument(const std::string& previousPath);
    SaveStep saveBeforeLeaving(bool clearing);
    void exportContour(ContourFile kind);

    DesignState& s_;
    View& view_;
    Prompts& prompts_;
    SheetOutput* output_;
    std::string appDir_;
    char sep_;
};

}  // namespace tavro
