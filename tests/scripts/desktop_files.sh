#!/usr/bin/env bash
# Checks what the build installs for a desktop, in a temporary prefix: the
# desktop entry validates; the MIME database built from the file type
# recognizes a saved design by its name and, named otherwise, by its first
# line; the thumbnailer's command line writes a PNG of the size asked for; the
# manual pages render without warnings and name every command and option the
# programs' --help lists; the bash completion offers the commands, options,
# values, presets and files of the right kind.
# Usage: desktop_files.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$(cd "$1" && pwd)

for tool in desktop-file-validate update-mime-database gio groff; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -f /usr/share/bash-completion/bash_completion ] ||
  { echo "skipped: bash-completion is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export LC_ALL=C
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
cli="$prefix/bin/bowlyn-cli"
cd "$work"
"$cli" save preset:OM -o om.bowlyn

if [ -x "$prefix/bin/bowlyn" ]; then
  desktop-file-validate "$prefix/share/applications/bowlyn.desktop" ||
    fail "the desktop entry does not validate"
fi

# The file type, from the installed XML alone.
XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime"
cp om.bowlyn "no extension"
{ printf '\xef\xbb\xbf'; cat om.bowlyn; } >"marked.txt.bak"
type_of() {
  XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$1" gio info -a standard::content-type "$2" |
    sed -n 's/^ *standard::content-type: //p'
}
for file in om.bowlyn "no extension" marked.txt.bak; do
  [ "$(type_of "$prefix/share" "$file")" = application/x-bowlyn ] ||
    fail "'$file' is $(type_of "$prefix/share" "$file")"
done
[ "$(type_of "$work/none" om.bowlyn)" != application/x-bowlyn ] ||
  fail "a design is recognized without the file type"

# The thumbnailer as a file manager runs it.
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/thumbnailers/bowlyn.thumbnailer")
command=${exec_line//%i/$work/om.bowlyn}
command=${command//%o/$work/thumb.png}
command=${command//%s/128}
(cd / && PATH="$prefix/bin:$PATH" eval "$command") || fail "the thumbnailer failed: $command"
read -r width height < <(od -An -tu1 -j16 -N8 thumb.png |
  awk '{print $3 * 256 + $4, $7 * 256 + $8}')
[ "$height" -eq 128 ] && [ "$width" -gt 0 ] && [ "$width" -lt 128 ] ||
  fail "the OM's thumbnail is $width x $height, not 128 high"
# A design without a complete outline gets no picture, not a blank one.
"$cli" save preset:OM --set "Waist width=30" -o broken.bowlyn
! "$cli" thumbnail broken.bowlyn -o broken.png 2>/dev/null && [ ! -e broken.png ] ||
  fail "a broken design got a thumbnail"

# Each manual page has an entry (a tag at the left, as man shows it) for
# every command and option its program's help lists, and names every option
# of the longer help somewhere.
page_text() {
  zcat "$prefix/share/man/man1/$1.gz" |
    groff -man -Tascii -rLL=200n -rHY=0 -ww 2>"$work/warnings" | col -b
  [ ! -s "$work/warnings" ] || fail "$1: $(cat "$work/warnings")"
}
options_of() { grep -oE -- '(^|[ [,])(-[a-z]|--[a-z][a-z-]*)' <<<"$1" | tr -d ' [,' | sort -u; }
check_page() {
  local page=$1 help=$2 more=${3:-} text word
  text=$(page_text "$page")
  for word in $(awk '$1 ~ /^bowlyn/ && $2 ~ /^[a-z]/ {print $2}' <<<"$help") $(options_of "$help"); do
    grep -qE -- "^ {7}([^ ]+, )?$word([ ,=]|\$)" <<<"$text" || fail "$page has no entry for $word"
  done
  for word in $(options_of "$more"); do
    grep -qE -- "(^|[^a-z-])$word([^a-z-]|\$)" <<<"$text" || fail "$page does not name $word"
  done
}
check_page bowlyn-cli.1 "$("$cli" --help)"
if [ -x "$prefix/bin/bowlyn" ]; then
  check_page bowlyn.1 "$(env -u DISPLAY "$prefix/bin/bowlyn" --help)" \
    "$(env -u DISPLAY "$prefix/bin/bowlyn" --help-all)"
fi

# Tab completion, with the word breaks bash itself makes at ":".
mkdir "$work/files" && cd "$work/files"
touch shape.png shape.svg notes.txt
cp ../om.bowlyn .
completions() {
  bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$0/share/bash-completion/completions/bowlyn-cli"
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"; COMP_LINE=${COMP_LINE// : /:}; COMP_POINT=${#COMP_LINE}
    _bowlyn_cli
    printf "%s\n" "${COMPREPLY[@]}" | sort' "$prefix" "$cli" "$@"
}
expect() {
  local got
  got=$(completions "${@:2}" | paste -sd' ')
  [ "$got" = "$1" ] || fail "completing '${*:2}' offers '$got', not '$1'"
}
commands=$("$cli" --help | awk '$1 == "bowlyn-cli" {print $2}' | sort -u | paste -sd' ')
expect "--help $commands" ""
expect "cm in mm" export om.bowlyn --units ""
expect "shape.png" render om.bowlyn -o ""
expect "shape.svg" export om.bowlyn -o shape.s
expect "Soprano Uke" check preset : So
designs=$(completions check --set "Body length=19" "")
for design in om.bowlyn clear preset:OM "preset:Soprano Uke"; do
  grep -qxF "$design" <<<"$designs" || fail "'$design' is not offered as a design"
done
! grep -qxF notes.txt <<<"$designs" || fail "notes.txt is offered as a design"
echo "PASS: desktop entry, file type, thumbnailer, manual pages and completion"
