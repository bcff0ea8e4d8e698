#!/usr/bin/env bash
# Exports every preset as SVG, in its own unit and converted, under a comma
# locale, and reads each file back: as XML (size, viewBox, layers, title, one
# closed body path that measures what `measure` prints) and as rsvg-convert
# draws it at 96 dpi (the physical size to the pixel, the outline where the
# design puts it and nothing elsewhere). Skips when rsvg-convert or
# ImageMagick is not installed.
# Arguments: build directory, source directory.
set -euo pipefail
build=$1
src=$2
cli="$build/bowlyn-cli"
python=/usr/bin/python3

for tool in rsvg-convert convert identify; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  export LC_ALL=de_DE.UTF-8
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

count=0
while IFS= read -r name; do
  count=$((count + 1))
  design="preset:$name"
  "$cli" entities "$design" >"$tmp/entities.txt"
  own=$("$cli" measure "$design" | head -1 | cut -f3)
  case "$own" in
    in) runs="in:1 mm:25.4" ;;
    cm) runs="cm:1 in:0.39370078740157477" ;;
    *) echo "$name: measure printed unit '$own'"; exit 1 ;;
  esac
  for run in $runs; do
    IFS=: read -r unit factor <<<"$run"
    svg="$tmp/$count-$unit.svg"
    "$cli" export "$design" -o "$svg" --units "$unit"
    "$cli" measure "$design" --units "$unit" >"$tmp/measure.txt"
    "$python" "$src/tests/scripts/svg_readback.py" "$svg" "$tmp/measure.txt" \
      "$tmp/entities.txt" "$factor" "$unit" "$name ($unit)"
  done
done < <("$cli" presets)

[ "$count" -eq 11 ] || { echo "expected 11 presets, exported $count"; exit 1; }
echo "all $count presets read back in two units"
