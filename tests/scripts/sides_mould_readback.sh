#!/usr/bin/env bash
# Exports every preset with depths, a top thickness and a mould as a DXF for
# CAM and as SVG, in its own unit and in millimetres, under a comma locale,
# and reads them back: ezdxf audits the DXF clean, the mould keeps its
# distance from the body all round, the strips are as long as the body's
# sides and as high as the depths at their ends, with a tick and its distance
# every inch or 2 cm; the SVG holds the same layers and rsvg-convert draws it.
# Skips when the readers are not installed.
# Arguments: build directory, source directory.
set -euo pipefail
build=$1
src=$2
cli="$build/bowlyn-cli"
python=/usr/bin/python3

if ! [ -x "$python" ] || ! "$python" -c 'import ezdxf' 2>/dev/null; then
  echo "python3-ezdxf is not installed: skipped"
  exit 77
fi
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is not installed: skipped"; exit 77; }
if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  export LC_ALL=de_DE.UTF-8
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

count=0
while IFS= read -r name; do
  count=$((count + 1))
  design="preset:$name"
  own=$("$cli" measure "$design" | head -1 | cut -f3)
  # 4 and 3.25 inch deep (10.25 and 8.25 cm, which a single holds
  # exactly), a 0.11 inch top; the mould 3/4 inch or 2 cm out, and 20 mm in
  # millimetres.
  case "$own" in
    in) set -- 4 3.25 0.11 "in:1:0.75" ;;
    cm) set -- 10.25 8.25 0.28 "cm:1:2" ;;
    *) echo "$name: measure printed unit '$own'"; exit 1 ;;
  esac
  tail=$1 neck=$2 top=$3 runs="$4 mm:$([ "$own" = in ] && echo 25.4 || echo 10):20"
  strips=1
  case "$name" in *cutaway*) strips=2 ;; esac
  for run in $runs; do
    IFS=: read -r unit factor mould <<<"$run"
    base="$tmp/$count-$unit"
    for file in "$base.dxf" "$base.svg"; do
      "$cli" export "$design" -o "$file" --units "$unit" --mould "$mould" \
        $([ "${file##*.}" = dxf ] && echo --cam) \
        --set "Body depth at tail=$tail" --set "Body depth at neck=$neck" \
        --set "Top thickness=$top"
    done
    "$python" "$src/tests/scripts/sides_mould_readback.py" "$base.dxf" "$base.svg" \
      "$("$python" -c "print($tail * $factor)")" "$("$python" -c "print($neck * $factor)")" \
      "$mould" "$strips" "$name ($unit)"
    rsvg-convert "$base.svg" -o "$base.png" || { echo "$name ($unit): rsvg-convert failed"; exit 1; }
  done
done < <("$cli" presets)

[ "$count" -eq 11 ] || { echo "expected 11 presets, exported $count"; exit 1; }
echo "all $count presets' strips and moulds read back in two units"
