// Questions and notices to the user as real message boxes and file dialogs.
#include "qt_prompts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "small_windows.h"

namespace tavro {
namespace {

QString fromUtf8(const std::string& s) {
    // Message texts break lines with CR LF; Qt wants a plain line feed.
    return QString::fromStdString(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

QString qtFilter(const std::string& filter) {
    const QString f = QString::fromStdString(filter);
    const qsizetype bar = f.indexOf(QLatin1Char('|'));
    return (bar < 0 ? f : f.left(bar)).trimmed();
}

Answer QtPrompts::messageBox(const std::string& text, const std::string& title, Buttons buttons,
                             Icon icon) {
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(fromUtf8(text));
    switch (icon) {
        case Icon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::YesNo:
        case Buttons::YesNoDefaultNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    // The program speaks Russian, its buttons too.
    const std::pair<QMessageBox::StandardButton, const char*> names[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Yes, "Да"},
        {QMessageBox::No, "Нет"},
        {QMessageBox::Cancel, "Отмена"},
    };
    for (const auto& [button, name] : names) {
        if (QAbstractButton* b = box.button(button)) b->setText(QString::fromUtf8(name));
    }
    // The first button is the default; closing the box counts as its escape button.
    box.setDefaultButton(buttons == Buttons::Ok               ? QMessageBox::Ok
                         : buttons == Buttons::YesNoDefaultNo ? QMessageBox::No
                                                              : QMessageBox::Yes);
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoDefaultNo)
        box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::Ok;
    }
}

bool QtPrompts::openFileName(const std::string& filter, const std::string& initial,
                             std::string& chosen) {
    const QString path = QFileDialog::getOpenFileName(
        parent_, QString(), QString::fromStdString(initial), qtFilter(filter));
    if (path.isEmpty()) return false;
    chosen = path.toStdString();
    return true;
}

bool QtPrompts::saveFileName(const std::string& filter, const std::string& initial,
                             std::string& chosen) {
    // The commands ask about existing files themselves.
    const QString path =
        QFileDialog::getSaveFileName(parent_, QString(), QString::fromStdString(initial),
                                     qtFilter(filter), nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return false;
    chosen = path.toStdString();
    return true;
}

void QtPrompts::confirmSaved() {
    if (beforeOwnWindow) beforeOwnWindow();
    FormOk ok(parent_);
    ok.exec();
}

void QtPrompts::endProgram() {
    QCoreApplication::exit(0);
}

}  // namespace tavro
