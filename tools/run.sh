#!/usr/bin/env bash
# Installs what is missing, builds Bowlyn and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/bowlyn ]; then
  exec build/bowlyn "$@"
else
  exec build/bowlyn-cli "$@"
fi
