#!/usr/bin/env bash
# Figures for removal and repair: Uninstall of a default installation against one
# bulk shell delete of the same tree, and Repair, in process under Wine. The bench
# deletes C:\Vaskel, the group, the desktop link and the record, so it runs in a
# prefix of its own, copied from the build's template. Run from anywhere after
# configuring with the windows-x64 preset; the argument is the number of runs (at least 5).
# The last line is the headline, for scripts:
#   Uninstall against one bulk shell delete: ratio R (target T)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
cmake --build "$build" -j2 --target removal_bench >/dev/null
prefix=$build/wine/bench-removal
template=$build/wine/template
[ -f "$template/.vaskel-ready" ] || template=
"$root/scripts/make-prefix.sh" "$prefix" $template >/dev/null
# The program writes Windows line ends; a script reading the headline wants none.
(cd "$build" && VASKEL_TEST_PREFIX=$prefix "$root/cmake/wine-run.sh" "$build/bench/removal/removal_bench.exe" "${1:-9}") |
  tr -d '\r'
