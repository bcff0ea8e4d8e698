"""Reads an exported SVG back: as XML, as geometry, and as rsvg-convert draws it.

Usage: svg_readback.py FILE.svg MEASURE.txt ENTITIES.txt FACTOR UNIT NAME

MEASURE.txt is what `bowlyn-cli measure` printed in the file's unit,
ENTITIES.txt the recorded entities (`bowlyn-cli entities`, design units),
FACTOR converts design units to UNIT (in, mm or cm). Exits non-zero with a
message on the first disagreement.
"""
import math
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

sys.dont_write_bytecode = True  # no cache beside the sources
from recorded_entities import read_entities  # noqa: E402

SVG = "{http://www.w3.org/2000/svg}"
INKSCAPE = "{http://www.inkscape.org/namespaces/inkscape}"
LAYERS = ["reflines", "body", "fretboard", "frets", "strings"]
PER_INCH = {"in": 1.0, "mm": 25.4, "cm": 2.54}
DPI = 96
PLAIN_NUMBER = re.compile(r"^-?[0-9]+(\.[0-9]+)?$")
POINT_ARM_MM = 1.0


def fail(name, message):
    sys.exit(f"{name}: {message}")


def read_measure(path):
    with open(path, encoding="ascii") as f:
        return {n: float(v) for n, v, _ in (l.rstrip("\n").split("\t") for l in f)}


def arc_points(cx, cy, r, a1, a2, steps):
    s = (a2 - a1) % 360.0
    return [(cx + r * math.cos(math.radians(a1 + s * k / steps)),
             cy + r * math.sin(math.radians(a1 + s * k / steps))) for k in range(steps + 1)]


def extent(entities):
    xs, ys = [], []
    for kind, _, v in entities:
        if kind == "POINT":
            pts = [(v[0], v[1])]
        elif kind == "LINE":
            pts = [(v[0], v[1]), (v[2], v[3])]
        elif kind == "CIRCLE":
            pts = [(v[0] - v[2], v[1] - v[2]), (v[0] + v[2], v[1] + v[2])]
        else:
            pts = arc_points(*v, 3600)  # extremes to well below a pixel
        xs += [p[0] for p in pts]
        ys += [p[1] for p in pts]
    return min(xs), min(ys), max(xs), max(ys)


def path_loop(name, d):
    """Perimeter and area of a closed path of M, L, A and Z commands, in the
    design's orientation (y up)."""
    tokens = re.findall(r"[MLAZ]|-?[0-9.]+", d)
    if tokens[0] != "M" or tokens[-1] != "Z":
        fail(name, f"the outline path is not closed: {d[:40]}...{d[-20:]}")
    for t in tokens:
        if t not in "MLAZ" and not PLAIN_NUMBER.match(t):
            fail(name, f"malformed number {t!r} in a path")
    x, y = float(tokens[1]), -float(tokens[2])
    start, length, area2, i = (x, y), 0.0, 0.0, 3
    while i < len(tokens):
        cmd = tokens[i]
        if cmd == "Z":
            nx, ny, sweep, i = start[0], start[1], 0.0, i + 1
        elif cmd == "L":
            nx, ny, sweep, i = float(tokens[i + 1]), -float(tokens[i + 2]), 0.0, i + 3
        elif cmd == "A":
            r, large, clockwise = float(tokens[i + 1]), tokens[i + 4], tokens[i + 5]
            nx, ny = float(tokens[i + 6]), -float(tokens[i + 7])
            chord = math.hypot(nx - x, ny - y)
            sweep = 2.0 * math.asin(min(1.0, chord / (2.0 * r)))
            if large == "1":
                sweep = 2.0 * math.pi - sweep
            if clockwise == "1":  # clockwise as seen on the page, y up or down
                sweep = -sweep
            i += 8
        else:
            fail(name, f"unexpected command {cmd!r}")
        chord = math.hypot(nx - x, ny - y)
        area2 += x * ny - nx * y
        if sweep:
            radius = chord / (2.0 * math.sin(abs(sweep) / 2.0))
            length += radius * abs(sweep)
            area2 += radius * radius * (sweep - math.sin(sweep))
        else:
            length += chord
        x, y = nx, ny
    return length, area2 / 2.0


def check_xml(name, path, unit, measured, entities):
    root = ET.parse(path).getroot()  # raises on malformed XML
    if root.tag != SVG + "svg":
        fail(name, f"root element {root.tag}")
    title = root.find(SVG + "title")
    if title is None or title.text != name.split(" (")[0]:
        fail(name, f"title {None if title is None else title.text!r}")
    width, height = root.get("width"), root.get("height")
    if not (width.endswith(unit) and height.endswith(unit)):
        fail(name, f"size {width} x {height} not in {unit}")
    w, h = float(width[:-len(unit)]), float(height[:-len(unit)])
    vb = [float(v) for v in root.get("viewBox").split()]
    lo_x, lo_y, hi_x, hi_y = extent(entities)
    size = max(w, h)
    # The canvas leaves the drawing a margin of at least the stroke's width
    # all round, so that no hairline is cut in half at its edge.
    margin = (w - (hi_x - lo_x)) / 2
    if margin < 0.1 / 25.4 * PER_INCH[unit] - 1e-7 * size:
        fail(name, f"a margin of {margin} {unit} round the drawing, less than the stroke")
    for got, want, what in ((vb[0], lo_x - margin, "left"), (vb[1], -hi_y - margin, "top"),
                            (vb[2], w, "width"), (vb[3], h, "height"),
                            (h, hi_y - lo_y + 2 * margin, "drawing height")):
        if abs(got - want) > 1e-7 * size:
            fail(name, f"viewBox {what} {got}, the drawing's is {want}")

    groups = root.findall(SVG + "g")
    ids = [g.get("id") for g in groups]
    # The recorded layers, then the files' own: the sound hole's centre
    # and the slots.
    if ids[:len(LAYERS)] != LAYERS or not set(ids[len(LAYERS):]) <= {"marks", "slots"}:
        fail(name, f"layer groups {[g.get('id') for g in groups]}")
    for g in groups:
        if g.get(INKSCAPE + "groupmode") != "layer" or g.get(INKSCAPE + "label") != g.get("id"):
            fail(name, f"group {g.get('id')} is no Inkscape layer")
        stroke_mm = float(g.get("stroke-width")) * 25.4 / PER_INCH[unit]
        if g.get("fill") != "none" or abs(stroke_mm - 0.1) > 1e-9:
            fail(name, f"group {g.get('id')}: fill {g.get('fill')}, stroke {g.get('stroke-width')}")
    body = groups[1]
    closed = [p for p in body.findall(SVG + "path") if p.get("d").endswith("Z")]
    if len(closed) != 1:
        fail(name, f"{len(closed)} closed paths on the body layer")
    length, area = path_loop(name, closed[0].get("d"))
    # The radii are written to 1e-12 of the size, and a half circle's sweep is
    # sensitive to them: compare to 1e-6.
    for what, got in (("perimeter", length), ("area", area)):
        if abs(got - measured[what]) > 1e-6 * measured[what]:
            fail(name, f"{what} of the path {got}, measure says {measured[what]}")
    return vb, w, h


def render_alpha(name, path):
    with tempfile.TemporaryDirectory() as tmp:
        png = tmp + "/out.png"
        subprocess.run(["rsvg-convert", "--dpi-x", str(DPI), "--dpi-y", str(DPI), "-o", png, path],
                       check=True)
        size = subprocess.run(["identify", "-format", "%w %h", png], check=True,
                              capture_output=True, text=True).stdout.split()
        raw = subprocess.run(["convert", png, "-alpha", "extract", "-depth", "8", "gray:-"],
                             check=True, capture_output=True).stdout
    width, height = int(size[0]), int(size[1])
    if len(raw) != width * height:
        fail(name, "the rendered image could not be read")
    return width, height, raw


def distance_to(kind, v, x, y, arm):
    """Distance of (x, y) from a recorded item; a point is drawn as a cross
    with arms of `arm`."""
    if kind == "LINE":
        dx, dy = v[2] - v[0], v[3] - v[1]
        t = max(0.0, min(1.0, ((x - v[0]) * dx + (y - v[1]) * dy) / (dx * dx + dy * dy or 1)))
        return math.hypot(x - v[0] - t * dx, y - v[1] - t * dy)
    if kind == "CIRCLE":
        return abs(math.hypot(x - v[0], y - v[1]) - v[2])
    if kind == "POINT":
        return max(0.0, math.hypot(x - v[0], y - v[1]) - arm)
    a = math.degrees(math.atan2(y - v[1], x - v[0]))
    if (a - v[3]) % 360.0 <= (v[4] - v[3]) % 360.0:
        return abs(math.hypot(x - v[0], y - v[1]) - v[2])
    ends = arc_points(v[0], v[1], v[2], v[3], v[4], 1)
    return min(math.hypot(x - p[0], y - p[1]) for p in ends)


def check_pixels(name, unit, vb, w, h, entities, image):
    width, height, alpha = image
    scale = DPI / PER_INCH[unit]  # pixels per unit
    for got, exact, what in ((width, w * scale, "width"), (height, h * scale, "height")):
        # rsvg-convert rounds a fraction of a pixel up, working in single
        # precision: 482.6 mm at 96 dpi (1824 px) gives 1825.
        if abs(got - exact) > 1.001:
            fail(name, f"rendered {what} {got} px, the physical size is {exact:.3f} px")

    def ink(x, y):
        col, row = int((x - vb[0]) * scale), int((-y - vb[1]) * scale)
        return max(alpha[r * width + c] for r in range(max(row - 1, 0), min(row + 2, height))
                   for c in range(max(col - 1, 0), min(col + 2, width)))

    # Every recorded piece of the body is drawn where the design puts it.
    for kind, layer, v in entities:
        if layer != "body" or kind == "POINT":
            continue
        if kind == "LINE":
            pts = [(v[0] + (v[2] - v[0]) * k / 10, v[1] + (v[3] - v[1]) * k / 10)
                   for k in range(1, 10)]
        elif kind == "ARC":
            pts = arc_points(*v, 10)[1:-1]
        else:
            pts = arc_points(v[0], v[1], v[2], 0.0, 359.0, 12)
        for x, y in pts:
            if ink(x, y) < 40:
                fail(name, f"no outline drawn at ({x:.4f}, {y:.4f}) {unit}")

    # And nothing is drawn where the design has nothing: every inked pixel
    # lies within two pixels of a recorded item.
    arm = POINT_ARM_MM / 25.4 * PER_INCH[unit]
    inked = [i for i in range(0, len(alpha), 7) if alpha[i] >= 64]
    for i in inked[::max(1, len(inked) // 1500)]:
        row, col = divmod(i, width)
        x, y = vb[0] + (col + 0.5) / scale, -(vb[1] + (row + 0.5) / scale)
        near = min(distance_to(k, v, x, y, arm) for k, _, v in entities)
        if near > 2.0 / scale:
            fail(name, f"ink at pixel ({col}, {row}), {near * scale:.1f} px from the design")
    return width, height


def main():
    path, measure_path, entities_path, factor, unit, name = sys.argv[1:7]
    measured = read_measure(measure_path)
    entities = read_entities(entities_path, float(factor))
    vb, w, h = check_xml(name, path, unit, measured, entities)
    width, height = check_pixels(name, unit, vb, w, h, entities, render_alpha(name, path))
    print(f"{name}: {w:.4f} x {h:.4f} {unit}, {width} x {height} px at {DPI} dpi")


if __name__ == "__main__":
    main()
