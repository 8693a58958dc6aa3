// Field entry, keyboard navigation, the compute command, hints and start-up, without widgets.
#include <gtest/gtest.h>

#include <set>

#include "fakes.h"
#include "inputs.h"
#include "main_logic.h"

namespace tavro {
namespace {

struct Window {
    DesignState state;
    FakeView view;
    ScriptedPrompts prompts;
    MainLogic logic;

    explicit Window(char separator = '.') : logic(state, view, prompts, separator) {
        view.onEnter = [this](int row) { logic.Text1_GotFocus(row); };
        view.onLeave = [this](int row) { logic.Text1_LostFocus(row); };
    }

    void start(std::string lastState = "", std::function<bool(const std::string&)> load = {}) {
        MainLogic::Documents docs;
        docs.readLastState = [lastState] { return lastState; };
        docs.loadParams = std::move(load);
        logic.Form_Load(docs);
        logic.Form_Activate();
    }
    // Types into the focused field and presses Enter.
    void enter(const std::string& text) {
        view.type(text);
        logic.Form_KeyDown(kKeyEnter);
    }
    // Starts empty, types the five required inputs and computes them.
    void computeExample() {
        start();
        logic.Form_KeyDown(kKeyEnter);
        for (const char* t : {"10", "10", "1.24", "5", "0"}) enter(t);
        logic.Command1_Click();
    }
};

TEST(Navigation, EnterDownAndUpFollowTheRowTables) {
    // From row: Enter, Down, Up.
    const int table[][4] = {
        {0, 2, 2, 0},     {2, 3, 3, 0},     {3, 4, 4, 2},   {4, 5, 5, 3},    {5, 6, 6, 4},
        {6, 8, 8, 5},     {8, 9, 9, 6},     {9, 21, 21, 8}, {11, 12, 12, 9}, {12, 13, 13, 11},
        {19, 20, 20, 18}, {20, 21, 21, 19}, {21, 0, 21, 9},
    };
    for (const auto& r : table) {
        EXPECT_EQ(navigate(kKeyEnter, r[0]), r[1]) << "Enter from " << r[0];
        EXPECT_EQ(navigate(kKeyDown, r[0]), r[2]) << "Down from " << r[0];
        EXPECT_EQ(navigate(kKeyUp, r[0]), r[3]) << "Up from " << r[0];
    }
}

TEST(Navigation, KeysMoveTheFocusAndEscEndsAtOnceOnlyWithNothingUnsaved) {
    Window w;
    int exits = 0;
    w.logic.setExitCommand([&exits] { ++exits; });
    w.start();
    EXPECT_EQ(w.view.focused, 0);
    for (int expected : {2, 3, 4, 5, 6, 8, 9, 21, 0}) {
        w.logic.Form_KeyDown(kKeyEnter);
        EXPECT_EQ(w.view.focused, expected);
        EXPECT_EQ(w.state.CurrentField, expected);
    }
    w.logic.Form_KeyDown(kKeyUp);  // Up on the title stays, but the focus is given again
    EXPECT_EQ(w.view.log.back(), "focus 0");
    w.logic.Form_KeyDown('A');
    EXPECT_EQ(w.view.focused, 0);
    EXPECT_FALSE(w.prompts.ended);

    w.enter("changed");  // unsaved changes: Esc is the Exit command, with its question
    w.logic.Form_KeyDown(kKeyEscape);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(w.prompts.ended);
    w.state.Modified = false;  // nothing unsaved: Esc ends at once, asking nothing
    w.logic.Form_KeyDown(kKeyEscape);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(w.prompts.ended);
    EXPECT_TRUE(w.prompts.boxes.empty());
}

TEST(FieldEntry, OnlyAChangedTextMarksTheDesign) {
    Window w;
    w.start();
    w.logic.Form_KeyDown(kKeyEnter);  // to row 2, empty
    w.view.type("5");
    w.view.type("");  // changed and changed back before leaving
    w.logic.Form_KeyDown(kKeyEnter);
    EXPECT_FALSE(w.state.Modified);
    EXPECT_FALSE(w.view.bold);
    EXPECT_FALSE(w.view.menus[MenuItem::FileSave]);

    w.enter("1,5");  // row 3
    EXPECT_TRUE(w.state.Modified);
    EXPECT_TRUE(w.view.bold);
    EXPECT_TRUE(w.view.menus[MenuItem::FileSave]);
    EXPECT_TRUE(w.view.menus[MenuItem::EditRestore]);
    EXPECT_EQ(w.state.Qa, 1.5f);            // the decimal comma is the point
    EXPECT_EQ(w.view.text(kRowQa), "1,5");  // the text is never reformatted
}

TEST(FieldEntry, TitleNoteAndOptionRowsWriteTheirValues) {
    Window w;
    w.start();
    w.enter("Опыт");  // title
    EXPECT_EQ(w.state.Title, "Опыт");
    EXPECT_TRUE(w.view.bold);

    w.view.setText(kRowQc, "40");  // typed earlier; row 8 re-reads it
    w.logic.Text1_GotFocus(kRowRc);
    w.view.focused = kRowRc;
    w.enter(" 2 5 ");
    EXPECT_EQ(w.state.Rc, 25.0f);
    EXPECT_EQ(w.state.Qc, 40.0f);

    w.logic.Text1_GotFocus(kRowNote);
    w.view.focused = kRowNote;
    w.enter("заметка");
    EXPECT_EQ(w.state.Note, "заметка");
    EXPECT_EQ(w.view.focused, 0);  // Enter wraps from the note to the title
}

TEST(Compute, ValidatesComputesAndRedraws) {
    Window w;
    w.start();
    w.prompts.answers = {Answer::Ok};
    w.enter("Опыт");
    w.logic.Command1_Click();  // all inputs empty: the throat radius is rejected first
    ASSERT_EQ(w.prompts.boxes.size(), 1u);
    EXPECT_EQ(w.prompts.boxes[0].text, "Радиус критического сечения должен быть больше нуля.");
    EXPECT_EQ(w.prompts.boxes[0].title, "Ошибка ввода");
    EXPECT_EQ(w.prompts.boxes[0].icon, Icon::Critical);
    EXPECT_EQ(w.prompts.boxes[0].buttons, Buttons::Ok);
    EXPECT_EQ(w.view.focused, kRowRkr);
    EXPECT_EQ(w.view.log.back(), "select 2");
    EXPECT_TRUE(w.view.bold);  // unchanged by a rejection
    EXPECT_EQ(w.view.text(kRowPa), "");

    for (const char* t : {"10", "10", "1.24", "5", "0", "30", "45"}) w.enter(t);
    const size_t redraws = w.view.log.size();
    w.logic.Command1_Click();
    EXPECT_EQ(w.prompts.boxes.size(), 1u);
    EXPECT_EQ(w.view.text(kRowLn), "76.63");
    EXPECT_FALSE(w.view.bold);
    EXPECT_EQ(w.view.log.back(), "redraw");
    EXPECT_GT(w.view.log.size(), redraws);
}

// A number beyond single precision never reached its design value: the compute command rejects
// the field with its own message instead of computing the value it had before.
TEST(Compute, ANumberTooLargeForItsFieldIsAnInputError) {
    Window w;
    w.computeExample();
    ASSERT_EQ(w.view.text(kRowLn), "50.48");
    w.view.focusField(kRowH);
    w.enter("-1e39");
    EXPECT_EQ(w.state.H, 0.0f);
    w.prompts.answers = {Answer::Ok};
    w.logic.Command1_Click();
    ASSERT_EQ(w.prompts.boxes.size(), 1u);
    EXPECT_EQ(w.prompts.boxes[0].text, "Задайте расчетную высоту в пределах 0-150000 м.");
    EXPECT_EQ(w.view.focused, kRowH);
}

// Each calculation starts from what the fields show, whichever decimal separator the program
// shows numbers with: the entry angle that the fillet branch replaced is never the next input.
TEST(Compute, StartsFromTheInputsTheFieldsShow) {
    for (const char sep : {'.', ','}) {
        Window w(sep);
        w.start();
        w.logic.Form_KeyDown(kKeyEnter);
        for (const char* t : {"60", "15", "1.24", "2", "20000", "30", "45"}) w.enter(t);
        w.logic.Command1_Click();
        ASSERT_EQ(w.view.text(kRowQc), "45");
        ASSERT_NE(w.state.Qc, 45.0f);  // the fillet reached the entrance before 45 degrees
        w.view.focusField(kRowRkr);
        for (const char* t : {"10", "10", "1.24", "5", "0"}) w.enter(t);
        w.logic.Command1_Click();
        EXPECT_EQ(w.view.text(kRowQc), "45") << sep;

        // The same texts typed afresh compute the same nozzle.
        Window fresh(sep);
        fresh.start();
        fresh.logic.Form_KeyDown(kKeyEnter);
        for (int r : {kRowRkr, kRowQa, kRowK, kRowPk, kRowH, kRowRc, kRowQc})
            fresh.enter(w.view.text(r));
        fresh.logic.Command1_Click();
        EXPECT_EQ(w.view.text(kRowLn), fresh.view.text(kRowLn)) << sep;
        EXPECT_EQ(w.view.text(kRowLn), sep == '.' ? "106.63" : "106,63");
    }
}

// A design outside the charts leaves no results and no drawing of an earlier design, the button
// stays bold, and only the command that met it says so.
TEST(Compute, OffDesignEmptiesTheResultsAndIsAnnouncedOnce) {
    Window w;
    w.computeExample();
    ASSERT_EQ(w.view.text(kRowLn), "50.48");
    w.view.focusField(kRowH);
    w.enter("150000");
    w.logic.Command1_Click();
    EXPECT_FALSE(w.state.InRange);
    for (int r = kRowPa; r <= kRowLn; ++r) EXPECT_EQ(w.view.text(r), "") << r;
    EXPECT_EQ(w.state.Ln, 0.0f);
    EXPECT_TRUE(w.view.bold);
    EXPECT_EQ(w.view.log.back(), "redraw");  // the window's redraw announces it
    w.logic.Form_Activate();
    EXPECT_EQ(w.view.log[w.view.log.size() - 2], "blank");
}

TEST(Hints, StarredRowsExplainTheirInputs) {
    Window w;
    w.prompts.answers = {Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok};
    for (int row = 0; row < kRowCount; ++row) w.logic.Label1_DblClick(row);
    ASSERT_EQ(w.prompts.boxes.size(), 4u);
    for (const auto& b : w.prompts.boxes) {
        EXPECT_EQ(b.title, "Пояснения, рекомендации");
        EXPECT_EQ(b.icon, Icon::Information);
        EXPECT_EQ(b.buttons, Buttons::Ok);
    }
    EXPECT_EQ(w.prompts.boxes[2].text, "Программа корректно считает давление до высоты 120 км.");
    EXPECT_EQ(w.prompts.boxes[1].text.rfind("Для газообразных продуктов сгорания можно "
                                            "определить по известной программе PROPEP. \r\n"
                                            "Прмерно 1.23-1.24.\r\nДля твердых",
                                            0),
              0u);
    EXPECT_NE(w.prompts.boxes[3].text.find("Qс,"), std::string::npos);  // Cyrillic с
}

TEST(StartUp, WithoutALastStateNothingIsLoaded) {
    Window w;
    w.start();
    EXPECT_EQ(w.view.windowCaption, "Tavro-nozzle          ");
    EXPECT_FALSE(w.view.menus[MenuItem::FileSave]);
    EXPECT_FALSE(w.view.menus[MenuItem::EditRestore]);
    EXPECT_FALSE(w.view.bold);
    EXPECT_TRUE(w.state.InRange);
    EXPECT_EQ(w.view.focused, 0);
    EXPECT_EQ(w.view.text(kRowPa), "");
    // Before anything else both menu items are off.
    ASSERT_GE(w.view.log.size(), 2u);
    EXPECT_EQ(std::set<std::string>(w.view.log.begin(), w.view.log.begin() + 2),
              (std::set<std::string>{"disable restore", "disable save"}));
}

TEST(StartUp, TheLastDocumentIsLoadedComputedAndDrawn) {
    Window w;
    std::vector<std::string> loaded;
    bool computedBeforeDraw = false;
    w.view.onRedraw = [&] { computedBeforeDraw = w.view.text(kRowLn) == "76.63"; };
    w.start("/tmp/a.dat", [&](const std::string& path) {
        loaded.push_back(path);
        const char* texts[] = {"", "", "10", "10", "1.24", "5", "0", "", "30", "45"};
        for (int r = 2; r < 10; ++r) w.view.setText(r, texts[r]);
        loadDesignValues(w.state, w.view);
        return true;
    });
    EXPECT_EQ(loaded, std::vector<std::string>{"/tmp/a.dat"});
    EXPECT_EQ(w.view.windowCaption, "Tavro-nozzle          /tmp/a.dat");
    EXPECT_TRUE(computedBeforeDraw);
    EXPECT_EQ(w.state.DocumentPath, "/tmp/a.dat");
    EXPECT_FALSE(w.state.Modified);
}

TEST(StartUp, ALastDocumentThatHoldsNoDesignIsNoDocument) {
    Window w;
    w.state.SavedFields[kRowTitle].text = "kept";
    w.start("/tmp/a.dat", [&](const std::string&) {
        w.state.SavedFields[kRowTitle].text = "partly read";
        return false;
    });
    EXPECT_EQ(w.state.DocumentPath, "");
    EXPECT_EQ(w.view.windowCaption, "Tavro-nozzle          ");
    EXPECT_EQ(w.state.SavedFields[kRowTitle].text, "kept");
    EXPECT_EQ(w.view.text(kRowPa), "");
}

}  // namespace
}  // namespace tavro
