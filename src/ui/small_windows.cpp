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
#include <QVBoxLayout>
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
    // The program has no web site of its own: the window names none rather than invent one.
    auto* etched = new QFrame(this);
    etched->setFrameShape(QFrame::HLine);
    etched->setFrameShadow(QFrame::Sunken);
    place(etched, 90, 4305, 6510, 30);
    label(this,
          QStringLiteral("Свободная программа: распространяется на условиях лицензии GNU GPL "
                         "версии 3 или более поздней, без каких-либо гарантий."),
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

    // Every command is described, so the frames take the height their texts need.
    const auto frame = [](const QString& caption, bool bold) {
        auto* g = new QGroupBox(caption);
        g->setFont(msSansSerif(9.75, bold));
        auto* lay = new QVBoxLayout(g);
        lay->setContentsMargins(twips(120), twips(120), twips(120), twips(120));
        lay->setSpacing(twips(120));
        return g;
    };
    const auto text = [](QGroupBox* box, const QString& t) {
        auto* lab = new QLabel(t);
        lab->setWordWrap(true);
        // The texts keep the window's own face, not their frame's caption font.
        lab->setFont(msSansSerif(8.25, false));
        box->layout()->addWidget(lab);
    };
    const auto sub = [](QGroupBox* outer, QGroupBox* inner) { outer->layout()->addWidget(inner); };

    QGroupBox* menu = frame(QStringLiteral("Меню"), true);
    QGroupBox* file = frame(QStringLiteral("Файл"), false);
    text(file, QStringLiteral(
                   "Проект сопла хранится в файле параметров: \"открыть\" (Ctrl+O), "
                   "\"сохранить\" (Ctrl+S), \"сохранить как\" (Ctrl+A). После \"очистить\" "
                   "новый проект сохраняется под новым именем, старый файл не заменяется молча."));
    text(file,
         QStringLiteral("Есть возможность распечатать рисунок на принтере в виде чертежа - "
                        "\"печать - чертеж\" (Ctrl+P)  или в виде шаблона в натуральную величину "
                        "- \"печать - шаблон\" (Ctrl+L). Сначала открывается предварительный "
                        "просмотр; его кнопка печати предлагает выбрать принтер, бумагу и число "
                        "копий, а если принтера нет, сохраняет листы в файл PDF."));
    text(file, QStringLiteral("\"сохранить рисунок\" записывает лист в файл Bitmap \"bmp\" "
                              "(Ctrl+B) или Jpeg \"jpg\" (Ctrl+J)."));
    text(file,
         QStringLiteral("\"экспорт контура\" записывает стенку сопла в натуральную величину, в "
                        "миллиметрах, для мастерской: \"dxf\" для CAD и станков с ЧПУ, \"svg\" - "
                        "рисунок контура, \"stl\" и \"step\" - объемная модель канала сопла, "
                        "\"таблица координат\" - радиусы по длине сопла для токаря."));
    text(file, QStringLiteral("\"выход\" (Ctrl+Q) спрашивает, сохранить ли изменения."));
    sub(menu, file);
    QGroupBox* edit = frame(QStringLiteral("Правка"), false);
    text(edit, QStringLiteral("Можно быстро \"очистить\" (F5) все поля и быстро  \"восстановить\" "
                              "(F4) последний сохраненный вариант значений параметров. "));
    sub(menu, edit);
    QGroupBox* calc = frame(QStringLiteral("Расчет"), false);
    text(calc,
         QStringLiteral(
             "Кнопка \"рассчитать\" проверяет исходные данные, рассчитывает сопло и "
             "строит чертеж. \"расчет - характеристики сопла\" (Ctrl+T) открывает окно с тягой, "
             "коэффициентом тяги и числом Маха на срезе, предупреждением об отрыве потока "
             "у земли, графиком тяги по высоте и областью давлений и высот, в которой "
             "сопло рассчитывается."));
    sub(menu, calc);
    QGroupBox* info = frame(QStringLiteral("Справка"), false);
    text(info, QStringLiteral("\"о программе\" (Ctrl+I) и эта \"помощь\" (F1)."));
    sub(menu, info);

    QGroupBox* extra = frame(QStringLiteral("Дополнительные возможности"), true);
    QGroupBox* keys = frame(QStringLiteral("Клавиши"), false);
    text(keys,
         QStringLiteral("Кроме дублирования большинства пунктов меню быстрыми клавишами, есть и "
                        "быстрый выход по клавише Escape; если есть несохраненные изменения, "
                        "программа сначала спросит, сохранить ли их. Enter и стрелки вверх и вниз "
                        "переходят между полями."));
    sub(extra, keys);
    QGroupBox* numbers = frame(QStringLiteral("Числа"), false);
    text(numbers, QStringLiteral("Дробную часть можно отделять запятой или точкой: 12,5 и 12.5 "
                                 "- одно и то же число. Две запятые или точки в одном числе - "
                                 "ошибка ввода."));
    sub(extra, numbers);
    QGroupBox* hints = frame(QStringLiteral("Подсказки"), false);
    text(hints, QStringLiteral("Двойной клик на полях, помеченных звездочкой (*), высвечивает "
                               "контекстный комментарий."));
    sub(extra, hints);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setFixedSize(twips(1215), twips(375));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(twips(120), twips(120), twips(120), twips(120));
    lay->addWidget(menu);
    lay->addWidget(extra);
    lay->addWidget(ok, 0, Qt::AlignHCenter);
    // The width stays; the height is what the texts need at that width.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int width = twips(6960);
    const int height = lay->totalHeightForWidth(width);
    setFixedSize(width, height);
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->availableGeometry();
        move(g.center() - QPoint(width / 2, height / 2));
    }
    setModal(true);
    ok->setFocus();
}

}  // namespace tavro
