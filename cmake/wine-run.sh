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
# Wine spells Unix file names in the locale's character set: without a UTF-8
# locale (none is set in many containers) a name outside ASCII cannot be made.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then export LC_ALL=C.UTF-8; fi
exec wine "$@"
