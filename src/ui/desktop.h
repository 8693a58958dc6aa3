// What makes the program a desktop citizen: Qt's own texts in Russian and the nozzle icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <condition_variable>
#include <mutex>
#include <thread>

class QCoreApplication;

namespace tavro {

// Loads Qt's own Russian texts (file dialogs, a field's context menu, standard buttons) from the
// Qt installation. Without them (qt6-translations-l10n missing) Qt's texts stay English and the
// program runs all the same; the result says which.
bool installQtTranslations(QCoreApplication& app);

// Reads the platform's font configuration and Qt's list of fonts on a second thread: the first
// text a widget lays out would otherwise read them on the way to the first frame. The
// configuration is read beside the connection to the display, the list (which needs the
// application) beside the building of the menus. Where Qt does not use fontconfig only the list
// is read ahead.
class FontConfigReader {
  public:
    FontConfigReader();
    ~FontConfigReader();
    FontConfigReader(const FontConfigReader&) = delete;
    FontConfigReader& operator=(const FontConfigReader&) = delete;
    // Waits until the thread is done (at once if the list was not asked for).
    void finish();

    // The list of fonts is being read; it has been read once this goes, which must be before the
    // application goes.
    class Reading {
      public:
        explicit Reading(FontConfigReader& reader) : reader_(reader) {}
        ~Reading() { reader_.finish(); }
        Reading(const Reading&) = delete;
        Reading& operator=(const Reading&) = delete;

      private:
        FontConfigReader& reader_;
    };
    // The application exists: the list of fonts is read now, beside the first window.
    [[nodiscard]] Reading applicationReady();

  private:
    enum class Stage { Waiting, Ready, Cancelled };
    std::mutex mutex_;
    std::condition_variable changed_;
    Stage stage_ = Stage::Waiting;
    std::thread thread_;
};

// The program's icon, drawn from its scalable picture at the sizes desktops ask for.
QIcon programIcon();
QPixmap programIconPixmap(int side);

}  // namespace tavro
