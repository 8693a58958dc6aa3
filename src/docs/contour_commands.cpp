// "экспорт контура": the contour's workshop files from the window, named after the document.
#include "contour.h"
#include "document_commands.h"
#include "last_state.h"
#include "rebuilder.h"

namespace tavro {

namespace {

// The window's lathe table has a station on every millimetre.
constexpr double kWindowStep = 1;

}  // namespace

// Only a contour that can be made is exported: an off-design design hears so before any name
// is asked, and a design with no size (the blank sheet) has nothing to export.
void DocumentCommands::exportContour(ContourFile kind) {
    if (!contourOf(s_)) {
        if (!s_.InRange || (s_.Rkr > 0 && s_.Ln > 0)) notifyOffDesign();
        return;
    }
    std::string path;
    const std::string offered = PictureBaseName(s_.DocumentPath, appDir_) + contourSuffix(kind);
    if (chooseSaveName(contourFilter(kind), offered, path) != Choice::Accepted) return;
    if (SaveContourFile(path, kind, s_, sep_, kWindowStep, nullptr) != ContourSave::Saved) {
        saveFailed();
        return;
    }
    prompts_.confirmSaved();
}

void DocumentCommands::mnuFileContourDxf_Click() {
    exportContour(ContourFile::Dxf);
}

void DocumentCommands::mnuFileContourSvg_Click() {
    exportContour(ContourFile::Svg);
}

void DocumentCommands::mnuFileContourStl_Click() {
    exportContour(ContourFile::Stl);
}

void DocumentCommands::mnuFileContourTable_Click() {
    exportContour(ContourFile::Stations);
}

}  // namespace tavro
