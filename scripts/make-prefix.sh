#!/usr/bin/env bash
# Makes a private Wine prefix at $1 (copied from $2 when that template exists):
# its own HOME, no Z: drive, real user folders, Wine's own fonts, no menu builder.
# Nothing outside the prefix is touched. Quick when the prefix is ready already.
set -eu
# A step that fails says which, rather than ending without a word.
trap 'echo "make-prefix: line $LINENO: \"$BASH_COMMAND\" failed ($?)" >&2' ERR
prefix=$1 template=${2:-}
[ -f "$prefix/.vaskel-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
# flock -o: the lock's descriptor must not leak into wineserver, which outlives us.
if [ -z "${VASKEL_PREFIX_LOCKED:-}" ]; then
  VASKEL_PREFIX_LOCKED=1 exec flock -o "$prefix.lock" "$0" "$@"
fi
[ -f "$prefix/.vaskel-ready" ] && exit 0

if [ -n "$template" ] && [ -f "$template/.vaskel-ready" ]; then
  rm -rf "$prefix"
  cp -a "$template" "$prefix"
  exit 0
fi

rm -rf "$prefix"
mkdir -p "$prefix/home"
export WINEPREFIX=$prefix HOME=$prefix/home WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml=;winedbg.exe="
unset DISPLAY
wineboot -i </dev/null >/dev/null 2>&1
wineserver -w

rm -f "$prefix/dosdevices/z:"
# Every link under the user folders, however deep, becomes a real folder: a link
# would lead a removal out of the prefix.
find "$prefix/drive_c/users" -type l | while read -r link; do rm -f "$link"; mkdir -p "$link"; done
cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"

cat > "$prefix/drive_c/vaskel.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="x11,null"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winemenubuilder.exe"=""
"mscoree"=""
"mshtml"=""
"winedbg.exe"=""
REG
wine regedit /S 'C:\vaskel.reg' </dev/null >/dev/null 2>&1
rm -f "$prefix/drive_c/vaskel.reg"
wineserver -w
touch "$prefix/.vaskel-ready"
