// The confirmation window, the About window and the Help window.
#include "small_windows.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "desktop.h"
#include "window_view.h"

namespace tavro {
namespace {

QFont msSansSerif(double points, bool bold) {
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

QLabel* label(QWidget* parent, const QString& text, int l, int t, int w, int h) {
    auto* lab = new QLabel(text, parent);
    lab->setWordWrap(true);
    lab->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(lab, l, t, w, h);
    return lab;
}

void fixedDialog(QDialog* d, const QString& caption, int width, int height) {
    d->setWindowTitle(caption);
    d->setFont(msSansSerif(8.25, false));  // the dialogs' own default face
    d->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                      Qt::WindowCloseButtonHint);
    d->setFixedSize(twips(width), twips(height));
    d->setAttribute(Qt::WA_DeleteOnClose, false);
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        d->move(g.center() - QPoint(d->width() / 2, d->height() / 2));
    }
}

}  // namespace

int twips(int t) {
    const QScreen* s = QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInch() : 96;
    return static_cast<int>(std::lround(t * dpi / 1440));
}

FormOk::FormOk(QWidget* parent) : QDialog(parent) {
    fixedDialog(this, QStringLiteral("O'k"), 1485, 675);
    auto* text = label(this, QStringLiteral("Сохранено"), 120, 120, 1335, 375);
    text->setFont(msSansSerif(9.75, true));
    Timer1_ = new QTimer(this);
    Timer1_->setInterval(300);
    Timer1_->setSingleShot(true);
    connect(Timer1_, &QTimer::timeout, this, [this] {
        Timer1_->stop();
        accept();
    });
}

bool FormOk::event(QEvent* e) {
    // Also when no window manager activates it, the confirmation must close by itself.
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) Timer1_->start();
    return QDialog::event(e);
}

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent) {
    fixedDialog(this, QStringLiteral("О программе ") + QString::fromUtf8(kProgramName), 6840, 5835);
    auto* icon = new QLabel(this);
    place(icon, 240, 360, 300, 300);
    icon->setPixmap(programIconPixmap(twips(300)));

    auto* title = label(this, QString::fromUtf8(kProgramName), 1050, 240, 4005, 480);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setFont(msSansSerif(13.5, false));
    auto* version = label(this, QStringLiteral("Версия " TAVRO_VERSION), 1050, 780, 4005, 225);
    version->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label(this,
          QStringLiteral(
              "       Программа предназначена для проектирования ракетрного сверхзвукового "
              "профилированного сопла. Позволяет получить визуальное  представление  "
              "создаваемого  профиля,   сделать чертеж,  рассчитать  параметры  и  "
              "распечатать  шаблон для изготовления сопла.\n"
              "       Расчет ведется по опубликованной методике профилирования сверхзвуковых "
              "сопел с эмпирическими графиками длины диффузора и угла раскрытия.\n\n"
              "Tavro-nozzle\n\nсвободная программа"),
          180, 1125, 6435, 2250);
    label(this, QStringLiteral("   Сайты автора:"), 120, 3480, 3015, 255);
    const char* const sites[] = {"tavro-nozzle.example.org", "nozzle.example.net"};
    const char* const pages[] = {"https://tavro-nozzle.example.org/download",
                                 "https://nozzle.example.net/tavro"};
    for (int i = 0; i < 2; ++i) {
        auto* site = new QLineEdit(QString::fromUtf8(sites[i]), this);
        site->setReadOnly(true);
        site->setFocusPolicy(Qt::ClickFocus);
        place(site, 2760, 3480 + 360 * i, 3855, 285);
        auto* page = new QLineEdit(QString::fromUtf8(pages[i]), this);
        page->setReadOnly(true);
        page->setFocusPolicy(Qt::ClickFocus);
        place(page, 240, 5040 + 360 * i, 5055, 315);
    }
    auto* etched = new QFrame(this);
    etched->setFrameShape(QFrame::HLine);
    etched->setFrameShadow(QFrame::Sunken);
    place(etched, 90, 4305, 6510, 30);
    label(this,
          QStringLiteral("Распространяется свободно, без гарантий.\n"
                         "Последнюю версию можно найти на: "),
          240, 4440, 6375, 555);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    place(ok, 5400, 5160, 1260, 435);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    setAttribute(Qt::WA_DeleteOnClose);
}

HelpDialog::HelpDialog(QWidget* parent) : QDialog(parent) {
    fixedDialog(this, QStringLiteral("Помощь"), 6960, 6450);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(171, 171, 171));  // the application-workspace colour
    setPalette(pal);

    auto frame = [](QWidget* parent, const QString& caption, bool bold, int l, int t, int w,
                    int h) {
        auto* g = new QGroupBox(caption, parent);
        g->setFont(msSansSerif(9.75, bold));
        place(g, l, t, w, h);
        return g;
    };
    auto text = [](QWidget* parent, const QString& t, int l, int top, int w, int h) {
        // The texts keep the window's own face, not their frame's caption font.
        label(parent, t, l, top, w, h)->setFont(msSansSerif(8.25, false));
    };
    QGroupBox* menu = frame(this, QStringLiteral("Меню"), true, 120, 120, 6735, 3015);
    QGroupBox* file = frame(menu, QStringLiteral("Файл"), false, 120, 360, 6495, 1215);
    text(file,
         QStringLiteral("Есть возможность распечатать рисунок на принтере в виде чертежа - "
                        "\"печать - чертеж\"  или в виде шаблона - \"печать - шаблон\", а также "
                        "сохранить картинку в файле Bitmap \"bmp\" или Jpeg \"jpg\"."),
         120, 360, 6255, 735);
    QGroupBox* edit = frame(menu, QStringLiteral("Правка"), false, 120, 1680, 6495, 1215);
    text(edit,
         QStringLiteral("Можно быстро \"очистить\" все поля и быстро  \"восстановить\" "
                        "последний сохраненный вариант значений параметров. "),
         120, 480, 6255, 615);
    QGroupBox* extra =
        frame(this, QStringLiteral("Дополнительные возможности"), true, 120, 3240, 6735, 2655);
    QGroupBox* keys = frame(extra, QStringLiteral("Клавиши"), false, 120, 480, 6495, 975);
    text(keys,
         QStringLiteral("Кроме дублирования большинства пунктов меню быстрыми клавишами, есть "
                        "и быстрый выход по клавише Escape, но без сохранения изменений."),
         120, 360, 6135, 495);
    QGroupBox* hints = frame(this, QStringLiteral("Подсказки"), false, 240, 4800, 6495, 975);
    text(hints,
         QStringLiteral("Двойной клик на полях, помеченных звездочкой (*), высвечивает "
                        "контекстный комментарий."),
         120, 360, 6135, 495);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    place(ok, 2880, 6000, 1215, 375);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setModal(true);
    ok->setFocus();
}

}  // namespace tavro
