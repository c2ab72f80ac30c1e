#!/usr/bin/env bash
# Lets readers that are not ours judge the product files: file(1) and binutils' objdump
# for the images, ar for the COFF library. Usage: readers.sh MANIFEST PRODUCT-FOLDER
set -u
manifest=$1 folder=$2
objdump=i686-w64-mingw32-objdump ar=i686-w64-mingw32-ar
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
failures=0 images=0
while IFS=$'\t' read -r row path component size created sha; do
  [[ $row =~ ^[0-9]+$ ]] || continue
  file=$folder/${path//\\//}
  [ -f "$file" ] || { fail "$path: missing"; continue; }
  what=$(file -b "$file")
  case $path in
    *.exe|*.dll)
      images=$((images + 1))
      if [[ $path == *.exe ]]; then want='PE32 executable (GUI) Intel 80386'; else want='PE32 executable (DLL)'; fi
      [[ $what == "$want"* ]] || fail "$path: file says '$what'"
      dump=$($objdump -p "$file" 2>&1) || fail "$path: objdump rejects it: $dump"
      grep -q 'file format pei-i386' <<<"$dump" || fail "$path: objdump does not see PE32 i386"
      if [[ $path == *.dll ]]; then
        grep -q "Name .* ${path##*\\}" <<<"$dump" || fail "$path: export table does not name ${path##*\\}"
      else
        grep -q 'DLL Name: KERNEL32.dll' <<<"$dump" || fail "$path: imports nothing from KERNEL32.dll"
      fi ;;
    *.swf) [[ $what == 'Macromedia Flash data, version 5' ]] || fail "$path: file says '$what'" ;;
    *.chm) [[ $what == 'MS Windows HtmlHelp Data' ]] || fail "$path: file says '$what'" ;;
    *_bcb.lib)
      [[ $what == *'OMF library, page size 16'* ]] || fail "$path: file says '$what'"
      dll=vaskelapi.dll; [[ $path == *class* ]] && dll=vaskelclass.dll
      [[ $what == *"exported by $dll"* ]] || fail "$path: does not import from $dll" ;;
    *_vc.lib)
      members=$($ar t "$file" 2>&1) || fail "$path: ar rejects it: $members"
      [ "$(sort -u <<<"$members")" = vaskelapi.dll ] || fail "$path: members are '$members'" ;;
  esac
done <"$manifest"
[ "$images" = 4 ] || fail "expected 4 images, found $images"
[ "$failures" = 0 ] && echo "readers: all product files accepted"
exit $((failures > 0))
