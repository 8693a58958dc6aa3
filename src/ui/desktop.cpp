// What makes the program a desktop citizen: Qt's own texts in Russian and the nozzle icon.
#include "desktop.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include <system_error>

#ifdef TAVRO_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace tavro {

bool installQtTranslations(QCoreApplication& app) {
    // The program speaks Russian whatever the user's locale, so Qt's texts follow it.
    static QTranslator qtbase;
    if (!qtbase.load(QStringLiteral("qtbase_ru"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return app.installTranslator(&qtbase);
}

FontConfigReader::FontConfigReader() {
    try {
        thread_ = std::thread([this] {
#ifdef TAVRO_HAVE_FONTCONFIG
            // Qt's own FcInit then finds the configuration loaded (fontconfig loads it once
            // however many threads ask).
            FcInit();
#endif
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return stage_ != Stage::Waiting; });
            if (stage_ == Stage::Ready) {
                lock.unlock();
                // Qt's font database serialises its users: the first caller on the window's
                // thread waits for this one instead of reading the list itself.
                QFontDatabase::families();
            }
        });
    } catch (const std::system_error&) {
    }
}

FontConfigReader::~FontConfigReader() {
    finish();
}

void FontConfigReader::finish() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (stage_ == Stage::Waiting) stage_ = Stage::Cancelled;
    }
    changed_.notify_one();
    if (thread_.joinable()) thread_.join();
}

FontConfigReader::Reading FontConfigReader::applicationReady() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (stage_ == Stage::Waiting) stage_ = Stage::Ready;
    }
    changed_.notify_one();
    return Reading(*this);
}

// Qt's SVG icon engine draws the picture at each size asked for; it is a plugin, loaded when the
// icon is first drawn, so that no start pays for the SVG library before the first frame.
QIcon programIcon() {
    return QIcon(QStringLiteral(":/tavro-nozzle.svg"));
}

QPixmap programIconPixmap(int side) {
    return programIcon().pixmap(side, side);
}

}  // namespace tavro
