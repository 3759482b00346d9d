#!/usr/bin/python3
"""The sample drawings' "Standard" table style, in metres, gives the main job's table text the
style's height and cells that hold their texts on one line, with the style's margins; the table
comes out beside the floor, large enough to read next to it: at least a twentieth of the
drawing's width, as ezdxf measures both."""
import os
import re
import sys

import ezdxf
from ezdxf import bbox

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from dxftags import table_groups  # noqa: E402
from kvrun import SAMPLE, SOURCE, check, finish, kvhost, workdir  # noqa: E402

script = open(os.path.join(SOURCE, "samples", "make_samples.py"), encoding="utf-8").read()
height = float(re.search(r"^TABLE_TEXT_HEIGHT = ([0-9.]+)", script, re.M).group(1))
margin = float(re.search(r"^TABLE_MARGIN = ([0-9.]+)", script, re.M).group(1))

folder = workdir("style")
with open(os.path.join(SOURCE, "samples", "furniture_schedule.ui"), encoding="utf-8") as f:
    ui = f.read()
at = [float(v) for v in re.search(r"^point (\S+)", ui, re.M).group(1).split(",")]
run = kvhost(ui, "DATAEXTRACTION\nSAVEAS floor.dxf\n", drawing=SAMPLE, folder=folder)
check(run.returncode == 0, "the main job runs", run)
doc = ezdxf.readfile(os.path.join(folder, "floor.dxf"))
table = doc.modelspace().query("ACAD_TABLE")[0]
rows = [t.value for t in table_groups(table) if t.code == 141]
columns = [t.value for t in table_groups(table) if t.code == 142]
style = doc.rootdict["ACAD_TABLESTYLE"]["Standard"]
check(style.dxftype() == "TABLESTYLE", "the sample has its Standard table style")
# Title, header and data rows: one line of the style's text between its margins.
one_line = height + 2 * margin
check(len(rows) > 5 and all(abs(r - one_line) < 1e-6 for r in rows[2:]),
      "every data row is one line of %g text: %r" % (height, rows))

# The table's box from the graphics ezdxf draws for it, the drawing's from everything else.
box = bbox.extents([table])
floor = bbox.extents(e for e in doc.modelspace() if e.dxftype() != "ACAD_TABLE")
print("table %.2f x %.2f at %.2f,%.2f; drawing %.2f x %.2f" % (box.size.x, box.size.y, box.extmin.x, box.extmax.y,
                                                                floor.size.x, floor.size.y))
check(abs(box.size.x - sum(columns)) < 1e-6 and abs(box.size.y - sum(rows)) < 1e-6,
      "ezdxf draws the table with its rows and columns: %r" % (box.size,))
check(min(box.size.x, box.size.y) >= floor.size.x / 20,
      "the table is at least a twentieth of the drawing's width (%.2f) both ways: %r" % (floor.size.x, box.size))
check(abs(box.extmin.x - at[0]) < 1e-6 and abs(box.extmax.y - at[1]) < 1e-6 and box.extmin.x > floor.extmax.x,
      "the table hangs from the point the main job gives, beside the floor: %r" % (box,))

finish()
