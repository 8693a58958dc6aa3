// The tool's drawing outputs: statuses, files, and a template that measures true to size.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <sstream>

#include "cli.h"
#include "drawing_support.h"
#include "page_pixels.h"

// fontconfig keeps its configuration caches for the life of the process; the leak checker
// would report them after every test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace tavro::test {
namespace {

const std::vector<std::string> kExample = {"calc", "Rkr=10", "Qa=10", "k=1.24", "Pk=5", "H=0"};
const std::vector<std::string> kOffDesign = {"calc",   "Rkr=10", "Qa=15",
                                             "k=1.24", "Pk=30",  "H=150000"};

struct CliCase {
    const char* name;
    std::vector<std::string> design;
    std::vector<std::string> options;  // "@" stands for the temporary directory
    int status;
    std::vector<const char*> files;
    const char* errorText;
};

class Outputs : public ::testing::TestWithParam<CliCase> {};

TEST_P(Outputs, StatusFilesAndMessages) {
    const CliCase& c = GetParam();
    QTemporaryDir dir;
    std::vector<std::string> args = c.design;
    for (std::string o : c.options) {
        if (o.rfind('@', 0) == 0)
            o = dir.filePath(QString::fromStdString(o.substr(1))).toStdString();
        args.push_back(o);
    }
    std::ostringstream out, err;
    EXPECT_EQ(runCli(args, out, err), c.status) << err.str();
    for (const char* f : {"a.png", "a.pdf", "a.rec"}) {
        const bool wanted =
            std::find(c.files.begin(), c.files.end(), std::string(f)) != c.files.end();
        EXPECT_EQ(QFileInfo::exists(dir.filePath(f)), wanted) << f;
    }
    EXPECT_NE(err.str().find(c.errorText), std::string::npos) << err.str();
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Outputs,
    ::testing::Values(
        CliCase{"all",
                kExample,
                {"--png", "@a.png", "--pdf", "@a.pdf", "--record", "@a.rec"},
                kExitOk,
                {"a.png", "a.pdf", "a.rec"},
                ""},
        CliCase{"template", kExample, {"--pdf", "@a.pdf", "--template"}, kExitOk, {"a.pdf"}, ""},
        CliCase{"off_design",
                kOffDesign,
                {"--png", "@a.png", "--pdf", "@a.pdf"},
                kExitOffDesign,
                {},
                "Нерасчетный режим\nДанные не попадают"},
        // The cone of a right entry angle ends above its own entrance: the length comes out
        // negative, a wall that cannot be built.
        CliCase{"negative_length",
                {"calc", "--no-check", "Rkr=10", "Qa=10", "k=1.24", "Pk=5", "Qc=90", "Rc=1e30"},
                {"--png", "@a.png", "--pdf", "@a.pdf"},
                kExitOffDesign,
                {},
                "Нерасчетный режим"},
        CliCase{
            "bad_size", kExample, {"--png", "@a.png", "--size", "70x"}, kExitUsage, {}, "bad size"},
        CliCase{"missing_file", kExample, {"--png"}, kExitUsage, {}, "needs a value"},
        CliCase{"bad_page",
                kExample,
                {"--pdf", "@a.pdf", "--template", "--page", "B5"},
                kExitUsage,
                {},
                "bad page B5"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every output is saved as safely as --save: a full disk or a pipe is refused with the reason on
// stderr and status 5, at once, and a device stays a device.
TEST(Outputs, FailedWritesSayWhyAndExitWithFive) {
    QTemporaryDir dir;
    const std::string pipe = dir.filePath("pipe").toStdString();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0666), 0);
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--png", "/dev/full"}, "/dev/full: not saved: Нет места на устройстве"},
        {{"--pdf", "/dev/full"}, "/dev/full: not saved: Нет места на устройстве"},
        {{"--record", "/dev/full"}, "/dev/full: not saved: Нет места на устройстве"},
        {{"--record", pipe}, ": not saved: Не является обычным файлом"},
        {{"--save", pipe}, ": not saved: Не является обычным файлом"},
    };
    for (const auto& [options, message] : cases) {
        std::vector<std::string> args = kExample;
        args.insert(args.end(), options.begin(), options.end());
        std::ostringstream out, err;
        EXPECT_EQ(runCli(args, out, err), kExitSaveFailed) << options[0];
        EXPECT_NE(err.str().find(message), std::string::npos) << err.str();
    }
    struct stat st {};
    ASSERT_EQ(stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(Png, HasTheRequestedSize) {
    QTemporaryDir dir;
    std::vector<std::string> args = kExample;
    const std::string png = dir.filePath("a.png").toStdString();
    for (const std::string& a :
         {std::string("--png"), png, std::string("--size"), std::string("320x480")})
        args.push_back(a);
    std::ostringstream out, err;
    ASSERT_EQ(runCli(args, out, err), kExitOk);
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(320, 480));
}

struct TemplateCase {
    const char* name;
    const char* rc;
    const char* qc;
};

class FullSize : public ::testing::TestWithParam<TemplateCase> {};

// Printed at 100 %, the template's exit diameter and overall length are the design's within a
// tenth of a millimetre.
TEST_P(FullSize, ContourMeasuresTrue) {
    const TemplateCase& c = GetParam();
    QTemporaryDir dir;
    const std::string pdf = dir.filePath("t.pdf").toStdString();
    std::vector<std::string> args = kExample;
    for (const std::string& a : {"Rc=" + std::string(c.rc), "Qc=" + std::string(c.qc),
                                 std::string("--pdf"), pdf, std::string("--template")})
        args.push_back(a);
    std::ostringstream out, err;
    ASSERT_EQ(runCli(args, out, err), kExitOk) << err.str();
    const DesignState s = computedDesign({}, c.rc, c.qc);

    // The contour is 2 device pixels of the 600 dpi page wide.
    const TemplateSize t = measureTemplate(pdf, 2 * 25.4 / 600);
    ASSERT_TRUE(t.found);
    EXPECT_NEAR(t.length, s.Ln, 0.1);
    EXPECT_NEAR(t.exitDiameter, 2 * s.Ra, 0.1);
    EXPECT_NEAR(t.topMm, 10 + 0.2 * 277, 0.1) << "entrance at a fifth of the A4 page's usable area";
    EXPECT_NEAR(t.axisOffsetMm, 0, 0.1) << "on the axis";
}

INSTANTIATE_TEST_SUITE_P(Examples, FullSize,
                         ::testing::Values(TemplateCase{"cone", "30", "45"},
                                           TemplateCase{"fillet", "12", "45"},
                                           TemplateCase{"plain", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavro::test
