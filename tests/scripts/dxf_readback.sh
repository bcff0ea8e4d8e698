#!/usr/bin/env bash
# Exports every preset as DXF and reads each file back with two independent
# readers: ezdxf (strict read, audit, entity by entity against the entity list
# the pass recorded) and dime's dxf2vrml (a strict parser that rejects any
# malformed group). Skips when the readers are not installed.
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

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

count=0
while IFS= read -r name; do
  count=$((count + 1))
  dxf="$tmp/$count.dxf"
  "$cli" export "preset:$name" -o "$dxf"
  "$cli" entities "preset:$name" >"$tmp/$count.txt"
  "$python" "$src/tests/scripts/dxf_readback.py" "$dxf" "$tmp/$count.txt" "$name"
  if ! dxf2vrml "$dxf" -o "$tmp/$count.wrl" >"$tmp/$count.log" 2>&1; then
    echo "$name: dxf2vrml rejected the file:"
    cat "$tmp/$count.log"
    exit 1
  fi
  grep -q IndexedLineSet "$tmp/$count.wrl" || { echo "$name: dxf2vrml found no geometry"; exit 1; }
done < <("$cli" presets)

if [ "$count" -ne 11 ]; then
  echo "expected 11 presets, exported $count"
  exit 1
fi
echo "all $count presets read back"
