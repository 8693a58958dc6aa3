// Start-up benchmark baseline: the least a Qt Widgets program does to show a window.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>

#include "first_frame.h"

namespace {

class Window : public QMainWindow {
    bool painted_ = false;

  protected:
    void paintEvent(QPaintEvent* e) override {
        QMainWindow::paintEvent(e);
        if (painted_) return;
        painted_ = true;
        // Once the frame has gone to the screen, as the window program reports its own.
        tavro::bench::reportFirstFrame();
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window w;
    w.menuBar()->addMenu(QStringLiteral("файл"));
    w.setCentralWidget(new QLabel(QStringLiteral("Tavro-nozzle")));
    w.resize(1100, 920);
    w.show();
    return app.exec();
}
