"""Checks an .xls file against the cells expected of it, with readers written elsewhere:
olefile (the container), xlrd (cells and fonts, with every warning counted as a failure)
and gnumeric's ssconvert (cells through its CSV export).

usage: check_xls.py FILE.xls EXPECTED.json
EXPECTED: {"sheets": [{"name": str, "rows": [[cell, ...], ...], "bold": [[row, column], ...]}],
           "ssconvert": bool}; a cell is a text ("" for blank) or a number; bold cells have
           weight 700, every other cell 400 (BIFF8 marks bold by weight alone).
Prints every difference; exits 1 when there is one.
"""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

import olefile
import xlrd

problems = []


def problem(text):
    if len(problems) < 40:
        problems.append(text)
    elif len(problems) == 40:
        problems.append("... more differences")


def check_container(path):
    if not olefile.isOleFile(path):
        problem("not a compound file")
        return
    ole = olefile.OleFileIO(path)
    if ole.dll_version != 3 or ole.sector_size != 512:
        problem("container version %d, sector size %d" % (ole.dll_version, ole.sector_size))
    entries = ole.listdir(streams=True, storages=True)
    if entries != [["Workbook"]]:
        problem("container entries %r" % entries)
    if ole.root.clsid not in ("", "00000000-0000-0000-0000-000000000000"):
        problem("root class id %r" % ole.root.clsid)
    ole.close()


def same_cell(expected, actual_type, actual_value):
    if isinstance(expected, str):
        if expected == "":
            return actual_type in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK)
        return actual_type == xlrd.XL_CELL_TEXT and actual_value == expected
    return actual_type == xlrd.XL_CELL_NUMBER and actual_value == expected


def check_xlrd(path, expected):
    log = io.StringIO()
    book = xlrd.open_workbook(path, formatting_info=True, logfile=log, verbosity=0)
    if log.getvalue():
        problem("xlrd warnings: " + log.getvalue()[:2000])
    names = [sheet["name"] for sheet in expected["sheets"]]
    if book.sheet_names() != names:
        problem("sheet names %r, expected %r" % (book.sheet_names(), names))
        return
    for sheet_expected, sheet in zip(expected["sheets"], book.sheets()):
        rows = sheet_expected["rows"]
        width = max((len(row) for row in rows), default=0)
        if (sheet.nrows, sheet.ncols) != (len(rows), width):
            problem("%s: %d x %d cells, expected %d x %d" % (sheet.name, sheet.nrows, sheet.ncols, len(rows), width))
            continue
        bold_cells = set(tuple(cell) for cell in sheet_expected.get("bold", []))
        for r, row in enumerate(rows):
            for c in range(width):
                cell_expected = row[c] if c < len(row) else ""
                cell = sheet.cell(r, c)
                if not same_cell(cell_expected, cell.ctype, cell.value):
                    problem("%s!R%dC%d: %r (type %d), expected %r" % (sheet.name, r, c, cell.value, cell.ctype, cell_expected))
                font = book.font_list[book.xf_list[cell.xf_index].font_index]
                want_bold = (r, c) in bold_cells
                if font.weight != (700 if want_bold else 400) or font.name != "Arial":
                    problem("%s!R%dC%d: font %s weight %d, expected %s" % (sheet.name, r, c, font.name, font.weight,
                                                                           "bold" if want_bold else "regular"))


def trimmed(rows):
    rows = [list(row) for row in rows]
    for row in rows:
        while row and row[-1] == "":
            row.pop()
    while rows and not rows[-1]:
        rows.pop()
    return rows


def same_csv_cell(actual, expected):
    if isinstance(expected, str):
        return actual == expected
    try:
        return float(actual) == expected
    except ValueError:
        return False


def check_ssconvert(path, expected):
    # Its exit status says nothing (0 even for a damaged file): only its output counts.
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "out.csv")
        sheet = expected["sheets"][0]["name"]
        subprocess.run(["ssconvert", "--export-type=Gnumeric_stf:stf_csv", "-O", "sheet=" + sheet, path, out],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)
        if not os.path.exists(out):
            problem("ssconvert wrote nothing")
            return
        with open(out, encoding="utf-8", newline="") as f:
            actual = trimmed(csv.reader(f))
    wanted = trimmed(expected["sheets"][0]["rows"])
    if len(actual) != len(wanted):
        problem("ssconvert: %d rows, expected %d" % (len(actual), len(wanted)))
    for r, (row_actual, row_wanted) in enumerate(zip(actual, wanted)):
        if len(row_actual) != len(row_wanted) or not all(map(same_csv_cell, row_actual, row_wanted)):
            problem("ssconvert row %d: %r, expected %r" % (r, row_actual[:12], row_wanted[:12]))


def main():
    path, expected_path = sys.argv[1], sys.argv[2]
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    check_container(path)
    if not problems:
        check_xlrd(path, expected)
    if not problems and expected.get("ssconvert", True):
        check_ssconvert(path, expected)
    for text in problems:
        print(text)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
