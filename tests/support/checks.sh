# Sourced by the shell tests: count failed checks, report them, and end with
# a status that ctest reads.

failures=0

fail() {
  failures=$((failures + 1))
  if [ "$failures" -le 20 ]; then echo "FAIL: $*" >&2; fi
}

expect_eq() {  # what, expected, actual
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

# A file with the expected bytes; a unified diff shows where it differs.
expect_same_file() {  # what, expected file, actual file
  local diff
  diff=$(diff -u --label expected --label actual "$2" "$3") ||
    fail "$1: differs from $2:"$'\n'"$diff"
}

# Ends the test: exit 1 when any check failed.
finish() {  # what passed
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "${1:-all checks} passed"
  exit 0
}

# LibreOffice lays text out in the fonts fontconfig offers, and draws a
# character its font lacks in any installed font that has it: the fonts of
# the machine would decide the layout (fonts-urw-base35, which ghostscript
# and ImageMagick bring, has a glyph for U+0081 that widens a sample line
# until it wraps). This points fontconfig, for this shell and what it starts,
# at a configuration of its own in `folder`, with its own cache, that holds
# only the 16 fonts of Debian's fonts-liberation: Liberation Mono and Serif
# for the Courier New and Times New Roman that the documents name, Sans and
# Sans Narrow for anything else. No fallback font is offered, on purpose:
# the characters no Liberation font has (U+007F, U+0081, U+008D, U+008F,
# U+0090, U+009D: control codes) stay in the font of their line, as on a
# machine with no other fonts. Check with pdf_fonts that no other font
# was used.
use_own_fonts() {  # folder
  local dir=$1/fontconfig files
  files=$(dpkg -L fonts-liberation 2>/dev/null | grep '\.ttf$') || {
    echo "FAIL: fonts-liberation is not installed (scripts/install-deps.sh)" >&2
    exit 1
  }
  mkdir -p "$dir/fonts" "$dir/cache"
  local file
  for file in $files; do ln -s "$file" "$dir/fonts/"; done
  {
    echo '<?xml version="1.0"?>'
    echo '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">'
    echo '<fontconfig>'
    echo "  <dir>$dir/fonts</dir>"
    echo "  <cachedir>$dir/cache</cachedir>"
    local pair
    for pair in "Courier New:Liberation Mono" "Times New Roman:Liberation Serif" \
      "Arial:Liberation Sans" "monospace:Liberation Mono" "serif:Liberation Serif" \
      "sans-serif:Liberation Sans"; do
      echo "  <alias binding=\"same\"><family>${pair%%:*}</family>"
      echo "    <accept><family>${pair#*:}</family></accept></alias>"
    done
    echo '</fontconfig>'
  } >"$dir/fonts.conf"
  unset FONTCONFIG_PATH FONTCONFIG_SYSROOT
  export FONTCONFIG_FILE="$dir/fonts.conf"
}

# The fonts a PDF uses, without their subset prefixes, sorted, on one line.
pdf_fonts() {  # pdf
  pdffonts "$1" 2>/dev/null | tail -n +3 | awk '{print $1}' | sed 's/^[A-Z]\{6\}+//' | sort |
    tr '\n' ' ' | sed 's/ $//'
}
