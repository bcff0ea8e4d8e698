#!/usr/bin/env bash
# Starts build/bowlyn from a folder that holds a hostile resource file: an
# applicationrc naming a theme engine built here, whose constructor leaves a
# marker file, beside a broken window description, icon and licence. The
# program must start with its own files and never load that engine. A control
# run hands GTK the same resource file on purpose and must find the marker, so
# the test cannot pass because the engine would never have run anyway.
# Usage: hostile_folder.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

source "$(dirname "$0")/window_prelude.bash" "$1" "$2" "${3:-}" cc
export BOWLYN_RELEASE_URL=""  # no network while testing
# No resource file of the user's may get in the way of either run.
export HOME="$work/home"
mkdir -p "$HOME"
unset GTK2_RC_FILES

folder="$work/shared designs"
marker="$work/engine-ran"
mkdir -p "$folder"
cat >"$work/evil.c" <<EOF
#include <stdio.h>
__attribute__((constructor)) static void ran(void) {
  FILE* f = fopen("$marker", "w");
  if (f) fclose(f);
}
EOF
cc -shared -fPIC -o "$folder/libevil.so" "$work/evil.c"
cat >"$folder/applicationrc" <<'EOF'
style "evil" {
  engine "/proc/self/cwd/libevil.so" {}
}
widget "*" style "evil"
EOF
echo "not a window description" >"$folder/bowlyn0_7.glade"
echo "not an icon" >"$folder/bowlyn.ico"
echo "planted licence" >"$folder/bwl.txt"

# Starts the program in the folder; $pid and $main are set.
start_in_folder() {
  (cd "$folder" && exec "$build/bowlyn") 2>"$work/stderr" &
  pid=$!
  main=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name ' - Bowlyn$' | head -1) || {
    [ -e "$marker" ] && echo "the planted engine ran" >&2
    fail "the main window did not appear: $(cat "$work/stderr")"
  }
}

quit() {
  xdotool mousemove --window "$main" 700 300
  sleep 0.3
  xdotool key ctrl+q
  local status=0
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "the program did not end"; }
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "ended with status $status: $(cat "$work/stderr")"
}

# Control: GTK told to read the planted file loads the engine.
GTK2_RC_FILES="$folder/applicationrc" start_in_folder
quit
[ -e "$marker" ] || fail "control: the planted engine did not run even when GTK read its file"
rm -f "$marker"

# The real start: the program's own files only.
start_in_folder
sleep 1
quit
[ -e "$marker" ] && fail "the engine named by the folder's applicationrc ran"
grep -q "libevil" "$work/stderr" && fail "GTK looked for the planted engine: $(cat "$work/stderr")"
echo "PASS: the folder's applicationrc, description, icon and licence were ignored"
