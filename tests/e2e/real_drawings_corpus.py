#!/usr/bin/python3
"""Every drawing other programs wrote, tried as a user would: it opens, or is refused with one
line naming the file and the reason; an unchanged save gives it back byte for byte; an
extraction of the whole drawing (all kinds) inserts its table, and the drawing saved with it
holds no handle twice and reads back in ezdxf with a clean audit.

The extraction takes the default properties but the geometric ones: with positions every
object is a row of its own, and the corpus's tables then come to 780 MB, which ezdxf needs
minutes to read back. KV_CORPUS_FULL=1 takes the default properties as they are (minutes).
R12 drawings have no block records of their own: changes to them cannot be saved, which the
save says. A drawing ezdxf itself cannot read or audits with errors as it came is held to
the same outcome, not to a clean one.

Runs two drawings at a time, the largest first. ezdxf's reading is most of the time: its
verdict on a saved drawing is kept in the build folder under the drawing's SHA-256, so a run
whose saves come out byte for byte as before does not read them again. The sanitizer build
(KV_SANITIZE=1) checks only what our C++ does and leaves ezdxf's pure-Python reading out."""
import glob
import hashlib
import json
import os
import shutil
import sys
from concurrent.futures import ProcessPoolExecutor

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from dxftags import groups  # noqa: E402
from kvrun import BINARY, check, finish, kvhost, workdir  # noqa: E402

CORPUS = os.environ.get("KV_REAL_DXF", "")
FULL = os.environ.get("KV_CORPUS_FULL") == "1"
SANITIZED = os.environ.get("KV_SANITIZE") == "1"
WITHOUT_GEOMETRY = "item 1023 Geometry off\ncellmenu 1025 0 1 2\ncellmenu 1025 0 1 1\n"


def extraction(geometry):
    """Whole drawing, every kind, the properties offered, counted; the table inserted at 0,0."""
    return "click 1\nclick 1\nclick 1\n" + ("" if geometry else WITHOUT_GEOMETRY) + \
        "click 1\nclick 1031\npoint 0,0\nclick 1\n"
# The files the corpus's own programs wrote to fail a reader: refused, and why.
BROKEN = {
    "ezdxf__AC1003_LINE_Example.dxf": "unknown DXF version \"AC1003\"",
    "ezdxf__Minimal_DXF_AC1006.dxf": "unknown DXF version \"AC1006\"",
    "ixmilia__i.r10.dxf": "unknown DXF version \"AC1006\"",
    "ixmilia__i.r9.dxf": "unknown DXF version \"AC1004\"",
    "ixmilia__t.r9.dxf": "unknown DXF version \"AC1004\"",
    "ezdxf__duplicate_handles.dxf": "duplicate handle 2",
    "ezdxf__recover01.dxf": "ENDSEC outside a section",
    "ezdxf__recover02.dxf": "table record outside a table",
    "gdal__assorted.dxf": "integer expected for group code 62, found \"256QSW\"",
    "gdal__clusterfuzz-testcase-minimized-dxf_fuzzer-5400376672124928.dxf": "group code expected",
    "gdal__clusterfuzz-testcase-minimized-shape_fuzzer-6126814756995072.dxf": "group code expected",
    "gdal__header_extended.dxf": "the file ends inside a section",
    "librecad__misc_tux.dxf": "ENDSEC outside a section",
}


def verdicts_file():
    """Where ezdxf's verdicts are kept: one file per installed ezdxf and per version of this
    script, so that a change to either reads every drawing again."""
    import ezdxf
    checker = hashlib.sha256()
    with open(__file__, "rb") as f:
        checker.update(f.read())
    checker.update(("%s %d" % (ezdxf.__version__, os.stat(ezdxf.__file__).st_mtime_ns)).encode())
    return os.path.join(BINARY, "real-dxf-verdicts-%s.json" % checker.hexdigest()[:16])


def load_verdicts():
    try:
        with open(verdicts_file(), encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError):
        return {}


def save_verdicts(verdicts):
    """Keeps these verdicts only: those of other checkers, and of saves no longer made, go."""
    path = verdicts_file()
    for old in glob.glob(os.path.join(BINARY, "real-dxf-verdicts-*.json")):
        if old != path:
            os.remove(old)
    with open(path + ".tmp", "w", encoding="utf-8") as f:
        json.dump(verdicts, f)
    os.replace(path + ".tmp", path)


KNOWN = {}  # the verdicts of earlier runs, in each worker


def audit(path, found):
    """ezdxf's outcome for a drawing: its audit errors, or why it could not read it. Taken from
    KNOWN when these bytes were read before, and noted in `found` when read now."""
    with open(path, "rb") as f:
        key = hashlib.sha256(f.read()).hexdigest()
    if key in KNOWN:
        found.setdefault("known", {})[key] = KNOWN[key]
        return KNOWN[key]
    import ezdxf
    try:
        doc = ezdxf.readfile(path)
        verdict = sorted(set(e.message for e in doc.audit().errors))
    except Exception as e:  # noqa: BLE001 - any failure of the outside reader is its answer
        verdict = "cannot read: " + type(e).__name__
    found.setdefault("read", {})[key] = verdict
    return verdict


def saved_facts(path):
    """How many tables the saved drawing has, and the handles more than one of its records has
    as its own: their first 5 (105 of a dimension style; a sort table's further 5 groups name
    other objects)."""
    seen, twice, kind, own, tables = set(), set(), None, False, 0
    for code, value in groups(path, {0, 5, 105}):
        if code == 0:
            kind, own = value.decode("ascii", "replace"), False
            tables += kind == "ACAD_TABLE"
        elif kind != "SECTION" and not own and code == (105 if kind == "DIMSTYLE" else 5):
            own, h = True, int(value, 16)
            (twice if h in seen else seen).add(h)
    return tables, sorted("%X" % h for h in twice)


def version(tags):
    """$ACADVER; a drawing without it reads as R12."""
    for (code, value), (_, after) in zip(tags, tags[1:]):
        if code == 9 and value.strip() == b"$ACADVER":
            return after.strip().decode("ascii", "replace")
    return "AC1009"


def layouts(tags):
    """Whether the drawing has entities in its layouts (the ENTITIES section, or the model and
    paper space blocks), and whether it has a block record for its model space."""
    entities = model_space = False
    kind, section, block = None, None, None
    for (code, value), (next_code, next_value) in zip(tags, tags[1:] + [(0, b"")]):
        if code == 0:
            kind = value
            if kind == b"ENDSEC":
                section = None
            elif kind == b"ENDBLK":
                block = None
            elif kind not in (b"SECTION", b"BLOCK") and (section == b"ENTITIES" or (block or b"").startswith(b"*")):
                entities = True
        elif code == 2 and kind == b"SECTION":
            section = value.strip()
        elif code == 2 and kind == b"BLOCK":
            name = value.strip().upper()
            block = name if name == b"*MODEL_SPACE" or name.startswith(b"*PAPER_SPACE") else None
        elif code == 2 and kind == b"BLOCK_RECORD" and value.strip().upper() == b"*MODEL_SPACE":
            model_space = True
    return entities, model_space


def try_drawing(path):
    """What happened to one drawing, as a list of problems (empty: all is well), and the
    verdicts ezdxf gave on drawings it had not read before."""
    name, found = os.path.basename(path), {}
    return (*try_saves(path, name, found), found)


def try_saves(path, name, found):
    """The name, the problems and the run's folder."""
    folder = workdir("corpus")
    commands = "SAVEAS unchanged.dxf\nDATAEXTRACTION\nSAVEAS extracted.dxf\n"
    run = kvhost(extraction(FULL), commands, drawing=path, folder=folder, timeout=600)
    if "list 1023 has no item 'Geometry'" in run.stderr:  # no kind with geometry: nothing to leave out
        run = kvhost(extraction(True), commands, drawing=path, folder=folder, timeout=600)
    problems = []
    lines = [line for line in run.stderr.splitlines() if line]
    if name in BROKEN:
        if not (run.returncode == 2 and len(lines) == 1 and name in lines[0] and BROKEN[name] in lines[0]):
            problems.append("refused with one line naming it and why: %r" % run.stderr)
        return name, problems, folder
    if run.returncode not in (0, 1) or not os.path.exists(os.path.join(folder, "unchanged.dxf")):
        return name, ["did not open: %r" % (run.stderr or run.stdout[-300:])], folder
    with open(path, "rb") as a, open(os.path.join(folder, "unchanged.dxf"), "rb") as b:
        if a.read() != b.read():
            problems.append("unchanged save differs")
    extracted = os.path.join(folder, "extracted.dxf")
    # Version and layouts only: codes 0 and 2, and 1 for the value after $ACADVER.
    tags = groups(path, {0, 1, 2, 9})
    entities, model_space = layouts(tags)
    if not entities:
        # Nothing to extract: the data-source page stays, as it should.
        if '"Data extraction - Define data source (2/5)" is cancelled' not in run.stderr:
            problems.append("an empty drawing: %r" % run.stderr)
        return name, problems, folder
    if run.returncode != 0:
        problems.append("extraction did not run through: %r" % run.stderr)
    if version(tags) == "AC1009":
        if "changes to R12 (AC1009) drawings cannot be saved" not in run.stdout:
            problems.append("R12 save not refused with its reason: %r" % run.stdout[-300:])
        return name, problems, folder
    if not model_space:
        # An R12-style drawing labelled as a later version: the table would have no owner.
        if "cannot save the new table: the drawing has no block record for its model space" not in run.stdout:
            problems.append("save without a model space not refused with its reason: %r" % run.stdout[-300:])
        return name, problems, folder
    if not os.path.exists(extracted) or "Drawing saved to extracted.dxf." not in run.stdout:
        return name, problems + ["drawing with its table not saved: %r" % run.stdout[-400:]], folder
    tables, twice = saved_facts(extracted)
    before = sum(1 for c, v in tags if c == 0 and v == b"ACAD_TABLE")
    if tables != before + 1:
        problems.append("%d tables after the extraction, %d before" % (tables, before))
    if twice:
        problems.append("handles twice: %s" % twice[:5])
    if not SANITIZED:
        got = audit(extracted, found)
        if got and got != audit(path, found):
            problems.append("ezdxf: %r (as it came: %r)" % (got, audit(path, found)))
    return name, problems, folder


def start_worker(known):
    KNOWN.update(known)


if not CORPUS or not os.path.isdir(CORPUS):
    print("SKIP: no drawings from other programs here (KV_REAL_DXF=%r)" % CORPUS)
    sys.exit(0)

files = sorted(glob.glob(os.path.join(CORPUS, "*.dxf")) + glob.glob(os.path.join(CORPUS, "*.DXF")))
check(len(files) >= 140, "the corpus is there: %d drawings" % len(files))
if SANITIZED:
    print("ezdxf's reading of the saved drawings left out: this is the sanitizer build, which checks our "
          "C++ (the plain build's run reads them)")
verdicts = {} if SANITIZED else load_verdicts()
with ProcessPoolExecutor(max_workers=2, initializer=start_worker, initargs=(verdicts,)) as pool:
    # The largest first, so that no large drawing is left for one core at the end.
    results = list(pool.map(try_drawing, sorted(files, key=os.path.getsize, reverse=True)))
results.sort(key=lambda result: result[0])
read_now, known = {}, {}
for _, _, _, found in results:
    read_now.update(found.get("read", {}))
    known.update(found.get("known", {}))
if read_now:
    save_verdicts({**known, **read_now})
for name, problems, folder, _ in results:
    for problem in problems:
        check(False, name + ": " + problem)
    if not problems:
        shutil.rmtree(folder, ignore_errors=True)
opened = sum(1 for name, _, _, _ in results if name not in BROKEN)
print("%d drawings: %d opened, %d refused; ezdxf read %d drawings and knew %d from an earlier run"
      % (len(results), opened, len(results) - opened, len(read_now), len(known)))
finish()
