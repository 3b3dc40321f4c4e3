#!/usr/bin/env bash
# quorvane-chart.exe writes what the Linux quorvane-chart writes, byte for
# byte: the document to a file and to standard output, and the text, in both
# orientations.
# Usage: same_bytes_test.sh LINUX_TOOL SCRATCH WINDOWS_COMMAND...
set -euo pipefail
linux=$1
scratch=$2
shift 2
windows=("$@")

rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch"

failures=0
same() {
  if cmp "$1" "$2"; then
    echo "same: $1 $2"
  else
    failures=$((failures + 1))
  fi
}

for orientation in portrait landscape; do
  flags=()
  if [ "$orientation" = landscape ]; then flags=(--landscape); fi
  "$linux" "${flags[@]}" -o "linux-$orientation.docx" >/dev/null
  "$linux" "${flags[@]}" --text >"linux-$orientation.txt"
  "${windows[@]}" "${flags[@]}" -o "windows-$orientation.docx" >/dev/null
  "${windows[@]}" "${flags[@]}" -o - >"windows-$orientation-stdout.docx"
  "${windows[@]}" "${flags[@]}" --text >"windows-$orientation.txt"
  same "linux-$orientation.docx" "windows-$orientation.docx"
  same "linux-$orientation.docx" "windows-$orientation-stdout.docx"
  same "linux-$orientation.txt" "windows-$orientation.txt"
done
exit $((failures > 0))
