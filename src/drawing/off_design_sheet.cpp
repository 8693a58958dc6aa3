// The window's sheet after a design was refused: why, and what would work.
#include "off_design_sheet.h"

#include <algorithm>

#include "checked_ops.h"

namespace tavro {
namespace {

constexpr Rgb kWarningRed{192, 0, 0};

// Breaks a line at blanks so that each piece fits the width; a single word wider than the
// width stays whole.
std::vector<std::string> wrapped(DrawingTarget& sheet, const std::string& line, double width) {
    std::vector<std::string> pieces;
    std::string current;
    size_t pos = 0;
    while (pos <= line.size()) {
        size_t end = line.find(' ', pos);
        if (end == std::string::npos) end = line.size();
        const std::string word = line.substr(pos, end - pos);
        const std::string longer = current.empty() ? word : current + " " + word;
        if (!current.empty() && sheet.textWidth(longer) > width) {
            pieces.push_back(current);
            current = word;
        } else {
            current = longer;
        }
        pos = end + 1;
    }
    if (!current.empty()) pieces.push_back(current);
    return pieces;
}

}  // namespace

void OffDesignSheet(DrawingTarget& sheet, Rgb buttonFace, const std::vector<std::string>& lines) {
    sheet.setBackColor(buttonFace);
    const double width = sheet.scaleWidth();
    const double height = sheet.scaleHeight();
    const double lineHeight = sheet.textHeight("L");
    std::vector<std::string> shown;
    for (const std::string& line : lines) {
        for (std::string& piece : wrapped(sheet, line, 0.9 * width)) shown.push_back(piece);
    }
    const std::string title = "НЕРАСЧЕТНЫЙ РЕЖИМ";
    // The title, a blank line and the detail, centred on the sheet as a block.
    const double block = static_cast<double>(shown.size() + 2) * lineHeight;
    double y = std::max(lineHeight, (height - block) / 2);
    sheet.setForeColor(kWarningRed);
    printAt(sheet, width / 2 - sheet.textWidth(title) / 2, y, title);
    sheet.setForeColor(kBlack);
    y += 2 * lineHeight;
    for (const std::string& piece : shown) {
        printAt(sheet, width / 2 - sheet.textWidth(piece) / 2, y, piece);
        y += lineHeight;
    }
}

}  // namespace tavro
