#!/usr/bin/python3
"""Every writer (CSV, XLS, settings, drawing) saving where it cannot, and over files that need
care: under a file-size limit, on a full disk, into a read-only folder, onto mode-600 files and
through symbolic links. The old file stays intact or is correctly replaced, nothing temporary is
left, and the user is told."""
import os
import resource
import shutil
import stat
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import SAMPLE, check, finish, host_args, workdir, write_scripts  # noqa: E402

TO_PAGE_5 = "click 1\nclick 1\ncellmenu 1022 0 1 2\nitem 1022 Line on\nclick 1\nclick 1\n"
OLD = {"out.csv": b"old csv", "out.xls": b"old xls", "s.kvx": b"old kvx", "out.dxf": b"old dxf"}


def scripts(folder, target):
    """Two runs: CSV, settings file and drawing; then XLS. Files go to the folder target."""
    first = (TO_PAGE_5 + "click 1029\nfile %s/out.csv 1\nclick 1003\nfile %s/s.kvx\nclick 1\n" % (target, target),
             "DATAEXTRACTION\nSAVEAS %s/out.dxf\n" % target)
    second = (TO_PAGE_5 + "click 1029\nfile %s/out.xls 2\nclick 1\n" % target, "DATAEXTRACTION\n")
    return [write_scripts(folder, ui, commands, "u%d.ui" % n, "c%d.scr" % n)
            for n, (ui, commands) in enumerate((first, second))]


def kvhost_args(drawing, ui_path, cmd_path):
    return host_args("en", ui_path, cmd_path) + [drawing]


def new_case(name):
    folder = workdir("wf_" + name)
    drawing = os.path.join(folder, "floor.dxf")
    shutil.copyfile(SAMPLE, drawing)
    target = os.path.join(folder, "target")
    os.mkdir(target)
    return folder, drawing, target


def stage_old_files(target, mode=0o644):
    for name, data in OLD.items():
        with open(os.path.join(target, name), "wb") as f:
            f.write(data)
        os.chmod(os.path.join(target, name), mode)


def leftovers(folder, expected):
    return sorted(set(os.listdir(folder)) - set(expected))


def run_plain(folder, drawing, target, preexec=None):
    out = ""
    for ui_path, cmd_path in scripts(folder, target):
        done = subprocess.run(kvhost_args(drawing, ui_path, cmd_path), capture_output=True, timeout=120,
                              stdin=subprocess.DEVNULL, cwd=folder, preexec_fn=preexec)
        check(done.returncode >= 0, "kvhost was not killed (status %d)" % done.returncode)
        out += done.stdout.decode("utf-8", "replace") + done.stderr.decode("utf-8", "replace")
    return out


def run_on_tmpfs(folder, drawing, target, setup):
    """Both runs inside a private mount namespace, with a small tmpfs at target; what it holds
    afterwards is copied out to target (the tmpfs goes with the namespace). None when this
    machine does not allow it."""
    staged = os.path.join(folder, "staged")
    shutil.copytree(target, staged)
    (ui0, c0), (ui1, c1) = scripts(folder, target)
    q = lambda args: " ".join("'%s'" % a for a in args)  # noqa: E731
    script = "\n".join([
        "set -e",
        "mount -t tmpfs -o size=64k,mode=0755 kvtest '%s'" % target,
        "cp -a '%s'/. '%s'/" % (staged, target),
        setup,
        "set +e",
        q(kvhost_args(drawing, ui0, c0)) + " > '%s/o0.txt' 2>&1" % folder,
        q(kvhost_args(drawing, ui1, c1)) + " > '%s/o1.txt' 2>&1" % folder,
        "rm -f '%s/filler'" % target,
        "rm -rf '%s'/* && cp -a '%s'/. '%s'/" % (staged, target, staged),
    ])
    done = subprocess.run(["unshare", "-m", "bash", "-c", script], capture_output=True, timeout=240,
                          stdin=subprocess.DEVNULL, cwd=folder)
    if done.returncode != 0:
        print("skipped (no private tmpfs here: %s)" % done.stderr.decode("utf-8", "replace").strip())
        return None
    shutil.rmtree(target)
    shutil.copytree(staged, target, symlinks=True)
    return "".join(open(os.path.join(folder, n), encoding="utf-8", errors="replace").read()
                   for n in ("o0.txt", "o1.txt"))


def expect_failures(case, out, target, why):
    """Every writer failed: old files intact, nothing else in the folder, one line each."""
    for name, data in OLD.items():
        with open(os.path.join(target, name), "rb") as f:
            check(f.read() == data, "%s: %s kept its old content" % (case, name))
    check(leftovers(target, OLD) == [], "%s: nothing temporary left: %s" % (case, leftovers(target, OLD)))
    csv, xls, kvx, dxf = (os.path.join(target, n) for n in ("out.csv", "out.xls", "s.kvx", "out.dxf"))
    told = [
        "\nCSV export done to : %s\nThe file %s was not written: %s." % (csv, csv, why),
        "\nFinished XLS exportation to : %s\nThe file %s was not written: %s." % (xls, xls, why),
        "\nKVX exportation failed !\nThe file %s was not written: %s." % (kvx, why),
        "\nDrawing not saved: %s: cannot write (%s)" % (dxf, why),
    ]
    for line in told:
        check(line in out, "%s: the user is told %r" % (case, line))
    if any(line not in out for line in told):
        print(out[-3000:])


# A file-size limit: the writes fail as on a full disk; kvhost is not killed by the signal.
folder, drawing, target = new_case("fsize")
stage_old_files(target)
limit = lambda: resource.setrlimit(resource.RLIMIT_FSIZE, (512, resource.RLIM_INFINITY))  # noqa: E731
expect_failures("file-size limit", run_plain(folder, drawing, target, preexec=limit), target, "File too large")

# A full disk.
folder, drawing, target = new_case("full")
stage_old_files(target)
out = run_on_tmpfs(folder, drawing, target, "dd if=/dev/zero of='%s/filler' bs=4k 2>/dev/null || true" % target)
if out is not None:
    expect_failures("full disk", out, target, "No space left on device")

# A read-only folder. Root writes through permission bits, so it gets a read-only mount.
folder, drawing, target = new_case("readonly")
stage_old_files(target)
if os.geteuid() == 0:
    out = run_on_tmpfs(folder, drawing, target, "mount -o remount,ro '%s'" % target)
    why = "Read-only file system"
else:
    os.chmod(target, 0o555)
    out = run_plain(folder, drawing, target)
    os.chmod(target, 0o755)
    why = "Permission denied"
if out is not None:
    for name, data in OLD.items():
        with open(os.path.join(target, name), "rb") as f:
            check(f.read() == data, "read-only folder: %s kept" % name)
    check(leftovers(target, OLD) == [], "read-only folder: nothing left: %s" % leftovers(target, OLD))
    # The file dialogs refuse such a folder before any writer runs; the drawing's save says why.
    check("cannot be written (%s)" % why in out, "read-only folder: the file dialog refuses it", None)
    check("Drawing not saved: %s/out.dxf: cannot write (%s)" % (target, why) in out,
          "read-only folder: the drawing's save says why")

# Files of mode 600 are replaced and stay private.
folder, drawing, target = new_case("mode600")
stage_old_files(target, 0o600)
out = run_plain(folder, drawing, target)
for name, data in OLD.items():
    path = os.path.join(target, name)
    with open(path, "rb") as f:
        check(f.read() != data, "mode 600: %s replaced" % name)
    check(stat.S_IMODE(os.stat(path).st_mode) == 0o600, "mode 600: %s keeps mode 600" % name)
check(leftovers(target, OLD) == [], "mode 600: nothing left: %s" % leftovers(target, OLD))
check("was not written" not in out and "Drawing saved to %s/out.dxf." % target in out, "mode 600: all saved")

# Symbolic links are written through to the files they point to, and stay links.
folder, drawing, target = new_case("links")
real = os.path.join(folder, "real")
os.mkdir(real)
stage_old_files(real)
for name in OLD:
    os.symlink(os.path.join("..", "real", name), os.path.join(target, name))
out = run_plain(folder, drawing, target)
for name, data in OLD.items():
    check(os.path.islink(os.path.join(target, name)), "links: %s is still a link" % name)
    with open(os.path.join(real, name), "rb") as f:
        check(f.read() != data, "links: the file %s points to was replaced" % name)
check(leftovers(target, OLD) == [] and leftovers(real, OLD) == [], "links: nothing left")
check("was not written" not in out, "links: all saved", None)

finish()
