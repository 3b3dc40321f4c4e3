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

# The pages and their size in whole points, then the code page and options.
charts=() expected=()
while read -r pages size name flags; do
  chart=$name${flags//[ -]/}.docx
  # shellcheck disable=SC2086  # split on purpose
  "$tool" --code-page "$name" $flags -o "$chart" >/dev/null 2>&1 || fail "$chart: not written"
  charts+=("$chart") expected+=("$pages $size")
done <<'EOF'
1 612x792 437 --paper=letter
1 612x792 1251 --paper=letter
1 612x792 1255 --paper=letter
1 612x792 iso-8859-1 --paper=letter
2 792x612 437 --landscape
1 595x842 437 --paper=a4
2 842x595 1255 --landscape --paper=a4
2 842x595 iso-8859-1 --landscape --paper=a4
EOF
soffice -env:UserInstallation="file://$work/lo-profile" --headless --convert-to pdf \
  "${charts[@]}" >lo.log 2>&1 || fail "LibreOffice could not convert to PDF: $(cat lo.log)"

for i in "${!charts[@]}"; do
  pdf=${charts[i]%.docx}.pdf
  # LibreOffice gives A4's 11906 twips as 595.304 points.
  expect_eq "$pdf: pages and size" "${expected[i]}" "$(pdfinfo "$pdf" 2>/dev/null |
    awk '/^Pages:/ {p = $2} /^Page size:/ {printf "%s %.0fx%.0f", p, $3, $5}')"
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
  [ -z "$problem" ] || fail "$pdf: $problem"
done

finish "code page charts in LibreOffice: all checks"
