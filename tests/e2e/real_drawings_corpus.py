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
the same outcome, not to a clean one. Runs two drawings at a time."""
import glob
import os
import shutil
import sys
from concurrent.futures import ProcessPoolExecutor

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from dxftags import groups  # noqa: E402
from kvrun import check, finish, kvhost, workdir  # noqa: E402

CORPUS = os.environ.get("KV_REAL_DXF", "")
FULL = os.environ.get("KV_CORPUS_FULL") == "1"
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


def audit(path):
    """ezdxf's outcome for a drawing: its audit errors, or why it could not read it."""
    import ezdxf
    try:
        doc = ezdxf.readfile(path)
    except Exception as e:  # noqa: BLE001 - any failure of the outside reader is its answer
        return "cannot read: " + type(e).__name__
    return sorted(set(e.message for e in doc.audit().errors))


def handles_twice(path):
    """Handles more than one record of the saved drawing has as its own: its first 5 (105 of a
    dimension style; a sort table's further 5 groups name other objects)."""
    seen, twice, kind, own = set(), set(), None, False
    for code, value in groups(path):
        if code == 0:
            kind, own = value.decode("ascii", "replace"), False
        elif kind != "SECTION" and not own and code == (105 if kind == "DIMSTYLE" else 5):
            own, h = True, int(value, 16)
            (twice if h in seen else seen).add(h)
    return sorted("%X" % h for h in twice)


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
    """What happened to one drawing, as a list of problems (empty: all is well)."""
    name = os.path.basename(path)
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
    tags = groups(path)
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
    tables = sum(1 for c, v in groups(extracted) if c == 0 and v == b"ACAD_TABLE")
    before = sum(1 for c, v in tags if c == 0 and v == b"ACAD_TABLE")
    if tables != before + 1:
        problems.append("%d tables after the extraction, %d before" % (tables, before))
    twice = handles_twice(extracted)
    if twice:
        problems.append("handles twice: %s" % twice[:5])
    got = audit(extracted)
    if got and got != audit(path):
        problems.append("ezdxf: %r (as it came: %r)" % (got, audit(path)))
    return name, problems, folder


if not CORPUS or not os.path.isdir(CORPUS):
    print("SKIP: no drawings from other programs here (KV_REAL_DXF=%r)" % CORPUS)
    sys.exit(0)

files = sorted(glob.glob(os.path.join(CORPUS, "*.dxf")) + glob.glob(os.path.join(CORPUS, "*.DXF")))
check(len(files) >= 140, "the corpus is there: %d drawings" % len(files))
with ProcessPoolExecutor(max_workers=2) as pool:
    results = list(pool.map(try_drawing, files))
for name, problems, folder in results:
    for problem in problems:
        check(False, name + ": " + problem)
    if not problems:
        shutil.rmtree(folder, ignore_errors=True)
opened = sum(1 for name, _, _ in results if name not in BROKEN)
print("%d drawings: %d opened, %d refused" % (len(results), opened, len(results) - opened))
finish()
