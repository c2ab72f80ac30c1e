#!/usr/bin/env bash
# Makes the build's template prefix for scenarios ($1, an absolute path) and
# makes sure it has the X11 settings a bare Xvfb needs: with no window manager
# Wine must draw the title bars and frames itself.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
template=$1
"$here/../../scripts/make-prefix.sh" "$template" >/dev/null
[ -f "$template/.vaskel-e2e" ] && exit 0
# flock -o: the lock's descriptor must not leak into wineserver, which outlives us.
if [ -z "${VASKEL_E2E_TEMPLATE_LOCKED:-}" ]; then
  VASKEL_E2E_TEMPLATE_LOCKED=1 exec flock -o "$template.lock" "$0" "$@"
fi
[ -f "$template/.vaskel-e2e" ] && exit 0
if grep -q '"Managed"="N"' "$template/user.reg"; then touch "$template/.vaskel-e2e"; exit 0; fi
export WINEPREFIX=$template HOME=$template/home WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
unset DISPLAY
cat > "$template/drive_c/vaskel-e2e.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Graphics"="x11,null"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"
REG
wine regedit /S 'C:\vaskel-e2e.reg' </dev/null >/dev/null 2>&1
wineserver -w
rm -f "$template/drive_c/vaskel-e2e.reg"
grep -q '"Managed"="N"' "$template/user.reg" || { echo "e2e-template: the X11 settings did not stick" >&2; exit 1; }
touch "$template/.vaskel-e2e"
