// The program as a desktop program: where its file dialogs open and which names they give back,
// and its pictures: the icon, and the style's pictures it reads only when they are drawn.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "desktop.h"
#include "document_commands.h"
#include "program_style.h"
#include "qt_prompts.h"

namespace tavro {
namespace {

// The menu bar's overflow icon, read late, is the platform style's own picture at every size; the
// other pictures are the style's own; the program's icon is drawn from its SVG picture.
TEST(Pictures, AreTheStylesOwnAndTheIconIsDrawn) {
    ProgramStyle program;
    const QStyle* plain = program.baseStyle();
    for (const auto icon : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_DialogOkButton,
                            QStyle::SP_MessageBoxWarning}) {
        const QIcon ours = program.standardIcon(icon);
        const QIcon theirs = plain->standardIcon(icon);
        EXPECT_EQ(ours.isNull(), theirs.isNull()) << icon;
        for (const int side : {8, 16, 32}) {
            EXPECT_EQ(ours.actualSize(QSize(side, side)), theirs.actualSize(QSize(side, side)));
            EXPECT_EQ(ours.pixmap(side).toImage(), theirs.pixmap(side).toImage())
                << icon << " at " << side;
        }
    }
    const QImage drawn = programIconPixmap(48).toImage();
    ASSERT_EQ(drawn.size(), QSize(48, 48));
    // Not blank: the nozzle's dark ink and the transparent field around it.
    int ink = 0, clear = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const QColor c = drawn.pixelColor(x, y);
            if (c.alpha() == 0) ++clear;
            if (c.alpha() == 255 && c.lightness() < 128) ++ink;
        }
    EXPECT_GT(ink, 100);
    EXPECT_GT(clear, 100);
}

TEST(FileDialogs, OpenInTheDocumentsFolderOrAtHomeWithTheTypesSuffix) {
    const struct {
        const char* initial;
        const char* suffix;
        const char* start;
    } cases[] = {
        {"", "dat", "/home/u"},
        {"/home/u/n/test.dat", "", "/home/u/n/test.dat"},
        {"/home/u/n/test.dat", "dat", "/home/u/n/test.dat"},
        {"/home/u/n/test", "bmp", "/home/u/n/test.bmp"},
        {"/home/u/n/test", "jpg", "/home/u/n/test.jpg"},
        {"/home/u/rev1.2/test", "jpg", "/home/u/rev1.2/test.jpg"},
        {"/opt/t/bin/MyRocket", "bmp", "/home/u/MyRocket.bmp"},
        {"/opt/t/bin/MyRocket", "jpg", "/home/u/MyRocket.jpg"},
        // A relative name lies in the program's folder, whatever the working folder.
        {"MyRocket", "bmp", "/home/u/MyRocket.bmp"},
        {"sub/test.dat", "", "/opt/t/bin/sub/test.dat"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dialogStart(c.initial, c.suffix, "/opt/t/bin", "/home/u"), c.start) << c.initial;
    }
    EXPECT_EQ(filterSuffix(kDataFilter), "dat");
    EXPECT_EQ(filterSuffix(kBmpFilter), "bmp");
    EXPECT_EQ(filterSuffix(kJpegFilter), "jpg");
    EXPECT_EQ(filterSuffix("PDF (*.pdf)"), "pdf");
}

// The real dialog: a name typed without a suffix gets the type's, one typed with a suffix stays.
TEST(FileDialogs, TypedNamesKeepTheirSuffixOrGetTheTypes) {
    QTemporaryDir dir;
    QWidget parent;
    QtPrompts prompts(&parent);
    const struct {
        const char* typed;
        const char* filter;
        const char* chosen;
    } cases[] = {
        {"nozzle", kBmpFilter, "nozzle.bmp"},
        {"nozzle", kJpegFilter, "nozzle.jpg"},
        {"nozzle", kDataFilter, "nozzle.dat"},
        {"nozzle.txt", kDataFilter, "nozzle.txt"},
    };
    for (const auto& c : cases) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(QString::fromUtf8(c.typed));
            QTest::keyClick(name, Qt::Key_Return);
        });
        std::string chosen;
        ASSERT_TRUE(prompts.saveFileName(c.filter, dir.filePath("start").toStdString(), chosen));
        EXPECT_EQ(chosen, dir.filePath(c.chosen).toStdString()) << c.typed;
    }
}

}  // namespace
}  // namespace tavro
