// The program as a desktop program: where its file dialogs open and which names they give back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "document_commands.h"
#include "qt_prompts.h"

namespace tavro {
namespace {

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
