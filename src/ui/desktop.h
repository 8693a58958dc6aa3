// What makes the program a desktop citizen: Qt's own texts in Russian and the nozzle icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <thread>

class QCoreApplication;

namespace tavro {

// Loads Qt's own Russian texts (file dialogs, a field's context menu, standard buttons) from the
// Qt installation. Without them (qt6-translations-l10n missing) Qt's texts stay English and the
// program runs all the same; the result says which.
bool installQtTranslations(QCoreApplication& app);

// Reads the platform's font configuration on a second thread from construction to finish(): the
// first text a widget lays out would otherwise read it on the way to the first frame, after the
// connection to the display that it can run beside. Where Qt does not use fontconfig it does
// nothing.
class FontConfigReader {
  public:
    FontConfigReader();
    ~FontConfigReader();
    FontConfigReader(const FontConfigReader&) = delete;
    FontConfigReader& operator=(const FontConfigReader&) = delete;
    // Waits until the configuration is read.
    void finish();

  private:
    std::thread thread_;
};

// The program's icon, drawn from its scalable picture at the sizes desktops ask for.
QIcon programIcon();
QPixmap programIconPixmap(int side);

}  // namespace tavro
