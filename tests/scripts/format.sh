#!/usr/bin/env bash
# The C++ sources follow the checked-in .clang-format.
set -u
src="$2"
command -v clang-format >/dev/null || { echo "clang-format not installed"; exit 77; }
cd "$src" || exit 1
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' | grep -v '^./build')
[ -n "$files" ] || exit 77
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
