#!/usr/bin/env python3
"""The landscape ASCII chart written with python-docx, for comparison with
quorvane-chart: the same fonts, page setup, header and footer.

usage: landscape_chart.py CHART_TEXT OUTPUT.docx [FOOTER]

CHART_TEXT is the output of `quorvane-chart --text --landscape`: UTF-8 lines
ending in CR LF, with a form feed where the second page starts.
"""

import sys

from docx import Document
from docx.enum.section import WD_ORIENT
from docx.enum.text import WD_ALIGN_PARAGRAPH, WD_BREAK
from docx.oxml import OxmlElement
from docx.oxml.ns import qn
from docx.shared import Inches, Pt


def set_font(font, name, size, bold):
    font.name = name
    font.size = Pt(size)
    font.bold = bold


def top_border(paragraph):
    # python-docx has no API for paragraph borders.
    borders = OxmlElement("w:pBdr")
    top = OxmlElement("w:top")
    for key, value in (("val", "single"), ("sz", "4"), ("space", "1"), ("color", "auto")):
        top.set(qn("w:" + key), value)
    borders.append(top)
    paragraph._p.get_or_add_pPr().append(borders)


def main(argv):
    if len(argv) not in (3, 4):
        sys.exit(__doc__.strip())
    text_path, output_path = argv[1], argv[2]
    footer_text = argv[3] if len(argv) == 4 else ""

    with open(text_path, encoding="utf-8", newline="") as f:
        chart_text = f.read()

    document = Document()
    # The body font through the Normal style, as a python-docx user would.
    set_font(document.styles["Normal"].font, "Courier New", 10, True)

    section = document.sections[0]
    section.orientation = WD_ORIENT.LANDSCAPE
    section.page_width = Inches(11)
    section.page_height = Inches(8.5)
    section.top_margin = Inches(0.3)
    section.bottom_margin = Inches(0.6)
    section.left_margin = Inches(0.5)
    section.right_margin = Inches(0.5)
    section.gutter = Inches(0)
    section.header_distance = Inches(0.3)
    section.footer_distance = Inches(0.6)
    v_align = OxmlElement("w:vAlign")
    v_align.set(qn("w:val"), "center")
    section._sectPr.append(v_align)

    # The text ends with CR LF, so the last piece is the final empty paragraph.
    for line in chart_text.split("\r\n"):
        paragraph = document.add_paragraph()
        if line.startswith("\f"):
            paragraph.add_run().add_break(WD_BREAK.PAGE)
            line = line[1:]
        if line:
            paragraph.add_run(line)

    header = section.header.paragraphs[0]
    header.alignment = WD_ALIGN_PARAGRAPH.CENTER
    set_font(header.add_run("ASCII Conversion Chart").font, "Times New Roman", 20, True)

    footer = section.footer.paragraphs[0]
    top_border(footer)  # before the alignment: w:pBdr precedes w:jc
    footer.alignment = WD_ALIGN_PARAGRAPH.CENTER
    if footer_text.strip(" "):
        set_font(footer.add_run(footer_text).font, "Times New Roman", 10, True)

    document.save(output_path)


if __name__ == "__main__":
    main(sys.argv)
