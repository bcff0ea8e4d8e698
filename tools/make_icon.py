#!/usr/bin/env python3
"""Draws Bowlyn's application icon, a guitar seen from the front, and writes it
as a Windows icon file with 64, 48, 32 and 16 pixel images (32-bit BMP
entries, which every icon reader knows), or as the PNG images and the SVG of
a freedesktop icon theme (DIR/16x16/apps/bowlyn.png ... DIR/scalable/apps/
bowlyn.svg). Needs nothing but python3.

    python3 tools/make_icon.py ui/bowlyn.ico [--png preview.png]
    python3 tools/make_icon.py --theme DIR
"""

import math
import os
import struct
import sys
import zlib

SIZES = (64, 48, 32, 16)
# The sizes desktops look for in the hicolor theme.
THEME_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

WOOD = (0.91, 0.66, 0.34)
EDGE = (0.33, 0.18, 0.07)
NECK = (0.47, 0.28, 0.12)
HOLE = (0.18, 0.10, 0.04)
STRING = (0.92, 0.90, 0.84)

# The guitar in its own units: u across (0 on the centre line), v along it from
# the tail (0) to the end of the headstock.
BODY_LENGTH = 1.0
LOWER = (0.30, 0.31)  # (centre v, half width) of the lower bout
WAIST = (0.57, 0.20)
UPPER = (0.78, 0.235)
NECK_HALF = 0.055
NECK_END = 1.52
HEAD = (1.50, 1.78, 0.085)  # start, end, half width of the headstock
SOUND_HOLE = (0.63, 0.085)
BRIDGE = (0.27, 0.035, 0.13)  # centre v, half length, half width


def ease(a, b, t):
    return a + (b - a) * (1.0 - math.cos(math.pi * t)) / 2.0


def body_half_width(v):
    lv, lw = LOWER
    wv, ww = WAIST
    uv, uw = UPPER
    if v < 0.0 or v > BODY_LENGTH:
        return -1.0
    if v <= lv:
        return math.sqrt(max(0.0, lw * lw - (v - lv) ** 2))
    if v <= wv:
        return ease(lw, ww, (v - lv) / (wv - lv))
    if v <= uv:
        return ease(ww, uw, (v - wv) / (uv - wv))
    # The upper bout rounds over into a short flat shoulder at the neck.
    t = (v - uv) / (BODY_LENGTH - uv)
    return uw * math.sqrt(max(0.0, 1.0 - t ** 4)) + 0.06 * t ** 4


def in_body(u, v):
    return abs(u) <= body_half_width(v)


def in_neck(u, v):
    if 0.88 <= v <= NECK_END and abs(u) <= NECK_HALF + 0.012 * (NECK_END - v):
        return True
    start, end, half = HEAD
    if start <= v <= end:
        taper = 1.0 - 0.25 * (v - start) / (end - start)
        return abs(u) <= half * taper
    return False


def deep(inside, u, v, t):
    """True when the point and a ring of radius t around it are inside."""
    if not inside(u, v):
        return False
    for k in range(8):
        a = k * math.pi / 4.0
        if not inside(u + t * math.cos(a), v + t * math.sin(a)):
            return False
    return True


def colour_at(u, v, line, details):
    """The colour of the top-most part at (u, v), or None for background.
    Small icons leave out the string, which would only blur them."""
    on_string = details and abs(u) < line * 0.45 and BRIDGE[0] < v < HEAD[0]
    if in_neck(u, v):
        if not deep(in_neck, u, v, line):
            return EDGE
        return STRING if on_string else NECK
    if on_string:
        return STRING
    if in_body(u, v):
        if not deep(in_body, u, v, line):
            return EDGE
        hv, hr = SOUND_HOLE
        if math.hypot(u, v - hv) <= hr:
            return HOLE
        bv, bl, bw = BRIDGE
        if abs(v - bv) <= bl and abs(u) <= bw:
            return EDGE
        return WOOD
    return None


def silhouette_points():
    """Points along the outline of body, neck and headstock, in guitar units."""
    points = []
    steps = 400
    for i in range(steps + 1):
        v = HEAD[1] * i / steps
        half = max(body_half_width(v), 0.0)
        if in_neck(0.0, v):
            u = 0.0
            while in_neck(u + 0.001, v):
                u += 0.001
            half = max(half, u)
        points += [(half, v), (-half, v)]
    return points


def fit(angle, margin):
    """Scale and offset that put the rotated guitar in the middle of the unit
    square with `margin` left free on every side."""
    cos_a, sin_a = math.cos(angle), math.sin(angle)
    xs, ys = [], []
    for u, v in silhouette_points():
        xs.append(v * cos_a - u * sin_a)
        ys.append(v * sin_a + u * cos_a)
    scale = (1.0 - 2.0 * margin) / max(max(xs) - min(xs), max(ys) - min(ys))
    return scale, (max(xs) + min(xs)) / 2.0, (max(ys) + min(ys)) / 2.0


ANGLE = math.radians(45.0)  # the neck points to the upper right


def line_width(size, scale):
    """The edge's width in guitar units on an icon of `size` pixels."""
    return max(0.02, 1.2 / (size * scale))


def render(size):
    """RGBA rows, top row first, drawn with supersampling."""
    samples = 6 if size <= 16 else 4
    scale, mid_x, mid_y = fit(ANGLE, 0.6 / size)
    line = line_width(size, scale)
    cos_a, sin_a = math.cos(ANGLE), math.sin(ANGLE)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    # Icon coordinates with the centre at 0 and y up, in guitar units.
                    x = ((px + (sx + 0.5) / samples) / size - 0.5) / scale + mid_x
                    y = (0.5 - (py + (sy + 0.5) / samples) / size) / scale + mid_y
                    # Rotate back into the guitar's axes.
                    v = x * cos_a + y * sin_a
                    u = -x * sin_a + y * cos_a
                    c = colour_at(u, v, line, size > 16)
                    if c is not None:
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                        acc[3] += 1.0
            n = samples * samples
            alpha = acc[3] / n
            if acc[3] > 0:
                rgb = [acc[i] / acc[3] for i in range(3)]
            else:
                rgb = [0.0, 0.0, 0.0]
            row.append(tuple(int(round(c * 255)) for c in rgb) + (int(round(alpha * 255)),))
        rows.append(row)
    return rows


def bmp_entry(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def write_ico(path, images):
    entries = [bmp_entry(rows) for rows in images]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for rows, data in zip(images, entries):
        size = len(rows)
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(entries))


def write_png(path, rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def half_width(inside, v):
    """How far the part reaches from the centre line at v (it is symmetric and
    solid across), found by halving; 0 where it is absent."""
    if not inside(0.0, v):
        return 0.0
    lo, hi = 0.0, 1.0
    for _ in range(30):
        mid = (lo + hi) / 2.0
        lo, hi = (mid, hi) if inside(mid, v) else (lo, mid)
    return lo


def part_outline(inside, v0, v1, steps=240):
    """The closed outline of a part between v0 and v1, up one side and down
    the other, in guitar units."""
    vs = [v0 + (v1 - v0) * i / steps for i in range(steps + 1)]
    right = [(half_width(inside, v), v) for v in vs]
    right = [p for p in right if p[0] > 0.0]
    return right + [(-u, v) for u, v in reversed(right)]


def svg_icon(size=64):
    """The same drawing as a scalable icon: body, sound hole, bridge, string
    and neck as outlined shapes in a size x size view box."""
    scale, mid_x, mid_y = fit(ANGLE, 0.6 / size)
    cos_a, sin_a = math.cos(ANGLE), math.sin(ANGLE)
    line = line_width(size, scale)

    def point(u, v):
        x = v * cos_a - u * sin_a
        y = v * sin_a + u * cos_a
        return ((x - mid_x) * scale + 0.5) * size, (0.5 - (y - mid_y) * scale) * size

    def colour(c):
        return "#%02x%02x%02x" % tuple(int(round(k * 255)) for k in c)

    def polygon(points, fill, stroke=None):
        d = " ".join("%s%.3f,%.3f" % ("M" if i == 0 else "L", *point(u, v))
                     for i, (u, v) in enumerate(points)) + " Z"
        edge = ' stroke="%s" stroke-width="%.3f" stroke-linejoin="round"' % (
            colour(stroke), line * scale * size) if stroke else ""
        return '  <path d="%s" fill="%s"%s/>\n' % (d, colour(fill), edge)

    hv, hr = SOUND_HOLE
    bv, bl, bw = BRIDGE
    cx, cy = point(0.0, hv)
    string_width = line * 0.9 * scale * size
    s0, s1 = point(0.0, bv), point(0.0, HEAD[0])
    neck = part_outline(in_neck, 0.88, HEAD[1])
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
        'viewBox="0 0 %d %d">\n' % (size, size, size, size) +
        polygon(part_outline(in_body, 0.0, BODY_LENGTH), WOOD, EDGE) +
        '  <circle cx="%.3f" cy="%.3f" r="%.3f" fill="%s"/>\n' % (cx, cy, hr * scale * size,
                                                                 colour(HOLE)) +
        polygon([(bw, bv - bl), (bw, bv + bl), (-bw, bv + bl), (-bw, bv - bl)], EDGE) +
        polygon(neck, NECK) +
        '  <path d="M%.3f,%.3f L%.3f,%.3f" stroke="%s" stroke-width="%.3f"/>\n' % (
            *s0, *s1, colour(STRING), string_width) +
        polygon(neck, NECK, EDGE).replace('fill="%s"' % colour(NECK), 'fill="none"') +
        "</svg>\n")


def write_theme(folder):
    for size in THEME_SIZES:
        path = os.path.join(folder, "%dx%d" % (size, size), "apps")
        os.makedirs(path, exist_ok=True)
        write_png(os.path.join(path, "bowlyn.png"), render(size))
    path = os.path.join(folder, "scalable", "apps")
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, "bowlyn.svg"), "w") as f:
        f.write(svg_icon())


def main(argv):
    if len(argv) == 3 and argv[1] == "--theme":
        write_theme(argv[2])
        return 0
    if len(argv) not in (2, 4) or (len(argv) == 4 and argv[2] != "--png"):
        sys.stderr.write(__doc__)
        return 2
    images = [render(size) for size in SIZES]
    write_ico(argv[1], images)
    if len(argv) == 4:
        write_png(argv[3], images[0])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
