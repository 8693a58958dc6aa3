// The workshop files of the contour (DXF, SVG, STL, station table) written to disk safely.
#include "contour_files.h"

#include <QByteArray>

#include "contour.h"
#include "safe_file.h"
#include "workshop_files.h"

namespace tavro {

const char* contourFilter(ContourFile kind) {
    switch (kind) {
        case ContourFile::Dxf:
            return "DXF drawings (*.dxf) | *.dxf";
        case ContourFile::Svg:
            return "SVG pictures (*.svg) | *.svg";
        case ContourFile::Stl:
            return "STL solids (*.stl) | *.stl";
        case ContourFile::Stations:
            break;
    }
    return "CSV tables (*.csv) | *.csv";
}

const char* contourSuffix(ContourFile kind) {
    switch (kind) {
        case ContourFile::Dxf:
            return ".dxf";
        case ContourFile::Svg:
            return ".svg";
        case ContourFile::Stl:
            return ".stl";
        case ContourFile::Stations:
            break;
    }
    return ".csv";
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
