#!/bin/sh
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGUMENT...].
# The prefix belongs to the build folder; no display and no dialogs are needed.
prefix=$1
shift
export WINEPREFIX="$prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No offer to install Mono or Gecko when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
