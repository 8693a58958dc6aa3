// The main window on a small screen: captions and numbers shrink to fit their rows, never clip,
// each group in one size.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>

#include "characteristics_window.h"
#include "example_design.h"
#include "form1.h"
#include "layout.h"
#include "test_platform.h"
#include "text_fit.h"

namespace tavro {
namespace {

// Every caption and every number is read whole on an 800 x 600 screen, measured with the font
// each one is shown in.
TEST(SmallScreen, EveryCaptionAndResultFits) {
    const QSize screen = QGuiApplication::primaryScreen()->size();
    ASSERT_EQ(screen, QSize(800, 600));
    QTemporaryDir dir;
    const QString design = dir.filePath("example.dat");
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVRO_DOCS_GOLDEN "/worked_example.dat"), design));
    QFile last(dir.filePath("last.srd"));
    ASSERT_TRUE(last.open(QIODevice::WriteOnly));
    last.write("\"" + design.toUtf8() + "\"\r\n");
    last.close();
    DesignState state;
    Form1 form(state, dir.path().toStdString(), '.');
    form.Form_Load();
    ASSERT_EQ(form.field(kRowPa)->text(), "0.1013");
    for (int r = 0; r < kRowCount; ++r) {
        const QLabel* caption = form.label(r);
        EXPECT_LE(QFontMetricsF(caption->font()).horizontalAdvance(caption->text()),
                  caption->width())
            << r;
        const QLineEdit* f = form.field(r);
        if (r == kRowTitle || r == kRowNote || f->isHidden()) continue;
        EXPECT_LE(QFontMetricsF(f->font()).horizontalAdvance(f->text()),
                  lineEditTextBox(*f, f->size()).width())
            << r;
    }
    // The rows were too small for some captions: all of them are smaller, by the same size, the
    // largest at which the longest fits; the results share one size too.
    const double caption = form.label(kRowLLa)->font().pointSizeF();
    EXPECT_LT(caption, 9.75);
    for (int r = kRowInputHeading; r < kRowCount; ++r)
        EXPECT_EQ(form.label(r)->font().pointSizeF(), caption) << r;
    QFont larger = form.label(kRowLLa)->font();
    larger.setPointSizeF(caption + 0.25);
    bool oneWouldNotFit = false;
    for (int r = kRowInputHeading; r < kRowCount; ++r) {
        larger.setBold(form.label(r)->font().bold());
        oneWouldNotFit =
            oneWouldNotFit ||
            fittingFont(larger, form.label(r)->text(), form.label(r)->size()).pointSizeF() <
                larger.pointSizeF();
    }
    EXPECT_TRUE(oneWouldNotFit) << "a larger common size would have fitted";
    for (int r = kRowFFa; r <= kRowLn; ++r)
        EXPECT_EQ(form.field(r)->font().pointSizeF(), form.field(kRowPa)->font().pointSizeF()) << r;
}

// The characteristics window fits the small screen with every caption and figure whole.
TEST(SmallScreen, CharacteristicsWindowFits) {
    DesignState state = test::computedExample();
    Form1 form(state, QDir::tempPath().toStdString(), '.');
    form.action(&MenuCommands::characteristics)->trigger();
    auto* w = static_cast<CharacteristicsWindow*>(form.characteristics());
    ASSERT_NE(w, nullptr);
    w->showDesign(state);
    QCoreApplication::processEvents();
    EXPECT_LE(w->frameGeometry().width(), 800);
    EXPECT_LE(w->frameGeometry().height(), 600);
    int labels = 0;
    for (const QLabel* l : w->findChildren<QLabel*>()) {
        if (l->wordWrap() || l->text().isEmpty()) continue;
        EXPECT_LE(QFontMetricsF(l->font()).horizontalAdvance(l->text()), l->width())
            << l->text().toStdString();
        ++labels;
    }
    EXPECT_EQ(labels, 18);  // nine captions, nine figures
}

// On 1280 x 1024 and larger screens every caption keeps the size it is meant to have.
TEST(SmallScreen, LargeScreensChangeNothing) {
    QFont regular(QStringLiteral("Arial"));
    regular.setPointSizeF(9.75);
    const int menu = QMenuBar().sizeHint().height();
    for (const QSize screen : {QSize(1280, 1024), QSize(1920, 1080), QSize(2560, 1440)}) {
        const WindowLayout L = computeLayout(screen.width(), screen.height(), menu);
        for (int r = kRowRkr; r <= kRowLn; ++r) {
            QFont f = regular;
            f.setBold(r == kRowOptionHeading || r == kRowResultHeading);
            const PixelRect& b = L.captions[static_cast<size_t>(r)];
            const QString text = QString::fromUtf8(startupCaptions()[static_cast<size_t>(r)]);
            EXPECT_EQ(fittingFont(f, text, QSize(b.width, b.height)).pointSizeF(), 9.75)
                << screen.width() << " " << r;
        }
    }
}

}  // namespace
}  // namespace tavro

int main(int argc, char** argv) {
    tavro::test::useTestPlatform();
    // One 800 x 600 screen at 96 dpi.
    setenv("QT_QPA_PLATFORM", "offscreen:configfile=" TAVRO_SMALL_SCREEN_CONFIG, 1);
    tavro::substituteFonts();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
