#!/usr/bin/env bash
# Builds Vaskel Setup and starts it under Wine on $DISPLAY, in its own Wine prefix
# (default ~/.local/share/vaskel-setup/prefix; set VASKEL_WINEPREFIX to choose another,
# for example ~/.wine, which is then used as it is). When the program ends, so does
# whatever it started in the default prefix; another prefix is left as it is.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
if [ -z "${DISPLAY:-}" ]; then
  echo "run: no X display (\$DISPLAY is empty)." >&2
  echo "     Start the program from a desktop session, or make a virtual screen first:" >&2
  echo "       Xvfb :99 -screen 0 1280x800x24 &  export DISPLAY=:99" >&2
  exit 1
fi
scripts/bootstrap.sh
cmake --preset windows-x64 >/dev/null
cmake --build build -j"$(nproc)" --target VaskelSetup
exe=$here/build/app/VaskelSetup.exe
default=${XDG_DATA_HOME:-$HOME/.local/share}/vaskel-setup/prefix
prefix=${VASKEL_WINEPREFIX:-$default}
export WINEDEBUG=${WINEDEBUG:--all}
if [ "$prefix" = "$default" ]; then
  . scripts/wine-lib.sh
  close_inherited_fds
  # Once the program ends, so does everything it started in our prefix: the
  # group's folder window, Wine's server and its service processes.
  trap 'WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true' EXIT
  # Our own prefix has no Z: drive, so the program is copied in.
  scripts/make-prefix.sh "$prefix"
  mkdir -p "$prefix/drive_c/setup"
  cp "$exe" "$prefix/drive_c/setup/VaskelSetup.exe"
  echo "run: starting C:\\setup\\VaskelSetup.exe in $prefix"
  WINEPREFIX=$prefix HOME=$prefix/home wine 'C:\setup\VaskelSetup.exe'
else
  echo "run: starting $exe in $prefix"
  WINEPREFIX=$prefix wine "$exe"
fi
