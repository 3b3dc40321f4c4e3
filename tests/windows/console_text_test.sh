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

# Wine's console host draws on the terminal from a process of its own and,
# rarely, has not drawn everything when the session ends; a wrong text form
# never shows the name, however often it runs. Compared without the console
# host's cursor moves and without spaces, which it may draw as moves.
drawn() { sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' "$1" | tr -d ' '; }
shows() {  # stream, expected text without spaces
  local attempt
  for attempt in 1 2 3; do
    rm -f "$name"
    if [ "$1" = err ]; then printf mine >"$name"; fi
    script -qec "$command -o $name" "typescript-$1-$attempt" >/dev/null </dev/null
    if drawn "typescript-$1-$attempt" | grep -qF -- "$2"; then return 0; fi
  done
  echo "standard $1 on a console does not show '$2':"
  drawn "typescript-$1-$attempt"
  return 1
}

failures=0
shows out "Wrote$name" || failures=$((failures + 1))
shows err "\"$name\"alreadyexists;use--forcetoreplaceit" || failures=$((failures + 1))
[ "$failures" = 0 ] && echo "console: the name shows on both streams"
exit $((failures > 0))
