// The core calculation end to end: results, clamps, range exits and faults.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core.h"
#include "faults.h"
#include "inputs.h"
#include "recording_reporter.h"

namespace tavro {
namespace {

// A design typed into the fields as the user would, then loaded into the state.
struct Design {
    FieldTable fields;
    DesignState state;
    test::RecordingReporter reporter;

    explicit Design(std::vector<std::pair<int, std::string>> texts) {
        state.InRange = true;
        for (const auto& [row, text] : texts) fields.setText(row, text);
        loadDesignValues(state, fields);
    }

    CoreOutcome run(char sep = '.') { return sCore(state, fields, sep, reporter); }
    std::vector<std::string> results() const {
        std::vector<std::string> r;
        for (int row = kRowPa; row <= kRowLn; ++row) r.push_back(fields.text(row));
        return r;
    }
};

Design example(const std::string& Rc, const std::string& Qc, const std::string& Qa = "10",
               const std::string& Pk = "5") {
    return Design({{kRowRkr, "10"},
                   {kRowQa, Qa},
                   {kRowK, "1.24"},
                   {kRowPk, Pk},
                   {kRowH, "0"},
                   {kRowRc, Rc},
                   {kRowQc, Qc}});
}

TEST(Core, ConeBranchExample) {
    Design d = example("30", "45");
    ASSERT_EQ(d.run(), CoreOutcome::Ok);
    const std::vector<std::string> expected = {"0.1013", "6.51",  "2.55", "5.04",  "25.60",
                                               "25.51",  "15.00", "4.50", "50.42", "76.63"};
    EXPECT_EQ(d.results(), expected);
    EXPECT_EQ(d.fields.text(kRowRc), "30");
    EXPECT_EQ(d.fields.text(kRowQc), "45");
    EXPECT_EQ(d.state.Qc, 45.0f);
    EXPECT_TRUE(d.state.InRange);
    EXPECT_TRUE(d.reporter.errors.empty());
}

TEST(Core, FilletBranchReplacesTheEntryAngleButNotItsField) {
    Design d = example("12", "45");
    ASSERT_EQ(d.run(), CoreOutcome::Ok);
    EXPECT_NEAR(d.state.Qc, 29.93f, 5e-3);
    EXPECT_EQ(d.fields.text(kRowQc), "45");
    EXPECT_EQ(d.fields.text(kRowLn), "57.90");

    // The next calculation starts from the replaced angle.
    const float replaced = d.state.Qc;
    ASSERT_EQ(d.run(), CoreOutcome::Ok);
    EXPECT_EQ(d.state.Qc, replaced);
}

TEST(Core, EmptyOptionsAreClampedAndShownInTheirFields) {
    Design d = example("", "");
    ASSERT_EQ(d.run(), CoreOutcome::Ok);
    EXPECT_EQ(d.fields.text(kRowRc), "10.0001");
    EXPECT_EQ(d.fields.text(kRowQc), "23");
    EXPECT_NEAR(d.state.Qc, 0.209f, 1e-3);
    EXPECT_EQ(d.fields.text(kRowLn), "50.48");

    Design comma = example("", "");
    ASSERT_EQ(comma.run(','), CoreOutcome::Ok);
    EXPECT_EQ(comma.fields.text(kRowRc), "10,0001");
    EXPECT_EQ(comma.fields.text(kRowLn), "50,48");
    EXPECT_EQ(comma.fields.text(kRowPa), "0,1013");
}

TEST(Core, EntryAngleClampsAreInclusive) {
    const struct {
        const char *typed, *shown, *Ln;
    } cases[] = {
        {"100", "90", "65.42"},
        {"90", "90", "65.42"},
        {"23", "23", nullptr},
        {"22.9", "23", nullptr},
    };
    for (const auto& c : cases) {
        Design d = example("30", c.typed);
        ASSERT_EQ(d.run(), CoreOutcome::Ok) << c.typed;
        EXPECT_EQ(d.fields.text(kRowQc), c.shown) << c.typed;
        if (c.Ln) {
            EXPECT_EQ(d.fields.text(kRowLn), c.Ln) << c.typed;
        }
    }
}

TEST(Core, HigherChamberPressureBringsAnOffChartAngleBack) {
    Design d = example("30", "45", "12", "10");
    ASSERT_EQ(d.run(), CoreOutcome::Ok);
    EXPECT_EQ(d.fields.text(kRowFFa), "10.79");
    EXPECT_EQ(d.fields.text(kRowLLa), "6.25");
    EXPECT_EQ(d.fields.text(kRowQm), "28.49");
    EXPECT_EQ(d.fields.text(kRowLn), "88.76");
}

TEST(Core, RangeExitsAreSilentAndKeepThePreviousResultTexts) {
    const struct {
        const char* what;
        const char *Qa, *Pk, *k;
    } cases[] = {
        {"diffuser chart answers -2", "12", "5", "1.24"},
        {"k = 1", "10", "5", "1"},
        {"chamber at ambient pressure", "10", "0.101325", "1.24"},
    };
    for (const auto& c : cases) {
        Design d = example("30", "45");
        ASSERT_EQ(d.run(), CoreOutcome::Ok);
        const auto before = d.results();
        d.fields.setText(kRowQa, c.Qa);
        d.fields.setText(kRowPk, c.Pk);
        d.fields.setText(kRowK, c.k);
        loadDesignValues(d.state, d.fields);
        EXPECT_EQ(d.run(), CoreOutcome::OffDesign) << c.what;
        EXPECT_FALSE(d.state.InRange) << c.what;
        EXPECT_EQ(d.results(), before) << c.what;
        EXPECT_TRUE(d.reporter.errors.empty()) << c.what;
    }
}

// Where Rkr + 0.0001 is Rkr again in single precision, the entrance is the next single above
// the throat, and the fillet reaches a small but real entry angle.
TEST(Core, LargeThroatStillGetsAnEntranceAboveIt) {
    for (const char* rkr : {"2048", "5000", "65536"}) {
        Design d({{kRowRkr, rkr}, {kRowQa, "10"}, {kRowK, "1.24"}, {kRowPk, "5"}});
        ASSERT_EQ(d.run(), CoreOutcome::Ok) << rkr;
        EXPECT_EQ(d.state.Rc, std::nextafter(d.state.Rkr, 1e30f)) << rkr;
        EXPECT_GT(d.state.Qc, 0) << rkr;
        EXPECT_TRUE(d.reporter.errors.empty()) << rkr;
    }
}

TEST(Core, FaultsAreReportedOnceAndNeverShownAsNaN) {
    const struct {
        const char* what;
        std::vector<std::pair<int, std::string>> texts;
    } cases[] = {
        {"Rkr 0 from a file", {{kRowRkr, "0"}, {kRowQa, "10"}, {kRowK, "1.24"}, {kRowPk, "5"}}},
        {"Rc at 2.5 Rkr with a right angle",
         {{kRowRkr, "10"},
          {kRowQa, "10"},
          {kRowK, "1.24"},
          {kRowPk, "5"},
          {kRowRc, "25"},
          {kRowQc, "90"}}},
        {"Rint beyond single precision",
         {{kRowRkr, "3e38"}, {kRowQa, "10"}, {kRowK, "1.24"}, {kRowPk, "5"}}},
    };
    for (const auto& c : cases) {
        Design d(c.texts);
        EXPECT_EQ(d.run(), CoreOutcome::Error) << c.what;
        EXPECT_EQ(d.reporter.errors, std::vector<std::string>{"sCore"}) << c.what;
        EXPECT_TRUE(d.state.InRange) << c.what;
        for (int r = 0; r < kRowCount; ++r) {
            EXPECT_EQ(d.fields.text(r).find("nan"), std::string::npos) << c.what;
            EXPECT_EQ(d.fields.text(r).find("inf"), std::string::npos) << c.what;
        }
    }
}

TEST(Core, DisplayedResultsRoundTheirSevenDigitText) {
    // Rint = 134.175 exactly as displayed: shown rounded up, not down as the binary value is.
    Design d({{kRowRkr, "89.45"}, {kRowQa, "10"}, {kRowK, "1.24"}, {kRowPk, "5"}});
    d.run();
    EXPECT_EQ(d.fields.text(kRowRint), "134.18");
}

TEST(ErrorReport, TextNamesTheBlock) {
    EXPECT_EQ(errorReportText("sCore"),
              "Произошла непредвиденная ошибка в блоке sCore.\r\nПожалуйста, сообщите "
              "разработчику.");
}

}  // namespace
}  // namespace tavro
