#!/usr/bin/env bash
# OpenSCAD reads only LWPOLYLINE and takes a bulge's arc as its chord: the
# CAM DXF of version 2000 with its arcs flattened into chords within 0.001
# (of the file's unit) must come in at the body's true area. Imports the
# body layer of presets with and without a cutaway, in inches and in
# millimetres, lets OpenSCAD write what it read, and compares the largest
# loop's area with `measure`: within the perimeter times the tolerance.
# Skips when OpenSCAD is not installed.
# Arguments: build directory, source directory.
set -euo pipefail
build=$(cd "$1" && pwd)
cli="$build/bowlyn-cli"
python=/usr/bin/python3

command -v openscad >/dev/null || { echo "openscad is not installed: skipped"; exit 77; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"

for design in preset:OM "preset:Steel string 15'' w/ Florentine cutaway" preset:Classical; do
  for run in in:0.001 mm:0.0254; do
    unit=${run%:*} tolerance=${run#*:}
    "$cli" export "$design" -o body.dxf --cam --dxf 2000 --flatten "$tolerance" --units "$unit"
    "$cli" measure "$design" --units "$unit" >measure.txt
    echo 'import("body.dxf", layer="body");' >body.scad
    openscad -o read.dxf body.scad >openscad.log 2>&1 ||
      { cat openscad.log; echo "$design ($unit): OpenSCAD could not read the file"; exit 1; }
    "$python" - "$design ($unit)" "$tolerance" <<'PY'
import math
import sys

name, tolerance = sys.argv[1], float(sys.argv[2])
measured = {}
with open("measure.txt", encoding="ascii") as f:
    for line in f:
        key, value, _ = line.rstrip("\n").split("\t")
        measured[key] = float(value)
# OpenSCAD writes what it read as LINE entities.
pairs = open("read.dxf", encoding="ascii").read().split("\n")
lines, i = [], 0
while i < len(pairs) - 1:
    if pairs[i].strip() == "0" and pairs[i + 1].strip() == "LINE":
        values, i = {}, i + 2
        while pairs[i].strip() != "0":
            values[pairs[i].strip()] = float(pairs[i + 1]) if pairs[i].strip() in (
                "10", "20", "11", "21") else pairs[i + 1]
            i += 2
        lines.append(((values["10"], values["20"]), (values["11"], values["21"])))
    else:
        i += 1
# Chain the lines into loops, end to start.
starts = {}
for a, b in lines:
    starts.setdefault((round(a[0], 9), round(a[1], 9)), []).append((a, b))
loops, used = [], set()
for first in lines:
    if id(first) in used:
        continue
    area2, line = 0.0, first
    while id(line) not in used:
        used.add(id(line))
        (x1, y1), (x2, y2) = line
        area2 += x1 * y2 - x2 * y1
        following = starts.get((round(x2, 9), round(y2, 9)), [])
        line = next((l for l in following if id(l) not in used), line)
    loops.append(abs(area2) / 2)
if not loops:
    sys.exit(f"{name}: OpenSCAD read nothing on the layer body")
body = max(loops)
allowed = measured["perimeter"] * tolerance
if abs(body - measured["area"]) > allowed:
    sys.exit(f"{name}: OpenSCAD reads the body at {body}, measure says {measured['area']} "
             f"(allowed {allowed})")
print(f"{name}: OpenSCAD reads {body:.6f} against {measured['area']:.6f}")
PY
  done
done
