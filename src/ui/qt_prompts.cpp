// Questions and notices to the user as real message boxes and file dialogs.
#include "qt_prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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

QString filterSuffix(const std::string& filter) {
    const QString f = qtFilter(filter);
    const qsizetype star = f.indexOf(QStringLiteral("*."));
    if (star < 0) return QString();
    qsizetype end = star + 2;
    while (end < f.size() && f[end].isLetterOrNumber()) ++end;
    return f.mid(star + 2, end - star - 2);
}

QString dialogStart(const std::string& initial, const QString& suffix, const QString& programDir,
                    const QString& homeDir) {
    if (initial.empty()) return homeDir;
    // A relative name (a document named so in last.srd) lies in the program's folder.
    const QFileInfo name(QDir(programDir).filePath(QString::fromStdString(initial)));
    // An installed program's folder cannot be written, and the user's files do not belong there.
    QString folder = name.absolutePath();
    if (QDir(folder) == QDir(programDir)) folder = homeDir;
    QString file = name.fileName();
    // A proposed picture name carries its own type, so a BMP never replaces a JPEG unasked.
    if (!suffix.isEmpty() && !file.isEmpty() && name.suffix().isEmpty())
        file += QLatin1Char('.') + suffix;
    return QDir(folder).filePath(file);
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
    const QString start =
        dialogStart(initial, QString(), QCoreApplication::applicationDirPath(), QDir::homePath());
    const QString path = QFileDialog::getOpenFileName(parent_, QString(), start, qtFilter(filter));
    if (path.isEmpty()) return false;
    chosen = path.toStdString();
    return true;
}

bool QtPrompts::saveFileName(const std::string& filter, const std::string& initial,
                             std::string& chosen) {
    const QString suffix = filterSuffix(filter);
    QFileDialog dialog(
        parent_, QString(),
        dialogStart(initial, suffix, QCoreApplication::applicationDirPath(), QDir::homePath()),
        qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without a suffix gets the type's own; one typed with a suffix stays as it is.
    dialog.setDefaultSuffix(suffix);
    // The commands ask about existing files themselves.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const QString path = dialog.selectedFiles().constFirst();
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
