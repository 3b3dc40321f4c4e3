#!/bin/sh
# wine-server.sh start|stop PREFIX: one Wine server for all the tests of a run.
# Started persistent and detached, with the services it starts, from the
# caller's pipes: otherwise every test waits for them to let go of ctest's
# output pipe.
set -eu
here=$(dirname "$0")
prefix=$2
export WINEPREFIX="$prefix"
case $1 in
  start)
    mkdir -p "$prefix"
    # A server left over from an interrupted run would refuse the new one.
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    setsid wineserver -p </dev/null >/dev/null 2>&1
    # Makes the prefix on the first run, and starts the services.
    setsid "$here/wine-run.sh" "$prefix" wineboot -i </dev/null >/dev/null 2>&1
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: wine-server.sh start|stop PREFIX" >&2
    exit 2
    ;;
esac
