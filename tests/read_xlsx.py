"""Prints a worksheet of an .xlsx file (the first, or the one whose index is the second
argument) as JSON, read by openpyxl.

Run with Debian's /usr/bin/python3 (package python3-openpyxl). Output as read_xls.py:
{"sheets": [names], "nrows": n, "ncols": n, "cells": [[cell, ...], ...]}
where a cell is {"t": "empty"}, {"t": "text", "v": text} or
{"t": "number", "v": float.hex(value), "format": number format string};
and for .xlsx also "frozen" (the top-left cell below the frozen panes, or null), "charts"
(how many charts the sheet's drawing holds; openpyxl does not read charts, so they are
counted in the file's parts), "print", the page set-up as the sheet's XML holds it:
{"orientation", "fit": "1x0" (pages wide x down, "" when not fitted), "titles" (the rows
printed on every page, e.g. "$1:$1"), "header", "footer"}, and "chart_rows", the rows each
chart spans, with "+reversed" and "+percent" when its category axis runs backwards and its
value axis shows percent.
"""
import html
import json
import re
import sys
import zipfile

import openpyxl


def charts_of(path, index):
    """The charts of the sheet with this index, from its drawing's relationships."""
    with zipfile.ZipFile(path) as archive:
        names = archive.namelist()
        rels = "xl/worksheets/_rels/sheet%d.xml.rels" % (index + 1)
        if rels not in names:
            return 0
        drawings = re.findall(r'Target="\.\./drawings/([^"]+)"', archive.read(rels).decode())
        count = 0
        for drawing in drawings:
            drawing_rels = "xl/drawings/_rels/%s.rels" % drawing
            if drawing_rels in names:
                count += len(re.findall(r'charts/chart', archive.read(drawing_rels).decode()))
        return count


def xml_of(archive, name):
    return archive.read(name).decode() if name in archive.namelist() else ""


def print_of(path, index):
    """The sheet's page set-up, from its XML and the workbook's defined names."""
    with zipfile.ZipFile(path) as archive:
        sheet = xml_of(archive, "xl/worksheets/sheet%d.xml" % (index + 1))
        book = xml_of(archive, "xl/workbook.xml")
    setup = re.search(r"<pageSetup\b([^>]*)>", sheet)
    attrs = dict(re.findall(r'(\w+)="([^"]*)"', setup.group(1))) if setup else {}
    fitted = re.search(r'<pageSetUpPr\b[^>]*fitToPage="(1|true)"', sheet)
    titles = ""
    for named, value in re.findall(r"<definedName\b([^>]*)>([^<]*)<", book):
        named = dict(re.findall(r'(\w+)="([^"]*)"', named))
        if named.get("name") == "_xlnm.Print_Titles" and named.get("localSheetId") == str(index):
            titles = html.unescape(value).split("!")[-1]

    def part(tag):
        found = re.search(r"<%s>([^<]*)</%s>" % (tag, tag), sheet)
        return html.unescape(found.group(1)) if found else ""
    return {"orientation": attrs.get("orientation", "portrait"),
            "fit": "%sx%s" % (attrs.get("fitToWidth", "1"), attrs.get("fitToHeight", "1")) if fitted else "",
            "titles": titles, "header": part("oddHeader"), "footer": part("oddFooter")}


def chart_rows_of(path, index):
    """Each chart of the sheet: the rows its anchor spans, and how its axes run."""
    shapes = []
    with zipfile.ZipFile(path) as archive:
        rels = xml_of(archive, "xl/worksheets/_rels/sheet%d.xml.rels" % (index + 1))
        for drawing in re.findall(r'Target="\.\./drawings/([^"]+)"', rels):
            anchors = xml_of(archive, "xl/drawings/" + drawing)
            charts = re.findall(r'Target="\.\./charts/([^"]+)"', xml_of(archive, "xl/drawings/_rels/%s.rels" % drawing))
            spans = re.findall(r"<xdr:from>.*?<xdr:row>(\d+)</xdr:row>.*?<xdr:to>.*?<xdr:row>(\d+)</xdr:row>", anchors,
                               re.S)
            for (top, bottom), chart in zip(spans, charts):
                xml = xml_of(archive, "xl/charts/" + chart)
                shape = str(int(bottom) - int(top))
                if 'c:orientation val="maxMin"' in xml:
                    shape += "+reversed"
                if 'formatCode="0%"' in xml:
                    shape += "+percent"
                shapes.append(shape)
    return shapes


def main():
    book = openpyxl.load_workbook(sys.argv[1])
    index = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    sheet = book.worksheets[index]
    rows = []
    for row in sheet.iter_rows():
        cells = []
        for cell in row:
            if cell.value is None:
                cells.append({"t": "empty"})
            elif isinstance(cell.value, str):
                cells.append({"t": "text", "v": cell.value})
            elif isinstance(cell.value, (int, float)):
                cells.append({"t": "number", "v": float(cell.value).hex(),
                              "format": cell.number_format})
            else:
                cells.append({"t": "other", "v": str(cell.value)})
        rows.append(cells)
    nrows = sheet.max_row if rows else 0
    json.dump({"sheets": book.sheetnames, "nrows": nrows,
               "ncols": sheet.max_column if rows else 0, "cells": rows,
               "frozen": sheet.freeze_panes, "charts": charts_of(sys.argv[1], index),
               "print": print_of(sys.argv[1], index),
               "chart_rows": chart_rows_of(sys.argv[1], index)},
              sys.stdout, ensure_ascii=True)


if __name__ == "__main__":
    main()
