#!/usr/bin/env bash
# The generator's refusals and its copy-if-different, on a scratch sample, whatever
# product the build embeds.
# Usage: generator.sh MKPRODUCT GENPAYLOAD MANIFEST PRODUCT-SOURCES SCRATCH
set -u
mkproduct=$1 gen=$2 manifest=$3 sources=$4 scratch=$5
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rm -rf "$scratch"; mkdir -p "$scratch"
product=$scratch/sample
"$mkproduct" "$manifest" "$sources" "$product" || fail "the maker cannot make the sample"
cp -r "$product" "$scratch/product"
out=$scratch/unit.cpp table=$scratch/table.h

# expect_refusal WHAT FILE [RULE] [--pinned]: the generator must fail, name the file
# and, when given, what the rule asks.
expect_refusal() {
  if msg=$("$gen" ${4:-} "$manifest" "$scratch/product" "$scratch/refused.cpp" "$scratch/refused.h" 2>&1); then
    fail "$1: the generator accepted it"
  elif ! grep -qF "$2: " <<<"$msg" || ! grep -qF "${3:-}" <<<"$msg"; then
    fail "$1: the message does not name $2 ${3:+and '$3'}: $msg"
  fi
  [ ! -e "$scratch/refused.cpp" ] && [ ! -e "$scratch/refused.h" ] || fail "$1: it wrote an output anyway"
}
# poke FILE OFFSET BYTES: overwrites bytes in place (printf escapes).
poke() { printf "$3" | dd of="$scratch/product/$1" bs=1 seek="$2" conv=notrunc status=none; }

"$gen" --pinned "$manifest" "$scratch/product" "$out" "$table" || fail "the unchanged product is refused"
touch -d '2001-01-01' "$out" "$table"
"$gen" --pinned "$manifest" "$scratch/product" "$out" "$table" || fail "the second run fails"
[ "$(stat -c %Y "$out" "$table" | sort -u)" = "$(date -d 2001-01-01 +%s)" ] || fail "an unchanged output was rewritten"
grep -qF "$(sha256sum "$scratch/product/Help/step3.swf" | cut -c1-64)" "$table" || fail "the table lacks step3.swf's checksum"

ini=$scratch/product/vaskelsim.ini
cp "$ini" "$scratch/saved.ini"
rm "$ini"
expect_refusal "a missing file" 'vaskelsim.ini'
printf 'x' | cat "$scratch/saved.ini" - >"$ini"
expect_refusal "a longer file" 'vaskelsim.ini'
sed 's/Language=1/Language=2/' "$scratch/saved.ini" >"$ini"
expect_refusal "changed bytes of the same size" 'vaskelsim.ini' 'line 2 differs from "Language=1"'
cp "$scratch/saved.ini" "$ini"

# Another product's bytes pass where the format allows them, and not for the sample.
swf='Help\step3.swf'
poke Help/step3.swf 100 'Z'
expect_refusal "a changed movie" "$swf" 'checksum' --pinned
"$gen" "$manifest" "$scratch/product" "$out" "$table" || fail "a changed movie of the right format is refused"
grep -qF "$(sha256sum "$scratch/product/Help/step3.swf" | cut -c1-64)" "$table" || fail "the table keeps the old checksum"

# Each format rule, broken without changing the size, one file at a time.
poke Help/step3.swf 4 '\x01'
expect_refusal "a movie's header length" "$swf" 'header length equal to its size'
poke Help/step3.swf 0 'CWS'
expect_refusal "a compressed movie" "$swf" 'it is compressed'
cp "$product/Help/step3.swf" "$scratch/product/Help/step3.swf"
poke Vaskel.exe 2 'Q'
expect_refusal "an image without MZP" 'Vaskel.exe' 'begins "MZP"'
poke Vaskel.exe 2 'P'
poke VaskelSim.exe $(($(od -An -tu4 -j60 -N4 "$product/VaskelSim.exe") + 22)) '\x0E\x21'
expect_refusal "a DLL where a program belongs" 'VaskelSim.exe' 'it is a DLL'
cp "$product/VaskelSim.exe" "$scratch/product/VaskelSim.exe"
poke 'lib/bcb/api/vaskelapi_bcb.lib' 1 '\x1D'
expect_refusal "another page size" 'lib\bcb\api\vaskelapi_bcb.lib' 'its page size is 32'
cp "$product/lib/bcb/api/vaskelapi_bcb.lib" "$scratch/product/lib/bcb/api/"
poke 'lib/vcpp/api/vaskelapi_vc.lib' 0 '!<ARCH>'
expect_refusal "a COFF archive's signature" 'lib\vcpp\api\vaskelapi_vc.lib' '"!<arch>"'
poke 'lib/vcpp/api/vaskelapi_vc.lib' 0 '!<arch>'
poke 'Help/vaskelhelp.chm' 4 '\x02'
expect_refusal "a help file of version 2" 'Help\vaskelhelp.chm' 'its version is 2'
poke 'Help/vaskelhelp.chm' 4 '\x03'
poke inittp.lib 17 '3'
expect_refusal "a tip list announcing 32 tips" 'inittp.lib' 'MaxTip=12'
cp "$product/inittp.lib" "$scratch/product/inittp.lib"
poke Tutorial/sin.txt 30 '9'
expect_refusal "a changed sine table" 'Tutorial\sin.txt' 'line 2 differs'

rm -rf "$scratch"
[ "$failures" = 0 ] && echo "generator: refusals and copy-if-different as expected"
exit $((failures > 0))
