#!/usr/bin/env bash
# Drives build/bowlyn on its own X servers the way a user does: a preset from
# the menu, Try it, a stepper click and Ok, with screenshots of each step in
# build/screenshots; closing by Ctrl+Q and by the window manager's close
# request; the small-screen warnings; and a start without a window description.
# Usage: gui_e2e.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
here="$source/tests/scripts"

for tool in xvfb-run xdotool import convert python3; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x "$build/bowlyn" ] || { echo "skipped: $build/bowlyn was not built"; exit 77; }

shots="$build/screenshots"
mkdir -p "$shots"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export BOWLYN_RELEASE_URL=""  # no network while testing

fail() { echo "FAIL: $*" >&2; exit 1; }

# Layout figures of the generated window description.
read -r IMAGE_X IMAGE_Y IMAGE_SIZE NOTEBOOK_Y INC_X STEP_W ENTRY_H < <(python3 -c "
import sys; sys.path.insert(0, '$source/tools'); import gen_glade as g
print(g.IMAGE_X, g.IMAGE_Y, g.IMAGE_SIZE, g.IMAGE_Y + 30, g.INC_X, g.STEP_W, g.ENTRY_H)")

# ---------------------------------------------------------------------------
# Scenarios, each run on its own X server (see the bottom of this file).

start_bowlyn() {
  (cd "$work" && exec "$build/bowlyn") 2>"$work/stderr" &
  pid=$!
  main=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name '^Bowlyn$' | head -1) ||
    fail "the main window did not appear: $(cat "$work/stderr")"
  # Without a window manager the keyboard follows the pointer.
  xdotool mousemove --window "$main" 700 300
  sleep 0.3
}

# Waits for the program to end and sets $status to its exit status.
wait_exit() {
  status=0
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    fail "the program did not end"
  fi
  wait "$pid" || status=$?
}

# Counts pixels of the drawing in a screenshot: "outline" (near black) or
# "construction" (the half-transparent cyan of construction lines).
count_pixels() {
  convert "$1" -crop "$((IMAGE_SIZE - 4))x$((IMAGE_SIZE - 4))+$((IMAGE_X + 2))+$((IMAGE_Y + 2))" \
    +repage -depth 8 rgb:- | python3 -c "
import sys
data = sys.stdin.buffer.read()
kind = sys.argv[1]
n = 0
for i in range(0, len(data) - 2, 3):
    r, g, b = data[i], data[i + 1], data[i + 2]
    if kind == 'outline' and r < 60 and g < 60 and b < 60: n += 1
    if kind == 'construction' and 110 <= r <= 150 and g >= 245 and b >= 245: n += 1
print(n)" "$2"
}

shot() {
  sleep 0.4
  import -window "$main" "$shots/$1.png"
}

scenario_drive() {
  start_bowlyn
  shot start
  [ "$(count_pixels "$shots/start.png" outline)" -eq 0 ] || fail "the drawing is not blank at start"

  # Initialize > OM: Clear, then the eighth preset (the separator is skipped).
  xdotool key alt+i
  sleep 0.3
  xdotool key Down Down Down Down Down Down Down Down Return
  shot om_loaded
  [ "$(count_pixels "$shots/om_loaded.png" outline)" -eq 0 ] || fail "loading a preset drew"

  xdotool key alt+t
  shot om_try_it
  local outline construction
  outline=$(count_pixels "$shots/om_try_it.png" outline)
  construction=$(count_pixels "$shots/om_try_it.png" construction)
  [ "$outline" -gt 2000 ] || fail "Try it drew no outline ($outline dark pixels)"
  [ "$construction" -gt 200 ] || fail "Try it drew no construction lines ($construction)"

  # The body length's Inc stepper, the first row of the Body tab.
  xdotool mousemove --window "$main" $((6 + INC_X + STEP_W / 2 + 1)) \
    $((NOTEBOOK_Y + 26 + 8 + ENTRY_H / 2)) click 1
  shot om_length_inc
  cmp -s <(convert "$shots/om_try_it.png" rgb:-) <(convert "$shots/om_length_inc.png" rgb:-) &&
    fail "the stepper click changed nothing"
  [ "$(count_pixels "$shots/om_length_inc.png" outline)" -gt 2000 ] || fail "the stepper drew no outline"

  xdotool key alt+o
  shot om_final
  [ "$(count_pixels "$shots/om_final.png" outline)" -gt 2000 ] || fail "Ok drew no outline"
  [ "$(count_pixels "$shots/om_final.png" construction)" -eq 0 ] ||
    fail "the final drawing shows construction lines"

  xdotool key ctrl+q
  wait_exit
  [ "$status" -eq 0 ] || fail "Ctrl+Q ended with status $status"
  echo "drive: outline $outline px, construction $construction px; screenshots in $shots"
}

scenario_close() {
  start_bowlyn
  python3 "$here/wm_delete.py" "$main"
  wait_exit
  [ "$status" -eq 0 ] || fail "closing the window ended with status $status"
  echo "close: status 0"
}

# $1: "warning" when the desktop is too small, "none" otherwise.
scenario_screen() {
  start_bowlyn
  local size windows=1
  size=$(xdotool getdisplaygeometry | tr ' ' x)
  for i in $(seq 30); do
    windows=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
    [ "$windows" -ge 2 ] && break
    [ "$1" = none ] && [ "$i" -ge 10 ] && break
    sleep 0.1
  done
  if [ "$1" = warning ]; then
    [ "$windows" -ge 2 ] || fail "no warning on a $size desktop"
    local dialog
    dialog=$(xdotool search --onlyvisible --pid "$pid" | grep -v "^$main\$" | tail -1)
    import -window root "$shots/screen_$size.png"
    xdotool mousemove --window "$dialog" 20 20
    sleep 0.2
    xdotool key Return
    sleep 0.5
  else
    [ "$windows" -eq 1 ] || fail "a warning on a $size desktop"
    local width height
    eval "$(xdotool getwindowgeometry --shell "$main" | grep -E '^(WIDTH|HEIGHT)=')"
    width=$WIDTH
    height=$HEIGHT
    [ "$width" -le 1280 ] && [ "$height" -le 770 ] || fail "the window is ${width}x$height"
  fi
  xdotool mousemove --window "$main" 700 300
  xdotool key ctrl+q
  wait_exit
  [ "$status" -eq 0 ] || fail "ended with status $status on a $size desktop"
  echo "screen $size: $1"
}

scenario_no_description() {
  local prefix
  prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
  if [ -f "$prefix/share/bowlyn/bowlyn0_7.glade" ]; then
    echo "no description: skipped, an installed copy exists in $prefix/share/bowlyn"
    return
  fi
  mkdir -p "$work/alone" "$work/empty"
  cp "$build/bowlyn" "$work/alone/"
  local status=0
  (cd "$work/empty" && timeout 20 "$work/alone/bowlyn") 2>"$work/stderr" || status=$?
  [ "$status" -ne 0 ] || fail "started without a window description"
  [ "$status" -lt 124 ] || fail "crashed or hung without a window description (status $status)"
  grep -q "bowlyn0_7.glade" "$work/stderr" || fail "no message naming the description: $(cat "$work/stderr")"
  echo "no description: status $status, $(head -1 "$work/stderr")"
}

# ---------------------------------------------------------------------------

if [ "${3:-}" = --scenario ]; then
  "scenario_$4" "${@:5}"
  exit 0
fi

on_screen() {
  local size=$1
  shift
  xvfb-run -a -s "-screen 0 ${size}x24 -noreset -nolisten tcp" bash "$0" "$build" "$source" --scenario "$@"
}

on_screen 1280x1024 drive
on_screen 1280x1024 close
on_screen 1024x768 screen warning
on_screen 800x600 screen warning
on_screen 1280x800 screen none
on_screen 1280x1024 no_description
echo "PASS"
