"""Prints every worksheet of .xls files as JSON, read by xlrd.

Usage: read_xls.py [--ragged] [--split-pairs] file.xls... With --ragged each row of cells
ends with its last stored cell, which keeps a large sparse sheet small; without, every row is
ncols long. --split-pairs reads a surrogate pair cut in two between records, as LibreOffice's
own .xls export writes it.
Run with Debian's /usr/bin/python3 (package python3-xlrd). Output, one line a file:
{"sheets": [sheet, ...]}, or {"error": why} for a file xlrd cannot read (the exit status is
then 1 and the reasons go to standard error too), where a sheet is
{"name": name, "nrows": n, "ncols": n, "cells": [[cell, ...], ...],
 "widths": {column: width in 1/256 characters}, "frozen": bool, "split_row": n,
 "selected": bool, "titles": the rows printed on every page, "first:last" from 1, or ""}
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


def book_json(path, ragged):
    try:
        book = xlrd.open_workbook(path, formatting_info=True, on_demand=False,
                                  ragged_rows=ragged)
    except Exception as error:  # one file xlrd cannot read must not hide the others
        return {"error": "%s: %s: %s" % (path, type(error).__name__, error)}
    titles = {}
    for name in book.name_obj_list:
        if name.builtin and name.name == "Print_Titles":
            _, first, last, _, _ = name.area2d()
            titles[name.scope] = "%d:%d" % (first + 1, last)
    sheets = []
    for index, sheet in enumerate(book.sheets()):
        sheets.append({
            "name": sheet.name, "nrows": sheet.nrows, "ncols": sheet.ncols,
            "cells": [[cell_json(book, cell) for cell in sheet.row(r)]
                      for r in range(sheet.nrows)],
            "widths": {str(c): info.width for c, info in sheet.colinfo_map.items()},
            "frozen": bool(sheet.panes_are_frozen), "split_row": sheet.horz_split_pos,
            "selected": bool(sheet.sheet_selected), "titles": titles.get(index, "")})
    return {"sheets": sheets}


def main():
    options = [arg for arg in sys.argv[1:] if arg.startswith("--")]
    if "--split-pairs" in options:
        # xlrd decodes each record's part of a string alone; the halves of a pair pass as they
        # are, and json.dumps writes them side by side, which is the pair again.
        xlrd.book.unicode = lambda data, encoding: data.decode(encoding, "surrogatepass")
    books = [book_json(path, "--ragged" in options)
             for path in sys.argv[1:] if not path.startswith("--")]
    # One write: json.dump writes each piece alone, far slower for a large sheet.
    sys.stdout.write("\n".join(json.dumps(book, ensure_ascii=True) for book in books))
    errors = [book["error"] for book in books if "error" in book]
    sys.stderr.write("".join(error + "\n" for error in errors))
    sys.exit(1 if errors else 0)


if __name__ == "__main__":
    main()
