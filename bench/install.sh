#!/usr/bin/env bash
# Figures for the installation run: InstallFiles for a Typical install against a bare
# Win32 reference (the same windows and refreshes around one bulk write per file) and
# against the bulk writes alone, in process under Wine. Run from anywhere after
# configuring with the windows-x64 preset; the argument is the number of runs (at
# least 5). The last line is the headline: InstallFiles against the reference.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
cmake --build "$build" -j2 --target install_bench >/dev/null
(cd "$build" && "$root/cmake/wine-run.sh" "$build/bench/install/install_bench.exe" "${1:-9}")
