#!/usr/bin/env bash
# Exports every preset as a DXF for CAM, in its own unit and converted, under
# a comma locale, and reads each file back: ezdxf (strict read, audit without
# errors or fixes, units, one closed body polyline whose bulges measure what
# `measure` prints and what the plain export's loose arcs add up to) and
# dime's dxf2vrml. Skips when the readers are not installed.
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
  case "$own" in
    in) runs="in:1:1 mm:25.4:4" ;;
    cm) runs="cm:1:5 in:0.39370078740157477:1" ;;
    *) echo "$name: measure printed unit '$own'"; exit 1 ;;
  esac
  for run in $runs; do
    IFS=: read -r unit factor insunits <<<"$run"
    dxf="$tmp/$count-$unit.dxf"
    "$cli" export "$design" -o "$dxf" --cam --units "$unit"
    "$cli" measure "$design" --units "$unit" >"$tmp/measure.txt"
    "$python" "$src/tests/scripts/cam_dxf_readback.py" "$dxf" "$tmp/measure.txt" \
      "$tmp/plain.dxf" "$factor" "$insunits" "$name ($unit)"
    if ! dxf2vrml "$dxf" -o "$tmp/$count.wrl" >"$tmp/$count.log" 2>&1; then
      echo "$name ($unit): dxf2vrml rejected the file:"
      cat "$tmp/$count.log"
      exit 1
    fi
    grep -q IndexedLineSet "$tmp/$count.wrl" || { echo "$name: dxf2vrml found no geometry"; exit 1; }
  done
done < <("$cli" presets)

[ "$count" -eq 11 ] || { echo "expected 11 presets, exported $count"; exit 1; }
echo "all $count presets read back in two units"
