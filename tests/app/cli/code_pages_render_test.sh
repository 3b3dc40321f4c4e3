#!/usr/bin/env bash
# Code-page charts as LibreOffice lays them out: in each, the four DEC fields
# of every data line stand where they stand on every other line, every code
# 0 to 255 once; on A4 the portrait chart is one page and the landscape two.
set -u
# shellcheck source=../../support/checks.sh
source "$(dirname "$0")/../../support/checks.sh"

tool=$(realpath "${1:?usage: code_pages_render_test.sh PATH-TO-quorvane-chart}")
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
use_own_fonts "$work"

charts=()
while read -r name flags; do
  chart=$name${flags// /}.docx
  # shellcheck disable=SC2086  # split on purpose
  "$tool" --code-page "$name" $flags -o "$chart" >/dev/null 2>&1 || fail "$chart: not written"
  charts+=("$chart")
done <<'EOF'
437
1251
1255
iso-8859-1
437 --landscape
1255 --landscape --paper=a4
437 --paper=a4
iso-8859-1 --landscape --paper=a4
EOF
soffice -env:UserInstallation="file://$work/lo-profile" --headless --convert-to pdf \
  "${charts[@]}" >lo.log 2>&1 || fail "LibreOffice could not convert to PDF: $(cat lo.log)"

pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ {print $2}'; }
# In whole points: LibreOffice gives A4's 11906 twips as 595.304.
size() { pdfinfo "$1" 2>/dev/null | awk '/^Page size:/ {printf "%.0fx%.0f", $3, $5}'; }
expect_eq "A4 portrait pages" 1 "$(pages '437--paper=a4.pdf')"
expect_eq "A4 portrait page size" "595x842" "$(size '437--paper=a4.pdf')"
expect_eq "A4 landscape pages" 2 "$(pages 'iso-8859-1--landscape--paper=a4.pdf')"
expect_eq "A4 landscape pages (1255)" 2 "$(pages '1255--landscape--paper=a4.pdf')"
expect_eq "A4 landscape page size" "842x595" "$(size '1255--landscape--paper=a4.pdf')"
expect_eq "letter portrait pages" 1 "$(pages 437.pdf)"

for chart in "${charts[@]}"; do
  pdf=${chart%.docx}.pdf
  pdftotext -bbox "$pdf" "$pdf.html" 2>/dev/null || { fail "$pdf: no text"; continue; }
  # A DEC field is a number followed by its two hexadecimal digits; its right
  # edge must be the same on every line for the same group.
  problem=$(python3 - "$pdf.html" <<'PY'
import re, sys
words = re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>([^<]*)</word>|<page ',
                   open(sys.argv[1], encoding="utf-8").read())
lines, page = {}, 0
for x_min, y_min, x_max, text in words:
    if not x_min:
        page += 1
        continue
    lines.setdefault((page, round(float(y_min))), []).append((float(x_max), text))
codes, edges = [], {}
for key in sorted(lines):
    row = lines[key]
    found = [(x, int(t)) for (x, t), (_, h) in zip(row, row[1:])
             if re.fullmatch("[0-9]{1,3}", t) and h == f"{int(t):02X}"]
    for group, (x, code) in enumerate(found):
        codes.append(code)
        edges.setdefault(group, []).append(x)
    if found and len(found) != 4:
        print(f"line at {key} shows {len(found)} codes: {[c for _, c in found]}")
if sorted(codes) != list(range(256)):
    print(f"{len(codes)} codes found, not 0 to 255 once each")
for group, xs in edges.items():
    if max(xs) - min(xs) > 0.5:
        print(f"group {group + 1}: DEC fields end between x = {min(xs)} and {max(xs)}")
PY
)
  [ -z "$problem" ] || fail "$chart: $problem"
done

finish "code page charts in LibreOffice: all checks"
