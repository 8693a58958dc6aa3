// The window program tavro-nozzle: set-up of Qt, the main window and its commands.
#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <cstdlib>

#include "desktop.h"
#include "document_commands.h"
#include "form1.h"
#include "program.h"
#include "program_style.h"
#include "sheet_output.h"

namespace {

bool haveDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

char decimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 128 ? point[0].toLatin1() : '.';
}

}  // namespace

namespace tavro {

int runProgram(int argc, char** argv, const std::function<void()>& atFirstFrame) {
    if (!haveDisplay()) {
        std::fputs(
            "tavro-nozzle is a window program and needs a graphical session (no DISPLAY or "
            "WAYLAND_DISPLAY is set).\nTo try it without a screen: xvfb-run -s '-screen 0 "
            "1280x1024x24' build/src/app/tavro-nozzle\nThe command-line tool works anywhere: "
            "build/src/app/tavro-nozzle-cli calc Rkr=10 Qa=10 k=1.24 Pk=5 H=0\n",
            stderr);
        return 1;
    }
    substituteFonts();
    FontConfigReader fontConfig;
    QApplication app(argc, argv);
    const FontConfigReader::Reading fontList = fontConfig.applicationReady();
    // Over the style the user or the platform chose.
    QApplication::setStyle(new ProgramStyle(QApplication::style()));
    // The name also names the user's configuration folder; the desktop file ties the windows
    // to the menu entry.
    QCoreApplication::setApplicationName(QStringLiteral("tavro-nozzle"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tavro.nozzle"));
    installQtTranslations(app);

    const std::string appDir = QCoreApplication::applicationDirPath().toStdString();
    const char sep = decimalSeparator();
    DesignState state;
    Form1 form(state, appDir, sep);
    fontConfig.finish();
    // Run-time errors and the off-design notice are the window's message boxes.
    QtSheetOutput output(state, appDir, sep, form.prompts());
    DocumentCommands commands(state, form, form.prompts(), &output, appDir, sep);
    connectDocumentCommands(form, commands, output);
    // The icon is drawn from its picture at every size a desktop asks for: the window shows
    // first and takes it a moment later.
    form.afterFirstFrame = [&atFirstFrame] {
        if (atFirstFrame) atFirstFrame();
        QApplication::setWindowIcon(programIcon());
    };
    form.Form_Load();
    form.show();
    return app.exec();
}

}  // namespace tavro
