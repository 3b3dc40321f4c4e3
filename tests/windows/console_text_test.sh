#!/usr/bin/env bash
# quorvane-chart.exe's messages on a console: Wine makes one on a terminal of
# its own (script's pseudo-terminal here), and a name beyond the console's
# code page must show as itself, not as its UTF-8 bytes taken one by one.
# Usage: console_text_test.sh SCRATCH WINDOWS_COMMAND...
set -euo pipefail
scratch=$1
shift
command=$(printf '%q ' "$@")

rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch"
export LANG=C.UTF-8
name='Größe✓日本.docx'

# The second run refuses to replace the file: a message on standard error.
for stream in out err; do
  script -qec "$command -o $name" "typescript-$stream" >/dev/null </dev/null || true
done
for stream in out err; do
  if ! grep -qF "$name" "typescript-$stream"; then
    echo "standard $stream on a console does not show \"$name\":"
    od -c "typescript-$stream" | head -20
    exit 1
  fi
done
grep -qF 'already exists' typescript-err
echo "console: the name shows on both streams"
