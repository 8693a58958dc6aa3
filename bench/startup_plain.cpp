// Start-up benchmark reference: the window's own content put up plainly. The rows' captions and
// fields in their fonts and places, the compute button, the four menus and a blank sheet image,
// with no design read, computed, fitted or drawn and nothing done ahead on other threads. Beside
// the least Qt window it shows what the window's content costs; beside the window program, what
// the program adds to it.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "design_state.h"
#include "layout.h"

#include "first_frame.h"

namespace {

using namespace tavro;

class Sheet : public QWidget {
  public:
    Sheet(QWidget* parent, QSize size) : QWidget(parent), image_(size, QImage::Format_RGB32) {
        setFixedSize(size);
        image_.fill(palette().color(QPalette::Button));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).drawImage(0, 0, image_);
        if (painted_) return;
        painted_ = true;
        tavro::bench::reportFirstFrame();
    }

  private:
    QImage image_;
    bool painted_ = false;
};

QFont face(const char* family, double points, bool bold) {
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// The texts of the design the benchmark opens.
const char* const kFieldTexts[kRowCount] = {
    "",       "",     "10",   "10",  "1.24", "5",    "0",    "",    "30",   "45",   "",
    "0.1013", "6.82", "2.61", "5.9", "26.4", "26.1", "15.0", "7.5", "59.0", "74.1", ""};

}  // namespace

int main(int argc, char** argv) {
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QApplication app(argc, argv);
    QMainWindow w;
    for (const char* menu : {"файл", "правка", "расчет", "справка"}) {
        QMenu* m = w.menuBar()->addMenu(QString::fromUtf8(menu));
        for (const char* key : {"Ctrl+O", "Ctrl+S", "Ctrl+A", "F5"})
            m->addAction(QString::fromUtf8(menu))
                ->setShortcut(QKeySequence(QString::fromLatin1(key)));
    }
    auto* client = new QWidget(&w);
    w.setCentralWidget(client);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const WindowLayout L =
        computeLayout(screen.width(), screen.height(), w.menuBar()->sizeHint().height());
    for (int r = 0; r < kRowCount; ++r) {
        const bool heading =
            r == kRowInputHeading || r == kRowOptionHeading || r == kRowResultHeading;
        auto* caption =
            new QLabel(QString::fromUtf8(startupCaptions()[static_cast<size_t>(r)]), client);
        caption->setFont(r == kRowTitle ? face("MS Sans Serif", 12, true)
                                        : face("Arial", 9.75, heading || r == kRowNote));
        const PixelRect& c = L.captions[static_cast<size_t>(r)];
        caption->setGeometry(c.left, c.top, c.width, c.height);
        if (heading) continue;
        auto* field = new QLineEdit(QString::fromLatin1(kFieldTexts[r]), client);
        field->setFont(r == kRowTitle  ? face("Arial", 12, false)
                       : r == kRowNote ? face("Arial", 9.75, false)
                                       : face("Courier", 12, true));
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const PixelRect& f = L.fields[static_cast<size_t>(r)];
        field->setGeometry(f.left, f.top, f.width, f.height);
    }
    auto* button = new QPushButton(QStringLiteral("рассчитать"), client);
    button->setFont(face("Arial", 9, false));
    button->setGeometry(L.computeButton.left, L.computeButton.top, L.computeButton.width,
                        L.computeButton.height);
    auto* sheet = new Sheet(client, QSize(L.sheet.width, L.sheet.height));
    sheet->move(L.sheet.left, L.sheet.top);
    w.setFixedSize(L.window.width, L.window.height);
    w.move(screen.left() + L.window.left, screen.top() + L.window.top);
    w.show();
    return app.exec();
}
