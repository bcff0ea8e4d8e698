#!/usr/bin/env bash
# Runs the core tests about read-only files and folders, and about writing
# to standard output through its links (/dev/stdout lies in a folder only
# root may write), as an unprivileged user: root may write anywhere, so run
# as root (as CI does) they would only skip or prove nothing. The user is
# nobody, reached through setpriv.
# Usage: read_only_as_user.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
tests="$build/bowlyn_core_tests"
filter='*ReadOnly*:Cli.DevStdout*'
[ -x "$tests" ] || { echo "skipped: $tests was not built"; exit 77; }

if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || { echo "skipped: setpriv is not installed"; exit 77; }
  uid=$(id -u nobody 2>/dev/null) || { echo "skipped: no user nobody"; exit 77; }
  gid=$(id -g nobody)
  as_user=(setpriv --reuid="$uid" --regid="$gid" --clear-groups)
  "${as_user[@]}" test -x "$tests" ||
    { echo "skipped: the user nobody cannot reach $tests"; exit 77; }
else
  as_user=()
fi

out=$("${as_user[@]}" env HOME=/tmp "$tests" --gtest_filter="$filter" 2>&1) ||
  { echo "$out"; exit 1; }
echo "$out" | grep -E '^\[ *(OK|PASSED|SKIPPED) *\]' || true
ran=$(echo "$out" | sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p')
[ "${ran:-0}" -ge 3 ] || { echo "FAIL: only ${ran:-0} of the tests passed"; exit 1; }
if echo "$out" | grep -q '^\[  SKIPPED \]'; then
  echo "FAIL: read-only tests skipped although run as $(${as_user[@]} id -un)"
  exit 1
fi
