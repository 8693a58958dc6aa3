// The characteristics window: thrust, Cf, Mach number, separation and the operating map.
#include "characteristics_window.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QScatterSeries>
#include <QScreen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "core.h"
#include "decimal_text.h"
#include "number_text.h"
#include "operating_range.h"
#include "performance.h"

namespace tavro {

namespace {

const QColor kInRange(150, 215, 150);
const QColor kSeparated(230, 60, 60, 60);
const QColor kWarning(192, 0, 0);

struct FigureRow {
    const char* key;
    const char* caption;
    int decimals;
    double Performance::*value;
};

const FigureRow kFigures[] = {
    {"mach", "Число Маха на срезе Mа", 3, &Performance::machExit},
    {"cfDesign", "Коэффициент тяги на расчетной высоте", 4, &Performance::cfDesign},
    {"cfSeaLevel", "Коэффициент тяги у земли", 4, &Performance::cfSeaLevel},
    {"cfVacuum", "Коэффициент тяги в пустоте", 4, &Performance::cfVacuum},
    {"thrustDesign", "Тяга на расчетной высоте, Н", 1, &Performance::thrustDesign},
    {"thrustSeaLevel", "Тяга у земли, Н", 1, &Performance::thrustSeaLevel},
    {"thrustVacuum", "Тяга в пустоте, Н", 1, &Performance::thrustVacuum},
    {"pressureRatio", "Давление на срезе / давление у земли", 3,
     &Performance::exitOverAmbientSeaLevel},
    {"divergence", "Коэффициент рассеяния (1 + cos Qa)/2", 4, &Performance::divergenceFactor},
};

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// Plot labels with the separator the fields use.
QLocale plotLocale(char sep) {
    QLocale l = sep == ',' ? QLocale(QLocale::Russian, QLocale::Russia) : QLocale::c();
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

QChart* newChart(const QString& title, char sep) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setLocalizeNumbers(true);
    chart->setLocale(plotLocale(sep));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

QValueAxis* axis(QChart* chart, Qt::Alignment where, const QString& title, double lo, double hi,
                 const char* format) {
    auto* a = new QValueAxis;
    a->setTitleText(title);
    a->setRange(lo, hi);
    a->setLabelFormat(QString::fromLatin1(format));
    chart->addAxis(a, where);
    return a;
}

// Ticks at round values (1, 2 or 5 times a power of ten), about five along the axis.
void roundTicks(QValueAxis* a) {
    const double span = a->max() - a->min();
    if (!(span > 0)) return;
    const double raw = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {2.0, 5.0, 10.0}) {
        if (step >= raw) break;
        step = m * power;
    }
    a->setTickType(QValueAxis::TicksDynamic);
    a->setTickAnchor(0);
    a->setTickInterval(step);
    a->setLabelFormat(step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%.1f"));
}

void attach(QChart* chart, QAbstractSeries* series, QValueAxis* x, QValueAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

// A rectangle as an area series: the separated zone, or a legend entry without points.
QAreaSeries* band(const QString& name, const QColor& fill, double x0, double x1, double y0,
                  double y1) {
    auto* upper = new QLineSeries;
    auto* lower = new QLineSeries;
    if (x1 > x0) {
        upper->append(x0, y1);
        upper->append(x1, y1);
        lower->append(x0, y0);
        lower->append(x1, y0);
    }
    auto* area = new QAreaSeries(upper, lower);
    upper->setParent(area);
    lower->setParent(area);
    area->setName(name);
    area->setBrush(fill);
    area->setPen(Qt::NoPen);
    return area;
}

QScatterSeries* marker(const QString& name, const QColor& colour, double x, double y,
                       QScatterSeries::MarkerShape shape) {
    auto* s = new QScatterSeries;
    s->setName(name);
    s->setColor(colour);
    s->setBorderColor(Qt::black);
    s->setMarkerShape(shape);
    s->setMarkerSize(11);
    s->append(x, y);
    return s;
}

// A marker named beside its point rather than in the legend, which a narrow plot would cut.
// A point named beside itself, or in the legend where its name would run into a neighbour's.
void attachNamed(QChart* chart, QScatterSeries* series, QValueAxis* x, QValueAxis* y,
                 bool beside = true) {
    series->setPointLabelsFormat(series->name());
    series->setPointLabelsVisible(beside);
    series->setPointLabelsClipping(false);
    attach(chart, series, x, y);
    for (QLegendMarker* m : chart->legend()->markers(series)) m->setVisible(!beside);
}

void replaceChart(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

}  // namespace

// The map's chart, with the in-range cells painted under it: as a picture the whole map costs
// one image, where series would cost a polygon per cell.
class OperatingMapView : public QChartView {
  public:
    using QChartView::QChartView;
    void setCells(QImage cells, QRectF valueRect) {
        cells_ = std::move(cells);
        valueRect_ = valueRect;
        resetCachedContent();
        viewport()->update();
    }
    int cellsInRange() const {
        int n = 0;
        for (int y = 0; y < cells_.height(); ++y)
            for (int x = 0; x < cells_.width(); ++x) n += qAlpha(cells_.pixel(x, y)) != 0;
        return n;
    }

  protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override {
        painter->fillRect(rect, Qt::white);
        if (cells_.isNull() || !chart()) return;
        const QPointF topLeft = chart()->mapToScene(chart()->mapToPosition(valueRect_.topLeft()));
        const QPointF bottomRight =
            chart()->mapToScene(chart()->mapToPosition(valueRect_.bottomRight()));
        painter->drawImage(QRectF(topLeft, bottomRight).normalized(), cells_);
    }

  private:
    QImage cells_;
    QRectF valueRect_;  // pressures across, altitudes (km) from the top row down
};

CharacteristicsWindow::CharacteristicsWindow(QWidget* parent, char decimalSeparator)
    : QWidget(parent, Qt::Window), sep_(decimalSeparator) {
    setWindowTitle(QStringLiteral("Характеристики сопла"));
    auto* figures = new QGridLayout;
    int row = 0;
    for (const FigureRow& f : kFigures) {
        auto* caption = new QLabel(QString::fromUtf8(f.caption), this);
        auto* value = new QLabel(this);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMinimumWidth(90);
        figures->addWidget(caption, row, 0);
        figures->addWidget(value, row, 1);
        values_[f.key] = value;
        ++row;
    }
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::RichText);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* left = new QVBoxLayout;
    left->addLayout(figures);
    left->addSpacing(12);
    left->addWidget(status_);
    left->addStretch(1);

    thrustView_ = new QChartView(new QChart, this);
    thrustView_->setRenderHint(QPainter::Antialiasing);
    thrustView_->setMinimumSize(320, 220);
    mapView_ = new OperatingMapView(new QChart, this);
    mapView_->setRenderHint(QPainter::Antialiasing);
    mapView_->setMinimumSize(320, 220);
    auto* right = new QVBoxLayout;
    right->addWidget(thrustView_, 1);
    right->addWidget(mapView_, 1);

    auto* all = new QHBoxLayout(this);
    auto* leftPane = new QWidget(this);
    leftPane->setLayout(left);
    all->addWidget(leftPane, 0);
    all->addLayout(right, 1);
    // As large as the plots deserve, but never larger than the screen (800 x 600 included).
    QSize size(1000, 660);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size.expandedTo(minimumSizeHint()));
    clearFigures();
}

QString CharacteristicsWindow::figure(const std::string& key) const {
    const auto it = values_.find(key);
    return it == values_.end() ? QString() : it->second->text();
}

QString CharacteristicsWindow::statusText() const {
    return status_->text();
}

QChart* CharacteristicsWindow::thrustChart() const {
    return thrustView_->chart();
}

QChart* CharacteristicsWindow::mapChart() const {
    return mapView_->chart();
}

int CharacteristicsWindow::mapCellsInRange() const {
    return mapView_->cellsInRange();
}

void CharacteristicsWindow::setStatus(const QString& html, bool warning) {
    status_->setText(
        warning ? QStringLiteral("<span style=\"color:%1\">%2</span>").arg(kWarning.name(), html)
                : html);
}

void CharacteristicsWindow::clearFigures() {
    for (auto& [key, label] : values_) label->setText(QStringLiteral("—"));
}

void CharacteristicsWindow::showDesign(const DesignState& design) {
    const auto inputs = [](const DesignState& d) {
        return std::make_tuple(d.Rkr, d.Qa, d.k, d.Pk, d.H, d.Rc, d.Qc, d.InRange, d.Pa, d.FFa,
                               d.Ln);
    };
    if (shown_ && inputs(design) == inputs(last_)) return;
    shown_ = true;
    last_ = design;

    // The figures come from the calculation run again on the inputs, so that a design the
    // calculation stopped on with an error shows nothing stale.
    DesignState computed = design;
    const bool inRange = design.InRange && checkCore(computed) == CoreCheck::Passed;
    if (inRange) {
        showFigures(computed);
        showThrust(computed);
        showMap(design);
        return;
    }
    clearFigures();
    replaceChart(thrustView_,
                 newChart(QStringLiteral("Тяга по высоте: нет рассчитанного сопла"), sep_));
    if (!design.InRange) {
        QString html = QStringLiteral("<b>Нерасчетный режим</b>");
        for (const std::string& line : offDesignLines(design, operatingRanges(design), sep_))
            html += QStringLiteral("<br>") + text(line).toHtmlEscaped();
        setStatus(html, true);
        showMap(design);
        return;
    }
    setStatus(QStringLiteral("Нет рассчитанного сопла: введите параметры в белые поля "
                             "главного окна и выполните расчет."),
              false);
    replaceChart(mapView_, newChart(QStringLiteral("Расчетный режим"), sep_));
    mapView_->setCells(QImage(), QRectF());
}

void CharacteristicsWindow::showFigures(const DesignState& d) {
    const Performance p = performanceOf(d);
    for (const FigureRow& f : kFigures)
        values_[f.key]->setText(text(fixedText(p.*(f.value), f.decimals, sep_)));
    if (p.separatedSeaLevel) {
        const double ceiling = separationCeiling(d);
        setStatus(
            QStringLiteral("У земли поток отрывается от стенки сопла: давление на срезе "
                           "меньше %1 давления среды. Отрыв до высоты %2 м.")
                .arg(text(fixedText(kSeparationRatio, 1, sep_)), text(fixedText(ceiling, 0, sep_))),
            true);
    } else {
        setStatus(QStringLiteral("Поток не отрывается от стенки сопла ни на какой высоте."), false);
    }
}

void CharacteristicsWindow::showThrust(const DesignState& d) {
    const std::vector<ThrustPoint> curve = thrustCurve(d);
    QChart* chart = newChart(QStringLiteral("Тяга по высоте"), sep_);
    auto* line = new QLineSeries;
    line->setName(QStringLiteral("тяга"));
    double lo = curve.front().thrust, hi = lo, design = lo;
    for (const ThrustPoint& p : curve) {
        line->append(p.altitude / 1000, p.thrust);
        lo = std::min(lo, p.thrust);
        hi = std::max(hi, p.thrust);
        if (p.altitude == static_cast<double>(d.H)) design = p.thrust;
    }
    const double top = std::max(30.0, static_cast<double>(d.H) / 1000);
    QValueAxis* x = axis(chart, Qt::AlignBottom, QStringLiteral("высота, км"), 0, top, "%.0f");
    QValueAxis* y = axis(chart, Qt::AlignLeft, QStringLiteral("тяга, Н"), lo - 0.05 * (hi - lo),
                         hi + 0.05 * (hi - lo), "%.0f");
    y->applyNiceNumbers();
    roundTicks(x);
    const double ceiling = separationCeiling(d) / 1000;
    if (ceiling > 0) {
        attach(chart,
               band(QStringLiteral("отрыв потока"), kSeparated, 0, ceiling, y->min(), y->max()), x,
               y);
    }
    attach(chart, line, x, y);
    // The two names take about a quarter of the axis side by side.
    const bool beside = d.H / 1000.0 > 0.25 * top;
    attachNamed(chart,
                marker(QStringLiteral("у земли"), QColor(40, 90, 200), 0, curve.front().thrust,
                       QScatterSeries::MarkerShapeCircle),
                x, y, beside);
    attachNamed(chart,
                marker(QStringLiteral("расчетная высота"), QColor(240, 160, 0), d.H / 1000.0,
                       design, QScatterSeries::MarkerShapeRectangle),
                x, y, beside);
    replaceChart(thrustView_, chart);
}

void CharacteristicsWindow::showMap(const DesignState& design) {
    const double top = mapTop(design);
    const OperatingMap m = operatingMap(design, top, kMapColumns, kMapRows);
    QImage cells(m.columns, m.rows, QImage::Format_ARGB32);
    cells.fill(Qt::transparent);
    for (int r = 0; r < m.rows; ++r) {
        for (int c = 0; c < m.columns; ++c) {
            if (m.at(c, r)) cells.setPixelColor(c, m.rows - 1 - r, kInRange);
        }
    }
    QChart* chart =
        newChart(QStringLiteral("Расчетный режим при Rкр, Qa, k, Rс, Qс проекта"), sep_);
    chart->setBackgroundVisible(false);
    QValueAxis* x = axis(chart, Qt::AlignBottom, QStringLiteral("давление в камере Pк, МПа"),
                         m.pkFrom, m.pkTo, "%.0f");
    roundTicks(x);
    QValueAxis* y = axis(chart, Qt::AlignLeft, QStringLiteral("высота H, км"), m.hFrom / 1000,
                         m.hTo / 1000, "%.0f");
    roundTicks(y);
    attach(chart, band(QStringLiteral("расчетный режим"), kInRange, 0, 0, 0, 0), x, y);
    attach(chart,
           marker(QStringLiteral("проект"), design.InRange ? QColor(240, 160, 0) : kWarning,
                  design.Pk, design.H / 1000.0, QScatterSeries::MarkerShapeRectangle),
           x, y);
    replaceChart(mapView_, chart);
    mapView_->setCells(cells,
                       QRectF(QPointF(m.pkFrom, m.hTo / 1000), QPointF(m.pkTo, m.hFrom / 1000)));
}

}  // namespace tavro
