#!/usr/bin/env bash
# Click-to-pixels on the real window: a fresh X server (Xvfb), Bowlyn with
# the OM and then the ABG loaded and drawn, and CLICKS real (XTEST) clicks
# alternating the lower bout width's + and - buttons. Each click counts from
# sending it to the X server's DAMAGE event covering the whole drawing; the
# medians and 90th percentiles are printed. Measure a Release build:
#
#   cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DBOWLYN_TESTS=OFF
#   cmake --build build-rel -j2 && bash bench/click_to_pixels.sh build-rel [CLICKS]
#
# Needs libxdamage-dev and libxtst-dev (the XDamage and XTest headers).
set -euo pipefail
build=$(cd "$1" && pwd)
clicks=${2:-300}
# An even count leaves each design as it was, so loading the next asks nothing.
clicks=$((clicks / 2 * 2))
here=$(cd "$(dirname "$0")" && pwd)
source=$(dirname "$here")

if [ "${3:-}" != --inside ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cc -O2 "$here/click_damage.c" -o "$work/click_damage" -lX11 -lXdamage -lXtst
  BOWLYN_CLICK_TOOL="$work/click_damage" \
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset -nolisten tcp" bash "$0" "$build" "$clicks" --inside
  exit
fi

export BOWLYN_RELEASE_URL=""
read -r IMAGE_X IMAGE_Y IMAGE_SIZE INC_X INC_Y DEC_X DEC_Y < <(python3 -c "
import sys; sys.path.insert(0, '$source/tools'); import gen_glade as g
g.description()
def centre(name):
    x, y, w, h = g.PLACED[name]
    return g.FORM_X + g.PAGE_X + x + w // 2, g.NOTEBOOK_Y + g.PAGE_Y + y + h // 2
print(g.IMAGE_X, g.IMAGE_Y, g.IMAGE_SIZE, *centre('buttonLBWidthInc'), *centre('buttonLBWidthDec'))")

"$build/bowlyn" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
main=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name ' - Bowlyn$' | head -1)
xdotool mousemove --window "$main" 700 300
sleep 0.5

# $1: how many Downs in the Initialize menu reach the design (after Clear).
measure() {
  xdotool key alt+i
  sleep 0.3
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
  sleep 0.5
  xdotool key alt+t
  sleep 0.5
  echo -n "$2: "
  "$BOWLYN_CLICK_TOOL" "$main" "$INC_X" "$INC_Y" "$DEC_X" "$DEC_Y" "$IMAGE_X" "$IMAGE_Y" \
    "$IMAGE_SIZE" "$clicks"
}
measure 8 OM
measure 7 ABG
kill "$pid"
