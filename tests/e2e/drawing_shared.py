#!/usr/bin/python3
"""Two sessions on one drawing: the second is told who has it open and works read-only (SAVE
refused, SAVEAS to another file allowed); a session whose file another session saved meanwhile
does not overwrite it; once the first session ends, the file is free again."""
import fcntl
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import KVHOST, KV_MODULE, SAMPLE, check, finish, workdir  # noqa: E402

folder = workdir("shared")
drawing = os.path.join(folder, "floor.dxf")
shutil.copyfile(SAMPLE, drawing)
with open(SAMPLE, "rb") as f:
    original = f.read()


def session():
    """A kvhost reading its commands from a pipe, on the drawing."""
    return subprocess.Popen([os.path.abspath(KVHOST), "--module", os.path.abspath(KV_MODULE), drawing],
                            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, cwd=folder)


def finish_session(proc, commands):
    out, _ = proc.communicate(commands.encode(), timeout=60)
    return out.decode("utf-8", "replace")


def locked():
    with open(drawing, "rb") as f:
        try:
            fcntl.flock(f, fcntl.LOCK_EX | fcntl.LOCK_NB)
            return False
        except BlockingIOError:
            return True


def wait_until(condition):
    deadline = time.time() + 20
    while not condition() and time.time() < deadline:
        time.sleep(0.05)
    return condition()


def run(commands):
    with open(os.path.join(folder, "c.scr"), "w") as f:
        f.write(commands)
    done = subprocess.run([os.path.abspath(KVHOST), "--module", os.path.abspath(KV_MODULE), "--script", "c.scr",
                           drawing], capture_output=True, timeout=60, stdin=subprocess.DEVNULL, cwd=folder)
    return done.stdout.decode("utf-8", "replace")


first = session()
check(wait_until(locked), "the first session locks the drawing's file")
holder = "kvhost (process %d, user " % first.pid

# A second session: told who holds the file, SAVE refused, SAVEAS elsewhere saved, SAVEAS onto
# the held file refused.
out = run("SAVE\nSAVEAS copy.dxf\nSAVEAS floor.dxf\n")
check("Drawing %s is open in %s" % (drawing, holder) in out and "opened read-only here" in out,
      "the second session is told who has the drawing: " + out)
check("Drawing not saved: %s is open in %s" % (drawing, holder) in out, "SAVE is refused with the holder")
check("Drawing saved to copy.dxf." in out, "SAVEAS to another file works")
check("Drawing not saved: floor.dxf is open in " + holder in out, "SAVEAS onto the held file is refused")
with open(drawing, "rb") as f:
    check(f.read() == original, "the drawing was not written by the second session")

# A third session stays open read-only while the first one saves the drawing and quits.
third = session()


def has_drawing_open(proc):
    fds = "/proc/%d/fd" % proc.pid
    try:
        return any(os.readlink(os.path.join(fds, fd)) == drawing for fd in os.listdir(fds))
    except OSError:
        return False


check(wait_until(lambda: has_drawing_open(third)), "the third session opened the drawing")
out_first = finish_session(first, "SAVE\nQUIT\n")
check("Drawing saved to %s." % drawing in out_first, "the session holding the drawing saves it")
check(wait_until(lambda: not locked()), "the lock goes with the first session")
out_third = finish_session(third, "SAVE\nSAVEAS mine.dxf\nQUIT\n")
check("is open in %s" % holder in out_third, "the third session was told too")
check("Drawing not saved: %s was replaced by another program or session since it was opened here" % drawing
      in out_third, "a read-only session does not overwrite what another session saved: " + out_third)
check("Drawing saved to mine.dxf." in out_third, "it can still save its own copy")

# Nobody holds the file now: a new session may save it.
out = run("SAVE\n")
check("read-only" not in out and "Drawing saved to %s." % drawing in out, "a free drawing saves: " + out)
check(sorted(os.listdir(folder)) == ["c.scr", "copy.dxf", "floor.dxf", "mine.dxf"],
      "nothing else in the folder: %s" % sorted(os.listdir(folder)))

finish()
