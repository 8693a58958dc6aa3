// How a template goes on A4: one page when it fits, else the fewest overlapping pages, each
// named and marked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "drawing_support.h"

namespace tavro::test {
namespace {

const PageArea kUpright{190, 277}, kAcross{277, 190};

std::vector<std::string> textsOf(const TemplatePage& page) {
    std::vector<std::string> texts;
    for (const PageMark& m : page.marks)
        if (m.kind == PageMark::Text) texts.push_back(m.text);
    return texts;
}

bool has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Counting alone gives the same number of pages as the full plan.
TEST(TemplatePlanning, PagesNamesAndMarks) {
    struct Case {
        const char* name;
        std::map<int, std::string> texts;
        bool turned, tiled;
        int rows, columns;
        int printed;      // pages of the sheet that hold a part of the nozzle
        bool mapInFront;  // the page map on a page of its own
    };
    const Case cases[] = {
        {"small", {}, false, false, 1, 1, 1, false},
        {"Rkr 22, 263.5 mm long",
         {{kRowRkr, "22"}, {kRowPk, "9.4"}, {kRowH, "10000"}},
         true,
         true,
         2,
         1,
         2,
         false},
        {"Rkr 100",
         {{kRowRkr, "100"}, {kRowPk, "9.4"}, {kRowH, "10000"}},
         false,
         true,
         5,
         6,
         22,
         true},
    };
    for (const Case& c : cases) {
        std::map<int, std::string> texts = c.texts;
        texts[kRowNote] = "сталь 20";
        const DesignState s = computedDesign(texts, "30", "45");
        const TemplatePlan plan = recordedPlan(s, 10, kUpright, kAcross);
        EXPECT_EQ(plan.turned, c.turned) << c.name;
        EXPECT_EQ(plan.tiled, c.tiled) << c.name;
        EXPECT_EQ(plan.rows, c.rows) << c.name;
        EXPECT_EQ(plan.columns, c.columns) << c.name;
        ASSERT_EQ(static_cast<int>(plan.pages.size()), plan.rows * plan.columns) << c.name;
        std::ostringstream scratch;
        RecordingTarget metrics(scratch, kRecordedPage, kRecordedPage, 10);
        const TemplatePlan counted = planTemplate(metrics, s, kUpright, kAcross, true);
        EXPECT_EQ(counted.pageCount(), plan.pageCount()) << c.name;

        const int count = plan.pageCount();
        const int printed = static_cast<int>(std::count_if(
            plan.pages.begin(), plan.pages.end(), [](const TemplatePage& p) { return p.printed; }));
        EXPECT_EQ(count, printed + (plan.mapPage.empty() ? 0 : 1)) << c.name;
        EXPECT_EQ(plan.mapPage.empty(), c.mapInFront == false) << c.name;
        EXPECT_EQ(printed, c.printed) << c.name;
        int number = plan.mapPage.empty() ? 0 : 1;
        std::vector<PageMark> mapMarks = plan.mapPage;
        for (const TemplatePage& page : plan.pages) {
            if (!page.printed) continue;
            const bool first = ++number == (plan.mapPage.empty() ? 1 : 2);
            const auto marks = [&page](PageMark::Kind kind) {
                return std::count_if(page.marks.begin(), page.marks.end(),
                                     [kind](const PageMark& m) { return m.kind == kind; });
            };
            EXPECT_EQ(marks(PageMark::Bar), 1) << c.name;
            EXPECT_EQ(marks(PageMark::Cross), plan.pages.size() > 1 ? 4 : 0) << c.name;
            const std::vector<std::string> shown = textsOf(page);
            if (plan.pages.size() > 1) {
                EXPECT_TRUE(has(shown, pageName(page.row, page.column))) << c.name;
                EXPECT_TRUE(has(shown, sheetOfText(number, count))) << c.name;
            }
            EXPECT_EQ(has(shown, "Масштаб 1:1"), c.tiled && first) << c.name;
            EXPECT_EQ(has(shown, "сталь 20"), c.tiled && first) << c.name;
            if (first && plan.mapPage.empty())
                for (const PageMark& m : page.marks)
                    if (m.kind == PageMark::Frame) mapMarks.push_back(m);
        }
        // The map: a frame for every page of the sheet, grey where the page is not printed.
        if (plan.pages.size() > 1) {
            const auto frames =
                std::count_if(mapMarks.begin(), mapMarks.end(),
                              [](const PageMark& m) { return m.kind == PageMark::Frame; });
            const auto faint = std::count_if(
                mapMarks.begin(), mapMarks.end(),
                [](const PageMark& m) { return m.kind == PageMark::Frame && m.faint; });
            EXPECT_EQ(frames, static_cast<long>(plan.pages.size())) << c.name;
            EXPECT_EQ(faint, static_cast<long>(plan.pages.size()) - printed) << c.name;
        }
    }
}

// Page names, sheet numbers, bars and map keep out of the strips where neighbouring pages
// overlap, so that cutting or gluing there never cuts one; the axis keeps clear of the columns
// of crosses.
TEST(TemplatePlanning, MarksStayOutOfTheOverlapStrips) {
    for (const char* rkr : {"22", "60", "100", "150"}) {
        const DesignState s = computedDesign(
            {{kRowRkr, rkr}, {kRowPk, "9.4"}, {kRowH, "10000"}, {kRowNote, "сталь"}}, "30", "45");
        const TemplatePlan plan = recordedPlan(s, 10, kUpright, kAcross);
        ASSERT_TRUE(plan.tiled) << rkr;
        const double stepX = plan.page.width - kTileOverlap;
        for (int k = 0; k <= plan.columns; ++k)
            EXPECT_GT(std::abs(plan.axisX - (k * stepX + kTileOverlap / 2)), 5) << rkr;
        for (const TemplatePage& page : plan.pages) {
            const double left = page.left + kTileOverlap, top = page.top + kTileOverlap;
            const double right = page.left + plan.page.width - kTileOverlap;
            const double bottom = page.top + plan.page.height - kTileOverlap;
            for (const PageMark& m : page.marks) {
                if (m.kind == PageMark::Cross) continue;
                const double width = m.kind == PageMark::Text ? 0 : m.length;
                EXPECT_GE(m.x, left) << rkr << " " << m.text;
                EXPECT_GE(m.y, top) << rkr << " " << m.text;
                EXPECT_LE(m.x + width, right) << rkr << " " << m.text;
                EXPECT_LE(m.y + m.height, bottom) << rkr << " " << m.text;
            }
        }
    }
}

TEST(TemplatePlanning, PageNames) {
    EXPECT_EQ(pageName(0, 0), "A1");
    EXPECT_EQ(pageName(1, 2), "B3");
    EXPECT_EQ(pageName(25, 0), "Z1");
    EXPECT_EQ(pageName(26, 9), "AA10");
    EXPECT_EQ(sheetOfText(2, 6), "лист 2 из 6");
    EXPECT_EQ(calibrationCaption(100), "100 мм — проверьте масштаб печати");
}

// The count asked before printing is the count printed, also where the page map finds no room
// beside the nozzle and takes a page of its own: small pages leave it the least room.
TEST(TemplatePlanning, CountingAgreesWithThePlanOnSmallPages) {
    int mapInFrontOfFewPages = 0;
    for (const PageArea page : {PageArea{80, 110}, PageArea{100, 140}, PageArea{128, 190}}) {
        for (const char* rkr : {"8", "12", "16", "22", "30"}) {
            const DesignState s =
                computedDesign({{kRowRkr, rkr}, {kRowPk, "9.4"}, {kRowH, "10000"}});
            const TemplatePlan plan = recordedPlan(s, 10, page, {page.height, page.width});
            std::ostringstream scratch;
            RecordingTarget metrics(scratch, kRecordedPage, kRecordedPage, 10);
            const TemplatePlan counted =
                planTemplate(metrics, s, page, {page.height, page.width}, true);
            EXPECT_EQ(counted.pageCount(), plan.pageCount()) << rkr << " on " << page.width;
            if (!plan.mapPage.empty() && plan.pages.size() <= 4) ++mapInFrontOfFewPages;
        }
    }
    EXPECT_GT(mapInFrontOfFewPages, 0) << "the sweep no longer meets the case it is for";
}

}  // namespace
}  // namespace tavro::test
