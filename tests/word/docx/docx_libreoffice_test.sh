#!/usr/bin/env bash
# Lays out the writer's sample documents with LibreOffice and reads the PDF
# back: the portrait chart must stay on one US Letter page, the landscape
# chart must break onto exactly two, every line whole on its page, in the
# fonts the chart names.
set -euo pipefail
# shellcheck source=../../support/checks.sh
source "$(dirname "$0")/../../support/checks.sh"

writer=${1:?usage: $0 WRITE_SAMPLE_DOCX}
for tool in soffice pdfinfo pdftotext pdffonts; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool not found (scripts/install-deps.sh)"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 HOME="$work"
use_own_fonts "$work"

"$writer" "$work"
# A private profile, so that parallel runs and a running office do not clash.
timeout 240 soffice --headless "-env:UserInstallation=file://$work/lo-profile" \
  --convert-to pdf --outdir "$work/pdf" "$work/portrait.docx" "$work/landscape.docx" \
  >"$work/soffice.log" 2>&1 || { cat "$work/soffice.log"; echo "FAIL: soffice"; exit 1; }


# pdftotext keeps neither runs of spaces nor trailing ones exactly.
normalize() { sed -E 's/[ \t]+/ /g; s/^ //; s/ $//'; }

check() {  # name pages size
  local name=$1 pages=$2 size=$3 pdf="$work/pdf/$1.pdf"
  [ -f "$pdf" ] || { fail "$name: no PDF"; return; }
  local info
  info=$(pdfinfo "$pdf")
  grep -q "^Pages: *$pages\$" <<<"$info" || fail "$name: expected $pages page(s): $(grep ^Pages <<<"$info")"
  grep -q "^Page size: *$size pts" <<<"$info" || fail "$name: expected $size: $(grep '^Page size' <<<"$info")"

  # These two and no other: no fallback font took part.
  expect_eq "$name: fonts" "LiberationMono-Bold LiberationSerif-Bold" "$(pdf_fonts "$pdf")"

  for ((page = 1; page <= pages; page++)); do
    pdftotext -layout -f "$page" -l "$page" "$pdf" - | normalize >"$work/$name-$page.txt"
    grep -qxF "ASCII Conversion Chart" "$work/$name-$page.txt" || fail "$name: no header on page $page"
  done

  local page text
  while IFS=$'\t' read -r page text; do
    text=$(normalize <<<"$text")
    if [ ! -f "$work/$name-$page.txt" ] || ! grep -qxF -- "$text" "$work/$name-$page.txt"; then
      fail "$name: page $page lacks the whole line: $text"
    fi
  done <"$work/$name.lines"
}

check portrait 1 "612 x 792"
check landscape 2 "792 x 612"

finish "LibreOffice layout: all checks"
