#!/usr/bin/env python3
"""Every code page quorvane-chart lists: its chart text matches the default
chart column for column outside the SYM cells of 128 to 255, and each such
cell is three columns of visible or blank characters; titles and aliases;
and on both papers the longest line fits between the margins by Word's
metrics (Courier New advances 0.6 em).

Usage: code_pages_test.py PATH-TO-quorvane-chart
"""

import re
import subprocess
import sys
import tempfile
import unicodedata as ud
import zipfile

failures = []


def check(ok, message):
    if not ok:
        failures.append(message)
        print("FAIL:", message, file=sys.stderr)
    return ok


def run(*args):
    return subprocess.run([sys.argv[1], *args], capture_output=True, check=False)


def columns(line):  # one entry per printed column: a character and its marks
    cols = []
    for c in line:
        if cols and (ud.category(c) in ("Mn", "Me") or c == "\u200e"):
            cols[-1] += c
        else:
            cols.append(c)
    return cols


def visible_or_blank(col):
    base, marks = col[0], col[1:]
    if base in " \u00a0" or ud.category(base) in ("Cc", "Cf", "Cn"):
        return base in " \u00a0" and not marks
    if marks == "\u200e":  # keeps a right-to-left letter in its place
        return ud.bidirectional(base) in ("R", "AL")
    return not marks or base == "\u25cc" and all(ud.category(m) in ("Mn", "Me") for m in marks)


# Group width, where SYM fields start, where a cell may end in groups 1-2 and 3-4.
LAYOUTS = {"": (29, 19, {23, 24}, {22}), "--landscape": (31, 20, {23, 25}, {23})}


def check_text(name, flag, reference):
    lines = run("--text", "--code-page", name, *filter(None, [flag])).stdout.decode().split("\r\n")
    what = f"{name} {flag or 'portrait'}"
    if not check(len(lines) == len(reference), f"{what}: {len(lines)} lines"):
        return
    step, sym_start, first_ends, last_ends = LAYOUTS[flag]
    codes = []
    for number, (line, want) in enumerate(zip(lines, map(columns, reference)), 1):
        cols, cells = columns(line), set()
        dec = "".join(want[0:3]).strip()
        if dec.isdigit() and int(dec) >= 128 and len(want) > 100:
            for group in range(4):
                area = range(group * step + sym_start, min((group + 1) * step, len(cols)))
                cells.update(area)
                ends = first_ends if group < 2 else last_ends
                shown = [k - group * step + 1 for k in area if cols[k] != " "]
                end = shown[-1] if shown else min(ends)
                cell = cols[group * step + end - 3:group * step + end]
                codes.append(int(dec) + 16 * group)
                check(end in ends and (not shown or shown[0] >= end - 2) and
                      all(map(visible_or_blank, cell)), f"{what}: SYM of {codes[-1]}: {cell}")
        check(len(cols) == len(want) and all(
            k in cells or got == base for k, (got, base) in enumerate(zip(cols, want))),
            f"{what} line {number}: {line!r}")
    check(sorted(codes) == list(range(128, 256)), f"{what}: codes 128 to 255 out of place")


def main():
    names = [line.split()[0] for line in run("--list-code-pages").stdout.decode().splitlines()]
    check(names == ["1252", "437", "850"] + [str(n) for n in range(1250, 1259) if n != 1252] +
          [f"iso-8859-{n}" for n in range(1, 17) if n != 12] + ["koi8-r", "koi8-u", "mac-roman"],
          f"--list-code-pages lists {names}")
    for flag in LAYOUTS:
        reference = run("--text", *filter(None, [flag])).stdout.decode().split("\r\n")
        for name in names[1:]:
            check_text(name, flag, reference)

    for name, title in [("1252", ""), ("437", " (Code Page 437)"), ("iso-8859-1", " (ISO 8859-1)")]:
        trace = run("--trace", "-o", "-", "--code-page", name).stderr.decode()
        check(f'put Text = BSTR "ASCII Conversion Chart{title}"\n' in trace, f"{name}: title")
    for alias, name in [("CP437", "437"), ("windows-1251", "1251"), ("Latin-1", "iso-8859-1"),
                        ("latin1", "iso-8859-1"), ("macintosh", "mac-roman")]:
        same = run("--text", "--code-page", alias).stdout == run("--text", "--code-page", name).stdout
        check(same, f"{alias} is not {name}")
    for bad in [["--code-page", "iso-8859-12"], ["--paper", "a3"], ["--text", "--paper", "a4"]]:
        result = run(*bad)
        check(result.returncode == 2 and not result.stdout, f"{bad} was not refused")
    check(b"'quorvane-chart --list-code-pages' lists them" in run("--code-page", "x").stderr,
          "an unknown code page does not say where the list is")

    with tempfile.TemporaryDirectory() as work:
        for paper, flag, size, characters in [
                ("letter", "", (12240, 15840), 110), ("a4", "", (11906, 16838), 110),
                ("letter", "--landscape", (15840, 12240), 117),
                ("a4", "--landscape", (16838, 11906), 117)]:
            run("-o", f"{work}/c.docx", "--force", "--paper", paper, *filter(None, [flag]))
            xml = zipfile.ZipFile(f"{work}/c.docx").read("word/document.xml").decode()
            page = tuple(int(v) for v in re.search(r'w:pgSz w:w="(\d+)" w:h="(\d+)"', xml).groups())
            room = page[0] - sum(int(re.search(rf'w:{s}="(\d+)"', xml)[1]) for s in ("left", "right"))
            line = characters * 0.6 * int(re.search(r'<w:sz w:val="(\d+)"', xml)[1]) * 10  # twips
            check(page == size and line <= room, f"{paper} {flag}: {page}, {line} > {room} twips")
    sys.exit(f"{len(failures)} check(s) failed" if failures else print("code pages: all checks passed"))


main()
