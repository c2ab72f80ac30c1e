#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite under Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
scripts/bootstrap.sh
cmake --preset windows-x64 >/dev/null
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j2 "$@"
