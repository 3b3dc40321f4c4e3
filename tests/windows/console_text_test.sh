#!/usr/bin/env bash
# quorvane-chart.exe's messages on a console: Wine makes one on a terminal of
# its own (script's pseudo-terminal here), and a name beyond the console's
# code page must show as itself, not as its UTF-8 bytes taken one by one.
# Usage: console_text_test.sh SCRATCH WINDOWS_COMMAND...
set -uo pipefail
scratch=$1
shift
command=$(printf '%q ' "$@")

rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch" || exit 1
export LANG=C.UTF-8
name='Größe✓日本.docx'

# Compared without the console host's cursor moves and without spaces,
# which it may draw as moves. The console host draws within WriteConsoleW,
# before the tool ends, so one run shows it or never will; a failure shows
# the whole session, escape sequences included.
drawn() { sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' "$1" | tr -d ' '; }
shows() {  # stream, expected text without spaces
  rm -f "$name"
  if [ "$1" = err ]; then printf mine >"$name"; fi
  script -qec "$command -o $name" "typescript-$1" >/dev/null </dev/null
  drawn "typescript-$1" | grep -qF -- "$2" && return 0
  echo "standard $1 on a console does not show '$2':"
  cat -v "typescript-$1"
  return 1
}

failures=0
shows out "Wrote$name" || failures=$((failures + 1))
shows err "\"$name\"alreadyexists;use--forcetoreplaceit" || failures=$((failures + 1))
[ "$failures" = 0 ] && echo "console: the name shows on both streams"
exit $((failures > 0))
