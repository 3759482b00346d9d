#!/usr/bin/python3
"""The dialogs in real windows (kvhost --gui on a virtual display): the UI-script flows give
byte for byte the files of the console runs, and every dialog fits its template's size in
each language. Pictures of every page, and of the main window once the table is in,
stay in build/gui-screenshots for review."""
import os
import shutil
import sys

import ezdxf

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import BINARY, SAMPLE, SOURCE, check, finish, gui_available, kvhost, kvhost_gui, workdir  # noqa: E402

if not gui_available():
    print("skipped: xvfb-run is not installed")
    sys.exit(0)

TO_PAGE_5 = "click 1\nclick 1\nclick 1\nclick 1\n"
LINES_ONLY = "click 1\nclick 1\ncellmenu 1022 0 1 2\nitem 1022 Line on\n"
PICKED = LINES_ONLY + "click 1\ncellmenu 1025 0 1 2\nitem 1025 Length on\nitem 1025 Layer on\n" \
                      "check 1030 off\ncheck 1032 off\ncheck 1028 off\nclick 1\n"
EXPORT = "click 1029\nfile out.csv 1\nclick 1\n"
SAVE = "DATAEXTRACTION\nSAVEAS floor.dxf\n"
with open(os.path.join(SOURCE, "samples", "furniture_schedule.ui"), encoding="utf-8") as f:
    SCHEDULE = f.read()

# The flows of the console tests: (name, ui script, commands, language).
FLOWS = [
    ("schedule", SCHEDULE, SAVE, "en"),
    ("combine", LINES_ONLY + "click 1\ncheck 1033 on\nselect 1034 Layer\nclick 1\n" + EXPORT, SAVE, "en"),
    ("xls filter", LINES_ONLY + "click 1\nclick 1\nclick 1029\nfile book.csv 2\nclick 1\n", SAVE, "en"),
    ("dragged column", PICKED + "movecol 1022 2 1\n" + EXPORT, SAVE, "en"),
    ("hidden column", PICKED + "click 1031\npoint 0,-9\nheadermenu 1022 1\n" + EXPORT, SAVE, "en"),
    ("sorted rows", "click 1\nclick 1\ncellmenu 1022 0 1 2\nitem 1022 Polyline on\nclick 1\ncellmenu 1025 0 1 2\n"
     "item 1025 Length on\ntotal 1025 Length on\ncheck 1032 off\nclick 1\nsort 1022 2\nsort 1022 2\n"
     "click 1031\npoint 0,-9\n" + EXPORT, SAVE, "en"),
    ("french", TO_PAGE_5 + "click 1029\nfile table.csv 1\nclick 1003\nfile t.kvx\nclick 1\n", SAVE, "fr"),
    ("spanish back and forth", "click 1\nclick 1\nclick 1001\nclick 1\nclick 1\nclick 1\nclick 1001\nclick 1\n"
     "click 1029\nfile table.csv 1\nclick 1\n", SAVE, "es"),
    ("no output", TO_PAGE_5 + "click 1\nanswer no\nclick 1\nanswer yes\n", SAVE, "en"),
    ("bad line", TO_PAGE_5 + "headermenu 1022 1\nmovecol 1022 1 2\n", "DATAEXTRACTION\nGETVAR CMDECHO\n", "en"),
]


# The update dialog: its pick goes to the table the schedule inserted (its handle as the
# console run saves it), the dialog steps aside for it and the export runs after.
first = workdir("handle")
kvhost(SCHEDULE, SAVE, drawing=SAMPLE, folder=first)
saved = os.path.join(first, "floor.dxf")
handles = [e.dxf.handle for e in ezdxf.readfile(saved).modelspace().query("ACAD_TABLE")] if os.path.exists(saved) else []
check(len(handles) == 1, "the schedule inserts one table: %r" % handles)
if handles:
    FLOWS.append(("update", SCHEDULE + "click 1054\npick %s\nfile again.csv 1\n" % handles[0],
                  "DATAEXTRACTION\nDATAEXTRACTIONUPDATE\nSAVEAS floor.dxf\n", "en"))


def outputs(folder):
    files = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith((".csv", ".xls", ".kvx", ".dxf")):
            with open(os.path.join(folder, name), "rb") as f:
                files[name] = f.read()
    return files


for name, ui, commands, lang in FLOWS:
    console_dir, gui_dir = workdir("console"), workdir("gui")
    console = kvhost(ui, commands, drawing=SAMPLE, lang=lang, folder=console_dir)
    gui = kvhost_gui(ui, commands, drawing=SAMPLE, lang=lang, folder=gui_dir)
    check(gui.returncode == console.returncode, name + ": same exit status in windows", gui)
    check(gui.stdout.replace(gui_dir, "DIR") == console.stdout.replace(console_dir, "DIR"),
          name + ": same command-line output in windows", gui)
    expected, got = outputs(console_dir), outputs(gui_dir)
    check(bool(expected) or name == "no output" or name == "bad line", name + ": the console run wrote files")
    check(name != "update" or "again.csv" in expected, name + ": the console run exported the table again")
    check(sorted(got) == sorted(expected), name + ": same files %r, %r" % (sorted(got), sorted(expected)))
    for file in expected:
        check(got.get(file) == expected[file], name + ": " + file + " is byte-identical")

# Every page and the update dialog in each language: at the template's size, nothing
# overlapping, no text wider than its control.
pictures = os.path.join(BINARY, "gui-screenshots")
shutil.rmtree(pictures, ignore_errors=True)
for lang in ("en", "es", "fr"):
    folder = os.path.join(pictures, lang)
    # The table goes in beside the floor, as in the main job, so the main window's picture shows it.
    run = kvhost_gui(TO_PAGE_5 + "click 1031\npoint 19,9.2\nclick 1\nclick 2\n",
                     "DATAEXTRACTION\nDATAEXTRACTIONUPDATE\n", drawing=SAMPLE, lang=lang, pictures=folder)
    check(run.returncode == 0, lang + ": the pages run through", run)
    report = open(os.path.join(folder, "layout.txt"), encoding="utf-8").read().splitlines() \
        if os.path.exists(os.path.join(folder, "layout.txt")) else []
    seen = sorted({line.split()[1] for line in report})
    check(seen == ["102", "103", "110", "111", "112", "135"], lang + ": every dialog was shown: %r" % seen)
    problems = [line for line in report if not line.endswith(": fits")]
    check(not problems, lang + ": every dialog fits:\n  " + "\n  ".join(problems))
    shots = [n for n in os.listdir(folder) if n.endswith(".png") and "-dlg" in n] if os.path.isdir(folder) else []
    check(len(shots) == 6, lang + ": a picture of each dialog: %r" % shots)
    check(os.path.exists(os.path.join(folder, "main-%s-1.png" % lang)),
          lang + ": a picture of the main window with the table inserted")

finish()
