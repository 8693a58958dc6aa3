// Saving nozzle designs: exact bytes, round trips through real files, and saves that fail.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core.h"
#include "docs_test_util.h"
#include "inputs.h"
#include "params_file.h"
#include "recording_reporter.h"

namespace tavro {
namespace {

using test::golden;
using test::matchesGolden;
using test::readAll;
using test::writeAll;

// The worked example: typed in, not computed yet.
FieldTable workedExample() {
    FieldTable f;
    const std::pair<int, const char*> typed[] = {
        {kRowTitle, "Опыт"}, {kRowRkr, "5"}, {kRowQa, "10"},
        {kRowK, "1.24"},     {kRowPk, "5"},  {kRowH, "0"},
    };
    for (const auto& [row, text] : typed) f.setText(row, text);
    return f;
}

struct DocsFixture : ::testing::Test {
    QTemporaryDir dir;
    std::string path(const char* name) const { return test::utf8(dir.filePath(name)); }
};

using SaveParamsTest = DocsFixture;

TEST_F(SaveParamsTest, WorkedExampleIsWrittenByteForByte) {
    FieldTable fields = workedExample();
    DesignState state;
    ASSERT_TRUE(SaveParams(path("a.dat"), state, fields));
    EXPECT_TRUE(matchesGolden("worked_example.dat", readAll(dir.filePath("a.dat"))));
}

TEST_F(SaveParamsTest, ComputedWorkedExampleCarriesTheResultTexts) {
    FieldTable fields = workedExample();
    DesignState state;
    state.InRange = true;
    loadDesignValues(state, fields);
    test::FailOnReport noReports;
    ASSERT_EQ(sCore(state, fields, '.', noReports), CoreOutcome::Ok);
    ASSERT_TRUE(SaveParams(path("a.dat"), state, fields));
    EXPECT_TRUE(matchesGolden("worked_example_computed.dat", readAll(dir.filePath("a.dat"))));
}

TEST_F(SaveParamsTest, SavedFieldsKeepTextsAndThirtyCharacterCaptions) {
    FieldTable fields = workedExample();
    DesignState state;
    ASSERT_TRUE(SaveParams(path("a.dat"), state, fields));
    for (int r = 0; r < kRowCount; ++r) {
        const FieldRow& row = state.SavedFields[size_t(r)];
        EXPECT_EQ(row.text, fields.text(r)) << r;
        const QString full = QString::fromStdString(fields.caption(r));
        EXPECT_EQ(QString::fromStdString(row.caption), full.leftJustified(30, ' ', true)) << r;
    }
}

TEST_F(SaveParamsTest, EmptyPathWritesNothingAndKeepsSavedFields) {
    FieldTable fields = workedExample();
    DesignState state;
    state.SavedFields[0].text = "earlier";
    EXPECT_FALSE(SaveParams("", state, fields));
    EXPECT_EQ(state.SavedFields[0].text, "earlier");
}

TEST_F(SaveParamsTest, ClearedDesignGivesEmptyQuotedTexts) {
    FieldTable fields;
    for (int r = 0; r < kRowCount; ++r) fields.setText(r, "");
    DesignState state;
    ASSERT_TRUE(SaveParams(path("a.dat"), state, fields));
    const QList<QByteArray> lines = readAll(dir.filePath("a.dat")).split('\n');
    ASSERT_EQ(lines.size(), kRowCount + 1);  // after the last line end comes nothing
    EXPECT_TRUE(lines.back().isEmpty());
    for (int r = 0; r < kRowCount; ++r) EXPECT_TRUE(lines[r].endsWith(",\"\"\r")) << r;
}

TEST_F(SaveParamsTest, ShorterDesignReplacesLongerFileCompletely) {
    DesignState state;
    FieldTable fields = workedExample();
    fields.setText(kRowNote, std::string(5000, 'x'));
    ASSERT_TRUE(SaveParams(path("a.dat"), state, fields));
    fields = workedExample();
    ASSERT_TRUE(SaveParams(path("a.dat"), state, fields));
    EXPECT_TRUE(matchesGolden("worked_example.dat", readAll(dir.filePath("a.dat"))));
}

// Title and note as typed must come back exactly, whatever they hold.
TEST_F(SaveParamsTest, TitleAndNoteRoundTrip) {
    const std::pair<const char*, const char*> cases[] = {
        {"Опыт, вариант 2", "сталь 45, резец Т15К6"},
        {"сопло \"Тавро\"", "\"в кавычках\""},
        {"\"", "\"\""},
        {"a\",\"b", "x\",\"y\",\"z"},
        {"  с пробелами  ", "   "},
        {"№ 5 — «ёлка» €", "\t tab"},
        {"", ","},
    };
    for (const auto& [title, note] : cases) {
        FieldTable saved = workedExample();
        saved.setText(kRowTitle, title);
        saved.setText(kRowNote, note);
        DesignState state;
        ASSERT_TRUE(SaveParams(path("a.dat"), state, saved)) << title;
        FieldTable loaded;
        DesignState again;
        ASSERT_TRUE(LoadParams(path("a.dat"), again, loaded)) << title;
        EXPECT_EQ(loaded.text(kRowTitle), title);
        EXPECT_EQ(loaded.text(kRowNote), note);
        EXPECT_EQ(again.Title, title);
        EXPECT_EQ(again.Note, note);
        EXPECT_FLOAT_EQ(again.k, 1.24f);
    }
}

// Text Windows-1251 cannot hold exactly, or that would break the line, is refused whole: the
// good file already there stays as it was.
TEST_F(SaveParamsTest, UnstorableTextKeepsPreviousFile) {
    const std::pair<int, std::string> cases[] = {
        {kRowTitle, "日本"},         {kRowNote, "Größe"},      {kRowNote, "\xF0\x9F\x9A\x80"},
        {kRowTitle, "\xD0"},          // a cut UTF-8 sequence
        {kRowTitle, "\xEF\xBB\xBF"},  // U+FEFF, which a careless decoder drops
        {kRowRkr, "5\r\n"},          {kRowNote, "two\nlines"},
    };
    FieldTable good = workedExample();
    DesignState state;
    ASSERT_TRUE(SaveParams(path("a.dat"), state, good));
    for (const auto& [row, text] : cases) {
        FieldTable bad = workedExample();
        bad.setText(row, text);
        std::string why;
        EXPECT_FALSE(SaveParams(path("a.dat"), state, bad, &why)) << text;
        EXPECT_FALSE(why.empty());
        EXPECT_EQ(state.SavedFields[size_t(row)].text, text);
        EXPECT_TRUE(matchesGolden("worked_example.dat", readAll(dir.filePath("a.dat")))) << text;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.dat"});
}

TEST_F(SaveParamsTest, CaptionWithQuoteIsRefused) {
    FieldTable fields = workedExample();
    fields.setCaption(kRowPk, "Pk \"МПа\"");
    DesignState state;
    EXPECT_FALSE(SaveParams(path("a.dat"), state, fields));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("a.dat")));
}

TEST_F(SaveParamsTest, UncreatableFileFails) {
    writeAll(dir.filePath("plain"), "not a folder");
    FieldTable fields = workedExample();
    DesignState state;
    std::string why;
    EXPECT_FALSE(SaveParams(path("plain/a.dat"), state, fields, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(state.SavedFields[kRowTitle].text, "Опыт");  // taken before the write
    EXPECT_FALSE(SaveParams(test::utf8(dir.path()), state, fields));
    EXPECT_EQ(readAll(dir.filePath("plain")), "not a folder");
}

// A full disk: saving onto the full device must fail and must not replace the device node with
// a file. A private node of the same device is tried first where the system allows it.
TEST_F(SaveParamsTest, FullDiskFailsAndLeavesDeviceInPlace) {
    FieldTable fields = workedExample();
    DesignState state;
    const std::string own = path("full");
    if (mknod(own.c_str(), S_IFCHR | 0600, makedev(1, 7)) == 0) {
        EXPECT_FALSE(SaveParams(own, state, fields));
        struct stat st {};
        ASSERT_EQ(stat(own.c_str(), &st), 0);
        ASSERT_TRUE(S_ISCHR(st.st_mode)) << "saving replaced the device node";
    }
    std::string why;
    EXPECT_FALSE(SaveParams("/dev/full", state, fields, &why));
    EXPECT_FALSE(why.empty());
    struct stat st {};
    ASSERT_EQ(stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// A write that stops part way (file size limit, the same path as a full disk on a regular
// file): the earlier design survives byte for byte and no partial file is left beside it.
TEST_F(SaveParamsTest, WriteStoppedPartWayKeepsPreviousFile) {
    DesignState state;
    FieldTable good = workedExample();
    ASSERT_TRUE(SaveParams(path("a.dat"), state, good));
    FieldTable longer = workedExample();
    longer.setText(kRowNote, std::string(4000, 'n'));

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveParams(path("a.dat"), state, longer);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_TRUE(matchesGolden("worked_example.dat", readAll(dir.filePath("a.dat"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.dat"});
}

}  // namespace
}  // namespace tavro
