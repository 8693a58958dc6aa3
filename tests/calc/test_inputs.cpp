// Validation of the five required inputs and the binding of rows to design values.
#include <gtest/gtest.h>

#include <limits>

#include "design_state.h"
#include "inputs.h"

namespace tavro {
namespace {

struct Inputs {
    float Rkr = 10, Qa = 10, k = 1.24f, Pk = 5, H = 0, Rc = 0, Qc = 0;
};

int rejectedRow(const Inputs& in) {
    int row = -1;
    const std::string message = CheckInputs(in.Rkr, in.Qa, in.k, in.Pk, in.H, in.Rc, in.Qc, row);
    return message.empty() ? 0 : row;
}

TEST(CheckInputs, BoundsAreThoseOfTheChartsAndTheAtmosphere) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* what;
        Inputs in;
        int row;  // 0: accepted
    } cases[] = {
        {"example", {}, 0},
        {"Rkr 0", {0}, 2},
        {"Rkr negative", {-1}, 2},
        {"Rkr NaN", {nan}, 2},
        {"Qa 9", {10, 9}, 0},
        {"Qa 15", {10, 15}, 0},
        {"Qa 15.01", {10, 15.01f}, 3},
        {"Qa 8.99", {10, 8.99f}, 3},
        {"k 1", {10, 10, 1}, 4},
        {"k 1.5", {10, 10, 1.5f}, 4},
        {"k 1.4999", {10, 10, 1.4999f}, 0},
        {"Pk 0.5", {10, 10, 1.24f, 0.5f}, 0},
        {"Pk 30", {10, 10, 1.24f, 30}, 0},
        {"Pk 0.49", {10, 10, 1.24f, 0.49f}, 5},
        {"Pk 30.01", {10, 10, 1.24f, 30.01f}, 5},
        {"H 150000", {10, 10, 1.24f, 5, 150000}, 0},
        {"H -1", {10, 10, 1.24f, 5, -1}, 6},
        {"H 150001", {10, 10, 1.24f, 5, 150001}, 6},
        {"options unchecked", {10, 10, 1.24f, 5, 0, -100, 1000}, 0},
        {"first failure wins", {0, 0, 0, 0, -1}, 2},
        {"then Qa", {1, 0, 0, 0, -1}, 3},
    };
    for (const auto& c : cases) EXPECT_EQ(rejectedRow(c.in), c.row) << c.what;
}

// A text whose number single precision cannot hold never reached its value: at the compute
// command it is an error of its own field, whatever the value held before.
TEST(CheckEntries, ATextHoldingNoSingleNumberIsAnErrorOfItsField) {
    const std::string digits400(400, '9');
    const struct {
        const char* what;
        int row;
        std::string text;
        int rejected;  // 0: accepted
    } cases[] = {
        {"Rkr 1e39", kRowRkr, "1e39", kRowRkr},
        {"Rkr 3e38", kRowRkr, "3e38", 0},
        {"Qa 1e39", kRowQa, "1e39", kRowQa},
        {"H -1e39", kRowH, "-1e39", kRowH},
        {"H 400 digits", kRowH, digits400, kRowH},
        {"Pk 1e-50 reads as 0", kRowPk, "1e-50", kRowPk},
        {"k 1,24", kRowK, "1,24", 0},
        {"k 1,2,4", kRowK, "1,2,4", kRowK},
        {"Rkr 12.5.1", kRowRkr, "12.5.1", kRowRkr},
        {"Rc 1e39", kRowRc, "1e39", kRowRc},
        {"Qc 1e39", kRowQc, "1e39", kRowQc},
        {"Rc 1,2.5", kRowRc, "1,2.5", kRowRc},
        {"Qc 45,5", kRowQc, "45,5", 0},
        {"Rc and Qc empty", kRowRc, "", 0},
    };
    for (const auto& c : cases) {
        FieldTable f;
        const char* texts[] = {"10", "10", "1.24", "5", "0"};
        for (int r = kRowRkr; r <= kRowH; ++r) f.setText(r, texts[r - kRowRkr]);
        DesignState s;
        loadDesignValues(s, f);
        f.setText(c.row, c.text);
        storeRow(s, f, c.row);
        int row = -1;
        const std::string message = CheckEntries(s, f, row);
        EXPECT_EQ(message.empty() ? 0 : row, c.rejected) << c.what;
        // The value is no longer the earlier one, which the field no longer shows.
        const float* values[] = {&s.Rkr, &s.Qa, &s.k, &s.Pk, &s.H, nullptr, &s.Rc, &s.Qc};
        if (c.rejected) {
            EXPECT_EQ(*values[c.row - kRowRkr], 0.0f) << c.what;
        }
        if (c.rejected == kRowRc) {
            EXPECT_EQ(message, "Радиус конфузора задан неверно.");
        }
        if (c.rejected == kRowQc) {
            EXPECT_EQ(message, "Угол входа задан неверно.");
        }
    }
}

TEST(CheckInputs, MessagesAreTheUsersTexts) {
    int row = 0;
    EXPECT_EQ(CheckInputs(0, 0, 0, 0, 0, 0, 0, row),
              "Радиус критического сечения должен быть больше нуля.");
    EXPECT_EQ(CheckInputs(1, 0, 0, 0, 0, 0, 0, row),
              "Задайте угол полураствора на срезе в пределах 9-15 градусов.");
    EXPECT_EQ(CheckInputs(1, 10, 1, 0, 0, 0, 0, row),
              "Задайте правильно показатель адиабаты продуктов сгорания. Для газообразных "
              "продуктов ~1,24 , для двухфазного потока ~1,1.");
    EXPECT_EQ(CheckInputs(1, 10, 1.2f, 0, 0, 0, 0, row),
              "Задайте давление в камере сгорания в пределах 0.5-30.0 МПа.");
    EXPECT_EQ(CheckInputs(1, 10, 1.2f, 1, -5, 0, 0, row),
              "Задайте расчетную высоту в пределах 0-150000 м.");
    EXPECT_EQ(row, 6);
}

TEST(FieldBinding, LeavingARowWritesItsDesignValue) {
    FieldTable f;
    DesignState s;
    f.setText(kRowTitle, "Опыт");
    f.setText(kRowRkr, "1,5");
    f.setText(kRowRc, "20");
    f.setText(kRowQc, "40");
    f.setText(kRowNote, " заметка ");
    f.setText(kRowPa, "999");

    storeRow(s, f, kRowRkr);
    EXPECT_EQ(s.Rkr, 1.5f);  // the comma is the decimal point; the field keeps its text
    EXPECT_EQ(f.text(kRowRkr), "1,5");

    storeRow(s, f, kRowQc);
    EXPECT_EQ(s.Qc, 40.0f);
    EXPECT_EQ(s.Rc, 0.0f);
    f.setText(kRowQc, "50");
    storeRow(s, f, kRowRc);  // row 8 re-reads row 9 as well
    EXPECT_EQ(s.Rc, 20.0f);
    EXPECT_EQ(s.Qc, 50.0f);

    storeRow(s, f, kRowTitle);
    storeRow(s, f, kRowNote);
    storeRow(s, f, kRowPa);  // results are never read back
    EXPECT_EQ(s.Title, "Опыт");
    EXPECT_EQ(s.Note, " заметка ");
    EXPECT_EQ(s.Pa, 0.0f);
}

// Opening a file computes without validation: a text that holds no number must not leave the
// earlier design's value to be computed in its place.
TEST(FieldBinding, ATextHoldingNoNumberLeavesNoEarlierValue) {
    for (const char* text : {"1e39", "1,2,4"}) {
        FieldTable f;
        DesignState s;
        s.Rkr = 7;
        f.setText(kRowRkr, text);
        storeRow(s, f, kRowRkr);
        EXPECT_EQ(s.Rkr, 0.0f) << text;
        s.Rkr = 7;
        loadDesignValues(s, f);
        EXPECT_EQ(s.Rkr, 0.0f) << text;
    }
}

TEST(FieldBinding, LoadingReadsTitleInputsOptionsAndNoteOnly) {
    FieldTable f;
    DesignState s;
    s.Ln = 42;
    const char* texts[kRowCount] = {"T", "x", "10", "10", "1.24", "5", "0", "y", "30", "45", "z",
                                    "1", "2", "3",  "4",  "5",    "6", "7", "8", "9",  "10", "N"};
    for (int r = 0; r < kRowCount; ++r) f.setText(r, texts[r]);
    loadDesignValues(s, f);
    EXPECT_EQ(s.Title, "T");
    EXPECT_EQ(s.Rkr, 10.0f);
    EXPECT_EQ(s.k, 1.24f);
    EXPECT_EQ(s.Rc, 30.0f);
    EXPECT_EQ(s.Qc, 45.0f);
    EXPECT_EQ(s.Note, "N");
    EXPECT_EQ(s.Ln, 42.0f);

    clearDesign(s);
    EXPECT_TRUE(s.Title.empty());
    EXPECT_EQ(s.Rkr + s.Qa + s.k + s.Pk + s.H + s.Rc + s.Qc + s.Ln + s.Pa + s.Qm, 0.0f);
}

TEST(FieldTable, StartsWithTheHiddenRowTextsAndCaptions) {
    FieldTable f;
    EXPECT_EQ(f.text(kRowInputHeading), "input");
    EXPECT_EQ(f.text(kRowOptionHeading), "option");
    EXPECT_EQ(f.text(kRowResultHeading), "result");
    EXPECT_EQ(f.text(kRowRkr), "");
    EXPECT_EQ(f.caption(kRowQa), "  угол полураствора на срезе, Qa\u00B0 (10-15) *");
    EXPECT_EQ(f.caption(kRowQc), "  угол входа, Qк \u00B0 (0-90) *");
    EXPECT_EQ(f.caption(kRowLn), "  длина сопла, L");
}

}  // namespace
}  // namespace tavro
