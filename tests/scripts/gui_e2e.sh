#!/usr/bin/env bash
# Drives build/bowlyn on its own X servers the way a user does: a preset from
# the menu, Try it, a stepper click and Ok, with screenshots of each step in
# build/screenshots; a value typed and drawn without leaving its entry; the
# question about unsaved work; Help without a browser; closing by Ctrl+Q and
# by the window manager's close request; the window's size and the
# small-screen warnings; and a start without a window description.
# A second drive zooms into the OM's upper bout with the wheel, pans by a drag,
# fits with 0, reads the pointer, undoes a stepper click with Ctrl+Z and
# marks the entry of a problem.
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

# Layout figures of the generated window description, in window coordinates.
read -r IMAGE_X IMAGE_Y IMAGE_SIZE INC_X INC_Y LB_X LB_Y UB_X UB_Y UB_W UB_H LB_W LB_H \
  READOUT_X READOUT_Y READOUT_W < <(python3 -c "
import sys; sys.path.insert(0, '$source/tools'); import gen_glade as g
g.description()
def at(name):
    x, y, w, h = g.PLACED[name]
    return g.FORM_X + g.PAGE_X + x, g.NOTEBOOK_Y + g.PAGE_Y + y, w, h
inc, lb, ub = at('buttonLengthInc'), at('entryLBWidth'), at('labelUBCenterData')
print(g.IMAGE_X, g.IMAGE_Y, g.IMAGE_SIZE, inc[0] + inc[2] // 2, inc[1] + inc[3] // 2,
      lb[0] + 10, lb[1] + lb[3] // 2, ub[0], ub[1], ub[2], ub[3], lb[2], lb[3],
      g.READOUT_X, g.BUTTONS_Y, g.READOUT_W)")

# ---------------------------------------------------------------------------
# Scenarios, each run on its own X server (see the bottom of this file).

start_bowlyn() {
  (cd "$work" && exec "$build/bowlyn") 2>"$work/stderr" &
  pid=$!
  main=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name ' - Bowlyn$' | head -1) ||
    fail "the main window did not appear: $(cat "$work/stderr")"
  [ "$(xdotool getwindowname "$main")" = "Untitled - Bowlyn" ] ||
    fail "the title is '$(xdotool getwindowname "$main")'"
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

# The drawing, or the upper bout's centre value, cut out of a screenshot.
drawing_of() {
  convert "$1" -crop "${IMAGE_SIZE}x$IMAGE_SIZE+$IMAGE_X+$IMAGE_Y" +repage -depth 8 rgb:-
}
centre_of() {
  convert "$1" -crop "${UB_W}x$UB_H+$UB_X+$UB_Y" +repage -depth 8 rgb:-
}

# Fails unless the window, with a frame, fits a 1024x768 screen.
check_window_size() {
  local WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$main" | grep -E '^(WIDTH|HEIGHT)=')"
  [ "$WIDTH" -le 1014 ] && [ "$HEIGHT" -le 730 ] || fail "the window is ${WIDTH}x$HEIGHT"
  echo "window ${WIDTH}x$HEIGHT"
}

# Chooses the OM preset from the Initialize menu: Clear, then the eighth
# preset (the separator is skipped).
choose_om() {
  xdotool key alt+i
  sleep 0.3
  xdotool key Down Down Down Down Down Down Down Down Return
  sleep 0.3
}

# The question dialog the program shows over the main window, if any. None
# yet is no failure: under pipefail and -e a grep that selects nothing would
# end the script silently while the callers still wait for the dialog.
dialog_window() {
  { xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true; } | { grep -v "^$main\$" || true; } | tail -1
}


scenario_drive() {
  start_bowlyn
  shot start
  [ "$(count_pixels "$shots/start.png" outline)" -eq 0 ] || fail "the drawing is not blank at start"

  check_window_size
  choose_om
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
  xdotool mousemove --window "$main" "$INC_X" "$INC_Y" click 1
  shot om_length_inc
  cmp -s <(convert "$shots/om_try_it.png" rgb:-) <(convert "$shots/om_length_inc.png" rgb:-) &&
    fail "the stepper click changed nothing"
  [ "$(count_pixels "$shots/om_length_inc.png" outline)" -gt 2000 ] || fail "the stepper drew no outline"

  xdotool key alt+o
  shot om_final
  [ "$(count_pixels "$shots/om_final.png" outline)" -gt 2000 ] || fail "Ok drew no outline"
  [ "$(count_pixels "$shots/om_final.png" construction)" -eq 0 ] ||
    fail "the final drawing shows construction lines"

  xdotool key ctrl+q  # the stepped design is not saved: discard it
  sleep 0.5
  xdotool key alt+d
  wait_exit
  [ "$status" -eq 0 ] || fail "Ctrl+Q ended with status $status"
  echo "drive: outline $outline px, construction $construction px; screenshots in $shots"
}

# Choosing OM leaves the focus in the body length: 25 typed there and Alt+T
# (which does not move the focus) draws with 25, exactly as when the focus
# has left the entry first, and as the command line draws that design.
scenario_typed() {
  "$build/bowlyn-cli" render preset:OM --set "Body length=25" -o "$work/om25.png" >/dev/null
  start_bowlyn
  choose_om
  xdotool type --delay 60 25
  xdotool key alt+t
  shot om_typed_25_try_it
  [ "$(xdotool getwindowname "$main")" = "Untitled* - Bowlyn" ] ||
    fail "the title is '$(xdotool getwindowname "$main")' with unsaved changes"
  xdotool key ctrl+q
  sleep 0.5
  xdotool key alt+d  # Discard
  wait_exit

  start_bowlyn
  choose_om
  xdotool type --delay 60 25
  xdotool mousemove --window "$main" "$LB_X" "$LB_Y" click 1
  xdotool key alt+t
  shot om_typed_25_left_entry
  xdotool key alt+i
  sleep 0.3
  xdotool key Down Down Down Down Down Down Down Down Return  # OM again, discarding
  sleep 0.5
  xdotool key alt+d
  sleep 0.3
  xdotool key alt+t
  shot om_19_4_try_it
  xdotool key ctrl+q
  wait_exit

  cmp -s <(drawing_of "$shots/om_typed_25_try_it.png") <(convert "$work/om25.png" -depth 8 rgb:-) ||
    fail "the drawing after typing 25 and Alt+T is not the design with a body length of 25"
  cmp -s <(drawing_of "$shots/om_typed_25_try_it.png") <(drawing_of "$shots/om_typed_25_left_entry.png") ||
    fail "typing 25 draws otherwise than typing 25 and leaving the entry"
  cmp -s <(centre_of "$shots/om_typed_25_try_it.png") <(centre_of "$shots/om_typed_25_left_entry.png") ||
    fail "the upper bout's centre differs between the two ways"
  cmp -s <(centre_of "$shots/om_typed_25_try_it.png") <(centre_of "$shots/om_19_4_try_it.png") &&
    fail "the upper bout's centre for 25 reads as for 19.4"
  echo "typed: 25 typed and Alt+T draws the design with 25; screenshots in $shots"
}

# Quit with unsaved changes asks; Cancel keeps the window, Discard ends it.
scenario_unsaved() {
  start_bowlyn
  choose_om
  xdotool type --delay 60 21
  xdotool key ctrl+q
  sleep 0.6
  local dialog
  dialog=$(dialog_window)
  [ -n "$dialog" ] || fail "Quit with unsaved changes did not ask"
  import -window root "$shots/unsaved_question.png"
  xdotool key Escape  # as Cancel
  sleep 0.6
  kill -0 "$pid" 2>/dev/null || fail "Cancel did not keep the program running"
  [ -z "$(dialog_window)" ] || fail "the question stayed open"
  [ "$(xdotool getwindowname "$main")" = "Untitled* - Bowlyn" ] || fail "the window went"

  # Closing the window by the window manager asks the same question.
  python3 "$here/wm_delete.py" "$main"
  sleep 0.6
  [ -n "$(dialog_window)" ] || fail "closing the window with unsaved changes did not ask"
  xdotool key alt+d
  wait_exit
  [ "$status" -eq 0 ] || fail "Discard ended with status $status"
  echo "unsaved: Quit asked, Cancel kept the window, closing asked, Discard ended it"
}

# Without any browser, Help > Information names the guide in a message.
scenario_no_browser() {
  mkdir -p "$work/bin" "$work/nodata"
  printf '#!/bin/sh\nexit 3\n' >"$work/bin/xdg-open"
  chmod +x "$work/bin/xdg-open"
  (cd "$work" && PATH="$work/bin" XDG_DATA_DIRS="$work/nodata" XDG_DATA_HOME="$work/nodata" \
    exec "$build/bowlyn") 2>"$work/stderr" &
  pid=$!
  main=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name ' - Bowlyn$' | head -1) ||
    fail "the main window did not appear: $(cat "$work/stderr")"
  xdotool mousemove --window "$main" 700 300
  sleep 0.3
  xdotool key F1
  local dialog=""
  for _ in $(seq 30); do
    dialog=$(dialog_window)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "no message when the guide cannot be opened"
  import -window root "$shots/no_browser.png"
  xdotool mousemove --window "$dialog" 20 20
  xdotool key Return
  sleep 0.3
  xdotool mousemove --window "$main" 700 300
  xdotool key ctrl+q
  wait_exit
  echo "no browser: a message names the guide"
}

# File > Export SVG... from the keyboard: the chooser, with its units choice,
# starts in the working folder; a name typed without its extension is
# written as om.svg, at the OM's true size in inches.
scenario_export_svg() {
  start_bowlyn
  choose_om
  xdotool key alt+o
  sleep 0.3
  xdotool key alt+f
  sleep 0.6
  xdotool key v  # Export S_VG...
  local dialog=""
  for _ in $(seq 50); do
    dialog=$(dialog_window)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "Export SVG... showed no file chooser"
  [ "$(xdotool getwindowname "$dialog")" = "Export SVG" ] ||
    fail "the chooser is titled '$(xdotool getwindowname "$dialog")'"
  sleep 0.5
  import -window root "$shots/export_svg_chooser.png"
  xdotool mousemove --window "$dialog" 20 20
  xdotool type --delay 40 om
  xdotool key Return
  for _ in $(seq 50); do
    [ -s "$work/om.svg" ] && break
    sleep 0.1
  done
  [ -s "$work/om.svg" ] || fail "Export SVG... wrote no om.svg"
  python3 -c "
import sys, xml.etree.ElementTree as ET
svg = ET.parse(sys.argv[1]).getroot()
w, h = svg.get('width'), svg.get('height')
assert w.endswith('in') and h.endswith('in'), (w, h)
assert 15 < float(w[:-2]) < 17 and 19.4 < float(h[:-2]) < 40, (w, h)
" "$work/om.svg" || fail "om.svg is not the OM at its true size"
  xdotool mousemove --window "$main" 700 300
  xdotool key ctrl+q
  wait_exit
  [ "$status" -eq 0 ] || fail "ended with status $status after the export"
  echo "export svg: om.svg written through the chooser; screenshot in $shots"
}

# The pixels of a screenshot's readout label, and the count of the problem
# mark's pink in the lower bout width's entry.
readout_of() {
  convert "$1" -crop "${READOUT_W}x30+$READOUT_X+$READOUT_Y" +repage -depth 8 rgb:- | md5sum
}
marked_pixels() {
  convert "$1" -crop "$((LB_W - 4))x$((LB_H - 4))+$((LB_X - 8))+$((LB_Y - LB_H / 2 + 2))" \
    +repage -depth 8 rgb:- | python3 -c "
import sys
d = sys.stdin.buffer.read()
print(sum(1 for i in range(0, len(d) - 2, 3) if d[i] > 240 and 160 < d[i + 1] < 200 and 160 < d[i + 2] < 200))"
}

scenario_zoom() {
  start_bowlyn
  choose_om
  xdotool key alt+t
  shot zoom_fitted
  # The wheel over the upper bout, on the centre line a third of the way down.
  local ux=$((IMAGE_X + IMAGE_SIZE / 2)) uy=$((IMAGE_Y + IMAGE_SIZE / 4))
  xdotool mousemove --window "$main" "$ux" "$uy"
  for _ in 1 2 3 4 5 6 7 8; do xdotool click 4; sleep 0.05; done
  shot zoom_om_upper_bout
  cmp -s <(drawing_of "$shots/zoom_fitted.png") <(drawing_of "$shots/zoom_om_upper_bout.png") &&
    fail "the wheel did not zoom"
  local ink
  ink=$(count_pixels "$shots/zoom_om_upper_bout.png" outline)
  [ "$ink" -gt 300 ] && [ "$ink" -lt 20000 ] || fail "the zoomed outline is not a crisp line ($ink px)"
  [ "$(readout_of "$shots/zoom_fitted.png")" != "$(readout_of "$shots/zoom_om_upper_bout.png")" ] ||
    fail "the readout did not follow the pointer"

  # A drag pans; 0 (the drawing has the focus after the click) fits again.
  xdotool mousedown 1 mousemove_relative 40 60 mousemove_relative 40 60 mouseup 1
  shot zoom_panned
  cmp -s <(drawing_of "$shots/zoom_om_upper_bout.png") <(drawing_of "$shots/zoom_panned.png") &&
    fail "the drag did not pan"
  xdotool key 0
  shot zoom_fit_again
  cmp -s <(drawing_of "$shots/zoom_fitted.png") <(drawing_of "$shots/zoom_fit_again.png") ||
    fail "0 did not bring back the fitted drawing"

  # Ctrl+Z takes back a stepper click, drawing included.
  xdotool mousemove --window "$main" "$INC_X" "$INC_Y" click 1
  shot zoom_stepped
  cmp -s <(drawing_of "$shots/zoom_fitted.png") <(drawing_of "$shots/zoom_stepped.png") &&
    fail "the stepper changed nothing"
  xdotool key ctrl+z
  shot undo_stepper
  cmp -s <(drawing_of "$shots/zoom_fitted.png") <(drawing_of "$shots/undo_stepper.png") ||
    fail "Ctrl+Z did not take back the stepper click"

  # A lower bout width of 0 is a problem that marks its entry until fixed.
  xdotool mousemove --window "$main" "$LB_X" "$LB_Y" click --repeat 3 1
  xdotool type --delay 60 0
  xdotool key alt+t
  shot problem_marked
  [ "$(marked_pixels "$shots/problem_marked.png")" -gt 100 ] || fail "the problem's entry is not marked"
  xdotool key ctrl+z alt+t
  shot problem_fixed
  [ "$(marked_pixels "$shots/problem_fixed.png")" -eq 0 ] || fail "the mark stayed after the fix"

  xdotool key ctrl+q
  sleep 0.5
  xdotool key alt+d
  wait_exit
  echo "zoom: wheel, drag, 0, readout, Ctrl+Z and the problem mark; screenshots in $shots"
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
  check_window_size
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
  fi
  xdotool mousemove --window "$main" 700 300
  xdotool key ctrl+q
  wait_exit
  [ "$status" -eq 0 ] || fail "ended with status $status on a $size desktop"
  echo "screen $size: $1"
}

scenario_no_description() {
  # The copy looks beside itself, in its ui folder and in ../share/bowlyn.
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
on_screen 1280x1024 typed
on_screen 1280x1024 zoom
on_screen 1280x1024 unsaved
on_screen 1280x1024 no_browser
on_screen 1280x1024 close
on_screen 1280x1024 export_svg
on_screen 1024x768 screen warning
on_screen 800x600 screen warning
on_screen 1280x800 screen none
on_screen 1280x1024 no_description
echo "PASS"
