#!/usr/bin/python3
"""Reads a nozzle contour DXF with ezdxf and checks it against the exact contour.

Arguments: file Rint Rout Ln Sx Sy Px Py Ex Ey Nx Ny title (mm; S-P-E the supersonic curve of
the upper wall, N the point where the wall leaves the entrance plane). Prints every fault found
and exits 1 when there is one.
"""
import math
import sys

import ezdxf
from ezdxf import comments
from ezdxf.lldxf.encoding import decode_dxf_unicode

JOINT = 1e-6
CURVE = 0.005
TANGENT = 1e-6


def ends(e):
    """(start, end, tangent at start, tangent at end) of a LINE or a counterclockwise ARC."""
    if e.dxftype() == "LINE":
        a, b = e.dxf.start, e.dxf.end
        d = (b - a).normalize()
        return a, b, d, d
    c = e.dxf.center
    a, b = e.start_point, e.end_point
    return a, b, (a - c).orthogonal(ccw=True).normalize(), (b - c).orthogonal(ccw=True).normalize()


def loops(entities):
    """Chains the entities end to end; returns the chains and whether each one closes."""
    free = [ends(e) for e in entities]
    chains = []
    while free:
        a, b, _, _ = free.pop(0)
        start, tip, count = a, b, 1
        while True:
            for i, (p, q, _, _) in enumerate(free):
                if (p - tip).magnitude <= JOINT:
                    tip = q
                elif (q - tip).magnitude <= JOINT:
                    tip = p
                else:
                    continue
                free.pop(i)
                count += 1
                break
            else:
                break
        chains.append((count, (tip - start).magnitude <= JOINT))
    return chains


def main():
    path = sys.argv[1]
    rint, rout, ln, sx, sy, px, py, ex, ey, nx, ny = map(float, sys.argv[2:13])
    title = sys.argv[13]
    faults = []
    doc = ezdxf.readfile(path)
    if doc.dxfversion != "AC1009":
        faults.append(f"version {doc.dxfversion}")
    if doc.audit().has_errors:
        faults.append("the auditor found errors")
    if doc.header.get("$INSUNITS") != 4 or doc.units != 4:
        faults.append(f"$INSUNITS {doc.header.get('$INSUNITS')}")
    if doc.header.get("$MEASUREMENT") != 1:
        faults.append(f"$MEASUREMENT {doc.header.get('$MEASUREMENT')}")
    for name in ("CONTOUR", "PROFILE", "AXIS", "NOTES"):
        if not doc.layers.has_entry(name):
            faults.append(f"no layer {name}")
    remarks = [value for code, value in comments.from_file(path)]
    if not any("Tavro-nozzle" in r and "Rkr=" in r for r in remarks):
        faults.append(f"no 999 comment naming the program and the inputs: {remarks}")

    on = {}
    for e in doc.modelspace():
        on.setdefault(e.dxf.layer, []).append(e)
        if e.dxftype() not in ("LINE", "ARC", "TEXT"):
            faults.append(f"entity {e.dxftype()}")
    # Russian letters travel as \U+ escapes, which CAD programs decode.
    texts = [decode_dxf_unicode(e.dxf.text) for e in on.get("NOTES", []) if e.dxftype() == "TEXT"]
    if title and title not in texts:
        faults.append(f"the title is not among the notes {texts}")
    if not any(t.startswith("L ") and "Dкр" in t for t in texts):
        faults.append(f"no main dimensions among the notes {texts}")

    axis = on.get("AXIS", [])
    if len(axis) != 1 or axis[0].dxftype() != "LINE":
        faults.append("the axis is not one line")
    else:
        a, b = axis[0].dxf.start, axis[0].dxf.end
        if max(abs(a.x), abs(a.y), abs(b.x - ln), abs(b.y)) > JOINT:
            faults.append(f"axis from {a} to {b}")

    contour, profile = on.get("CONTOUR", []), on.get("PROFILE", [])
    for name, entities in (("CONTOUR", contour), ("PROFILE", profile)):
        chains = loops(entities)
        if len(chains) != 1 or not chains[0][1]:
            faults.append(f"{name} is not one closed loop: {chains}")
    # The half profile: one wall, the exit radius, the axis and the entrance radius.
    if any(ends(e)[0].y < -JOINT or ends(e)[1].y < -JOINT for e in profile):
        faults.append("the profile crosses the axis")
    if not any(e.dxftype() == "LINE" and abs(e.dxf.start.y) < JOINT and abs(e.dxf.end.y) < JOINT
               and abs(abs(e.dxf.end.x - e.dxf.start.x) - (ln - nx)) < JOINT for e in profile):
        faults.append("the profile has no edge along the axis")

    def radius_count(r):
        return sum(1 for e in contour if e.dxftype() == "ARC" and abs(e.dxf.radius - r) < 1e-9)

    if radius_count(rint) != 2:
        faults.append(f"{radius_count(rint)} arcs of radius Rint")
    if radius_count(rout) != 2:
        faults.append(f"{radius_count(rout)} arcs of radius Rout")

    for upper in (True, False):
        sign = 1 if upper else -1
        # The wall: everything of the section but the lines across the faces.
        wall = [ends(e) for e in contour
                if not (e.dxftype() == "LINE" and abs(e.dxf.start.x - e.dxf.end.x) < JOINT)
                and (ends(e)[0].y + ends(e)[1].y) * sign > 0]
        pieces = []
        for a, b, ta, tb in wall:
            if (b.x, -abs(b.y)) < (a.x, -abs(a.y)):
                a, b, ta, tb = b, a, -tb, -ta
            pieces.append((a, b, ta, tb))
        pieces.sort(key=lambda p: (p[0].x, -abs(p[0].y)))
        first, last = pieces[0][0], pieces[-1][1]
        if abs(first.x - nx) > JOINT or abs(abs(first.y) - ny) > JOINT:
            faults.append(f"wall starts at {first}")
        if abs(last.x - ln) > JOINT or abs(abs(last.y) - ey) > JOINT:
            faults.append(f"wall ends at {last}")
        for prev, nxt in zip(pieces, pieces[1:]):
            gap = (nxt[0] - prev[1]).magnitude
            if gap > JOINT:
                faults.append(f"gap of {gap} mm at {prev[1]}")
            cross = prev[3].x * nxt[2].y - prev[3].y * nxt[2].x
            if abs(cross) > TANGENT or prev[3].dot(nxt[2]) <= 0:
                faults.append(f"corner at {prev[1]}")

        # The exact quadratic against the arcs of the supersonic section.
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
