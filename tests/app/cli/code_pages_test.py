#!/usr/bin/env python3
"""Every code page quorvane-chart lists, as a process: the chart text keeps
the default chart's layout column for column, and every SYM cell of the codes
128 to 255 is three columns of visible or blank characters; the title names
the code page; names are found by their aliases. And on both papers the
longest line fits between the margins by Word's metrics.

Usage: code_pages_test.py PATH-TO-quorvane-chart
"""

import re
import subprocess
import sys
import tempfile
import unicodedata
import zipfile

TOOL = sys.argv[1]
failures = []


def fail(message):
    failures.append(message)
    if len(failures) <= 20:
        print("FAIL:", message, file=sys.stderr)


def run(*args):
    return subprocess.run([TOOL, *args], capture_output=True, check=False)


def columns(line):
    """The line as printed: one entry per column, a base and its marks."""
    cols = []
    for c in line:
        zero = unicodedata.category(c) in ("Mn", "Me") or c == "\u200e"
        if zero and cols:
            cols[-1] += c
        else:
            cols.append(c)
    return cols


def visible_or_blank(column):
    base, marks = column[0], column[1:]
    if base in (" ", "\u00a0"):
        return not marks
    if unicodedata.category(base) in ("Cc", "Cf", "Cn", "Zl", "Zp"):
        return False
    if unicodedata.east_asian_width(base) in ("W", "F"):
        return False
    if marks == "\u200e":  # only to keep a right-to-left letter in its place
        return unicodedata.bidirectional(base) in ("R", "AL")
    return all(unicodedata.category(m) in ("Mn", "Me") for m in marks) and (
        not marks or base == "\u25cc")


# Per orientation: the width of a group, where its SYM field starts, and
# where a SYM cell may end in groups 1 and 2 (plain or control style) and in
# groups 3 and 4.
LAYOUTS = {"portrait": (29, 19, {23, 24}, {22}), "landscape": (31, 20, {23, 25}, {23})}


def check_text(name, orientation, reference):
    args = ["--text", "--code-page", name] + (["--landscape"] if orientation == "landscape" else [])
    result = run(*args)
    if result.returncode != 0:
        return fail(f"{name} {orientation}: exit status {result.returncode}")
    lines = result.stdout.decode("utf-8").split("\r\n")
    if len(lines) != len(reference):
        return fail(f"{name} {orientation}: {len(lines)} lines, expected {len(reference)}")
    step, sym_start, first_ends, last_ends = LAYOUTS[orientation]
    upper = []
    for number, (line, expected) in enumerate(zip(lines, reference), 1):
        cols, want = columns(line), columns(expected)
        if len(cols) != len(want):
            fail(f"{name} {orientation} line {number}: {len(cols)} columns, expected {len(want)}")
            continue
        cells = set()
        dec = "".join(want[0:3]).strip()
        if dec.isdigit() and int(dec) >= 128 and len(want) > 100:
            for group in range(4):
                start = group * step
                area = range(start + sym_start, min(start + step, len(cols)))
                cells.update(area)
                ends = first_ends if group < 2 else last_ends
                shown = [k - start + 1 for k in area if cols[k] != " "]
                end = shown[-1] if shown else min(ends)
                if end not in ends or shown and shown[0] < end - 2:
                    fail(f"{name} {orientation} line {number}: a SYM cell ends in column {end}")
                upper.append((int(dec) + 16 * group, cols[start + end - 3:start + end]))
        for k, (got, base) in enumerate(zip(cols, want)):
            if k not in cells and got != base:
                fail(f"{name} {orientation} line {number} column {k + 1}: {got!r}, not {base!r}")
                break
    if sorted(code for code, _ in upper) != list(range(128, 256)):
        fail(f"{name} {orientation}: the codes 128 to 255 are not each in their place")
    for code, cell in upper:
        if not all(visible_or_blank(column) for column in cell):
            fail(f"{name} {orientation}: the SYM cell of {code} is {''.join(cell)!r}")


def title_of(args):
    trace = run("--trace", "-o", "-", *args).stderr.decode("utf-8")
    found = re.findall(r'^put Text = BSTR "(ASCII Conversion Chart[^"]*)"$', trace, re.M)
    return found[0] if found else None


def main():
    listed = run("--list-code-pages").stdout.decode("utf-8").splitlines()
    names = [line.split()[0] for line in listed]
    expected = ["1252", "437", "850"] + [str(n) for n in range(1250, 1259) if n != 1252] + [
        f"iso-8859-{n}" for n in range(1, 17) if n != 12] + ["koi8-r", "koi8-u", "mac-roman"]
    if names != expected:
        fail(f"--list-code-pages lists {names}")

    reference = {o: run("--text", *(["--landscape"] if o == "landscape" else []))
                 .stdout.decode("utf-8").split("\r\n") for o in LAYOUTS}
    for name in names[1:]:
        for orientation in LAYOUTS:
            check_text(name, orientation, reference[orientation])

    if title_of([]) != "ASCII Conversion Chart":
        fail(f"the default chart's title is {title_of([])!r}")
    for name, title in [("437", "Code Page 437"), ("1251", "Code Page 1251"),
                        ("iso-8859-1", "ISO 8859-1"), ("koi8-u", "KOI8-U"),
                        ("mac-roman", "Mac OS Roman")]:
        got = title_of(["--code-page", name])
        if got != f"ASCII Conversion Chart ({title})":
            fail(f"{name}: the title is {got!r}")

    for alias, name in [("cp437", "437"), ("IBM437", "437"), ("windows-1251", "1251"),
                        ("CP1251", "1251"), ("latin1", "iso-8859-1"), ("Latin-1", "iso-8859-1"),
                        ("ISO_8859-5", "iso-8859-5"), ("macintosh", "mac-roman"),
                        ("KOI8R", "koi8-r"), ("Windows-1252", "1252")]:
        if run("--text", "--code-page", alias).stdout != run("--text", "--code-page",
                                                              name).stdout:
            fail(f"{alias} is not another name of {name}")
    for bad in [["--code-page", "1252x"], ["--code-page", "iso-8859-12"], ["--code-page", ""],
                ["--paper", "a3"], ["--text", "--paper", "a4"]]:
        result = run(*bad)
        if result.returncode != 2 or result.stdout:
            fail(f"{bad}: exit status {result.returncode}, expected 2 and no output")
    message = run("--code-page", "cp999").stderr.decode("utf-8").splitlines()[0]
    if message != ("quorvane-chart: unknown code page 'cp999'; "
                   "'quorvane-chart --list-code-pages' lists them"):
        fail(f"an unknown code page says: {message}")

    # Word lays Courier New out at 0.6 em a character: the longest line of
    # each chart must fit between the side margins, on either paper.
    with tempfile.TemporaryDirectory() as work:
        for paper, size in [("letter", (12240, 15840)), ("a4", (11906, 16838))]:
            for orientation, characters in [("portrait", 110), ("landscape", 117)]:
                path = f"{work}/{paper}-{orientation}.docx"
                args = ["-o", path, "--paper", paper, "--code-page", "437"]
                run(*args, *(["--landscape"] if orientation == "landscape" else []))
                xml = zipfile.ZipFile(path).read("word/document.xml").decode("utf-8")
                width, height = (int(v) for v in re.search(
                    r'<w:pgSz w:w="(\d+)" w:h="(\d+)"', xml).groups())
                left, right = (int(re.search(rf'w:{side}="(\d+)"', xml).group(1))
                               for side in ("left", "right"))
                half_points = int(re.search(r'<w:sz w:val="(\d+)"', xml).group(1))
                want = size if orientation == "portrait" else size[::-1]
                if (width, height) != want:
                    fail(f"{paper} {orientation}: page {width} x {height} twips, not {want}")
                line = characters * 0.6 * half_points / 2 * 20  # twips
                if line > width - left - right:
                    fail(f"{paper} {orientation}: a line needs {line:.0f} twips, "
                         f"the margins leave {width - left - right}")

    if failures:
        sys.exit(f"{len(failures)} check(s) failed")
    print("code pages: all checks passed")


main()
