// The File and Edit commands that keep the document, its file and the modified flag in step.
#include "document_commands.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

#include "core.h"
#include "faults.h"
#include "inputs.h"
#include "last_state.h"
#include "params_file.h"

namespace tavro {

const char* const kDataFilter = "Data files (*.dat) | *.dat";
const char* const kBmpFilter = "Bitmap pictures (*.bmp) | *.bmp";
const char* const kJpegFilter = "JPEG Image (*.jpg) | *.jpg";

namespace {

const char* const kCaption = "Tavro-nozzle          ";
const char* const kSaveFailedTitle = "Ошибка сохранения";

bool fileExists(const std::string& path) {
    return !path.empty() && QFileInfo::exists(QString::fromStdString(path));
}

}  // namespace

Answer DocumentCommands::saveQuestion() {
    return prompts_.messageBox("Сохранить изменения?", "Данные были изменены", Buttons::YesNoCancel,
                               Icon::None);
}

DocumentCommands::Choice DocumentCommands::chooseSaveName(const std::string& filter,
                                                          const std::string& initial,
                                                          std::string& path) {
    std::string offered = initial;
    for (;;) {
        std::string chosen;
        if (!prompts_.saveFileName(filter, offered, chosen)) return Choice::DialogCancelled;
        if (!fileExists(chosen)) {
            path = chosen;
            return Choice::Accepted;
        }
        switch (prompts_.messageBox("Файл с таким именем уже существует.\r\nПереписать?",
                                    "Контроль сохранения", Buttons::YesNoCancel,
                                    Icon::Exclamation)) {
            case Answer::Yes:
                path = chosen;
                return Choice::Accepted;
            case Answer::No:
                offered = chosen;
                break;
            default:
                return Choice::OverwriteCancelled;
        }
    }
}

// After a failed write the user decides whether the command goes on without the save.
bool DocumentCommands::continueAfterFailedSave() {
    return prompts_.messageBox("Сохранение не удалось. Продолжить?", kSaveFailedTitle,
                               Buttons::YesNo, Icon::Exclamation) == Answer::Yes;
}

void DocumentCommands::saveFailed() {
    prompts_.messageBox("Сохранение не удалось.", kSaveFailedTitle, Buttons::Ok, Icon::Exclamation);
}

void DocumentCommands::markSaved(bool setCaption) {
    s_.Modified = false;
    view_.setComputeBold(false);
    if (setCaption) view_.setWindowCaption(kCaption + s_.DocumentPath);
    view_.enableMenu(MenuItem::EditRestore, false);
    view_.enableMenu(MenuItem::FileSave, false);
    prompts_.confirmSaved();
}

void DocumentCommands::takeFieldTexts() {
    for (int r = 0; r < kRowCount; ++r) s_.SavedFields[static_cast<size_t>(r)].text = view_.text(r);
}

void DocumentCommands::writeLastState() {
    WriteLastState(appDir_, s_.DocumentPath);
}

// Save and Save As: the write, then either the saved state or, after a failure, the word that it
// failed and the previous document path, which the caption still shows.
void DocumentCommands::writeDocument(const std::string& previousPath) {
    if (SaveParams(s_.DocumentPath, s_, view_)) {
        markSaved(true);
        return;
    }
    s_.DocumentPath = previousPath;
    saveFailed();
}

// The save step of Exit, window closing and Clear: a name with overwrite control, the write,
// and after a failed write the user's consent to go on without it.
DocumentCommands::SaveStep DocumentCommands::saveBeforeLeaving(bool clearing) {
    std::string path;
    switch (chooseSaveName(kDataFilter, s_.DocumentPath, path)) {
        case Choice::DialogCancelled:
            return SaveStep::DialogCancelled;
        case Choice::OverwriteCancelled:
            return SaveStep::Stop;
        case Choice::Accepted:
            break;
    }
    const std::string previous = s_.DocumentPath;
    s_.DocumentPath = path;
    if (clearing) takeFieldTexts();
    if (SaveParams(s_.DocumentPath, s_, view_)) {
        if (clearing) {
            markSaved(true);
        } else {
            prompts_.confirmSaved();
        }
        return SaveStep::Proceed;
    }
    if (continueAfterFailedSave()) return SaveStep::Proceed;
    s_.DocumentPath = previous;
    return SaveStep::Stop;
}

void DocumentCommands::mnuFileOpen_Click() {
    try {
        if (s_.Modified) {
            switch (saveQuestion()) {
                case Answer::Yes:
                    if (SaveParams(s_.DocumentPath, s_, view_)) {
                        markSaved(false);
                    } else if (!continueAfterFailedSave()) {
                        return;
                    }
                    break;
                case Answer::No:
                    break;
                default:
                    return;
            }
        }
        QDir::setCurrent(QString::fromStdString(appDir_));
        std::string chosen;
        if (!prompts_.openFileName(kDataFilter, s_.DocumentPath, chosen)) return;
        s_.DocumentPath = chosen;
        LoadParams(s_.DocumentPath, s_, view_);
        s_.Modified = false;
        view_.setComputeBold(false);
        view_.setWindowCaption(kCaption + s_.DocumentPath);
        s_.InRange = true;
        sCore(s_, view_, sep_);
        view_.redrawSheet();
        view_.enableMenu(MenuItem::EditRestore, false);
        view_.enableMenu(MenuItem::FileSave, false);
        s_.FocusText = view_.text(s_.CurrentField);
    } catch (const std::exception&) {
        // Open ends quietly on an unexpected failure.
    }
}

void DocumentCommands::mnuFileSave_Click() {
    try {
        takeFieldTexts();
        const std::string previous = s_.DocumentPath;
        if (s_.DocumentPath.empty()) {
            std::string chosen;
            if (!prompts_.saveFileName(kDataFilter, "", chosen)) return;
            s_.DocumentPath = chosen;
        }
        writeDocument(previous);
    } catch (const std::exception&) {
    }
}

void DocumentCommands::mnuFileSaveAs_Click() {
    try {
        std::string path;
        if (chooseSaveName(kDataFilter, s_.DocumentPath, path) != Choice::Accepted) return;
        const std::string previous = s_.DocumentPath;
        s_.DocumentPath = path;
        takeFieldTexts();
        writeDocument(previous);
    } catch (const std::exception&) {
    }
}

void DocumentCommands::mnuFileExit_Click() {
    try {
        if (s_.Modified) {
            switch (saveQuestion()) {
                case Answer::Yes:
                    if (saveBeforeLeaving(false) != SaveStep::Proceed) return;
                    break;
                case Answer::No:
                    break;
                default:
                    return;
            }
        }
        writeLastState();
        prompts_.endProgram();
    } catch (const std::exception&) {
        reportError("mnuFileExit_Click");
        prompts_.endProgram();
    }
}

bool DocumentCommands::Form_Unload() {
    bool heldBack = false;
    try {
        if (s_.Modified) {
            switch (saveQuestion()) {
                case Answer::Yes:
                    heldBack = true;
                    switch (saveBeforeLeaving(false)) {
                        case SaveStep::DialogCancelled:
                            writeLastState();
                            return false;
                        case SaveStep::Stop:
                            return false;
                        case SaveStep::Proceed:
                            break;
                    }
                    heldBack = false;
                    break;
                case Answer::No:
                    break;
                default:
                    return false;
            }
        }
        writeLastState();
        return true;
    } catch (const std::exception&) {
        writeLastState();
        return !heldBack;
    }
}

void DocumentCommands::mnuEditCls_Click() {
    try {
        if (s_.Modified) {
            switch (saveQuestion()) {
                case Answer::Yes:
                    if (saveBeforeLeaving(true) != SaveStep::Proceed) return;
                    break;
                case Answer::No:
                    break;
                default:
                    return;
            }
        }
        view_.eraseSheet();
        for (int r = 0; r < kRowCount; ++r) view_.setText(r, "");
        clearDesign(s_);
        s_.Modified = false;
        view_.setComputeBold(false);
        view_.enableMenu(MenuItem::EditRestore, true);
    } catch (const std::exception&) {
        reportError("mnuEditCls_Click");
    }
}

void DocumentCommands::mnuEditRestore_Click() {
    try {
        if (s_.Modified && prompts_.messageBox("Изменения будут утеряны! \r\nПродолжить?",
                                               "Восстановление последнего сохранения",
                                               Buttons::YesNo, Icon::Exclamation) != Answer::Yes) {
            return;
        }
        for (int r = 0; r < kRowCount; ++r) {
            view_.setText(r, s_.SavedFields[static_cast<size_t>(r)].text);
        }
        loadDesignValues(s_, view_);
        s_.InRange = true;
        sCore(s_, view_, sep_);
        view_.redrawSheet();
        s_.Modified = false;
        view_.setComputeBold(false);
        view_.enableMenu(MenuItem::FileSave, false);
        view_.enableMenu(MenuItem::EditRestore, false);
    } catch (const std::exception&) {
    }
}

std::string DocumentCommands::jpegFailureText() const {
    return "Сохранение в формате JPEG не удалось.\r\nПроверьте наличие библиотечного файла "
           "libsavtojpg.so\r\nв директории приложения " +
           appDir_;
}

void DocumentCommands::mnuFileSaveImgBmp_Click() {
    std::string path;
    if (!output_ || chooseSaveName(kBmpFilter, PictureBaseName(s_.DocumentPath, appDir_), path) !=
                        Choice::Accepted) {
        return;
    }
    if (!output_->saveSheetBmp(path)) {
        prompts_.messageBox("Сохранение в формате BMP не удалось.\r\nСообщите разработчику.", "",
                            Buttons::Ok, Icon::Exclamation);
        return;
    }
    prompts_.confirmSaved();
}

void DocumentCommands::mnuFileSaveImgJpg_Click() {
    std::string path;
    if (!output_ || chooseSaveName(kJpegFilter, PictureBaseName(s_.DocumentPath, appDir_), path) !=
                        Choice::Accepted) {
        return;
    }
    if (!output_->saveSheetJpeg(path)) {
        prompts_.messageBox(jpegFailureText(), "Ошибка сохранения JPEG", Buttons::Ok,
                            Icon::Exclamation);
        return;
    }
    prompts_.confirmSaved();
}

void DocumentCommands::mnuFilePrintDraw_Click() {
    if (output_) output_->printSheet(false);
}

void DocumentCommands::mnuFilePrintTemp_Click() {
    if (output_) output_->printSheet(true);
}

}  // namespace tavro
