#!/usr/bin/env bash
# Drives build/bowlyn on its own X servers the way a user does: a preset from
# the menu, Try it, a stepper click and Ok, with screenshots of each step in
# build/screenshots; a value typed and drawn without leaving its entry; the
# question about unsaved work; Help without a browser; closing by Ctrl+Q and
# by the window manager's close request; the window's size and the
# small-screen warnings; and a start without a window description.
# A second drive zooms into the OM's upper bout with the wheel, pans by a drag,
# fits with 0, reads the pointer, undoes a stepper click with Ctrl+Z and
# marks the entry of a problem. A third opens a saved design over a changed
# one and undoes the Open: Save then asks for a name and the opened file is
# left as it was. A fourth measures the OM with the ruler, names its waist
# under the pointer and converts it to centimetres. A fifth opens an OM with
# fanned frets, draws it whole and shows its fret table (screenshots fan_drawn
# and fan_table).
# Every step waits for what it changes (a window title, a window, a file, the
# drawing's pixels), never for a fixed time.
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

fail() { echo "FAIL: $*" >&2; import -window root "$shots/failed.png" 2>/dev/null; exit 1; }

# Layout figures of the generated window description, in window coordinates.
read -r IMAGE_X IMAGE_Y IMAGE_SIZE INC_X INC_Y LB_X LB_Y UB_X UB_Y UB_W UB_H LB_W LB_H \
  READOUT_X READOUT_Y READOUT_W FIT_X FIT_Y < <(python3 -c "
import sys; sys.path.insert(0, '$source/tools'); import gen_glade as g
g.description()
def at(name):
    x, y, w, h = g.PLACED[name]
    return g.FORM_X + g.PAGE_X + x, g.NOTEBOOK_Y + g.PAGE_Y + y, w, h
inc, lb, ub = at('buttonLengthInc'), at('entryLBWidth'), at('labelUBCenterData')
print(g.IMAGE_X, g.IMAGE_Y, g.IMAGE_SIZE, inc[0] + inc[2] // 2, inc[1] + inc[3] // 2,
      lb[0] + 10, lb[1] + lb[3] // 2, ub[0], ub[1], ub[2], ub[3], lb[2], lb[3],
      g.READOUT_X, g.BUTTONS_Y, g.READOUT_W, g.FIT_X + g.FIT_W // 2, g.BUTTONS_Y + 15)")

# ---------------------------------------------------------------------------
# Scenarios, each run on its own X server (see the bottom of this file).

# Runs its arguments until they succeed, every 50 ms for at most 10 s; fails
# naming what it waited for ($1) otherwise.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 200); do
    "$@" && return 0
    sleep 0.05
  done
  fail "waited in vain for $what"
}

title_is() { [ "$(xdotool getwindowname "$main")" = "$1" ]; }
wait_title() { wait_for "the title '$1' (it is '$(xdotool getwindowname "$main")')" title_is "$1"; }
windows_are() { [ "$({ xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true; } | wc -l)" -eq "$1" ]; }

start_bowlyn() {
  (cd "$work" && exec "$build/bowlyn") 2>"$work/stderr" &
  pid=$!
  main=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name ' - Bowlyn$' | head -1) ||
    fail "the main window did not appear: $(cat "$work/stderr")"
  [ "$(xdotool getwindowname "$main")" = "Untitled - Bowlyn" ] ||
    fail "the title is '$(xdotool getwindowname "$main")'"
  # Without a window manager the keyboard follows the pointer.
  xdotool mousemove --window "$main" 700 300
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
    if kind == 'ruler' and r > 180 and g < 90 and 90 < b < 170: n += 1
print(n)" "$2"
}

shot() {
  import -window "$main" "$shots/$1.png"
}

# The drawing, or the upper bout's centre value, cut out of a screenshot;
# inside_of leaves out the frame that shows the drawing's keyboard focus.
drawing_of() {
  convert "$1" -crop "${IMAGE_SIZE}x$IMAGE_SIZE+$IMAGE_X+$IMAGE_Y" +repage -depth 8 rgb:-
}
inside_of() {
  convert "$1" -crop "$((IMAGE_SIZE - 6))x$((IMAGE_SIZE - 6))+$((IMAGE_X + 3))+$((IMAGE_Y + 3))" \
    +repage -depth 8 rgb:-
}
same_inside() { cmp -s <(inside_of "$1") <(inside_of "$2"); }

# Takes screenshot $2 once the drawing differs from screenshot $1 and has
# settled (two screenshots alike).
drawing_differs() { shot "$2"; ! same_inside "$shots/$1.png" "$shots/$2.png"; }
drawing_settled() {
  cp "$shots/$1.png" "$work/settling.png"
  shot "$1"
  same_inside "$work/settling.png" "$shots/$1.png"
}
shot_changed() {
  wait_for "the drawing of $2 to change" drawing_differs "$1" "$2"
  wait_for "the drawing of $2 to settle" drawing_settled "$2"
}
# Takes screenshot $2 once the drawing is that of screenshot $1 again.
drawing_is() { shot "$2"; same_inside "$shots/$1.png" "$shots/$2.png"; }
shot_back_to() { wait_for "the drawing of $1 in $2" drawing_is "$1" "$2"; }
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

# Opens a menu by its mnemonic, waits for it, presses the keys that choose an
# item and waits for the menu to go (a dialog the item opens may stay).
visible() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true; }
popup_open() { popup=$(visible | { grep -v "^$main\$" || true; } | tail -1); [ -n "$popup" ]; }
popup_gone() { ! visible | grep -qx "$popup"; }
menu() {
  local mnemonic=$1
  shift
  xdotool key "alt+$mnemonic"
  wait_for "the menu alt+$mnemonic" popup_open
  xdotool key "$@"
  wait_for "the menu alt+$mnemonic to close" popup_gone
}

# Chooses the OM preset from the Initialize menu: Clear, then the eighth
# preset (the separator is skipped).
choose_om() {
  menu i Down Down Down Down Down Down Down Down Return
}

# The question dialog the program shows over the main window, if any. None
# yet is no failure: under pipefail and -e a grep that selects nothing would
# end the script silently while the callers still wait for the dialog.
dialog_window() {
  { xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true; } | { grep -v "^$main\$" || true; } | tail -1
}
dialog_shown() { dialog=$(dialog_window); [ -n "$dialog" ]; }
# Waits for a dialog ($1 says which) and puts the pointer, and so the
# keyboard, over it.
wait_dialog() {
  wait_for "$1" dialog_shown
  xdotool mousemove --window "$dialog" 20 20
}
# Waits for the dialog to go and puts the pointer back over the main window.
wait_dialog_gone() {
  wait_for "the dialog to close" windows_are 1
  xdotool mousemove --window "$main" 700 300
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
  shot_changed om_loaded om_try_it
  local outline construction
  outline=$(count_pixels "$shots/om_try_it.png" outline)
  construction=$(count_pixels "$shots/om_try_it.png" construction)
  [ "$outline" -gt 2000 ] || fail "Try it drew no outline ($outline dark pixels)"
  [ "$construction" -gt 200 ] || fail "Try it drew no construction lines ($construction)"

  # The body length's Inc stepper, the first row of the Body tab.
  xdotool mousemove --window "$main" "$INC_X" "$INC_Y" click 1
  xdotool mousemove --window "$main" 700 300  # no tooltip over the drawing
  shot_changed om_try_it om_length_inc
  wait_title "Untitled* - Bowlyn"
  [ "$(count_pixels "$shots/om_length_inc.png" outline)" -gt 2000 ] || fail "the stepper drew no outline"

  xdotool key alt+o
  shot_changed om_length_inc om_final
  [ "$(count_pixels "$shots/om_final.png" outline)" -gt 2000 ] || fail "Ok drew no outline"
  [ "$(count_pixels "$shots/om_final.png" construction)" -eq 0 ] ||
    fail "the final drawing shows construction lines"

  xdotool key ctrl+q  # the stepped design is not saved: discard it
  wait_dialog "the question about the stepped design"
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
  shot typed_loaded
  xdotool type --delay 60 25
  wait_title "Untitled* - Bowlyn"
  xdotool key alt+t
  shot_changed typed_loaded om_typed_25_try_it
  xdotool key ctrl+q
  wait_dialog "the question about the typed value"
  xdotool key alt+d  # Discard
  wait_exit

  start_bowlyn
  choose_om
  xdotool type --delay 60 25
  xdotool mousemove --window "$main" "$LB_X" "$LB_Y" click 1
  xdotool mousemove --window "$main" 700 300  # no tooltip over the drawing
  xdotool key alt+t
  shot_changed typed_loaded om_typed_25_left_entry
  menu i Down Down Down Down Down Down Down Down Return  # OM again, which asks first
  wait_dialog "the question before loading the OM again"
  xdotool key alt+d
  wait_dialog_gone
  wait_title "Untitled - Bowlyn"
  xdotool key alt+t
  shot_changed om_typed_25_left_entry om_19_4_try_it
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
  wait_title "Untitled* - Bowlyn"
  xdotool key ctrl+q
  wait_dialog "the question on Quit with unsaved changes"
  import -window root "$shots/unsaved_question.png"
  xdotool key Escape  # as Cancel
  wait_dialog_gone
  kill -0 "$pid" 2>/dev/null || fail "Cancel did not keep the program running"
  [ "$(xdotool getwindowname "$main")" = "Untitled* - Bowlyn" ] || fail "the window went"

  # Closing the window by the window manager asks the same question.
  python3 "$here/wm_delete.py" "$main"
  wait_dialog "the question on closing the window with unsaved changes"
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
  xdotool key F1
  wait_dialog "a message when the guide cannot be opened"
  import -window root "$shots/no_browser.png"
  xdotool key Return
  wait_dialog_gone
  xdotool key ctrl+q
  wait_exit
  echo "no browser: a message names the guide"
}

# File > Export SVG... from the keyboard: the chooser, with its units choice,
# starts in the working folder with the design's name; a name typed without
# its extension is written as om.svg, at the OM's true size in inches, and
# the status line says so.
scenario_export_svg() {
  start_bowlyn
  choose_om
  shot svg_loaded
  xdotool key alt+o
  shot_changed svg_loaded svg_final
  menu f v  # Export S_VG...
  wait_dialog "the chooser of Export SVG..."
  [ "$(xdotool getwindowname "$dialog")" = "Export SVG" ] ||
    fail "the chooser is titled '$(xdotool getwindowname "$dialog")'"
  import -window root "$shots/export_svg_chooser.png"
  xdotool key ctrl+a
  xdotool type --delay 40 om
  xdotool key Return
  wait_for "om.svg" test -s "$work/om.svg"
  wait_dialog_gone
  python3 -c "
import sys, xml.etree.ElementTree as ET
svg = ET.parse(sys.argv[1]).getroot()
w, h = svg.get('width'), svg.get('height')
assert w.endswith('in') and h.endswith('in'), (w, h)
assert 15 < float(w[:-2]) < 17 and 19.4 < float(h[:-2]) < 40, (w, h)
" "$work/om.svg" || fail "om.svg is not the OM at its true size"
  shot svg_written
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
marked() { shot "$1"; [ "$(marked_pixels "$shots/$1.png")" -gt 100 ]; }
unmarked() { shot "$1"; [ "$(marked_pixels "$shots/$1.png")" -eq 0 ]; }

scenario_zoom() {
  start_bowlyn
  choose_om
  shot zoom_loaded
  xdotool key alt+t
  shot_changed zoom_loaded zoom_fitted
  # The wheel over the upper bout, on the centre line a third of the way down.
  local ux=$((IMAGE_X + IMAGE_SIZE / 2)) uy=$((IMAGE_Y + IMAGE_SIZE / 4))
  xdotool mousemove --window "$main" "$ux" "$uy"
  xdotool click --repeat 8 --delay 50 4
  shot_changed zoom_fitted zoom_om_upper_bout
  local ink
  ink=$(count_pixels "$shots/zoom_om_upper_bout.png" outline)
  [ "$ink" -gt 300 ] && [ "$ink" -lt 20000 ] || fail "the zoomed outline is not a crisp line ($ink px)"
  [ "$(readout_of "$shots/zoom_fitted.png")" != "$(readout_of "$shots/zoom_om_upper_bout.png")" ] ||
    fail "the readout did not follow the pointer"

  # A drag pans; 0 (the wheel gave the drawing the focus) shows the whole
  # drawing, and so does Fit.
  xdotool mousedown 1 mousemove_relative 40 60 mousemove_relative 40 60 mouseup 1
  shot_changed zoom_om_upper_bout zoom_panned
  xdotool key 0
  shot_changed zoom_panned zoom_whole
  [ "$(count_pixels "$shots/zoom_whole.png" outline)" -gt 1000 ] || fail "0 shows no drawing"
  xdotool key plus
  shot_changed zoom_whole zoom_plus
  xdotool mousemove --window "$main" "$FIT_X" "$FIT_Y" click 1
  xdotool mousemove --window "$main" 700 300
  shot_back_to zoom_whole zoom_fit_button

  # Ctrl+Z takes back a stepper click, drawing included.
  xdotool mousemove --window "$main" "$INC_X" "$INC_Y" click 1
  xdotool mousemove --window "$main" 700 300  # no tooltip over the drawing
  shot_changed zoom_fit_button zoom_stepped
  xdotool key ctrl+z
  shot_back_to zoom_fit_button undo_stepper

  # A lower bout width of 0 is a problem that marks its entry until fixed.
  xdotool mousemove --window "$main" "$LB_X" "$LB_Y" click --repeat 3 1
  xdotool mousemove --window "$main" 700 300  # no tooltip over the entry's mark
  xdotool type --delay 60 0
  xdotool key alt+t
  wait_for "the problem's entry marked" marked problem_marked
  xdotool key ctrl+z alt+t
  wait_for "the mark gone after the fix" unmarked problem_fixed

  # Everything undone: the design is the OM as loaded, and Quit asks nothing.
  wait_title "Untitled - Bowlyn"
  xdotool key ctrl+q
  wait_exit
  echo "zoom: wheel, drag, 0, Fit, readout, Ctrl+Z and the problem mark; screenshots in $shots"
}

# Window positions of the OM's outline in a screenshot, from its dark pixels
# left of the centre line and clear of the sound hole: the lower bout's
# widest points on both sides (x left, x right, y) and the waist's narrowest
# point on the left (x, y), the narrowest row in the lower 60 % of the body.
outline_points() {
  convert "$1" -crop "${IMAGE_SIZE}x$IMAGE_SIZE+$IMAGE_X+$IMAGE_Y" +repage -depth 8 rgb:- |
    python3 -c "
import sys
d, n, x0, y0 = sys.stdin.buffer.read(), $IMAGE_SIZE, $IMAGE_X, $IMAGE_Y
dark = lambda x, y: max(d[3 * (y * n + x):3 * (y * n + x) + 3]) < 60
left, right = {}, {}
for y in range(3, n - 3):
    xs = [x for x in range(3, n - 3) if abs(x - n // 2) > 90 and dark(x, y)]
    if xs:
        left[y], right[y] = min(xs), max(xs)
widest = min(left.values())
rows = [y for y in left if left[y] == widest]
lower = rows[len(rows) // 2]
top = min(left)
span = [y for y in left if lower - 0.6 * (lower - top) <= y <= lower]
narrowest = max(left[y] for y in span)
rows = [y for y in span if left[y] == narrowest]
waist = rows[len(rows) // 2]
print(x0 + widest + 1, x0 + right[lower] - 1, y0 + lower, x0 + narrowest + 1, y0 + waist)"
}
measured() { shot "$1"; [ "$(count_pixels "$shots/$1.png" ruler)" -gt 300 ]; }
readout_differs() { shot "$2"; [ "$(readout_of "$shots/$1.png")" != "$(readout_of "$shots/$2.png")" ]; }

# The OM's lower bout measured in two clicks after Edit > Measure, the waist
# under the pointer named in the readout, Escape, then Edit > Convert to
# centimetres: the drawing keeps its outline, and saved, the design is in
# centimetres and measures as the OM does, in millimetres.
scenario_measure() {
  start_bowlyn
  choose_om
  shot measure_loaded
  xdotool key alt+t
  shot_changed measure_loaded measure_om
  local lx rx y wx wy
  read -r lx rx y wx wy < <(outline_points "$shots/measure_om.png")
  menu e m  # Edit > Measure
  xdotool mousemove --window "$main" "$lx" "$y" click 1 mousemove --window "$main" "$rx" "$y" click 1
  wait_for "the ruler across the lower bout" measured measure_ruler
  xdotool mousemove --window "$main" 700 300
  shot measure_off_outline
  xdotool mousemove --window "$main" "$wx" "$wy"
  wait_for "the waist named in the readout" readout_differs measure_off_outline measure_waist
  xdotool key Escape
  shot_back_to measure_om measure_escape

  menu e c  # Edit > Convert to centimetres
  wait_title "Untitled* - Bowlyn"
  shot_changed measure_escape measure_cm
  local inches cm
  inches=$(count_pixels "$shots/measure_om.png" outline)
  cm=$(count_pixels "$shots/measure_cm.png" outline)
  [ $((cm - inches)) -lt $((inches / 50)) ] && [ $((inches - cm)) -lt $((inches / 50)) ] ||
    fail "the outline changed with the unit ($inches dark pixels, then $cm)"
  xdotool key ctrl+s
  wait_dialog "Save asking for a name"
  xdotool type --delay 40 "$work/om-cm"
  xdotool key Return
  wait_for "om-cm.bowlyn" test -s "$work/om-cm.bowlyn"
  wait_dialog_gone
  grep -q '^Units,CM' "$work/om-cm.bowlyn" || fail "om-cm.bowlyn is not in centimetres"
  python3 -c "
import sys
a, b = ([float(l.split('	')[1]) for l in open(f)] for f in sys.argv[1:])
assert len(a) == len(b) and all(abs(x - y) <= 1e-6 * abs(x) for x, y in zip(a, b)), (a, b)
" <("$build/bowlyn-cli" measure preset:OM --units mm) \
    <("$build/bowlyn-cli" measure "$work/om-cm.bowlyn" --units mm) ||
    fail "the OM in centimetres measures otherwise in millimetres"
  xdotool key ctrl+q
  wait_exit
  echo "measure: the ruler across the lower bout, the waist named, the OM in centimetres" \
    "measures the same; screenshots in $shots"
}

# A saved Florentine design opened over a changed OM, then Ctrl+Z: the OM
# comes back under its own name, Save asks for a name, and the file that was
# opened is left exactly as it was.
scenario_undo_open() {
  # Not in the folder the chooser starts in: a file listed there would be
  # selected, and GTK would put its name into what is typed.
  mkdir "$work/designs"
  local flor="$work/designs/flor.bowlyn"
  "$build/bowlyn-cli" save "preset:Steel string 15'' w/ Florentine cutaway" -o "$flor"
  local before
  before=$(md5sum <"$flor")
  start_bowlyn
  choose_om
  shot undo_open_loaded
  xdotool key alt+t
  shot_changed undo_open_loaded undo_open_om
  xdotool mousemove --window "$main" "$INC_X" "$INC_Y" click 1
  wait_title "Untitled* - Bowlyn"
  xdotool mousemove --window "$main" 700 300
  xdotool key ctrl+o
  wait_dialog "the question about the changed OM"
  xdotool key alt+d
  open_in_chooser "$flor"
  wait_title "flor.bowlyn - Bowlyn"
  wait_dialog_gone
  xdotool key ctrl+z
  wait_title "Untitled* - Bowlyn"
  wait_for "the OM drawn again" drawn undo_open_drawn_again
  xdotool key ctrl+s
  wait_dialog "Save asking for a name"
  [ "$(xdotool getwindowname "$dialog")" = "Save as" ] ||
    fail "Save showed '$(xdotool getwindowname "$dialog")'"
  xdotool key Escape
  wait_dialog_gone
  [ "$(md5sum <"$flor")" = "$before" ] || fail "flor.bowlyn was written"
  title_is "Untitled* - Bowlyn" || fail "the title is '$(xdotool getwindowname "$main")'"
  xdotool key ctrl+q
  wait_dialog "the question on Quit"
  xdotool key alt+d
  wait_exit
  [ "$(md5sum <"$flor")" = "$before" ] || fail "flor.bowlyn was written"
  echo "undo open: the OM came back as Untitled*, Save asked, flor.bowlyn untouched"
}
# The OM fanned from 25.5 to 27 inches, square at fret 7: opened, drawn,
# fitted so that its nut shows, and its fret table from the File menu.
scenario_fan() {
  mkdir "$work/designs"
  "$build/bowlyn-cli" save preset:OM --set "Scale length=25.5" --set "Bass scale length=27" \
    --set "Perpendicular fret=7" -o "$work/designs/fan.bowlyn"
  start_bowlyn
  shot fan_start
  xdotool key ctrl+o
  open_in_chooser "$work/designs/fan.bowlyn"
  wait_title "fan.bowlyn - Bowlyn"
  wait_dialog_gone
  xdotool key alt+o
  shot_changed fan_start fan_final
  xdotool mousemove --window "$main" "$FIT_X" "$FIT_Y" click 1
  shot_changed fan_final fan_drawn
  xdotool mousemove --window "$main" 700 300
  menu f b  # Fret ta_ble...
  wait_dialog "the fret table"
  [ "$(xdotool getwindowname "$dialog")" = "Fret table of OM (in, angles in degrees)" ] ||
    fail "the table is titled '$(xdotool getwindowname "$dialog")'"
  import -window root "$shots/fan_table.png"
  xdotool key Escape
  wait_dialog_gone
  xdotool key ctrl+q
  wait_exit
  [ "$status" -eq 0 ] || fail "ended with status $status after the fret table"
  echo "fan: the fanned OM drawn and its fret table shown; screenshots in $shots"
}

title_of_dialog_is() { dialog_shown && [ "$(xdotool getwindowname "$dialog")" = "$1" ]; }
opened_or_refused() { ! title_is "Untitled* - Bowlyn" || { dialog_shown && ! title_of_dialog_is open; }; }
# Types a path into the Open chooser. GTK may complete the name late, after
# the last key; the program then says the file is not found and asks again.
open_in_chooser() {
  for _ in 1 2 3 4 5; do
    wait_for "the Open chooser" title_of_dialog_is open
    xdotool mousemove --window "$dialog" 20 20
    xdotool type --delay 40 "$1"
    xdotool key Return
    wait_for "the file opened or refused" opened_or_refused
    title_is "Untitled* - Bowlyn" || return 0
    xdotool mousemove --window "$dialog" 20 20
    xdotool key Return  # the message; the chooser comes again
  done
  fail "could not type $1 into the Open chooser"
}
drawn() { shot "$1"; [ "$(count_pixels "$shots/$1.png" outline)" -gt 2000 ]; }

scenario_close() {
  start_bowlyn
  python3 "$here/wm_delete.py" "$main"
  wait_exit
  [ "$status" -eq 0 ] || fail "closing the window ended with status $status"
  echo "close: status 0"
}

# $1: "warning" when the desktop is too small, "none" otherwise. Without a
# warning Ctrl+Q ends the program at once; a warning would have taken it.
scenario_screen() {
  start_bowlyn
  local size
  size=$(xdotool getdisplaygeometry | tr ' ' x)
  check_window_size
  if [ "$1" = warning ]; then
    wait_dialog "a warning on a $size desktop"
    import -window root "$shots/screen_$size.png"
    xdotool key Return
    wait_dialog_gone
  fi
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
on_screen 1280x1024 undo_open
on_screen 1280x1024 measure
on_screen 1280x1024 unsaved
on_screen 1280x1024 no_browser
on_screen 1280x1024 close
on_screen 1280x1024 export_svg
on_screen 1280x1024 fan
on_screen 1024x768 screen warning
on_screen 800x600 screen warning
on_screen 1280x800 screen none
on_screen 1280x1024 no_description
echo "PASS"
