// "экспорт контура": the contour's workshop files from the window, named after the document.
#include "contour.h"
#include "document_commands.h"
#include "last_state.h"

namespace tavro {

namespace {

// The window's lathe table has a station on every millimetre.
constexpr double kWindowStep = 1;

}  // namespace

// Only a contour that can be made is exported, and the user hears why not before any name is
// asked: a design outside the charts as such, an empty one (after Clear, or never computed) in
// a word.
void DocumentCommands::exportContour(const WorkshopFormat& format) {
    if (!contourOf(s_)) {
        if (s_.InRange && !(s_.Ln > 0 && s_.Ra > 0 && s_.Rc > 0)) {
            prompts_.messageBox(
                "Экспортировать нечего.\r\nВведите параметры сопла в белые поля и "
                "выполните расчет.",
                "Экспорт контура", Buttons::Ok, Icon::Information);
        } else {
            prompts_.reportOffDesign();
        }
        return;
    }
    std::string path;
    const std::string offered = PictureBaseName(s_.DocumentPath, appDir_) + format.suffix;
    if (chooseSaveName(prompts_, format.filter, offered, path) != NameChoice::Accepted) return;
    std::string why;
    if (SaveContourFile(path, format, s_, sep_, kWindowStep, &why) != ContourSave::Saved) {
        prompts_.messageBox(failedWriteText("Сохранение не удалось", path, why),
                            "Ошибка сохранения", Buttons::Ok, Icon::Exclamation);
        return;
    }
    prompts_.confirmSaved();
}

}  // namespace tavro
