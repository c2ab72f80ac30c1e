#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's private test prefix.
# ctest uses this as the cross-compiling emulator.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${VASKEL_TEST_PREFIX:-}" ]; then
  dir=$PWD
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || { echo "wine-run: not inside a build tree" >&2; exit 2; }
  VASKEL_TEST_PREFIX=$dir/wine/unit
fi
"$here/scripts/make-prefix.sh" "$VASKEL_TEST_PREFIX" >/dev/null
export WINEPREFIX=$VASKEL_TEST_PREFIX HOME=$VASKEL_TEST_PREFIX/home
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
# A persistent server makes each start quick; on /dev/null so it holds no pipe of ctest's.
wineserver -p </dev/null >/dev/null 2>&1 || true
exec wine "$@"
