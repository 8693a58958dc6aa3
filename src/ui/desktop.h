// What makes the program a desktop citizen: Qt's own texts in Russian and the nozzle icon.
#pragma once

#include <QIcon>
#include <QPixmap>

class QCoreApplication;

namespace tavro {

// Loads Qt's own Russian texts (file dialogs, a field's context menu, standard buttons) from the
// Qt installation. Without them (qt6-translations-l10n missing) Qt's texts stay English and the
// program runs all the same; the result says which.
bool installQtTranslations(QCoreApplication& app);

// The program's icon, drawn from its scalable picture at the sizes desktops ask for.
QIcon programIcon();
QPixmap programIconPixmap(int side);

}  // namespace tavro
