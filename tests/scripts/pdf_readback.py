"""Reads a full-size paper template back with poppler-utils.

Usage:
  pdf_readback.py pages FILE.pdf ENTITIES.txt FACTOR WIDTH HEIGHT OVERLAP
      pdfinfo and pdftotext: the pages' size, their number worked out here
      from the drawing's extent, and the label and "page N of M" of each.
  pdf_readback.py rulers FILE.pdf PAGE [PERCENT]
      pdftoppm at 254 dpi (10 pixels a millimetre): the 100 mm ruler
      measures 1000 pixels and the 4 inch ruler 1016, each to a pixel; for
      a printer that scales the page's width by PERCENT, 100 / PERCENT times
      that.
  pdf_readback.py assembly FILE.pdf FULL.pdf MEASURE.txt WIDTH HEIGHT OVERLAP
      every tile rendered at 254 dpi and placed by its offset on the grid:
      the black body outline spans the design's length and width to a
      pixel, and row by row it lies where the full-size page draws it.

ENTITIES.txt is `bowlyn-cli entities` of the design, FACTOR millimetres per
design unit, WIDTH and HEIGHT the portrait paper in millimetres, OVERLAP the
tiles' overlap in millimetres, MEASURE.txt `bowlyn-cli measure --units mm`.
What a sheet promises, and what this reader takes from it: a margin of 10 mm
all round, under the drawing area 20 mm for the rulers and the labels, and on
a full-size page 20 mm left of the drawing for the upright rulers.
"""
import math
import re
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no cache beside the sources
from recorded_entities import read_entities  # noqa: E402

MARGIN = 10.0
FOOTER = 20.0
RULER_STRIP = 20.0
POINTS_PER_MM = 72.0 / 25.4
DPI = 254
PX = DPI / 25.4  # pixels a millimetre


def fail(message):
    sys.exit(message)


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


# --- the drawing, independently of the program's tiling --------------------

def segments(entities):
    """What the template paints, as short straight pieces: the recorded
    entities without the side view (beside the body, recorded for CAD only)
    and without the centre line (which the template cuts to the rest)."""
    out = []
    for kind, layer, v in entities:
        if kind == "LINE" and layer == "reflines" and v[0] == 0 and v[2] == 0:
            continue
        if kind == "LINE":
            out.append((layer, (v[0], v[1], v[2], v[3])))
        elif kind == "POINT":
            out.append((layer, (v[0], v[1], v[0], v[1])))
        else:
            cx, cy, r = v[0], v[1], v[2]
            a1, sweep = (0.0, 360.0) if kind == "CIRCLE" else (v[3], (v[4] - v[3]) % 360.0)
            steps = max(4, int(sweep * 4))
            pts = [(cx + r * math.cos(math.radians(a1 + sweep * k / steps)),
                    cy + r * math.sin(math.radians(a1 + sweep * k / steps)))
                   for k in range(steps + 1)]
            out += [(layer, (*pts[k], *pts[k + 1])) for k in range(steps)]
    # The side view starts one design unit beyond the body's widest point.
    half_width = max(max(abs(s[0]), abs(s[2])) for layer, s in out if layer == "body")
    return [s for _, s in out if max(abs(s[0]), abs(s[2])) <= half_width + 1e-6]


def crosses(seg, x0, y0, x1, y1):
    """Whether the segment passes through the rectangle (Liang-Barsky)."""
    ax, ay, bx, by = seg
    dx, dy = bx - ax, by - ay
    t0, t1 = 0.0, 1.0
    for p, q in ((-dx, ax - x0), (dx, x1 - ax), (-dy, ay - y0), (dy, y1 - ay)):
        if p == 0:
            if q < 0:
                return False
        else:
            t = q / p
            if p < 0:
                t0 = max(t0, t)
            else:
                t1 = min(t1, t)
            if t0 > t1:
                return False
    return True


def tiles_needed(length, area, overlap):
    if length <= area:
        return 1
    return math.ceil((length - area) / (area - overlap)) + 1


def tiling(segs, area_w, area_h, overlap):
    """Tiles the drawing passes through, row by row: (row, column) pairs."""
    xs = [c for s in segs for c in (s[0], s[2])]
    ys = [c for s in segs for c in (s[1], s[3])]
    min_x, max_y = min(xs), max(ys)
    width, height = max(xs) - min_x, max(ys) - min(ys)
    cols = tiles_needed(width, area_w, overlap)
    rows = tiles_needed(height, area_h, overlap)
    step_x, step_y = area_w - overlap, area_h - overlap
    off_x = (area_w + (cols - 1) * step_x - width) / 2
    off_y = (area_h + (rows - 1) * step_y - height) / 2
    used = []
    for r in range(rows):
        for c in range(cols):
            # The tile in design millimetres, y up.
            x0 = min_x + c * step_x - off_x
            y1 = max_y - (r * step_y - off_y)
            box = (x0, y1 - area_h, x0 + area_w, y1)
            if any(crosses(s, *box) for s in segs):
                used.append((r, c))
    return used


def label(row, column):
    letters, n = "", row + 1
    while n > 0:
        letters = chr(ord("A") + (n - 1) % 26) + letters
        n = (n - 1) // 26
    return f"{letters}{column + 1}"


def page_sizes(pdf):
    info = run("pdfinfo", "-f", "1", "-l", "100000", pdf)
    sizes = re.findall(r"^Page +\d+ size: +([0-9.]+) x ([0-9.]+) pts", info, re.M)
    return [(float(w), float(h)) for w, h in sizes]


def page_text(pdf, page):
    return run("pdftotext", "-layout", "-f", str(page), "-l", str(page), pdf, "-")


def check_pages(pdf, entities_path, factor, width, height, overlap):
    segs = segments(read_entities(entities_path, float(factor)))
    width, height, overlap = float(width), float(height), float(overlap)
    portrait = tiling(segs, width - 2 * MARGIN, height - 2 * MARGIN - FOOTER, overlap)
    landscape = tiling(segs, height - 2 * MARGIN, width - 2 * MARGIN - FOOTER, overlap)
    used, tile_w, tile_h = (portrait, width, height)
    if len(landscape) < len(portrait):
        used, tile_w, tile_h = (landscape, height, width)
    expected = len(used) + 1
    sizes = page_sizes(pdf)
    # A design with a fretboard has its tiles ("F-A1") and the fret table
    # ("Frets") after the body's.
    total = len(sizes)
    board = total > expected and "fret table" in page_text(pdf, total)
    if total != expected and not board:
        fail(f"{pdf}: {total} pages, expected {expected} (a map and {len(used)} tiles)")
    paper = sorted((width * POINTS_PER_MM, height * POINTS_PER_MM))
    if sorted(sizes[0]) != [round(p, 3) for p in paper] and \
            any(abs(a - b) > 0.01 for a, b in zip(sorted(sizes[0]), paper)):
        fail(f"{pdf}: the map is {sizes[0]} points, not the paper {paper}")
    for n, (w, h) in enumerate(sizes[1:expected], start=2):
        if abs(w - tile_w * POINTS_PER_MM) > 0.01 or abs(h - tile_h * POINTS_PER_MM) > 0.01:
            fail(f"{pdf}: page {n} is {w} x {h} points, expected "
                 f"{tile_w * POINTS_PER_MM:.2f} x {tile_h * POINTS_PER_MM:.2f}")
    for n in range(1, total + 1):
        text = page_text(pdf, n)
        if f"page {n} of {total}" not in text:
            fail(f"{pdf}: page {n} does not say 'page {n} of {total}'")
        if "Print at 100 % (actual size)" not in text:
            fail(f"{pdf}: page {n} does not ask to print at actual size")
        if n == 1:
            continue
        want = label(*used[n - 2]) if n <= expected else "Frets" if n == total else r"F-[A-Z]+\d+"
        if not re.search(rf"\b{want}\b", text.split(f"page {n} of")[0][-200:]):
            fail(f"{pdf}: page {n} is not labelled {want}")
    mapped = page_text(pdf, 1)
    for r, c in used:
        if not re.search(rf"\b{label(r, c)}\b", mapped):
            fail(f"{pdf}: the map does not show tile {label(r, c)}")
    print(f"{pdf}: {total} pages of {width} x {height} mm, tiles "
          f"{' '.join(label(r, c) for r, c in used)}")


# --- images ----------------------------------------------------------------

def read_pnm(path):
    """(width, height, channels, bytes) of a binary PGM or PPM."""
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        m = re.compile(rb"\s*(#[^\n]*\n\s*)*(\S+)").match(data, pos)
        fields.append(m.group(2))
        pos = m.end()
    kind, w, h = fields[0], int(fields[1]), int(fields[2])
    return w, h, 3 if kind == b"P6" else 1, data[pos + 1:]


def render(pdf, page, out, *options):
    run("pdftoppm", "-r", str(DPI), "-f", str(page), "-l", str(page), "-singlefile",
        *options, pdf, out)
    return read_pnm(out + (".ppm" if "-gray" not in options else ".pgm"))


def words(pdf, page, text):
    """Bounding boxes (points) of a word on a page."""
    html = run("pdftotext", "-bbox", "-f", str(page), "-l", str(page), pdf, "-")
    found = []
    for m in re.finditer(r'<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" '
                         r'yMax="([0-9.]+)">([^<]*)</word>', html):
        if m.group(5) == text:
            found.append(tuple(float(m.group(i)) for i in range(1, 5)))
    return found


def ruler_length(pdf, page, caption, ticks, tmp):
    """Pixels between the first and the last long tick of the ruler left of
    `caption`, found where only the long ticks reach."""
    boxes = words(pdf, page, caption)
    if not boxes:
        fail(f"{pdf}: page {page} has no '{caption}' caption")
    # The lying ruler is in the band at the foot of the page.
    x_min, y_min, _, y_max = (v / POINTS_PER_MM * PX for v in max(boxes, key=lambda b: b[1]))
    left, top = max(0, int(x_min - 125 * PX)), int(y_min - 4.5 * PX)
    w, h = int(x_min - 0.5 * PX) - left, int(y_max + 1 * PX) - top
    w, h, _, data = render(pdf, page, f"{tmp}/ruler", "-gray", "-x", str(left), "-y", str(top),
                           "-W", str(w), "-H", str(h))
    rows = [data[y * w:(y + 1) * w] for y in range(h)]
    base = max(range(h), key=lambda y: sum(255 - b for b in rows[y]))
    band = rows[base - int(3.4 * PX):base - int(3.0 * PX)]
    ink = [sum(255 - r[x] for r in band) for x in range(w)]
    clusters, current = [], []
    for x, v in enumerate(ink):
        if v > 40:
            current.append(x)
        elif current:
            clusters.append(current)
            current = []
    if current:
        clusters.append(current)
    if len(clusters) != ticks:
        fail(f"{pdf}: the '{caption}' ruler shows {len(clusters)} long ticks, expected {ticks}")
    centres = [sum(x * ink[x] for x in c) / sum(ink[x] for x in c) for c in clusters]
    return centres[-1] - centres[0]


def check_rulers(pdf, page, printer_scale="100"):
    """With a printer's scale across the page (percent), the file draws the
    rulers that much larger, so that the printer makes them true."""
    factor = 100.0 / float(printer_scale)
    with tempfile.TemporaryDirectory() as tmp:
        mm = ruler_length(pdf, int(page), "mm", 11, tmp)
        inch = ruler_length(pdf, int(page), "in", 5, tmp)
    if abs(mm - 1000 * factor) > 1 or abs(inch - 1016 * factor) > 1:
        fail(f"{pdf}: at 254 dpi the 100 mm ruler measures {mm:.2f} pixels and the 4 in "
             f"ruler {inch:.2f}; expected {1000 * factor:.2f} and {1016 * factor:.2f}")
    print(f"{pdf}: page {page}: 100 mm ruler {mm:.2f} px, 4 in ruler {inch:.2f} px")


# Black is the body outline: red reference lines keep their red channel and
# the blue marks their blue one, so a pixel is black where all three channels
# are below this (a black line covering more than a fifth of the pixel).
BLACK = 200


class Page:
    """The black pixels of the drawing area of a rendered page."""

    def __init__(self, image, x0, y0, w, h):
        self.width, _, _, self.data = image
        self.x0, self.y0, self.w, self.h = x0, y0, w, h
        dark = bytes(1 if v < BLACK else 0 for v in range(256))
        self.rows = []
        for y in range(y0, y0 + h):
            row = self.data[(y * self.width + x0) * 3:(y * self.width + x0 + w) * 3]
            mask = (int.from_bytes(row[0::3].translate(dark), "big")
                    & int.from_bytes(row[1::3].translate(dark), "big")
                    & int.from_bytes(row[2::3].translate(dark), "big"))
            bits = mask.to_bytes(w, "big") if mask else None
            self.rows.append((bits.find(b"\x01"), bits.rfind(b"\x01")) if bits else None)

    def ink(self, x, y):
        """Darkness of a black pixel (area coordinates), 0 elsewhere."""
        if not (0 <= x < self.w and 0 <= y < self.h):
            return 0
        i = ((self.y0 + y) * self.width + self.x0 + x) * 3
        r, g, b = self.data[i:i + 3]
        return 255 - g if max(r, g, b) < 255 and r < 230 and b < 230 else 0

    def centre(self, x, y, vertical):
        """The centre of the line through (x, y) across it: the darkness-
        weighted mean over the pixels around, so rows or columns where the
        renderer happened to put the edge do not count."""
        around = range(-3, 4)
        weights = [self.ink(x, y + d) if vertical else self.ink(x + d, y) for d in around]
        return (y if vertical else x) + sum(d * w for d, w in zip(around, weights)) / sum(weights)

    def extremes(self):
        """Sub-pixel top, bottom, left and right of the black drawing."""
        ys = [y for y, r in enumerate(self.rows) if r]
        top, bottom = ys[0], ys[-1]
        left_y = min(ys, key=lambda y: self.rows[y][0])
        right_y = max(ys, key=lambda y: self.rows[y][1])
        darkest = lambda y: max(range(self.rows[y][0], self.rows[y][1] + 1),
                                key=lambda x: self.ink(x, y))
        return (self.centre(darkest(top), top, True), self.centre(darkest(bottom), bottom, True),
                self.centre(self.rows[left_y][0], left_y, False),
                self.centre(self.rows[right_y][1], right_y, False))


def tile_of(pdf, n):
    found = re.findall(r"\b([A-Z]+)([0-9]+) +page " + str(n) + " of", page_text(pdf, n))
    if not found:
        fail(f"{pdf}: page {n} has no tile label")
    row = 0
    for ch in found[0][0]:
        row = row * 26 + ord(ch) - ord("A") + 1
    return row - 1, int(found[0][1]) - 1


def check_assembly(pdf, full_pdf, measure_path, width, height, overlap):
    width, height, overlap = float(width), float(height), float(overlap)
    with open(measure_path, encoding="ascii") as f:
        measure = {n: float(v) for n, v, _ in (l.rstrip("\n").split("\t") for l in f)}
    margin = round(MARGIN * PX)
    top = left = math.inf
    bottom = right = -math.inf
    rows = {}  # canvas row: first and last black column
    with tempfile.TemporaryDirectory() as tmp:
        for n in range(2, len(page_sizes(pdf)) + 1):
            image = render(pdf, n, f"{tmp}/tile")
            page_w, page_h = (height, width) if image[0] > image[1] else (width, height)
            area_w, area_h = page_w - 2 * MARGIN, page_h - 2 * MARGIN - FOOTER
            row, column = tile_of(pdf, n)
            dx = round(column * (area_w - overlap) * PX)
            dy = round(row * (area_h - overlap) * PX)
            page = Page(image, margin, margin, round(area_w * PX), round(area_h * PX))
            if not any(page.rows):
                continue
            t, b, l, r = page.extremes()
            top, bottom = min(top, t + dy), max(bottom, b + dy)
            left, right = min(left, l + dx), max(right, r + dx)
            for y, span in enumerate(page.rows):
                if span:
                    old = rows.get(y + dy, (math.inf, -math.inf))
                    rows[y + dy] = (min(old[0], span[0] + dx), max(old[1], span[1] + dx))
        full_image = render(full_pdf, 1, f"{tmp}/full")
        # Left of the drawing stand the upright rulers, under it the band.
        x0 = round((MARGIN + RULER_STRIP) * PX) - 5
        full = Page(full_image, x0, 0, full_image[0] - x0,
                    full_image[1] - round((MARGIN + FOOTER) * PX))
    span_x, span_y = right - left, bottom - top
    want_x, want_y = measure["width"] * PX, measure["length"] * PX
    if abs(span_x - want_x) > 1 or abs(span_y - want_y) > 1:
        fail(f"{pdf}: the assembled body spans {span_x:.2f} x {span_y:.2f} pixels at 254 dpi, "
             f"the design {want_x:.2f} x {want_y:.2f}")
    # Row by row between the ends the tiles put the outline where the
    # full-size page does, to a pixel and what the slope adds to it.
    f_top, _, f_left, _ = full.extremes()
    shift_x, shift_y = round(f_left - left), round(f_top - top)
    worst = 0.0
    first, last = round(top), round(bottom)
    for y in range(first + (last - first) // 20, last - (last - first) // 20):
        a, b = rows.get(y), full.rows[y + shift_y]
        near = [full.rows[y + shift_y + d] for d in (-1, 1)]
        if a is None or b is None or None in near:
            fail(f"{pdf}: row {y - first} of the body is missing from the tiles or the "
                 f"full-size page")
        for k in (0, 1):
            slope = abs(near[1][k] - near[0][k]) / 2
            off = abs(a[k] - (b[k] - shift_x)) - slope
            worst = max(worst, off)
    if worst > 1.5:
        fail(f"{pdf}: the assembled tiles and the full-size page differ by {worst:.1f} pixels")
    print(f"{pdf}: assembled body {span_x:.2f} x {span_y:.2f} px (design {want_x:.2f} x "
          f"{want_y:.2f}), within {max(worst, 0):.1f} px of the full-size page row by row")


if __name__ == "__main__":
    commands = {"pages": check_pages, "rulers": check_rulers, "assembly": check_assembly}
    commands[sys.argv[1]](*sys.argv[2:])
