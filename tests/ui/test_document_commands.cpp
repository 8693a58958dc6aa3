// The File and Edit commands on real files, with the user's answers scripted.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "document_commands.h"
#include "fakes.h"
#include "faults.h"
#include "inputs.h"
#include "last_state.h"
#include "main_logic.h"
#include "params_file.h"

namespace tavro {
namespace {

QByteArray readAll(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const std::string& path, const QByteArray& bytes) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class FakeOutput : public SheetOutput {
  public:
    ExportResult saveSheetBmp(const std::string& path, std::string& why) override {
        written.push_back("bmp " + path);
        why = reason;
        return result;
    }
    ExportResult saveSheetJpeg(const std::string& path, std::string& why) override {
        written.push_back("jpeg " + path);
        why = reason;
        return result;
    }
    bool canPrint(std::string& why) override {
        why = unavailable;
        return unavailable.empty();
    }
    bool hasPrinter() override { return printer; }
    int templatePages() override {
        ++counted;
        return shape == TemplateShape::Half ? halfPages : pages;
    }
    void setTemplateShape(TemplateShape s) override { shape = s; }
    bool previewPages(OutputMode mode) override {
        written.push_back("preview " + name(mode));
        return printAfterPreview;
    }
    void printSheet(OutputMode mode) override { written.push_back(name(mode)); }
    bool printPdf(const std::string& path, OutputMode mode, std::string& why) override {
        written.push_back(name(mode) + " pdf " + path);
        why = reason;
        return result == ExportResult::Written;
    }
    ExportResult result = ExportResult::Written;
    std::string reason;
    std::string unavailable;  // why the printer services cannot be had; "" when they can
    bool printer = true;
    int counted = 0;  // templatePages calls
    int pages = 1;
    int halfPages = 1;
    TemplateShape shape = TemplateShape::Whole;
    bool printAfterPreview = true;
    std::vector<std::string> written;

  private:
    static std::string name(OutputMode mode) {
        return mode == OutputMode::Template ? "template" : "drawing";
    }
};

class Commands : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    DesignState state;
    FakeView view;
    ScriptedPrompts prompts;
    FakeOutput output;
    MainLogic logic{state, view, prompts, '.'};
    DocumentCommands commands{state, view, prompts, &output, appDir(), '.'};

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        view.onEnter = [this](int row) { logic.Text1_GotFocus(row); };
        view.onLeave = [this](int row) { logic.Text1_LostFocus(row); };
        start();
    }

    std::string appDir() const { return dir.path().toStdString(); }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    std::string lastState() const { return readAll(lastStatePath(appDir())).toStdString(); }

    void start() {
        MainLogic::Documents docs;
        docs.readLastState = [this] { return ReadLastState(appDir()); };
        docs.loadParams = [this](const std::string& p) { return LoadParams(p, state, view); };
        logic.Form_Load(docs);
        logic.Form_Activate();
    }
    // Types the example design into the fields, leaving each with Enter.
    void typeExample() {
        view.focusField(kRowTitle);
        for (const char* t : {"Опыт", "10", "10", "1.24", "5", "0", "30", "45"}) {
            view.type(t);
            logic.Form_KeyDown(kKeyEnter);
        }
    }
    void saveAs(const std::string& target) {
        prompts.paths.push_back(target);
        commands.mnuFileSaveAs_Click();
    }
};

TEST_F(Commands, SaveAsWritesTheFileAndMarksTheDesignSaved) {
    typeExample();
    ASSERT_TRUE(state.Modified);
    saveAs(path("a.dat"));
    const QByteArray bytes = readAll(path("a.dat"));
    EXPECT_TRUE(bytes.startsWith("\"\xD1\xCE\xCF\xCB\xCE\",\"\xCE\xEF\xFB\xF2\"\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 22);
    EXPECT_FALSE(state.Modified);
    EXPECT_FALSE(view.bold);
    EXPECT_FALSE(view.menus[MenuItem::FileSave]);
    EXPECT_FALSE(view.menus[MenuItem::EditRestore]);
    EXPECT_EQ(view.windowCaption, "Tavro-nozzle          " + path("a.dat"));
    EXPECT_EQ(prompts.confirmations, 1);
    EXPECT_EQ(prompts.dialogs.at(0).filter, "Data files (*.dat) | *.dat");
    EXPECT_EQ(prompts.dialogs.at(0).initial, "");
}

TEST_F(Commands, SaveAsOverAnExistingFileAsksAndNoOffersTheNameAgain) {
    writeAll(path("old.dat"), "old");
    typeExample();
    prompts.paths = {path("old.dat"), path("old.dat")};
    prompts.answers = {Answer::No, Answer::Yes};
    commands.mnuFileSaveAs_Click();
    ASSERT_EQ(prompts.boxes.size(), 2u);
    EXPECT_EQ(prompts.boxes[0].text, "Файл с таким именем уже существует.\r\nПереписать?");
    EXPECT_EQ(prompts.boxes[0].title, "Контроль сохранения");
    EXPECT_EQ(prompts.boxes[0].icon, Icon::Exclamation);
    EXPECT_EQ(prompts.boxes[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(prompts.dialogs.at(1).initial, path("old.dat"));
    EXPECT_NE(readAll(path("old.dat")), QByteArray("old"));

    // Cancel at the question writes nothing and changes nothing.
    view.focusField(kRowNote);
    view.type("x");
    logic.Form_KeyDown(kKeyEnter);
    const QByteArray before = readAll(path("old.dat"));
    prompts.paths = {path("old.dat")};
    prompts.answers = {Answer::Cancel};
    commands.mnuFileSaveAs_Click();
    EXPECT_EQ(readAll(path("old.dat")), before);
    EXPECT_TRUE(state.Modified);
}

TEST_F(Commands, SaveWithoutAPathAsksBeforeReplacingAFile) {
    writeAll(path("b.dat"), "previous");
    typeExample();
    prompts.paths = {path("b.dat"), path("b.dat")};
    prompts.answers = {Answer::No, Answer::Yes};  // "Переписать?": No asks the name again
    commands.mnuFileSave_Click();
    ASSERT_EQ(prompts.boxes.size(), 2u);
    EXPECT_EQ(prompts.boxes[0].title, "Контроль сохранения");
    EXPECT_EQ(prompts.dialogs.at(0).initial, "");
    EXPECT_EQ(prompts.dialogs.at(1).initial, path("b.dat"));
    EXPECT_EQ(state.DocumentPath, path("b.dat"));
    EXPECT_EQ(readAll(path("b.dat")).count("\r\n"), 22);

    // With a path, Save asks nothing at all.
    view.focusField(kRowNote);
    view.type("заметка");
    logic.Form_KeyDown(kKeyEnter);
    commands.mnuFileSave_Click();
    EXPECT_EQ(prompts.dialogs.size(), 2u);
    EXPECT_TRUE(readAll(path("b.dat")).contains("\"\xE7\xE0\xEC\xE5\xF2\xEA\xE0\""));
    EXPECT_EQ(prompts.confirmations, 2);

    // Cancel at the question writes nothing.
    writeAll(path("c.dat"), "previous");
    commands.mnuEditCls_Click();
    view.focusField(kRowRkr);
    view.type("5");
    logic.Form_KeyDown(kKeyEnter);
    state.DocumentPath.clear();
    prompts.paths = {path("c.dat")};
    prompts.answers = {Answer::Cancel};
    commands.mnuFileSave_Click();
    EXPECT_EQ(readAll(path("c.dat")), "previous");
    EXPECT_TRUE(state.Modified);
}

TEST_F(Commands, CancelledSaveStillTakesTheTextsForRestore) {
    typeExample();
    prompts.paths = {""};
    commands.mnuFileSave_Click();
    EXPECT_TRUE(state.Modified);
    EXPECT_EQ(state.SavedFields[kRowRkr].text, "10");

    view.setText(kRowRkr, "99");  // replaced without leaving the field
    prompts.answers = {Answer::Yes};
    commands.mnuEditRestore_Click();
    EXPECT_EQ(prompts.boxes.at(0).text, "Изменения будут утеряны! \r\nПродолжить?");
    EXPECT_EQ(prompts.boxes.at(0).title, "Восстановление последнего сохранения");
    EXPECT_EQ(prompts.boxes.at(0).buttons, Buttons::YesNoDefaultNo);  // Enter keeps the edits
    EXPECT_EQ(view.text(kRowRkr), "10");
    EXPECT_EQ(view.text(kRowLn), "76.63");
    EXPECT_FALSE(state.Modified);
}

TEST_F(Commands, FailedSavesNameTheFileAndTheReasonAndKeepTheOldFile) {
    typeExample();
    saveAs(path("good.dat"));
    const QByteArray good = readAll(path("good.dat"));
    writeAll(path("plain"), "a regular file");
    view.focusField(kRowNote);
    view.type("changed");
    logic.Form_KeyDown(kKeyEnter);

    const std::pair<std::string, const char*> cases[] = {
        {"/dev/full", "Нет места на устройстве"},
        {path("plain") + "/x.dat", "Часть пути не является каталогом"},
    };
    for (const auto& [target, reason] : cases) {
        prompts.boxes.clear();
        const bool exists = QFile::exists(QString::fromStdString(target));
        prompts.answers = {Answer::Ok};
        if (exists) prompts.answers.push_front(Answer::Yes);  // "Переписать?"
        saveAs(target);
        ASSERT_EQ(prompts.boxes.size(), exists ? 2u : 1u) << target;
        EXPECT_EQ(prompts.boxes.back().text, "Сохранение не удалось: " + target + "\r\n" + reason);
        EXPECT_EQ(prompts.boxes.back().title, "Ошибка сохранения");
        EXPECT_EQ(state.DocumentPath, path("good.dat"));  // the caption's document
        EXPECT_EQ(view.windowCaption, "Tavro-nozzle          " + path("good.dat"));
        EXPECT_TRUE(state.Modified);
    }
    EXPECT_EQ(readAll(path("good.dat")), good);
    EXPECT_EQ(prompts.confirmations, 1);
}

// Open's save step asks for a name when the design never had one; a failed save goes on only
// after "Да", which is not the default.
TEST_F(Commands, OpenSavesANewDesignUnderANameAndALostSaveNeedsConsent) {
    typeExample();
    prompts.answers = {Answer::Yes};
    prompts.paths = {""};  // the name dialog cancelled: nothing is opened
    commands.mnuFileOpen_Click();
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, "Сохранить изменения?");
    EXPECT_EQ(prompts.boxes[0].title, "Данные были изменены");
    EXPECT_EQ(prompts.boxes[0].icon, Icon::None);
    ASSERT_EQ(prompts.dialogs.size(), 1u);
    EXPECT_TRUE(prompts.dialogs[0].save);
    EXPECT_TRUE(state.Modified);

    prompts.boxes.clear();
    prompts.answers = {Answer::Yes, Answer::Yes, Answer::No};
    prompts.paths = {"/dev/full"};
    commands.mnuFileOpen_Click();
    ASSERT_EQ(prompts.boxes.size(), 3u);
    EXPECT_EQ(prompts.boxes[2].text,
              "Сохранение не удалось: /dev/full\r\nНет места на устройстве\r\nПродолжить?");
    EXPECT_EQ(prompts.boxes[2].buttons, Buttons::YesNoDefaultNo);
    EXPECT_EQ(prompts.dialogs.size(), 2u);  // no open dialog after "Нет"
    EXPECT_EQ(state.DocumentPath, "");

    prompts.answers = {Answer::Yes};
    prompts.paths = {path("n.dat"), path("n.dat")};
    commands.mnuFileOpen_Click();
    EXPECT_EQ(readAll(path("n.dat")).count("\r\n"), 22);
    EXPECT_EQ(prompts.confirmations, 1);
    EXPECT_EQ(state.DocumentPath, path("n.dat"));
    EXPECT_FALSE(prompts.dialogs.back().save);
}

// A file that holds no design is refused: the design, the document and what Restore brings
// back stay as they were.
TEST_F(Commands, OpenRefusesAFileThatHoldsNoDesign) {
    typeExample();
    saveAs(path("c.dat"));
    writeAll(path("short.dat"), "\"\xD1\xCE\xCF\xCB\xCE\",\"x\"\r\n");
    QByteArray binary = readAll(path("c.dat"));
    binary[5] = '\0';
    writeAll(path("binary.dat"), binary);
    for (const char* name : {"short.dat", "binary.dat", "missing.dat"}) {
        prompts.boxes.clear();
        prompts.paths = {path(name)};
        prompts.answers = {Answer::Ok};
        commands.mnuFileOpen_Click();
        ASSERT_EQ(prompts.boxes.size(), 1u) << name;
        EXPECT_EQ(prompts.boxes[0].text, "Файл не является файлом параметров сопла.");
        EXPECT_EQ(prompts.boxes[0].title, "Ошибка открытия");
        EXPECT_EQ(prompts.boxes[0].icon, Icon::Exclamation);
        EXPECT_EQ(state.DocumentPath, path("c.dat")) << name;
        EXPECT_EQ(view.windowCaption, "Tavro-nozzle          " + path("c.dat"));
        EXPECT_EQ(state.SavedFields[kRowTitle].text, "Опыт") << name;
        EXPECT_EQ(view.text(kRowTitle), "Опыт");
    }
    commands.mnuFileSave_Click();
    EXPECT_EQ(readAll(path("short.dat")), "\"\xD1\xCE\xCF\xCB\xCE\",\"x\"\r\n");
}

// Open and Restore of a design outside the charts: no results of the earlier design stay, the
// sheet is blank after the one notice, and the button asks for a computation.
TEST_F(Commands, OffDesignOpenAndRestoreLeaveNoOldResults) {
    typeExample();
    view.focusField(kRowH);
    view.type("150000");  // outside the charts
    saveAs(path("off.dat"));
    const auto computeAtSeaLevel = [this] {
        view.focusField(kRowH);
        view.type("0");
        view.focusField(kRowNote);
        logic.Command1_Click();
        ASSERT_EQ(view.text(kRowLn), "76.63");
        ASSERT_FALSE(view.bold);
    };
    computeAtSeaLevel();
    prompts.answers = {Answer::No};
    prompts.paths = {path("off.dat")};
    commands.mnuFileOpen_Click();
    for (int r = kRowPa; r <= kRowLn; ++r) EXPECT_EQ(view.text(r), "") << r;
    EXPECT_EQ(state.Ln, 0.0f);
    EXPECT_TRUE(view.bold);

    computeAtSeaLevel();
    prompts.answers = {Answer::Yes};
    commands.mnuEditRestore_Click();
    EXPECT_EQ(view.text(kRowLn), "");
    EXPECT_TRUE(view.bold);
    EXPECT_EQ(view.log.back(), "disable restore");
    logic.Form_Activate();  // coming back to the window only shows the blank sheet
    EXPECT_NE(std::find(view.log.end() - 3, view.log.end(), "blank"), view.log.end());
}

TEST_F(Commands, OpenLoadsComputesAndTheFocusedFieldIsNotAChange) {
    typeExample();
    saveAs(path("c.dat"));
    commands.mnuEditCls_Click();
    EXPECT_EQ(view.text(kRowRkr), "");
    view.focusField(kRowRkr);
    prompts.paths = {path("c.dat")};
    commands.mnuFileOpen_Click();
    EXPECT_EQ(view.text(kRowRkr), "10");
    EXPECT_EQ(view.text(kRowLn), "76.63");
    EXPECT_EQ(state.Title, "Опыт");
    view.focusField(kRowQa);  // leaving the reloaded field
    EXPECT_FALSE(state.Modified);
    EXPECT_FALSE(view.menus[MenuItem::EditRestore]);
}

TEST_F(Commands, ClearEmptiesEverythingAndRestoreBringsTheLastSaveBack) {
    typeExample();
    saveAs(path("d.dat"));
    logic.Command1_Click();
    commands.mnuEditCls_Click();  // no changes: no question
    EXPECT_TRUE(prompts.boxes.empty());
    for (int r = 0; r < kRowCount; ++r) EXPECT_EQ(view.text(r), "") << r;
    EXPECT_EQ(state.Rkr, 0.0f);
    EXPECT_TRUE(state.Title.empty());
    EXPECT_TRUE(view.menus[MenuItem::EditRestore]);
    EXPECT_NE(std::find(view.log.begin(), view.log.end(), "erase"), view.log.end());

    commands.mnuEditRestore_Click();
    EXPECT_EQ(view.text(kRowTitle), "Опыт");
    EXPECT_EQ(view.text(kRowInputHeading), "input");
    EXPECT_EQ(view.text(kRowLn), "76.63");
    EXPECT_EQ(state.Rkr, 10.0f);
}

// After Clear the fields hold a new design: neither Save nor Open's save step replaces the file
// of the cleared one unasked, and a design that was outside the charts is no longer.
TEST_F(Commands, AClearedDesignIsSavedOnlyUnderANameTheUserConfirms) {
    typeExample();
    saveAs(path("d.dat"));
    const QByteArray saved = readAll(path("d.dat"));
    view.focusField(kRowH);
    view.type("150000");
    view.focusField(kRowNote);
    logic.Command1_Click();
    ASSERT_FALSE(state.InRange);
    prompts.answers = {Answer::No};  // do not save the off-design edit
    commands.mnuEditCls_Click();
    EXPECT_TRUE(state.InRange);

    const auto typeNewTitle = [this] {
        view.focusField(kRowTitle);
        view.type("новое");
        view.focusField(kRowNote);
    };
    typeNewTitle();
    // Open's save step asks for a name; cancelling its dialog opens nothing.
    prompts.dialogs.clear();
    prompts.answers = {Answer::Yes};
    prompts.paths = {""};
    commands.mnuFileOpen_Click();
    ASSERT_EQ(prompts.dialogs.size(), 1u);
    EXPECT_TRUE(prompts.dialogs.back().save);
    EXPECT_EQ(readAll(path("d.dat")), saved);

    // Restore brings the last saved texts back, and with them Save to their file.
    prompts.answers = {Answer::Yes};
    commands.mnuEditRestore_Click();
    EXPECT_EQ(view.text(kRowTitle), "Опыт");
    view.focusField(kRowTitle);
    view.type("Опыт 2");
    view.focusField(kRowNote);
    commands.mnuFileSave_Click();
    EXPECT_EQ(prompts.dialogs.size(), 1u);
    EXPECT_NE(readAll(path("d.dat")), saved);
    EXPECT_EQ(prompts.confirmations, 2);

    // Save after another Clear: the dialog with no name; the old file's name asks
    // "Переписать?", and Cancel keeps the file.
    const QByteArray resaved = readAll(path("d.dat"));
    commands.mnuEditCls_Click();
    typeNewTitle();
    prompts.boxes.clear();
    prompts.answers = {Answer::Cancel};
    prompts.paths = {path("d.dat")};
    commands.mnuFileSave_Click();
    ASSERT_EQ(prompts.dialogs.size(), 2u);
    EXPECT_TRUE(prompts.dialogs.back().save);
    EXPECT_EQ(prompts.dialogs.back().initial, "");
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].title, "Контроль сохранения");
    EXPECT_EQ(readAll(path("d.dat")), resaved);
    EXPECT_TRUE(state.Modified);
}

TEST_F(Commands, ClearAfterAFailedSaveAsksBeforeClearingAndKeepsTheDocument) {
    typeExample();
    saveAs(path("d.dat"));
    view.focusField(kRowNote);
    view.type("x");
    view.focusField(kRowTitle);
    prompts.answers = {Answer::Yes, Answer::Yes, Answer::No};  // save, overwrite, continue
    prompts.paths = {"/dev/full"};
    commands.mnuEditCls_Click();
    EXPECT_EQ(prompts.boxes.back().buttons, Buttons::YesNoDefaultNo);
    EXPECT_EQ(view.text(kRowRkr), "10");
    EXPECT_EQ(state.DocumentPath, path("d.dat"));

    prompts.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    prompts.paths = {"/dev/full"};
    commands.mnuEditCls_Click();
    EXPECT_EQ(view.text(kRowRkr), "");
    EXPECT_EQ(state.DocumentPath, path("d.dat"));
    EXPECT_EQ(view.windowCaption, "Tavro-nozzle          " + path("d.dat"));
}

TEST_F(Commands, RestoreAfterAFreshStartEmptiesEveryField) {
    commands.mnuEditRestore_Click();
    for (int r = 0; r < kRowCount; ++r) EXPECT_EQ(view.text(r), "") << r;
}

TEST_F(Commands, ExitWritesTheLastStateUnlessAbandoned) {
    commands.mnuFileExit_Click();
    EXPECT_TRUE(prompts.ended);
    EXPECT_EQ(lastState(), "\"\"\r\n");

    prompts.ended = false;
    typeExample();
    prompts.answers = {Answer::Cancel};
    commands.mnuFileExit_Click();
    EXPECT_FALSE(prompts.ended);

    prompts.answers = {Answer::Yes};
    prompts.paths = {""};
    commands.mnuFileExit_Click();
    EXPECT_FALSE(prompts.ended);

    prompts.answers = {Answer::Yes};
    prompts.paths = {path("e.dat")};
    commands.mnuFileExit_Click();
    EXPECT_TRUE(prompts.ended);
    EXPECT_EQ(prompts.confirmations, 1);
    EXPECT_EQ(lastState(), "\"" + path("e.dat") + "\"\r\n");
    EXPECT_EQ(prompts.order.back(), "end");
}

TEST_F(Commands, ExitAfterAFailedSaveEndsOnlyWithConsent) {
    typeExample();
    prompts.answers = {Answer::Yes, Answer::No};
    prompts.paths = {path("plain") + ".dat/x"};
    writeAll(path("plain") + ".dat", "file");
    commands.mnuFileExit_Click();
    EXPECT_FALSE(prompts.ended);
    EXPECT_EQ(prompts.boxes.back().title, "Ошибка сохранения");
    EXPECT_EQ(lastState(), "");

    // last.srd never names the file that was not written.
    prompts.answers = {Answer::Yes, Answer::Yes};
    prompts.paths = {path("plain") + ".dat/x"};
    commands.mnuFileExit_Click();
    EXPECT_TRUE(prompts.ended);
    EXPECT_EQ(prompts.confirmations, 0);
    EXPECT_EQ(state.DocumentPath, "");
    EXPECT_EQ(lastState(), "\"\"\r\n");
}

TEST_F(Commands, LastStateNamesOnlyAFileThatIsThere) {
    typeExample();
    saveAs(path("h.dat"));
    QFile::remove(QString::fromStdString(path("h.dat")));
    EXPECT_TRUE(commands.Form_Unload());
    EXPECT_EQ(lastState(), "\"\"\r\n");
}

TEST_F(Commands, ClosingTheWindowFollowsTheAnswers) {
    EXPECT_TRUE(commands.Form_Unload());  // no changes
    EXPECT_EQ(lastState(), "\"\"\r\n");
    QFile::remove(QString::fromStdString(lastStatePath(appDir())));

    typeExample();
    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(commands.Form_Unload());
    EXPECT_EQ(lastState(), "");

    prompts.answers = {Answer::Yes};
    prompts.paths = {""};  // dialog cancelled: stays open, but the last state is written
    EXPECT_FALSE(commands.Form_Unload());
    EXPECT_EQ(lastState(), "\"\"\r\n");
    QFile::remove(QString::fromStdString(lastStatePath(appDir())));

    writeAll(path("f.dat"), "x");
    prompts.answers = {Answer::Yes, Answer::Cancel};  // Cancel at "Переписать?"
    prompts.paths = {path("f.dat")};
    EXPECT_FALSE(commands.Form_Unload());
    EXPECT_EQ(lastState(), "");

    prompts.answers = {Answer::No};
    EXPECT_TRUE(commands.Form_Unload());
    EXPECT_EQ(lastState(), "\"\"\r\n");
}

TEST_F(Commands, PicturesAreOfferedUnderTheDocumentsNameAndFailuresAreShown) {
    prompts.paths = {path("pic.bmp")};
    commands.mnuFileSaveImgBmp_Click();
    EXPECT_EQ(prompts.dialogs.at(0).initial, path("MyRocket"));
    EXPECT_EQ(prompts.dialogs.at(0).filter, "Bitmap pictures (*.bmp) | *.bmp");
    EXPECT_EQ(output.written.at(0), "bmp " + path("pic.bmp"));
    EXPECT_EQ(prompts.confirmations, 1);

    typeExample();
    saveAs(path("g.dat"));
    const struct {
        bool jpeg;
        ExportResult result;
        const char* title;
        std::string text;
    } failures[] = {
        {true, ExportResult::ModuleFailed, "Ошибка сохранения JPEG", commands.jpegFailureText()},
        {true, ExportResult::WriteFailed, "Ошибка сохранения JPEG",
         "Сохранение в формате JPEG не удалось: " + path("pic") + "\r\nОтказано в доступе"},
        {false, ExportResult::WriteFailed, "Ошибка сохранения BMP",
         "Сохранение в формате BMP не удалось: " + path("pic") + "\r\nОтказано в доступе"},
    };
    for (const auto& f : failures) {
        output.result = f.result;
        output.reason = "Отказано в доступе";
        prompts.paths = {path("pic")};
        prompts.answers = {Answer::Ok};
        f.jpeg ? commands.mnuFileSaveImgJpg_Click() : commands.mnuFileSaveImgBmp_Click();
        EXPECT_EQ(prompts.dialogs.back().initial, path("g"));
        EXPECT_EQ(prompts.boxes.back().title, f.title);
        EXPECT_EQ(prompts.boxes.back().text, f.text);
    }
    EXPECT_EQ(prompts.dialogs.back().filter, "Bitmap pictures (*.bmp) | *.bmp");
    EXPECT_EQ(prompts.confirmations, 2);  // the Save As only
}

// Printing asks nothing without a page to print; to a PDF it asks "Переписать?" like every
// other write, and a failed write names the file.
TEST_F(Commands, PrintingAsksOnlyWhenThereIsAPage) {
    prompts.answers = {Answer::Ok};
    commands.mnuFilePrintDraw_Click();  // nothing computed yet
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].title, "Печать");
    EXPECT_TRUE(prompts.dialogs.empty());
    EXPECT_TRUE(output.written.empty());

    typeExample();
    logic.Command1_Click();
    commands.mnuFilePrintTemp_Click();
    EXPECT_EQ(output.written, (std::vector<std::string>{"preview template", "template"}));

    // Without a printer the user is told so; "Нет" writes nothing, "Да" offers a PDF named
    // after the document.
    output.printer = false;
    prompts.answers = {Answer::No};
    commands.mnuFilePrintDraw_Click();
    EXPECT_EQ(prompts.boxes.back().text, "Принтер не найден.\r\nСохранить листы в файл PDF?");
    EXPECT_EQ(prompts.boxes.back().buttons, Buttons::YesNo);
    EXPECT_EQ(output.written.back(), "preview drawing");
    saveAs(path("p.dat"));
    const int confirmed = prompts.confirmations;
    prompts.paths = {path("new.pdf")};
    prompts.answers = {Answer::Yes};
    commands.mnuFilePrintDraw_Click();
    EXPECT_EQ(prompts.dialogs.back().initial, path("p.pdf"));
    EXPECT_EQ(output.written.back(), "drawing pdf " + path("new.pdf"));
    EXPECT_EQ(prompts.confirmations, confirmed + 1);  // "Сохранено"

    writeAll(path("p.pdf"), "old");
    prompts.paths = {path("p.pdf")};
    prompts.answers = {Answer::Yes, Answer::Cancel};
    commands.mnuFilePrintDraw_Click();
    EXPECT_EQ(prompts.boxes.back().title, "Контроль сохранения");
    EXPECT_EQ(output.written.back(), "preview drawing") << "previewed, then nothing written";

    output.result = ExportResult::WriteFailed;
    output.reason = "Нет места на устройстве";
    prompts.paths = {path("p.pdf")};
    prompts.answers = {Answer::Yes, Answer::Yes, Answer::Ok};
    commands.mnuFilePrintDraw_Click();
    EXPECT_EQ(output.written.back(), "drawing pdf " + path("p.pdf"));
    EXPECT_EQ(prompts.confirmations, confirmed + 1);
    EXPECT_EQ(prompts.dialogs.back().filter, "PDF (*.pdf)");
    EXPECT_EQ(prompts.boxes.back().title, "Ошибка печати");
    EXPECT_EQ(prompts.boxes.back().text,
              "Печать в файл PDF не удалась: " + path("p.pdf") + "\r\nНет места на устройстве");

    prompts.answers = {Answer::No};  // "Сохранить изменения?"
    commands.mnuEditCls_Click();
    prompts.answers = {Answer::Ok};
    commands.mnuFilePrintDraw_Click();
    EXPECT_EQ(prompts.boxes.back().title, "Печать");
}

// Without the printer services neither print command counts, previews or asks for a file: the
// user is told why, and the next print works once the services are there.
TEST_F(Commands, PrintingWithoutThePrinterServicesSaysWhy) {
    typeExample();
    logic.Command1_Click();
    output.unavailable = "нет библиотечного файла libtavroprint.so в /opt/x";
    for (const bool tmpl : {false, true}) {
        prompts.boxes.clear();
        prompts.answers = {Answer::Ok};
        tmpl ? commands.mnuFilePrintTemp_Click() : commands.mnuFilePrintDraw_Click();
        ASSERT_EQ(prompts.boxes.size(), 1u) << tmpl;
        EXPECT_EQ(prompts.boxes[0].text,
                  "Печать недоступна.\r\nПричина: нет библиотечного файла libtavroprint.so в "
                  "/opt/x")
            << tmpl;
        EXPECT_EQ(prompts.boxes[0].title, "Печать");
        EXPECT_EQ(prompts.boxes[0].buttons, Buttons::Ok);
        EXPECT_EQ(prompts.boxes[0].icon, Icon::Exclamation);
    }
    EXPECT_EQ(output.counted, 0);
    EXPECT_TRUE(output.written.empty());
    EXPECT_TRUE(prompts.dialogs.empty());
    output.unavailable.clear();
    commands.mnuFilePrintTemp_Click();
    EXPECT_EQ(output.written, (std::vector<std::string>{"preview template", "template"}));
}

// A template of more than 12 pages asks first, the noun agreeing with the number; the drawing
// never asks. Every print shows its pages first and prints only when the preview says so.
TEST_F(Commands, LargeTemplatesAskAndEveryPrintIsPreviewed) {
    struct Case {
        bool tmpl;
        int pages;
        const char* question;  // "" when nothing is asked
        Answer answer;
        bool printAfterPreview;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {true, 12, "", Answer::Yes, true, {"preview template", "template"}},
        {true, 13, "Шаблон займет 13 листов. Печатать?", Answer::No, true, {}},
        {true,
         30,
         "Шаблон займет 30 листов. Печатать?",
         Answer::Yes,
         true,
         {"preview template", "template"}},
        {true, 21, "Шаблон займет 21 лист. Печатать?", Answer::Yes, false, {"preview template"}},
        {true, 24, "Шаблон займет 24 листа. Печатать?", Answer::No, true, {}},
        {false, 40, "", Answer::Yes, true, {"preview drawing", "drawing"}},
    };
    typeExample();
    logic.Command1_Click();
    for (const Case& c : cases) {
        output.written.clear();
        output.pages = c.pages;
        output.halfPages = c.pages;
        output.printAfterPreview = c.printAfterPreview;
        prompts.boxes.clear();
        if (*c.question) prompts.answers = {c.answer};
        c.tmpl ? commands.mnuFilePrintTemp_Click() : commands.mnuFilePrintDraw_Click();
        EXPECT_EQ(output.written, c.written) << c.pages;
        ASSERT_EQ(prompts.boxes.size(), *c.question ? 1u : 0u) << c.pages;
        if (*c.question) {
            EXPECT_EQ(prompts.boxes[0].text, c.question);
            EXPECT_EQ(prompts.boxes[0].title, "Печать");
            EXPECT_EQ(prompts.boxes[0].buttons, Buttons::YesNo);
            EXPECT_EQ(prompts.boxes[0].icon, Icon::Question);
        }
    }
}

// A template of several pages offers the half profile when it takes fewer pages: Yes prints
// the half, No the whole, Cancel nothing; the count asked about next is the chosen one's.
TEST_F(Commands, ASeveralPageTemplateOffersTheHalfProfile) {
    struct Case {
        int pages, halfPages;
        std::vector<Answer> answers;
        const char* question;  // the second question, "" when none
        std::vector<std::string> written;
        TemplateShape printed;
    };
    const Case cases[] = {
        {1, 1, {}, "", {"preview template", "template"}, TemplateShape::Whole},
        {4, 4, {}, "", {"preview template", "template"}, TemplateShape::Whole},
        {6, 4, {Answer::Yes}, "", {"preview template", "template"}, TemplateShape::Half},
        {6, 4, {Answer::No}, "", {"preview template", "template"}, TemplateShape::Whole},
        {6, 4, {Answer::Cancel}, "", {}, TemplateShape::Whole},
        {30,
         15,
         {Answer::Yes, Answer::Yes},
         "Шаблон займет 15 листов. Печатать?",
         {"preview template", "template"},
         TemplateShape::Half},
    };
    typeExample();
    logic.Command1_Click();
    for (const Case& c : cases) {
        output.written.clear();
        output.pages = c.pages;
        output.halfPages = c.halfPages;
        prompts.boxes.clear();
        prompts.answers.assign(c.answers.begin(), c.answers.end());
        commands.mnuFilePrintTemp_Click();
        EXPECT_EQ(output.written, c.written) << c.pages;
        EXPECT_EQ(output.shape, c.printed) << c.pages;
        const size_t asked = c.halfPages < c.pages ? 1u : 0u;
        ASSERT_EQ(prompts.boxes.size(), asked + (*c.question ? 1u : 0u)) << c.pages;
        if (asked) {
            EXPECT_EQ(prompts.boxes[0].text, halfTemplateQuestion(c.pages, c.halfPages));
            EXPECT_EQ(prompts.boxes[0].buttons, Buttons::YesNoCancel);
        }
        if (*c.question) {
            EXPECT_EQ(prompts.boxes[1].text, c.question);
        }
    }
    EXPECT_EQ(halfTemplateQuestion(6, 4),
              "Шаблон займет 6 листов, половина профиля (одна стенка и ось, вторая половина "
              "зеркально) — 4 листа.\r\nПечатать половину профиля?");
}

}  // namespace
}  // namespace tavro
