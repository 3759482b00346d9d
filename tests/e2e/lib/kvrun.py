"""Runs kvhost with the plug-in, a command script and a user-interface script."""
import csv
import io
import os
import shutil
import subprocess
import sys
import tempfile

KVHOST = os.environ.get("KVHOST", "build/bin/kvhost")
KV_MODULE = os.environ.get("KV_MODULE", "build/lib/dataextraction.so")
SOURCE = os.environ.get("KV_SOURCE_DIR", ".")
BINARY = os.environ.get("KV_BINARY_DIR", "build")
SAMPLE = os.path.join(SOURCE, "samples", "office_floor.dxf")

failures = []
folders = []


class Run:
    def __init__(self, returncode, stdout, stderr):
        self.returncode = returncode
        self.stdout = stdout
        self.stderr = stderr


def workdir(name):
    """A fresh folder under the build tree; kvhost runs in it, so relative paths land there."""
    os.makedirs(BINARY, exist_ok=True)
    folders.append(tempfile.mkdtemp(prefix=name + "_", dir=BINARY))
    return folders[-1]


def own_copy(drawing, folder):
    """The drawing copied into the run's folder: runs at the same time must not share one file,
    or all but the first would open it read-only (and say so)."""
    local = os.path.join(folder, os.path.basename(drawing))
    if os.path.abspath(drawing) != os.path.abspath(local):
        shutil.copyfile(drawing, local)
    return local


def write_scripts(folder, ui, commands, ui_name="user.ui", cmd_name="commands.scr"):
    """The two scripts written into the folder; their paths."""
    paths = os.path.join(folder, ui_name), os.path.join(folder, cmd_name)
    for path, text in zip(paths, (ui, commands)):
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
    return paths


def host_args(lang, ui_path=None, cmd_path=None):
    """kvhost with the plug-in, in the language, with the scripts when given."""
    args = [os.path.abspath(KVHOST), "--module", os.path.abspath(KV_MODULE), "--lang", lang]
    return args + (["--script", cmd_path, "--ui-script", ui_path] if ui_path else [])


def csv_rows(path, delimiter=","):
    """The rows of a CSV file the plug-in wrote (Windows-1252); none when there is no file."""
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        return list(csv.reader(io.StringIO(f.read().decode("cp1252"), newline=""), delimiter=delimiter))


def kvhost(ui, commands, drawing=None, lang="en", folder=None, timeout=120):
    """One kvhost run; ui and commands are the texts of the two scripts."""
    folder = folder or workdir("run")
    args = host_args(lang, *write_scripts(folder, ui, commands))
    if drawing:
        args.append(own_copy(drawing, folder))
    done = subprocess.run(args, capture_output=True, timeout=timeout, stdin=subprocess.DEVNULL, cwd=folder)
    return Run(done.returncode, done.stdout.decode("utf-8", "replace"), done.stderr.decode("utf-8", "replace"))


def console(typed, drawing=None, lang="en", folder=None, timeout=120):
    """kvhost as a user at the console: commands, dialog actions and answers all typed, in order."""
    folder = folder or workdir("console")
    args = host_args(lang)
    if drawing:
        args.append(os.path.abspath(drawing))
    done = subprocess.run(args, input=typed.encode("utf-8"), capture_output=True, timeout=timeout, cwd=folder)
    return Run(done.returncode, done.stdout.decode("utf-8", "replace"), done.stderr.decode("utf-8", "replace"))


def check(condition, what, run=None):
    if not condition:
        failures.append(what)
        print("FAIL:", what)
        if run is not None:
            print("  status:", run.returncode)
            print("  stdout:", run.stdout[-2000:])
            print("  stderr:", run.stderr[-2000:])


def crashed(run):
    # A signal gives a negative status; sanitizers report on stderr.
    return run.returncode < 0 or "Sanitizer" in run.stderr or "runtime error" in run.stderr


def finish():
    """Exit status of the test; the run folders stay for a look when something failed."""
    if failures:
        print(len(failures), "check(s) failed")
        sys.exit(1)
    for folder in folders:
        shutil.rmtree(folder, ignore_errors=True)
    print("all checks passed")



def gui_available():
    """Whether windows can be shown: a virtual X server (xvfb-run) is installed."""
    return shutil.which("xvfb-run") is not None


def kvhost_gui(ui, commands, drawing=None, lang="en", folder=None, pictures=None, timeout=60):
    """The same run as kvhost() with the dialogs in windows on the virtual display."""
    folder = folder or workdir("gui")
    env = dict(os.environ, NO_AT_BRIDGE="1")
    # Our own authority file: xvfb-run then makes no temporary folder, whose removal at exit
    # sometimes fails and turns a good run into status 5.
    args = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", "-f", os.path.join(folder, "Xauthority")] + \
        host_args(lang, *write_scripts(folder, ui, commands)) + ["--gui"]
    if pictures:
        args += ["--screenshot-dir", pictures]
    if drawing:
        args.append(own_copy(drawing, folder))
    done = subprocess.run(args, capture_output=True, timeout=timeout, stdin=subprocess.DEVNULL, cwd=folder, env=env)
    return Run(done.returncode, done.stdout.decode("utf-8", "replace"), done.stderr.decode("utf-8", "replace"))
