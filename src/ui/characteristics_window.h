// The characteristics window: thrust, Cf, Mach number, separation and the operating map.
#pragma once

#include <QWidget>
#include <map>
#include <string>

#include "design_state.h"

class QLabel;
QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace tavro {

class OperatingMapView;

// A modeless window that follows the main window's design: the figures of a computed design,
// or for a refused one why and what would work, with thrust against altitude and the map of
// chamber pressures and altitudes at which the design computes.
class CharacteristicsWindow : public QWidget {
  public:
    CharacteristicsWindow(QWidget* parent, char decimalSeparator);

    // Shows what the design gives; the design as the last compute, Open, Restore or Clear left
    // it. The same design again changes nothing.
    void showDesign(const DesignState& design);

    // For the tests: a figure's shown text by its key ("mach", "cfSeaLevel", "thrustVacuum",
    // ...), the status lines (the separation warning or the off-design detail) and the plots.
    QString figure(const std::string& key) const;
    QString statusText() const;
    QChart* thrustChart() const;
    QChart* mapChart() const;
    // In-range cells of the map as last computed (none without a design).
    int mapCellsInRange() const;

  private:
    void clearFigures();
    void showFigures(const DesignState& computed);
    void showThrust(const DesignState& computed);
    void showMap(const DesignState& design);
    void setStatus(const QString& text, bool warning);

    char sep_;
    bool shown_ = false;
    DesignState last_;
    std::map<std::string, QLabel*> values_;
    QLabel* status_ = nullptr;
    QChartView* thrustView_ = nullptr;
    OperatingMapView* mapView_ = nullptr;
};

}  // namespace tavro
