"""Reads the side strips and the mould of an exported DXF for CAM back with
ezdxf, and of the same design's SVG as XML, and checks their geometry.

Usage: sides_mould_readback.py CAM.dxf FILE.svg TAIL NECK MOULD STRIPS NAME

TAIL and NECK are the body's depths and MOULD the mould's distance, all in
the file's unit; STRIPS the number of side strips expected (2 with a
cutaway, else 1). Exits non-zero with a message on the first disagreement.
"""
import math
import sys
import xml.etree.ElementTree as ET

import ezdxf

SVG = "{http://www.w3.org/2000/svg}"
TICK_STEP = {1: 1.0, 4: 20.0, 5: 2.0}  # by $INSUNITS: inch, mm, cm


def fail(name, message):
    sys.exit(f"{name}: {message}")


class Edge:
    """One edge of a closed polyline of bulges: a line or an exact arc."""

    def __init__(self, x1, y1, x2, y2, bulge):
        self.p1, self.p2 = (x1, y1), (x2, y2)
        self.sweep = 4.0 * math.atan(bulge)
        chord = math.hypot(x2 - x1, y2 - y1)
        if self.sweep == 0.0:
            self.length = chord
            return
        half = self.sweep / 2.0
        self.r = chord / (2.0 * abs(math.sin(half)))
        self.length = self.r * abs(self.sweep)
        # The centre on the chord's bisector, left of it for a counter-clockwise arc.
        offset = 0.5 / math.tan(half)
        self.cx = (x1 + x2) / 2.0 - (y2 - y1) * offset
        self.cy = (y1 + y2) / 2.0 + (x2 - x1) * offset
        self.start = math.atan2(y1 - self.cy, x1 - self.cx)

    def point(self, f):
        if self.sweep == 0.0:
            return (self.p1[0] + f * (self.p2[0] - self.p1[0]),
                    self.p1[1] + f * (self.p2[1] - self.p1[1]))
        a = self.start + f * self.sweep
        return (self.cx + self.r * math.cos(a), self.cy + self.r * math.sin(a))

    def distance(self, x, y):
        d1, d2 = math.dist((x, y), self.p1), math.dist((x, y), self.p2)
        if self.sweep == 0.0:
            dx, dy = self.p2[0] - self.p1[0], self.p2[1] - self.p1[1]
            t = ((x - self.p1[0]) * dx + (y - self.p1[1]) * dy) / (dx * dx + dy * dy)
            if 0.0 < t < 1.0:
                return abs((x - self.p1[0]) * dy - (y - self.p1[1]) * dx) / math.hypot(dx, dy)
            return min(d1, d2)
        a = math.atan2(y - self.cy, x - self.cx)
        along = (a - self.start) % (2 * math.pi) if self.sweep > 0 else (self.start - a) % (
            2 * math.pi)
        if along <= abs(self.sweep):
            return abs(math.hypot(x - self.cx, y - self.cy) - self.r)
        return min(d1, d2)


def edges(vertices):
    return [Edge(*vertices[i][:2], *vertices[(i + 1) % len(vertices)][:2], vertices[i][2])
            for i in range(len(vertices))]


def closed_polylines(name, msp, layer):
    found = []
    for p in (e for e in msp if e.dxf.layer == layer and e.dxftype() == "POLYLINE"):
        if not p.is_closed:
            fail(name, f"an open polyline on layer {layer}")
        found.append([(v.dxf.location.x, v.dxf.location.y, v.dxf.bulge) for v in p.vertices])
    return found


def check_mould(name, body, mould, distance, size):
    worst = 0.0
    for e in edges(mould):
        for k in range(41):
            x, y = e.point(k / 40.0)
            worst = max(worst, abs(min(b.distance(x, y) for b in body) - distance))
    if worst > 1e-9 * size:
        fail(name, f"a point of the mould lies {worst} off the distance {distance}")
    return worst


def check_strips(name, msp, strips, body, tail, neck, step):
    perimeter = sum(e.length for e in edges(body))
    lengths = []
    for s in strips:
        (x0, y0, _), (x1, y1, _), (x2, y2, _) = s[0], s[1], s[2]
        xl, yl, _ = s[-1]
        if any(v[2] != 0.0 for v in s) or y1 != y0 or x2 != x1 or xl != x0:
            fail(name, f"a strip is not a straight bottom edge with square ends: {s[:3]}")
        for got, want, what in ((y2 - y1, neck, "neck"), (yl - y0, tail, "tail")):
            if abs(got - want) > 1e-9 * max(tail, neck):
                fail(name, f"the strip is {got} high at the {what} end, the depth is {want}")
        if any(y < y0 or y > y0 + max(tail, neck) * (1 + 1e-12) for _, y, _ in s):
            fail(name, "the strip's top leaves the range of the depths")
        lengths.append(x1 - x0)
        # A tick and its distance from the tail end at every step.
        ticks = sorted(e.dxf.start.x - x0 for e in msp if e.dxftype() == "LINE"
                       and e.dxf.layer == "sides" and abs(e.dxf.start.y - y0) < 1e-9 * perimeter)
        labels = sorted((float(t.dxf.text), t.dxf.align_point.x - x0)
                        for t in msp if t.dxftype() == "TEXT" and t.dxf.text[0].isdigit()
                        and y0 < t.dxf.insert.y < y0 + min(tail, neck))
        want = int(math.ceil((x1 - x0) / step)) - 1
        if len(ticks) != want or len(labels) != want:
            fail(name, f"{len(ticks)} ticks and {len(labels)} labels on a strip, expected {want}")
        for k, (t, (value, at)) in enumerate(zip(ticks, labels), 1):
            if abs(t - k * step) > 1e-9 * perimeter or value != k * step or abs(at - t) > 1e-9:
                fail(name, f"tick {k} at {t} labelled {value} at {at}, expected {k * step}")
    total = sum(lengths) if len(strips) == 2 else 2 * lengths[0]
    if abs(total - perimeter) > 1e-9 * perimeter:
        fail(name, f"the strips are {lengths} long, the body's perimeter is {perimeter}")
    return lengths


def check_svg(name, path, strips):
    root = ET.parse(path).getroot()
    groups = {g.get("id"): g for g in root.iter(SVG + "g")}
    for layer in ("sides", "mould"):
        if layer not in groups:
            fail(name, f"the SVG has no layer {layer}")
    paths = [p for p in groups["sides"].iter(SVG + "path") if p.get("d").endswith("Z")]
    texts = [t.text for t in groups["sides"].iter(SVG + "text")]
    if len(paths) != strips or not texts or len(list(groups["mould"].iter(SVG + "path"))) != 1:
        fail(name, f"the SVG holds {len(paths)} strips, {len(texts)} texts on sides")


def main():
    dxf_path, svg_path, tail, neck, distance, strips, name = sys.argv[1:8]
    tail, neck, distance, strips = float(tail), float(neck), float(distance), int(strips)
    doc = ezdxf.readfile(dxf_path)
    auditor = doc.audit()
    if auditor.has_errors or auditor.has_fixes:
        fail(name, "audit: " + "; ".join(str(e.message) for e in auditor.errors + auditor.fixes))
    for layer in ("sides", "mould"):
        if layer not in doc.layers:
            fail(name, f"no layer {layer} in the table")
    msp = doc.modelspace()
    body = closed_polylines(name, msp, "body")
    mould = closed_polylines(name, msp, "mould")
    sides = closed_polylines(name, msp, "sides")
    if len(body) != 1 or len(mould) != 1 or len(sides) != strips:
        fail(name, f"{len(body)} body, {len(mould)} mould and {len(sides)} side polylines")
    body_edges = edges(body[0])
    size = max(max(abs(v[0]), abs(v[1])) for v in body[0])
    worst = check_mould(name, body_edges, mould[0], distance, size)
    lengths = check_strips(name, msp, sides, body[0], tail, neck,
                           TICK_STEP[doc.header["$INSUNITS"]])
    check_svg(name, svg_path, strips)
    print(f"{name}: strips {', '.join(f'{l:.6f}' for l in lengths)}, "
          f"mould {distance} off by at most {worst:.1e}")


if __name__ == "__main__":
    main()
