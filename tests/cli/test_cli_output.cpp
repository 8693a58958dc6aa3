// The tool's drawing outputs: statuses, files, and a template that measures true to size.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <sstream>

#include "cli.h"
#include "drawing_support.h"
#include "page_pixels.h"

// fontconfig keeps its configuration caches, and Open CASCADE (writing STEP) its translators'
// registries, for the life of the process; the leak checker would report them after every test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libTKernel.so\nleak:libTKXSBase.so\nleak:libTKSTEP.so\nleak:libTKSTEPBase.so\n";
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

    // The template's contour is a 0.2 mm stroke.
    const TemplateSize t = measureTemplate(pdf, 0.2);
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

// Ink of the drawing's texts and contour: black or blue, also where antialiased; the grey
// lines and the white sheet are not.
bool isInk(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    return b - r > 30 || (r == g && g == b && r < 140);
}

// How many pixels of ink lie on the outermost rows and columns of the image.
int inkOnEdge(const QImage& image) {
    int ink = 0;
    for (int x = 0; x < image.width(); ++x)
        ink += isInk(image.pixel(x, 0)) + isInk(image.pixel(x, image.height() - 1));
    for (int y = 0; y < image.height(); ++y)
        ink += isInk(image.pixel(0, y)) + isInk(image.pixel(image.width() - 1, y));
    return ink;
}

// Pixels of anything drawn, grey lines included, within the margin of the image's edges.
int drawnNearEdge(const QImage& image, int margin) {
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool near = x < margin || y < margin || x >= image.width() - margin ||
                              y >= image.height() - margin;
            drawn += near && image.pixel(x, y) != qRgb(255, 255, 255);
        }
    return drawn;
}

// Designs whose lips, labels or marks used to leave the sheet, and a title and a note wider
// than it: drawn through the tool on the window's sheet and, fitted, on the page, no ink
// touches an edge.
TEST(Sweep, NoInkTouchesTheSheetEdge) {
    const std::string longText = "Сопло второй ступени, сталь 12Х18Н10Т, точить по шаблону";
    const std::vector<std::vector<std::string>> designs = {
        {"Qa=10", "Pk=5", "Rc=50", "Qc=60"},
        {"Qa=15", "Pk=30"},
        {"Qa=12", "Pk=30"},
        {"Qa=9", "Pk=5", "Rc=80", "Qc=60"},
        {"Qa=15", "Pk=30", "Rc=20", "Qc=60"},
        {"Qa=12", "Pk=30", "Rc=80", "Qc=60"},
        {"Qa=10", "Pk=5", "Rc=30", "Qc=45", "Title=" + longText + longText,
         "Note=" + longText + longText},
        // An entry-angle mark's leg and a "Qa=" label that reached the right edge.
        {"Rkr=5", "Qa=15", "k=1.25", "Pk=8", "H=3000", "Rc=20", "Qc=60"},
        {"Rkr=15", "Qa=15", "k=1.24", "Pk=10", "H=10000", "Rc=40", "Qc=60"},
    };
    QTemporaryDir dir;
    const std::string png = dir.filePath("s.png").toStdString();
    const std::string pdf = dir.filePath("s.pdf").toStdString();
    for (size_t i = 0; i < designs.size(); ++i) {
        std::vector<std::string> args = {"calc", "Rkr=10", "k=1.24", "H=0"};
        args.insert(args.end(), designs[i].begin(), designs[i].end());
        const bool page = i % 3 == 0;  // a few pages: each is rendered back
        for (const std::string& a : {std::string("--png"), png}) args.push_back(a);
        if (page) {
            args.push_back("--pdf");
            args.push_back(pdf);
        }
        std::ostringstream out, err;
        ASSERT_EQ(runCli(args, out, err), kExitOk) << designs[i][0] << err.str();
        // On the sheet nothing drawn comes within two pixels of an edge.
        EXPECT_EQ(drawnNearEdge(QImage(QString::fromStdString(png)), 2), 0)
            << "sheet, design " << i;
        if (!page) continue;
        const std::string base = pdf + ".colour";
        ASSERT_EQ(std::system(("pdftoppm -singlefile -r 50 '" + pdf + "' '" + base + "'").c_str()),
                  0);
        EXPECT_EQ(inkOnEdge(QImage(QString::fromStdString(base + ".ppm"))), 0)
            << "page, design " << i;
    }
}

struct StrokeCase {
    const char* name;
    bool tmpl;
    double contourMm;
};

class PrintedStroke : public ::testing::TestWithParam<StrokeCase> {};

// On paper the strokes have their widths in millimetres, whatever the page's resolution: the
// blank's outline 0.1 mm, the contour 0.2 mm on a template and 0.5 mm on a printed drawing.
// Measured across the left wall a millimetre below the throat, where it runs nearly along the
// axis.
TEST_P(PrintedStroke, WidthsInMillimetres) {
    const StrokeCase& c = GetParam();
    QTemporaryDir dir;
    const std::string pdf = dir.filePath("s.pdf").toStdString();
    std::vector<std::string> args = kExample;
    for (const std::string& a : {std::string("Rc=30"), std::string("Qc=45"), std::string("--pdf"),
                                 pdf, std::string(c.tmpl ? "--template" : "")})
        if (!a.empty()) args.push_back(a);
    std::ostringstream out, err;
    ASSERT_EQ(runCli(args, out, err), kExitOk) << err.str();
    const DesignState s = computedDesign({}, "30", "45");
    const double scale = c.tmpl ? 1 : FitScale(s.Ln, s.Ra, s.Rc, 297, 210);

    // Thin strokes are snapped to whole pixels when rendered: at 2400 dpi that is 0.01 mm.
    constexpr int dpi = 2400;
    constexpr double mmPerPixel = 25.4 / dpi;
    const double rowMm = 0.2 * 297 + scale * (s.Ln - s.La) + 1;
    const GreyPage strip = renderPdf(pdf, dpi, static_cast<int>(rowMm / mmPerPixel), 1);
    ASSERT_GT(strip.width, 0);
    const std::vector<Stroke> strokes =
        strokesAcross(strip, 0, 0, static_cast<int>(104 / mmPerPixel));
    ASSERT_GE(strokes.size(), 2u);
    EXPECT_FALSE(strokes[0].black) << "the blank's outline";
    EXPECT_NEAR(strokes[0].width * mmPerPixel, 0.1, 0.015);
    EXPECT_TRUE(strokes[1].black) << "the contour";
    EXPECT_NEAR(strokes[1].width * mmPerPixel, c.contourMm, 0.02);
    RecordProperty("contour_mm", std::to_string(strokes[1].width * mmPerPixel));
}

INSTANTIATE_TEST_SUITE_P(Paper, PrintedStroke,
                         ::testing::Values(StrokeCase{"template", true, 0.2},
                                           StrokeCase{"drawing", false, 0.5}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavro::test
