"""Compares two workbooks cell by cell: every sheet's name, every cell's type, value (exactly)
and number format, the frozen panes and, in .xlsx, the charts, as tests/read_xlsx.py and
tests/read_xls.py read them.

Usage: compare_workbooks.py A B (both .xlsx or both .xls). Prints what differs, one line a
difference, and exits 1 when anything does. Run with Debian's /usr/bin/python3 (packages
python3-openpyxl and python3-xlrd).
"""
import json
import os
import subprocess
import sys

TESTS = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read(script, *arguments):
    output = subprocess.run([sys.executable, os.path.join(TESTS, script), *arguments],
                            check=True, capture_output=True).stdout
    return json.loads(output)


def sheets_of(path):
    """Every sheet as its reader gives it, with its name."""
    if path.lower().endswith(".xls"):
        return read("read_xls.py", path)["sheets"]
    names = read("read_xlsx.py", path)["sheets"]
    return [dict(read("read_xlsx.py", path, str(index)), name=name) for index, name in enumerate(names)]


def differences(a, b):
    first, second = sheets_of(a), sheets_of(b)
    if [s["name"] for s in first] != [s["name"] for s in second]:
        yield "sheets: %s / %s" % ([s["name"] for s in first], [s["name"] for s in second])
        return
    for one, other in zip(first, second):
        for key in sorted(set(one) | set(other)):
            if key == "cells":
                continue
            if one.get(key) != other.get(key):
                yield "%s: %s: %r / %r" % (one["name"], key, one.get(key), other.get(key))
        for r, (row, other_row) in enumerate(zip(one["cells"], other["cells"])):
            for c in range(max(len(row), len(other_row))):
                cell = row[c] if c < len(row) else None
                other_cell = other_row[c] if c < len(other_row) else None
                if cell != other_cell:
                    yield "%s: row %d, column %d: %r / %r" % (one["name"], r + 1, c + 1, cell, other_cell)


def main():
    found = list(differences(sys.argv[1], sys.argv[2]))
    for line in found[:40]:
        print(line)
    if len(found) > 40:
        print("... and %d more" % (len(found) - 40))
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
