// The printer's services come from their module: the preview is the module's, and without a
// loadable module every print command says why, writes nothing and the program goes on.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <cstdint>
#include <functional>

#include "document_commands.h"
#include "fakes.h"
#include "inputs.h"
#include "output_support.h"
#include "print_module.h"
#include "sheet_output.h"

namespace tavro::test {
namespace {

// Closes the preview dialog that is shown; false when none is.
bool closePreview() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
        if (!dialog || !dialog->isVisible()) continue;
        dialog->reject();
        return true;
    }
    return false;
}

TEST(PrintModule, WithoutItTheCommandsSayWhyAndWriteNothing) {
    QTemporaryDir folder;
    const QString module = folder.filePath(QStringLiteral("libtavroprint.so"));
    const struct {
        const char* name;
        std::function<void()> prepare;
        std::string why;
    } cases[] = {
        {"missing", [] {},
         "нет библиотечного файла libtavroprint.so в " + folder.path().toStdString()},
        {"not a library",
         [&module] {
             QFile f(module);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("not a library");
         },
         "модуль " + module.toStdString() + " не загружается: "},
        {"another library",
         [&module] {
             QFile::remove(module);
             ASSERT_TRUE(QFile::copy(QStringLiteral(TAVRO_OTHER_MODULE), module));
         },
         "в модуле " + module.toStdString() + " нет служб печати"},
    };
    QTemporaryDir dir;
    DesignState state = exampleDesign();
    FakeView view;
    ScriptedPrompts prompts;
    QtSheetOutput output(state, dir.path().toStdString(), '.', prompts);
    DocumentCommands commands(state, view, prompts, &output, dir.path().toStdString(), '.');
    const std::string pdf = dir.filePath(QStringLiteral("p.pdf")).toStdString();
    for (const auto& c : cases) {
        c.prepare();
        searchPrintModuleIn(folder.path().toStdString());
        std::string why;
        EXPECT_FALSE(output.canPrint(why)) << c.name;
        EXPECT_EQ(why.rfind(c.why, 0), 0u) << c.name << ": " << why;
        for (const bool tmpl : {false, true}) {
            prompts.boxes.clear();
            prompts.answers = {Answer::Ok};
            tmpl ? commands.mnuFilePrintTemp_Click() : commands.mnuFilePrintDraw_Click();
            ASSERT_EQ(prompts.boxes.size(), 1u) << c.name;
            EXPECT_EQ(prompts.boxes[0].title, "Печать") << c.name;
            EXPECT_EQ(prompts.boxes[0].text.rfind("Печать недоступна.\r\nПричина: " + c.why, 0), 0u)
                << c.name << ": " << prompts.boxes[0].text;
        }
        // Called past the commands, every service fails softly.
        EXPECT_FALSE(output.hasPrinter()) << c.name;
        EXPECT_EQ(output.templatePages(), 0) << c.name;
        EXPECT_FALSE(output.previewPages(OutputMode::Drawing)) << c.name;
        output.printSheet(OutputMode::Drawing);
        EXPECT_FALSE(output.printPdf(pdf, OutputMode::Drawing, why)) << c.name;
        EXPECT_EQ(why.rfind(c.why, 0), 0u) << c.name << ": " << why;
        searchPrintModuleIn("");
    }
    EXPECT_TRUE(prompts.dialogs.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});

    // In its usual place the module is found again and the preview comes from it.
    std::string why;
    EXPECT_TRUE(output.canPrint(why)) << why;
    const PrintServices* services = printServices(why);
    ASSERT_NE(services, nullptr) << why;
    Dl_info maker{};
    ASSERT_NE(
        dladdr(reinterpret_cast<void*>(reinterpret_cast<uintptr_t>(services->preview)), &maker), 0);
    EXPECT_TRUE(QString::fromUtf8(maker.dli_fname).endsWith(QStringLiteral("/libtavroprint.so")))
        << maker.dli_fname;
    bool shown = false;
    QTimer::singleShot(50, [&shown] { shown = closePreview(); });
    EXPECT_FALSE(output.previewPages(OutputMode::Drawing));
    EXPECT_TRUE(shown);
    EXPECT_GT(output.templatePages(), 0);
}

}  // namespace
}  // namespace tavro::test
