// The characteristics window on real widgets (offscreen): its menu, what it shows for a
// computed, a separating, a refused and a cleared design, and the sheet after a refusal; the
// window comes from its module, and without the module the form says why and goes on.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QAbstractSeries>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "characteristics_window.h"
#include "charts_module.h"
#include "document_commands.h"
#include "form1.h"
#include "qt_prompts.h"
#include "sheet_output.h"
#include "sheet_widget.h"

namespace tavro {
namespace {

struct Window {
    QTemporaryDir dir;
    DesignState state;
    char sep;
    Form1 form;
    QtSheetOutput output;
    DocumentCommands commands;

    explicit Window(char separator)
        : sep(separator),
          form(state, dir.path().toStdString(), sep),
          output(state, dir.path().toStdString(), sep, form.prompts()),
          commands(state, form, form.prompts(), &output, dir.path().toStdString(), sep) {
        connectDocumentCommands(form, commands, output);
        form.Form_Load();
        form.show();
        settle();
    }
    static void settle() {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }
    // Types the five inputs and the two optional ones, then computes.
    void compute(const std::vector<const char*>& inputs) {
        const int rows[] = {kRowRkr, kRowQa, kRowK, kRowPk, kRowH, kRowRc, kRowQc};
        QApplication::setActiveWindow(&form);  // back from the characteristics window
        settle();
        for (size_t i = 0; i < inputs.size(); ++i) {
            QLineEdit* f = form.field(rows[i]);
            f->setFocus();
            f->selectAll();
            QTest::keyClicks(f, QString::fromUtf8(inputs[i]));
            QTest::keyClick(f, Qt::Key_Return);  // leaving the field stores its value
        }
        QTest::mouseClick(form.computeButton(), Qt::LeftButton);
        settle();
    }
    // The window the module made, read through this program's copy of the window's code.
    CharacteristicsWindow* open() {
        form.action(&MenuCommands::characteristics)->trigger();
        settle();
        return static_cast<CharacteristicsWindow*>(form.characteristics());
    }
    // The text of the message box shown while run runs, or "" for none.
    static QString boxDuring(const std::function<void()>& run) {
        QString seen;
        QTimer::singleShot(50, [&seen] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                    seen = box->windowTitle() + "|" + box->text();
                    box->accept();
                }
            }
        });
        run();
        settle();
        return seen;
    }
    static bool hasSeries(QChart* chart, const QString& name) {
        for (QAbstractSeries* s : chart->series())
            if (s->name() == name) return true;
        return false;
    }
};

TEST(Characteristics, MenuBetweenEditAndHelp) {
    Window w('.');
    QStringList titles;
    for (QAction* a : w.form.menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"файл", "правка", "расчет", "справка"}));
    QAction* item = w.form.action(&MenuCommands::characteristics);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("характеристики сопла"));
    EXPECT_EQ(item->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
}

// The example design: Cf 1.5353 at sea level, 1.6672 in vacuum, Me 3.064, 2411.7 N, shown with
// the separator of the fields; the window follows the next compute and a Clear.
TEST(Characteristics, FollowsTheDesign) {
    Window w(',');
    w.compute({"10", "10", "1.24", "5", "0", "30", "45"});
    CharacteristicsWindow* c = w.open();
    ASSERT_NE(c, nullptr);
    // Made by the module's code, not by the copy this test links.
    Dl_info maker{};
    ASSERT_NE(dladdr(*reinterpret_cast<void**>(c), &maker), 0);
    EXPECT_TRUE(QString::fromUtf8(maker.dli_fname).endsWith(QStringLiteral("/libtavrocharts.so")))
        << maker.dli_fname;
    EXPECT_TRUE(c->isVisible());
    EXPECT_FALSE(c->isModal());
    EXPECT_EQ(c->windowTitle(), QStringLiteral("Характеристики сопла"));
    EXPECT_EQ(c->figure("mach"), QStringLiteral("3,064"));
    EXPECT_EQ(c->figure("cfSeaLevel"), QStringLiteral("1,5353"));
    EXPECT_EQ(c->figure("cfVacuum"), QStringLiteral("1,6672"));
    EXPECT_EQ(c->figure("thrustSeaLevel"), QStringLiteral("2411,7"));
    EXPECT_FALSE(c->statusText().contains(QStringLiteral("поток отрывается")));
    EXPECT_TRUE(w.hasSeries(c->thrustChart(), QStringLiteral("тяга")));
    EXPECT_FALSE(w.hasSeries(c->thrustChart(), QStringLiteral("отрыв потока")));
    EXPECT_GT(c->mapCellsInRange(), 0);

    // Designed for 10 km, fired at sea level: the flow separates.
    w.compute({"10", "10", "1.24", "5", "10000"});
    EXPECT_TRUE(c->statusText().contains(QStringLiteral("У земли поток отрывается")));
    EXPECT_TRUE(w.hasSeries(c->thrustChart(), QStringLiteral("отрыв потока")));
    EXPECT_NE(c->figure("cfSeaLevel"), QStringLiteral("1,5353"));

    // Clear asks whether to save the typed design first: no.
    QTimer::singleShot(50, [] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible())
                box->button(QMessageBox::No)->click();
        }
    });
    w.form.action(&MenuCommands::clear)->trigger();
    w.settle();
    EXPECT_EQ(c->figure("mach"), QStringLiteral("—"));
    EXPECT_TRUE(c->statusText().startsWith(QStringLiteral("Нет рассчитанного сопла")));
    EXPECT_EQ(c->mapCellsInRange(), 0);
}

// Refused at 4 MPa (Qa 9, sea level): the window says why and what would work, and the sheet
// shows the same instead of asking to fill fields that are filled.
TEST(Characteristics, ARefusedDesignSaysWhy) {
    Window w('.');
    const QImage blankPrompt = w.form.sheet()->image().copy();
    QString box;
    QTimer::singleShot(100, [&box] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* b = qobject_cast<QMessageBox*>(top); b && b->isVisible()) {
                box = b->windowTitle() + "|" + b->text() + "|" + b->informativeText();
                b->accept();
            }
        }
    });
    w.compute({"10", "9", "1.24", "4", "0", "30", "45"});
    ASSERT_FALSE(w.state.InRange);
    // The off-design box keeps its words and says why under them.
    EXPECT_TRUE(box.startsWith(QStringLiteral("Нерасчетный режим|Данные не попадают")));
    EXPECT_TRUE(box.contains(QStringLiteral("|Причина: отношение Ra/Rкр = ")));
    EXPECT_TRUE(
        box.contains(QStringLiteral("\nПри H = 0 м расчетный режим при Pк от 4.32 до 30 "
                                    "МПа;\nпри Pк = 4 МПа — при H от ")))
        << box.toStdString();
    CharacteristicsWindow* c = w.open();
    EXPECT_EQ(c->figure("thrustDesign"), QStringLiteral("—"));
    const QString status = c->statusText();
    EXPECT_TRUE(status.contains(QStringLiteral("Нерасчетный режим")));
    EXPECT_TRUE(status.contains(QStringLiteral("вне графика длины диффузора для Qa = 9°")));
    EXPECT_TRUE(
        status.contains(QStringLiteral("При H = 0 м расчетный режим при Pк от 4.32 до "
                                       "30 МПа;")))
        << status.toStdString();
    EXPECT_GT(c->mapCellsInRange(), 0);
    EXPECT_NE(w.form.sheet()->image(), blankPrompt);
}

// Without a loadable module the menu item says why in a message and the program goes on; once
// the module is there, the window opens.
TEST(Characteristics, WithoutItsModuleSaysWhy) {
    QTemporaryDir folder;
    const QString module = folder.filePath(QStringLiteral("libtavrocharts.so"));
    const struct {
        const char* name;
        std::function<void()> prepare;
        QString why;
    } cases[] = {
        {"missing", [] {},
         QStringLiteral("нет библиотечного файла libtavrocharts.so в ") + folder.path()},
        {"not a library",
         [&module] {
             QFile f(module);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("not a library");
         },
         QStringLiteral("модуль ") + module + QStringLiteral(" не загружается: ")},
        {"another library",
         [&module] {
             QFile::remove(module);
             ASSERT_TRUE(QFile::copy(QStringLiteral(TAVRO_OTHER_MODULE), module));
         },
         QStringLiteral("в модуле ") + module + QStringLiteral(" нет окна характеристик")},
    };
    Window w('.');
    w.compute({"10", "10", "1.24", "5", "0", "30", "45"});
    for (const auto& c : cases) {
        c.prepare();
        searchChartsModuleIn(folder.path().toStdString());
        const QString box =
            w.boxDuring([&w] { w.form.action(&MenuCommands::characteristics)->trigger(); });
        searchChartsModuleIn("");
        EXPECT_TRUE(box.startsWith(
            QStringLiteral(
                "Характеристики сопла|Окно характеристик сопла не открылось.\nПричина: ") +
            c.why))
            << c.name << ": " << box.toStdString();
        EXPECT_EQ(w.form.characteristics(), nullptr) << c.name;
        EXPECT_TRUE(w.form.isVisible()) << c.name;
    }
    // The next compute still works, and the window opens from the module in its usual place.
    w.compute({"10", "10", "1.24", "6"});
    EXPECT_TRUE(w.state.InRange);
    CharacteristicsWindow* c = w.open();
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->isVisible());
    EXPECT_GT(c->mapCellsInRange(), 0);
}

// The off-design box keeps its words and shows the detail under them.
TEST(Characteristics, TheNoticeShowsItsDetailUnderItsText) {
    QtPrompts prompts(nullptr);
    QString seen;
    QTimer::singleShot(50, [&seen] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                seen = box->windowTitle() + "|" + box->text() + "|" + box->informativeText();
                box->accept();
            }
        }
    });
    prompts.noticeWithDetail("Текст.\r\nВторая строка.", "Причина.\r\nЧто работает.",
                             "Нерасчетный режим", Icon::Critical);
    EXPECT_EQ(seen, QStringLiteral("Нерасчетный режим|Текст.\nВторая строка.|Причина.\nЧто "
                                   "работает."));
    // The next box has no detail left over.
    QTimer::singleShot(50, [&seen] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                seen = box->informativeText();
                box->accept();
            }
        }
    });
    prompts.messageBox("Другой.", "Другой", Buttons::Ok, Icon::Information);
    EXPECT_EQ(seen, QString());
}

}  // namespace
}  // namespace tavro
