// The File and Edit commands that keep the document, its file and the modified flag in step.
#include "document_commands.h"

#include <QFileInfo>

#include "core.h"
#include "faults.h"
#include "inputs.h"
#include "last_state.h"
#include "params_file.h"

namespace tavro {

const char* const kDataFilter = "Data files (*.dat) | *.dat";
const char* const kBmpFilter = "Bitmap pictures (*.bmp) | *.bmp";
const char* const kJpegFilter = "JPEG Image (*.jpg) | *.jpg";
const char* const kPdfFilter = "PDF (*.pdf)";

namespace {

// "1 лист", "3 листа", "12 листов".
std::string sheets(int pages) {
    const int tens = pages % 100, units = pages % 10;
    const char* word = "листов";
    if (units == 1 && tens != 11) word = "лист";
    if (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) word = "листа";
    return std::to_string(pages) + " " + word;
}

}  // namespace

std::string templatePagesQuestion(int pages) {
    return "Шаблон займет " + sheets(pages) + ". Печатать?";
}

std::string halfTemplateQuestion(int whole, int half) {
    return "Шаблон займет " + sheets(whole) +
           ", половина профиля (одна стенка и ось, вторая "
           "половина зеркально) — " +
           sheets(half) + ".\r\nПечатать половину профиля?";
}

namespace {

const char* const kSaveFailedTitle = "Ошибка сохранения";

bool fileExists(const std::string& path) {
    return !path.empty() && QFileInfo::exists(QString::fromStdString(path));
}

bool isFile(const std::string& path) {
    return !path.empty() && QFileInfo(QString::fromStdString(path)).isFile();
}

}  // namespace

NameChoice chooseSaveName(Prompts& prompts, const std::string& filter, const std::string& initial,
                          std::string& path) {
    std::string offered = initial;
    for (;;) {
        std::string chosen;
        if (!prompts.saveFileName(filter, offered, chosen)) return NameChoice::DialogCancelled;
        if (!fileExists(chosen)) {
            path = chosen;
            return NameChoice::Accepted;
        }
        switch (prompts.messageBox("Файл с таким именем уже существует.\r\nПереписать?",
                                   "Контроль сохранения", Buttons::YesNoCancel,
                                   Icon::Exclamation)) {
            case Answer::Yes:
                path = chosen;
                return NameChoice::Accepted;
            case Answer::No:
                offered = chosen;
                break;
            default:
                return NameChoice::OverwriteCancelled;
        }
    }
}

std::string failedWriteText(const std::string& failed, const std::string& path,
                            const std::string& why) {
    return failed + ": " + path + "\r\n" + why;
}

void DocumentCommands::markSaved() {
    markClean(s_, view_);
    afterClear_ = false;
    view_.setWindowCaption(windowCaption(s_.DocumentPath));
    prompts_.confirmSaved();
}

void DocumentCommands::takeFieldTexts() {
    for (int r = 0; r < kRowCount; ++r) s_.SavedFields[static_cast<size_t>(r)].text = view_.text(r);
}

std::string DocumentCommands::onDisk(const std::string& path) const {
    return pathInAppDir(appDir_, path);
}

// last.srd names only a file that is there: a name whose save failed, or a file deleted
// meanwhile, would make the next start open nothing.
void DocumentCommands::writeLastState() {
    WriteLastState(appDir_, isFile(onDisk(s_.DocumentPath)) ? s_.DocumentPath : std::string());
}

// Save and Save As: the write, then either the saved state or, after a failure, the word that it
// failed and the previous document path, which the caption still shows.
void DocumentCommands::writeDocument(const std::string& previousPath) {
    std::string why;
    if (SaveParams(onDisk(s_.DocumentPath), s_, view_, &why)) {
        markSaved();
        return;
    }
    const std::string failed = s_.DocumentPath;
    s_.DocumentPath = previousPath;
    prompts_.messageBox(failedWriteText("Сохранение не удалось", failed, why), kSaveFailedTitle,
                        Buttons::Ok, Icon::Exclamation);
}

// "Сохранить изменения?" before Open, Exit, window closing and Clear, and the save it asks for.
// A failed save keeps the document it had and goes on only with the user's consent, which a
// single Enter does not give.
DocumentCommands::SaveStep DocumentCommands::saveChanges(SaveTarget target) {
    if (!s_.Modified) return SaveStep::Proceed;
    switch (prompts_.messageBox("Сохранить изменения?", "Данные были изменены",
                                Buttons::YesNoCancel, Icon::None)) {
        case Answer::Yes:
            break;
        case Answer::No:
            return SaveStep::Proceed;
        default:
            return SaveStep::Stop;
    }
    std::string path = s_.DocumentPath;
    if (target == SaveTarget::AskName || path.empty() || afterClear_) {
        switch (chooseSaveName(prompts_, kDataFilter, s_.DocumentPath, path)) {
            case NameChoice::DialogCancelled:
                return SaveStep::DialogCancelled;
            case NameChoice::OverwriteCancelled:
                return SaveStep::Stop;
            case NameChoice::Accepted:
                break;
        }
    }
    std::string why;
    if (SaveParams(onDisk(path), s_, view_, &why)) {
        s_.DocumentPath = path;
        markSaved();
        return SaveStep::Proceed;
    }
    const Answer goOn =
        prompts_.messageBox(failedWriteText("Сохранение не удалось", path, why) + "\r\nПродолжить?",
                            kSaveFailedTitle, Buttons::YesNoDefaultNo, Icon::Exclamation);
    return goOn == Answer::Yes ? SaveStep::Proceed : SaveStep::Stop;
}

void DocumentCommands::mnuFileOpen_Click() {
    if (saveChanges(SaveTarget::CurrentDocument) != SaveStep::Proceed) return;
    std::string chosen;
    if (!prompts_.openFileName(kDataFilter, s_.DocumentPath, chosen)) return;
    // A file that holds no design is refused: the design, the document and the rows that
    // Restore brings back stay as they were.
    const auto saved = s_.SavedFields;
    if (!LoadParams(chosen, s_, view_)) {
        s_.SavedFields = saved;
        prompts_.messageBox("Файл не является файлом параметров сопла.", "Ошибка открытия",
                            Buttons::Ok, Icon::Exclamation);
        return;
    }
    s_.DocumentPath = chosen;
    markClean(s_, view_);
    afterClear_ = false;
    view_.setWindowCaption(windowCaption(s_.DocumentPath));
    s_.InRange = true;
    const CoreOutcome outcome = computeDesign(s_, view_, sep_, prompts_);
    view_.redrawSheet();
    // A design outside the charts is still to be computed, once corrected.
    if (outcome == CoreOutcome::OffDesign) view_.setComputeBold(true);
    s_.FocusText = view_.text(s_.CurrentField);
}

void DocumentCommands::mnuFileSave_Click() {
    takeFieldTexts();
    const std::string previous = s_.DocumentPath;
    // A cleared sheet is a new design: it never silently replaces the file of the last one.
    if (s_.DocumentPath.empty() || afterClear_) {
        std::string chosen;
        if (chooseSaveName(prompts_, kDataFilter, "", chosen) != NameChoice::Accepted) return;
        s_.DocumentPath = chosen;
    }
    writeDocument(previous);
}

void DocumentCommands::mnuFileSaveAs_Click() {
    std::string path;
    if (chooseSaveName(prompts_, kDataFilter, s_.DocumentPath, path) != NameChoice::Accepted)
        return;
    const std::string previous = s_.DocumentPath;
    s_.DocumentPath = path;
    takeFieldTexts();
    writeDocument(previous);
}

void DocumentCommands::mnuFileExit_Click() {
    try {
        if (saveChanges(SaveTarget::AskName) != SaveStep::Proceed) return;
        writeLastState();
        prompts_.endProgram();
    } catch (const CalcFault&) {
        prompts_.reportError("mnuFileExit_Click");
        prompts_.endProgram();
    }
}

bool DocumentCommands::Form_Unload() {
    switch (saveChanges(SaveTarget::AskName)) {
        case SaveStep::DialogCancelled:
            writeLastState();
            return false;
        case SaveStep::Stop:
            return false;
        case SaveStep::Proceed:
            break;
    }
    writeLastState();
    return true;
}

void DocumentCommands::mnuEditCls_Click() {
    try {
        if (saveChanges(SaveTarget::AskName) != SaveStep::Proceed) return;
        view_.eraseSheet();
        for (int r = 0; r < kRowCount; ++r) view_.setText(r, "");
        clearDesign(s_);
        s_.InRange = true;
        afterClear_ = true;
        markClean(s_, view_, true);
    } catch (const CalcFault&) {
        prompts_.reportError("mnuEditCls_Click");
    }
}

void DocumentCommands::mnuEditRestore_Click() {
    if (s_.Modified &&
        prompts_.messageBox("Изменения будут утеряны! \r\nПродолжить?",
                            "Восстановление последнего сохранения", Buttons::YesNoDefaultNo,
                            Icon::Exclamation) != Answer::Yes) {
        return;
    }
    afterClear_ = false;
    for (int r = 0; r < kRowCount; ++r) {
        view_.setText(r, s_.SavedFields[static_cast<size_t>(r)].text);
    }
    loadDesignValues(s_, view_);
    s_.InRange = true;
    const CoreOutcome outcome = computeDesign(s_, view_, sep_, prompts_);
    view_.redrawSheet();
    markClean(s_, view_);
    if (outcome == CoreOutcome::OffDesign) view_.setComputeBold(true);
}

std::string DocumentCommands::jpegFailureText() const {
    return "Сохранение в формате JPEG не удалось.\r\nПроверьте наличие библиотечного файла "
           "libsavtojpg.so\r\nв директории приложения " +
           appDir_;
}

// The export commands: a name with overwrite control, the write, and "Сохранено" or the reason
// it failed.
bool DocumentCommands::exportPicture(const char* filter, bool jpeg) {
    std::string path;
    if (!output_ || chooseSaveName(prompts_, filter, PictureBaseName(s_.DocumentPath, appDir_),
                                   path) != NameChoice::Accepted) {
        return false;
    }
    std::string why;
    const ExportResult result =
        jpeg ? output_->saveSheetJpeg(path, why) : output_->saveSheetBmp(path, why);
    const char* const title = jpeg ? "Ошибка сохранения JPEG" : "Ошибка сохранения BMP";
    switch (result) {
        case ExportResult::Written:
            prompts_.confirmSaved();
            return true;
        case ExportResult::ModuleFailed:
            prompts_.messageBox(jpegFailureText(), title, Buttons::Ok, Icon::Exclamation);
            return false;
        case ExportResult::WriteFailed:
            break;
    }
    prompts_.messageBox(failedWriteText(jpeg ? "Сохранение в формате JPEG не удалось"
                                             : "Сохранение в формате BMP не удалось",
                                        path, why),
                        title, Buttons::Ok, Icon::Exclamation);
    return false;
}

void DocumentCommands::mnuFileSaveImgBmp_Click() {
    exportPicture(kBmpFilter, false);
}

void DocumentCommands::mnuFileSaveImgJpg_Click() {
    exportPicture(kJpegFilter, true);
}

// Printing asks nothing when there is no page to print: a design outside the charts is
// announced as such, an empty one (after Clear, or never computed) in a word.
void DocumentCommands::print(OutputMode mode) {
    if (!output_) return;
    if (!s_.InRange) {
        prompts_.reportOffDesign();
        return;
    }
    if (!(s_.Ln > 0 && s_.Ra > 0 && s_.Rc > 0)) {
        prompts_.messageBox(
            "Печатать нечего.\r\nВведите параметры сопла в белые поля и "
            "выполните расчет.",
            "Печать", Buttons::Ok, Icon::Information);
        return;
    }
    std::string why;
    if (!output_->canPrint(why)) {
        prompts_.messageBox("Печать недоступна.\r\nПричина: " + why, "Печать", Buttons::Ok,
                            Icon::Exclamation);
        return;
    }
    if (mode == OutputMode::Template) {
        // A template of several pages offers the half profile when that saves paper.
        output_->setTemplateShape(TemplateShape::Whole);
        int pages = output_->templatePages();
        if (pages > 1) {
            output_->setTemplateShape(TemplateShape::Half);
            const int half = output_->templatePages();
            if (half < pages) {
                const Answer a = prompts_.messageBox(halfTemplateQuestion(pages, half), "Печать",
                                                     Buttons::YesNoCancel, Icon::Question);
                if (a == Answer::Yes) pages = half;
                if (a != Answer::Yes) output_->setTemplateShape(TemplateShape::Whole);
                if (a == Answer::Cancel) return;
            } else {
                output_->setTemplateShape(TemplateShape::Whole);
            }
        }
        if (pages > kPagesWithoutAsking &&
            prompts_.messageBox(templatePagesQuestion(pages), "Печать", Buttons::YesNo,
                                Icon::Question) != Answer::Yes)
            return;
    }
    if (!output_->previewPages(mode)) return;
    if (output_->hasPrinter()) {
        output_->printSheet(mode);
        return;
    }
    // No printer on this machine: the user is told so and may keep the pages as a PDF, named
    // after the document.
    if (prompts_.messageBox("Принтер не найден.\r\nСохранить листы в файл PDF?", "Печать",
                            Buttons::YesNo, Icon::Question) != Answer::Yes)
        return;
    std::string path;
    if (chooseSaveName(prompts_, kPdfFilter, PictureBaseName(s_.DocumentPath, appDir_) + ".pdf",
                       path) != NameChoice::Accepted)
        return;
    if (output_->printPdf(path, mode, why)) {
        prompts_.confirmSaved();
    } else if (!why.empty()) {
        prompts_.messageBox(failedWriteText("Печать в файл PDF не удалась", path, why),
                            "Ошибка печати", Buttons::Ok, Icon::Exclamation);
    }
}

void DocumentCommands::mnuFilePrintDraw_Click() {
    print(OutputMode::Drawing);
}

void DocumentCommands::mnuFilePrintTemp_Click() {
    print(OutputMode::Template);
}

}  // namespace tavro
