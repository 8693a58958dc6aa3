// Picture1: the drawing sheet, a persistent image that keeps its drawing between paints.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace tavro {

class SheetWidget : public QWidget {
  public:
    // The image is made in device pixels for the given ratio, so the drawing is crisp on
    // high-density screens while the drawing works in the widget's own units. It is made when
    // first asked for: until then the sheet shows its paper colour.
    SheetWidget(QWidget* parent, QSize size, qreal devicePixelRatio);
    QImage& image();
    // A drawing made elsewhere on an image of the sheet's size and ratio (blankImage).
    void setImage(QImage drawn);
    qreal devicePixelRatio() const { return ratio_; }
    QColor paper() const { return palette().color(QPalette::Button); }
    // The sheet's image before anything is drawn on it.
    static QImage blankImage(QSize size, qreal devicePixelRatio, QColor paper);

    // Called after each paint.
    std::function<void()> onPainted;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    qreal ratio_;
    QImage image_;
};

}  // namespace tavro
