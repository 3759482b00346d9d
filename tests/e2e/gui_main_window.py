#!/usr/bin/python3
"""kvhost --gui on a virtual display: the main job run from scripts prints and writes what the
console run does, with the point typed on the graphical command line; a window dragged
around the extents selects what the view draws; the main window's picture is written; without
a display --gui refuses to start."""
import os
import shutil
import subprocess
import sys

import ezdxf

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import KV_MODULE, KVHOST, SAMPLE, SOURCE, check, crashed, finish, kvhost, kvhost_gui, workdir  # noqa: E402
from pngread import read_png  # noqa: E402

if shutil.which("xvfb-run") is None:
    print("SKIPPED: xvfb-run is not installed (tools/bootstrap.sh installs it)")
    sys.exit(0)


def run(folder, commands, ui, gui):
    if not gui:
        return kvhost(ui, commands, drawing=SAMPLE, folder=folder)
    os.makedirs(os.path.join(folder, "shots"), exist_ok=True)
    return kvhost_gui(ui, commands, drawing=SAMPLE, folder=folder, pictures="shots", timeout=120)


with open(os.path.join(SOURCE, "samples", "furniture_schedule.ui"), encoding="utf-8") as f:
    schedule = f.read()
commands = "DATAEXTRACTION\nSAVEAS floor.dxf\nSELECT\n"
ui = schedule + "objects all\n"
console, gui = workdir("console"), workdir("gui")
on_console = run(console, commands, ui, gui=False)
on_screen = run(gui, commands, ui, gui=True)
# GTK's own warnings aside, nothing is said on standard error (a bad script line would be).
complaints = [line for line in on_screen.stderr.splitlines() if line.strip() and not line.startswith("(kvhost:")]
check(on_screen.returncode == 0 and not crashed(on_screen) and not complaints, "the main job runs in the main window",
      on_screen)
# The console selects every object; the window what the view draws: not the sample's 3D solid,
# which has no body to draw.
saved = os.path.join(gui, "floor.dxf")
drawn = [e for e in ezdxf.readfile(saved).modelspace() if e.dxftype() != "3DSOLID"] if os.path.exists(saved) else []
expected = on_console.stdout.replace(console, gui)
count = str(len(drawn) + 1) + " found"
check(count in expected, "the console selects every entity: " + count, on_console)
check(on_screen.stdout == expected.replace(count, str(len(drawn)) + " found"),
      "the window prints what the console prints, the window selection aside", on_screen)
for name in ["furniture.xls", "furniture.kvx", "floor.dxf"]:
    a, b = os.path.join(console, name), os.path.join(gui, name)
    check(os.path.exists(b) and open(a, "rb").read() == open(b, "rb").read(), name + " is the console's, byte for byte")
shots = sorted(name for name in os.listdir(os.path.join(gui, "shots")) if name.startswith("main-"))
check(shots == ["main-en-1.png"], "a picture after the one command that changed the drawing: " + repr(shots))
if shots:
    width, height, rows = read_png(os.path.join(gui, "shots", shots[0]))
    colours = {rows[y][x] for y in range(0, height, 7) for x in range(0, width, 7)}
    check(width > 600 and height > 400 and len(colours) > 8, "the picture shows the window with the drawing")

# No display: a message and status 2, before any command runs.
env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
folder = workdir("nodisplay")
done = subprocess.run([os.path.abspath(KVHOST), "--gui", "--module", os.path.abspath(KV_MODULE), SAMPLE],
                      capture_output=True, timeout=60, stdin=subprocess.DEVNULL, cwd=folder, env=env)
check(done.returncode == 2 and b"cannot open the display" in done.stderr,
      "--gui without a display says so: " + repr(done.stderr))
finish()
