#!/usr/bin/python3
"""Reads a nozzle contour DXF with ezdxf and checks it against the exact contour.

Arguments: file Rint Rout Ln Sx Sy Px Py Ex Ey (mm; S-P-E the supersonic curve of the upper
wall). Prints every fault found and exits 1 when there is one.
"""
import math
import sys

import ezdxf

JOINT = 1e-6
CURVE = 0.005
TANGENT = 1e-6


def main():
    path = sys.argv[1]
    rint, rout, ln, sx, sy, px, py, ex, ey = map(float, sys.argv[2:11])
    faults = []
    doc = ezdxf.readfile(path)
    if doc.dxfversion != "AC1009":
        faults.append(f"version {doc.dxfversion}")
    if doc.audit().has_errors:
        faults.append("the auditor found errors")
    for name in ("CONTOUR", "AXIS"):
        if not doc.layers.has_entry(name):
            faults.append(f"no layer {name}")

    contour, axis = [], []
    for e in doc.modelspace():
        kind = e.dxftype()
        if kind not in ("LINE", "ARC"):
            faults.append(f"entity {kind}")
            continue
        (contour if e.dxf.layer == "CONTOUR" else axis).append(e)
    if len(axis) != 1 or axis[0].dxftype() != "LINE":
        faults.append("the axis is not one line")
    else:
        a, b = axis[0].dxf.start, axis[0].dxf.end
        if max(abs(a.x), abs(a.y), abs(b.x - ln), abs(b.y)) > JOINT:
            faults.append(f"axis from {a} to {b}")

    def radius_count(r):
        return sum(1 for e in contour if e.dxftype() == "ARC" and abs(e.dxf.radius - r) < 1e-9)

    if radius_count(rint) != 2:
        faults.append(f"{radius_count(rint)} arcs of radius Rint")
    if radius_count(rout) != 2:
        faults.append(f"{radius_count(rout)} arcs of radius Rout")

    # Every entity as (start, end, tangent at start, tangent at end), running downstream.
    def ends(e):
        if e.dxftype() == "LINE":
            a, b = e.dxf.start, e.dxf.end
            d = (b - a).normalize()
            return a, b, d, d
        c = e.dxf.center
        a, b = e.start_point, e.end_point
        ta = (a - c).orthogonal(ccw=True).normalize()
        tb = (b - c).orthogonal(ccw=True).normalize()
        return a, b, ta, tb

    for upper in (True, False):
        wall = [ends(e) for e in contour if ends(e)[0].y * (1 if upper else -1) > 0]
        # Orient each downstream and chain them from the entrance plane.
        pieces = []
        for a, b, ta, tb in wall:
            if (b.x, -abs(b.y)) < (a.x, -abs(a.y)):
                a, b, ta, tb = b, a, -tb, -ta
            pieces.append((a, b, ta, tb))
        pieces.sort(key=lambda p: (p[0].x, -abs(p[0].y)))
        if abs(pieces[0][0].x) > JOINT:
            faults.append(f"wall starts at {pieces[0][0]}")
        if abs(pieces[-1][1].x - ln) > JOINT or abs(abs(pieces[-1][1].y) - ey) > JOINT:
            faults.append(f"wall ends at {pieces[-1][1]}")
        for prev, nxt in zip(pieces, pieces[1:]):
            gap = (nxt[0] - prev[1]).magnitude
            if gap > JOINT:
                faults.append(f"gap of {gap} mm at {prev[1]}")
            cross = prev[3].x * nxt[2].y - prev[3].y * nxt[2].x
            if abs(cross) > TANGENT or prev[3].dot(nxt[2]) <= 0:
                faults.append(f"corner at {prev[1]}")

        # The exact quadratic against the arcs of the supersonic section.
        sign = 1 if upper else -1
        arcs = [e for e in contour
                if e.dxftype() == "ARC" and e.start_point.y * sign > 0 and
                min(e.start_point.x, e.end_point.x) >= sx - JOINT]
        worst = 0
        for i in range(1001):
            t = i / 1000
            u = 1 - t
            qx = u * u * sx + 2 * u * t * px + t * t * ex
            qy = sign * (u * u * sy + 2 * u * t * py + t * t * ey)
            worst = max(worst, min(distance_to_arc(e, qx, qy) for e in arcs))
        if worst > CURVE:
            faults.append(f"the arcs depart {worst} mm from the curve")
        print(f"{'upper' if upper else 'lower'} wall: {len(pieces)} entities, "
              f"{len(arcs)} arcs on the curve, worst departure {worst:.6f} mm")

    for f in faults:
        print(f)
    sys.exit(1 if faults else 0)


def distance_to_arc(e, x, y):
    c = e.dxf.center
    angle = math.degrees(math.atan2(y - c.y, x - c.x)) % 360
    start, end = e.dxf.start_angle % 360, e.dxf.end_angle % 360
    inside = (start <= angle <= end) if start <= end else (angle >= start or angle <= end)
    if inside:
        return abs(math.hypot(x - c.x, y - c.y) - e.dxf.radius)
    return min(math.hypot(x - p.x, y - p.y) for p in (e.start_point, e.end_point))


main()
