#!/usr/bin/env bash
# The real program on a virtual display with a FIFO where its settings file
# belongs: the start must not hang in open(). The load reports the settings
# file at lines 128 and 130, then the window appears with the default choice,
# the FIFO is left as it was, and closing ends the program.
# Leaves screenshots of the two reports and the window in OUT-DIR.
set -u
# shellcheck source=../../support/checks.sh
source "$(dirname "$0")/../../support/checks.sh"
# shellcheck source=../../support/x_display.sh
source "$(dirname "$0")/../../support/x_display.sh"

usage="usage: window_fifo_settings_test.sh QUORVANE SCREEN-GRAB X-CLOSE OUT-DIR"
program=${1:?$usage}
grab=${2:?$usage}
x_close=${3:?$usage}
out=${4:?$usage}

for tool in Xvfb xdotool timeout; do
  command -v "$tool" >/dev/null || { fail "$tool is not installed"; finish; }
done

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A check the rest depends on: report it and stop.
stop() {
  fail "$*"
  [ -f "$work/app.log" ] && sed 's/^/  quorvane: /' "$work/app.log" >&2
  finish
}

export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/.config
export XDG_DATA_HOME=$HOME/.local/share
export XDG_CACHE_HOME=$HOME/.cache
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$out"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP DESKTOP_SESSION SESSION_MANAGER
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
settings=$XDG_CONFIG_HOME/Brelmor.conf
mkfifo "$settings"

# No web site is opened, whatever the draw.
mkdir -p "$work/bin"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH

start_display "$work" || stop "Xvfb did not start: $(cat "$work/xvfb.log")"

# A start that hangs is ended, and fails the checks below.
timeout 60 "$program" >"$work/app.log" 2>&1 &
app_pid=$!

# The load's two reports, each a box of its own, before the window.
for line in 128 130; do
  box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Application Error$' | head -1)
  [ -n "$box" ] || stop "no report for line $line: the start hangs or reports nothing"
  xdotool search --onlyvisible --name '^Quorvane Software$' >/dev/null 2>&1 &&
    fail "the window is shown before the report for line $line"
  grab_window "$grab" "$box" "$out/report-$line.png" ||
    fail "no screenshot of the report for line $line"
  xdotool windowfocus --sync "$box" key Return
  wait_until 10 window_gone "$box" "Application Error" || stop "the report for line $line stays open"
done

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvane Software$' | head -1)
[ -n "$window" ] || stop "the main window did not appear after the reports"
xdotool search --onlyvisible --name '^Application Error$' >/dev/null 2>&1 &&
  fail "a third report is shown"
grab_window "$grab" "$window" "$out/window-fifo-settings.png" || fail "no screenshot of the window"

[ -p "$settings" ] || fail "the FIFO at $settings was replaced: $(ls -l "$settings" 2>&1)"
expect_eq "files in the configuration folder" "Brelmor.conf" "$(ls -A "$XDG_CONFIG_HOME")"

"$x_close" "$window" || stop "cannot ask the window to close"
wait_until 10 not_running "$app_pid" || stop "the program still runs after its window was closed"
wait "$app_pid"
status=$?
app_pid=
expect_eq "exit status" 0 "$status"

finish "window_fifo_settings"
