"""Prints the first worksheet of an .xlsx file as JSON, read by openpyxl.

Run with Debian's /usr/bin/python3 (package python3-openpyxl). Output as read_xls.py:
{"sheets": [names], "nrows": n, "ncols": n, "cells": [[cell, ...], ...]}
where a cell is {"t": "empty"}, {"t": "text", "v": text} or
{"t": "number", "v": float.hex(value), "format": number format string}.
"""
import json
import sys

import openpyxl


def main():
    book = openpyxl.load_workbook(sys.argv[1])
    sheet = book.worksheets[0]
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
               "ncols": sheet.max_column if rows else 0, "cells": rows},
              sys.stdout, ensure_ascii=True)


if __name__ == "__main__":
    main()
