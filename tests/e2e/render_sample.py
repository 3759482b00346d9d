#!/usr/bin/python3
"""RENDER: a picture of the drawing at its extents, without a display. After the main job
the inserted table shows in it; the command's bad arguments are refused with a message."""
import os
import re
import sys

import ezdxf

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import SAMPLE, SOURCE, check, crashed, finish, kvhost, workdir  # noqa: E402
from pngread import read_png  # noqa: E402

folder = workdir("render")
with open(os.path.join(SOURCE, "samples", "furniture_schedule.ui"), encoding="utf-8") as f:
    run = kvhost(f.read(), "DATAEXTRACTION\nRENDER after.png 900 700\nSAVEAS floor.dxf\n", drawing=SAMPLE,
                 folder=folder)
check(run.returncode == 0 and not crashed(run), "the main job and RENDER run through", run)
shown = re.search(r"\nPicture of the drawing written to after\.png \(900 x 700 pixels, showing "
                  r"(-?[\d.]+),(-?[\d.]+) to (-?[\d.]+),(-?[\d.]+)\)\.", run.stdout)
check(shown is not None, "RENDER says what the picture shows", run)
picture, saved = os.path.join(folder, "after.png"), os.path.join(folder, "floor.dxf")
if shown and os.path.exists(picture) and os.path.exists(saved):
    x0, y0, x1, y1 = (float(v) for v in shown.groups())
    width, height, rows = read_png(picture)
    check((width, height) == (900, 700), "the picture has the size asked for")
    background = rows[0][0]  # the margin around the extents

    def pixel(x, y):
        return (x - x0) / (x1 - x0) * width, (y1 - y) / (y1 - y0) * height

    # The table as the saved drawing has it: the lines of its graphics, placed in the drawing.
    table = ezdxf.readfile(saved).modelspace().query("ACAD_TABLE").first
    ends = [p for e in table.__virtual_entities__() if e.dxftype() == "LINE" for p in (e.dxf.start, e.dxf.end)]
    left, right = min(p.x for p in ends), max(p.x for p in ends)
    bottom, top = min(p.y for p in ends), max(p.y for p in ends)
    px0, py0 = pixel(left, top)
    px1, py1 = pixel(right, bottom)
    inside = [(x, y) for y in range(int(py0), int(py1) + 1) for x in range(int(px0), int(px1) + 1)
              if 0 <= x < width and 0 <= y < height]
    drawn = sum(1 for x, y in inside if rows[y][x] != background)
    check(inside and drawn >= max(1, len(inside) // 10),
          "the table's area holds drawn pixels: %d of %d" % (drawn, len(inside)))
    outside = sum(1 for y in range(height) for x in range(width)
                  if rows[y][x] != background and not (px0 - 2 <= x <= px1 + 2 and py0 - 2 <= y <= py1 + 2))
    check(outside > 2000, "the rest of the drawing is drawn too: %d pixels" % outside)

# Arguments that do not make a picture.
folder = workdir("render_bad")
run = kvhost("", "RENDER\nRENDER plan.jpg\nRENDER plan.png 8 8\nRENDER plan.png 800\n"
             "RENDER missing/plan.png\nRENDER \"with space.png\" 64 48\n", drawing=SAMPLE, folder=folder)
check(run.returncode == 0 and not crashed(run), "bad RENDER lines do not stop kvhost", run)
for message in ["RENDER needs the picture's file name: RENDER PATH.png [WIDTH HEIGHT].",
                "RENDER writes PNG pictures: the file name must end in .png.",
                "RENDER takes a width and a height in pixels, whole numbers from 16 to 8192.",
                "Picture not written to missing/plan.png: "]:
    check("\n" + message in run.stdout, "RENDER says: " + message, run)
check(run.stdout.count("RENDER takes a width") == 2, "a size out of range and a lone width are both refused", run)
check(os.path.exists(os.path.join(folder, "with space.png")), "a quoted file name with a space is written")
check(not [n for n in os.listdir(folder) if n.endswith(".png") and n != "with space.png"],
      "nothing else is written: " + repr(os.listdir(folder)))
finish()
