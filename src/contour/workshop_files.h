// The workshop files of a nozzle contour, made whole in memory: DXF, SVG, STL, station table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contour.h"

namespace tavro {

// Biarcs of the DXF stay this close to the exact supersonic curve (mm).
constexpr double kDxfTolerance = 0.001;

// AutoCAD R12 ASCII drawing at 1:1 in mm: both walls on layer CONTOUR as LINE and ARC
// entities (the supersonic curve as tangent arcs), the centre line on layer AXIS. X runs along
// the axis from the entrance plane, Y is the radius.
std::string contourDxf(const Contour& contour);

// True-size SVG in mm: both walls with exact arcs and the quadratic curve, the centre line
// dash-dotted, the title (UTF-8) above.
std::string contourSvg(const Contour& contour, const std::string& title);

// Binary STL in mm of the flow passage revolved about the Z axis, entrance face at Z = 0:
// a closed solid whose facets stay within 0.01 mm of the true surface.
std::vector<std::uint8_t> contourStl(const Contour& contour);
// The size in bytes that contourStl would make, at most a few facets over, without making it.
double stlSize(const Contour& contour);

// UTF-8 CSV with a byte-order mark: a row every `step` mm along the axis plus every joint
// and the throat; distances from both faces, radius, diameter and piece, three decimals.
// Columns are separated by ";" when the decimal separator is a comma, else by ",".
std::string stationTable(const Contour& contour, double step, char decimalSeparator);
// The rows that stationTable would make (at most one or two over), without making them.
double stationRows(const Contour& contour, double step);

}  // namespace tavro
