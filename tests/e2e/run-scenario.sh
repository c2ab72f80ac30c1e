#!/usr/bin/env bash
# Runs one end-to-end scenario program: a fresh private prefix copied from the
# build's template, its own Xvfb, a lingering Wine server, the program under
# test copied to C:\setup. Returns the scenario program's exit code, and leaves
# nothing running.
#
# run-scenario.sh --name NAME --build DIR --exe FILE [--screen WxH[xD]] [--dpi N]
#                 [--keep] -- SCENARIO.exe [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/scripts/wine-lib.sh"
close_inherited_fds
name= build= exe= screen=1024x768x24 dpi= keep=0
while [ $# -gt 0 ]; do
  case $1 in
    --name) name=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --exe) exe=$2; shift 2 ;;
    --screen) screen=$2; shift 2 ;;
    --dpi) dpi=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    --) shift; break ;;
    *) echo "run-scenario: unknown option $1" >&2; exit 2 ;;
  esac
done
[ $# -ge 1 ] && [ -n "$name" ] && [ -n "$build" ] && [ -n "$exe" ] || {
  echo "usage: run-scenario.sh --name NAME --build DIR --exe FILE [--screen WxH[xD]] [--dpi N] -- SCENARIO.exe [ARGS]" >&2
  exit 2; }
[ -f "$exe" ] || { echo "run-scenario: the program under test is missing: $exe" >&2; exit 2; }
scenario=$1; shift
[[ $screen =~ ^[0-9]+x[0-9]+$ ]] && screen=${screen}x24
[[ $screen =~ ^[0-9]+x[0-9]+x[0-9]+$ ]] || { echo "run-scenario: bad --screen $screen" >&2; exit 2; }
for tool in Xvfb wine wineserver convert; do
  command -v "$tool" >/dev/null || { echo "run-scenario: $tool is missing; run scripts/bootstrap.sh" >&2; exit 2; }
done

build=$(cd "$build" && pwd)
now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", b - a }'; }
t0=$(now)

# Wine wants absolute prefix paths; the copy keeps every scenario independent.
template=$build/wine/template
prefix=$build/wine/e2e/$name
"$here/e2e-template.sh" "$template"
rm -rf "$prefix" "$prefix.lock"
"$root/scripts/make-prefix.sh" "$prefix" "$template" >/dev/null
mkdir -p "$prefix/drive_c/setup" "$prefix/drive_c/e2e/shots" "$prefix/drive_c/e2e/work"
cp "$exe" "$prefix/drive_c/setup/"
cp "$scenario" "$prefix/drive_c/e2e/"
t_prefix=$(since "$t0")

export WINEPREFIX=$prefix HOME=$prefix/home WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
export VASKEL_E2E_EXE="C:\\setup\\$(basename "$exe")"
export VASKEL_E2E_SHOTS='C:\e2e\shots' VASKEL_E2E_WORK='C:\e2e\work'
# The program's texts are Windows-1252: pin the locale Wine takes its code page from.
export LC_ALL=C.UTF-8
unset XAUTHORITY LANGUAGE

xvfb_pid= rc=1
cleanup() {
  # Every process here was started for this scenario only.
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -f "$prefix.display"
  if [ "$rc" = 0 ] && [ "$keep" = 0 ]; then rm -rf "$prefix" "$prefix.lock"; fi
}
trap cleanup EXIT

# -displayfd picks a free display number and writes it once the server is ready.
t1=$(now)
rm -f "$prefix.display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$prefix.display" </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do
  [ -s "$prefix.display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "run-scenario: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[ -s "$prefix.display" ] || { echo "run-scenario: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=:$(tr -d '\n' <"$prefix.display")

start_wineserver
if [ -n "$dpi" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
fi
t_display=$(since "$t1")

t2=$(now)
cd "$prefix/drive_c"
set +e
timeout --kill-after=10 "${VASKEL_E2E_TIMEOUT:-300}" \
  wine "C:\\e2e\\$(basename "$scenario")" "$@" </dev/null
rc=$?
set -e
t_run=$(since "$t2")

shots=$build/e2e-shots/$name
rm -rf "$shots"
if compgen -G "$prefix/drive_c/e2e/shots/*.bmp" >/dev/null; then
  mkdir -p "$shots"
  for bmp in "$prefix"/drive_c/e2e/shots/*.bmp; do
    convert "$bmp" "$shots/$(basename "${bmp%.bmp}").png" || echo "run-scenario: cannot convert $bmp" >&2
  done
fi
echo "run-scenario: $name: prefix ${t_prefix}s, display ${t_display}s, scenario ${t_run}s, exit $rc" >&2
exit $rc
