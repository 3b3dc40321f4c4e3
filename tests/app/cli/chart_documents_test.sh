#!/usr/bin/env bash
# Chart documents end to end: quorvane-chart writes them, LibreOffice lays
# them out. The portrait chart must be one page, the landscape chart two, and
# the text LibreOffice reads back must be the chart text exactly.
set -u
# shellcheck source=../../support/checks.sh
source "$(dirname "$0")/../../support/checks.sh"

usage="usage: chart_documents_test.sh PATH-TO-quorvane-chart SCHEMA-FOLDER EXPECTED-OUTPUT-FOLDER"
tool=$(realpath "${1:?$usage}")
schemas=$(realpath "${2:?$usage}")
data=$(realpath "${3:?$usage}")
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
use_own_fonts "$work"


# --- writing ---------------------------------------------------------------

# Without -o the name says the orientation, in the current folder.
mkdir defaults && (cd defaults && "$tool" >out 2>&1 && "$tool" --landscape >>out 2>&1) ||
  fail "default names: $(cat defaults/out)"
for name in ascii-chart-portrait.docx ascii-chart-landscape.docx; do
  [ -s "defaults/$name" ] || fail "default names: no $name"
  grep -qx "Wrote $name" defaults/out || fail "default names: $name not reported"
done

out=$("$tool" -o p.docx 2>err)
expect_eq "portrait exit status" 0 $?
expect_eq "portrait says where" "Wrote p.docx" "$out"
expect_eq "portrait standard error" "" "$(cat err)"

"$tool" --landscape -o l.docx --footer "  Page  " >/dev/null 2>err
expect_eq "landscape exit status" 0 $?

cp p.docx p.before
"$tool" -o p.docx >/dev/null 2>err
expect_eq "existing file without --force: exit status" 1 $?
grep -q 'already exists' err || fail "existing file without --force: no clear message: $(cat err)"
cmp -s p.docx p.before || fail "an existing file was replaced without --force"

"$tool" -o p.docx --force >/dev/null 2>err
expect_eq "--force exit status" 0 $?
cmp -s p.docx p.before || fail "the same chart gave different bytes"

"$tool" -o - >stdout.docx 2>err
expect_eq "-o - exit status" 0 $?
cmp -s stdout.docx p.docx || fail "-o - differs from the file written"

"$tool" -o missing/x.docx >/dev/null 2>err
expect_eq "missing folder: exit status" 1 $?
grep -q 'missing/x.docx' err || fail "missing folder: the path is not named: $(cat err)"
grep -q 'line 142' err || fail "missing folder: the failed step is not named: $(cat err)"
[ -e missing ] && fail "missing folder: something was created"

for orientation in portrait landscape; do
  flags=(--footer 'Größe ✓ 日本')
  [ $orientation = landscape ] && flags+=(--landscape)
  "$tool" --trace "${flags[@]}" -o "t-$orientation.docx" >/dev/null 2>"trace-$orientation"
  expect_eq "--trace $orientation exit status" 0 $?
  expect_same_file "--trace $orientation" "$data/trace/$orientation.txt" "trace-$orientation"
done

# --- the parts against the ECMA-376 schemas, where Word is strict ----------

if [ ! -f "$schemas/wml.xsd" ]; then
  fail "the OOXML schemas are not in $schemas"
else
  for name in p l; do
    unzip -q -o "$name.docx" -d "parts-$name" || fail "$name.docx is not a zip archive"
    for part in word/document.xml word/styles.xml word/settings.xml word/header1.xml \
      word/footer1.xml; do
      xmllint --noout --nonet --schema "$schemas/wml.xsd" "parts-$name/$part" >xmllint.log 2>&1 ||
        fail "$name.docx: $part is not valid: $(cat xmllint.log)"
    done
    for part in '[Content_Types].xml:opc-contentTypes.xsd' '_rels/.rels:opc-relationships.xsd' \
      'word/_rels/document.xml.rels:opc-relationships.xsd' \
      'docProps/core.xml:opc-coreProperties.xsd'; do
      xmllint --noout --nonet --schema "$schemas/${part##*:}" "parts-$name/${part%%:*}" \
        >xmllint.log 2>&1 || fail "$name.docx: ${part%%:*} is not valid: $(cat xmllint.log)"
    done
  done
fi

# --- LibreOffice -------------------------------------------------------------

profile="file://$work/lo-profile"
soffice -env:UserInstallation="$profile" --headless --convert-to pdf p.docx l.docx \
  >lo.log 2>&1 || fail "LibreOffice could not convert to PDF: $(cat lo.log)"
soffice -env:UserInstallation="$profile" --headless \
  --convert-to 'txt:Text (encoded):UTF8,CRLF,,' --outdir txt p.docx l.docx \
  >>lo.log 2>&1 || fail "LibreOffice could not convert to text: $(cat lo.log)"

pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ {print $2}'; }
size() { pdfinfo "$1" 2>/dev/null | awk '/^Page size:/ {print $3 "x" $5}'; }
expect_eq "portrait pages" 1 "$(pages p.pdf)"
expect_eq "portrait page size" "612x792" "$(size p.pdf)"
expect_eq "landscape pages" 2 "$(pages l.pdf)"
expect_eq "landscape page size" "792x612" "$(size l.pdf)"

# The body in bold Courier New (Liberation Mono), the title in bold Times New
# Roman (Liberation Serif), and no fallback font.
for name in p l; do
  expect_eq "$name.pdf fonts" "LiberationMono-Bold LiberationSerif-Bold" "$(pdf_fonts "$name.pdf")"
done

# Each page carries the title, and the landscape footer its text.
for page in 1 2; do
  pdftotext -f $page -l $page -layout l.pdf - 2>/dev/null | grep -q 'ASCII Conversion Chart' ||
    fail "landscape page $page lacks the header title"
  pdftotext -f $page -l $page -layout l.pdf - 2>/dev/null | grep -q 'Page' ||
    fail "landscape page $page lacks the footer text"
done

# LibreOffice's text export starts with a byte order mark, ends with the empty
# last paragraph, and shows the page break as nothing.
"$tool" --text >p.txt
"$tool" --text --landscape | tr -d '\f' >l.txt
for name in p l; do
  printf '\xef\xbb\xbf' >"expected-$name.txt"
  cat "$name.txt" >>"expected-$name.txt"
  printf '\r\n' >>"expected-$name.txt"
  cmp -s "expected-$name.txt" "txt/$name.txt" ||
    fail "$name.docx: the text LibreOffice reads differs from the chart text ($(cmp "expected-$name.txt" "txt/$name.txt" 2>&1))"
done

finish "chart documents: all checks"
