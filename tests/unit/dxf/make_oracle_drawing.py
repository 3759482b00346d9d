#!/usr/bin/python3
"""Writes a drawing with ezdxf and lists, entity by entity, the values ezdxf reads back.

usage: make_oracle_drawing.py VERSION OUT.dxf [bin] [codepage]
Listing on stdout, one entity a line: handle|TYPE|key=value|...; points as x,y,z.
"""
import math
import re
import sys

import ezdxf

version, out = sys.argv[1], sys.argv[2]
binary = len(sys.argv) > 3 and sys.argv[3] == "bin"
codepage = sys.argv[4] if len(sys.argv) > 4 else None
old = version in ("R12",)

doc = ezdxf.new(version)
if codepage:
    doc.header["$DWGCODEPAGE"] = codepage
doc.header["$LUPREC"] = 3
doc.header["$UCSORG"] = (10, 20, 0)
doc.header["$UCSXDIR"] = (0, 1, 0)
doc.header["$UCSYDIR"] = (-1, 0, 0)
doc.layers.add("Walls", color=3)
doc.layers.add("Büro Ω", color=5)   # outside Windows-1252: \U+ escape before R2007
doc.appids.add("MYAPP")
msp = doc.modelspace()

blk = doc.blocks.new("CHAIR")
blk.add_line((0, 0), (1, 1))
blk.add_attdef("TAG", (0, 0))
blk.add_attdef("PRICE", (0, -1))

msp.add_line((1.5, 2.25, 0), (-3, 4, 5), dxfattribs={"layer": "Walls", "color": 1, "linetype": "BYBLOCK",
                                                       "thickness": 2.5})
msp.add_line((0, 0), (10, 0), dxfattribs={"color": 0, "ltscale": 0.5, "layer": "Büro Ω"})
msp.add_arc((5, 5, 0), 2.5, 30, 300, dxfattribs={"thickness": 1})
msp.add_circle((-1, -2, 0), 7.125)
msp.add_point((3, 4, 5), dxfattribs={"thickness": 0.25})
msp.add_solid([(0, 0), (1, 0), (0, 1), (1, 1)], dxfattribs={"color": 42})
msp.add_solid([(0, 0), (2, 0), (1, 2)])
if version not in ("R12", "R2000"):
    msp.add_circle((20, 20), 3, dxfattribs={"true_color": 0x3366CC})  # true colours came with R2004
if old:
    p = msp.add_polyline2d([(0, 0), (4, 0), (4, 3)], close=True)
    p.dxf.default_start_width = 0.5
    p.dxf.default_end_width = 0.5
else:
    msp.add_lwpolyline([(0, 0), (4, 0, 0, 0, 1), (4, 3)], format="xyseb", close=True,
                       dxfattribs={"const_width": 0.5, "layer": "Walls", "lineweight": 35})
    pl = msp.add_lwpolyline([(0, 0), (2, 2)], dxfattribs={"lineweight": -2})
    pl.dxf.flags = 128
    p2 = msp.add_polyline2d([(0, 0), (5, 0), (5, 5)], dxfattribs={"layer": "Walls"})
    p2.dxf.flags = p2.dxf.flags | 128
    msp.add_mtext("First line\\PSecond – line with é, Č and Ω " + "x" * 300, dxfattribs={
        "insert": (1, 2, 0), "char_height": 0.35, "width": 12.5, "attachment_point": 5, "flow_direction": 3,
        "rotation": 30, "line_spacing_factor": 1.25, "line_spacing_style": 2})
    m2 = msp.add_mtext("Direction", dxfattribs={"insert": (0, 0, 0), "text_direction": (0, 1, 0),
                                                "attachment_point": 13})
    m2.set_bg_color(3)
    solid = msp.add_3dsolid()
    solid.sat = ["400 0 1 0", "16 ASM line one", "body $-1 #", "End-of-ACIS-data"]
ref = msp.add_blockref("CHAIR", (7, 8, 0), dxfattribs={"xscale": 2, "yscale": 3, "rotation": 45, "layer": "Walls"})
ref.add_auto_attribs({"TAG": "C-1", "PRICE": "12.50"})
msp.add_blockref("CHAIR", (1, 1, 0))
line = msp.add_line((0, 0, 0), (0, -1, 0))
line.set_xdata("MYAPP", [(1000, "hello é"), (1040, 3.5), (1070, 7), (1010, (1, 2, 3))])
if not old:
    line.set_hyperlink("https://example.com/a", "Example")

if binary:
    doc.saveas(out, fmt="bin")
else:
    doc.saveas(out)

# What ezdxf reads back is what the database must hold.
doc = ezdxf.readfile(out)
msp = doc.modelspace()


def p3(v):
    v = tuple(v) + (0.0,) * (3 - len(tuple(v)))
    return "%r,%r,%r" % (float(v[0]), float(v[1]), float(v[2]))


def common(e):
    d = e.dxf
    return ["layer=" + d.layer, "color=%d" % d.get("color", 256), "linetype=" + d.get("linetype", "BYLAYER"),
            "ltscale=%r" % d.get("ltscale", 1.0), "lineweight=%d" % d.get("lineweight", -1),
            "truecolor=%d" % d.get("true_color", -1)]


print("header|luprec=%d|ucsorg=%s|ucsxdir=%s|ucsydir=%s|version=%s" % (
    doc.header["$LUPREC"], p3(doc.header["$UCSORG"]), p3(doc.header["$UCSXDIR"]), p3(doc.header["$UCSYDIR"]),
    doc.dxfversion))
for e in msp:
    t = e.dxftype()
    d = e.dxf
    f = common(e)
    if t == "LINE":
        f += ["start=" + p3(d.start), "end=" + p3(d.end), "thickness=%r" % d.get("thickness", 0.0)]
    elif t == "ARC":
        f += ["center=" + p3(d.center), "radius=%r" % d.radius, "start=%r" % d.start_angle, "end=%r" % d.end_angle,
              "thickness=%r" % d.get("thickness", 0.0)]
    elif t == "CIRCLE":
        f += ["center=" + p3(d.center), "radius=%r" % d.radius, "thickness=%r" % d.get("thickness", 0.0)]
    elif t == "POINT":
        f += ["position=" + p3(d.location), "thickness=%r" % d.get("thickness", 0.0)]
    elif t == "SOLID":
        f += ["v%d=%s" % (i, p3(d.get("vtx%d" % i, d.vtx2))) for i in range(4)]
    elif t == "LWPOLYLINE":
        f += ["closed=%d" % int(e.closed), "plinegen=%d" % int(bool(d.flags & 128)),
              "width=%r" % d.get("const_width", 0.0), "verts=" + ";".join("%r,%r,%r" % (x, y, b) for x, y, s, w, b in
                                                                      e.get_points("xyseb"))]
    elif t == "POLYLINE":
        w = d.get("default_start_width", 0.0)
        f += ["closed=%d" % int(e.is_closed), "plinegen=%d" % int(bool(d.flags & 128)), "width=%r" % w,
              "verts=" + ";".join("%r,%r,%r" % (v.dxf.location[0], v.dxf.location[1], v.dxf.get("bulge", 0.0))
                                  for v in e.vertices)]
        t = "LWPOLYLINE"   # the database holds 2D polylines as polylines
    elif t == "MTEXT":
        f += ["location=" + p3(d.insert), "text=" + e.text.replace("|", "!"), "height=%r" % d.char_height,
              "width=%r" % d.get("width", 0.0), "attachment=%d" % d.attachment_point,
              "flow=%d" % d.get("flow_direction", 1), "rotation=%r" % math.radians(e.get_rotation()),
              "spacing=%r" % d.get("line_spacing_factor", 1.0), "spacingstyle=%d" % d.get("line_spacing_style", 1),
              "background=%d" % int(bool(d.get("bg_fill", 0) & 1))]
    elif t == "INSERT":
        f += ["name=" + d.name, "position=" + p3(d.insert), "scale=%s" % p3((d.xscale, d.yscale, d.zscale)),
              "rotation=%r" % math.radians(d.rotation),
              "attribs=" + ";".join("%s:%s" % (a.dxf.tag, a.dxf.text) for a in e.attribs)]
    elif t == "3DSOLID":
        f += ["satlines=%d" % len(e.sat)]
    if e.has_xdata("MYAPP"):
        f += ["xdata=" + ";".join("%d:%s" % (tag.code, tag.value if not isinstance(tag.value, tuple) else p3(tag.value))
                                  for tag in e.get_xdata("MYAPP"))]
    if not old and e.has_xdata("PE_URL"):
        f += ["hyperlink=" + e.get_hyperlink()[0]]
    # ezdxf keeps \U+XXXX escapes of old versions as they are; the host decodes them.
    line = "|".join([d.handle, t] + f)
    print(re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), line))
