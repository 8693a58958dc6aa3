// How a full-size template goes on paper: one page, or a large sheet cut into overlapping pages.
#include "template_plan.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "faults.h"
#include "segment_target.h"
#include "sheet_fit.h"
#include "sheet_parts.h"

namespace tavro {
namespace {

// Room kept between a placed text or bar and any line of the drawing, and between two of them.
constexpr double kClearance = 1.5;
constexpr double kGap = 1;
// Marks keep this far inside the usable area, so that no stroke is cut at its edge.
constexpr double kEdge = 1;
// Free paper around the blank's outline on a large sheet: at the sides, above and below.
constexpr double kSideRoom = 10;
constexpr double kEndRoom = 20;
// A crop cross sits in the middle of each corner square that a page shares with neighbours.
constexpr double kCrossInset = kTileOverlap / 2;
// Candidate places for a mark are tried on this grid, nearest to the preferred place first.
constexpr double kGrid = 2.5;
constexpr int kBarLengths[] = {100, 50, 20, 10};
// No nozzle of this world needs more rows or columns; the cap keeps the page count an int.
constexpr double kMostAcross = 30000;
constexpr double kPageNameFactor = 1.5;
const char* const kLegend = "Масштаб 1:1";

// Whether the segment meets the rectangle.
bool meets(const Segment& s, const SheetRect& r) {
    return segmentMeetsBox(s, Box{r.left, r.top, r.right(), r.bottom()});
}

SheetRect grown(const SheetRect& b, double by) {
    return SheetRect{b.left - by, b.top - by, b.width + 2 * by, b.height + 2 * by};
}

bool overlaps(const SheetRect& a, const SheetRect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

bool inside(const SheetRect& inner, const SheetRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

// The template's lines with the nozzle placed at (axisX, entryY): axis, throat and diffuser
// lines, the blank's outline and the contour.
std::vector<Segment> templateLines(DesignState s, double axisX, double entryY) {
    s.AxisX = single(axisX);
    s.EntryY = single(entryY);
    SegmentTarget outline;
    drawAxisLines(outline, s, 1);
    if (static_cast<double>(s.Ln) * s.Ra * s.Rc != 0) {
        const double half = std::max(s.Ra, s.Rc);
        outline.line(s.AxisX - static_cast<float>(half), s.EntryY,
                     s.AxisX + static_cast<float>(half), s.EntryY + s.Ln, kGrey, true);
    }
    drawContour(outline, s, 1);
    return std::move(outline.strokes);
}

// Text sizes in millimetres at a multiple of the page's font, the font left as it was.
class Measure {
  public:
    explicit Measure(DrawingTarget& t) : t_(t) {}
    double width(const std::string& text, double factor) {
        return with(factor, [&] { return t_.textWidth(text); });
    }
    double height(double factor) {
        return with(factor, [&] { return t_.textHeight("L"); });
    }

  private:
    template <class F>
    double with(double factor, F f) {
        const double base = t_.fontSize();
        t_.setFontSize(base * factor);
        const double v = f();
        t_.setFontSize(base);
        return v;
    }
    DrawingTarget& t_;
};

// Finds free places on one page: clear of the drawing's lines and of what is already placed.
class Placer {
  public:
    Placer(const std::vector<Segment>& lines, SheetRect area) : area_(grown(area, -kEdge)) {
        const SheetRect near = grown(area, kClearance);
        for (const Segment& s : lines)
            if (meets(s, near)) lines_.push_back(s);
    }
    void take(const SheetRect& b) { taken_.push_back(b); }
    bool free(const SheetRect& b) const {
        if (!inside(b, area_)) return false;
        const SheetRect clear = grown(b, kClearance);
        for (const Segment& s : lines_)
            if (meets(s, clear)) return false;
        const SheetRect spaced = grown(b, kGap);
        for (const SheetRect& t : taken_)
            if (overlaps(spaced, t)) return false;
        return true;
    }
    // The free place of the given size nearest to the preferred top-left corner.
    std::optional<SheetRect> place(double width, double height, double preferX,
                                   double preferY) const {
        if (width > area_.width || height > area_.height) return std::nullopt;
        std::vector<std::pair<double, SheetRect>> candidates;
        const int nx = static_cast<int>((area_.width - width) / kGrid);
        const int ny = static_cast<int>((area_.height - height) / kGrid);
        for (int i = 0; i <= nx + 1; ++i) {
            // The last column and row sit flush with the right and bottom edges.
            const double x = i > nx ? area_.right() - width : area_.left + i * kGrid;
            for (int j = 0; j <= ny + 1; ++j) {
                const double y = j > ny ? area_.bottom() - height : area_.top + j * kGrid;
                const double d = (x - preferX) * (x - preferX) + (y - preferY) * (y - preferY);
                candidates.push_back({d, SheetRect{x, y, width, height}});
            }
        }
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& c : candidates)
            if (free(c.second)) return c.second;
        return std::nullopt;
    }

  private:
    SheetRect area_;
    std::vector<Segment> lines_;
    std::vector<SheetRect> taken_;
};

PageMark textMark(const std::string& text, double x, double y, double factor) {
    PageMark m;
    m.kind = PageMark::Text;
    m.text = text;
    m.x = x;
    m.y = y;
    m.fontFactor = factor;
    return m;
}

// The longest calibration bar that finds a free place, nearest the page's bottom-left corner.
void placeCalibrationBar(Placer& placer, Measure& measure, const SheetRect& area,
                         std::vector<PageMark>& marks) {
    const double captionHeight = measure.height(1);
    const double height = barBlockHeight(captionHeight);
    for (int length : kBarLengths) {
        const std::string caption = calibrationCaption(length);
        const double width = std::max<double>(length, measure.width(caption, 1));
        const auto at = placer.place(width, height, area.left, area.bottom() - height);
        if (!at) continue;
        placer.take(*at);
        PageMark bar;
        bar.kind = PageMark::Bar;
        bar.x = at->left;
        bar.y = at->top;
        bar.text = caption;
        bar.length = length;
        bar.ticks = length / 10;
        marks.push_back(bar);
        return;
    }
}

struct Tiling {
    int rows = 0, columns = 0;
    int pages() const { return rows * columns; }
};

// Pages needed to hold the blank's outline with room around it, at full size.
Tiling tilingFor(const DesignState& s, PageArea page) {
    const double stepX = page.width - kTileOverlap, stepY = page.height - kTileOverlap;
    if (stepX <= 0 || stepY <= 0) return {};
    const double width = 2.0 * std::max(s.Ra, s.Rc) + 2 * kSideRoom;
    const double height = static_cast<double>(s.Ln) + 2 * kEndRoom;
    const auto count = [](double length, double step) {
        return static_cast<int>(
            std::clamp(std::ceil((length - kTileOverlap) / step), 1.0, kMostAcross));
    };
    Tiling t;
    t.columns = count(width, stepX);
    t.rows = count(height, stepY);
    return t;
}

// The drawing's own layout on one page, when the contour, outline, title, legend, note and a
// full calibration bar all fit without crossing one another.
std::optional<TemplatePlan> onePage(Measure& measure, const DesignState& s, PageArea page) {
    const SheetRect area{0, 0, page.width, page.height};
    const double axisX = single(page.width / 2.0), entryY = single(page.height * 0.2);
    const std::vector<Segment> lines = templateLines(s, axisX, entryY);
    for (const Segment& l : lines)
        if (!inside(SheetRect{std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::fabs(l.x2 - l.x1),
                              std::fabs(l.y2 - l.y1)},
                    area))
            return std::nullopt;
    Placer placer(lines, area);
    const auto put = [&](const std::string& text, double x, double y, double factor) {
        const SheetRect b{x, y, measure.width(text, factor), measure.height(factor)};
        if (!placer.free(b)) return false;
        placer.take(b);
        return true;
    };
    if (!s.Title.empty() &&
        !put(s.Title, axisX - measure.width(s.Title, kTitleFactor) / 2, entryY / 4, kTitleFactor))
        return std::nullopt;
    const double line = measure.height(kLegendFactor);
    const double legendX = page.width - measure.width("Масштаб  1:1++", kLegendFactor);
    if (!put(kLegend, legendX, page.height - 4 * line, kLegendFactor)) return std::nullopt;
    if (!s.Note.empty() && !put(s.Note, page.width - measure.width(s.Note + "++", kLegendFactor),
                                page.height - 2 * line, kLegendFactor))
        return std::nullopt;
    TemplatePage only;
    placeCalibrationBar(placer, measure, area, only.marks);
    if (only.marks.empty() || only.marks.back().length != kBarLengths[0]) return std::nullopt;
    TemplatePlan plan;
    plan.page = page;
    plan.pages.push_back(std::move(only));
    return plan;
}

// Where a block of text lines would best stand on the page, and how its lines align.
enum class Corner { TopLeft, TopCentre, BottomRight };

// A block of text lines placed as one, at its preferred place when the page has no free room
// for it: the page's name and the legend are never left out.
void placeLines(Placer& placer, Measure& measure,
                const std::vector<std::pair<std::string, double>>& texts, const SheetRect& area,
                Corner corner, std::vector<PageMark>& marks) {
    double width = 0, height = 0;
    for (const auto& [text, factor] : texts) {
        width = std::max(width, measure.width(text, factor));
        height += measure.height(factor);
    }
    double preferX = area.left, preferY = area.top;
    if (corner == Corner::TopCentre) preferX = area.left + area.width / 2 - width / 2;
    if (corner == Corner::BottomRight) {
        preferX = area.right() - width;
        preferY = area.bottom() - height;
    }
    const SheetRect at = placer.place(width, height, preferX, preferY)
                             .value_or(SheetRect{preferX, preferY, width, height});
    placer.take(at);
    double y = at.top;
    for (const auto& [text, factor] : texts) {
        const double w = measure.width(text, factor);
        double x = at.left;
        if (corner == Corner::TopCentre) x = at.left + width / 2 - w / 2;
        if (corner == Corner::BottomRight) x = at.right() - w;
        marks.push_back(textMark(text, x, y, factor));
        y += measure.height(factor);
    }
}

TemplatePlan tiles(Measure& measure, const DesignState& s, PageArea page, Tiling tiling,
                   bool countOnly) {
    TemplatePlan plan;
    plan.tiled = true;
    plan.page = page;
    plan.rows = tiling.rows;
    plan.columns = tiling.columns;
    const double stepX = page.width - kTileOverlap, stepY = page.height - kTileOverlap;
    const double sheetWidth = tiling.columns * stepX + kTileOverlap;
    const double sheetHeight = tiling.rows * stepY + kTileOverlap;
    plan.axisX = single(sheetWidth / 2);
    plan.entryY = single((sheetHeight - s.Ln) / 2);
    if (countOnly) return plan;
    const std::vector<Segment> lines = templateLines(s, plan.axisX, plan.entryY);
    const int count = tiling.pages();
    for (int r = 0; r < tiling.rows; ++r) {
        for (int c = 0; c < tiling.columns; ++c) {
            TemplatePage p;
            p.row = r;
            p.column = c;
            p.left = c * stepX;
            p.top = r * stepY;
            const SheetRect area{p.left, p.top, page.width, page.height};
            Placer placer(lines, area);
            if (count > 1) {
                for (const double dx : {kCrossInset, page.width - kCrossInset})
                    for (const double dy : {kCrossInset, page.height - kCrossInset}) {
                        PageMark cross;
                        cross.kind = PageMark::Cross;
                        cross.x = p.left + dx;
                        cross.y = p.top + dy;
                        p.marks.push_back(cross);
                        placer.take(SheetRect{cross.x - kCrossInset, cross.y - kCrossInset,
                                              kTileOverlap, kTileOverlap});
                    }
                const int number = r * tiling.columns + c + 1;
                const std::vector<std::pair<std::string, double>> name = {
                    {pageName(r, c), kPageNameFactor}, {sheetOfText(number, count), 1}};
                placeLines(placer, measure, name, area, Corner::TopLeft, p.marks);
            }
            if (r == 0 && c == 0) {
                if (!s.Title.empty())
                    placeLines(placer, measure, {{s.Title, kTitleFactor}}, area, Corner::TopCentre,
                               p.marks);
                std::vector<std::pair<std::string, double>> legend = {{kLegend, kLegendFactor}};
                if (!s.Note.empty()) legend.push_back({s.Note, kLegendFactor});
                placeLines(placer, measure, legend, area, Corner::BottomRight, p.marks);
            }
            placeCalibrationBar(placer, measure, area, p.marks);
            plan.pages.push_back(std::move(p));
        }
    }
    return plan;
}

}  // namespace

std::string calibrationCaption(int millimetres) {
    return std::to_string(millimetres) + " мм — проверьте масштаб печати";
}

std::string pageName(int row, int column) {
    std::string letters;
    for (int n = row + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters + std::to_string(column + 1);
}

std::string sheetOfText(int number, int count) {
    return "лист " + std::to_string(number) + " из " + std::to_string(count);
}

double barBlockHeight(double captionHeight) {
    return captionHeight + 1 + 3.5;
}

TemplatePlan planTemplate(DrawingTarget& metrics, const DesignState& s, PageArea page,
                          PageArea across, bool countOnly) {
    Measure measure(metrics);
    try {
        const bool acrossUsable = across.width > 0 && across.height > 0;
        if (auto plan = onePage(measure, s, page)) return *plan;
        if (acrossUsable) {
            if (auto plan = onePage(measure, s, across)) {
                plan->turned = true;
                return *plan;
            }
        }
        const Tiling down = tilingFor(s, page);
        const Tiling turned = acrossUsable ? tilingFor(s, across) : Tiling{};
        if (turned.pages() > 0 && (down.pages() == 0 || turned.pages() < down.pages())) {
            TemplatePlan plan = tiles(measure, s, across, turned, countOnly);
            plan.turned = true;
            return plan;
        }
        if (down.pages() > 0) return tiles(measure, s, page, down, countOnly);
    } catch (const CalcFault&) {
    }
    TemplatePlan plan;
    plan.page = page;
    plan.pages.resize(1);
    return plan;
}

}  // namespace tavro
