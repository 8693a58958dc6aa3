#!/usr/bin/python3
"""Imports a contour DXF with Inkscape's own importer, scale "read from file", and checks that
the layer CONTOUR comes in at true size.

Arguments: file length height (mm, the section's extent along the axis and the larger of its
faces across it, both measured on its straight lines). Exits 77
when Inkscape's extensions cannot run here (no inkex or no lxml), 1 on a fault.
"""
import subprocess
import sys

EXTENSIONS = "/usr/share/inkscape/extensions"
sys.path.insert(0, EXTENSIONS)
try:
    import inkex
except ImportError as missing:
    print(f"Inkscape's importer cannot run: {missing}")
    sys.exit(77)

PX_PER_MM = 96 / 25.4
# The importer writes a line's ends with six significant digits of pixels (0.01 px, 2.6 um on
# a large nozzle): true size within its own rounding, against 25.4 times too large without units.
TOLERANCE = 0.01  # mm


def main():
    path, length, height = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
    run = subprocess.run([sys.executable, f"{EXTENSIONS}/dxf_input.py", "--scalemethod=file", path],
                         capture_output=True, check=False)
    if run.returncode != 0:
        print(run.stderr.decode(errors="replace"))
        sys.exit(1)
    svg = inkex.load_svg(run.stdout).getroot()
    layers = {g.label: g for g in svg.xpath("//svg:g[@inkscape:groupmode='layer']")}
    if "CONTOUR" not in layers:
        print(f"no layer CONTOUR among {sorted(layers)}")
        sys.exit(1)
    # The straight lines (both faces and the cone) measure exactly; the bounding box of an
    # arc is the importer's approximation.
    box = None
    for p in layers["CONTOUR"].descendants().filter(inkex.PathElement):
        path = p.path.to_absolute()
        if not all(isinstance(c, (inkex.paths.Move, inkex.paths.Line)) for c in path):
            continue
        b = path.bounding_box()
        box = b if box is None else box + b
    width_mm, height_mm = box.width / PX_PER_MM, box.height / PX_PER_MM
    print(f"CONTOUR imported {width_mm:.6f} x {height_mm:.6f} mm, expected {length} x {height}")
    if abs(width_mm - length) > TOLERANCE or abs(height_mm - height) > TOLERANCE:
        sys.exit(1)


main()
