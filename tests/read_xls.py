"""Prints every worksheet of an .xls file as JSON, read by xlrd.

Run with Debian's /usr/bin/python3 (package python3-xlrd). Output:
{"sheets": [sheet, ...]} where a sheet is
{"name": name, "nrows": n, "ncols": n, "cells": [[cell, ...], ...],
 "widths": {column: width in 1/256 characters}, "frozen": bool, "split_row": n,
 "selected": bool}
and a cell is {"t": "empty"}, {"t": "text", "v": text},
{"t": "number", "v": float.hex(value), "format": number format string}
or {"t": "error", "v": error code}. Numbers go out in hex so that they survive exactly.
"""
import json
import sys

import xlrd


def cell_json(book, cell):
    if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
        return {"t": "empty"}
    if cell.ctype == xlrd.XL_CELL_TEXT:
        return {"t": "text", "v": cell.value}
    if cell.ctype == xlrd.XL_CELL_NUMBER:
        xf = book.xf_list[cell.xf_index]
        return {"t": "number", "v": float(cell.value).hex(),
                "format": book.format_map[xf.format_key].format_str}
    if cell.ctype == xlrd.XL_CELL_ERROR:
        return {"t": "error", "v": cell.value}
    return {"t": "other", "v": str(cell.value)}


def main():
    book = xlrd.open_workbook(sys.argv[1], formatting_info=True, on_demand=False)
    sheets = []
    for sheet in book.sheets():
        sheets.append({
            "name": sheet.name, "nrows": sheet.nrows, "ncols": sheet.ncols,
            "cells": [[cell_json(book, sheet.cell(r, c)) for c in range(sheet.ncols)]
                      for r in range(sheet.nrows)],
            "widths": {str(c): info.width for c, info in sheet.colinfo_map.items()},
            "frozen": bool(sheet.panes_are_frozen), "split_row": sheet.horz_split_pos,
            "selected": bool(sheet.sheet_selected)})
    json.dump({"sheets": sheets}, sys.stdout, ensure_ascii=True)


if __name__ == "__main__":
    main()
