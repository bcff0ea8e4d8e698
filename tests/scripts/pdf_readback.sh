#!/usr/bin/env bash
# Exports paper templates of the OM and reads them back with poppler-utils:
# page size and count (worked out from the drawing's extent) on A4 and on
# letter, every tile's label and "page N of M", the rulers measured at
# 254 dpi, and the tiles put together again against the full-size page and
# the design's measurements. Leaves the map and a tile, rendered, in
# screenshots/. Skips when poppler-utils is not installed.
# Arguments: build directory, source directory.
set -euo pipefail
build=$1
src=$2
cli="$build/bowlyn-cli"
python=/usr/bin/python3
reader="$src/tests/scripts/pdf_readback.py"

for tool in pdfinfo pdftotext pdftoppm; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  export LC_ALL=de_DE.UTF-8
fi
export SOURCE_DATE_EPOCH=1714521600

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$cli" entities preset:OM >"$tmp/om.txt"
"$cli" export preset:OM -o "$tmp/om-a4.pdf" --paper a4 >/dev/null
"$cli" export preset:OM -o "$tmp/om-letter.pdf" --paper letter >/dev/null
"$python" "$reader" pages "$tmp/om-a4.pdf" "$tmp/om.txt" 25.4 210 297 10
# The map and a tile as they print, where anyone looks for the build's output.
mkdir -p "$build/screenshots"
pdftoppm -r 100 -png -singlefile -f 1 -l 1 "$tmp/om-a4.pdf" "$build/screenshots/template-om-a4-map"
pdftoppm -r 100 -png -singlefile -f 7 -l 7 "$tmp/om-a4.pdf" "$build/screenshots/template-om-a4-tile"
"$python" "$reader" pages "$tmp/om-letter.pdf" "$tmp/om.txt" 25.4 215.9 279.4 10
# A centimetre design, another overlap.
"$cli" entities preset:Classical >"$tmp/classical.txt"
"$cli" export preset:Classical -o "$tmp/classical.pdf" --paper a4 --overlap 25 >/dev/null
"$python" "$reader" pages "$tmp/classical.pdf" "$tmp/classical.txt" 10 210 297 25

# The map's summary wraps: every measurement whole, nothing cut short.
"$cli" export preset:OM -o "$tmp/om-mm.pdf" --paper a4 --units mm >/dev/null
map=$(pdftotext -f 1 -l 1 "$tmp/om-mm.pdf" - | tr '\n' ' ')
board=$("$cli" measure preset:OM --units mm | awk -F'\t' '$1 == "fretboard area" {printf "%.0f", $2}')
[[ "$map" == *"fingerboard area $board mm^2."* && "$map" != *"..."* ]] ||
  { echo "the map cuts its summary: $map"; exit 1; }

"$python" "$reader" rulers "$tmp/om-a4.pdf" 2
"$python" "$reader" rulers "$tmp/om-letter.pdf" 1
"$cli" export preset:OM -o "$tmp/om-full.pdf" --paper full >/dev/null
"$python" "$reader" rulers "$tmp/om-full.pdf" 1
# A printer that prints 98 % across a portrait page: the file draws 1 / 0.98.
"$cli" export preset:OM -o "$tmp/om-scaled.pdf" --paper a4 --scale-x 98 --scale-y 101 >/dev/null
"$python" "$reader" rulers "$tmp/om-scaled.pdf" 2 98

# The body alone, so that its outline is all that is black on the tiles.
body=(--set "Has fretboard=0" --set "Has strings=0")
"$cli" measure preset:OM --units mm "${body[@]}" >"$tmp/measure.txt"
"$cli" export preset:OM -o "$tmp/body-a4.pdf" --paper a4 "${body[@]}" >/dev/null
"$cli" export preset:OM -o "$tmp/body-full.pdf" --paper full "${body[@]}" >/dev/null
"$python" "$reader" assembly "$tmp/body-a4.pdf" "$tmp/body-full.pdf" "$tmp/measure.txt" 210 297 10

# Depths: the side strip follows the body on a page of its own, as long as
# the side by its own ruler; a cutaway design's two strips are tiled on A4
# after the body with their labels, and the map says where they and the mould are.
depths=(--set "Body depth at tail=4.875" --set "Body depth at neck=4")
"$cli" measure preset:Dreadnought --units mm >"$tmp/dread.txt"
"$cli" export preset:Dreadnought -o "$tmp/dread-full.pdf" --paper full "${depths[@]}" >/dev/null
"$python" "$src/tests/scripts/strip_readback.py" "$tmp/dread-full.pdf" 2 2 "$tmp/dread.txt" \
  S1 "Dreadnought: Side (cut 2)" tail neck
pdftoppm -r 40 -png -singlefile -f 2 -l 2 "$tmp/dread-full.pdf" "$build/screenshots/template-side-strip"
archtop="preset:Archtop 16'' w/ Venetian cutaway"
summary=$("$cli" export "$archtop" -o "$tmp/archtop.pdf" --units mm --mould 20 "${depths[@]}")
pages=$(pdfinfo "$tmp/archtop.pdf" | awk '/^Pages:/ {print $2}')
case "$summary" in
  *"$pages pages of A4 (a map, "*" of the side strips)") ;;
  *) echo "summary '$summary' does not match $pages pages"; exit 1 ;;
esac
map=$(pdftotext -f 1 -l 1 "$tmp/archtop.pdf" - | tr '\n' ' ')
for text in "S1 Cutaway side" "S2 Other side" "Mould outline (teal) 20 mm outside the body"; do
  [[ "$map" == *"$text"* ]] || { echo "the map does not say '$text': $map"; exit 1; }
done
last=$(pdftotext -f "$pages" -l "$pages" "$tmp/archtop.pdf" - | tr '\n' ' ')
[[ "$last" == *"S2-A"*"page $pages of $pages"*"Other side"* ]] ||
  { echo "the last page is not the other side's: $last"; exit 1; }
