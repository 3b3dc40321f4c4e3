#!/usr/bin/env bash
# quorvane-chart.exe writes what the Linux quorvane-chart writes, byte for
# byte: the document to a file and to standard output, and the text, in both
# orientations; and for every other code page, its text and its landscape
# document on A4.
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

"$linux" --list-code-pages >linux-code-pages.txt
"${windows[@]}" --list-code-pages >windows-code-pages.txt
same linux-code-pages.txt windows-code-pages.txt
while read -r page _; do
  [ "$page" = 1252 ] && continue
  for tool in linux windows; do
    command=("$linux")
    if [ "$tool" = windows ]; then command=("${windows[@]}"); fi
    "${command[@]}" --text --code-page "$page" >"$tool-$page.txt"
    "${command[@]}" --landscape --paper a4 --code-page "$page" -o "$tool-$page.docx" >/dev/null
  done
  same "linux-$page.txt" "windows-$page.txt"
  same "linux-$page.docx" "windows-$page.docx"
done <linux-code-pages.txt
exit $((failures > 0))
