// The workshop files of the contour (DXF, SVG, STL, station table) written to disk safely.
#include "contour_files.h"

#include <QByteArray>

#include "contour.h"
#include "safe_file.h"
#include "workshop_files.h"

namespace tavro {

namespace {

// The file dialog's filter and the suffix of each workshop file, in ContourFile's order.
struct FileType {
    const char* filter;
    const char* suffix;
};
constexpr FileType kFileTypes[] = {{"DXF drawings (*.dxf) | *.dxf", ".dxf"},
                                   {"SVG pictures (*.svg) | *.svg", ".svg"},
                                   {"STL solids (*.stl) | *.stl", ".stl"},
                                   {"CSV tables (*.csv) | *.csv", ".csv"}};

}  // namespace

const char* contourFilter(ContourFile kind) {
    return kFileTypes[static_cast<int>(kind)].filter;
}

const char* contourSuffix(ContourFile kind) {
    return kFileTypes[static_cast<int>(kind)].suffix;
}

ContourSave SaveContourFile(const std::string& path, ContourFile kind, const DesignState& design,
                            char decimalSeparator, double step, std::string* why) {
    const auto contour = contourOf(design);
    if (!contour) return ContourSave::OffDesign;
    QByteArray bytes;
    const auto take = [&bytes](const std::string& text) {
        bytes = QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    };
    switch (kind) {
        case ContourFile::Dxf:
            take(contourDxf(*contour));
            break;
        case ContourFile::Svg:
            take(contourSvg(*contour, design.Title));
            break;
        case ContourFile::Stl: {
            const std::vector<std::uint8_t> stl = contourStl(*contour);
            bytes = QByteArray(reinterpret_cast<const char*>(stl.data()),
                               static_cast<qsizetype>(stl.size()));
            break;
        }
        case ContourFile::Stations:
            take(stationTable(*contour, step, decimalSeparator));
            break;
    }
    return replaceFile(path, bytes, why) ? ContourSave::Saved : ContourSave::Failed;
}

}  // namespace tavro
