#!/usr/bin/env bash
# The generator's refusals and its copy-if-different, on a scratch copy of the product.
# Usage: generator.sh GENPAYLOAD MANIFEST PRODUCT-FOLDER SCRATCH
set -u
gen=$1 manifest=$2 product=$3 scratch=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rm -rf "$scratch"; mkdir -p "$scratch"
cp -r "$product" "$scratch/product"
out=$scratch/unit.cpp

# expect_refusal WHAT FILE: the generator must fail and name the file.
expect_refusal() {
  if msg=$("$gen" "$manifest" "$scratch/product" "$scratch/refused.cpp" 2>&1); then
    fail "$1: the generator accepted it"
  elif ! grep -qF "$2" <<<"$msg"; then
    fail "$1: the message does not name $2: $msg"
  fi
  [ ! -e "$scratch/refused.cpp" ] || fail "$1: it wrote an output anyway"
}

"$gen" "$manifest" "$scratch/product" "$out" || fail "the unchanged product is refused"
touch -d '2001-01-01' "$out"
"$gen" "$manifest" "$scratch/product" "$out" || fail "the second run fails"
[ "$(stat -c %Y "$out")" = "$(date -d 2001-01-01 +%s)" ] || fail "an unchanged output was rewritten"

ini=$scratch/product/vaskelsim.ini
cp "$ini" "$scratch/saved.ini"
rm "$ini"
expect_refusal "a missing file" 'vaskelsim.ini'
printf 'x' | cat "$scratch/saved.ini" - >"$ini"
expect_refusal "a longer file" 'vaskelsim.ini'
sed 's/Language=1/Language=2/' "$scratch/saved.ini" >"$ini"
expect_refusal "changed bytes of the same size" 'vaskelsim.ini'
cp "$scratch/saved.ini" "$ini"

swf='Help\step3.swf'
printf 'Z' | dd of="$scratch/product/Help/step3.swf" bs=1 seek=100 conv=notrunc status=none
expect_refusal "a changed movie" "$swf"

rm -rf "$scratch"
[ "$failures" = 0 ] && echo "generator: refusals and copy-if-different as expected"
exit $((failures > 0))
