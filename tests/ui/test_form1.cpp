// The main window's wiring on real widgets (offscreen): fields, keys, menus, sheet and hints.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "desktop.h"
#include "document_commands.h"
#include "form1.h"
#include "sheet_output.h"
#include "sheet_widget.h"
#include "small_windows.h"
#include "test_platform.h"
#include "workshop_formats.h"

namespace tavro {
namespace {

// Types text as the keyboard would, one character at a time, whatever its script.
void typeText(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

struct Program {
    QTemporaryDir dir;
    DesignState state;
    Form1 form{state, dir.path().toStdString(), '.'};
    QtSheetOutput output{state, dir.path().toStdString(), '.', form.prompts()};
    DocumentCommands commands{state, form, form.prompts(), &output, dir.path().toStdString(), '.'};

    Program() {
        connectDocumentCommands(form, commands, output);
        form.Form_Load();
        form.show();
        QApplication::setActiveWindow(&form);
        settle();
    }
    static void settle() {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
    void typeAndEnter(const QString& text) {
        typeText(focused(), text);
        QTest::keyClick(focused(), Qt::Key_Return);
        settle();
    }
};

// Reads and closes the message box that the next step shows.
void closeNextMessageBox(QString& seen) {
    QTimer::singleShot(20, [&seen] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                seen = box->windowTitle() + "|" + box->text();
                box->accept();
            }
        }
    });
}

TEST(Form1Wiring, EnterWalksTheFieldsAndAChangeMakesTheButtonBold) {
    Program p;
    EXPECT_EQ(p.focused(), p.form.field(kRowTitle));
    EXPECT_EQ(p.form.windowTitle(), QStringLiteral("Tavro-nozzle          "));
    EXPECT_FALSE(p.form.action(&MenuCommands::save)->isEnabled());
    EXPECT_FALSE(p.form.computeButton()->font().bold());

    QTest::keyClick(p.focused(), Qt::Key_Return);
    EXPECT_EQ(p.focused(), p.form.field(kRowRkr));
    p.typeAndEnter(QStringLiteral("10"));
    EXPECT_EQ(p.state.Rkr, 10.0f);
    EXPECT_EQ(p.focused(), p.form.field(kRowQa));
    EXPECT_TRUE(p.form.computeButton()->font().bold());
    EXPECT_TRUE(p.form.action(&MenuCommands::save)->isEnabled());
    EXPECT_TRUE(p.form.action(&MenuCommands::restore)->isEnabled());
}

TEST(Form1Wiring, TheComputeButtonDrawsOnTheSheet) {
    Program p;
    QTest::keyClick(p.focused(), Qt::Key_Return);
    for (const char* t : {"10", "10", "1.24", "5", "0", "30", "45"}) {
        p.typeAndEnter(QString::fromUtf8(t));
    }
    const QImage before = p.form.sheet()->image().copy();
    QTest::mouseClick(p.form.computeButton(), Qt::LeftButton);
    p.settle();
    EXPECT_EQ(p.form.field(kRowLn)->text(), QStringLiteral("76.63"));
    EXPECT_FALSE(p.form.computeButton()->font().bold());
    const QImage& after = p.form.sheet()->image();
    EXPECT_NE(before, after);
    EXPECT_EQ(after.pixelColor(2, 2), QColor(255, 255, 255));  // a drawing on white
    int black = 0;
    for (int y = 0; y < after.height(); y += 2) {
        for (int x = 0; x < after.width(); x += 2) black += after.pixelColor(x, y) == Qt::black;
    }
    EXPECT_GT(black, 50);  // the contour
}

// The "экспорт контура" submenu is the table of formats, each item calling the export with its
// own row.
TEST(Form1Wiring, TheContourSubmenuIsTheTableOfFormats) {
    Program p;
    QMenu* contour = nullptr;
    for (QAction* a : p.form.menuBar()->actions().front()->menu()->actions())
        if (a->text() == QStringLiteral("экспорт контура")) contour = a->menu();
    ASSERT_TRUE(contour);
    QStringList captions, expected;
    for (QAction* a : contour->actions()) captions << a->text();
    for (const WorkshopFormat& f : workshopFormats()) expected << QString::fromUtf8(f.caption);
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(captions.contains(QStringLiteral("step")), writesStep());
    std::vector<const WorkshopFormat*> chosen;
    p.form.commands().exportContour = [&](const WorkshopFormat& f) { chosen.push_back(&f); };
    for (QAction* a : contour->actions()) a->trigger();
    ASSERT_EQ(chosen.size(), workshopFormats().size());
    for (size_t i = 0; i < chosen.size(); ++i) EXPECT_EQ(chosen[i], &workshopFormats()[i]);
}

// The window's reports are its own message boxes, and starting it leaves the process's working
// folder where it was.
TEST(Form1Wiring, ReportsAreMessageBoxesAndTheWorkingFolderStays) {
    const QString startedIn = QDir::currentPath();
    Program p;
    EXPECT_EQ(QDir::currentPath(), startedIn);
    p.state.InRange = false;
    QString seen;
    closeNextMessageBox(seen);
    p.form.redrawSheet();
    EXPECT_EQ(seen, QString::fromUtf8("Нерасчетный режим|Данные не попадают в "
                                      "экспериментальный диапазон. \nИзмените параметры ввода."));
    p.state.InRange = true;
    p.state.Ln = p.state.Ra = p.state.Rc = 1e-38f;
    seen.clear();
    closeNextMessageBox(seen);
    p.form.redrawSheet();
    EXPECT_TRUE(seen.startsWith(
        QString::fromUtf8("Ошибка выполнения|Произошла непредвиденная ошибка в блоке ")))
        << seen.toStdString();
}

TEST(Form1Wiring, CtrlAInAFieldIsSaveAs) {
    Program p;
    // A disabled item cannot be chosen by its shortcut.
    bool saved = false;
    p.form.commands().save = [&] { saved = true; };
    QTest::keyClick(p.focused(), Qt::Key_S, Qt::ControlModifier);
    p.settle();
    EXPECT_FALSE(saved);

    bool asked = false;
    p.form.commands().saveAs = [&] { asked = true; };
    typeText(p.focused(), QStringLiteral("abc"));
    QTest::keyClick(p.focused(), Qt::Key_A, Qt::ControlModifier);
    p.settle();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(static_cast<QLineEdit*>(p.focused())->hasSelectedText());
}

// A shortcut takes the edit of the focused field first, as leaving it would: the first change
// enables Save for its own key, and the command sees the new text.
TEST(Form1Wiring, AShortcutTakesTheEditInTheFocusedField) {
    Program p;
    std::string title;
    p.form.commands().save = [&] { title = p.state.Title; };
    typeText(p.focused(), QStringLiteral("Опыт"));
    QTest::keyClick(p.focused(), Qt::Key_S, Qt::ControlModifier);
    p.settle();
    EXPECT_EQ(title, "Опыт");
    EXPECT_TRUE(p.state.Modified);
    EXPECT_TRUE(p.form.computeButton()->font().bold());
    EXPECT_EQ(p.state.FocusText, "Опыт");  // leaving the field now is no second change
}

// Closing the window also takes the edit first, so the closing question knows of it.
TEST(Form1Wiring, ClosingTakesTheEditInTheFocusedField) {
    Program p;
    bool modifiedAtClose = false;
    p.form.onClose = [&] {
        modifiedAtClose = p.state.Modified;
        return false;
    };
    typeText(p.focused(), QStringLiteral("Опыт"));
    p.form.close();
    EXPECT_TRUE(modifiedAtClose);
    EXPECT_EQ(p.state.Title, "Опыт");
}

TEST(Form1Wiring, DoubleClickOnAStarredCaptionShowsItsHint) {
    Program p;
    QString text;
    closeNextMessageBox(text);
    QTest::mouseDClick(p.form.label(kRowH), Qt::LeftButton);
    EXPECT_EQ(text,
              QStringLiteral("Пояснения, рекомендации|Программа корректно считает давление до "
                             "высоты 120 км."));
}

// The rows draw with the very font that Qt's own substitution gives the face the window names,
// whether they ask for that face or, where the platform lacks it, straight for its stand-in.
TEST(Form1Wiring, RowsDrawWithTheFontTheirNamedFaceResolvesTo) {
    Program p;
    const struct {
        const char* named;
        double points;
        bool bold;
        const QWidget* widget;
    } rows[] = {
        {"MS Sans Serif", 12, true, p.form.label(kRowTitle)},
        {"Arial", 12, false, p.form.field(kRowTitle)},
        {"Arial", 9.75, false, p.form.label(kRowRkr)},
        {"Arial", 9.75, true, p.form.label(kRowInputHeading)},
        {"Courier", 12, true, p.form.field(kRowRkr)},
        {"Arial", 9.75, false, p.form.field(kRowNote)},
    };
    for (const auto& r : rows) {
        // A small screen fits a column into a smaller size: the face is compared at the size
        // the row has, which is never larger than meant.
        EXPECT_LE(r.widget->font().pointSizeF(), r.points) << r.named;
        QFont named(QString::fromLatin1(r.named));
        named.setPointSizeF(r.widget->font().pointSizeF());
        named.setBold(r.bold);
        const QFontInfo expected(named), actual(r.widget->font());
        EXPECT_EQ(actual.family().toStdString(), expected.family().toStdString()) << r.named;
        EXPECT_EQ(actual.styleName().toStdString(), expected.styleName().toStdString()) << r.named;
        EXPECT_EQ(actual.pixelSize(), expected.pixelSize()) << r.named;
        EXPECT_EQ(QFontMetricsF(r.widget->font()).horizontalAdvance(QStringLiteral("Rkr 0.1013")),
                  QFontMetricsF(named).horizontalAdvance(QStringLiteral("Rkr 0.1013")))
            << r.named;
    }
}

TEST(Form1Wiring, FieldsRefuseCharactersTheFileCannotHold) {
    Program p;
    typeText(p.focused(), QStringLiteral("Сопло№1 €中"));
    QLineEdit* title = p.form.field(kRowTitle);
    title->insert(QStringLiteral("中"));
    EXPECT_EQ(title->text(), QStringLiteral("Сопло№1 €"));

    // A text from a foreign file can still be corrected: what cannot be stored goes.
    QLineEdit* note = p.form.field(kRowNote);
    note->setText(QStringLiteral("中x😀"));
    note->setFocus();
    note->end(false);
    typeText(note, QStringLiteral("y"));
    EXPECT_EQ(note->text(), QStringLiteral("xy"));
}

// Esc with an edit still in its field asks as Exit does; Cancel keeps the program and the edit.
TEST(Form1Wiring, EscWithAnUnsavedEditAsksBeforeEnding) {
    Program p;
    typeText(p.focused(), QStringLiteral("Опыт"));
    QString seen;
    QTimer::singleShot(20, [&seen] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                seen = box->windowTitle() + "|" + box->text();
                box->button(QMessageBox::Cancel)->click();
            }
        }
    });
    QTest::keyClick(p.focused(), Qt::Key_Escape);
    p.settle();
    EXPECT_EQ(seen, QStringLiteral("Данные были изменены|Сохранить изменения?"));
    EXPECT_TRUE(p.state.Modified);
    EXPECT_TRUE(p.form.isVisible());
}

// Help describes every command of the menus, by its caption and its shortcut, whatever
// commands the menus hold.
TEST(Help, DescribesEveryCommandAndItsShortcut) {
    Program p;
    HelpDialog help(&p.form);
    QString text;
    for (const QLabel* label : help.findChildren<QLabel*>()) text += label->text() + "\n";
    for (const QGroupBox* frame : help.findChildren<QGroupBox*>()) text += frame->title() + "\n";
    int commands = 0;
    for (const QAction* a : p.form.findChildren<QAction*>()) {
        const QString caption = a->text().remove(QLatin1Char('&'));
        if (caption.isEmpty() || a->isSeparator()) continue;
        ++commands;
        EXPECT_TRUE(text.contains(caption, Qt::CaseInsensitive)) << caption.toStdString();
        const QString keys = a->shortcut().toString(QKeySequence::PortableText);
        if (!keys.isEmpty()) {
            EXPECT_TRUE(text.contains(keys)) << keys.toStdString();
        }
    }
    EXPECT_GE(commands, 20);
    for (const char* also : {"Escape", "12,5", "просмотр"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(also))) << also;
}

}  // namespace
}  // namespace tavro

int main(int argc, char** argv) {
    tavro::test::useTestPlatform();
    tavro::substituteFonts();
    // As the program starts: the font configuration read beside the display's set-up, the list
    // of fonts beside the first window's.
    tavro::FontConfigReader fontConfig;
    QApplication app(argc, argv);
    // Read while the application exists, however soon the tests end (listing them ends before
    // the reader has started).
    const tavro::FontConfigReader::Reading fontList = fontConfig.applicationReady();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
