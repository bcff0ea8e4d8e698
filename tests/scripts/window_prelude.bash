# Sourced by the scripts that drive the real window (not .sh: it is no test
# of its own), as
#   source "$(dirname "$0")/window_prelude.bash" "$1" "$2" "${3:-}" TOOL...
# with the build and source folders and the script's own third argument: it
# skips the test (status 77) when a tool or the window is missing, runs the
# calling script again inside its own X server, and gives it `fail` and a
# scratch folder $work removed at the end with the window whose process id
# is in $pid, if any (a script that starts more redefines `cleanup`).
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
inner=$3
shift 3
for tool in xvfb-run xdotool "$@"; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x "$build/bowlyn" ] || { echo "skipped: $build/bowlyn was not built"; exit 77; }

if [ "$inner" != --inner ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset -nolisten tcp" \
    bash "$0" "$build" "$source" --inner
fi

work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
