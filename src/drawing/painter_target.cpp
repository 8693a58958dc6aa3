// The one QPainter back end of the drawing: the window's sheet image, a printer or a PDF page.
#include "painter_target.h"
#include "pi.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainterPath>
#include <QPalette>
#include <QPdfWriter>
#include <algorithm>
#include <utility>

namespace tavro {
namespace {

constexpr double kPdfMarginMm = 10;

constexpr double kMmPerInch = 25.4;
constexpr double kScreenDpi = 96;

QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QString toQString(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

PainterTarget::PainterTarget(QImage& sheet, double fontPoints)
    : device_(sheet), paper_(false), points_(fontPoints) {}

PainterTarget::PainterTarget(QPagedPaintDevice& page, std::function<void()> abortJob,
                             double fontPoints)
    : device_(page),
      pages_(&page),
      paper_(true),
      abortJob_(std::move(abortJob)),
      points_(fontPoints) {}

PainterTarget::~PainterTarget() {
    if (paper_ && started_ && !finished_) abortDoc();
    release();
}

void PainterTarget::abortDoc() {
    if (!paper_ || !started_ || finished_) return;
    if (abortJob_) abortJob_();
    if (painter_.isActive()) painter_.end();
    finished_ = true;
}

void PainterTarget::release() {
    if (painter_.isActive()) painter_.end();
}

Rgb PainterTarget::systemButtonFace() {
    if (!QGuiApplication::instance()) return kDefaultButtonFace;
    const QColor c = QGuiApplication::palette().color(QPalette::Button);
    return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
}

// Begun on first use, so that a print stopped before drawing anything never starts a job.
QPainter& PainterTarget::painter() {
    if (!painter_.isActive()) {
        painter_.begin(&device_);
        started_ = true;
        if (paper_) {
            painter_.setRenderHint(QPainter::Antialiasing);
            // The paper's usable area, in device units: nothing lands where the printer
            // cannot put ink, nor on a neighbouring page's part of a large sheet.
            painter_.setClipRect(QRectF(0, 0, device_.width(), device_.height()));
        }
        painter_.setRenderHint(QPainter::TextAntialiasing);
        applyTransform();
    }
    return painter_;
}

void PainterTarget::applyTransform() {
    painter_.resetTransform();
    if (millimetres_) {
        painter_.scale(device_.logicalDpiX() / kMmPerInch, device_.logicalDpiY() / kMmPerInch);
    }
    painter_.translate(-originX_, -originY_);
}

// How many of the current units one device pixel is wide: pen widths and text metrics are
// device pixels, the geometry is in sheet units.
double PainterTarget::pixelsPerDeviceWidth() const {
    return millimetres_ ? kMmPerInch / device_.logicalDpiY() : 1.0;
}

QFont PainterTarget::fontAt(double points) const {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setHintingPreference(QFont::PreferNoHinting);
    // On paper the font is set in device space at the device's resolution; the sheet counts
    // points at the screen's 96 dpi whatever the image says.
    f.setPointSizeF(paper_ ? points : points * kScreenDpi / device_.logicalDpiY());
    return f;
}

// On paper a width is a stroke in millimetres whatever the printer's resolution, thick enough
// to see and to cut to: 0.1 mm for the thin lines, 0.2 mm for a template's contour and 0.5 mm
// for a printed drawing's.
double PainterTarget::paperStrokeMm(int width) {
    return std::min(0.1 * width, 0.5);
}

QPen PainterTarget::pen(Rgb colour) const {
    double width = width_ * pixelsPerDeviceWidth();
    if (paper_) {
        width = paperStrokeMm(width_) * (millimetres_ ? 1.0 : device_.logicalDpiY() / kMmPerInch);
    }
    QPen p(toQColor(colour), width);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(width_ > 1 ? Qt::RoundCap : Qt::SquareCap);
    if (width_ == 1 && (style_ == kDotted || style_ == kDashDot)) {
        // Patterns in screen pixels, as the window shows them, at the same length on paper;
        // a pattern counts in widths of its pen.
        const double stretch = paper_ ? kMmPerInch / kScreenDpi / paperStrokeMm(1) : 1.0;
        QList<qreal> dashes = style_ == kDotted ? QList<qreal>{3, 3} : QList<qreal>{9, 6, 3, 6};
        for (qreal& d : dashes) d *= stretch;
        p.setDashPattern(dashes);
        p.setCapStyle(Qt::FlatCap);
    }
    return p;
}

void PainterTarget::setScaleMode(int mode) {
    const bool mm = paper_ && mode == kScaleMillimetres;
    if (mm == millimetres_) return;
    millimetres_ = mm;
    if (painter_.isActive()) applyTransform();
}

float PainterTarget::scaleWidth() {
    if (!paper_) return static_cast<float>(device_.width() / device_.devicePixelRatioF());
    return static_cast<float>(millimetres_ ? device_.width() * kMmPerInch / device_.logicalDpiX()
                                           : device_.width());
}

float PainterTarget::scaleHeight() {
    if (!paper_) return static_cast<float>(device_.height() / device_.devicePixelRatioF());
    return static_cast<float>(millimetres_ ? device_.height() * kMmPerInch / device_.logicalDpiY()
                                           : device_.height());
}

void PainterTarget::cls() {
    QPainter& p = painter();
    p.save();
    p.resetTransform();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRectF(0, 0, device_.width(), device_.height()), toQColor(back_));
    p.restore();
    x_ = y_ = 0;
}

void PainterTarget::setBackColor(Rgb colour) {
    back_ = colour;
    cls();
}

void PainterTarget::setForeColor(Rgb colour) {
    fore_ = colour;
}

void PainterTarget::setDrawWidth(int width) {
    width_ = width;
}

void PainterTarget::setDrawStyle(int style) {
    style_ = style;
}

void PainterTarget::line(float x1, float y1, float x2, float y2, Rgb colour, bool box) {
    QPainter& p = painter();
    p.setPen(pen(colour));
    p.setBrush(Qt::NoBrush);
    if (box) {
        p.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
    } else {
        p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
}

void PainterTarget::circle(float x, float y, float radius, Rgb colour, float start, float end) {
    double span = static_cast<double>(end) - start;
    if (span < 0) span += 2 * kPi;
    if (!(radius > 0) || span == 0) return;
    const QRectF box(x - radius, y - radius, 2.0 * radius, 2.0 * radius);
    const double startDeg = start * 180 / kPi, spanDeg = span * 180 / kPi;
    QPainterPath path;
    path.arcMoveTo(box, startDeg);
    path.arcTo(box, startDeg, spanDeg);
    QPainter& p = painter();
    p.setPen(pen(colour));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void PainterTarget::setCurrentX(float x) {
    x_ = x;
}

void PainterTarget::setCurrentY(float y) {
    y_ = y;
}

// Text is laid out in device space with the font at its true point size; only its position
// goes through the millimetre mapping.
void PainterTarget::print(const std::string& text) {
    QPainter& p = painter();
    const QFont f = font();
    const QFontMetricsF fm(f, &device_);
    const QPointF at = p.transform().map(QPointF(x_, y_));
    p.save();
    p.resetTransform();
    p.setFont(f);
    p.setPen(toQColor(fore_));
    p.drawText(QPointF(at.x(), at.y() + fm.ascent()), toQString(text));
    p.restore();
    x_ = 0;
    y_ += static_cast<float>(fm.height() * pixelsPerDeviceWidth());
}

float PainterTarget::textWidth(const std::string& text) {
    const QFontMetricsF fm(font(), &device_);
    return static_cast<float>(fm.horizontalAdvance(toQString(text)) * pixelsPerDeviceWidth());
}

float PainterTarget::textHeight(const std::string&) {
    const QFontMetricsF fm(font(), &device_);
    return static_cast<float>(fm.height() * pixelsPerDeviceWidth());
}

TextExtent PainterTarget::measureText(const std::string& text, double points) {
    const QFontMetricsF fm(fontAt(points), &device_);
    const double unit = pixelsPerDeviceWidth();
    return {static_cast<float>(fm.horizontalAdvance(toQString(text)) * unit),
            static_cast<float>(fm.height() * unit)};
}

double PainterTarget::fontSize() {
    return points_;
}

void PainterTarget::setFontSize(double points) {
    points_ = points;
}

void PainterTarget::setOrigin(float x, float y) {
    originX_ = x;
    originY_ = y;
    if (painter_.isActive()) applyTransform();
}

void PainterTarget::newPage() {
    if (!pages_) return;
    painter();
    pages_->newPage();
}

void PainterTarget::endDoc() {
    if (paper_) {
        painter();  // an empty page is still a page
        painter_.end();
        finished_ = true;
    } else {
        release();
    }
}

TemplatePlan planForPaper(QPagedPaintDevice& paper, const DesignState& state, double fontPoints,
                          bool countOnly, TemplateShape shape) {
    const QPageLayout layout = paper.pageLayout();
    TemplatePlan plan;
    {
        PainterTarget metrics(paper, {}, fontPoints);
        metrics.setScaleMode(kScaleMillimetres);
        plan = planTemplate(metrics, state, usableArea(layout), usableArea(layout, true), countOnly,
                            shape);
    }
    if (plan.turned) {
        paper.setPageOrientation(layout.orientation() == QPageLayout::Portrait
                                     ? QPageLayout::Landscape
                                     : QPageLayout::Portrait);
    }
    return plan;
}

PageArea usableArea(const QPageLayout& layout, bool across) {
    QPageLayout l = layout;
    const bool upright = layout.orientation() == QPageLayout::Portrait;
    l.setOrientation(upright != across ? QPageLayout::Portrait : QPageLayout::Landscape);
    const QRectF r = l.paintRect(QPageLayout::Millimeter);
    return PageArea{r.width(), r.height()};
}

QPageLayout pdfPageLayout(const QPageSize& paper, QPageLayout::Orientation orientation) {
    const double m = kPdfMarginMm;
    return QPageLayout(paper, orientation, QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}

void setUpPdf(QPdfWriter& writer, int resolution, const QPageLayout& page) {
    writer.setResolution(resolution);
    writer.setPageLayout(page);
    writer.setCreator(QStringLiteral("tavro-nozzle"));
}

}  // namespace tavro
