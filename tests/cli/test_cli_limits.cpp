// What the tool refuses before it writes anything: one file named twice, outputs too large to
// make, and rows that would not stay one line each.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "cli_run.h"
#include "docs_test_util.h"

namespace tavro {
namespace {

const std::vector<std::string> kDesign = {"calc", "Rkr=5", "Qa=10", "k=1.24", "Pk=5", "H=0"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// Every pair of paths that are one file is a usage error before anything is written; the
// input and every output stay as they were.
TEST(CliLimits, OneFileNamedTwiceIsAUsageErrorAndNothingIsWritten) {
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return test::utf8(dir.filePath(name)); };
    ASSERT_EQ(cli(with(kDesign, {"--save", path("n.dat")})).status, kExitOk);
    const QByteArray design = test::readAll(dir.filePath("n.dat"));
    ASSERT_EQ(link(path("n.dat").c_str(), path("hard.dat").c_str()), 0);
    ASSERT_EQ(symlink(path("n.dat").c_str(), path("soft.dat").c_str()), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    const std::vector<std::vector<std::string>> twice = {
        {"open", path("n.dat"), "--png", path("n.dat")},
        {"open", path("n.dat"), "--save", path("n.dat")},
        {"open", path("n.dat"), "--dxf", path("hard.dat")},
        {"open", path("n.dat"), "--stl", path("soft.dat")},
        {"open", path("n.dat"), "--svg", path("sub/../n.dat")},
        with(kDesign, {"--png", path("new.png"), "--pdf", path("sub/../new.png")}),
        with(kDesign, {"--stations", path("t.csv"), "--record", path("t.csv")}),
    };
    for (const auto& args : twice) {
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, kExitUsage) << args[3];
        EXPECT_NE(run.err.find("name the same file"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(test::readAll(dir.filePath("n.dat")), design);
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("new.png")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("t.csv")));
    // A device may take more than one output.
    EXPECT_EQ(cli(with(kDesign, {"--svg", "/dev/null", "--dxf", "/dev/null"})).status, kExitOk);
}

// Outputs that could not be made in memory or would take for ever are refused with a message;
// a template within its page limit is made.
TEST(CliLimits, OversizedOutputsAreRefusedBeforeTheyAreMade) {
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return test::utf8(dir.filePath(name)); };
    const std::vector<std::string> huge = {"calc", "Rkr=1e4", "Qa=10", "k=1.24", "Pk=5", "H=0"};
    const std::vector<std::string> huger = {"calc", "Rkr=1e5", "Qa=10", "k=1.24", "Pk=5", "H=0"};
    const std::vector<std::string> wide = {"calc", "Rkr=60", "Qa=10", "k=1.24", "Pk=5", "H=0"};
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
        const char* file;
    } cases[] = {
        {with(huge, {"--pdf", path("t.pdf"), "--template"}), kExitUsage,
         "more than --max-pages 200", "t.pdf"},
        {with(wide, {"--pdf", path("s.pdf"), "--template", "--max-pages", "3"}), kExitUsage,
         "takes 4 pages, more than --max-pages 3", "s.pdf"},
        {with(huger, {"--stl", path("h.stl")}), kExitSaveFailed, "более 2 ГБ", "h.stl"},
        {with(huge, {"--stations", path("h.csv"), "--step", "0.001"}), kExitSaveFailed,
         "10 миллионов строк", "h.csv"},
        {with(kDesign, {"--png", path("p.png"), "--size", "20001x10"}), kExitUsage,
         "from 1 to 20000 pixels", "p.png"},
        {with(kDesign, {"--pdf", path("m.pdf"), "--max-pages", "0"}), kExitUsage, "bad page count",
         "m.pdf"},
    };
    for (const auto& c : cases) {
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.status, c.status) << c.file << ": " << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(c.file))) << c.file;
    }
    const CliRun pages =
        cli(with(wide, {"--pdf", path("ok.pdf"), "--template", "--max-pages", "4"}));
    EXPECT_EQ(pages.status, kExitOk) << pages.err;
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("ok.pdf")));
}

// A title or note with control characters stays on its own row of the output, and the escapes
// read back to the text.
TEST(CliLimits, ControlCharactersInFieldTextsArePrintedEscaped) {
    const CliRun run = cli(with(kDesign, {"Title=a\tb\\c", "Note=line1\r\nline2\x01\x7f end"}));
    ASSERT_EQ(run.status, kExitOk) << run.err;
    int lines = 0;
    for (char c : run.out) lines += c == '\n';
    EXPECT_EQ(lines, 23);  // 22 rows and the outcome
    EXPECT_EQ(run.out.rfind("0\ta\\tb\\\\c\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\n21\tline1\\r\\nline2\\x01\\x7F end\n"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tavro
