#!/usr/bin/python3
"""The wizard and the update dialog through kvhost on an empty drawing: how they end,
what they ask, and how kvhost answers scripts that do not fit."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import KVHOST, KV_MODULE, check, crashed, finish, kvhost  # noqa: E402

# The update dialog's Finish without a pick asks for a table and stays open; the terminal
# shows the message.
terminal = subprocess.run([KVHOST, "--module", KV_MODULE, "--lang", "en"],
                          input=b"DATAEXTRACTIONUPDATE\nclick 1\nok\nclick 2\nQUIT\n", capture_output=True, timeout=60)
out = terminal.stdout.decode("utf-8", "replace")
check(terminal.returncode == 0, "the terminal run of the update dialog ends normally")
check("(i) No data table selected" in out, "Finish without a pick says no table is selected")
check(out.count("Updating exportation") >= 2, "the dialog stays open after the notice")

# Scripts that do not fit: one clear line naming the script line, a failure status, no crash,
# and the commands after it still run.
# The messages themselves are checked in-process (BadScript); two cases on real pages here.
BAD = [
    ("a script too short", "click 1\n", "user.ui"),
    ("an item of a list without it", "click 1\nitem 1011 Nothing on\n", "Nothing"),
]
for what, ui, named in BAD:
    run = kvhost(ui, "DATAEXTRACTION\nGETVAR CMDECHO\n")
    check(run.returncode not in (0,) and not crashed(run), what + ": failure status without a crash", run)
    check(named in run.stderr, what + ": the message names " + named, run)
    check("CMDECHO = " in run.stdout, what + ": the next command still runs", run)

finish()
