// Form1: the main window with its 22 rows, the sheet, the compute button and the menus.
#include "form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "charts_module.h"
#include "cp1251_validator.h"
#include "document_commands.h"
#include "first_sheet.h"
#include "frame_extents.h"
#include "last_state.h"
#include "layout.h"
#include "off_design_sheet.h"
#include "operating_range.h"
#include "painter_target.h"
#include "params_file.h"
#include "rebuilder.h"
#include "sheet_output.h"
#include "sheet_widget.h"
#include "small_windows.h"
#include "text_fit.h"
#include "workshop_formats.h"

namespace tavro {
namespace {

const QColor kFormGrey(192, 192, 192);

// A face the platform lacks is asked for under the name of its stand-in (substituteFonts): given
// the missing name first, Qt would have fontconfig sort every installed font for its fallbacks,
// per face and script, before it tries the stand-in it then draws with all the same.
QString installedFace(const char* family) {
    const QString name = QString::fromLatin1(family);
    static const QStringList installed = QFontDatabase::families();
    if (installed.contains(name, Qt::CaseInsensitive)) return name;
    for (const QString& standIn : QFont::substitutes(name)) {
        if (installed.contains(standIn, Qt::CaseInsensitive)) return standIn;
    }
    return name;
}

QFont face(const char* family, double points, bool bold) {
    QFont f(installedFace(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

bool isHeading(int row) {
    return row == kRowInputHeading || row == kRowOptionHeading || row == kRowResultHeading;
}
bool isResult(int row) {
    return row >= kRowPa && row <= kRowLn;
}

// The faces and sizes the rows are meant to have; a small screen may show them smaller.
QFont captionFont(int row) {
    return row == kRowTitle ? face("MS Sans Serif", 12, true)
                            : face("Arial", 9.75, isHeading(row) || row == kRowNote);
}
QFont fieldFont(int row) {
    if (row == kRowTitle) return face("Arial", 12, false);
    if (row == kRowNote) return face("Arial", 9.75, false);
    return face("Courier", 12, true);
}

int keyCode(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kKeyEnter;
        case Qt::Key_Escape:
            return kKeyEscape;
        case Qt::Key_Up:
            return kKeyUp;
        case Qt::Key_Down:
            return kKeyDown;
        default:
            return 0;
    }
}

}  // namespace

Form1::Form1(DesignState& state, const std::string& appDir, char decimalSeparator)
    : state_(state),
      appDir_(appDir),
      prompts_(this),
      logic_(state, *this, prompts_, decimalSeparator) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kFormGrey);
    setPalette(pal);
    setAutoFillBackground(true);
    setCentralWidget(new QWidget(this));
    prompts_.beforeOwnWindow = [this] { ownWindowShown(); };
    // The off-design notice says why, and which chamber pressures and altitudes would work.
    prompts_.offDesignDetail = [this] {
        return offDesignDetail(state_, logic_.decimalSeparator());
    };
    buildMenus();
    buildRows();
}

Form1::~Form1() = default;

void Form1::buildRows() {
    QWidget* client = centralWidget();
    auto* validator = new Cp1251Validator(this);
    for (int r = 0; r < kRowCount; ++r) {
        auto* lab = new QLabel(client);
        lab->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        lab->setFont(captionFont(r));
        lab->installEventFilter(this);
        Label1_[static_cast<size_t>(r)] = lab;

        auto* f = new QLineEdit(client);
        f->setValidator(validator);
        f->installEventFilter(this);
        f->setFont(fieldFont(r));
        if (r == kRowTitle) {
            f->setAlignment(Qt::AlignCenter);
        } else if (r != kRowNote) {
            f->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        connect(f, &QLineEdit::textChanged, this, [this, r] {
            if (isResult(r)) {
                fitResults();
            } else {
                fitField(r);
            }
        });
        if (isResult(r)) {
            f->setReadOnly(true);
            f->setFocusPolicy(Qt::ClickFocus);  // focusable by mouse, never by Tab
            QPalette p = f->palette();
            p.setColor(QPalette::Base, kFormGrey);
            f->setPalette(p);
        }
        if (isHeading(r)) f->hide();
        Text1_[static_cast<size_t>(r)] = f;
    }
    Text1_[kRowInputHeading]->setText(QStringLiteral("input"));
    Text1_[kRowOptionHeading]->setText(QStringLiteral("option"));
    Text1_[kRowResultHeading]->setText(QStringLiteral("result"));

    Command1_ = new QPushButton(client);
    Command1_->setFont(face("Arial", 9, false));
    Command1_->setAutoDefault(false);
    Command1_->installEventFilter(this);
    connect(Command1_, &QPushButton::clicked, this, [this] { logic_.Command1_Click(); });

    // Tab order by row: 0, 2-6, 8, 9, 21, then the compute button.
    const int order[] = {0, 2, 3, 4, 5, 6, 8, 9, 21};
    QWidget* previous = nullptr;
    for (int r : order) {
        if (previous) setTabOrder(previous, Text1_[static_cast<size_t>(r)]);
        previous = Text1_[static_cast<size_t>(r)];
    }
    setTabOrder(previous, Command1_);
}

QMenu* Form1::addMenu(QMenu* parent, const char* caption) {
    const QString text = QString::fromUtf8(caption);
    QMenu* menu = parent ? parent->addMenu(text) : menuBar()->addMenu(text);
    // An edit in the focused field counts before the menu shows what is enabled.
    connect(menu, &QMenu::aboutToShow, this, [this] { takeFocusedEdit(); });
    return menu;
}

QAction* Form1::addItem(QMenu* menu, const char* caption, const char* shortcut,
                        std::function<void()> run) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    a->setShortcutContext(Qt::WindowShortcut);
    connect(a, &QAction::triggered, this, [this, run = std::move(run)] {
        takeFocusedEdit();
        run();
    });
    return a;
}

void Form1::addItem(QMenu* menu, const char* caption, const char* shortcut, Command command) {
    QAction* a = addItem(menu, caption, shortcut, [this, command] {
        if (commands_.*command) (commands_.*command)();
    });
    actions_.emplace_back(command, a);
}

// The menu bar in the original design's order, each item wired to its command.
void Form1::buildMenus() {
    QMenu* file = addMenu(nullptr, "файл");
    addItem(file, "открыть", "Ctrl+O", &MenuCommands::open);
    addItem(file, "сохранить", "Ctrl+S", &MenuCommands::save);
    addItem(file, "сохранить как", "Ctrl+A", &MenuCommands::saveAs);
    QMenu* picture = addMenu(file, "сохранить рисунок");
    addItem(picture, "bitmap", "Ctrl+B", &MenuCommands::saveBmp);
    addItem(picture, "jpeg", "Ctrl+J", &MenuCommands::saveJpg);
    QMenu* contour = addMenu(file, "экспорт контура");
    for (const WorkshopFormat& f : workshopFormats()) {
        addItem(contour, f.caption, "", [this, &f] {
            if (commands_.exportContour) commands_.exportContour(f);
        });
    }
    QMenu* print = addMenu(file, "печать");
    addItem(print, "чертеж", "Ctrl+P", &MenuCommands::printDrawing);
    addItem(print, "шаблон", "Ctrl+L", &MenuCommands::printTemplate);
    addItem(file, "выход", "Ctrl+Q", &MenuCommands::exit);
    QMenu* edit = addMenu(nullptr, "правка");
    addItem(edit, "очистить", "F5", &MenuCommands::clear);
    addItem(edit, "восстановить", "F4", &MenuCommands::restore);
    QMenu* calc = addMenu(nullptr, "расчет");
    addItem(calc, "характеристики сопла", "Ctrl+T", &MenuCommands::characteristics);
    QMenu* info = addMenu(nullptr, "справка");
    addItem(info, "о программе", "Ctrl+I", &MenuCommands::about);
    addItem(info, "помощь", "F1", &MenuCommands::help);
    commands_.about = [this] { showAbout(); };
    commands_.help = [this] { showHelp(); };
    commands_.characteristics = [this] { showCharacteristics(); };
}

QAction* Form1::action(Command command) const {
    for (const auto& [c, a] : actions_)
        if (c == command) return a;
    return nullptr;
}

void Form1::Form_Load() {
    MainLogic::Documents docs;
    docs.readLastState = [this] { return ReadLastState(appDir_); };
    docs.loadParams = [this](const std::string& path) {
        return LoadParams(pathInAppDir(appDir_, path), state_, *this);
    };
    logic_.Form_Load(docs);
    // The frame is part of the window's size on the screen: known now, the window is laid out
    // once and never moves when the window manager frames it.
    frame_ = windowManagerFrame();
    applyLayout();
    // The design opened is drawn once the window is shown: meanwhile, on a thread of its own.
    if (state_.InRange) firstSheet_.start(state_, sheetSpec());
    // SetCaptions
    for (int r = 0; r < kRowCount; ++r) {
        Label1_[static_cast<size_t>(r)]->setText(
            QString::fromUtf8(startupCaptions()[static_cast<size_t>(r)]));
    }
    Command1_->setText(QStringLiteral("рассчитать"));
    fitTexts();
    designShown();
}

// A column of captions in several sizes reads as a mistake: the rows' captions share the
// largest size at which every one fits. The title's caption is a heading of its own.
void Form1::fitTexts() {
    double points = captionFont(kRowRkr).pointSizeF();
    for (int r = kRowInputHeading; r < kRowCount; ++r) {
        const QLabel* lab = label(r);
        points =
            std::min(points, fittingFont(captionFont(r), lab->text(), lab->size()).pointSizeF());
    }
    for (int r = 0; r < kRowCount; ++r) {
        QLabel* lab = label(r);
        if (r == kRowTitle) {
            fitInto(lab, captionFits_[kRowTitle], captionFont(r), lab->text(), lab->size());
        } else {
            QFont f = captionFont(r);
            f.setPointSizeF(points);
            if (lab->font() != f) lab->setFont(f);
        }
        if (!isResult(r)) fitField(r);
    }
    fitResults();
}

// The results are read as one column too: one size for all of them.
void Form1::fitResults() {
    if (!laidOut_) return;
    double points = fieldFont(kRowPa).pointSizeF();
    for (int r = kRowPa; r <= kRowLn; ++r) {
        const QLineEdit* f = field(r);
        points = std::min(
            points,
            fittingFont(fieldFont(r), f->text(), lineEditTextBox(*f, f->size())).pointSizeF());
    }
    for (int r = kRowPa; r <= kRowLn; ++r) {
        QFont f = fieldFont(r);
        f.setPointSizeF(points);
        // Each result written refits the column: a font that stays is not set again.
        if (field(r)->font() != f) field(r)->setFont(f);
    }
}

void Form1::fitField(int row) {
    // Texts loaded before the first layout are fitted by it, to the boxes they will have.
    if (!laidOut_) return;
    QLineEdit* f = field(row);
    QSize box = lineEditTextBox(*f, f->size());
    // The title and the note are free text that scrolls in its field: only its height must fit.
    // A number is read whole.
    if (row == kRowTitle || row == kRowNote) box.setWidth(QWIDGETSIZE_MAX);
    fitInto(f, fieldFits_[static_cast<size_t>(row)], fieldFont(row), f->text(), box);
}

void Form1::fitInto(QWidget* w, Fitted& last, const QFont& nominal, const QString& text,
                    QSize box) {
    if (box.isValid() && last.box == box && last.text == text) return;
    last = {text, box};
    w->setFont(fittingFont(nominal, text, box));
}

void Form1::applyLayout() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect sg = screen ? screen->geometry() : QRect(0, 0, 1280, 1024);
    const int menuHeight = menuBar()->sizeHint().height();
    const WindowLayout L =
        computeLayout(sg.width(), sg.height(), menuHeight, frame_.width(), frame_.height());
    setFixedSize(L.window.width, L.window.height);
    move(sg.left() + L.window.left, sg.top() + L.window.top);

    auto put = [](QWidget* w, const PixelRect& b) {
        w->setGeometry(b.left, b.top, b.width, b.height);
    };
    for (int r = 0; r < kRowCount; ++r) {
        put(Label1_[static_cast<size_t>(r)], L.captions[static_cast<size_t>(r)]);
        put(Text1_[static_cast<size_t>(r)], L.fields[static_cast<size_t>(r)]);
    }
    put(Command1_, L.computeButton);
    Command1_->raise();

    sheetTarget_.reset();
    delete Picture1_;
    Picture1_ = new SheetWidget(centralWidget(), QSize(L.sheet.width, L.sheet.height),
                                screen ? screen->devicePixelRatio() : 1.0);
    Picture1_->move(L.sheet.left, L.sheet.top);
    // The first frame that counts is the first with the sheet drawn on it.
    Picture1_->onPainted = [this] {
        if (!sheetShown_ || framePainted_) return;
        framePainted_ = true;
        // After the frame has gone to the screen; a window closed meanwhile needs nothing more.
        QTimer::singleShot(0, this, [this] {
            if (afterFirstFrame && isVisible()) afterFirstFrame();
        });
    };
    Picture1_->show();
    laidOut_ = true;
}

std::string Form1::text(int row) const {
    return field(row)->text().toStdString();
}

void Form1::setText(int row, const std::string& text) {
    field(row)->setText(QString::fromStdString(text));
}

std::string Form1::caption(int row) const {
    return label(row)->text().toStdString();
}

void Form1::focusField(int row) {
    QLineEdit* f = field(row);
    if (f->isVisible() || !isVisible()) f->setFocus(Qt::OtherFocusReason);
    // The window may not be active yet (a message box has just closed): the platform then
    // reports the focus later, as an activation, or not at all. The field counts as entered
    // now, whatever comes.
    enterField(row);
}

void Form1::enterField(int row) {
    if (entered_ == row) return;
    if (entered_ >= 0) leaveField(entered_);
    entered_ = row;
    logic_.Text1_GotFocus(row);
}

void Form1::leaveField(int row) {
    if (entered_ != row) return;
    entered_ = -1;
    logic_.Text1_LostFocus(row);
}

void Form1::takeFocusedEdit() {
    const int row = entered_;
    if (row < 0 || text(row) == state_.FocusText) return;
    leaveField(row);
    enterField(row);
}

void Form1::selectAll(int row) {
    field(row)->selectAll();
}

void Form1::setComputeBold(bool bold) {
    QFont f = Command1_->font();
    f.setBold(bold);
    Command1_->setFont(f);
}

void Form1::enableMenu(MenuItem item, bool enabled) {
    action(item == MenuItem::FileSave ? &MenuCommands::save : &MenuCommands::restore)
        ->setEnabled(enabled);
}

void Form1::setWindowCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

// The sheet's painter, made with the sheet's image when first needed.
PainterTarget* Form1::sheetPainter() {
    if (!Picture1_) return nullptr;
    if (!sheetTarget_) sheetTarget_ = std::make_unique<PainterTarget>(Picture1_->image());
    return sheetTarget_.get();
}

FirstSheet::Sheet Form1::sheetSpec() const {
    return {Picture1_->size(), Picture1_->devicePixelRatio(), Picture1_->paper(),
            PainterTarget::systemButtonFace(), logic_.decimalSeparator()};
}

void Form1::eraseSheet() {
    designShown();
    PainterTarget* sheet = sheetPainter();
    if (!sheet) return;
    sheet->cls();
    sheet->release();
    Picture1_->update();
}

void Form1::redrawSheet() {
    designShown();
    if (!Picture1_) return;
    if (auto drawn = firstSheet_.take(state_, sheetSpec())) {
        // The painter is made again on the image handed over.
        sheetTarget_.reset();
        Picture1_->setImage(std::move(drawn->image));
        state_.AxisX = drawn->axisX;
        state_.EntryY = drawn->entryY;
        sheetShown_ = true;
        return;
    }
    PainterTarget* sheet = sheetPainter();
    if (Rebuilder(*sheet, state_, Output(OutputMode::Window, PainterTarget::systemButtonFace()),
                  logic_.decimalSeparator(), prompts_) == RebuildOutcome::OffDesign) {
        showBlankSheet();
        return;
    }
    sheet->release();
    Picture1_->update();
    sheetShown_ = true;
}

void Form1::showBlankSheet() {
    designShown();
    PainterTarget* sheet = sheetPainter();
    if (!sheet) return;
    sheet->setScaleMode(kScaleUser);
    sheet->cls();
    // After a refusal every field may be filled: the sheet says why instead of asking for them.
    if (state_.InRange) {
        BlankSheet(*sheet, PainterTarget::systemButtonFace());
    } else {
        const char sep = logic_.decimalSeparator();
        OffDesignSheet(*sheet, PainterTarget::systemButtonFace(),
                       offDesignLines(state_, operatingRanges(state_), sep));
    }
    sheet->release();
    Picture1_->update();
    sheetShown_ = true;
}

int Form1::rowOf(QObject* object) const {
    for (int r = 0; r < kRowCount; ++r) {
        if (Text1_[static_cast<size_t>(r)] == object || Label1_[static_cast<size_t>(r)] == object) {
            return r;
        }
    }
    return -1;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // Of the About window only its activation matters (compared then only: while it is being
    // destroyed it is no longer an About window). Its keys are its own.
    if (event->type() == QEvent::WindowActivate) {
        if (watched == about_) activatePending_ = true;
        return QMainWindow::eventFilter(watched, event);
    }
    const int row = rowOf(watched);
    if (row < 0 && watched != Command1_) return QMainWindow::eventFilter(watched, event);
    const bool isField = row >= 0 && watched == Text1_[static_cast<size_t>(row)];
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            // Menus, message boxes, dialogs and other programs take the focus away without
            // the field being left.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (!isField || reason == Qt::ActiveWindowFocusReason ||
                reason == Qt::PopupFocusReason) {
                break;
            }
            if (event->type() == QEvent::FocusIn) {
                enterField(row);
            } else {
                leaveField(row);
            }
            break;
        }
        case QEvent::ShortcutOverride: {
            // The menu's shortcuts win over the field's own keys (Ctrl+A is Save As here).
            const auto* key = static_cast<QKeyEvent*>(event);
            const QKeySequence pressed(key->keyCombination());
            for (const auto& [name, a] : actions_) {
                if (a->shortcut() != pressed) continue;
                // Before the shortcut is matched, so that a first edit enables Save and
                // Restore for their keys.
                takeFocusedEdit();
                return true;
            }
            break;
        }
        case QEvent::KeyPress: {
            const int code = keyCode(static_cast<QKeyEvent*>(event)->key());
            if (code == 0) break;
            const bool onButton = watched == Command1_;
            // An edit still in its field is a change that Esc asks about.
            if (code == kKeyEscape) takeFocusedEdit();
            logic_.Form_KeyDown(code);
            if (onButton && code == kKeyEnter) Command1_->click();
            return true;
        }
        case QEvent::MouseButtonDblClick:
            if (row >= 0 && !isField) logic_.Label1_DblClick(row);
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool Form1::event(QEvent* event) {
    // The first showing counts as an activation even where no window manager activates it.
    if (event->type() == QEvent::WindowActivate || (event->type() == QEvent::Show && !shownOnce_)) {
        if (event->type() == QEvent::Show) {
            shownOnce_ = true;
            activateWindow();
        }
        if (activatePending_) {
            // After the activation itself has been handled, as the platform would.
            QTimer::singleShot(0, this, [this] { runActivate(); });
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const int code = keyCode(static_cast<QKeyEvent*>(event)->key());
        if (code != 0) {
            if (code == kKeyEscape) takeFocusedEdit();
            logic_.Form_KeyDown(code);
            return true;
        }
    }
    return QMainWindow::event(event);
}

void Form1::runActivate() {
    if (!activatePending_ || activating_) return;
    activatePending_ = false;
    activating_ = true;
    // A window manager's frame is known once the window is shown: the frame, not only the
    // inside, is laid out to the screen. The drawing below is made on the new sheet.
    const QSize frame = frameGeometry().size() - size();
    // Before the window manager has framed the window no frame shows yet: the one it was
    // asked for stays. A frame it draws otherwise than it said still counts.
    if (frame != frame_ && frame.width() >= 0 && frame.height() >= 0 && !frame.isNull()) {
        frame_ = frame;
        applyLayout();
        fitTexts();
    }
    logic_.Form_Activate();
    activating_ = false;
}

void Form1::closeEvent(QCloseEvent* event) {
    takeFocusedEdit();
    if (onClose && !onClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

void Form1::showAbout() {
    ownWindowShown();
    if (!about_) {
        about_ = new FrmAbout(this);
        about_->installEventFilter(this);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void Form1::showHelp() {
    ownWindowShown();
    HelpDialog help(this);
    help.exec();
    ownWindowShown();
}

QWidget* Form1::characteristics() const {
    return characteristics_;
}

void Form1::showCharacteristics() {
    if (!characteristics_) {
        std::string why;
        charts_ = chartsModule(why);
        if (!charts_) {
            prompts_.messageBox("Окно характеристик сопла не открылось.\r\nПричина: " + why,
                                "Характеристики сопла", Buttons::Ok, Icon::Exclamation);
            return;
        }
        characteristics_ = charts_->window(this, logic_.decimalSeparator());
        charts_->show(characteristics_, shownDesign_);
    }
    characteristics_->show();
    characteristics_->raise();
    characteristics_->activateWindow();
}

void Form1::designShown() {
    // Coming back to the window redraws an unchanged design; and Clear erases the sheet before
    // it clears the design, so the design is read once the command is over.
    if (activating_ || designShownQueued_) return;
    designShownQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        designShownQueued_ = false;
        shownDesign_ = state_;
        if (characteristics_) charts_->show(characteristics_, shownDesign_);
    });
}

void substituteFonts() {
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

void connectDocumentCommands(Form1& form, DocumentCommands& c, QtSheetOutput& output) {
    MenuCommands& m = form.commands();
    m.open = [&c] { c.mnuFileOpen_Click(); };
    m.save = [&c] { c.mnuFileSave_Click(); };
    m.saveAs = [&c] { c.mnuFileSaveAs_Click(); };
    m.saveBmp = [&c] { c.mnuFileSaveImgBmp_Click(); };
    m.saveJpg = [&c] { c.mnuFileSaveImgJpg_Click(); };
    m.exportContour = [&c](const WorkshopFormat& f) { c.exportContour(f); };
    m.printDrawing = [&c] { c.mnuFilePrintDraw_Click(); };
    m.printTemplate = [&c] { c.mnuFilePrintTemp_Click(); };
    m.exit = [&c] { c.mnuFileExit_Click(); };
    m.clear = [&c] { c.mnuEditCls_Click(); };
    m.restore = [&c] { c.mnuEditRestore_Click(); };
    form.onClose = [&c] { return c.Form_Unload(); };
    form.logic().setExitCommand([&c] { c.mnuFileExit_Click(); });
    output.setSheet(
        [&form]() -> QImage* { return form.sheet() ? &form.sheet()->image() : nullptr; });
}

}  // namespace tavro
