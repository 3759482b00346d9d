#!/usr/bin/python3
"""Wizard edge cases a user notices, seen through kvhost's outputs on the sample office floor:
the row options, the preview's columns and rows, and the output choices."""
import math
import os
import sys

import ezdxf
import xlrd

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from dxftags import table_groups  # noqa: E402
from kvrun import SAMPLE, check, csv_rows, finish, kvhost, workdir  # noqa: E402

LINES_ONLY = "click 1\nclick 1\ncellmenu 1022 0 1 2\nitem 1022 Line on\n"
EXPORT = "click 1029\nfile out.csv 1\nclick 1\n"


def extract(ui, what, commands="DATAEXTRACTION\n"):
    folder = workdir("edge")
    run = kvhost(ui, commands, drawing=SAMPLE, folder=folder)
    check(run.returncode == 0 and not run.stderr, what + ": the run goes through", run)
    return folder, run


def rows_of(folder, name="out.csv"):
    path = os.path.join(folder, name)
    if not os.path.exists(path):
        check(False, name + " was written in " + folder)
        return []
    return csv_rows(path)


# Combining rows by a property clears the quantity column; the rows become one per layer.
folder, _ = extract(LINES_ONLY + "click 1\ncheck 1033 on\nselect 1034 Layer\nclick 1\n" + EXPORT, "combine")
rows = rows_of(folder)
check(bool(rows) and "Qty" not in rows[0] and rows[0][0] == "Layer", "combined table header: " + repr(rows[:1]))

# The XLS filter with a name ending in .csv writes an XLS workbook.
folder, run = extract(LINES_ONLY + "click 1\nclick 1\nclick 1029\nfile book.csv 2\nclick 1\n", "xls filter")
path = os.path.join(folder, "book.csv")
check(os.path.exists(path) and xlrd.open_workbook(path).sheet_by_index(0).nrows > 1, "book.csv is an XLS workbook")
check("\nFinished XLS exportation to : " + path in run.stdout, "the XLS message names book.csv", run)

# Hidden and dragged preview columns shape later outputs; a table inserted before keeps them.
PICKED = LINES_ONLY + "click 1\ncellmenu 1025 0 1 2\nitem 1025 Length on\nitem 1025 Layer on\n" \
                      "check 1030 off\ncheck 1032 off\ncheck 1028 off\nclick 1\n"
plain, _ = extract(PICKED + EXPORT, "plain columns")
moved, _ = extract(PICKED + "movecol 1022 2 1\n" + EXPORT, "dragged column")
hidden, _ = extract(PICKED + "click 1031\npoint 0,-9\nheadermenu 1022 1\n" + EXPORT, "hidden column",
                    "DATAEXTRACTION\nSAVEAS floor.dxf\n")
check(rows_of(plain)[:1] == [["Length", "Layer"]], "preview columns: " + repr(rows_of(plain)[:1]))
check(rows_of(moved)[:1] == [["Layer", "Length"]], "dragged column: " + repr(rows_of(moved)[:1]))
check(rows_of(hidden)[:1] == [["Layer"]], "hidden column: " + repr(rows_of(hidden)[:1]))
saved = os.path.join(hidden, "floor.dxf")
if os.path.exists(saved):
    table = ezdxf.readfile(saved).modelspace().query("ACAD_TABLE")
    check(len(table) == 1 and next(t.value for t in table_groups(table[0]) if t.code == 92) == 2, "the table inserted before hiding keeps both columns")
else:
    check(False, "the drawing with the table was saved")

# Rows sorted in the preview (by text, a second click descending) keep the totals line last,
# in the file and in the tag.
POLYLINES = "click 1\nclick 1\ncellmenu 1022 0 1 2\nitem 1022 Polyline on\n"
folder, _ = extract(POLYLINES + "click 1\ncellmenu 1025 0 1 2\nitem 1025 Length on\ntotal 1025 Length on\n"
                    "check 1032 off\nclick 1\nsort 1022 2\nsort 1022 2\nclick 1031\npoint 0,-9\n" + EXPORT,
                    "sorted rows", "DATAEXTRACTION\nSAVEAS floor.dxf\n")
rows = rows_of(folder)
# The empty row is written where the preview sorted the totals row; the totals line comes last.
data = [row for row in rows[1:-1] if any(row)]
texts = [row[1] for row in data]
check(len(texts) >= 3 and texts == sorted(texts, reverse=True), "rows sorted by length, descending: %r" % rows)
check(len(rows) == len(data) + 3 and math.isclose(float(rows[-1][1]), sum(float(t) for t in texts), rel_tol=1e-5),
      "totals line last: %r" % rows)
doc = ezdxf.readfile(os.path.join(folder, "floor.dxf"))
table = doc.modelspace().query("ACAD_TABLE")
if table:
    handles = [v for code, v in table[0].get_xdata("obj_handles") if code == 1000]
    longest = max(doc.modelspace().query("LWPOLYLINE"), key=lambda e:
                  sum(math.dist(a[:2], b[:2]) for a, b in zip(e.get_points(), list(e.get_points())[1:])))
    check(len(handles) == len(data) and handles[0] == longest.dxf.handle, "tag in row order: %r" % handles)
else:
    check(False, "the sorted table was inserted")

finish()
