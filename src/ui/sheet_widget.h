// Picture1: the drawing sheet, a persistent image that keeps its drawing between paints.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace tavro {

class SheetWidget : public QWidget {
  public:
    // The image is made in device pixels for the given ratio, so the drawing is crisp on
    // high-density screens while the drawing works in the widget's own units.
    SheetWidget(QWidget* parent, QSize size, qreal devicePixelRatio);
    QImage& image() { return image_; }
    // Called after each paint.
    std::function<void()> onPainted;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
};

}  // namespace tavro
