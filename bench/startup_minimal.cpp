// Start-up benchmark baseline: the least a Qt Widgets program does to show a window.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>

namespace {

class Window : public QMainWindow {
  protected:
    void paintEvent(QPaintEvent* e) override {
        QMainWindow::paintEvent(e);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
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
