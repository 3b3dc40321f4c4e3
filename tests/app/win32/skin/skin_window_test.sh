#!/usr/bin/env bash
# skin_window_test.sh WINE-RUN PREFIX TEST-PROGRAM OUT-DIR: the skin's window
# test under Wine on a virtual display. The prefix is this test's own, with
# its own Wine server, so that its desktop runs on the display; the capture of
# the skinned window is left in OUT-DIR.
set -u
usage="usage: skin_window_test.sh WINE-RUN PREFIX TEST-PROGRAM OUT-DIR"
wine_run=${1:?$usage}
prefix=${2:?$usage}
program=${3:?$usage}
out=${4:?$usage}

command -v Xvfb >/dev/null || { echo "FAIL: Xvfb is not installed" >&2; exit 1; }
mkdir -p "$prefix" "$out"
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  WINEPREFIX="$prefix" wineserver -k </dev/null >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"

# A server of this prefix left from an interrupted run knows another display.
WINEPREFIX="$prefix" wineserver -k </dev/null >/dev/null 2>&1
WINEPREFIX="$prefix" wineserver -w </dev/null >/dev/null 2>&1
"$wine_run" "$prefix" wineboot -i </dev/null >/dev/null 2>&1
QUORVANE_SKIN_SHOT="$out/skinned.bmp" "$wine_run" "$prefix" "$program"
