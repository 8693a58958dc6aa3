// Rebuilder's modes and stops, label texts and placement, and the error paths of the drawing.
#include <gtest/gtest.h>

#include <algorithm>

#include "drawing_support.h"
#include "faults.h"

namespace tavro::test {
namespace {

// Collects what the drawing reports instead of showing message boxes.
class Reports : public ::testing::Test {
  protected:
    std::string record(DesignState& s, Mode mode, char sep = '.', double fontPoints = 8.25) {
        return test::record(s, mode, reporter, sep, fontPoints);
    }
    RecordingReporter reporter;
    const std::vector<std::string>& errors = reporter.errors;
};

std::vector<std::string> printed(const std::string& recording) {
    std::vector<std::string> texts;
    for (const Op& op : parseRecording(recording))
        if (op.kind() == "print") texts.push_back(op.text());
    return texts;
}

const Op* printOf(const std::vector<Op>& ops, const std::string& prefix) {
    for (const Op& op : ops)
        if (op.kind() == "print" && op.text().rfind(prefix, 0) == 0) return &op;
    return nullptr;
}

bool hasNan(const std::string& recording) {
    return recording.find("nan") != std::string::npos || recording.find("inf") != std::string::npos;
}

TEST_F(Reports, OffDesignTouchesNothingInAnyMode) {
    for (Mode mode : {Mode::Window, Mode::Drawing, Mode::Template}) {
        DesignState s = computedDesign({{kRowQa, "15"}, {kRowPk, "30"}, {kRowH, "150000"}});
        ASSERT_FALSE(s.InRange);
        s.AxisX = s.EntryY = 7;
        EXPECT_EQ(record(s, mode), "");
        EXPECT_EQ(s.AxisX, 7);
        EXPECT_EQ(s.EntryY, 7);
    }
    EXPECT_EQ(reporter.offDesign, 3);
    EXPECT_TRUE(errors.empty());
}

// Without a length the window shows the prompt, centred, on the button-face colour.
TEST_F(Reports, EmptyDesignShowsThePromptOnTheWindow) {
    DesignState s;
    s.InRange = true;
    const std::vector<Op> ops = parseRecording(record(s, Mode::Window));
    const Op* prompt = printOf(ops, "ВВЕДИТЕ");
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->text(), "ВВЕДИТЕ ПАРАМЕТРЫ СОПЛА В БЕЛЫЕ ПОЛЯ");
    EXPECT_DOUBLE_EQ(prompt->num(1) * 2 + 36 * 5.5, 700);  // 36 characters of 5.5 pixels
    EXPECT_DOUBLE_EQ(prompt->num(2), 500);
    const auto back =
        std::find_if(ops.begin(), ops.end(), [](const Op& op) { return op.kind() == "backcolor"; });
    ASSERT_NE(back, ops.end());
    EXPECT_EQ(back->words.at(1), "#f0f0f0");
    EXPECT_EQ(std::count_if(ops.begin(), ops.end(),
                            [](const Op& op) { return op.kind() == "line" || op.kind() == "box"; }),
              0);
    EXPECT_TRUE(errors.empty());
}

// Parallel wall tangents have no crossing: the contour stops with the routine's own report,
// nothing is drawn with NaN, and the page is still finished by Rebuilder.
TEST_F(Reports, ParallelTangentsReportNozzleBuilder) {
    DesignState s = computedDesign({}, "30", "45");
    s.Qm = s.Qa;
    const std::string recording = record(s, Mode::Drawing);
    EXPECT_EQ(errors, std::vector<std::string>{"NozzleBuilder"});
    EXPECT_FALSE(hasNan(recording));
    EXPECT_NE(recording.find("box "), std::string::npos) << "the outline stays";
    EXPECT_NE(recording.find("enddoc"), std::string::npos);
}

// A printed drawing of a design without length: zero scale. Each routine reports its own
// fault, nothing is drawn from NaN and the page is not finished.
TEST_F(Reports, ZeroScaleOnPaperStopsBeforeTheEndOfThePage) {
    DesignState s = computedDesign({}, "30", "45");
    s.Ln = 0;
    const std::string recording = record(s, Mode::Drawing);
    EXPECT_EQ(errors, (std::vector<std::string>{"NozzleBuilder", "Rebuilder"}));
    EXPECT_FALSE(hasNan(recording));
    EXPECT_EQ(recording.find("enddoc"), std::string::npos);
    EXPECT_EQ(recording.find("box "), std::string::npos) << "no outline without a length";
}

// A throat so large that Rkr + 0.0001 is Rkr again in single precision still draws completely.
TEST_F(Reports, LargeThroatWithoutEntranceRadiusDraws) {
    DesignState s = computedDesign({{kRowRkr, "2048"}});
    const std::string recording = record(s, Mode::Window);
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(hasNan(recording));
    EXPECT_NE(printOf(parseRecording(recording), "Dкр=4096"), nullptr);
}

TEST_F(Reports, FontSizeIsRestored) {
    for (Mode mode : {Mode::Window, Mode::Drawing}) {
        DesignState s = computedDesign({{kRowNote, "x"}}, "30", "45");
        const std::vector<Op> ops = parseRecording(record(s, mode));
        std::vector<double> sizes;
        for (const Op& op : ops)
            if (op.kind() == "fontsize") sizes.push_back(op.num(1));
        // Every enlargement is undone by the next change.
        ASSERT_GE(sizes.size(), 4u);
        ASSERT_EQ(sizes.size() % 2, 0u);
        for (size_t i = 1; i < sizes.size(); i += 2) EXPECT_NEAR(sizes.at(i), 8.25, 1e-3);
    }
}

struct LabelCase {
    std::map<int, std::string> texts;
    char sep;
    std::vector<std::string> labels;
};

// Angles with the degree sign, diameters as twice the radius, 2 decimals, shortest form.
TEST_F(Reports, LabelTexts) {
    const LabelCase cases[] = {
        {{{kRowQa, "12.5"}, {kRowPk, "10"}}, ',', {" Qa=12,5°", "Dкр=20", "Dкон=60", "Qс=45°"}},
        {{{kRowRkr, "5.25"}}, ',', {"Dкр=10,5", "R=7,88", "r=2,36"}},
        {{{kRowRkr, "5.25"}}, '.', {"Dкр=10.5", "R=7.88", "r=2.36"}},
        {{}, '.', {"Da=51.02", "Lдиф=50.42 ", "L=76.63 ", " Qm=25.6°"}},
    };
    for (const LabelCase& c : cases) {
        DesignState s = computedDesign(c.texts, "30", "45");
        const std::vector<std::string> texts = printed(record(s, Mode::Window, c.sep));
        for (const std::string& label : c.labels)
            EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
    }
}

// A label shows its value as the result field does, ties included (1.125 is "1.13" in both),
// only without trailing zeros.
TEST_F(Reports, LabelsAgreeWithTheResultFields) {
    const struct {
        const char* label;
        int row;
    } pairs[] = {
        {" Qm=", kRowQm}, {"R=", kRowRint}, {"r=", kRowRout}, {"Lдиф=", kRowLa}, {"L=", kRowLn}};
    for (const char* rkr : {"2.5", "12.5", "10", "7.5"}) {
        FieldTable fields;
        DesignState s = computedDesign({{kRowRkr, rkr}}, "", "", &fields);
        const std::vector<Op> ops = parseRecording(record(s, Mode::Window));
        for (const auto& p : pairs) {
            std::string field = fields.text(p.row);
            field.erase(field.find_last_not_of('0') + 1);
            if (field.back() == '.') field.pop_back();
            const Op* label = printOf(ops, p.label);
            ASSERT_NE(label, nullptr) << p.label;
            std::string shown = label->text().substr(std::string(p.label).size());
            shown = shown.substr(0, shown.find_first_not_of("0123456789."));
            EXPECT_EQ(shown, field) << rkr << ' ' << p.label;
        }
    }
    FieldTable tie;
    DesignState s = computedDesign({{kRowRkr, "2.5"}}, "", "", &tie);
    EXPECT_EQ(tie.text(kRowRout), "1.13");
    EXPECT_NE(printOf(parseRecording(record(s, Mode::Window)), "r=1.13"), nullptr);
}

struct ThroatCase {
    const char* name;
    std::map<int, std::string> texts;
    const char* rc;
    double fontPoints;
    bool above;
};

// The throat label stands above the throat line when there is room and it fits inside the
// throat; otherwise it moves below, clear of the line by an arrow's length.
TEST_F(Reports, ThroatLabelMovesBelowWhenCrowded) {
    const ThroatCase cases[] = {
        {"room above", {}, "30", 8.25, true},
        {"narrow throat", {{kRowRkr, "2"}}, "60", 8.25, false},
        {"large font", {}, "30", 40, false},
        {"entrance near the throat", {}, "10.5", 30, false},
    };
    for (const ThroatCase& c : cases) {
        DesignState s = computedDesign(c.texts, c.rc, "45");
        const std::vector<Op> ops = parseRecording(record(s, Mode::Window, '.', c.fontPoints));
        const Op* throatLine = nullptr;
        for (const Op& op : ops)
            if (op.kind() == "line" && op.num(2) == op.num(4) && op.words.at(5) == "#969696") {
                throatLine = &op;
                break;
            }
        ASSERT_NE(throatLine, nullptr);
        const Op* label = printOf(ops, "Dкр=");
        ASSERT_NE(label, nullptr) << c.name;
        const double yt = throatLine->num(2), h = c.fontPoints * 4 / 3 * 1.25;
        EXPECT_EQ(label->num(2) + h < yt, c.above) << c.name;
        EXPECT_EQ(label->num(2) > yt, !c.above) << c.name;
    }
}

}  // namespace
}  // namespace tavro::test
