#!/usr/bin/env bash
# Figures for the embedded payload: generation plus compilation, a no-op rebuild, the
# writer against bulk writes under Wine, private-bytes growth. Run from anywhere after
# configuring with the windows-x64 preset.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
cd "$root"
cmake --build "$build" -j2 --target vaskel_payload payload_bench >/dev/null

gen=$build/payload/generated
now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { print b - a }'; }

# Generation plus compilation: the sample, the unit and its object, from scratch
# (the host tools themselves are built once and not counted).
rm -rf "$build/payload/sample-product" "$gen"
t0=$(now)
cmake --build "$build" -j2 --target vaskel_payload >/dev/null
t1=$(now)
printf '%-40s %6.2f s\n' "generation plus compilation" "$(elapsed "$t0" "$t1")"

before=$(stat -c %Y.%N "$gen/Dsetuplargefile.cpp")
t0=$(now)
log=$(cmake --build "$build" -j2 --target vaskel_payload)
t1=$(now)
after=$(stat -c %Y.%N "$gen/Dsetuplargefile.cpp")
regenerated=no
grep -q 'Building CXX' <<<"$log" && regenerated=yes
[ "$before" = "$after" ] || regenerated=yes
printf '%-40s %6.2f s (regenerated: %s)\n' "no-op rebuild" "$(elapsed "$t0" "$t1")" "$regenerated"

# A product text touched but unchanged in content: the unit must not be rewritten.
touch "$root/product/text/inittp.lib"
log=$(cmake --build "$build" -j2 --target vaskel_payload)
recompiled=no; grep -q 'Dsetuplargefile.cpp.obj' <<<"$log" && recompiled=yes
printf '%-40s %s\n' "touched product source recompiles unit" "$recompiled"

exe=$build/bench/payload/payload_bench.exe
size=$(stat -c %s "$exe")
printf '%-40s %6d KiB (bench program: writer and payload only)\n' "exe size minus the payload" \
  $(( (size - 3825895) / 1024 ))

(cd "$build" && "$root/cmake/wine-run.sh" "$exe" "${1:-9}")
