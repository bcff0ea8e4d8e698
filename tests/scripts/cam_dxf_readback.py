"""Reads a DXF for CAM back with ezdxf and checks it against the design.

Usage: cam_dxf_readback.py CAM.dxf MEASURE.txt PLAIN.dxf FACTOR INSUNITS NAME

MEASURE.txt is what `bowlyn-cli measure` printed in the file's unit; PLAIN.dxf
the plain export of the same design (design units, loose arcs and lines with
single-precision ends); FACTOR converts design units to the file's unit.
Exits non-zero with a message on the first disagreement.
"""
import math
import re
import sys

import ezdxf
from ezdxf import bbox

NUMBER = re.compile(r"^-?[0-9]+(\.[0-9]+)?$")
TEXT_CODES = {0, 1, 2, 3, 6, 8, 9}


def fail(name, message):
    sys.exit(f"{name}: {message}")


def bulge_loop(vertices):
    """Perimeter and signed area of a closed polyline of (x, y, bulge)."""
    length = area2 = 0.0
    for i, (x1, y1, b) in enumerate(vertices):
        x2, y2, _ = vertices[(i + 1) % len(vertices)]
        chord = math.hypot(x2 - x1, y2 - y1)
        area2 += x1 * y2 - x2 * y1
        if b == 0:
            length += chord
            continue
        sweep = 4.0 * math.atan(b)
        radius = chord / (2.0 * math.sin(abs(sweep) / 2.0))
        length += radius * abs(sweep)
        area2 += radius * radius * (sweep - math.sin(sweep))
    return length, area2 / 2.0


def plain_body(name, path):
    """Perimeter and area of the plain export's body outline: its loose lines
    and arcs chained end to end, whatever their direction."""
    pieces = []
    for e in ezdxf.readfile(path).modelspace():
        if e.dxf.layer != "body" or e.dxftype() not in ("LINE", "ARC"):
            continue
        if e.dxftype() == "LINE":
            s, t = e.dxf.start, e.dxf.end
            pieces.append(("L", (s.x, s.y), (t.x, t.y), None))
        else:
            c, r = e.dxf.center, e.dxf.radius
            a1, a2 = math.radians(e.dxf.start_angle), math.radians(e.dxf.end_angle)
            sweep = (a2 - a1) % (2 * math.pi)
            p1 = (c.x + r * math.cos(a1), c.y + r * math.sin(a1))
            p2 = (c.x + r * math.cos(a2), c.y + r * math.sin(a2))
            pieces.append(("A", p1, p2, (c.x, c.y, r, a1, sweep)))
    if not pieces:
        fail(name, "the plain export has no body outline")

    def contribution(piece, forward):
        kind, p1, p2, arc = piece
        if kind == "L":
            (x1, y1), (x2, y2) = (p1, p2) if forward else (p2, p1)
            return math.hypot(x2 - x1, y2 - y1), (x1 * y2 - x2 * y1) / 2.0
        cx, cy, r, a1, s = arc
        a2 = a1 + s
        twice = r * r * s + cx * r * (math.sin(a2) - math.sin(a1)) - cy * r * (
            math.cos(a2) - math.cos(a1))
        return r * s, (twice if forward else -twice) / 2.0

    length = area = 0.0
    first = pieces.pop(0)
    at = first[2]
    d_length, d_area = contribution(first, True)
    length, area = length + d_length, area + d_area
    while pieces:
        best = min(((min(math.dist(p[1], at), math.dist(p[2], at)), i)
                    for i, p in enumerate(pieces)))
        gap, i = best
        if gap > 2e-4:
            fail(name, f"the plain export's body outline has a gap of {gap}")
        piece = pieces.pop(i)
        forward = math.dist(piece[1], at) <= math.dist(piece[2], at)
        at = piece[2] if forward else piece[1]
        d_length, d_area = contribution(piece, forward)
        length, area = length + d_length, area + d_area
    return length, abs(area)


def read_measure(path):
    values = {}
    with open(path, encoding="ascii") as f:
        for line in f:
            name, value, unit = line.rstrip("\n").split("\t")
            values[name] = (float(value), unit)
    return values


def close(a, b, rel):
    return abs(a - b) <= rel * abs(b)


def check_text(name, raw):
    if not raw.endswith(b"\r\n"):
        fail(name, "the last line does not end with CR LF")
    lines = raw.decode("ascii").split("\r\n")[:-1]
    if len(lines) % 2:
        fail(name, "odd number of lines")
    for code, value in zip(lines[0::2], lines[1::2]):
        c = int(code)
        if c not in TEXT_CODES and not NUMBER.match(value):
            fail(name, f"group {c}: {value!r} is no plain decimal number")
    if lines[-2:] != ["  0", "EOF"]:
        fail(name, "does not end with EOF")


def check_layers(name, doc):
    wanted = {"reflines", "body", "fretboard", "frets", "strings"}
    colours = {}
    for layer in doc.layers:
        colours[layer.dxf.name] = layer.dxf.color
    missing = wanted - set(colours)
    if missing:
        fail(name, f"layers missing from the table: {sorted(missing)}")
    if len({colours[n] for n in wanted}) != len(wanted):
        fail(name, f"layers share colours: {colours}")


def closed_polylines(name, msp, layer):
    polylines = [e for e in msp if e.dxf.layer == layer and e.dxftype() == "POLYLINE"]
    for p in polylines:
        if not p.is_closed:
            fail(name, f"an open polyline on {layer}")
    return [[(v.dxf.location.x, v.dxf.location.y, v.dxf.bulge) for v in p.vertices]
            for p in polylines]


def check_extent(name, doc, msp):
    """$EXTMIN and $EXTMAX are the drawing's extent, as ezdxf measures it
    (it flattens arcs, so to 1e-4 of the size)."""
    lo, hi = doc.header["$EXTMIN"], doc.header["$EXTMAX"]
    box = bbox.extents(msp, fast=False)
    size = max(hi[0] - lo[0], hi[1] - lo[1])
    for got, want in zip((lo[0], lo[1], hi[0], hi[1]),
                         (box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y)):
        if abs(got - want) > 1e-4 * size:
            fail(name, f"$EXTMIN {lo} / $EXTMAX {hi}, the drawing reaches {box.extmin} / {box.extmax}")


def main():
    path, measure_path, plain_path, factor, insunits, name = sys.argv[1:7]
    factor, insunits = float(factor), int(insunits)
    with open(path, "rb") as f:
        check_text(name, f.read())

    doc = ezdxf.readfile(path)  # raises on a structural error
    auditor = doc.audit()
    if auditor.has_errors or auditor.has_fixes:
        fail(name, "audit: " + "; ".join(str(e.message) for e in auditor.errors + auditor.fixes))
    if doc.dxfversion != "AC1009":
        fail(name, f"version {doc.dxfversion}")
    if doc.header["$INSUNITS"] != insunits:
        fail(name, f"$INSUNITS {doc.header['$INSUNITS']}, expected {insunits}")
    if doc.header["$MEASUREMENT"] != (0 if insunits == 1 else 1):
        fail(name, f"$MEASUREMENT {doc.header['$MEASUREMENT']} for $INSUNITS {insunits}")
    check_layers(name, doc)
    msp = doc.modelspace()
    check_extent(name, doc, msp)

    body = closed_polylines(name, msp, "body")
    if len(body) != 1:
        fail(name, f"{len(body)} polylines on layer body, expected one")
    loose = [e.dxftype() for e in msp if e.dxf.layer == "body"
             and e.dxftype() not in ("POLYLINE", "CIRCLE", "POINT")]
    if loose:
        fail(name, f"loose pieces on layer body beside the polyline: {loose}")

    measured = read_measure(measure_path)
    length, area = bulge_loop(body[0])
    if area <= 0:
        fail(name, "the body polyline runs clockwise")
    for what, got in (("perimeter", length), ("area", area)):
        want = measured[what][0]
        if not close(got, want, 1e-9):
            fail(name, f"{what} from the bulges {got!r}, measure says {want!r}")

    plain_length, plain_area = plain_body(name, plain_path)
    if not close(length, plain_length * factor, 1e-4):
        fail(name, f"perimeter {length} against {plain_length * factor} from the plain export")
    if not close(area, plain_area * factor * factor, 1e-4):
        fail(name, f"area {area} against {plain_area * factor ** 2} from the plain export")

    board = closed_polylines(name, msp, "fretboard")
    if ("fretboard area" in measured) != (len(board) == 1) or len(board) > 1:
        fail(name, f"{len(board)} closed polylines on layer fretboard")
    if board:
        _, board_area = bulge_loop(board[0])
        if not close(board_area, measured["fretboard area"][0], 1e-9):
            fail(name, f"fretboard area {board_area}, measure says {measured['fretboard area']}")
    print(f"{name}: {len(body[0])} body vertices, perimeter {length:.6f}, area {area:.6f}")


if __name__ == "__main__":
    main()
