// How a full-size template goes on paper: one page, or a large sheet cut into overlapping pages.
#pragma once

#include <string>
#include <vector>

#include "design_state.h"
#include "drawing_target.h"
#include "output_mode.h"

namespace tavro {

// The usable (printable) area of a page, in millimetres.
struct PageArea {
    double width = 0, height = 0;
};

// A rectangle of the sheet, in millimetres.
struct SheetRect {
    double left = 0, top = 0, width = 0, height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// Something drawn on one page only, in millimetres of the large sheet.
struct PageMark {
    enum Kind { Text, Bar, Cross, Frame, Stroke };
    Kind kind = Text;
    double x = 0, y = 0;    // text and bar: top-left corner; cross: centre
    std::string text;       // the text, or the bar's caption above the bar
    double fontFactor = 1;  // text size as a multiple of the page's font
    // bar: length on the paper in millimetres; frame: width; stroke: its run along x
    double length = 0;
    int ticks = 0;       // bar: number of equal divisions marked by ticks
    double height = 0;   // frame; stroke: its run along y
    bool faint = false;  // grey: a frame of a page that is not printed, a stroke
};

struct TemplatePage {
    int row = 0, column = 0;
    double left = 0, top = 0;  // where the page's usable area lies on the large sheet
    // Whether the page holds a part of the contour or of the blank's outline; a page without
    // one is not printed, and the page map shows it blank.
    bool printed = true;
    std::vector<PageMark> marks;
};

struct TemplatePlan {
    TemplateShape shape = TemplateShape::Whole;
    // The paper is turned across: the second area given to planTemplate was taken.
    bool turned = false;
    // False: one page in the drawing's ordinary layout, with the marks of pages[0].
    bool tiled = false;
    PageArea page;
    int rows = 1, columns = 1;
    double axisX = 0, entryY = 0;  // on the large sheet, when tiled
    // Every page of the sheet with its marks, unless only the pages were counted.
    std::vector<TemplatePage> pages;
    // The pages of the sheet that are printed.
    int printedPages = 1;
    // The page map on a first page of its own (a sheet of more than four pages); empty when
    // the map stands on page A1 or the template is one page.
    std::vector<PageMark> mapPage;
    // The sheets of paper the template takes.
    int pageCount() const { return printedPages + (mapPage.empty() ? 0 : 1); }
};

// How the pages are put together, as the page map says it.
extern const char* const kJoinInstruction;

// Neighbouring pages repeat this much of each other, in millimetres.
constexpr double kTileOverlap = 10;

// "100 мм — проверьте масштаб печати" for a bar of 100 mm.
std::string calibrationCaption(int millimetres);
// The label of the page in row and column: "A1", "B2", ..., "AA1" past the 26th row.
std::string pageName(int row, int column);
// "лист 2 из 6".
std::string sheetOfText(int number, int count);

// Height of a bar block (caption, gap, bar and ticks) whose caption is captionHeight high.
double barBlockHeight(double captionHeight);

// Plans the template on pages whose usable area is page, or on across (the same paper turned)
// when that takes fewer pages; an across of zero size is never taken. metrics measures text in
// millimetres at the page's font. A design whose contour cannot be worked out is planned as
// one page: drawing it then reports the fault. With countOnly a sheet of more than four pages
// is counted without listing or marking its pages, which stays quick for a nozzle of any size;
// a smaller one is planned in full, since only that tells whether the map needs a page.
TemplatePlan planTemplate(DrawingTarget& metrics, const DesignState& state, PageArea page,
                          PageArea across = {}, bool countOnly = false,
                          TemplateShape shape = TemplateShape::Whole);

}  // namespace tavro
