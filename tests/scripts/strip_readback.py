"""Reads the side strip of a full-size paper template back with poppler-utils.

Usage:
  strip_readback.py FILE.pdf PAGES PAGE MEASURE.txt WORD...
      pdfinfo: the file has PAGES pages; pdftotext: page PAGE carries the
      strip's label, "page PAGE of PAGES" and every WORD; pdftoppm at 254 dpi:
      the strip's bottom edge, measured by the page's own 100 mm ruler, is
      half the body's perimeter (a body without a cutaway has two equal
      sides) as MEASURE.txt (`bowlyn-cli measure --units mm`) gives it.
"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pdf_readback as pr  # noqa: E402


def bottom_edge(pdf, page, tmp):
    """Pixels from the first to the last dark pixel of the longest dark row
    above the band: the strip's straight bottom edge."""
    width, height, _, data = pr.render(pdf, page, f"{tmp}/strip", "-gray")
    band_top = height - int((pr.MARGIN + pr.FOOTER) * pr.PX)
    left = int((pr.MARGIN + pr.RULER_STRIP - 1) * pr.PX)
    best = (0, 0, 0)
    for y in range(0, band_top):
        row = data[y * width + left:(y + 1) * width]
        dark = [x for x, v in enumerate(row) if v < 128]
        if not dark:
            continue
        # The longest unbroken stretch of the row.
        run_start = dark[0]
        for a, b in zip(dark, dark[1:] + [None]):
            if b is None or b != a + 1:
                if a - run_start > best[0]:
                    best = (a - run_start, run_start, y)
                if b is not None:
                    run_start = b
    return best[0]


def main(pdf, pages, page, measure_path, *expected_words):
    info = pr.run("pdfinfo", pdf)
    count = int(next(line.split()[1] for line in info.splitlines() if line.startswith("Pages:")))
    if count != int(pages):
        pr.fail(f"{pdf}: {count} pages, expected {pages}")
    text = pr.page_text(pdf, int(page))
    for word in (f"page {page} of {pages}",) + expected_words:
        if word not in text:
            pr.fail(f"{pdf}: page {page} does not say '{word}': {text!r}")
    with open(measure_path, encoding="ascii") as f:
        perimeter = next(float(line.split("\t")[1]) for line in f if line.startswith("perimeter"))
    with tempfile.TemporaryDirectory() as tmp:
        ruler = pr.ruler_length(pdf, int(page), "mm", 11, tmp)
        edge = bottom_edge(pdf, int(page), tmp)
    length = edge * 100.0 / ruler
    # The run reaches half a line's width past each end: a pixel in all.
    if abs(length - perimeter / 2.0) > 0.25:
        pr.fail(f"{pdf}: the strip's bottom edge measures {length:.2f} mm by the ruler "
                f"({edge} px against {ruler:.2f} px for 100 mm); the side is "
                f"{perimeter / 2.0:.2f} mm")
    print(f"{pdf}: page {page}: strip {length:.2f} mm by the ruler, side {perimeter / 2.0:.2f} mm")


if __name__ == "__main__":
    main(*sys.argv[1:])
