// Where a design works: the chamber pressures and altitudes that the core calculation accepts.
#pragma once

#include <string>
#include <vector>

#include "core.h"
#include "design_state.h"

namespace tavro {

// The scanned spans and the steps to which interval ends are rounded.
constexpr double kPkScanFrom = 0.5, kPkScanTo = 30, kPkStep = 0.01;  // MPa
constexpr double kHScanFrom = 0, kHScanTo = 150000, kHStep = 10;     // m

// A closed span of one input over which the design is in range; both ends compute.
struct Interval {
    double lo = 0, hi = 0;
};

// Chamber pressures (at the design's altitude) and altitudes (at its chamber pressure) that
// the core calculation accepts with the other inputs as given, and why the design as given
// is refused. The answer comes from running sCore's own calculation, so it follows its rules.
struct OperatingRanges {
    CoreCheck check = CoreCheck::Passed;
    std::vector<Interval> pk;  // MPa within 0.5-30, ends on 0.01 MPa
    std::vector<Interval> h;   // m within 0-150000, ends on 10 m
};

OperatingRanges operatingRanges(const DesignState& design);

// The in-range spans of the chamber pressure at an altitude, or of the altitude at a chamber
// pressure, for the design's other inputs.
std::vector<Interval> pkRanges(const DesignState& design, double altitude);
std::vector<Interval> hRanges(const DesignState& design, double chamberPressure);

// Whether the core calculation accepts the design with this chamber pressure and altitude.
bool inRangeAt(const DesignState& design, double chamberPressure, double altitude);

// The off-design detail in the program's words, one line each: the reason of the refusal
// (none when the design computes) and what would work, as the box and the sheet show it.
std::vector<std::string> offDesignLines(const DesignState& design, const OperatingRanges& ranges,
                                        char decimalSeparator);

// The same lines as one text, CR LF between them, for a message box.
std::string offDesignDetail(const DesignState& design, char decimalSeparator);

// In-range cells of the map: chamber pressure across (columns), altitude up (rows), each cell
// judged at its centre.
struct OperatingMap {
    double pkFrom = 0, pkTo = 0, hFrom = 0, hTo = 0;
    int columns = 0, rows = 0;
    std::vector<bool> inRange;  // row by row from the lowest altitude
    bool at(int column, int row) const {
        return inRange[static_cast<size_t>(row) * static_cast<size_t>(columns) +
                       static_cast<size_t>(column)];
    }
};

// The altitude up to which the map is worth showing: the design's altitude and every
// altitude in range at the highest chamber pressure, rounded up to a round number.
double mapTop(const DesignState& design);

// The window's map: a column per 0.25 MPa.
constexpr int kMapColumns = 118, kMapRows = 80;

OperatingMap operatingMap(const DesignState& design, double hTo, int columns = kMapColumns,
                          int rows = kMapRows);

}  // namespace tavro
