"""Prints the first worksheet of an .xls file as JSON, read by xlrd.

Run with Debian's /usr/bin/python3 (package python3-xlrd). Output:
{"sheets": [names], "nrows": n, "ncols": n, "cells": [[cell, ...], ...]}
where a cell is {"t": "empty"}, {"t": "text", "v": text},
{"t": "number", "v": float.hex(value), "format": number format string}
or {"t": "error", "v": error code}. Numbers go out in hex so that they survive exactly.
"""
import json
import sys

import xlrd


def main():
    book = xlrd.open_workbook(sys.argv[1], formatting_info=True, on_demand=False)
    sheet = book.sheet_by_index(0)
    rows = []
    for r in range(sheet.nrows):
        row = []
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
                row.append({"t": "empty"})
            elif cell.ctype == xlrd.XL_CELL_TEXT:
                row.append({"t": "text", "v": cell.value})
            elif cell.ctype == xlrd.XL_CELL_NUMBER:
                xf = book.xf_list[cell.xf_index]
                row.append({"t": "number", "v": float(cell.value).hex(),
                            "format": book.format_map[xf.format_key].format_str})
            elif cell.ctype == xlrd.XL_CELL_ERROR:
                row.append({"t": "error", "v": cell.value})
            else:
                row.append({"t": "other", "v": str(cell.value)})
        rows.append(row)
    json.dump({"sheets": book.sheet_names(), "nrows": sheet.nrows,
               "ncols": sheet.ncols, "cells": rows}, sys.stdout, ensure_ascii=True)


if __name__ == "__main__":
    main()
