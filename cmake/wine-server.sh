#!/bin/sh
# wine-server.sh start|stop PREFIX: one Wine server for all the tests of a run,
# and a virtual display for the window tests (wine-run.sh points them at it).
# Started persistent and detached, with the services it starts, from the
# caller's pipes: otherwise every test waits for them to let go of ctest's
# output pipe.
set -eu
here=$(dirname "$0")
prefix=$2
export WINEPREFIX="$prefix"
display=$prefix/.x-display
xvfb_pid=$prefix/.x-server-pid

stop_display() {
  if [ -s "$xvfb_pid" ]; then kill "$(cat "$xvfb_pid")" 2>/dev/null || true; fi
  rm -f "$display" "$xvfb_pid"
}

case $1 in
  start)
    mkdir -p "$prefix"
    # A server left over from an interrupted run would refuse the new one.
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    stop_display
    # Before the services start: Wine's desktop takes the display it finds.
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display" </dev/null >/dev/null 2>&1 &
    echo $! >"$xvfb_pid"
    for _ in $(seq 100); do [ -s "$display" ] && break; sleep 0.1; done
    [ -s "$display" ] || { echo "wine-server.sh: Xvfb did not start" >&2; exit 1; }
    setsid wineserver -p </dev/null >/dev/null 2>&1
    # Starts the services, once: in a prefix not yet made, Wine makes it and
    # starts them before the first program runs, and a wineboot -i then would
    # start a second service manager, under which COM's local servers are
    # started but never reached.
    if [ -f "$prefix/system.reg" ]; then
      setsid "$here/wine-run.sh" "$prefix" wineboot -i </dev/null >/dev/null 2>&1
    else
      setsid "$here/wine-run.sh" "$prefix" cmd /c exit </dev/null >/dev/null 2>&1
    fi
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    stop_display
    ;;
  *)
    echo "usage: wine-server.sh start|stop PREFIX" >&2
    exit 2
    ;;
esac
