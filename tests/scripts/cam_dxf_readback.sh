#!/usr/bin/env bash
# Exports every preset as a DXF for CAM, in its own unit and converted, in
# both versions, under a comma locale, and reads each file back: ezdxf
# (strict read, audit without errors or fixes, units, one closed body
# polyline whose bulges measure what `measure` prints and what the plain
# export's loose arcs add up to, a slot of the slot width for each fret the
# fret table lists, no piece over another) and dime's dxf2vrml. A fanned
# board with inset slots too. Skips when the readers are not installed.
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
if ! command -v dxf2vrml >/dev/null; then
  echo "dime (dxf2vrml) is not installed: skipped"
  exit 77
fi
# Numbers must be written with "." whatever the user's locale.
if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  export LC_ALL=de_DE.UTF-8
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

count=0
while IFS= read -r name; do
  count=$((count + 1))
  design="preset:$name"
  "$cli" export "$design" -o "$tmp/plain.dxf"
  own=$("$cli" measure "$design" | head -1 | cut -f3)
  # The slot width a blank entry gives, in the design's unit.
  case "$own" in
    in) runs="in:1:1 mm:25.4:4" own_slot=0.023 ;;
    cm) runs="cm:1:5 in:0.39370078740157477:1" own_slot=0.0584 ;;
    *) echo "$name: measure printed unit '$own'"; exit 1 ;;
  esac
  for run in $runs; do
    IFS=: read -r unit factor insunits <<<"$run"
    dxf="$tmp/$count-$unit.dxf"
    "$cli" export "$design" -o "$dxf" --cam --units "$unit"
    "$cli" measure "$design" --units "$unit" >"$tmp/measure.txt"
    frets=-
    if "$cli" frets "$design" --units "$unit" >"$tmp/frets.txt" 2>/dev/null; then
      frets="$tmp/frets.txt"
    fi
    width=$("$python" -c "print(($own_slot) * $factor)")
    "$python" "$src/tests/scripts/cam_dxf_readback.py" "$dxf" "$tmp/measure.txt" \
      "$tmp/plain.dxf" "$factor" "$insunits" "$name ($unit)" AC1009 "$frets" "$width" 0
    "$cli" export "$design" -o "$tmp/2000.dxf" --cam --dxf 2000 --units "$unit"
    "$python" "$src/tests/scripts/cam_dxf_readback.py" "$tmp/2000.dxf" "$tmp/measure.txt" \
      "$tmp/plain.dxf" "$factor" "$insunits" "$name ($unit, 2000)" AC1015 "$frets" "$width" 0
    if ! dxf2vrml "$dxf" -o "$tmp/$count.wrl" >"$tmp/$count.log" 2>&1; then
      echo "$name ($unit): dxf2vrml rejected the file:"
      cat "$tmp/$count.log"
      exit 1
    fi
    grep -q IndexedLineSet "$tmp/$count.wrl" || { echo "$name: dxf2vrml found no geometry"; exit 1; }
  done
done < <("$cli" presets)

[ "$count" -eq 11 ] || { echo "expected 11 presets, exported $count"; exit 1; }

# The OM fanned from 25.5 to 27 in, square at fret 7, with blind slots of
# 0.5 mm stopping 2 mm short of the edges, in millimetres.
fan=(--set "Scale length=25.5" --set "Bass scale length=27" --set "Perpendicular fret=7"
  --set "Fret slot width=0.0196850393700787" --set "Fret slot inset=0.0787401574803150")
"$cli" export preset:OM -o "$tmp/plain.dxf" "${fan[@]}"
"$cli" measure preset:OM --units mm "${fan[@]}" >"$tmp/measure.txt"
"$cli" frets preset:OM --units mm "${fan[@]}" >"$tmp/frets.txt"
for version in 12:AC1009 2000:AC1015; do
  "$cli" export preset:OM -o "$tmp/fan.dxf" --cam --units mm --dxf "${version%:*}" "${fan[@]}"
  "$python" "$src/tests/scripts/cam_dxf_readback.py" "$tmp/fan.dxf" "$tmp/measure.txt" \
    "$tmp/plain.dxf" 25.4 4 "fanned OM (mm, ${version%:*})" "${version#*:}" "$tmp/frets.txt" 0.5 2
done
echo "all $count presets read back in two units"
