#!/usr/bin/env bash
# Start-up figures: process start to a visible wizard against a bare window
# program built with the same flags and against the same first screen made
# directly on Win32, under one warm wineserver on a private Xvfb, and the exe sizes. Run from anywhere after configuring with the
# windows-x64 preset. Optional argument: the number of timed runs (default 7).
set -eu -o pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-lib.sh"
close_inherited_fds
build=$root/build
runs=${1:-7}
cd "$root"
cmake --build "$build" -j2 --target VaskelSetup bench_bare_window bench_bare_cxx_window bench_raw_startup \
  bench_startup_timer >/dev/null

setup_exe=$build/app/VaskelSetup.exe
bare_exe=$build/bench/startup/bench_bare_window.exe
cxx_exe=$build/bench/startup/bench_bare_cxx_window.exe
timer_exe=$build/bench/startup/bench_startup_timer.exe
raw_exe=$build/bench/startup/bench_raw_startup.exe

payload=$(awk -F'\t' '!/^#/ && $4 ~ /^[0-9]+$/ { s += $4 } END { print s }' "$root/payload/manifest.tsv" 2>/dev/null || true)
[ -n "$payload" ] && [ "$payload" -gt 0 ] || { echo "startup.sh: no sizes in payload/manifest.tsv" >&2; exit 1; }
setup_size=$(stat -c %s "$setup_exe")
bare_size=$(stat -c %s "$bare_exe")
added=$(( setup_size - payload - bare_size ))
printf '%-34s %9d bytes\n' "VaskelSetup.exe" "$setup_size"
printf '%-34s %9d bytes\n' "  payload (manifest sizes)" "$payload"
printf '%-34s %9d bytes\n' "bare static window exe" "$bare_size"
printf '%-34s %9d bytes (%d KiB; target <= 300 KiB)\n' "framework + libjpeg + wizard added" "$added" $(( added / 1024 ))
cxx_size=$(stat -c %s "$cxx_exe")
printf '%-34s %9d bytes (%d KiB)\n' "  of which the C++ runtime" $(( cxx_size - bare_size )) $(( (cxx_size - bare_size) / 1024 ))

# A private prefix copied from the build's template, never the user's ~/.wine.
template=$build/wine/template
prefix=$build/wine/bench-startup
"$root/tests/e2e/e2e-template.sh" "$template"
rm -rf "$prefix" "$prefix.lock"
"$root/scripts/make-prefix.sh" "$prefix" "$template" >/dev/null
mkdir -p "$prefix/drive_c/bench"
cp "$setup_exe" "$bare_exe" "$raw_exe" "$timer_exe" "$prefix/drive_c/bench/"

export WINEPREFIX=$prefix HOME=$prefix/home WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
export LC_ALL=C.UTF-8
unset XAUTHORITY LANGUAGE

xvfb_pid=
cleanup() {
  # Only what this script started: its wineserver and its Xvfb.
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$prefix" "$prefix.lock" "$prefix.display"
}
trap cleanup EXIT

rm -f "$prefix.display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$prefix.display" </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do
  [ -s "$prefix.display" ] && break
  sleep 0.05
done
[ -s "$prefix.display" ] || { echo "startup.sh: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=:$(tr -d '\n' <"$prefix.display")
# The same warm server for both programs.
start_wineserver

cd "$prefix/drive_c"
wine 'C:\bench\bench_startup_timer.exe' 'C:\bench\bench_bare_window.exe' "Bare Window" \
  'C:\bench\VaskelSetup.exe' "Vaskel Setup Wizard" "$runs" 'C:\bench\bench_raw_startup.exe' "Vaskel Setup Wizard" \
  </dev/null | tr -d '\r'
