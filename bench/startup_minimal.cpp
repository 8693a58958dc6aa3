// Start-up benchmark baseline: the least a Qt Widgets program does to show a window.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace {

class Window : public QMainWindow {
    bool painted_ = false;

  protected:
    void paintEvent(QPaintEvent* e) override {
        QMainWindow::paintEvent(e);
        if (painted_) return;
        painted_ = true;
        // Once the frame has gone to the screen, as the window program reports its own.
        QTimer::singleShot(0, qApp, [] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("first-frame %lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
            std::fflush(stdout);
            QCoreApplication::quit();
        });
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
