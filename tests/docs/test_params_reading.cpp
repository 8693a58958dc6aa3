// Loading nozzle designs: by row position, short and long files, and files from elsewhere.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "docs_test_util.h"
#include "params_file.h"

namespace tavro {
namespace {

using test::golden;
using test::writeAll;

// Fields that show whether a load touched them.
FieldTable markedFields() {
    FieldTable f;
    for (int r = 0; r < kRowCount; ++r) f.setText(r, "old " + std::to_string(r));
    return f;
}

QString numbered(const char* pattern, int row) {
    return QString::fromUtf8(pattern).replace("%1", QString::number(row));
}

// Lines of a file written by another program, joined with its line ends.
QByteArray linesOf(int count, const char* lineEnd, const char* pattern = "\"c%1\",\"t%1\"") {
    QByteArray bytes;
    for (int r = 0; r < count; ++r) bytes += numbered(pattern, r).toUtf8() + lineEnd;
    return bytes;
}

struct LoadFixture : ::testing::Test {
    QTemporaryDir dir;
    FieldTable fields = markedFields();
    DesignState state;

    bool load(const QByteArray& bytes) {
        writeAll(dir.filePath("a.dat"), bytes);
        return LoadParams(test::utf8(dir.filePath("a.dat")), state, fields);
    }
};

using LoadParamsTest = LoadFixture;

TEST_F(LoadParamsTest, WorkedExampleFillsInputRowsOnly) {
    state.Pa = 7;
    ASSERT_TRUE(load(golden("worked_example_computed.dat")));
    const char* const expected[kRowCount] = {
        "Опыт",   "input",  "5",      "10",     "1.24",   "5",      "0",      "option",
        "5.0001", "23",     "old 10", "old 11", "old 12", "old 13", "old 14", "old 15",
        "old 16", "old 17", "old 18", "old 19", "old 20", "",
    };
    for (int r = 0; r < kRowCount; ++r) EXPECT_EQ(fields.text(r), expected[r]) << r;
    EXPECT_EQ(state.SavedFields[kRowPa].text, "0.1013");
    EXPECT_EQ(state.SavedFields[kRowQa].caption, "  угол полураствора на срезе, ");
    EXPECT_EQ(state.Title, "Опыт");
    EXPECT_FLOAT_EQ(state.Rkr, 5);
    EXPECT_FLOAT_EQ(state.Qa, 10);
    EXPECT_FLOAT_EQ(state.k, 1.24f);
    EXPECT_FLOAT_EQ(state.Rc, 5.0001f);
    EXPECT_FLOAT_EQ(state.Qc, 23);
    EXPECT_FLOAT_EQ(state.Pa, 7);  // results wait for the calculation
}

TEST_F(LoadParamsTest, RowsMatchByPositionNotCaption) {
    QByteArray bytes = linesOf(kRowCount, "\r\n", "\"x\",\"%1\"");
    bytes.replace("\"x\",\"4\"", "\"x\",\"1,24\"");
    ASSERT_TRUE(load(bytes));
    EXPECT_EQ(fields.text(kRowRkr), "2");
    EXPECT_EQ(fields.text(kRowK), "1,24");
    EXPECT_FLOAT_EQ(state.k, 1.24f);  // the comma is the decimal point, as in the fields
    EXPECT_EQ(state.Note, "21");
    EXPECT_EQ(state.SavedFields[kRowK].caption, "x" + std::string(29, ' '));
}

// Fewer than 22 records change no field and no value; more are ignored after the 22nd.
TEST_F(LoadParamsTest, RecordCount) {
    const struct {
        int lines;
        bool loads;
    } cases[] = {{0, false}, {1, false}, {21, false}, {22, true}, {23, true}, {200, true}};
    for (const auto& c : cases) {
        fields = markedFields();
        state = DesignState();
        state.SavedFields[kRowNote].text = "kept";
        EXPECT_EQ(load(linesOf(c.lines, "\r\n")), c.loads) << c.lines;
        EXPECT_EQ(fields.text(kRowTitle), c.loads ? "t0" : "old 0") << c.lines;
        EXPECT_EQ(state.Title, c.loads ? "t0" : "") << c.lines;
        EXPECT_EQ(state.SavedFields[kRowNote].text, c.lines >= kRowCount ? "t21" : "kept");
        EXPECT_EQ(state.SavedFields[0].text, c.lines > 0 ? "t0" : "");
    }
}

TEST_F(LoadParamsTest, MissingOrUnusablePathChangesNothing) {
    const std::string paths[] = {"", test::utf8(dir.filePath("none.dat")), test::utf8(dir.path()),
                                 "/dev/zero"};
    for (const std::string& p : paths) {
        EXPECT_FALSE(LoadParams(p, state, fields)) << p;
        EXPECT_EQ(fields.text(kRowTitle), "old 0");
        EXPECT_TRUE(state.SavedFields[0].text.empty());
    }
}

// Files not written by the program: how each reads (title and note shown).
TEST_F(LoadParamsTest, FilesFromElsewhere) {
    const QByteArray utf8Mark = "\xEF\xBB\xBF";
    const struct {
        const char* what;
        QByteArray bytes;
        const char* title;
        const char* note;
    } cases[] = {
        {"LF line ends", linesOf(22, "\n"), "t0", "t21"},
        {"CR line ends", linesOf(22, "\r"), "t0", "t21"},
        {"blank lines between", linesOf(22, "\r\n\r\n\n"), "t0", "t21"},
        {"no line end at the end", linesOf(22, "\r\n").chopped(2), "t0", "t21"},
        {"fields without quotes", linesOf(22, "\r\n", "c%1, t%1,x"), " t0,x", " t21,x"},
        {"one field a line", linesOf(22, "\r\n", "\"c%1\""), "", ""},
        {"three fields", linesOf(22, "\r\n", "\"c%1\",\"t%1\",\"z\""), "t%1\",\"z", "t%1\",\"z"},
        {"blanks around the comma", linesOf(22, "\r\n", " \"c%1\" , \"t%1\" "), "t0", "t21"},
        {"unclosed text", linesOf(22, "\r\n", "\"c%1\",\"t%1"), "t0", "t21"},
        {"unclosed caption", linesOf(22, "\r\n", "\"c%1,t%1"), "", ""},
        {"UTF-8 with its mark", utf8Mark + linesOf(22, "\n", "\"c\",\"сопло %1\""), "сопло 0",
         "сопло 21"},
        {"UTF-8 without a mark", linesOf(22, "\n", "\"c\",\"\xD1\x8F\""), "СЏ", "СЏ"},
    };
    for (const auto& c : cases) {
        fields = markedFields();
        ASSERT_TRUE(load(c.bytes)) << c.what;
        const std::string title = numbered(c.title, 0).toStdString();
        const std::string note = numbered(c.note, kRowNote).toStdString();
        EXPECT_EQ(fields.text(kRowTitle), title) << c.what;
        EXPECT_EQ(fields.text(kRowNote), note) << c.what;
        EXPECT_EQ(fields.text(kRowPa), "old 11") << c.what;
    }
}

// A zero byte marks a file that is no text: it holds no design, however many lines it has, and
// not even its first rows are taken.
TEST_F(LoadParamsTest, BinaryFilesHoldNoDesign) {
    QByteArray junk;
    for (int i = 0; i < 100000; ++i) junk += char((i * 7919) % 256);
    const QByteArray files[] = {junk, linesOf(22, "\r\n", "\"c\",\"a%1\"").replace('a', '\0')};
    for (const QByteArray& bytes : files) {
        fields = markedFields();
        EXPECT_FALSE(load(bytes));
        EXPECT_EQ(fields.text(kRowTitle), "old 0");
        for (const FieldRow& row : state.SavedFields) EXPECT_TRUE(row.caption.empty());
    }
}

}  // namespace
}  // namespace tavro
