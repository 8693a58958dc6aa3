// How a full-size template goes on paper: one page, or a large sheet cut into overlapping pages.
#include "template_plan.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <utility>

#include "faults.h"
#include "half_target.h"
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
// The axis keeps this far from a column of crosses: clear of the cross and of its strip.
constexpr double kAxisFromCrosses = kTileOverlap / 2 + 3.5;
// The page map: its heading, the cells of a map beside the nozzle (a page's longer side) and at
// most the share of a page's size that a cell of a map page takes.
const char* const kMapHeading = "Схема листов шаблона:";
constexpr double kSmallMapCell = 9;
constexpr double kLargestMapCell = 0.15;
// The axis of a half-profile template: near the sheet's left edge, clear of its crosses.
constexpr double kHalfAxisX = kTileOverlap / 2 + kAxisFromCrosses + 1;
const char* const kHalfNote = "половина профиля: вторую половину получите зеркально по оси";
// The map on page A1 stands below the page's name.
constexpr double kMapDrop = 12;

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

// The blank's outline and the contour with the nozzle placed at (axisX, entryY): what makes a
// page of the sheet worth printing.
std::vector<Segment> partLines(DesignState s, double axisX, double entryY, TemplateShape shape) {
    s.AxisX = single(axisX);
    s.EntryY = single(entryY);
    SegmentTarget outline;
    HalfTarget halfOutline(outline, s.AxisX);
    DrawingTarget& t =
        shape == TemplateShape::Half ? static_cast<DrawingTarget&>(halfOutline) : outline;
    if (static_cast<double>(s.Ln) * s.Ra * s.Rc != 0) {
        const double half = std::max(s.Ra, s.Rc);
        t.line(s.AxisX - static_cast<float>(half), s.EntryY, s.AxisX + static_cast<float>(half),
               s.EntryY + s.Ln, kGrey, true);
    }
    drawContour(t, s, 1);
    return std::move(outline.strokes);
}

// The template's lines with the nozzle placed at (axisX, entryY): axis, throat and diffuser
// lines, the blank's outline and the contour.
std::vector<Segment> templateLines(DesignState s, double axisX, double entryY,
                                   TemplateShape shape) {
    s.AxisX = single(axisX);
    s.EntryY = single(entryY);
    SegmentTarget outline;
    drawAxisLines(outline, s, 1);
    std::vector<Segment> lines = std::move(outline.strokes);
    const std::vector<Segment> parts = partLines(s, axisX, entryY, shape);
    lines.insert(lines.end(), parts.begin(), parts.end());
    return lines;
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
Tiling tilingFor(const DesignState& s, PageArea page, TemplateShape shape) {
    const double stepX = page.width - kTileOverlap, stepY = page.height - kTileOverlap;
    if (stepX <= 0 || stepY <= 0) return {};
    const double width = shape == TemplateShape::Half
                             ? kHalfAxisX + std::max(s.Ra, s.Rc) + kSideRoom
                             : 2.0 * std::max(s.Ra, s.Rc) + 2 * kSideRoom;
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
    const std::vector<Segment> lines = templateLines(s, axisX, entryY, TemplateShape::Whole);
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

// The axis in the sheet's middle, unless that runs it along a column of crosses (an even
// number of columns): then it moves aside, which the side room around the blank allows.
double axisClearOfCrosses(double sheetWidth, double stepX) {
    const double middle = sheetWidth / 2;
    const double k = std::round((middle - kCrossInset) / stepX);
    const double column = k * stepX + kCrossInset;
    if (std::fabs(middle - column) >= kAxisFromCrosses) return middle;
    return column + (middle >= column ? kAxisFromCrosses : -kAxisFromCrosses);
}

// The pages (row * columns + column) that a part of the contour or the outline crosses.
std::set<long long> heldPages(const std::vector<Segment>& parts, Tiling tiling, double stepX,
                              double stepY, PageArea page) {
    std::set<long long> held;
    const auto range = [](double from, double to, double size, double step, int count) {
        const int first = static_cast<int>(std::floor((from - size) / step));
        const int last = static_cast<int>(std::floor(to / step));
        return std::make_pair(std::max(0, first), std::min(count - 1, last));
    };
    for (const Segment& seg : parts) {
        const auto [c0, c1] = range(std::min(seg.x1, seg.x2), std::max(seg.x1, seg.x2), page.width,
                                    stepX, tiling.columns);
        const auto [r0, r1] = range(std::min(seg.y1, seg.y2), std::max(seg.y1, seg.y2), page.height,
                                    stepY, tiling.rows);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                if (meets(seg, SheetRect{c * stepX, r * stepY, page.width, page.height}))
                    held.insert(static_cast<long long>(r) * tiling.columns + c);
    }
    return held;
}

// The page map's block: a heading, the sheet's grid of pages in their proportions, and the
// instruction how to join them.
struct MapLayout {
    double cellWidth = 0, cellHeight = 0, nameFactor = 1;
    double width = 0, height = 0;
    int rows = 0, columns = 0;
    std::vector<std::string> instruction;  // its lines
};

size_t letters(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

// The instruction in lines of at most about `characters` letters, broken between words.
std::vector<std::string> wrappedInstruction(size_t characters) {
    std::vector<std::string> lines{""};
    const std::string text = kJoinInstruction;
    size_t from = 0;
    while (from < text.size()) {
        size_t to = text.find(' ', from);
        if (to == std::string::npos) to = text.size();
        const std::string word = text.substr(from, to - from);
        if (!lines.back().empty() && letters(lines.back()) + 1 + letters(word) > characters)
            lines.emplace_back();
        lines.back() += (lines.back().empty() ? "" : " ") + word;
        from = to + 1;
    }
    return lines;
}

MapLayout mapLayout(Measure& measure, Tiling tiling, double cellWidth, double cellHeight,
                    size_t characters = std::string::npos) {
    MapLayout m;
    m.instruction = wrappedInstruction(characters);
    m.rows = tiling.rows;
    m.columns = tiling.columns;
    m.cellWidth = cellWidth;
    m.cellHeight = cellHeight;
    const std::string widest = pageName(tiling.rows - 1, tiling.columns - 1);
    m.nameFactor = std::min(
        {1.0, (cellWidth - 1) / measure.width(widest, 1), (cellHeight - 1) / measure.height(1)});
    m.width = std::max(tiling.columns * cellWidth, measure.width(kMapHeading, 1));
    for (const std::string& line : m.instruction)
        m.width = std::max(m.width, measure.width(line, 1));
    m.height = (1 + static_cast<double>(m.instruction.size())) * measure.height(1) +
               tiling.rows * cellHeight + 2 * kGap;
    return m;
}

// A map small enough to stand beside the nozzle on the first page, its instruction in lines
// of at most `characters` letters.
MapLayout smallMap(Measure& measure, Tiling tiling, PageArea page, size_t characters) {
    const double k = kSmallMapCell / std::max(page.width, page.height);
    return mapLayout(measure, tiling, std::max(k * page.width, measure.width("A1", 1) + 2),
                     std::max(k * page.height, measure.height(1) + 2), characters);
}

// The map filling a page of its own under the title and the page's number.
MapLayout pageMapLayout(Measure& measure, Tiling tiling, PageArea page, const std::string& title) {
    const double texts = measure.height(kTitleFactor) * !title.empty() + 3 * measure.height(1) +
                         4 * kGap + 2 * kEdge;
    const double k =
        std::min({(page.width - 2 * kEdge) / (tiling.columns * page.width),
                  (page.height - texts) / (tiling.rows * page.height), kLargestMapCell});
    return mapLayout(measure, tiling, k * page.width, k * page.height);
}

// The map at (x, y): the grid, each printed page named and the others grey, the contour and
// the blank's outline drawn small over it, and the instruction below.
void addMap(Measure& measure, const TemplatePlan& plan, const std::set<long long>& held,
            const std::vector<Segment>& parts, const MapLayout& map, double x, double y,
            std::vector<PageMark>& marks) {
    marks.push_back(textMark(kMapHeading, x, y, 1));
    const double gridTop = y + measure.height(1) + kGap;
    for (int r = 0; r < map.rows; ++r)
        for (int c = 0; c < map.columns; ++c) {
            PageMark cell;
            cell.kind = PageMark::Frame;
            cell.x = x + c * map.cellWidth;
            cell.y = gridTop + r * map.cellHeight;
            cell.length = map.cellWidth;
            cell.height = map.cellHeight;
            cell.faint = !held.count(static_cast<long long>(r) * plan.columns + c);
            marks.push_back(cell);
            if (cell.faint) continue;
            const std::string name = pageName(r, c);
            marks.push_back(textMark(
                name, cell.x + (map.cellWidth - measure.width(name, map.nameFactor)) / 2,
                cell.y + (map.cellHeight - measure.height(map.nameFactor)) / 2, map.nameFactor));
        }
    const double stepX = plan.page.width - kTileOverlap, stepY = plan.page.height - kTileOverlap;
    const double kx = map.cellWidth / stepX, ky = map.cellHeight / stepY;
    for (const Segment& part : parts) {
        PageMark stroke;
        stroke.kind = PageMark::Stroke;
        stroke.faint = true;  // under the grid's black frames and names
        stroke.x = x + part.x1 * kx;
        stroke.y = gridTop + part.y1 * ky;
        stroke.length = (part.x2 - part.x1) * kx;
        stroke.height = (part.y2 - part.y1) * ky;
        marks.push_back(stroke);
    }
    double lineTop = gridTop + map.rows * map.cellHeight + kGap;
    for (const std::string& line : map.instruction) {
        marks.push_back(textMark(line, x, lineTop, 1));
        lineTop += measure.height(1);
    }
}

TemplatePlan tiles(Measure& measure, const DesignState& s, PageArea page, Tiling tiling,
                   bool countOnly, TemplateShape shape) {
    TemplatePlan plan;
    plan.tiled = true;
    plan.shape = shape;
    plan.page = page;
    plan.rows = tiling.rows;
    plan.columns = tiling.columns;
    const double stepX = page.width - kTileOverlap, stepY = page.height - kTileOverlap;
    const double sheetWidth = tiling.columns * stepX + kTileOverlap;
    const double sheetHeight = tiling.rows * stepY + kTileOverlap;
    const int sheetPages = tiling.pages();
    if (shape == TemplateShape::Half) {
        plan.axisX = single(kHalfAxisX);
    } else {
        plan.axisX =
            single(sheetPages > 1 ? axisClearOfCrosses(sheetWidth, stepX) : sheetWidth / 2);
    }
    plan.entryY = single((sheetHeight - s.Ln) / 2);
    const std::vector<Segment> parts = partLines(s, plan.axisX, plan.entryY, shape);
    const std::set<long long> held = heldPages(parts, tiling, stepX, stepY, page);
    plan.printedPages = static_cast<int>(held.size());
    // More than four pages get a first page of their own for the map.
    const bool ownMapPage = sheetPages > 4;
    // A count need not place the marks of many pages; up to four it must, since only placing
    // tells whether the map finds room beside the nozzle or takes a page of its own.
    if (countOnly && ownMapPage) {
        plan.mapPage.resize(1);
        return plan;
    }
    int count = plan.printedPages + (ownMapPage ? 1 : 0);
    int number = ownMapPage ? 1 : 0;
    bool mapOnOwnPage = ownMapPage;
    const std::vector<Segment> lines = templateLines(s, plan.axisX, plan.entryY, shape);
    for (int r = 0; r < tiling.rows; ++r) {
        for (int c = 0; c < tiling.columns; ++c) {
            TemplatePage p;
            p.row = r;
            p.column = c;
            p.left = c * stepX;
            p.top = r * stepY;
            p.printed = held.count(static_cast<long long>(r) * tiling.columns + c) > 0;
            // The title, the legend and a small map go on the first page that is printed.
            const bool first = p.printed && number == (ownMapPage ? 1 : 0);
            if (p.printed) ++number;
            const SheetRect area{p.left, p.top, page.width, page.height};
            // Names, bars and texts keep out of the strips that neighbouring pages share, so
            // that cutting or gluing there never cuts one and no page covers another's marks.
            const SheetRect inner = sheetPages > 1 ? grown(area, -kTileOverlap) : area;
            Placer placer(lines, inner);
            size_t numberMark = 0;
            if (sheetPages > 1) {
                for (const double dx : {kCrossInset, page.width - kCrossInset})
                    for (const double dy : {kCrossInset, page.height - kCrossInset}) {
                        PageMark cross;
                        cross.kind = PageMark::Cross;
                        cross.x = p.left + dx;
                        cross.y = p.top + dy;
                        p.marks.push_back(cross);
                    }
                const std::vector<std::pair<std::string, double>> name = {
                    {pageName(r, c), kPageNameFactor}, {sheetOfText(number, count), 1}};
                placeLines(placer, measure, name, inner, Corner::TopLeft, p.marks);
                numberMark = p.marks.size() - 1;
            }
            if (first) {
                if (!s.Title.empty())
                    placeLines(placer, measure, {{s.Title, kTitleFactor}}, inner, Corner::TopCentre,
                               p.marks);
                std::vector<std::pair<std::string, double>> legend = {{kLegend, kLegendFactor}};
                if (!s.Note.empty()) legend.push_back({s.Note, kLegendFactor});
                if (shape == TemplateShape::Half) legend.push_back({kHalfNote, 1});
                placeLines(placer, measure, legend, inner, Corner::BottomRight, p.marks);
            }
            placeCalibrationBar(placer, measure, inner, p.marks);
            if (first && sheetPages > 1 && !ownMapPage) {
                // The map beside the nozzle when it finds room there, else on a page of its own
                // in front, which moves this page's number (and every later one) by one.
                bool placed = false;
                for (const size_t characters : {std::string::npos, size_t{34}, size_t{22}}) {
                    const MapLayout map = smallMap(measure, tiling, page, characters);
                    const auto at =
                        placer.place(map.width, map.height, inner.left, inner.top + kMapDrop);
                    if (!at) continue;
                    placer.take(*at);
                    addMap(measure, plan, held, parts, map, at->left, at->top, p.marks);
                    placed = true;
                    break;
                }
                if (!placed) {
                    mapOnOwnPage = true;
                    ++count;
                    ++number;
                    p.marks[numberMark].text = sheetOfText(number, count);
                }
            }
            plan.pages.push_back(std::move(p));
        }
    }
    if (mapOnOwnPage) {
        const MapLayout map = pageMapLayout(measure, tiling, page, s.Title);
        std::vector<PageMark> marks;
        double y = kEdge;
        if (!s.Title.empty()) {
            marks.push_back(textMark(s.Title, kEdge, y, kTitleFactor));
            y += measure.height(kTitleFactor) + kGap;
        }
        marks.push_back(textMark(sheetOfText(1, count), kEdge, y, 1));
        y += measure.height(1) + 2 * kGap;
        addMap(measure, plan, held, parts, map, kEdge, y, marks);
        plan.mapPage = std::move(marks);
    }
    return plan;
}

}  // namespace

const char* const kJoinInstruction =
    "совместите кресты соседних листов, склейте по полосе перекрытия";

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
                          PageArea across, bool countOnly, TemplateShape shape) {
    Measure measure(metrics);
    try {
        const bool acrossUsable = across.width > 0 && across.height > 0;
        // The drawing's own layout is the whole nozzle's; a half is always laid out as a sheet.
        const bool whole = shape == TemplateShape::Whole;
        if (auto plan = whole ? onePage(measure, s, page) : std::nullopt) return *plan;
        if (acrossUsable && whole) {
            if (auto plan = onePage(measure, s, across)) {
                plan->turned = true;
                return *plan;
            }
        }
        const Tiling down = tilingFor(s, page, shape);
        const Tiling turned = acrossUsable ? tilingFor(s, across, shape) : Tiling{};
        if (turned.pages() > 0 && (down.pages() == 0 || turned.pages() < down.pages())) {
            TemplatePlan plan = tiles(measure, s, across, turned, countOnly, shape);
            plan.turned = true;
            return plan;
        }
        if (down.pages() > 0) return tiles(measure, s, page, down, countOnly, shape);
    } catch (const CalcFault&) {
    }
    TemplatePlan plan;
    plan.page = page;
    plan.pages.resize(1);
    return plan;
}

}  // namespace tavro
