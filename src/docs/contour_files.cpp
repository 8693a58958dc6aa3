// The workshop files of the contour (DXF, SVG, STL, STEP, station table) written to disk safely.
#include "contour_files.h"

#include <QByteArray>

#include "contour.h"
#include "safe_file.h"

namespace tavro {

ContourSave SaveContourFile(const std::string& path, const WorkshopFormat& format,
                            const DesignState& design, char decimalSeparator, double step,
                            std::string* why) {
    const auto contour = contourOf(design);
    if (!contour) return ContourSave::OffDesign;
    std::string failure;
    const std::string bytes = format.write(*contour, {design, step, decimalSeparator, &failure});
    // A file too large to make, or a solid the modeller cannot make, leaves no file behind.
    if (bytes.empty()) {
        if (why) *why = failure;
        return ContourSave::Failed;
    }
    return replaceFile(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), why)
               ? ContourSave::Saved
               : ContourSave::Failed;
}

}  // namespace tavro
