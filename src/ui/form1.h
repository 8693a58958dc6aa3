// Form1: the main window with its 22 rows, the sheet, the compute button and the menus.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "first_sheet.h"
#include "main_logic.h"
#include "qt_prompts.h"
#include "window_view.h"

class QAction;
class QLabel;
class QMenu;
class QLineEdit;
class QPushButton;

namespace tavro {

class PainterTarget;
class SheetWidget;
class FrmAbout;
struct ChartsModule;

struct WorkshopFormat;

// What the menu items do: the window fills in its own (about, help), the document commands
// the rest. An item whose command is empty does nothing.
struct MenuCommands {
    std::function<void()> open, save, saveAs, saveBmp, saveJpg, printDrawing, printTemplate, exit,
        clear, restore, about, help, characteristics;
    std::function<void(const WorkshopFormat&)> exportContour;  // an item of "экспорт контура"
};

class Form1 : public QMainWindow, public View {
  public:
    // appDir is the directory of the executable: last.srd lives there.
    Form1(DesignState& state, const std::string& appDir, char decimalSeparator);
    ~Form1() override;

    // The start-up sequence; the window is then shown by the caller.
    void Form_Load();

    // View
    std::string text(int row) const override;
    void setText(int row, const std::string& text) override;
    std::string caption(int row) const override;
    void focusField(int row) override;
    void selectAll(int row) override;
    void setComputeBold(bool bold) override;
    void enableMenu(MenuItem item, bool enabled) override;
    void setWindowCaption(const std::string& caption) override;
    void eraseSheet() override;
    void redrawSheet() override;
    void showBlankSheet() override;

    // For the wiring tests and the document commands.
    MainLogic& logic() { return logic_; }
    QtPrompts& prompts() { return prompts_; }
    QLineEdit* field(int row) const { return Text1_[static_cast<size_t>(row)]; }
    QLabel* label(int row) const { return Label1_[static_cast<size_t>(row)]; }
    QPushButton* computeButton() const { return Command1_; }
    using Command = std::function<void()> MenuCommands::*;
    QAction* action(Command command) const;
    SheetWidget* sheet() const { return Picture1_; }
    MenuCommands& commands() { return commands_; }
    // Marks that one of the program's own windows is involved, so that returning to the main
    // window runs its activation handling.
    void ownWindowShown() { activatePending_ = true; }
    // The characteristics window ("расчет" → "характеристики сопла"), null until first shown:
    // a CharacteristicsWindow from the module that holds it.
    QWidget* characteristics() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildRows();
    void buildMenus();
    QMenu* addMenu(QMenu* parent, const char* caption);
    QAction* addItem(QMenu* menu, const char* caption, const char* shortcut,
                     std::function<void()> run);
    void addItem(QMenu* menu, const char* caption, const char* shortcut, Command command);
    void applyLayout();
    PainterTarget* sheetPainter();
    FirstSheet::Sheet sheetSpec() const;
    // Shrinks a caption's or a field's text where the row is too small for it (small screens).
    void fitTexts();
    void fitField(int row);
    void fitResults();
    // The text and box a caption or field was last fitted to: the same pair fits the same way
    // and is not measured again.
    struct Fitted {
        QString text;
        QSize box;
    };
    void fitInto(QWidget* w, Fitted& last, const QFont& nominal, const QString& text, QSize box);
    int rowOf(QObject* object) const;
    void showAbout();
    void showHelp();
    void showCharacteristics();
    // After a command has shown a design (or cleared it), once the command is over.
    void designShown();
    void runActivate();
    // The field the logic holds as entered: it has had Text1_GotFocus and not yet
    // Text1_LostFocus. The platform's focus events and the program's own focusing both go
    // through these two, so each field is entered and left once, in order.
    void enterField(int row);
    void leaveField(int row);
    // Takes the focused field's edit as leaving it would, before a command reads the design.
    void takeFocusedEdit();

    DesignState& state_;
    std::string appDir_;
    QtPrompts prompts_;
    MainLogic logic_;
    std::array<QLabel*, kRowCount> Label1_{};
    std::array<QLineEdit*, kRowCount> Text1_{};
    QPushButton* Command1_ = nullptr;
    SheetWidget* Picture1_ = nullptr;
    std::unique_ptr<PainterTarget> sheetTarget_;
    FirstSheet firstSheet_;
    MenuCommands commands_;
    std::vector<std::pair<Command, QAction*>> actions_;
    QPointer<FrmAbout> about_;
    QPointer<QWidget> characteristics_;
    const ChartsModule* charts_ = nullptr;  // loaded with the window
    bool designShownQueued_ = false;
    DesignState shownDesign_;  // as the last command left it, edits since then aside
    bool activatePending_ = true;
    bool activating_ = false;
    bool shownOnce_ = false;
    int entered_ = -1;
    QSize frame_{0, 0};  // the window manager's frame around the window, once known
    bool laidOut_ = false;
    bool sheetShown_ = false;  // the sheet shows a drawing or the blank-sheet prompt
    bool framePainted_ = false;
    std::array<Fitted, kRowCount> captionFits_{}, fieldFits_{};

  public:
    // Form_Unload: decides whether the window may close; the default lets it close.
    std::function<bool()> onClose;
    // Called once the window's first frame is on the screen: what that frame does not show is
    // set up then, so that the window appears sooner.
    std::function<void()> afterFirstFrame;
};

// The faces the window names, mapped to metric-compatible fonts this platform has.
void substituteFonts();

class DocumentCommands;
class QtSheetOutput;

// Connects the File and Edit menus and the window's closing to the document commands, and the
// picture export to the sheet.
void connectDocumentCommands(Form1& form, DocumentCommands& commands, QtSheetOutput& output);

}  // namespace tavro
