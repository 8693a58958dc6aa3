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

constexpr double kLargestStl = 2.0 * 1024 * 1024 * 1024;
constexpr double kMostStations = 10e6;

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
    // A huge nozzle's solid or table would exhaust the memory and the disk before it is made.
    const char* tooLarge = nullptr;
    if (kind == ContourFile::Stl && stlSize(*contour) > kLargestStl) {
        tooLarge = "Модель STL заняла бы более 2 ГБ: сопло слишком велико для этого формата";
    } else if (kind == ContourFile::Stations && stationRows(*contour, step) > kMostStations) {
        tooLarge = "Таблица заняла бы более 10 миллионов строк: задайте шаг крупнее";
    }
    if (tooLarge) {
        if (why) *why = tooLarge;
        return ContourSave::Failed;
    }
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
