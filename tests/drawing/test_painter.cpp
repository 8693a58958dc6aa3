// The QPainter back end on the window's sheet image and on a PDF page, measured in pixels.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "drawing_support.h"
#include "faults.h"
#include "page_pixels.h"
#include "painter_target.h"

// fontconfig keeps its configuration caches for the life of the process; the leak checker
// would report them after every test.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace tavro::test {
namespace {

class GuiEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_painter";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) app_ = new QGuiApplication(argc, argv);
    }

  private:
    static inline QGuiApplication* app_ = nullptr;
};
[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

bool isWhite(QRgb c) {
    return qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240;
}

void setA4(QPdfWriter& writer, int dpi) {
    writer.setResolution(dpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

// Draws the cone example on a sheet image as the window does; returns the design.
DesignState drawOnSheet(QImage& image) {
    DesignState s = computedDesign({}, "30", "45");
    PainterTarget sheet(image);
    FailOnReport noReports;
    EXPECT_EQ(Rebuilder(sheet, s, OutputMode::Window, '.', noReports), RebuildOutcome::Drawn);
    return s;
}

// The axis is dash-dot above the throat and the diffuser dimension line solid below it.
TEST(Sheet, AxisPatterns) {
    QImage image(700, 1000, QImage::Format_RGB32);
    image.fill(Qt::black);
    const DesignState s = drawOnSheet(image);
    EXPECT_TRUE(isWhite(image.pixel(5, 5))) << "the sheet was cleared to white";
    const int x = static_cast<int>(s.AxisX);
    const double scale = FitScale(s.Ln, s.Ra, s.Rc, 1000, 700);
    const int top = static_cast<int>(0.75 * s.EntryY) + 2;
    const int throat = static_cast<int>(s.EntryY + scale * (s.Ln - s.La));
    const int exit = static_cast<int>(s.EntryY + scale * s.Ln);
    int inked = 0, blank = 0;
    for (int y = top; y < throat - 30; ++y) (isWhite(image.pixel(x, y)) ? blank : inked)++;
    EXPECT_GT(inked, blank) << "dashes are longer than the gaps";
    EXPECT_GT(blank, (throat - top) / 6) << "but there are gaps";
    int gaps = 0;
    for (int y = throat + 12; y < exit - 12; ++y) gaps += isWhite(image.pixel(x, y));
    EXPECT_EQ(gaps, 0);
    // The contour is black two pixels wide where the exit lip is.
    const int lip = static_cast<int>(s.AxisX + scale * s.Ra);
    EXPECT_EQ(image.pixel(lip - 1, exit - 1) & 0xffffff, 0u);
}

// On an image with a device pixel ratio of 2 the same drawing lands on twice the pixels.
TEST(Sheet, HighDpiImageKeepsTheLayout) {
    QImage image(1400, 2000, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    PainterTarget sheet(image);
    EXPECT_FLOAT_EQ(sheet.scaleWidth(), 700);
    EXPECT_FLOAT_EQ(sheet.scaleHeight(), 1000);
    sheet.setBackColor(kWhite);
    sheet.setDrawWidth(1);
    sheet.line(100, 300, 200, 300, kGrey, false);
    sheet.release();
    EXPECT_FALSE(isWhite(image.pixel(300, 600)));
    EXPECT_TRUE(isWhite(image.pixel(300, 300)));
}

TEST(Sheet, BlankPromptOnTheButtonFace) {
    QImage image(700, 1000, QImage::Format_RGB32);
    DesignState s;
    s.InRange = true;
    PainterTarget sheet(image);
    FailOnReport noReports;
    EXPECT_EQ(Rebuilder(sheet, s, Output(OutputMode::Window, Rgb{200, 100, 50}), '.', noReports),
              RebuildOutcome::Blank);
    sheet.release();
    EXPECT_EQ(image.pixel(3, 3), qRgb(200, 100, 50));
    bool text = false;
    for (int x = 0; x < 700; ++x) text = text || image.pixel(x, 506) != qRgb(200, 100, 50);
    EXPECT_TRUE(text) << "the prompt's first line of text starts at mid-height";
}

// Printed text keeps its point size under the millimetre mapping.
TEST(Page, TextHeightInPoints) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("text.pdf");
    const double points[] = {10, 36};
    for (double pt : points) {
        float measuredHeight = 0;
        {
            QPdfWriter writer(pdf);
            setA4(writer, 600);
            PainterTarget page(writer, {});
            page.setScaleMode(kScaleMillimetres);
            page.setFontSize(pt);
            page.setCurrentX(50);
            page.setCurrentY(50);
            page.print("L");
            measuredHeight = page.textHeight("L");
            page.endDoc();
        }
        constexpr int dpi = 300;
        const GreyPage grey = renderPdf(pdf.toStdString(), dpi);
        ASSERT_GT(grey.width, 0);
        const Extent e = darkExtent(grey, 0, 0, grey.width, grey.height);
        ASSERT_FALSE(e.empty());
        QImage probe(10, 10, QImage::Format_RGB32);
        probe.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
        probe.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
        QFont f(QStringLiteral("Liberation Sans"));
        f.setHintingPreference(QFont::PreferNoHinting);
        f.setPointSizeF(pt);
        const QFontMetricsF fm(f, &probe);
        EXPECT_NEAR(e.bottom - e.top + 1, fm.capHeight(), 2.0) << pt;
        EXPECT_NEAR(e.top, 50 / 25.4 * dpi + fm.ascent() - fm.capHeight(), 2.0) << pt;
        // Line spacing as measured for the page, within the 1 % by which font engines round it.
        EXPECT_NEAR(measuredHeight, fm.height() * 25.4 / dpi, 0.02 * measuredHeight) << pt;
    }
}

// A printed call that stops early never leaves a half-open job: the page is aborted. An
// off-design stop does not even begin one.
TEST(Page, EarlyStopAbortsThePrintJob) {
    struct Case {
        bool inRange;
        float ln;
        RebuildOutcome outcome;
        bool started;
        int aborts;
    };
    const Case cases[] = {
        {true, 0, RebuildOutcome::Failed, true, 1},
        {false, 0, RebuildOutcome::OffDesign, false, 0},
        {true, -1, RebuildOutcome::Drawn, true, 0},  // -1: keep the computed length
    };
    for (const Case& c : cases) {
        RecordingReporter reporter;
        DesignState s = computedDesign({}, "30", "45");
        s.InRange = c.inRange;
        if (c.ln >= 0) s.Ln = c.ln;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        int aborts = 0;
        {
            QPdfWriter writer(&buffer);
            setA4(writer, 600);
            PainterTarget page(writer, [&aborts] { ++aborts; });
            EXPECT_EQ(Rebuilder(page, s, OutputMode::Drawing, '.', reporter), c.outcome);
            EXPECT_EQ(page.started(), c.started);
            EXPECT_EQ(page.finished(), c.outcome == RebuildOutcome::Drawn);
        }
        EXPECT_EQ(aborts, c.aborts);
        EXPECT_EQ(reporter.offDesign, c.inRange ? 0 : 1);
        EXPECT_EQ(reporter.errors.empty(), c.outcome != RebuildOutcome::Failed);
    }
}

}  // namespace
}  // namespace tavro::test
