#!/usr/bin/env bash
# The built program's version resource and icon, read back with icoutils rather than
# anything of ours. Usage: resources.sh EXE MAINFORM-LAYOUT
set -u
exe=$(realpath "$1") layout=$(realpath "$2")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

wrestool -x --type=16 --raw "$exe" >"$scratch/version.bin" 2>/dev/null && [ -s "$scratch/version.bin" ] ||
  { echo "FAIL: no version resource"; exit 1; }
# Each string is its UTF-16 key after the type word 1, then padding, then its value.
strings=$(iconv -f UTF-16LE -t UTF-8 <"$scratch/version.bin" | tr '\0' '\n')
value() { awk -v key="$1" 'found && $0 != "" { print; exit } $0 ~ ("\001" key "$") { found = 1 }' <<<"$strings"; }
# The backdrop's notice, from its layout's Windows-1252 escapes.
notice=$(sed -n 's/.*label LabelCopy .*caption="\([^"]*\)".*/\1/p' "$layout" | xargs -0 printf '%b' | iconv -f CP1252 -t UTF-8)
[ -n "$notice" ] || fail "no notice in $layout"
while IFS='=' read -r key want; do
  got=$(value "$key")
  [ "$got" = "$want" ] || fail "$key is '$got', not '$want'"
done <<EOF_VALUES
CompanyName=Kestrelmoor Software
FileDescription=Vaskel Setup
ProductName=Vaskel
ProductVersion=1.1
FileVersion=1.1
LegalCopyright=$notice
OriginalFilename=VaskelSetup.exe
EOF_VALUES
# The fixed part, which Explorer shows as the file version: signature, then 1.1.0.0 twice.
fixed=$(od -An -tx4 -j40 -N24 "$scratch/version.bin" | xargs)
[ "$fixed" = "feef04bd 00010000 00010001 00000000 00010001 00000000" ] || fail "fixed version info reads '$fixed'"

wrestool -x --type=14 --name=1 -o "$scratch/icon.ico" "$exe" 2>/dev/null || fail "no icon group 1"
sizes=$(icotool -l "$scratch/icon.ico" 2>/dev/null | sed -n 's/.*--width=\([0-9]*\) --height=\1 --bit-depth=32 .*/\1/p' | xargs)
[ "$sizes" = "16 32 48 256" ] || fail "icon sizes (32 bits a pixel) are '$sizes', not 16 32 48 256"

[ "$failures" = 0 ] && echo "resources: version information and icon as published"
exit $((failures > 0))
