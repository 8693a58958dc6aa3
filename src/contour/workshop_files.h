// The workshop files of a nozzle contour, made whole in memory: DXF, SVG, STL, station table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contour.h"
#include "design_state.h"

namespace tavro {

// Biarcs of the DXF stay this close to the exact supersonic curve (mm).
constexpr double kDxfTolerance = 0.001;

// What the files say about the design besides its geometry.
struct DesignNotes {
    std::string title;   // UTF-8, as typed
    std::string inputs;  // "Rkr=10 Qa=10 k=1.24 Pk=5 H=0 Rc=30 Qc=45"
};
DesignNotes notesOf(const DesignState& design);

// The contour's main dimensions in mm.
struct MainDimensions {
    double length, entranceDiameter, throatDiameter, exitDiameter;
};
MainDimensions mainDimensions(const Contour& contour);
// "L 75.634  Dвх 60.000  Dкр 20.000  Dвых 40.512 мм", or for files that allow no other
// letters "L=75.634 Din=60.000 Dt=20.000 Dout=40.512 mm".
std::string dimensionsText(const Contour& contour, bool ascii);
// The title in ASCII: Russian letters transliterated, anything else outside ASCII as "?".
std::string asciiText(const std::string& utf8);

// DXF at 1:1 in millimetres ($INSUNITS 4, $MEASUREMENT 1) of R12 LINE, ARC and TEXT entities;
// X runs along the axis from the entrance plane, Y is the radius. Layer CONTOUR holds the
// passage's full section as one closed loop, PROFILE the half-section to revolve (one wall,
// the axis, the entrance and exit radii) as another, AXIS the centre line and NOTES the title
// and main dimensions; a 999 comment names the program, the title and the inputs.
std::string contourDxf(const Contour& contour, const DesignNotes& notes);

// True-size SVG in mm: the passage as one closed path of exact arcs and the quadratic curve,
// the centre line and the notes in groups of their own, the title never clipped.
std::string contourSvg(const Contour& contour, const DesignNotes& notes);

// Binary STL in mm of the flow passage revolved about the Z axis, entrance face at Z = 0:
// a closed solid whose facets stay within 0.01 mm of the true surface. Its 80-byte header
// carries the title and main dimensions in ASCII.
std::vector<std::uint8_t> contourStl(const Contour& contour, const DesignNotes& notes);
// The size in bytes that contourStl would make, at most a few facets over, without making it.
double stlSize(const Contour& contour);

// UTF-8 CSV with a byte-order mark: a row wherever the wall has moved `step` mm along the axis
// or in radius since the last row, plus every joint and the throat; distances from both faces,
// radius, diameter and piece, three decimals. A flat entrance face is a piece of its own.
// Columns are separated by ";" when the decimal separator is a comma, else by ",".
std::string stationTable(const Contour& contour, double step, char decimalSeparator);
// The rows that stationTable would make (at most one or two over), without making them.
double stationRows(const Contour& contour, double step);

}  // namespace tavro
