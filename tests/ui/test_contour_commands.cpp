// "экспорт контура" on real files, with the user's answers scripted.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "contour.h"
#include "document_commands.h"
#include "fakes.h"
#include "faults.h"
#include "main_logic.h"
#include "rebuilder.h"
#include "workshop_formats.h"

// Open CASCADE keeps its translators' registries for the life of the process; the leak checker
// would report them after every test that wrote STEP.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libTKernel.so\nleak:libTKXSBase.so\nleak:libTKSTEP.so\nleak:libTKSTEPBase.so\n";
}

namespace tavro {
namespace {

QByteArray readAll(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ContourCommands : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    DesignState state;
    FakeView view;
    ScriptedPrompts prompts;
    MainLogic logic{state, view, prompts, ','};
    DocumentCommands commands{state, view, prompts, nullptr, dir.path().toStdString(), ','};

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        view.onEnter = [this](int row) { logic.Text1_GotFocus(row); };
        view.onLeave = [this](int row) { logic.Text1_LostFocus(row); };
        logic.Form_Load({});
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

    // Types a design into rows 2 to 6, 8 and 9 and computes it.
    void compute(std::vector<const char*> texts) {
        view.focusField(kRowRkr);
        for (const char* t : texts) {
            view.type(t);
            logic.Form_KeyDown(kKeyEnter);
        }
        logic.Command1_Click();
    }
};

// Every row of the formats' table: its dialog, its suffix, its writer's bytes on disk.
TEST_F(ContourCommands, EachFileIsNamedAfterTheDocumentAndConfirmed) {
    compute({"10", "10", "1.24", "5", "0", "30", "45"});
    state.DocumentPath = path("nozzle.dat");
    const auto contour = contourOf(state);
    ASSERT_TRUE(contour);
    int confirmations = 0;
    std::vector<std::string> suffixes;
    for (const WorkshopFormat& f : workshopFormats()) {
        const std::string target = path("out") + f.suffix;
        prompts.paths = {target};
        commands.exportContour(f);
        EXPECT_EQ(prompts.dialogs.back().initial, path("nozzle") + f.suffix);
        EXPECT_EQ(prompts.dialogs.back().filter, f.filter);
        const QByteArray written = readAll(target);
        const std::string made = f.write(*contour, {state, 1, ','});
        // A STEP file's header carries the time it was made.
        if (std::string(f.suffix) == ".stp") {
            EXPECT_TRUE(written.startsWith("ISO-10303-21;"));
        } else {
            EXPECT_EQ(written, QByteArray::fromStdString(made)) << f.suffix;
        }
        EXPECT_EQ(prompts.confirmations, ++confirmations);
        suffixes.push_back(f.suffix);
    }
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_TRUE(readAll(path("out.csv")).contains("\r\n1,000;75,634;29,000;58,000;конфузор\r\n"));
    std::vector<std::string> expected = {".dxf", ".svg", ".stl", ".stp", ".csv"};
    if (!writesStep()) expected.erase(expected.begin() + 3);
    EXPECT_EQ(suffixes, expected);
}

TEST_F(ContourCommands, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    compute({"10", "10", "1.24", "5", "0", "30", "45"});
    QFile old(QString::fromStdString(path("old.dxf")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    prompts.paths = {path("old.dxf")};
    prompts.answers = {Answer::Cancel};
    commands.exportContour(workshopFormats().front());
    EXPECT_EQ(prompts.boxes.back().text, "Файл с таким именем уже существует.\r\nПереписать?");
    EXPECT_EQ(readAll(path("old.dxf")), QByteArray("old"));
    EXPECT_EQ(prompts.confirmations, 0);

    prompts.paths = {path("old.dxf")};
    prompts.answers = {Answer::Yes};
    commands.exportContour(workshopFormats().front());
    EXPECT_TRUE(readAll(path("old.dxf")).contains("AC1009"));
    EXPECT_EQ(prompts.confirmations, 1);
}

TEST_F(ContourCommands, NothingToExportAsksNoNameAndAFailedWriteIsReported) {
    prompts.answers = {Answer::Ok};
    commands.exportContour(workshopFormats().front());
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].title, "Экспорт контура");
    EXPECT_TRUE(prompts.dialogs.empty());

    prompts.answers = {Answer::Ok};
    compute({"10", "12", "1.24", "5", "0", "", ""});
    ASSERT_FALSE(state.InRange);
    prompts.boxes.clear();
    prompts.answers = {Answer::Ok};
    commands.exportContour(workshopFormats()[2]);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].title, "Нерасчетный режим");
    EXPECT_TRUE(prompts.dialogs.empty());

    compute({"10", "10", "1.24", "5", "0", "30", "45"});
    ASSERT_TRUE(state.InRange);
    prompts.paths = {"/dev/full"};
    prompts.answers = {Answer::Yes, Answer::Ok};  // replace it, then the failure
    commands.exportContour(workshopFormats().back());
    EXPECT_EQ(prompts.boxes.back().title, "Ошибка сохранения");
    EXPECT_EQ(prompts.boxes.back().text.rfind("Сохранение не удалось: /dev/full\r\n", 0), 0u);
    EXPECT_EQ(prompts.confirmations, 0);
}

}  // namespace
}  // namespace tavro
