// The command-line tool with parameter files: open, --save and their exit statuses.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <sstream>

#include "cli_run.h"
#include "docs_test_util.h"

namespace tavro {
namespace {

const std::vector<std::string> kWorkedExample = {"calc",   "Title=Опыт", "Rkr=5", "Qa=10",
                                                 "k=1.24", "Pk=5",       "H=0"};

struct CliDocsTest : ::testing::Test {
    QTemporaryDir dir;
    std::string path(const char* name) const { return test::utf8(dir.filePath(name)); }
    std::vector<std::string> workedExample(std::vector<std::string> more) const {
        std::vector<std::string> args = kWorkedExample;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
};

TEST_F(CliDocsTest, SavedWorkedExampleOpensToTheSameRows) {
    const CliRun saved = cli(workedExample({"--save", path("x.dat")}));
    ASSERT_EQ(saved.status, kExitOk) << saved.err;
    EXPECT_TRUE(
        test::matchesGolden("worked_example_computed.dat", test::readAll(dir.filePath("x.dat"))));
    EXPECT_EQ(saved.out, cli(kWorkedExample).out);
    const CliRun opened = cli({"open", path("x.dat")});
    EXPECT_EQ(opened.status, kExitOk) << opened.err;
    EXPECT_EQ(opened.out, saved.out);
    EXPECT_EQ(cli({"open", path("x.dat"), "--save", path("y.dat")}).status, kExitOk);
    EXPECT_EQ(test::readAll(dir.filePath("y.dat")), test::readAll(dir.filePath("x.dat")));
}

// A file that holds no design is an error of its own: nothing is computed, nothing saved over
// it, exit status 6.
TEST_F(CliDocsTest, OpenOfAFileThatHoldsNoDesignExitsWithSix) {
    test::writeAll(dir.filePath("short.dat"), "\"СОПЛО\",\"Опыт\"\r\n");
    QByteArray binary = test::golden("worked_example_computed.dat");
    binary[3] = '\0';
    test::writeAll(dir.filePath("binary.dat"), binary);
    for (const char* name : {"none.dat", "short.dat", "binary.dat"}) {
        const QByteArray before = test::readAll(dir.filePath(name));
        const CliRun opened = cli({"open", path(name), "--save", path("saved.dat")});
        EXPECT_EQ(opened.status, kExitNotLoaded) << name;
        EXPECT_EQ(opened.out, "") << name;
        EXPECT_NE(opened.err.find("not loaded"), std::string::npos) << name;
        EXPECT_EQ(test::readAll(dir.filePath(name)), before) << name;
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("none.dat")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("saved.dat")));
}

TEST_F(CliDocsTest, FailedSaveExitsWithFiveAndKeepsTheOldFile) {
    test::writeAll(dir.filePath("plain"), "x");
    ASSERT_EQ(cli(workedExample({"--save", path("x.dat")})).status, kExitOk);
    const struct {
        std::vector<std::string> args;
        const char* target;
    } cases[] = {
        {workedExample({"--save", path("plain/x.dat")}), "plain/x.dat"},
        {workedExample({"Note=日本", "--save", path("x.dat")}), "x.dat"},
        {{"open", path("x.dat"), "--save", "/dev/full"}, "/dev/full"},
    };
    for (const auto& c : cases) {
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.status, kExitSaveFailed) << c.target;
        EXPECT_NE(run.err.find("not saved"), std::string::npos) << c.target;
        EXPECT_NE(run.out.find("outcome\tok"), std::string::npos) << c.target;
    }
    EXPECT_TRUE(
        test::matchesGolden("worked_example_computed.dat", test::readAll(dir.filePath("x.dat"))));
}

TEST_F(CliDocsTest, RejectedInputsSaveNothing) {
    const CliRun run = cli({"calc", "Rkr=0", "--save", path("x.dat")});
    EXPECT_EQ(run.status, kExitRejected);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("x.dat")));
}

TEST_F(CliDocsTest, BadDocumentArguments) {
    const std::vector<std::string> cases[] = {
        {"open"},           {"open", "a.dat", "b.dat"},  {"open", "a.dat", "Rkr=5"},
        {"open", "--save"}, {"calc", "Rkr=5", "--save"}, {"calc", "Rkr=5", "--save", ""},
    };
    for (const auto& args : cases) {
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, kExitUsage) << args.size();
        EXPECT_NE(run.err.find("usage:"), std::string::npos);
    }
}

}  // namespace
}  // namespace tavro
