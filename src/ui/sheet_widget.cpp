// Picture1: the drawing sheet, a persistent image that keeps its drawing between paints.
#include "sheet_widget.h"

#include <QPainter>

namespace tavro {

SheetWidget::SheetWidget(QWidget* parent, QSize size, qreal devicePixelRatio)
    : QWidget(parent), ratio_(devicePixelRatio) {
    setFixedSize(size);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage SheetWidget::blankImage(QSize size, qreal devicePixelRatio, QColor paper) {
    QImage image(size * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(paper);
    return image;
}

QImage& SheetWidget::image() {
    if (image_.isNull()) image_ = blankImage(size(), ratio_, paper());
    return image_;
}

void SheetWidget::setImage(QImage drawn) {
    image_.swap(drawn);
    update();
}

void SheetWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (image_.isNull()) {
        p.fillRect(rect(), paper());
    } else {
        p.drawImage(QPointF(0, 0), image_);
    }
    p.end();
    if (onPainted) onPainted();
}

}  // namespace tavro
