#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's private test prefix.
# ctest uses this as the cross-compiling emulator.
set -eu
# A step that fails says which, rather than ending the test without a word.
trap 'echo "wine-run: line $LINENO: \"$BASH_COMMAND\" failed ($?)" >&2' ERR
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/wine-lib.sh"
close_inherited_fds
if [ -z "${VASKEL_TEST_PREFIX:-}" ]; then
  dir=$PWD
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || { echo "wine-run: not inside a build tree" >&2; exit 2; }
  VASKEL_TEST_PREFIX=$dir/wine/unit
fi
"$here/scripts/make-prefix.sh" "$VASKEL_TEST_PREFIX" >/dev/null
export WINEPREFIX=$VASKEL_TEST_PREFIX HOME=$VASKEL_TEST_PREFIX/home
# Unit tests use Wine's null display driver: nothing appears on the user's screen.
unset DISPLAY
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml=;winedbg.exe="
# A lingering server makes each start quick.
start_wineserver
# Wine's service processes outlive the program and keep its output handles: give them
# a file, not ctest's pipe, or ctest waits for them forever.
out=$(mktemp)
rc=0
wine "$@" </dev/null >"$out" 2>&1 || rc=$?
cat "$out"
rm -f "$out"
exit $rc
