// What makes the program a desktop citizen: Qt's own texts in Russian and the nozzle icon.
#include "desktop.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPainter>
#include <QSvgRenderer>
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
#ifdef TAVRO_HAVE_FONTCONFIG
    // Qt's own FcInit then finds the configuration loaded (fontconfig loads it once however many
    // threads ask); without a thread Qt reads it itself.
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
    }
#endif
}

FontConfigReader::~FontConfigReader() {
    finish();
}

void FontConfigReader::finish() {
    if (thread_.joinable()) thread_.join();
}

QPixmap programIconPixmap(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/tavro-nozzle.svg"));
    QPainter painter(&pixmap);
    svg.render(&painter);
    return pixmap;
}

QIcon programIcon() {
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(programIconPixmap(side));
    return icon;
}

}  // namespace tavro
