// Templates on paper, read back from the PDF: tiles put together by their crop crosses measure
// true, the calibration bar is 100 mm, and nothing lands in the margin printers cannot reach.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <sstream>

#include "cli.h"
#include "drawing_support.h"
#include "page_pixels.h"

namespace tavro::test {
namespace {

constexpr int kDpi = 600;
constexpr double kMmPerPixel = 25.4 / kDpi;
constexpr double kPenMm = 2 * 25.4 / 600;  // the contour and the bar: 2 pixels of the PDF
constexpr int kDark = 128;                 // black strokes, not the grey outline and axis

// Rkr 22 mm, 263.5 mm long with an exit of 234 mm: more than one A4 page.
const std::vector<std::string> kLong = {"calc", "Rkr=22", "Qa=10", "k=1.24", "Pk=9.4", "H=10000"};
const std::vector<std::string> kSmall = {"calc", "Rkr=10", "Qa=10", "k=1.24",
                                         "Pk=5", "H=0",    "Rc=30", "Qc=45"};

DesignState designOf(const std::vector<std::string>& args) {
    std::map<int, std::string> texts;
    const std::map<std::string, int> rows = {{"Rkr", kRowRkr}, {"Qa", kRowQa}, {"k", kRowK},
                                             {"Pk", kRowPk},   {"H", kRowH},   {"Rc", kRowRc},
                                             {"Qc", kRowQc}};
    for (size_t i = 1; i < args.size(); ++i) {
        const size_t eq = args[i].find('=');
        texts[rows.at(args[i].substr(0, eq))] = args[i].substr(eq + 1);
    }
    const auto rc = texts.count(kRowRc) ? texts[kRowRc] : "";
    const auto qc = texts.count(kRowQc) ? texts[kRowQc] : "";
    return computedDesign(texts, rc, qc);
}

// Writes the PDF through the tool and renders every page.
std::vector<GreyPage> printedPages(std::vector<std::string> args,
                                   const std::vector<std::string>& options, int dpi = kDpi) {
    QTemporaryDir dir;
    const std::string pdf = dir.filePath("t.pdf").toStdString();
    args.push_back("--pdf");
    args.push_back(pdf);
    for (const std::string& o : options) args.push_back(o);
    std::ostringstream out, err;
    EXPECT_EQ(runCli(args, out, err), kExitOk) << err.str();
    std::vector<GreyPage> pages;
    for (int n = 1;; ++n) {
        GreyPage p = renderPdf(pdf, dpi, 0, 0, n);
        if (p.width == 0) break;
        pages.push_back(std::move(p));
    }
    return pages;
}

// The centre of the crop cross near (x, y): the darkest row and column of the window around it.
struct Point {
    double x = 0, y = 0;
};

Point crossNear(const GreyPage& p, double xMm, double yMm) {
    constexpr int half = static_cast<int>(4 / kMmPerPixel);
    const int cx = static_cast<int>(xMm / kMmPerPixel), cy = static_cast<int>(yMm / kMmPerPixel);
    std::vector<double> rows(2 * half + 1), columns(2 * half + 1);
    for (int dy = -half; dy <= half; ++dy)
        for (int dx = -half; dx <= half; ++dx) {
            const double ink = 255 - p.at(cx + dx, cy + dy);
            rows[static_cast<size_t>(dy + half)] += ink;
            columns[static_cast<size_t>(dx + half)] += ink;
        }
    // The ink-weighted middle of the arm's few pixels.
    const auto middle = [](const std::vector<double>& sums) {
        const size_t peak =
            static_cast<size_t>(std::max_element(sums.begin(), sums.end()) - sums.begin());
        double weight = 0, moment = 0;
        for (size_t i = peak > 3 ? peak - 3 : 0; i <= peak + 3 && i < sums.size(); ++i) {
            weight += sums[i];
            moment += sums[i] * static_cast<double>(i);
        }
        return moment / weight - half;
    };
    return Point{cx + middle(columns), cy + middle(rows)};
}

// Horizontal runs of dark pixels joined into pieces that touch.
struct Piece {
    int top = 1 << 30, bottom = -1, left = 1 << 30, right = -1;
    std::vector<std::array<int, 3>> runs;  // y, first x, last x
};

std::vector<Piece> darkPieces(const GreyPage& p) {
    struct Run {
        int y, x1, x2, parent;
    };
    std::vector<Run> runs;
    std::vector<size_t> rowStart(static_cast<size_t>(p.height) + 1);
    for (int y = 0; y < p.height; ++y) {
        rowStart[static_cast<size_t>(y)] = runs.size();
        for (int x = 0; x < p.width;) {
            if (p.at(x, y) >= kDark) {
                ++x;
                continue;
            }
            const int x1 = x;
            while (x < p.width && p.at(x, y) < kDark) ++x;
            runs.push_back({y, x1, x - 1, static_cast<int>(runs.size())});
        }
    }
    rowStart[static_cast<size_t>(p.height)] = runs.size();
    const auto find = [&runs](int i) {
        while (runs[static_cast<size_t>(i)].parent != i) i = runs[static_cast<size_t>(i)].parent;
        return i;
    };
    for (int y = 1; y < p.height; ++y)
        for (size_t a = rowStart[static_cast<size_t>(y)]; a < rowStart[static_cast<size_t>(y) + 1];
             ++a)
            for (size_t b = rowStart[static_cast<size_t>(y) - 1];
                 b < rowStart[static_cast<size_t>(y)]; ++b)
                if (runs[b].x1 <= runs[a].x2 + 1 && runs[a].x1 <= runs[b].x2 + 1)
                    runs[static_cast<size_t>(find(static_cast<int>(a)))].parent =
                        find(static_cast<int>(b));
    std::map<int, Piece> pieces;
    for (size_t i = 0; i < runs.size(); ++i) {
        Piece& piece = pieces[find(static_cast<int>(i))];
        const Run& r = runs[i];
        piece.top = std::min(piece.top, r.y);
        piece.bottom = std::max(piece.bottom, r.y);
        piece.left = std::min(piece.left, r.x1);
        piece.right = std::max(piece.right, r.x2);
        piece.runs.push_back({r.y, r.x1, r.x2});
    }
    std::vector<Piece> out;
    for (auto& [root, piece] : pieces) out.push_back(std::move(piece));
    return out;
}

// The longest horizontal dark run on the page, in millimetres with the pen taken off.
double longestRunMm(const GreyPage& p) {
    int best = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0, run = 0; x < p.width; ++x) {
            run = p.at(x, y) < kDark ? run + 1 : 0;
            best = std::max(best, run);
        }
    return best * kMmPerPixel - kPenMm;
}

// A template of Rkr 22 is cut into pages; put back together by the crosses they share, its
// wall pieces give the nozzle's length and exit diameter within 0.2 mm.
TEST(TiledTemplate, PiecesAlignedByTheirCrossesMeasureTrue) {
    const DesignState s = designOf(kLong);
    ASSERT_NEAR(s.Ln, 263.5, 0.1);
    const std::vector<GreyPage> pages = printedPages(kLong, {"--template"});
    ASSERT_GE(pages.size(), 2u);

    // The pages follow each other down the sheet when the paper is turned across, each
    // page's top-left cross being the previous page's bottom-left one.
    const double margin = 10, inset = 5;
    const auto corner = [&](const GreyPage& p, bool bottom) {
        const double heightMm = p.height * kMmPerPixel;
        return crossNear(p, margin + inset, bottom ? heightMm - margin - inset : margin + inset);
    };
    ASSERT_GT(pages[0].width, pages[0].height) << "turned across, the nozzle takes two pages";
    std::vector<Point> offset(pages.size());
    for (size_t i = 1; i < pages.size(); ++i) {
        const Point above = corner(pages[i - 1], true), here = corner(pages[i], false);
        offset[i] = Point{offset[i - 1].x + above.x - here.x, offset[i - 1].y + above.y - here.y};
        EXPECT_NEAR(offset[i].x, 0, 1) << "the same columns";
    }

    // The wall pieces: the tall dark pieces (texts, bars and crosses are a few mm high).
    double top = 1e9, bottom = -1e9;
    std::vector<std::array<double, 3>> wallRuns;
    int walls = 0;
    for (size_t i = 0; i < pages.size(); ++i)
        for (const Piece& piece : darkPieces(pages[i])) {
            if ((piece.bottom - piece.top) * kMmPerPixel < 20) continue;
            ++walls;
            for (const auto& r : piece.runs) {
                const double y = r[0] + offset[i].y;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                wallRuns.push_back({y, r[1] + offset[i].x, r[2] + offset[i].x});
            }
        }
    EXPECT_GE(walls, 4) << "both walls on at least two pages";
    double left = 1e9, right = -1e9;
    for (const auto& r : wallRuns)
        if (r[0] >= bottom - 1 / kMmPerPixel) {
            left = std::min(left, r[1]);
            right = std::max(right, r[2]);
        }
    const double length = (bottom - top + 1) * kMmPerPixel - kPenMm;
    const double exitDiameter = (right - left + 1) * kMmPerPixel - kPenMm;
    EXPECT_NEAR(length, s.Ln, 0.2);
    EXPECT_NEAR(exitDiameter, 2 * s.Ra, 0.2);
    RecordProperty("length_mm", std::to_string(length));
    RecordProperty("exit_diameter_mm", std::to_string(exitDiameter));
}

// A sheet of Rkr 100: its blank pages are left out, the first page maps the sheet (the grid of
// pages, a wide dark frame), and no page name, number or bar lies wholly inside the strips that
// neighbouring pages share.
TEST(TiledTemplate, FirstPageMapsTheSheetAndTheStripsHoldNoLabel) {
    const std::vector<std::string> large = {"calc",   "Rkr=100", "Qa=10", "k=1.24",
                                            "Pk=9.4", "H=10000", "Rc=30", "Qc=45"};
    const std::vector<GreyPage> pages = printedPages(large, {"--template"}, 150);
    const DesignState s = designOf(large);
    const TemplatePlan plan = recordedPlan(s, 10, {190, 277}, {277, 190});
    ASSERT_GT(plan.rows * plan.columns, 4);
    EXPECT_LT(static_cast<int>(pages.size()), plan.rows * plan.columns + 1);
    ASSERT_GE(pages.size(), 3u);
    const double mmPerPixel = 25.4 / 150;
    const auto pieces = [&](const GreyPage& p) {
        std::vector<Piece> found = darkPieces(p);
        for (Piece& piece : found) {
            piece.left = static_cast<int>(piece.left * mmPerPixel);
            piece.right = static_cast<int>(std::ceil(piece.right * mmPerPixel));
            piece.top = static_cast<int>(piece.top * mmPerPixel);
            piece.bottom = static_cast<int>(std::ceil(piece.bottom * mmPerPixel));
        }
        return found;
    };
    bool grid = false;
    for (const Piece& piece : pieces(pages[0]))
        grid = grid || (piece.right - piece.left > 100 && piece.bottom - piece.top > 100);
    EXPECT_TRUE(grid) << "no map of the sheet on the first page";

    for (size_t i = 1; i < std::min<size_t>(pages.size(), 6); ++i) {
        const double width = pages[i].width * mmPerPixel, height = pages[i].height * mmPerPixel;
        // The strips: 10 mm inside the 10 mm margin along each edge, their corners (the
        // crosses) aside.
        const double inner = 20;
        for (const Piece& piece : pieces(pages[i])) {
            const bool left = piece.right <= inner, right = piece.left >= width - inner;
            const bool top = piece.bottom <= inner, bottom = piece.top >= height - inner;
            if ((left || right) && (top || bottom)) continue;
            EXPECT_FALSE(left || right || top || bottom)
                << "page " << i + 1 << ": a mark within the strip at " << piece.left << ", "
                << piece.top << " mm";
        }
    }
}

// The half profile (--half) keeps one wall and the axis: the tall dark pieces of the pages are
// one wall's, and a large nozzle takes about half the pages of the whole template.
TEST(HalfTemplate, OneWallOnAboutHalfThePages) {
    const auto tallPieces = [](const std::vector<GreyPage>& pages) {
        int tall = 0;
        for (const GreyPage& p : pages)
            for (const Piece& piece : darkPieces(p))
                tall += (piece.bottom - piece.top) * 25.4 / 150 >= 20;
        return tall;
    };
    const std::vector<GreyPage> whole = printedPages(kLong, {"--template"}, 150);
    const std::vector<GreyPage> half = printedPages(kLong, {"--half"}, 150);
    EXPECT_GE(tallPieces(whole), 4);
    EXPECT_EQ(tallPieces(half), static_cast<int>(half.size())) << "one wall on each page";

    std::vector<std::string> large = {"calc", "Rkr=200", "Qa=10", "k=1.24", "Pk=9.4", "H=10000"};
    const DesignState s = designOf(large);
    std::ostringstream scratch;
    RecordingTarget metrics(scratch, kRecordedPage, kRecordedPage, 10);
    const TemplatePlan wholePlan = planTemplate(metrics, s, {190, 277}, {277, 190}, true);
    const TemplatePlan halfPlan =
        planTemplate(metrics, s, {190, 277}, {277, 190}, true, TemplateShape::Half);
    EXPECT_LE(halfPlan.pageCount(), 0.6 * wholePlan.pageCount())
        << halfPlan.pageCount() << " pages against " << wholePlan.pageCount();
}

// Every template page carries a calibration bar; on the one-page template it is 100 mm.
TEST(TemplateBar, MeasuresItsLength) {
    const std::vector<GreyPage> one = printedPages(kSmall, {"--template"});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_NEAR(longestRunMm(one[0]), 100, 0.2);
    for (const GreyPage& page : printedPages(kLong, {"--template"})) {
        const double bar = longestRunMm(page);
        const int lengths[] = {100, 50, 20, 10};
        const bool round = std::any_of(std::begin(lengths), std::end(lengths),
                                       [bar](int l) { return std::abs(bar - l) <= 0.2; });
        EXPECT_TRUE(round) << bar;
    }
}

// Our own PDFs leave the outer 10 mm blank on every page, in every output and paper.
TEST(PdfMargin, NothingWithinTenMillimetres) {
    constexpr int dpi = 100;
    const int band = static_cast<int>(10 * dpi / 25.4) - 1;
    const std::vector<std::vector<std::string>> runs = {
        {}, {"--template"}, {"--page", "A3", "--landscape"}, {"--page", "Letter", "--template"}};
    for (const auto& design : {kSmall, kLong})
        for (const auto& options : runs) {
            const std::vector<GreyPage> pages = printedPages(design, options, dpi);
            ASSERT_FALSE(pages.empty());
            for (const GreyPage& p : pages) {
                int inked = 0;
                for (int y = 0; y < p.height; ++y)
                    for (int x = 0; x < p.width; ++x) {
                        const bool inBand =
                            x < band || y < band || x >= p.width - band || y >= p.height - band;
                        inked += inBand && p.at(x, y) < 250;
                    }
                EXPECT_EQ(inked, 0) << options.size() << " options, design " << design[1];
            }
        }
}

}  // namespace
}  // namespace tavro::test
