// The nozzle drawing's entry point: sheet set-up, scale, axis, title, legend and note.
#include "rebuilder.h"

#include <utility>

#include "builders.h"
#include "checked_ops.h"
#include "faults.h"
#include "half_target.h"
#include "number_text.h"
#include "page_marks.h"
#include "sheet_fit.h"
#include "sheet_parts.h"

namespace tavro {

namespace {

// The outputs side by side, in the order of OutputMode.
// clang-format off
constexpr OutputRules kRules[] = {
    // units            fullSize dimensions contourWidth margin scaleBar
    {kScaleUser,        false,   true,      2,           2,     false},  // Window
    {kScaleMillimetres, false,   true,      10,          0.25,  true},   // Drawing
    {kScaleMillimetres, true,    false,     2,           0.25,  false},  // Template
};
// clang-format on

// Queries are operations of the target as well: they are asked one at a time, in a fixed
// order, never as operands whose order the compiler picks.
float fitScaleOf(DrawingTarget& t, const DesignState& s) {
    const double height = t.scaleHeight();
    const double width = t.scaleWidth();
    return FitScale(s.Ln, s.Ra, s.Rc, height, width);
}

// Right-aligned by the width of the measuring text, some text lines above the bottom edge.
void printFromBottomRight(DrawingTarget& t, const std::string& shown, const std::string& measured,
                          double lines) {
    const double sheetWidth = t.scaleWidth();
    const double width = t.textWidth(measured);
    const double sheetHeight = t.scaleHeight();
    const double lineHeight = t.textHeight("L");
    printAt(t, sheetWidth - width, sheetHeight - lines * lineHeight, shown);
}

// The legend's scale: "Масштаб v:1" when enlarged, "Масштаб 1:v" when reduced. The measuring
// text is one space and "++" longer, which keeps the legend off the page edge.
std::pair<std::string, std::string> legendTexts(float scale, char sep) {
    if (scale >= 1) {
        const std::string v = formatRounded(scale, 3, sep);
        return {"Масштаб " + v + ":1", "Масштаб  " + v + ":1++"};
    }
    const std::string v = formatRounded(single(div(1, scale)), 3, sep);
    return {"Масштаб 1:" + v, "Масштаб  1:" + v + "++"};
}

void printLegend(DrawingTarget& t, float scale, char sep) {
    const auto [shown, measured] = legendTexts(scale, sep);
    printFromBottomRight(t, shown, measured, 4);
}

// A template too large for one page: the large sheet page by page, each page drawn whole and
// cut to its part of the sheet by the origin, with its own marks.
RebuildOutcome rebuildTiles(DrawingTarget& sheet, DesignState& s, const TemplatePlan& plan,
                            OutputMode mode, char sep, Reporter& reporter) {
    const int contourWidth = rulesOf(mode).contourWidth;
    s.AxisX = single(plan.axisX);
    s.EntryY = single(plan.entryY);
    HalfTarget half(sheet, s.AxisX);
    DrawingTarget& target =
        plan.shape == TemplateShape::Half ? static_cast<DrawingTarget&>(half) : sheet;
    bool first = true;
    if (!plan.mapPage.empty()) {
        target.setOrigin(0, 0);
        drawPageMarks(sheet, plan.mapPage, contourWidth);
        first = false;
    }
    for (const TemplatePage& page : plan.pages) {
        if (!page.printed) continue;
        if (!first) target.newPage();
        target.setOrigin(single(page.left), single(page.top));
        drawAxisLines(target, s, 1);
        target.setDrawStyle(kSolid);
        target.setDrawWidth(contourWidth);
        target.setForeColor(kBlack);
        bool clean = BodyBuilder(target, s.Ln, s.Ra, s.Rc, s.AxisX, s.EntryY, 1, reporter);
        clean = NozzleBuilder(target, s, 1, mode, contourWidth, sep, reporter) && clean;
        // A contour that failed on one page fails on all: reported once, nothing printed.
        if (!clean) return RebuildOutcome::Failed;
        // The marks are the page's own, never cut by the axis.
        drawPageMarks(sheet, page.marks, contourWidth);
        first = false;
    }
    target.setOrigin(0, 0);
    target.endDoc();
    return RebuildOutcome::Drawn;
}

// Where a text printed from the bottom right would stand, measured without drawing.
Box bottomRightBox(DrawingTarget& t, const SheetArea& a, const std::string& shown,
                   const std::string& measured, double lines, double points) {
    const double left = a.width - t.measureText(measured, points).width;
    const double lineHeight = t.measureText("L", points).height;
    const double top = a.height - lines * lineHeight;
    return {left, top, left + t.measureText(shown, points).width, top + lineHeight};
}

// The point sizes of the title and the note: the usual ones (the very same values), or smaller
// where the text is wider than the sheet.
struct TextSizes {
    double base, title, note;
};

TextSizes textSizes(DrawingTarget& t, const DesignState& s, const SheetArea& a) {
    TextSizes z;
    z.base = t.fontSize();
    z.title = fittingPoints(t, s.Title, z.base * kTitleFactor, a.width - 2 * a.margin);
    // No note, nothing to fit: measuring would only load a font the sheet does not draw with.
    z.note = s.Note.empty()
                 ? z.base * kLegendFactor
                 : fittingPoints(t, s.Note + "++", z.base * kLegendFactor, a.width - a.margin);
    return z;
}

// The usual scale when the whole drawing stays on the sheet, else the largest that keeps it
// there; on paper the drawing also keeps clear of the scale legend and the note.
float fittedScale(DrawingTarget& t, const DesignState& s, float scale, OutputMode mode,
                  const SheetArea& a, const TextSizes& z, char sep) {
    const OutputRules& rules = rulesOf(mode);
    const ScaledDrawing draw = [&](DrawingTarget& stand, float sc) {
        drawAxisLines(stand, s, sc);
        drawBody(stand, s.Ln, s.Ra, s.Rc, s.AxisX, s.EntryY, sc);
        drawNozzle(stand, s, sc, mode, rules.contourWidth, sep);
    };
    const ClearBoxes clear = [&](float sc) {
        std::vector<Box> boxes;
        if (!rules.paper()) return boxes;
        const auto [shown, measured] = legendTexts(sc, sep);
        boxes.push_back(bottomRightBox(t, a, shown, measured, 4, z.base * kLegendFactor));
        if (!s.Note.empty())
            boxes.push_back(bottomRightBox(t, a, s.Note, s.Note + "++", 2, z.note));
        return boxes;
    };
    return fitScale(t, scale, a, draw, clear);
}

RebuildOutcome rebuild(DrawingTarget& target, DesignState& s, const Output& output, char sep,
                       Reporter& reporter) {
    const OutputRules& rules = rulesOf(output.mode);
    const bool paper = rules.paper();
    float scale = 1;
    TemplatePlan ownPlan;
    const TemplatePlan* plan = output.plan;
    if (!paper) {
        // The window's sheet is measured in the units it has before it takes its own, and is
        // erased whether or not there is a nozzle to draw.
        scale = fitScaleOf(target, s);
        target.setScaleMode(rules.units);
        target.cls();
        if (scale <= 0) {
            BlankSheet(target, output.buttonFace);
            return RebuildOutcome::Blank;
        }
        target.setBackColor(kWhite);
    } else {
        target.setScaleMode(rules.units);
        if (!rules.fullSize) scale = fitScaleOf(target, s);
    }
    if (rules.fullSize) {
        if (!plan) {
            const double width = target.scaleWidth();
            const double height = target.scaleHeight();
            ownPlan = planTemplate(target, s, PageArea{width, height});
            plan = &ownPlan;
        }
        if (plan->tiled) return rebuildTiles(target, s, *plan, output.mode, sep, reporter);
    }
    const int contourWidth = rules.contourWidth;

    SheetArea area;
    area.width = target.scaleWidth();
    s.AxisX = single(area.width / 2.0);
    area.height = target.scaleHeight();
    s.EntryY = single(area.height * 0.2);
    // Ink keeps two pixels from the sheet's edges, a thick stroke with its edge; on paper it
    // keeps half the thickest stroke from the edge of the printable area.
    area.margin = rules.margin;
    area.inkPerWidth = rules.paper() ? 0 : 0.5;
    const double axisX = s.AxisX, entryY = s.EntryY;
    const TextSizes sizes = textSizes(target, s, area);
    if (!rules.fullSize) scale = fittedScale(target, s, scale, output.mode, area, sizes, sep);
    const double sc = scale;

    drawAxisLines(target, s, sc);

    target.setDrawStyle(kSolid);
    target.setDrawWidth(contourWidth);
    target.setForeColor(kBlack);

    if (sizes.title == sizes.base * kTitleFactor) {
        target.setFontSize(target.fontSize() * kTitleFactor);
        printAt(target, axisX - target.textWidth(s.Title) / 2.0, entryY / 4, s.Title);
        target.setFontSize(target.fontSize() / kTitleFactor);
    } else {
        target.setFontSize(sizes.title);
        printAt(target, axisX - target.textWidth(s.Title) / 2.0, entryY / 4, s.Title);
        target.setFontSize(sizes.base);
    }

    bool clean = BodyBuilder(target, s.Ln, s.Ra, s.Rc, axisX, entryY, sc, reporter);
    clean = NozzleBuilder(target, s, scale, output.mode, contourWidth, sep, reporter) && clean;

    target.setFontSize(target.fontSize() * kLegendFactor);
    target.setForeColor(kBlack);
    if (paper) printLegend(target, scale, sep);
    if (!s.Note.empty()) {
        if (sizes.note == sizes.base * kLegendFactor) {
            printFromBottomRight(target, s.Note, s.Note + "++", 2);
        } else {
            const double large = target.fontSize();
            target.setFontSize(sizes.note);
            printFromBottomRight(target, s.Note, s.Note + "++", 2);
            target.setFontSize(large);
        }
    }
    target.setFontSize(target.fontSize() / kLegendFactor);

    if (rules.scaleBar) drawScaleBar(target, scale);
    if (rules.fullSize && !plan->pages.empty())
        drawPageMarks(target, plan->pages.front().marks, contourWidth);
    if (paper) target.endDoc();
    return clean ? RebuildOutcome::Drawn : RebuildOutcome::Failed;
}

}  // namespace

void drawAxisLines(DrawingTarget& target, const DesignState& s, double scale) {
    const double axisX = s.AxisX, entryY = s.EntryY;
    target.setDrawWidth(1);
    target.setDrawStyle(kDashDot);
    segment(target, axisX, 0.75 * entryY, axisX, 1.25 * entryY + scale * s.Ln, kGrey);
    target.setDrawStyle(kSolid);
    const double yt = entryY + scale * (static_cast<double>(s.Ln) - s.La);
    segment(target, axisX, yt, axisX, entryY + scale * s.Ln, kGrey);
    segment(target, axisX - scale * s.Rkr, yt, axisX + scale * s.Rkr, yt, kGrey);
}

const OutputRules& rulesOf(OutputMode mode) {
    return kRules[static_cast<int>(mode)];
}

float FitScale(double length, double radius1, double radius2, double sheetHeight,
               double sheetWidth) {
    if (length <= 0 || radius1 <= 0 || radius2 <= 0) return 0;
    const double r = radius1 > radius2 ? radius1 : radius2;
    const double lengthFit = div(sheetHeight, length);
    const double widthFit = div(div(sheetWidth, r), 2);
    const double base = 0.8 * lengthFit < 1.8 * widthFit ? lengthFit : widthFit;
    return single(0.6 * base);
}

void BlankSheet(DrawingTarget& sheet, Rgb buttonFace) {
    const std::string s = "ВВЕДИТЕ ПАРАМЕТРЫ СОПЛА В БЕЛЫЕ ПОЛЯ";
    sheet.setBackColor(buttonFace);
    const double width = sheet.scaleWidth();
    const double textWidth = sheet.textWidth(s);
    const double height = sheet.scaleHeight();
    printAt(sheet, width / 2 - textWidth / 2, height / 2, s);
}

RebuildOutcome Rebuilder(DrawingTarget& target, DesignState& state, const Output& output,
                         char decimalSeparator, Reporter& reporter) {
    if (!state.InRange) {
        reporter.reportOffDesign();
        return RebuildOutcome::OffDesign;
    }
    try {
        return rebuild(target, state, output, decimalSeparator, reporter);
    } catch (const CalcFault&) {
        reporter.reportError("Rebuilder");
        return RebuildOutcome::Failed;
    }
}

}  // namespace tavro
