#!/usr/bin/python3
"""The sample drawings' "Standard" table style, in millimetres, gives the main job's table text
the style's height and cells that hold their texts on one line, with the style's margins."""
import os
import re
import sys

import ezdxf
from ezdxf.lldxf.tagwriter import TagCollector

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import SAMPLE, SOURCE, check, finish, kvhost, workdir  # noqa: E402

script = open(os.path.join(SOURCE, "samples", "make_samples.py"), encoding="utf-8").read()
height = float(re.search(r"^TABLE_TEXT_HEIGHT = ([0-9.]+)", script, re.M).group(1))
margin = float(re.search(r"^TABLE_MARGIN = ([0-9.]+)", script, re.M).group(1))

folder = workdir("style")
with open(os.path.join(SOURCE, "samples", "furniture_schedule.ui"), encoding="utf-8") as f:
    run = kvhost(f.read(), "DATAEXTRACTION\nSAVEAS floor.dxf\n", drawing=SAMPLE, folder=folder)
check(run.returncode == 0, "the main job runs", run)
doc = ezdxf.readfile(os.path.join(folder, "floor.dxf"))
table = doc.modelspace().query("ACAD_TABLE")[0]
collector = TagCollector(dxfversion=doc.dxfversion)
table.export_dxf(collector)
tags = collector.tags
start = [i for i, t in enumerate(tags) if t.code == 100 and t.value == "AcDbTable"][0]
rows = [t.value for t in tags[start + 1:] if t.code == 141]
columns = [t.value for t in tags[start + 1:] if t.code == 142]
style = doc.rootdict["ACAD_TABLESTYLE"]["Standard"]
check(style.dxftype() == "TABLESTYLE", "the sample has its Standard table style")
# Title, header and data rows: one line of the style's text between its margins.
one_line = height + 2 * margin
check(len(rows) > 5 and all(abs(r - one_line) < 1e-6 for r in rows[2:]),
      "every data row is one line of %g text: %r" % (height, rows))
width = sum(columns)
print("table %.1f x %.1f in a drawing %s wide" % (width, sum(rows), "18600"))
check(width > 20 * 3.5, "the table is much larger than with the default style (3.5 wide): %r" % width)

finish()
