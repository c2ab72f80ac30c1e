#!/usr/bin/env bash
# A second product made by the sample maker under another variant name: every file that may
# differ from the sample does, the generator takes it by its formats alone (and refuses
# it as the sample), and readers that are not ours accept it.
# Usage: second-product.sh MKPRODUCT GENPAYLOAD MANIFEST PRODUCT-SOURCES SCRATCH
set -u
mkproduct=$1 gen=$2 manifest=$3 sources=$4 scratch=$5
here=$(cd "$(dirname "$0")" && pwd)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rm -rf "$scratch"; mkdir -p "$scratch"
sample=$scratch/sample second=$scratch/product

"$mkproduct" "$manifest" "$sources" "$sample" || fail "the maker cannot make the sample"
"$mkproduct" --variant second "$manifest" "$sources" "$second" || fail "the maker cannot make it"
while IFS=$'\t' read -r row path component size created sha format; do
  [[ $row =~ ^[0-9]+$ ]] || continue
  file=${path//\\//}
  if [[ $format == lines=* || $format == sine=* ]]; then
    cmp -s "$sample/$file" "$second/$file" || fail "$path: a fixed text differs from the sample's"
  else
    cmp -s "$sample/$file" "$second/$file" && fail "$path: the same as the sample's"
  fi
done <"$manifest"

"$gen" "$manifest" "$second" "$scratch/unit.cpp" "$scratch/table.h" || fail "the generator refuses it"
grep -qF "$(sha256sum "$second/Vaskel.exe" | cut -c1-64)" "$scratch/table.h" || fail "the table lacks its checksums"
"$gen" --pinned "$manifest" "$second" "$scratch/pinned.cpp" "$scratch/pinned.h" 2>/dev/null &&
  fail "the generator takes it for the sample"
"$here/readers.sh" "$manifest" "$second" >/dev/null || fail "readers reject it: $("$here/readers.sh" "$manifest" "$second")"

rm -rf "$scratch"
[ "$failures" = 0 ] && echo "second product: made, different where it may be, accepted"
exit $((failures > 0))
