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
#include "workshop_files.h"

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

TEST_F(ContourCommands, EachFileIsNamedAfterTheDocumentAndConfirmed) {
    compute({"10", "10", "1.24", "5", "0", "30", "45"});
    state.DocumentPath = path("nozzle.dat");
    const auto contour = contourOf(state);
    ASSERT_TRUE(contour);
    const std::vector<std::uint8_t> stl = contourStl(*contour);
    const struct {
        void (DocumentCommands::*command)();
        const char* suffix;
        const char* filter;
        QByteArray bytes;
    } files[] = {
        {&DocumentCommands::mnuFileContourDxf_Click, ".dxf", "DXF drawings (*.dxf) | *.dxf",
         QByteArray::fromStdString(contourDxf(*contour))},
        {&DocumentCommands::mnuFileContourSvg_Click, ".svg", "SVG pictures (*.svg) | *.svg",
         QByteArray::fromStdString(contourSvg(*contour, state.Title))},
        {&DocumentCommands::mnuFileContourStl_Click, ".stl", "STL solids (*.stl) | *.stl",
         QByteArray(reinterpret_cast<const char*>(stl.data()), static_cast<qsizetype>(stl.size()))},
        {&DocumentCommands::mnuFileContourTable_Click, ".csv", "CSV tables (*.csv) | *.csv",
         QByteArray::fromStdString(stationTable(*contour, 1, ','))},
    };
    int confirmations = 0;
    for (const auto& f : files) {
        const std::string target = path("out") + f.suffix;
        prompts.paths = {target};
        (commands.*f.command)();
        EXPECT_EQ(prompts.dialogs.back().initial, path("nozzle") + f.suffix);
        EXPECT_EQ(prompts.dialogs.back().filter, f.filter);
        EXPECT_EQ(readAll(target), f.bytes) << f.suffix;
        EXPECT_EQ(prompts.confirmations, ++confirmations);
    }
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_TRUE(readAll(path("out.csv")).contains("\r\n1,000;75,634;29,000;58,000;конфузор\r\n"));
}

TEST_F(ContourCommands, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    compute({"10", "10", "1.24", "5", "0", "30", "45"});
    QFile old(QString::fromStdString(path("old.dxf")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    prompts.paths = {path("old.dxf")};
    prompts.answers = {Answer::Cancel};
    commands.mnuFileContourDxf_Click();
    EXPECT_EQ(prompts.boxes.back().text, "Файл с таким именем уже существует.\r\nПереписать?");
    EXPECT_EQ(readAll(path("old.dxf")), QByteArray("old"));
    EXPECT_EQ(prompts.confirmations, 0);

    prompts.paths = {path("old.dxf")};
    prompts.answers = {Answer::Yes};
    commands.mnuFileContourDxf_Click();
    EXPECT_TRUE(readAll(path("old.dxf")).contains("AC1009"));
    EXPECT_EQ(prompts.confirmations, 1);
}

TEST_F(ContourCommands, NothingToExportAsksNoNameAndAFailedWriteIsReported) {
    prompts.answers = {Answer::Ok};
    commands.mnuFileContourDxf_Click();
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].title, "Экспорт контура");
    EXPECT_TRUE(prompts.dialogs.empty());

    prompts.answers = {Answer::Ok};
    compute({"10", "12", "1.24", "5", "0", "", ""});
    ASSERT_FALSE(state.InRange);
    prompts.boxes.clear();
    prompts.answers = {Answer::Ok};
    commands.mnuFileContourStl_Click();
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].title, "Нерасчетный режим");
    EXPECT_TRUE(prompts.dialogs.empty());

    compute({"10", "10", "1.24", "5", "0", "30", "45"});
    ASSERT_TRUE(state.InRange);
    prompts.paths = {"/dev/full"};
    prompts.answers = {Answer::Yes, Answer::Ok};  // replace it, then the failure
    commands.mnuFileContourTable_Click();
    EXPECT_EQ(prompts.boxes.back().title, "Ошибка сохранения");
    EXPECT_EQ(prompts.boxes.back().text.rfind("Сохранение не удалось: /dev/full\r\n", 0), 0u);
    EXPECT_EQ(prompts.confirmations, 0);
}

}  // namespace
}  // namespace tavro
