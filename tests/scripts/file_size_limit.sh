#!/usr/bin/env bash
# Starts build/bowlyn under a file size limit below a parameter file's size
# (ulimit -f 1) and saves through Save As, as a user would: the write must
# fail with a message while the window lives on, leaving neither the file nor
# a temporary file. The test leaves SIGXFSZ alone: the program must ignore it.
# Usage: file_size_limit.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

source "$(dirname "$0")/window_prelude.bash" "$1" "$2" "${3:-}"
export BOWLYN_RELEASE_URL=""
# The file chooser's list of recent files stays in the test's folder.
export HOME="$work/home" XDG_DATA_HOME="$work/data"
mkdir -p "$HOME" "$XDG_DATA_HOME" "$work/designs"

(ulimit -f 1 && exec "$build/bowlyn") 2>"$work/stderr" &
pid=$!
main=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name ' - Bowlyn$' | head -1) ||
  fail "the main window did not appear: $(cat "$work/stderr")"
xdotool mousemove --window "$main" 700 300
sleep 0.3

windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -v "^$main\$" || true; }
wait_for_window() {
  local found=""
  for _ in $(seq 50); do
    found=$(windows | tail -1)
    [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || fail "$1 did not appear"
  echo "$found"
}

xdotool key ctrl+shift+s
chooser=$(wait_for_window "the Save As dialog")
xdotool mousemove --window "$chooser" 20 20
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 20 "$work/designs/limited.bowlyn"
xdotool key Return

# The write fails and says so; the program is still there.
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the program died: $(cat "$work/stderr")"
message=$(wait_for_window "the failure message")
[ -z "$(ls -A "$work/designs")" ] || fail "the failed save left files: $(ls -A "$work/designs")"
sigign=$(sed -n 's/^SigIgn:\s*//p' "/proc/$pid/status")
(( (0x$sigign >> 24) & 1 )) || fail "SIGXFSZ is not ignored (SigIgn $sigign)"
xdotool mousemove --window "$message" 20 20
sleep 0.2
xdotool key Return
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program ended with the message"
echo "PASS: the save failed with a message and the window lives on"
