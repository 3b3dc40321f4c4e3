#!/bin/sh
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGUMENT...].
# The prefix belongs to the build folder. Windows show on the virtual display
# that wine-server.sh starts with the prefix's server, if it runs.
prefix=$1
shift
export WINEPREFIX="$prefix"
if [ -s "$prefix/.x-display" ]; then export DISPLAY=":$(cat "$prefix/.x-display")"; fi
export WINEARCH=win64
export WINEDEBUG=-all
# No offer to install Mono or Gecko when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
