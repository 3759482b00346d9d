#!/usr/bin/python3
"""Writes a drawing with ezdxf and lists what an extraction must show of each entity.

usage: make_engine_drawing.py OUT.dxf [LUPREC]
One entity a line: handle|kind name|Property=text|...  ("handle|-" for no record);
a line break in a text is written \\n.
The texts are worked out here, from what ezdxf reads back, independently of the plug-in.
"""
import math
import sys

import ezdxf

out = sys.argv[1]
doc = ezdxf.new("R2018")
doc.header["$LUPREC"] = int(sys.argv[2]) if len(sys.argv) > 2 else 2
doc.layers.add("Walls", color=3)
doc.styles.add("Notes", font="arial.ttf")
msp = doc.modelspace()

chair = doc.blocks.new("Chair")
for i, tag in enumerate(("PRICE", "NOTE", "EXP", "UNIT", "EMPTY", "SPACED", "HALF", "WHOLE")):
    chair.add_attdef(tag, (0, -i))
door = doc.blocks.new("Door")
door.add_line((0, 0), (1, 0))
instance = doc.blocks.new_anonymous_block("U")
instance.add_line((0, 0), (1, 0))
instance.block_record.set_xdata("AcDbBlockRepBTag", [(1070, 1), (1005, door.block_record.dxf.handle)])
plain = doc.blocks.new_anonymous_block("U")
plain.add_line((0, 0), (2, 0))
doc.blocks.new("ac$TEMP").add_line((0, 0), (1, 1))
doc.blocks.new("AC$KEEP").add_line((0, 0), (1, 1))

msp.add_line((5, 5, 0), (1, 5, 0), dxfattribs={"layer": "Walls", "color": 0, "linetype": "BYBLOCK"})
msp.add_line((0, 0, 0), (0, -3, 1.25), dxfattribs={"lineweight": 35, "ltscale": 0.333333, "thickness": 1.005})
link = msp.add_line((-1.006, -2.5, 0), (1, 1, 0), dxfattribs={"color": 5})
# Just below +X (an angle of 0, not 360); rounded ends 0 and 0.02, yet 0.014 long.
msp.add_line((0.004, 0, 0), (0.018, -1e-14, 0))
link.set_hyperlink("https://example.com/plan", "Plan")
# Three hyperlinks: the first is shown.
msp.add_line((0, 0), (0, 1)).set_xdata("PE_URL", [(1000, "C:\\docs\\plan.pdf"), (1002, "{"), (1000, "A plan"),
                                                  (1002, "}"), (1000, "https://b"), (1000, "https://c")])
msp.add_circle((-1.5, 2.4, 0), 2.6049)  # twice the rounded radius is not the rounded diameter
msp.add_arc((1, 2, 0), 2, 300, 30)
msp.add_lwpolyline([(0, 0), (4, 0), (4, 3)], close=True,
                   dxfattribs={"const_width": 0.5, "lineweight": -2, "flags": 128})  # linetype generation
# Open, every width 1 but the second segment's end: no global width.
msp.add_lwpolyline([(0, 0, 1, 1), (3, 0, 1, 0.5), (3, 4, 1, 1)], format="xyse")
msp.add_point((3.14159, -2.71828, 0), dxfattribs={"thickness": 0.25})
msp.add_solid([(0, 0), (1, 0), (0, 1)], dxfattribs={"thickness": 2})
msp.add_mtext("First\\PSecond", dxfattribs={"insert": (1, 2, 0), "char_height": 0.3, "width": 12.5,
                                             "attachment_point": 5, "flow_direction": 3, "style": "Notes",
                                             "line_spacing_factor": 1.5, "line_spacing_style": 2, "rotation": 90})
ref = msp.add_blockref("Chair", (7.125, -8.5, 0), dxfattribs={"xscale": 2, "yscale": -1, "zscale": 0.3333,
                                                              "rotation": 45})
# Only numbers are rounded (halves up): not "12,5", "12.5 m", "" or " 1".
ref.add_auto_attribs({"PRICE": "12.50", "NOTE": "12,5", "EXP": "1e2", "UNIT": "12.5 m", "EMPTY": "", "SPACED": " 1",
                      "HALF": "-0.125", "WHOLE": "7"})
msp.add_blockref(instance.name, (1, 1, 0))
msp.add_blockref(plain.name, (2, 2, 0))
msp.add_blockref("ac$TEMP", (3, 3, 0))
msp.add_blockref("AC$KEEP", (4, 4, 0))
doc.saveas(out)

doc = ezdxf.readfile(out)
step = 10.0 ** -doc.header["$LUPREC"]


def r(x):
    return math.floor(x / step + 0.5) * step


def g(x):
    return "%g" % r(x)


def named(text):
    return {"BYLAYER": "ByLayer", "BYBLOCK": "ByBlock"}.get(text.upper(), text)


def common(e):
    d = e.dxf
    color = d.get("color", 256)
    weight = d.get("lineweight", -1)
    link = e.get_hyperlink()[0] if e.has_xdata("PE_URL") else ""
    return ["Layer=" + d.layer,
            "Color=" + {256: "ByLayer", 0: "ByBlock"}.get(color, "%d" % color),
            "Linetype scale=%g" % float("%f" % r(d.get("ltscale", 1.0))),
            "Thickness=" + g(d.get("thickness", 0.0) if d.is_supported("thickness") else 0.0),
            "Line thickness=" + {-1: "ByLayer", -2: "ByBlock", -3: "Default"}.get(weight, g(weight)),
            "Hyperlink=" + link,
            "Linetype=" + named(d.get("linetype", "BYLAYER"))]


def xyz(prefix, p, suffix=""):
    return ["%s%s%s=%s" % (prefix, axis, suffix, g(v)) for axis, v in zip("XYZ", tuple(p) + (0.0,) * 3)]


def swept(start, end):
    s = (end - start) % 360.0
    return s if s > 0 else 360.0


for e in msp:
    t, d = e.dxftype(), e.dxf
    if t == "LINE":
        s, n = d.start, d.end
        angle = r(math.degrees(math.atan2(n[1] - s[1], n[0] - s[0])) % 360.0) % 360.0
        f = ["Line"] + common(e) + ["Angle=%g" % angle, "X Delta=" + g(n[0] - s[0]), "Y Delta=" + g(n[1] - s[1]),
                                    "Z Delta=" + g(n[2] - s[2]), "Length=" + g((n - s).magnitude)]
        f += ["X Start=" + g(s[0]), "Y Start=" + g(s[1]), "Z end=" + g(n[2])]
    elif t == "CIRCLE":
        radius = d.radius
        f = ["Circle"] + common(e) + ["Area=" + g(math.pi * radius ** 2), "Radius=" + g(radius),
                                      "Circumference=" + g(2 * math.pi * radius), "Diameter=%g" % (2 * r(radius))]
        f += xyz("", d.center, " Center")
    elif t == "ARC":
        theta = math.radians(swept(d.start_angle, d.end_angle))
        f = ["Arc"] + common(e) + ["Start angle=" + g(d.start_angle), "End angle=" + g(d.end_angle),
                                   "Total angle=" + g(math.degrees(theta)), "Radius=" + g(d.radius),
                                   "Length=" + g(d.radius * theta),
                                   "Area=" + g(0.5 * d.radius ** 2 * (theta - math.sin(theta)))]
        f += xyz("", d.center, " center")
    elif t == "LWPOLYLINE":
        pts = [(x, y) for x, y in e.get_points("xy")]
        ring = pts + [pts[0]] if e.closed else pts
        length = sum(math.dist(a, b) for a, b in zip(ring, ring[1:]))
        area = abs(sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(pts, pts[1:] + pts[:1]))) / 2
        f = ["Polyline"] + common(e) + ["Area=" + g(area), "Length=" + g(length),
                                        "Global width=" + g(d.get("const_width", 0.0)),
                                        "Closed=" + ("Yes" if e.closed else "No"),
                                        "Linetype generation=" + ("Enabled" if d.flags & 128 else "Disabled")]
    elif t == "POINT":
        f = ["Point"] + common(e) + xyz("", d.location, " position")
    elif t == "SOLID":
        f = ["Solid"] + common(e)
    elif t == "MTEXT":
        justify = {13: "Aligned", 5: "Middle center", 1: "Top left"}[d.attachment_point]
        f = ["MText"] + common(e) + [
            "Contents=" + e.plain_text().replace("\n", "\\n"), "Style=" + d.style, "Justify=" + justify,
            "Direction=" + {1: "Horizontal", 3: "Vertical"}[d.flow_direction],
            "Defined width=" + g(d.width), "Text height=" + g(d.char_height),
            "Line spacing factor=" + g(d.line_spacing_factor),
            "Line spacing distance=" + g(5.0 / 3.0 * d.char_height * d.line_spacing_factor),
            "Line spacing style=" + {1: "At least", 2: "Exactly"}[d.line_spacing_style],
            "Background mask=No", "Rotation=" + g(math.radians(d.rotation))] + xyz("", d.insert, " position")
    elif t == "INSERT":
        name = d.name
        if name.startswith("*U"):
            rep = doc.block_records.get(name)
            tag = rep.get_xdata("AcDbBlockRepBTag") if rep.has_xdata("AcDbBlockRepBTag") else None
            name = doc.entitydb[[v for c, v in tag if c == 1005][0]].dxf.name if tag else name
        if name.startswith("*") or name[:3] in ("ac$", "ny$"):
            print(d.handle + "|-")
            continue
        f = ["Block", "Name=" + name, "Rotation=" + g(d.rotation), "X Scale=" + g(d.xscale),
             "Y Scale=" + g(d.yscale), "Z Scale=" + g(d.zscale)] + xyz("", d.insert, " position")
        for a in e.attribs:
            text = a.dxf.text
            try:
                float(text)
                numeric = all(c in "0123456789.eE+-" for c in text) and not text.startswith(".")
            except ValueError:
                numeric = False
            f.append("%s=%s" % (a.dxf.tag, g(float(text)) if numeric else text))
    else:
        continue
    print("|".join([d.handle] + f))
