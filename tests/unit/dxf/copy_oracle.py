#!/usr/bin/python3
"""Drawings for the copy tests, and ezdxf's view of the copies the host saved.

usage: copy_oracle.py make OUT.dxf VERSION [bin]
       copy_oracle.py check FILE DX DY DZ ORIGINAL:COPY...
make writes entities of every kind the host copies, some in their own planes; check moves each
original by the offset in ezdxf's own memory and prints one line per copy whose saved values
differ from that, "attrib|HANDLE|TAG|TEXT" for every attribute, and "ok" at the end.
"""
import math
import sys

import ezdxf

if sys.argv[1] == "make":
    out, version = sys.argv[2], sys.argv[3]
    doc = ezdxf.new(version)
    doc.appids.add("MYAPP")
    msp = doc.modelspace()
    blk = doc.blocks.new("CHAIR")
    blk.add_line((0, 0), (1, 1))
    blk.add_attdef("TAG", (0, 0))
    blk.add_attdef("MAKER", (0, -1), dxfattribs={"halign": 1, "align_point": (0.5, -1)})
    msp.add_line((1.5, 2.25, 0), (-3, 4, 5), dxfattribs={"layer": "Walls", "color": 1, "thickness": 2.5})
    msp.add_circle((2, 3, 1), 1.5, dxfattribs={"extrusion": (0, 0, -1)})
    msp.add_arc((5, 5, 0), 2.5, 30, 300, dxfattribs={"extrusion": (0.6, 0, 0.8)})
    msp.add_point((3, 4, 5))
    msp.add_solid([(0, 0), (1, 0), (0, 1), (1, 1)], dxfattribs={"color": 42})
    msp.add_lwpolyline([(0, 0), (4, 0, 0, 0, 1), (4, 3)], format="xyseb", close=True,
                       dxfattribs={"const_width": 0.5, "elevation": 2, "extrusion": (0, 0, -1)})
    msp.add_polyline2d([(0, 0), (5, 0), (5, 5)], dxfattribs={"layer": "Walls"})
    msp.add_mtext("First\\PSecond", dxfattribs={"insert": (1, 2, 0), "char_height": 0.35, "width": 12.5})
    msp.add_text("Centred", dxfattribs={"insert": (1, 1), "halign": 1, "align_point": (3, 1), "height": 0.5})
    ref = msp.add_blockref("CHAIR", (7, 8, 0), dxfattribs={"xscale": 2, "rotation": 45})
    ref.add_auto_attribs({"TAG": "C-1", "MAKER": "Vitra"})
    ref.set_hyperlink("https://example.com/chair", "Chair")
    line = msp.add_line((0, 0, 0), (0, -1, 0))
    line.set_xdata("MYAPP", [(1000, "hello"), (1040, 3.5)])
    doc.saveas(out, fmt="bin" if len(sys.argv) > 4 and sys.argv[4] == "bin" else "asc")
    sys.exit(0)

path, offset = sys.argv[2], tuple(float(v) for v in sys.argv[3:6])
doc = ezdxf.readfile(path)
db = doc.entitydb
ignored = {"handle", "owner"}


def same(a, b):
    if a is None or b is None:
        return a is b
    if isinstance(a, (int, float)) and isinstance(b, (int, float)):
        return math.isclose(a, b, rel_tol=1e-9, abs_tol=1e-9)
    if hasattr(a, "isclose"):
        return a.isclose(b, abs_tol=1e-9)
    return a == b


# Values ezdxf writes out when it moves an entity, and a file may leave out.
defaults = {"extrusion": (0.0, 0.0, 1.0), "text_direction": (1.0, 0.0, 0.0)}


def values(e):
    v = {k: x for k, x in e.dxf.all_existing_dxf_attribs().items()
         if k not in ignored and not (k in defaults and tuple(x) == defaults[k])}
    if e.dxftype() == "LWPOLYLINE":
        v["points"] = [tuple(p) for p in e.get_points("xyseb")]
    if e.dxftype() == "POLYLINE":
        v["vertices"] = [tuple(x.dxf.location)[:2] for x in e.vertices]  # a 2D polyline's height is its elevation
    if e.dxftype() == "INSERT":
        # Their texts are listed on their own: a copy's may differ from its original's.
        v["attribs"] = [(a.dxf.tag, tuple(a.dxf.insert), tuple(a.dxf.get("align_point", (0, 0, 0))))
                        for a in e.attribs]
    v["xdata"] = sorted((app, [tuple(t) for t in e.get_xdata(app)]) for app in (e.xdata.data if e.xdata else {}))
    return v


def close(a, b):
    if isinstance(a, list) and isinstance(b, list):
        return len(a) == len(b) and all(close(x, y) for x, y in zip(a, b))
    if isinstance(a, tuple) and isinstance(b, tuple):
        return len(a) == len(b) and all(close(x, y) for x, y in zip(a, b))
    return same(a, b)


for pair in sys.argv[6:]:
    original, copy = pair.split(":")
    moved = db[original].copy()
    moved.translate(*offset)
    expected, got = values(moved), values(db[copy])
    for key in sorted(set(expected) | set(got)):
        if not close(expected.get(key), got.get(key)):
            print("diff|%s|%s|%r|%r" % (copy, key, expected.get(key), got.get(key)))
for e in doc.modelspace().query("INSERT"):
    for a in e.attribs:
        print("attrib|%s|%s|%s" % (e.dxf.handle, a.dxf.tag, a.dxf.text))
auditor = doc.audit()
for problem in auditor.errors + auditor.fixes:
    print("audit|%s" % problem.message)
print("ok")
