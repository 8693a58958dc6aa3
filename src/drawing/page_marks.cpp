// What paper carries besides the nozzle: crop crosses, page names, calibration and scale bars.
#include "page_marks.h"

#include <string>

#include "checked_ops.h"
#include "sheet_parts.h"

namespace tavro {
namespace {

constexpr double kCrossArm = 3;
constexpr double kLongTick = 3.5, kShortTick = 2;
constexpr int kBarWidth = 2;
// The scale bar takes at most this share of the sheet's width, a millimetre off its left edge
// so that no stroke is cut there.
constexpr double kScaleBarShare = 0.25;
constexpr double kScaleBarLeft = 1;

void printScaled(DrawingTarget& t, double x, double y, const std::string& text, double factor) {
    const double base = t.fontSize();
    t.setFontSize(base * factor);
    printAt(t, x, y, text);
    t.setFontSize(base);
}

// Caption on top, then the bar with ticks hanging from it: long ones at the ends and the
// middle, short ones between.
void drawBar(DrawingTarget& t, double x, double y, const std::string& caption, double length,
             int divisions, int width) {
    t.setForeColor(kBlack);
    printAt(t, x, y, caption);
    const double barY = y + t.textHeight("L") + 1;
    t.setDrawStyle(kSolid);
    t.setDrawWidth(width);
    segment(t, x, barY, x + length, barY, kBlack);
    for (int i = 0; i <= divisions; ++i) {
        const bool major = i == 0 || i == divisions || 2 * i == divisions;
        const double tx = x + length * i / divisions;
        segment(t, tx, barY, tx, barY + (major ? kLongTick : kShortTick), kBlack);
    }
}

}  // namespace

void drawPageMarks(DrawingTarget& t, const std::vector<PageMark>& marks, int lineWidth) {
    for (const PageMark& m : marks) {
        switch (m.kind) {
            case PageMark::Text:
                t.setForeColor(kBlack);
                printScaled(t, m.x, m.y, m.text, m.fontFactor);
                break;
            case PageMark::Bar:
                drawBar(t, m.x, m.y, m.text, m.length, m.ticks, lineWidth);
                break;
            case PageMark::Frame:
                t.setDrawStyle(kSolid);
                t.setDrawWidth(1);
                t.line(single(m.x), single(m.y), single(m.x + m.length), single(m.y + m.height),
                       m.faint ? kGrey : kBlack, true);
                break;
            case PageMark::Stroke:
                t.setDrawStyle(kSolid);
                t.setDrawWidth(1);
                segment(t, m.x, m.y, m.x + m.length, m.y + m.height, m.faint ? kGrey : kBlack);
                break;
            case PageMark::Cross:
                t.setDrawStyle(kSolid);
                t.setDrawWidth(lineWidth);
                segment(t, m.x - kCrossArm, m.y, m.x + kCrossArm, m.y, kBlack);
                segment(t, m.x, m.y - kCrossArm, m.x, m.y + kCrossArm, kBlack);
                break;
        }
    }
}

int scaleBarLength(double scale, double limit) {
    int best = 1;
    for (int decade = 1; decade <= 100000; decade *= 10)
        for (int step : {1, 2, 5})
            if (step * decade * scale <= limit) best = step * decade;
    return best;
}

void drawScaleBar(DrawingTarget& t, double scale) {
    const double sheetWidth = t.scaleWidth();
    const double sheetHeight = t.scaleHeight();
    const double base = t.fontSize();
    t.setFontSize(base * kLegendFactor);
    const double legendLine = t.textHeight("L");
    t.setFontSize(base);
    const int length = scaleBarLength(scale, kScaleBarShare * sheetWidth);
    const int divisions = length % 10 == 0 ? 10 : length % 5 == 0 ? 5 : 2;
    drawBar(t, kScaleBarLeft, sheetHeight - 4 * legendLine, std::to_string(length) + " мм",
            length * scale, length == 1 ? 2 : divisions, kBarWidth);
}

}  // namespace tavro
