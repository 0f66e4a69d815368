"""Prints a worksheet of an .xlsx file (the first, or the one whose index is the second
argument) as JSON, read by openpyxl.

Run with Debian's /usr/bin/python3 (package python3-openpyxl). Output as read_xls.py:
{"sheets": [names], "nrows": n, "ncols": n, "cells": [[cell, ...], ...]}
where a cell is {"t": "empty"}, {"t": "text", "v": text} or
{"t": "number", "v": float.hex(value), "format": number format string};
and for .xlsx also "frozen" (the top-left cell below the frozen panes, or null) and "charts"
(how many charts the sheet's drawing holds; openpyxl does not read charts, so they are
counted in the file's parts).
"""
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
               "frozen": sheet.freeze_panes, "charts": charts_of(sys.argv[1], index)},
              sys.stdout, ensure_ascii=True)


if __name__ == "__main__":
    main()
