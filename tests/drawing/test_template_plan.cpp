// How a template goes on A4: one page when it fits, else the fewest overlapping pages, each
// named and marked.
#include <gtest/gtest.h>

#include <algorithm>

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
    };
    const Case cases[] = {
        {"small", {}, false, false, 1, 1},
        {"Rkr 22, 263.5 mm long",
         {{kRowRkr, "22"}, {kRowPk, "9.4"}, {kRowH, "10000"}},
         true,
         true,
         2,
         1},
        {"Rkr 100", {{kRowRkr, "100"}, {kRowPk, "9.4"}, {kRowH, "10000"}}, false, true, 5, 6},
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
        ASSERT_EQ(static_cast<int>(plan.pages.size()), plan.pageCount()) << c.name;
        std::ostringstream scratch;
        RecordingTarget metrics(scratch, kRecordedPage, kRecordedPage, 10);
        const TemplatePlan counted = planTemplate(metrics, s, kUpright, kAcross, true);
        EXPECT_EQ(counted.pageCount(), plan.pageCount()) << c.name;

        const int count = plan.pageCount();
        for (const TemplatePage& page : plan.pages) {
            const auto marks = [&page](PageMark::Kind kind) {
                return std::count_if(page.marks.begin(), page.marks.end(),
                                     [kind](const PageMark& m) { return m.kind == kind; });
            };
            EXPECT_EQ(marks(PageMark::Bar), 1) << c.name;
            EXPECT_EQ(marks(PageMark::Cross), count > 1 ? 4 : 0) << c.name;
            const std::vector<std::string> shown = textsOf(page);
            const int number = page.row * plan.columns + page.column + 1;
            if (count > 1) {
                EXPECT_TRUE(has(shown, pageName(page.row, page.column))) << c.name;
                EXPECT_TRUE(has(shown, sheetOfText(number, count))) << c.name;
            }
            EXPECT_EQ(has(shown, "Масштаб 1:1"), c.tiled && number == 1) << c.name;
            EXPECT_EQ(has(shown, "сталь 20"), c.tiled && number == 1) << c.name;
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

}  // namespace
}  // namespace tavro::test
