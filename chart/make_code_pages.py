#!/usr/bin/env python3
"""Writes the SYM cells of codes 128 to 255 for every code page the chart
tool offers, as C++ source. The characters come from the build host's iconv
(glibc), their properties from Python's Unicode database; nothing here lists
a character by hand. Run at build time by chart/CMakeLists.txt.

Usage: make_code_pages.py ICONV OUTPUT.cc
"""

import subprocess
import sys
import unicodedata

# name, iconv's name, the title the chart shows, the other names people type.
# 1252 keeps its own rules (chart/char_table.cc) and has no cells here.
CODE_PAGES = [
    ("1252", None, "", "cp1252 windows-1252 win1252"),
    ("437", "IBM437", "Code Page 437", "cp437 ibm437"),
    ("850", "IBM850", "Code Page 850", "cp850 ibm850"),
] + [
    (str(n), f"CP{n}", f"Code Page {n}", f"cp{n} windows-{n} win{n}")
    for n in range(1250, 1259) if n != 1252
] + [
    (f"iso-8859-{n}", f"ISO-8859-{n}", f"ISO 8859-{n}", f"iso8859-{n}" + latin)
    for n, latin in [(1, " latin1"), (2, " latin2"), (3, " latin3"), (4, " latin4"),
                     (5, " cyrillic"), (6, " arabic"), (7, " greek"), (8, " hebrew"),
                     (9, " latin5"), (10, " latin6"), (11, " thai"), (13, " latin7"),
                     (14, " latin8"), (15, " latin9"), (16, " latin10")]
] + [
    ("koi8-r", "KOI8-R", "KOI8-R", ""),
    ("koi8-u", "KOI8-U", "KOI8-U", ""),
    ("mac-roman", "MACINTOSH", "Mac OS Roman", "macintosh macroman mac"),
]

# ISO 6429's abbreviations of the C1 controls U+0080 to U+009F, with the
# names Unicode gives the three that ISO 6429 leaves unnamed (PAD, HOP, SGC).
C1_NAMES = ("PAD HOP BPH NBH IND NEL SSA ESA HTS HTJ VTS PLD PLU RI SS2 SS3 "
            "DCS PU1 PU2 STS CCH MW SPA EPA SOS SGC SCI CSI ST OSC PM APC").split()

# What a word processor draws with no width, by its usual abbreviation
# (ZWNJ shortened to fit three columns).
FORMAT_NAMES = {0x00AD: "SHY", 0x200C: "ZNJ", 0x200D: "ZWJ", 0x200E: "LRM", 0x200F: "RLM"}

DOTTED_CIRCLE = "\u25cc"
# Keeps a right-to-left letter from reordering its line: after it, the
# numbers and spaces that follow stay left to right.
LEFT_TO_RIGHT_MARK = "\u200e"


def characters(iconv, charset):
    """The 128 characters of bytes 128 to 255; None where iconv has none."""
    # Each byte on a line of its own: iconv -c drops what it cannot convert,
    # which leaves that line empty.
    data = b"".join(bytes([b, 10]) for b in range(128, 256))
    run = subprocess.run([iconv, "-c", "-f", charset, "-t", "UTF-16LE"], input=data,
                         capture_output=True, check=False)
    lines = run.stdout.decode("utf-16-le").split("\n")
    if run.returncode not in (0, 1) or len(lines) != 129 or lines[-1]:
        sys.exit(f"make_code_pages: iconv cannot convert from {charset}: {run.stderr!r}")
    for line in lines[:-1]:
        if len(line) > 1:
            sys.exit(f"make_code_pages: {charset} gives {line!r} for one byte")
    return [line or None for line in lines[:-1]]


def cell(character):
    """Three columns: spaces, then what shows."""
    if character is None:
        return "   "
    code = ord(character)
    if 0x80 <= code <= 0x9F:
        return C1_NAMES[code - 0x80].rjust(3)
    category = unicodedata.category(character)
    if category in ("Mn", "Me"):
        return "  " + DOTTED_CIRCLE + character
    if category == "Cf":
        if code not in FORMAT_NAMES:
            sys.exit(f"make_code_pages: no visible form for U+{code:04X}")
        return FORMAT_NAMES[code]
    if category[0] == "C" and category != "Co" or unicodedata.east_asian_width(character) in "WF":
        sys.exit(f"make_code_pages: U+{code:04X} does not fit one column")
    if unicodedata.bidirectional(character) in ("R", "AL"):
        return "  " + character + LEFT_TO_RIGHT_MARK
    return "  " + character


def literal(text):
    return 'u"' + "".join(f"\\x{ord(c):04X}" for c in text) + '"'


def main():
    iconv, output = sys.argv[1], sys.argv[2]
    out = ["// Made by chart/make_code_pages.py from the build host's iconv. Do not edit.",
           '#include "chart/code_page.h"', "", "namespace quorvane::chart {", "namespace {"]
    zero_width = {ord(LEFT_TO_RIGHT_MARK)}
    for name, charset, _, _ in CODE_PAGES:
        if charset is None:
            continue
        cells = [cell(c) for c in characters(iconv, charset)]
        for text in cells:
            zero_width.update(ord(c) for c in text if unicodedata.category(c) in ("Mn", "Me"))
        out.append(f"constexpr std::u16string_view kCells_{name.replace('-', '_')}[128] = {{")
        out += ["    " + literal(text) + "," for text in cells]
        out.append("};")
    out.append("constexpr CodePage kAll[] = {")
    for name, charset, title, aliases in CODE_PAGES:
        cells = f"kCells_{name.replace('-', '_')}" if charset else "{}"
        out.append(f'    {{"{name}", "{aliases}", {literal(title)}, {cells}}},')
    out += ["};", "constexpr char16_t kMarks[] = {"]
    out += [f"    0x{code:04X}," for code in sorted(zero_width)]
    out += ["};", "}  // namespace", "",
            "extern const std::span<const CodePage> kCodePages = kAll;",
            "extern const std::span<const char16_t> kZeroWidth = kMarks;", "",
            "}  // namespace quorvane::chart", ""]
    with open(output, "w", encoding="ascii") as f:
        f.write("\n".join(out))


if __name__ == "__main__":
    main()
