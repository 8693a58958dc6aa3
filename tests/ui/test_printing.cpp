// Printing where no printer is installed: the page goes to a PDF file the user names.
#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include "fakes.h"
#include "output_support.h"
#include "page_pixels.h"
#include "sheet_output.h"
#include "test_platform.h"

// fontconfig keeps its configuration caches for the life of the process; the leak checker
// would report them after every test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace tavro::test {
namespace {

struct PrintCase {
    const char* name;
    bool tmpl;
    const char* altitude;  // 150000 m lies outside the charts
    const char* chosen;    // empty: the dialog is cancelled
    bool pdf;              // a PDF file is expected
};

class PrintToPdf : public ::testing::TestWithParam<PrintCase> {
  protected:
    void SetUp() override {
        if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
        setOffDesignNotifier(
            [this](const std::string& title, const std::string&) { offDesign.push_back(title); });
    }
    void TearDown() override { setOffDesignNotifier(nullptr); }
    std::vector<std::string> offDesign;
};

TEST_P(PrintToPdf, AsksForTheFileAndLeavesOnlyAFinishedPage) {
    const PrintCase& c = GetParam();
    QTemporaryDir dir;
    DesignState state = exampleDesign("30", "45", c.altitude);
    ScriptedPrompts prompts;
    const std::string chosen =
        *c.chosen ? dir.filePath(QString::fromUtf8(c.chosen)).toStdString() : std::string();
    if (state.InRange) prompts.paths = {chosen};
    QtSheetOutput output(state, prompts, dir.path().toStdString(), '.');
    output.printSheet(c.tmpl);

    // An off-design page is refused before any file name is asked for.
    ASSERT_EQ(prompts.dialogs.size(), state.InRange ? 1u : 0u);
    if (state.InRange) {
        EXPECT_TRUE(prompts.dialogs[0].save);
        EXPECT_EQ(prompts.dialogs[0].filter, "PDF (*.pdf)");
    }
    EXPECT_EQ(offDesign, std::vector<std::string>(state.InRange ? 0 : 1, kOffDesignTitle));
    const QStringList left = QDir(dir.path()).entryList(QDir::Files);
    EXPECT_EQ(left.size(), c.pdf ? 1 : 0) << left.join(' ').toStdString();
    if (c.pdf) {
        EXPECT_TRUE(readBytes(QString::fromStdString(chosen)).startsWith("%PDF-"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    NoPrinter, PrintToPdf,
    ::testing::Values(PrintCase{"drawing", false, "0", "drawing.pdf", true},
                      PrintCase{"template", true, "0", "Шаблон.pdf", true},
                      PrintCase{"cancelled", true, "0", "", false},
                      PrintCase{"off_design_drawing", false, "150000", "d.pdf", false},
                      PrintCase{"off_design_template", true, "150000", "t.pdf", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct TemplateCase {
    const char* name;
    const char* rc;
    const char* qc;
};

class TemplatePdf : public ::testing::TestWithParam<TemplateCase> {};

// The template printed through the print command measures true to size: overall length and
// exit diameter within a tenth of a millimetre, rendered back at 600 dpi.
TEST_P(TemplatePdf, ContourIsFullSize) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    const TemplateCase& c = GetParam();
    QTemporaryDir dir;
    DesignState state = exampleDesign(c.rc, c.qc);
    ASSERT_TRUE(state.InRange);
    ScriptedPrompts prompts;
    const std::string pdf = dir.filePath("t.pdf").toStdString();
    prompts.paths = {pdf};
    QtSheetOutput output(state, prompts, dir.path().toStdString(), '.');
    output.printSheet(true);

    // The contour is 2 device pixels of the 1200 dpi page wide.
    const TemplateSize t = measureTemplate(pdf, 2 * 25.4 / 1200);
    ASSERT_TRUE(t.found);
    EXPECT_NEAR(t.length, state.Ln, 0.1);
    EXPECT_NEAR(t.exitDiameter, 2 * state.Ra, 0.1);
    EXPECT_NEAR(t.axisOffsetMm, 0, 0.5) << "in the middle of the page";
    RecordProperty("length_mm", std::to_string(t.length));
    RecordProperty("exit_diameter_mm", std::to_string(t.exitDiameter));
}

INSTANTIATE_TEST_SUITE_P(Examples, TemplatePdf,
                         ::testing::Values(TemplateCase{"cone", "30", "45"},
                                           TemplateCase{"plain", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavro::test

int main(int argc, char** argv) {
    tavro::test::useTestPlatform();
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
