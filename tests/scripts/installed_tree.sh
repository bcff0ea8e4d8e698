#!/usr/bin/env bash
# Installs the build into a temporary prefix, and unpacks the .deb that cpack
# makes of it into another folder (a package built for /usr, run from
# elsewhere: relocated). Both trees must hold the same files, and their
# programs must run from an unrelated working folder: bowlyn-cli saves a
# design, the window opens it when named on the command line and ends with
# status 0 on Ctrl+Q, and in the prefix a file manager's double click (gio
# open, through the file type and the desktop entry) opens it in Bowlyn. The
# package depends on the runtime packages of the libraries the programs use.
# Usage: installed_tree.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

source "$(dirname "$0")/window_prelude.bash" "$1" "$2" "${3:-}" cpack dpkg-deb dpkg-shlibdeps gio \
  update-mime-database update-desktop-database
export BOWLYN_RELEASE_URL=""
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
elsewhere="$work/elsewhere"
mkdir -p "$HOME" "$elsewhere"

cmake --install "$build" --prefix "$work/prefix" >/dev/null
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null) || fail "cpack could not make the package"
deb=$(echo "$work"/package/*.deb)
[ -f "$deb" ] || fail "no .deb in $(ls "$work/package")"
dpkg-deb -x "$deb" "$work/unpacked"
diff <(cd "$work/prefix" && find . -type f | sort) <(cd "$work/unpacked/usr" && find . -type f | sort) ||
  fail "the package and the installed tree hold different files"

depends=$(dpkg-deb -f "$deb" Depends)
libraries=(libgtk2.0-0 libglade2-0 libcairo2)
readelf -d "$build/bowlyn" | grep -q 'libcurl' && libraries+=(libcurl4)
for package in "${libraries[@]}"; do
  [[ $depends == *"$package "* || $depends == *"$package," || $depends == *"$package" ]] ||
    fail "Depends lacks $package: $depends"
done

# Waits for a window titled `title`; $main is set to it.
await_window() {
  local title=$1
  main=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -1) ||
    fail "no window '$title' appeared: $(cat "$work/stderr")"
}

quit_window() {
  xdotool mousemove --window "$main" 700 300
  sleep 0.3
  xdotool key ctrl+q
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name ' - Bowlyn$' >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the window did not close"
}

for root in "$work/prefix" "$work/unpacked/usr"; do
  cd "$elsewhere"
  "$root/bin/bowlyn-cli" save preset:OM -o om.bowlyn || fail "$root: bowlyn-cli could not save"
  [ "$("$root/bin/bowlyn-cli" check om.bowlyn | head -1)" = "Status: OK" ] ||
    fail "$root: bowlyn-cli does not read its own file"
  "$root/bin/bowlyn" om.bowlyn 2>"$work/stderr" &
  pid=$!
  await_window "om.bowlyn - Bowlyn"
  quit_window
  status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "$root: the window ended with status $status: $(cat "$work/stderr")"
  echo "$root: both programs run from $elsewhere"
done

# A double click: the file type and the desktop entry of the prefix only.
XDG_DATA_DIRS="$work/prefix/share" update-mime-database "$work/prefix/share/mime"
update-desktop-database "$work/prefix/share/applications"
cp "$elsewhere/om.bowlyn" "$elsewhere/clicked.bowlyn"
XDG_DATA_DIRS="$work/prefix/share" PATH="$work/prefix/bin:$PATH" \
  gio open "$elsewhere/clicked.bowlyn" 2>"$work/stderr"
await_window "clicked.bowlyn - Bowlyn"
quit_window
echo "PASS: the prefix and the package run from anywhere; a double click opens a design"
