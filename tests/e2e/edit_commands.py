#!/usr/bin/python3
"""The host's ERASE, COPY and ATTEDIT on the sample's furniture schedule, then the update
command (refresh in place, then add objects) and SAVE, read back with ezdxf: the counted rows
follow their groups when the object a row's tag kept is erased."""
import os
import sys

import ezdxf

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from dxftags import table_groups  # noqa: E402
from kvrun import SAMPLE, SOURCE, check, crashed, finish, kvhost, workdir  # noqa: E402


def table_rows(table):
    """The table's header and data rows (its title row left out), from its AcDbTable cells."""
    body = table_groups(table)
    columns = next(t.value for t in body if t.code == 92)
    texts = [t.value for t in body if t.code == 1]
    return [texts[i:i + columns] for i in range(columns, len(texts), columns)]


def furniture(doc):
    """Block references by handle: (name, insertion point, {tag: text})."""
    return {e.dxf.handle: (e.dxf.name, tuple(e.dxf.insert), {a.dxf.tag: a.dxf.text for a in e.attribs})
            for e in doc.modelspace().query("INSERT")}


def read(path):
    doc = ezdxf.readfile(path)
    check(not doc.audit().errors, "a CAD program reads %s without errors" % os.path.basename(path))
    table = doc.modelspace().query("ACAD_TABLE")[0]
    handles = [v for _, v in table.get_xdata("obj_handles")]
    return doc, table, table_rows(table), handles


def row_of(rows, name, maker):
    found = [r for r in rows[1:] if r[1:3] == [name, maker]]
    return found[0] if found else None


folder = workdir("edit")
floor = os.path.join(folder, "floor.dxf")
with open(os.path.join(SOURCE, "samples", "furniture_schedule.ui"), encoding="utf-8") as f:
    run = kvhost(f.read(), "DATAEXTRACTION\nSAVEAS floor.dxf\n", drawing=SAMPLE, folder=folder)
check(run.returncode == 0 and os.path.exists(floor), "the furniture schedule is inserted and saved", run)
doc, table, rows, handles = read(floor)
pieces = furniture(doc)
data = rows[1:-2]


def kept(name, maker):
    """The handle the tag keeps for a counted row, and the other objects of its group."""
    k = next(i for i, r in enumerate(data) if r[1:3] == [name, maker])
    group = [h for h, (n, _, a) in pieces.items() if n == name and a.get("MAKER") == maker]
    return handles[k], [h for h in group if h != handles[k]]


chair, other_chairs = kept("CHAIR", "Vitra")
desk, _ = kept("DESK", "Steelcase")
plant, other_plants = kept("PLANT", "Green & Co")
check(len(other_chairs) == 1 and len(other_plants) == 2, "the sample has the groups this test needs")
before = {r[1] + "/" + r[2]: int(r[0]) for r in data}
total_before = int(rows[-1][0])

# The object the chair row's tag kept is erased, a desk copied, a plant's maker changed; the
# refresh counts the remaining chair in its row and takes it into the tag.
commands = ("ERASE %s\nCOPY %s 0,-1.5\nATTEDIT %s maker Leafy\nDATAEXTRACTIONUPDATE\nSAVE\n"
            % (chair, desk, other_plants[0]))
run = kvhost("click 1051\npick %s\n" % table.dxf.handle, commands, drawing=floor, folder=folder)
out = run.stdout
check(run.returncode == 0 and not crashed(run), "the editing run goes through", run)
check("Erased INSERT %s and its 5 attributes." % chair in out, "ERASE says what it erased", run)
copy_line = [line for line in out.splitlines() if line.startswith("Copied INSERT %s to " % desk)]
check(bool(copy_line) and copy_line[0].endswith(" with 5 attributes, moved by 0,-1.5,0."), "COPY says what it did", run)
check('Attribute MAKER of INSERT %s: "Green & Co" -> "Leafy".' % other_plants[0] in out, "ATTEDIT says what it did",
      run)
check("Table updated." in out and "Drawing saved to" in out, "the table is refreshed and the drawing saved", run)

doc, table, rows, handles = read(floor)
now = furniture(doc)
copy = copy_line[0].split()[4] if copy_line else ""
check(chair not in now, "the erased chair is gone from the saved drawing")
if copy in now:
    name, at, attributes = now[copy]
    original = now[desk]
    check(name == "DESK" and attributes == original[2], "the copy is a desk with the desk's attributes: %r" % (now[copy],))
    moved = (original[1][0], original[1][1] - 1.5, original[1][2])
    check(all(abs(a - b) < 1e-9 for a, b in zip(at, moved)), "the copy is moved by the offset: %r" % (at,))
else:
    check(False, "the copy %r is in the saved drawing" % copy)
check(now[other_plants[0]][2]["MAKER"] == "Leafy", "the changed attribute is saved")
data = rows[1:-2]
check(row_of(rows, "CHAIR", "Vitra") is not None and int(row_of(rows, "CHAIR", "Vitra")[0]) == 1,
      "the chair row counts the chair left: %r" % (row_of(rows, "CHAIR", "Vitra"),))
check(int(row_of(rows, "DESK", "Steelcase")[0]) == before["DESK/Steelcase"] + 1, "the desk row counts the copy")
check(int(row_of(rows, "PLANT", "Green & Co")[0]) == before["PLANT/Green & Co"] - 1, "the changed plant left its row")
check(int(rows[-1][0]) == total_before - 1, "the total is recomputed: %r" % (rows[-1],))
chair_row = next(i for i, r in enumerate(data) if r[1:3] == ["CHAIR", "Vitra"])
check(handles[chair_row] == other_chairs[0], "the tag follows the chair left: %r" % (handles,))

# The last chair erased, the renamed plant added: the chair row goes with its group, the plant
# comes in with the columns its attributes bring.
final = os.path.join(folder, "final.dxf")
run = kvhost("click 1052\npick %s\nobjects %s\n" % (table.dxf.handle, other_plants[0]),
             "ERASE %s\nDATAEXTRACTIONUPDATE\nSAVEAS final.dxf\n" % other_chairs[0], drawing=floor, folder=folder)
check(run.returncode == 0 and "Table updated." in run.stdout, "objects are added to the table", run)
doc, table, rows, handles = read(final)
header = rows[0]
check(header[:4] == ["Qty", "Name", "MAKER", "PRICE"] and "ROOM" in header, "the new columns: %r" % (header,))
check(not any(r[1:3] == ["CHAIR", "Vitra"] for r in rows), "no chair row is left")
check(any(r[1:3] == ["PLANT", "Leafy"] for r in rows) and other_plants[0] in handles, "the added plant has its row")
check(len(handles) == len(rows) - 3, "one tag handle per data row")

# Mistakes change nothing and say why; the drawing saved afterwards is the one read.
doc = ezdxf.readfile(SAMPLE)
door = next(e for e in doc.modelspace().query("INSERT") if e.dxf.name.startswith("*U"))
solid = doc.modelspace().query("3DSOLID")[0]
ref = next(e for e in doc.modelspace().query("INSERT") if len(e.attribs))
line = doc.modelspace().query("LINE")[0]
attribute = ref.attribs[0].dxf.handle
folder = workdir("edit_mistakes")
run = kvhost("", "ERASE\nERASE %s %s\nERASE 0x\nCOPY %s\nCOPY %s 1,1\nCOPY %s 1,1\nATTEDIT %s NOPE x\n"
             "ATTEDIT %s TAG x\nATTEDIT %s\nSAVEAS same.dxf\n"
             % (line.dxf.handle, attribute, ref.dxf.handle, door.dxf.handle, solid.dxf.handle, ref.dxf.handle,
                line.dxf.handle, ref.dxf.handle), drawing=SAMPLE, folder=folder)
out = run.stdout
for expected in ("ERASE needs the handles of the entities to erase.",
                 "ATTRIB %s belongs to INSERT %s: name the block reference.\nNothing erased." % (attribute, ref.dxf.handle),
                 "\"0x\" is not a handle.",
                 "COPY needs a handle and an offset: COPY HANDLE DX,DY[,DZ].",
                 "COPY cannot copy INSERT %s yet: what it keeps in its extension dictionary" % door.dxf.handle,
                 "COPY cannot copy 3DSOLID %s: it copies lines," % solid.dxf.handle,
                 "INSERT %s has no attribute NOPE (its tags: TAG, MAKER, PRICE, QUANTITY, ROOM)." % ref.dxf.handle,
                 "LINE %s is not a block reference." % line.dxf.handle,
                 "ATTEDIT needs a block reference's handle, an attribute tag and the new text"):
    check(expected in out, "the message: " + expected, run)
same = os.path.join(folder, "same.dxf")
check(os.path.exists(same) and open(same, "rb").read() == open(SAMPLE, "rb").read(), "nothing changed the drawing", run)

finish()
