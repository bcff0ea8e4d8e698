"""Reads a DXF for CAM back with ezdxf and checks it against the design.

Usage: cam_dxf_readback.py CAM.dxf MEASURE.txt PLAIN.dxf FACTOR INSUNITS NAME
                           [VERSION FRETS.txt SLOT_WIDTH SLOT_INSET]

MEASURE.txt is what `bowlyn-cli measure` printed in the file's unit; PLAIN.dxf
the plain export of the same design (design units, loose arcs and lines with
single-precision ends); FACTOR converts design units to the file's unit.
VERSION is AC1009 (the default) or AC1015; FRETS.txt what `bowlyn-cli frets`
printed in the file's unit, with the slots' width and inset in it ("-" for a
design without a fretboard). Exits non-zero with a message on the first
disagreement.
"""
import math
import re
import sys

import ezdxf
from ezdxf import bbox

NUMBER = re.compile(r"^-?[0-9]+(\.[0-9]+)?$")
TEXT_CODES = {0, 1, 2, 3, 4, 5, 6, 8, 9, 100, 105, 330, 350}  # names, handles, subclasses


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


def vertices(p):
    if p.dxftype() == "LWPOLYLINE":
        return [(x, y, b) for x, y, b in p.get_points("xyb")]
    return [(v.dxf.location.x, v.dxf.location.y, v.dxf.bulge) for v in p.vertices]


def closed_polylines(name, msp, layer):
    polylines = [e for e in msp
                 if e.dxf.layer == layer and e.dxftype() in ("POLYLINE", "LWPOLYLINE")]
    for p in polylines:
        if not p.is_closed:
            fail(name, f"an open polyline on {layer}")
    return [vertices(p) for p in polylines]


def straight_pieces(msp):
    """Every line of the file, loose or a polyline's straight edge, with its layer."""
    pieces = []
    for e in msp:
        if e.dxftype() == "LINE":
            pieces.append((e.dxf.layer, (e.dxf.start.x, e.dxf.start.y),
                           (e.dxf.end.x, e.dxf.end.y)))
        elif e.dxftype() in ("POLYLINE", "LWPOLYLINE"):
            v = vertices(e)
            for i, (x, y, b) in enumerate(v):
                if b == 0 and (e.is_closed or i + 1 < len(v)):
                    pieces.append((e.dxf.layer, (x, y), v[(i + 1) % len(v)][:2]))
    return pieces


def check_no_piece_over_another(name, msp, size):
    """No two straight pieces of one layer, and no reference line and another
    piece, lie over each other for any length: a machine would cut them
    twice. Separate parts may share an edge (a cutaway's edge along the
    fingerboard's): each is cut from its own layer."""
    tol = 1e-6 * size
    pieces = straight_pieces(msp)
    for i, (la, a1, a2) in enumerate(pieces):
        length = math.dist(a1, a2)
        if length <= tol:
            continue
        ux, uy = (a2[0] - a1[0]) / length, (a2[1] - a1[1]) / length
        for lb, b1, b2 in pieces[i + 1:]:
            if la != lb and "reflines" not in (la, lb):
                continue
            off = [abs((p[0] - a1[0]) * uy - (p[1] - a1[1]) * ux) for p in (b1, b2)]
            if max(off) > tol:
                continue
            t = sorted(((p[0] - a1[0]) * ux + (p[1] - a1[1]) * uy) for p in (b1, b2))
            if min(t[1], length) - max(t[0], 0.0) > tol:
                fail(name, f"a piece on {lb} lies over one on {la} from {a1} to {a2}")


def check_slots(name, msp, frets_path, width, inset, size):
    """One closed rectangle per fret on the layer slots, the slot width across
    the fret line and as long as the fret less the inset at both ends, its
    middle where the fret table puts the fret's."""
    with open(frets_path, encoding="ascii") as f:
        rows = [l.rstrip("\n").split("\t") for l in f][1:]
    frets = [(float(r[3]), float(r[4])) for r in rows if r[0] not in ("0", "saddle")]
    slots = closed_polylines(name, msp, "slots")
    if len(slots) != len(frets):
        fail(name, f"{len(slots)} slots for {len(frets)} frets")
    if any(e.dxf.layer == "frets" and e.dxftype() == "LINE" for e in msp):
        fail(name, "fret lines beside the slots")
    tol = 1e-9 * size
    for n, (slot, (bass_y, treble_y)) in enumerate(zip(slots, frets), start=1):
        if len(slot) != 4 or any(b != 0 for _, _, b in slot):
            fail(name, f"slot {n} is no rectangle: {slot}")
        p = [(x, y) for x, y, _ in slot]
        sides = [math.dist(p[i], p[(i + 1) % 4]) for i in range(4)]
        across = sorted(sides)[:2]
        if any(abs(s - width) > tol for s in across) or abs(sides[0] - sides[2]) > tol:
            fail(name, f"slot {n} has sides {sides}, the width is {width}")
        d1 = (p[1][0] - p[0][0], p[1][1] - p[0][1])
        d2 = (p[2][0] - p[1][0], p[2][1] - p[1][1])
        if abs(d1[0] * d2[0] + d1[1] * d2[1]) > tol * size:
            fail(name, f"slot {n} is not square at its corners")
        middle_y = sum(y for _, y in p) / 4
        if abs(middle_y - (bass_y + treble_y) / 2) > tol:
            fail(name, f"slot {n} centred at y {middle_y}, fret {n} at {(bass_y + treble_y) / 2}")
        # Its ends, the middles of its short sides, on the board's edges.
        ends = ((p[3][1] + p[0][1]) / 2, (p[1][1] + p[2][1]) / 2)
        if inset == 0 and (abs(ends[0] - bass_y) > tol or abs(ends[1] - treble_y) > tol):
            fail(name, f"slot {n} ends at y {ends}, fret {n} at {(bass_y, treble_y)}")


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
    version, frets_path, width, inset = (sys.argv[7:11] + ["AC1009", "-", "0", "0"][len(sys.argv[7:11]):])
    with open(path, "rb") as f:
        check_text(name, f.read())

    doc = ezdxf.readfile(path)  # raises on a structural error
    auditor = doc.audit()
    if auditor.has_errors or auditor.has_fixes:
        fail(name, "audit: " + "; ".join(str(e.message) for e in auditor.errors + auditor.fixes))
    if doc.dxfversion != version:
        fail(name, f"version {doc.dxfversion}")
    if doc.header["$INSUNITS"] != insunits:
        fail(name, f"$INSUNITS {doc.header['$INSUNITS']}, expected {insunits}")
    if doc.header["$MEASUREMENT"] != (0 if insunits == 1 else 1):
        fail(name, f"$MEASUREMENT {doc.header['$MEASUREMENT']} for $INSUNITS {insunits}")
    check_layers(name, doc)
    msp = doc.modelspace()
    check_extent(name, doc, msp)

    size = max(doc.header["$EXTMAX"][0] - doc.header["$EXTMIN"][0],
               doc.header["$EXTMAX"][1] - doc.header["$EXTMIN"][1])
    check_no_piece_over_another(name, msp, size)
    # The sound hole's centre is no hole to drill in the body.
    if any(e.dxftype() == "POINT" and e.dxf.layer == "body" for e in msp):
        fail(name, "a point on the layer body")
    if frets_path != "-":
        check_slots(name, msp, frets_path, float(width), float(inset), size)

    body = closed_polylines(name, msp, "body")
    if len(body) != 1:
        fail(name, f"{len(body)} polylines on layer body, expected one")
    loose = [e.dxftype() for e in msp if e.dxf.layer == "body"
             and e.dxftype() not in ("POLYLINE", "LWPOLYLINE", "CIRCLE")]
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
