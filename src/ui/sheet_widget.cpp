// Picture1: the drawing sheet, a persistent image that keeps its drawing between paints.
#include "sheet_widget.h"

#include <QPainter>

namespace tavro {

SheetWidget::SheetWidget(QWidget* parent, QSize size, qreal devicePixelRatio) : QWidget(parent) {
    setFixedSize(size);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = QImage(size * devicePixelRatio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(devicePixelRatio);
    image_.fill(palette().color(QPalette::Button));
}

void SheetWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPointF(0, 0), image_);
    p.end();
    if (onPainted) onPainted();
}

}  // namespace tavro
