#!/usr/bin/python3
"""Extractions from the sample office floor through kvhost, checked in the files and in the
saved drawing: the bundled furniture schedule, the languages, table insertion and tagging,
the update dialog on the result, and scripts that do not fit."""
import os
import sys

import ezdxf
import xlrd

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import SAMPLE, SOURCE, check, crashed, csv_rows, finish, kvhost, workdir  # noqa: E402

TO_PAGE_5 = "click 1\nclick 1\nclick 1\nclick 1\n"


def tables(path):
    return list(ezdxf.readfile(path).modelspace().query("ACAD_TABLE"))


def tag(entity, app):
    if not entity.has_xdata(app):
        return None
    return [value for code, value in entity.get_xdata(app) if code == 1000]


# The bundled furniture schedule: every output of the last page at once.
folder = workdir("schedule")
with open(os.path.join(SOURCE, "samples", "furniture_schedule.ui"), encoding="utf-8") as f:
    run = kvhost(f.read(), "DATAEXTRACTION\nSAVEAS floor.dxf\n", drawing=SAMPLE, folder=folder)
check(run.returncode == 0 and not run.stderr, "the furniture schedule runs through", run)
xls = os.path.join(folder, "furniture.xls")
kvx = os.path.join(folder, "furniture.kvx")
check("\nFinished XLS exportation to : " + xls in run.stdout, "the XLS message names the file", run)
check("\nFinished KVX export to : " + kvx in run.stdout, "the settings message names the file", run)
check(os.path.exists(xls) and os.path.exists(kvx), "the XLS and settings files exist")
if os.path.exists(xls):
    sheet = xlrd.open_workbook(xls).sheet_by_index(0)
    header = sheet.row_values(0)
    check(header == ["Qty", "Name", "MAKER", "PRICE"], "XLS header: " + repr(header))
    names = sheet.col_values(1)[1:]
    check("CHAIR" in names and "DESK" in names, "XLS rows hold the furniture: " + repr(names))
    # Only named objects (blocks) are rows: lines and other kinds have no name.
    check(all(names[:-2]) and names[-2:] == ["", ""], "the XLS rows are block references only: " + repr(names))
if os.path.exists(kvx):
    text = open(kvx, encoding="cp1252").read()
    check("MAKER" in text and "PRICE" in text and "Layer" not in text, "the settings file holds the two properties")
saved = os.path.join(folder, "floor.dxf")
if os.path.exists(saved):
    found = tables(saved)
    check(len(found) == 1, "one table inserted into the drawing")
    if found:
        check(tag(found[0], "obj_types") == ["Block"], "the table is tagged with its kinds")
        check(bool(tag(found[0], "obj_handles")), "the table is tagged with its objects")
else:
    check(False, "the drawing was saved", run)

# The same choice read back from the settings file preselects only its properties; two
# inserts leave two tables, only the second tagged.
folder2 = workdir("reuse")
ui = ("click 1002\nfile " + kvx + "\nclick 1\nclick 1\nitem 1023 Non-Block off\nclick 1\nclick 1\n"
      "click 1031\npoint 0,-3\nclick 1031\npoint 20,-3\nclick 1029\nfile again.csv 1\nclick 1\n")
run = kvhost(ui, "DATAEXTRACTION\nSAVEAS floor.dxf\n", drawing=SAMPLE, folder=folder2)
check(run.returncode == 0 and not run.stderr, "the settings file run goes through", run)
check(os.path.exists(os.path.join(folder2, "floor.dxf")), "the second drawing was saved", run)
rows = csv_rows(os.path.join(folder2, "again.csv"))
check(rows[:1] == [["Qty", "Name", "MAKER", "PRICE"]], "only the saved properties are checked: " + repr(rows[:1]))
if os.path.exists(os.path.join(folder2, "floor.dxf")):
    found = tables(os.path.join(folder2, "floor.dxf"))
    check(len(found) == 2, "two inserts make two tables")
    check(sorted(tag(t, "obj_handles") is not None for t in found) == [False, True], "only one table is tagged")

# Spanish and French (semicolons): the quantity header and the by-layer colour names.
for lang, sep, qty, bylayer in (("es", ",", "Total", "PorCapa"), ("fr", ";", "Qte", "DuCalque")):
    folder3 = workdir(lang)
    run = kvhost(TO_PAGE_5 + "click 1029\nfile table.csv 1\nclick 1\n", "DATAEXTRACTION\n", drawing=SAMPLE,
                 lang=lang, folder=folder3)
    check(run.returncode == 0 and not run.stderr, lang + " run goes through", run)
    path = os.path.join(folder3, "table.csv")
    text = open(path, "rb").read().decode("cp1252") if os.path.exists(path) else ""
    check(text.split("\r\n")[0].split(sep)[0].strip('"') == qty, lang + " quantity header: " + repr(text[:40]))
    check(bylayer in text, lang + " colour names")

# The update dialog on the saved drawing: refresh the tagged table, then export it again.
if os.path.exists(saved):
    handle = tables(saved)[0].dxf.handle
    folder5 = workdir("update")
    run = kvhost("click 1051\npick " + handle + "\n", "DATAEXTRACTIONUPDATE\n", drawing=saved, folder=folder5)
    check(run.returncode == 0 and "Table already up to date." in run.stdout, "an untouched table is up to date", run)
    run = kvhost("click 1054\npick " + handle + "\nfile again.csv 1\n", "DATAEXTRACTIONUPDATE\n", drawing=saved,
                 folder=folder5)
    again = os.path.join(folder5, "again.csv")
    check(run.returncode == 0 and "\nCSV export done to : " + again in run.stdout, "the table exported again", run)
    rows = csv_rows(again)
    check(len(rows) > 2 and any("CHAIR" in row for row in rows), "the export holds the table: " + repr(rows[:3]))

# Scripts that do not fit: a failure status naming the script, no crash, and the commands
# after it still run. The messages themselves are checked in-process (BadScript).
for what, ui, named in (
        ("a script too short", "click 1\n", "user.ui"),
        ("an item of a list without it", "click 1\nitem 1011 Nothing on\n", "Nothing"),
        ("an unknown property", "click 1\nclick 1\nclick 1\nitem 1025 No such property on\n", "No such property"),
        ("a click where a point is asked", TO_PAGE_5 + "click 1031\nclick 1\n", "line 6"),
        ("a hidden column dragged", TO_PAGE_5 + "headermenu 1022 1\nmovecol 1022 1 2\n", "line 6")):
    run = kvhost(ui, "DATAEXTRACTION\nGETVAR CMDECHO\n", drawing=SAMPLE)
    check(run.returncode != 0 and not crashed(run), what + ": failure status without a crash", run)
    check(named in run.stderr, what + ": the message names " + named, run)
    check("CMDECHO = 1" in run.stdout, what + ": command echo is back on and the next command runs", run)

finish()
