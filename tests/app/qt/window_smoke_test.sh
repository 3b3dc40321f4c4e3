#!/usr/bin/env bash
# The real program in a real window on a virtual display: a fresh home folder,
# "Start Creating", "Done." acknowledged, the document in Documents rendering
# as one page, the choice in the settings file, and closing ends the process.
# Leaves screenshots of the window and the "Done." box in OUT-DIR. Each step
# waits for a window or a state, never for a time.
set -u

usage="usage: window_smoke_test.sh QUORVANE SCREEN-GRAB X-CLOSE OUT-DIR"
program=${1:?$usage}
grab=${2:?$usage}
x_close=${3:?$usage}
out=${4:?$usage}
# shellcheck source=../../support/x_display.sh
source "$(dirname "$0")/../../support/x_display.sh"

for tool in Xvfb xdotool soffice pdfinfo; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
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

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/app.log" ] && sed 's/^/  quorvane: /' "$work/app.log" >&2
  exit 1
}

# A fresh user: nothing configured, no Documents folder yet.
export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/.config
export XDG_DATA_HOME=$HOME/.local/share
export XDG_CACHE_HOME=$HOME/.cache
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$out"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP DESKTOP_SESSION SESSION_MANAGER
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8

# The desktop's opener, recorded instead of started.
mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<OPENER
#!/bin/sh
echo "\$*" >>"$work/opened"
OPENER
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH

start_display "$work" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"

"$program" >"$work/app.log" 2>&1 &
app_pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvane Software$' | head -1)
[ -n "$window" ] || fail "the main window did not appear"
geometry=$(xdotool getwindowgeometry --shell "$window") || fail "the window has no geometry"
eval "$geometry"
[ "$WIDTH" = 536 ] && [ "$HEIGHT" = 122 ] || fail "the window is ${WIDTH}x${HEIGHT}, not 536x122"
grab_window "$grab" "$window" "$out/window.png" || fail "no screenshot of the window"

# "Start Creating": the middle of the button's place in the form (in twips:
# left 120, top 1320, 7800 by 405, of a form 8040 by 1830), on the window.
xdotool mousemove --window "$window" $(((120 + 7800 / 2) * WIDTH / 8040)) \
  $(((1320 + 405 / 2) * HEIGHT / 1830)) click 1
done_box=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quorvane$' | head -1)
[ -n "$done_box" ] || fail "no \"Done.\" box after Start Creating"
grab_window "$grab" "$done_box" "$out/done.png" || fail "no screenshot of the Done box"
xdotool windowfocus --sync "$done_box" key Return
wait_until 10 window_gone "$done_box" Quorvane || fail "\"Done.\" is still open"

document="$HOME/Documents/ASCII Conversion Chart - Portrait.docx"
[ -f "$document" ] || fail "no document in Documents: $(ls -A "$HOME/Documents" 2>&1)"
# The opener runs detached: it may come after "Done.".
opened="ASCII%20Conversion%20Chart%20-%20Portrait.docx\|ASCII Conversion Chart - Portrait.docx"
wait_until 10 grep -q "$opened" "$work/opened" 2>/dev/null ||
  fail "the document was not handed to the desktop's opener"

settings="$XDG_CONFIG_HOME/Brelmor.conf"
grep -qx 'Option1=True' "$settings" 2>/dev/null || fail "settings hold no Option1=True: $(cat "$settings" 2>&1)"
grep -qx 'Option2=False' "$settings" || fail "settings hold no Option2=False"

# Closing the window ends the process at once.
"$x_close" "$window" || fail "cannot ask the window to close"
wait_until 10 not_running "$app_pid" || fail "the program still runs after its window was closed"
wait "$app_pid"
status=$?
app_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# The document as LibreOffice lays it out: one page.
timeout 120 soffice -env:UserInstallation="file://$work/office" --headless --convert-to pdf \
  --outdir "$work/pdf" "$document" >"$work/soffice.log" 2>&1 || fail "soffice could not convert the document"
pages=$(pdfinfo "$work/pdf/ASCII Conversion Chart - Portrait.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
[ "$pages" = 1 ] || fail "the document renders as '${pages:-no}' pages, not one"

echo "window_smoke: passed; screenshots in $out"
