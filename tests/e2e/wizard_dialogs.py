#!/usr/bin/python3
"""The update dialog on kvhost's terminal: Finish without a picked table."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import check, console, finish  # noqa: E402

# The update dialog's Finish without a pick asks for a table and stays open; the terminal
# shows the message.
terminal = console("DATAEXTRACTIONUPDATE\nclick 1\nok\nclick 2\nQUIT\n", timeout=60)
out = terminal.stdout
check(terminal.returncode == 0, "the terminal run of the update dialog ends normally", terminal)
check("(i) No data table selected" in out, "Finish without a pick says no table is selected")
check(out.count("Updating exportation") >= 2, "the dialog stays open after the notice")

finish()
