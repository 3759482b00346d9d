#!/usr/bin/python3
"""The wizard typed at kvhost's console through a pipe, as a new user would: cell menus listed
and chosen by number, long lists paged, prompts left with an empty line."""
import os
import sys

import ezdxf

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import SAMPLE, check, console, crashed, finish, workdir  # noqa: E402

# Page 4: the property list's cell menu opened without a choice, then its rows paged.
typed = ("DATAEXTRACTION\nclick 1\nclick 1\nclick 1\n"
         "cellmenu 1025 0 1\n2\n"
         "rows 1025 40\n"
         "cellmenu 1025 0 2\n"
         "click 2\nQUIT\n")
run = console(typed, drawing=SAMPLE)
out = run.stdout
check(run.returncode == 0 and not crashed(run), "the console run ends normally", run)
check("--- menu ---\n  1: Select all\n  2: No selection\n  0: none\n" in out, "the cell menu is listed", run)
page4 = out.split("(dialog 111) ===")
check(len(page4) >= 3, "page 4 is shown again after the menu", run)
if len(page4) >= 3:
    before, after = page4[1], page4[2]
    check("0   | [x] Background mask" in before and "0   | [ ] Background mask" in after,
          "choice 2 unchecks the rows", run)
    # 61 properties: a page of 40, then the rest on demand.
    check("39  | [ ]" in after and "40  | [ ]" not in after.split("dialog>")[0], "a page shows 40 rows", run)
    check("rows 0 to 39 of 61; 21 more: rows 1025 40" in after, "the page says how many rows follow", run)
    check("  [1025] rows from 40\n" in after and "60  | [ ] Preview" in after, "rows 1025 40 shows the rest", run)
# A cell without a menu (the display-name column) says so.
check("no menu opens there" in out, "a cell without a menu is named", run)

# Page 5: the insertion point prompt says how to cancel; an empty line cancels it, so Finish
# has no output to make and asks; SELECT and ID are cancelled the same way.
folder = workdir("console_cancel")
typed = ("DATAEXTRACTION\nclick 1\nclick 1\nclick 1\nclick 1\n"
         "click 1031\n\n"
         "click 1\nyes\n"
         "SELECT\n\nID\n\nSAVEAS floor.dxf\nQUIT\n")
run = console(typed, drawing=SAMPLE, folder=folder)
out = run.stdout
check(run.returncode == 0 and not crashed(run), "the cancelling run ends normally", run)
check("\nPlease input table insertion point : (x,y or x,y,z; an empty line cancels) " in out,
      "the point prompt says how to cancel", run)
check("No output choice : Are you sure to want quit wizard ?" in out, "no table was inserted", run)
check("Select objects: (handles, or all; an empty line cancels) \n*Cancel*" in out, "SELECT is cancelled", run)
check("Specify point: (x,y or x,y,z; an empty line cancels) \n*Cancel*" in out, "ID is cancelled", run)
saved = os.path.join(folder, "floor.dxf")
check(os.path.exists(saved) and not list(ezdxf.readfile(saved).modelspace().query("ACAD_TABLE")),
      "the saved drawing has no table", run)

finish()
