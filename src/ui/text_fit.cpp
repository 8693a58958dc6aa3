// Captions and numbers read whole in a small window: the point size at which a text fits its box.
#include "text_fit.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace tavro {
namespace {

constexpr double kStep = 0.25;
constexpr double kSmallest = 4;

bool fits(const QFont& font, const QString& text, QSize box) {
    const QFontMetricsF fm(font);
    if (fm.horizontalAdvance(text) > box.width()) return false;
    // Qt centres the line (ascent and descent) in the box; the inked part must stay inside,
    // and with no text at all, the line itself.
    const double baseline = (box.height() - fm.height()) / 2 + fm.ascent();
    const QRectF ink =
        text.isEmpty() ? QRectF(0, -fm.ascent(), 0, fm.ascent()) : fm.tightBoundingRect(text);
    return baseline + ink.top() >= 0 && baseline + ink.bottom() <= box.height();
}

}  // namespace

QFont fittingFont(const QFont& font, const QString& text, QSize box) {
    QFont f = font;
    while (!fits(f, text, box) && f.pointSizeF() - kStep >= kSmallest)
        f.setPointSizeF(f.pointSizeF() - kStep);
    return f;
}

QSize lineEditTextBox(const QLineEdit& field, QSize outer) {
    // QLineEdit keeps two pixels free on the left and right and one above and below its text.
    const int frame =
        field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &field)
                         : 0;
    const QMargins margins = field.textMargins();
    return QSize(outer.width() - 2 * frame - 4 - margins.left() - margins.right(),
                 outer.height() - 2 * frame - 2 - margins.top() - margins.bottom());
}

}  // namespace tavro
