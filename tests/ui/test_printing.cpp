// Printing where no printer is installed: the pages are previewed, then go to a PDF file the
// user names.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "document_commands.h"
#include "fakes.h"
#include "faults.h"
#include "inputs.h"
#include "output_support.h"
#include "page_pixels.h"
#include "recording_reporter.h"
#include "sheet_output.h"
#include "test_platform.h"

// fontconfig keeps its configuration caches for the life of the process; the leak checker
// would report them after every test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace tavro::test {
namespace {

// Stands in for the user at the print preview: notes how many pages it shows and presses its
// print button, the last of its toolbar. The offscreen platform's remark on showing a window
// with size hints is not the program's.
class PreviewUser {
  public:
    PreviewUser() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { pressPrint(); });
        timer_.start();
        previous_ = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (message.contains(QStringLiteral("propagateSizeHints"))) return;
                if (previous_) previous_(type, context, message);
            });
    }
    ~PreviewUser() { qInstallMessageHandler(previous_); }
    PreviewUser(const PreviewUser&) = delete;
    PreviewUser& operator=(const PreviewUser&) = delete;
    std::vector<int> pagesShown;

  private:
    void pressPrint() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
            if (!dialog || !dialog->isVisible()) continue;
            const auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            pagesShown.push_back(preview ? preview->pageCount() : -1);
            dialog->findChild<QToolBar*>()->actions().back()->trigger();
        }
    }
    QTimer timer_;
    static inline QtMessageHandler previous_ = nullptr;
};

int pdfPages(const std::string& pdf) {
    FILE* info = popen(("pdfinfo '" + pdf + "' 2>/dev/null").c_str(), "r");
    if (!info) return -1;
    char line[256];
    int pages = -1;
    while (std::fgets(line, sizeof line, info))
        if (std::sscanf(line, "Pages: %d", &pages) == 1) break;
    pclose(info);
    return pages;
}

struct PrintCase {
    const char* name;
    bool tmpl;
    const char* altitude;  // 150000 m lies outside the charts; "" is a cleared design
    const char* chosen;    // empty: the dialog is cancelled
    const char* before;    // what the file held beforehand ("" for no file)
    Answer overwrite;      // the answer to "Переписать?" when the file is there
    bool pdf;              // a new PDF is expected in the file
};

class PrintToPdf : public ::testing::TestWithParam<PrintCase> {
  protected:
    void SetUp() override {
        if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    }
};

// The print commands through to the file: a name is asked only for a page that can be drawn,
// an existing file is replaced only after "Переписать?" and only by a finished page.
TEST_P(PrintToPdf, AsksForTheFileAndLeavesOnlyAFinishedPage) {
    const PrintCase& c = GetParam();
    QTemporaryDir dir;
    DesignState state = exampleDesign("30", "45", c.altitude);
    if (!*c.altitude) clearDesign(state);
    const bool printable = state.InRange && *c.altitude;
    FakeView view;
    ScriptedPrompts prompts;
    QtSheetOutput output(state, dir.path().toStdString(), '.', prompts);
    DocumentCommands commands(state, view, prompts, &output, dir.path().toStdString(), '.');
    const std::string chosen =
        *c.chosen ? dir.filePath(QString::fromUtf8(c.chosen)).toStdString() : std::string();
    if (*c.before) {
        ASSERT_TRUE(writeBytes(QString::fromStdString(chosen), c.before));
    }
    if (printable) prompts.paths = {chosen};
    if (printable) prompts.answers = {Answer::Yes};  // "Принтер не найден." Save a PDF?
    if (printable && *c.before) prompts.answers.push_back(c.overwrite);
    if (!*c.altitude) prompts.answers = {Answer::Ok};    // "Печатать нечего."
    if (!state.InRange) prompts.answers = {Answer::Ok};  // "Нерасчетный режим"
    PreviewUser user;
    c.tmpl ? commands.mnuFilePrintTemp_Click() : commands.mnuFilePrintDraw_Click();
    EXPECT_EQ(user.pagesShown, std::vector<int>(printable ? 1 : 0, 1));

    ASSERT_EQ(prompts.dialogs.size(), printable ? 1u : 0u);
    if (printable) {
        EXPECT_EQ(prompts.dialogs[0].filter, "PDF (*.pdf)");
        EXPECT_EQ(prompts.dialogs[0].initial, dir.filePath("MyRocket.pdf").toStdString());
    }
    EXPECT_EQ(prompts.confirmations, c.pdf ? 1 : 0);
    const auto offDesign = std::count_if(prompts.boxes.begin(), prompts.boxes.end(),
                                         [](const auto& b) { return b.title == kOffDesignTitle; });
    EXPECT_EQ(offDesign, state.InRange ? 0 : 1);
    const QStringList left = QDir(dir.path()).entryList(QDir::Files);
    EXPECT_EQ(left.size(), c.pdf || *c.before ? 1 : 0) << left.join(' ').toStdString();
    if (c.pdf) {
        EXPECT_TRUE(readBytes(QString::fromStdString(chosen)).startsWith("%PDF-"));
    } else if (*c.before) {
        EXPECT_EQ(readBytes(QString::fromStdString(chosen)), QByteArray(c.before));
    }
}

INSTANTIATE_TEST_SUITE_P(
    NoPrinter, PrintToPdf,
    ::testing::Values(
        PrintCase{"drawing", false, "0", "drawing.pdf", "", Answer::Yes, true},
        PrintCase{"template", true, "0", "Шаблон.pdf", "", Answer::Yes, true},
        PrintCase{"cancelled", true, "0", "", "", Answer::Yes, false},
        PrintCase{"over_a_file", false, "0", "old.pdf", "old", Answer::Yes, true},
        PrintCase{"not_over_a_file", false, "0", "old.pdf", "old", Answer::Cancel, false},
        PrintCase{"off_design_drawing", false, "150000", "d.pdf", "", Answer::Yes, false},
        PrintCase{"off_design_template", true, "150000", "t.pdf", "", Answer::Yes, false},
        PrintCase{"cleared", false, "", "c.pdf", "", Answer::Yes, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A PDF that cannot be written is reported like any failed write, and says nothing on stderr.
TEST(PrintToPdfFailure, IsReportedWithTheFileAndTheReason) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.filePath("plain"), "x"));
    DesignState state = exampleDesign();
    FakeView view;
    ScriptedPrompts prompts;
    QtSheetOutput output(state, dir.path().toStdString(), '.', prompts);
    DocumentCommands commands(state, view, prompts, &output, dir.path().toStdString(), '.');
    const std::pair<std::string, const char*> cases[] = {
        {"/dev/full", "Нет места на устройстве"},
        {dir.filePath("plain/p.pdf").toStdString(), "Часть пути не является каталогом"},
    };
    for (const auto& [target, reason] : cases) {
        prompts.paths = {target};
        prompts.answers = {Answer::Ok};
        if (QFileInfo::exists(QString::fromStdString(target)))
            prompts.answers.push_front(Answer::Yes);
        prompts.answers.push_front(Answer::Yes);  // no printer: a PDF
        testing::internal::CaptureStderr();
        PreviewUser user;
        commands.mnuFilePrintDraw_Click();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(prompts.boxes.back().title, "Ошибка печати");
        EXPECT_EQ(prompts.boxes.back().text,
                  "Печать в файл PDF не удалась: " + target + "\r\n" + reason);
    }
    EXPECT_TRUE(devFullIntact());
    EXPECT_EQ(readBytes(dir.filePath("plain")), "x");
}

// A page the drawing stops on (here a nozzle too small for any scale) never replaces the older
// file the user agreed to replace, and leaves nothing beside it.
TEST(PrintToPdfFailure, AnUnfinishedPageKeepsTheOlderFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.filePath("old.pdf"), "old"));
    DesignState state = exampleDesign();
    state.Ln = state.Ra = state.Rc = 1e-38f;
    RecordingReporter reporter;
    QtSheetOutput output(state, dir.path().toStdString(), '.', reporter);
    std::string why;
    EXPECT_FALSE(output.printPdf(dir.filePath("old.pdf").toStdString(), OutputMode::Drawing, why));
    EXPECT_EQ(why, "");
    EXPECT_FALSE(reporter.errors.empty());
    EXPECT_EQ(readBytes(dir.filePath("old.pdf")), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.pdf"});
}

struct TemplateCase {
    const char* name;
    const char* rc;
    const char* qc;
};

// Rkr 100 mm: a template of more than 12 pages asks first. Answered No, nothing is shown or
// written; answered Yes, the preview shows every page and the PDF holds every page.
TEST(LargeTemplate, AsksThenPrintsEveryPage) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    QTemporaryDir dir;
    DesignState state = computedExample({{kRowRkr, "100"}, {kRowPk, "9.4"}, {kRowH, "10000"}});
    ASSERT_TRUE(state.InRange);
    FakeView view;
    ScriptedPrompts prompts;
    QtSheetOutput output(state, dir.path().toStdString(), '.', prompts);
    DocumentCommands commands(state, view, prompts, &output, dir.path().toStdString(), '.');
    const std::string pdf = dir.filePath("big.pdf").toStdString();

    // First the choice of the half profile, declined: the whole template; then its pages.
    PreviewUser user;
    prompts.answers = {Answer::No, Answer::No};
    commands.mnuFilePrintTemp_Click();
    EXPECT_TRUE(user.pagesShown.empty());
    EXPECT_TRUE(prompts.dialogs.empty());
    ASSERT_EQ(prompts.boxes.size(), 2u);
    EXPECT_EQ(prompts.boxes[0].buttons, Buttons::YesNoCancel);
    const std::string lead = "Шаблон займет ";
    ASSERT_EQ(prompts.boxes[0].text.rfind(lead, 0), 0u) << prompts.boxes[0].text;
    const int whole = std::atoi(prompts.boxes[0].text.c_str() + lead.size());
    const std::string dash = ") — ";
    const size_t halfAt = prompts.boxes[0].text.find(dash);
    ASSERT_NE(halfAt, std::string::npos);
    const int half = std::atoi(prompts.boxes[0].text.c_str() + halfAt + dash.size());
    EXPECT_EQ(prompts.boxes[0].text, halfTemplateQuestion(whole, half));
    EXPECT_LT(half, whole);

    // The whole template: its pages asked about, shown, and written to the PDF offered when
    // there is no printer.
    prompts.boxes.clear();
    prompts.answers = {Answer::No, Answer::Yes, Answer::Yes};
    prompts.paths = {pdf};
    commands.mnuFilePrintTemp_Click();
    ASSERT_EQ(prompts.boxes.size(), 3u);
    const int asked = std::atoi(prompts.boxes[1].text.c_str() + lead.size());
    EXPECT_EQ(asked, whole);
    EXPECT_GT(asked, 12);
    // The sheet's blank pages are not printed, so the count is any number past twelve.
    EXPECT_EQ(prompts.boxes[1].text, templatePagesQuestion(asked));
    EXPECT_EQ(prompts.boxes[1].icon, Icon::Question);
    EXPECT_EQ(user.pagesShown, std::vector<int>{asked});
    EXPECT_EQ(pdfPages(pdf), asked);

    // The half profile chosen: its own number of pages, shown and written.
    prompts.boxes.clear();
    const std::string halfPdf = dir.filePath("half.pdf").toStdString();
    prompts.answers = {Answer::Yes};
    if (half > kPagesWithoutAsking) prompts.answers.push_back(Answer::Yes);
    prompts.answers.push_back(Answer::Yes);
    prompts.paths = {halfPdf};
    commands.mnuFilePrintTemp_Click();
    ASSERT_EQ(prompts.boxes.size(), half > kPagesWithoutAsking ? 3u : 2u);
    if (half > kPagesWithoutAsking) {
        EXPECT_EQ(prompts.boxes[1].text, templatePagesQuestion(half));
    }
    EXPECT_EQ(user.pagesShown.back(), half);
    EXPECT_EQ(pdfPages(halfPdf), half);
}

class TemplatePdf : public ::testing::TestWithParam<TemplateCase> {};

// The template printed through the print command measures true to size: overall length and
// exit diameter within a tenth of a millimetre, rendered back at 600 dpi.
TEST_P(TemplatePdf, ContourIsFullSize) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    const TemplateCase& c = GetParam();
    QTemporaryDir dir;
    DesignState state = exampleDesign(c.rc, c.qc);
    ASSERT_TRUE(state.InRange);
    const std::string pdf = dir.filePath("t.pdf").toStdString();
    FailOnReport noReports;
    QtSheetOutput output(state, dir.path().toStdString(), '.', noReports);
    std::string why;
    ASSERT_TRUE(output.printPdf(pdf, OutputMode::Template, why)) << why;

    // The template's contour is a 0.2 mm stroke.
    const TemplateSize t = measureTemplate(pdf, 0.2);
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
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
