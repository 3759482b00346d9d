#!/usr/bin/python3
"""Makes the sample drawings: an office floor with furnished rooms, as users extract from,
drawn in metres ($INSUNITS 6).

Run with Debian's interpreter (it has python3-ezdxf):  /usr/bin/python3 samples/make_samples.py [folder]
Writes office_floor.dxf (R2010), office_floor_r2000.dxf and office_floor_r2018.dxf.
"""
import math
import os
import re
import sys

import ezdxf

# The furniture of each room: (block, tag, maker, price, quantity), placed in a row.
ROOMS = [
    ("Office 101", (0, 0), [("DESK", "D-101", "Steelcase", "450.00", "1"),
                            ("CHAIR", "C-101", "Herman Miller", "1299.00", "2"),
                            ("CABINET", "K-101", "Bisley", "219.50", "1")]),
    ("Office 102", (6, 0), [("DESK", "D-102", "Steelcase", "450.00", "1"),
                            ("CHAIR", "C-102", "Vitra", "845.00", "1"),
                            ("PLANT", "P-102", "Green & Co", "39.90", "3")]),
    ("Meeting Room", (12, 0), [("TABLE", "T-201", "Vitra", "2100.00", "1"),
                               ("CHAIR", "C-201", "Vitra", "845.00", "8"),
                               ("PLANT", "P-201", "Green & Co", "39.90", "2")]),
    ("Reception", (0, 5), [("DESK", "D-001", "USM", "1890.00", "1"),
                           ("CHAIR", "C-001", "Herman Miller", "1299.00", "1"),
                           ("SOFA", "S-001", "Knoll", "3150.00", "1")]),
]

BLOCK_SIZES = {"DESK": (1.6, 0.8), "CHAIR": (0.5, 0.5), "CABINET": (0.8, 0.45), "PLANT": (0.4, 0.4),
               "TABLE": (2.4, 1.2), "SOFA": (2.0, 0.9)}


def define_layers(doc):
    layers = [("Walls", 7, 50, "Continuous"), ("Furniture", 3, 25, "Continuous"),
              ("Doors", 30, 18, "Continuous"), ("Annotation", 2, 13, "Continuous"),
              ("Electrical", 1, 9, "DASHED"), ("Hatch", 8, -3, "Continuous"), ("Equipment", 5, 35, "Continuous")]
    if "DASHED" not in doc.linetypes:
        doc.linetypes.add("DASHED", pattern=[0.5, 0.3, -0.2], description="Dashed __ __ __")
    for name, color, weight, ltype in layers:
        doc.layers.add(name, color=color, lineweight=weight, linetype=ltype)


def define_furniture(doc):
    for name, (w, h) in BLOCK_SIZES.items():
        blk = doc.blocks.new(name=name)
        # Drawn on layer 0 with by-block colour so that the reference's values show.
        blk.add_lwpolyline([(0, 0), (w, 0), (w, h), (0, h)], close=True,
                           dxfattribs={"layer": "0", "color": 0, "lineweight": -2})
        blk.add_line((0, 0), (w, h), dxfattribs={"layer": "0", "color": 0, "linetype": "BYBLOCK"})
        for i, tag in enumerate(("TAG", "MAKER", "PRICE", "QUANTITY", "ROOM")):
            blk.add_attdef(tag, (0, round(-0.15 - i * 0.12, 6)), dxfattribs={"height": 0.1, "layer": "0"})


def define_door(doc):
    """The door as a dynamic block: its definition, and the evaluation graph written later."""
    door = doc.blocks.new(name="Door")
    door.add_line((0, 0), (0.9, 0), dxfattribs={"layer": "0"})
    door.add_line((0, 0), (0, 0.9), dxfattribs={"layer": "0"})
    door.add_arc((0, 0), 0.9, 0, 90, dxfattribs={"layer": "0"})
    return door


# The door's evaluation graph as CAD programs store it: nodes in order, each naming its
# expression by id (the expression's group 90), which is not the node's index; grips and
# actions are nodes too. (node kind, expression id)
DOOR_NODES = [("BLOCKLINEARPARAMETER", 1), ("BLOCKLINEARGRIP", 2), ("BLOCKFLIPPARAMETER", 4),
              ("BLOCKVISIBILITYPARAMETER", 7)]
DOOR_STATES = ["Open", "Closed"]
# Each changed door's record starts with this header, as in the files CAD programs write.
RECORD_HEADER = [(1071, 18597260), (1071, 25303744), (70, 25), (70, 104)]


def place_door(doc, msp, door, at, width, flipped, state):
    """A changed door as the CAD program stores it: an anonymous *U copy tagged with its
    definition, and one record per parameter named by the parameter's expression id."""
    anon = doc.blocks.new_anonymous_block("U")
    w = width
    anon.add_line((0, 0), (w, 0), dxfattribs={"layer": "0"})
    anon.add_line((0, 0), (0, w), dxfattribs={"layer": "0"})
    anon.add_arc((0, 0), w, 0, 90, dxfattribs={"layer": "0"})
    anon.block_record.set_xdata("AcDbBlockRepBTag", [(1070, 1), (1005, door.block_record.dxf.handle)])
    ref = msp.add_blockref(anon.name, at, dxfattribs={"layer": "Doors", "lineweight": 18})
    xdict = ref.new_extension_dict()
    rep = xdict.dictionary.add_new_dict("AcDbBlockRepresentation")
    rep.add_xrecord("AcDbRepData")  # becomes the representation-data object (see finish_dynamic)
    cache = rep.add_new_dict("AppDataCache")
    data = cache.add_new_dict("ACAD_ENHANCEDBLOCKDATA")
    # Linear and flip parameters keep their base and end points (and a normal), the flip its
    # state after them; the visibility parameter its point and the state's name.
    axis = [(10, (0.0, 0.0, 0.0)), (10, (float(width), 0.0, 0.0)), (10, (0.0, 0.0, -1.0))]
    values = {"1": axis, "4": axis + [(70, 1 if flipped else 0)], "7": [(10, (0.45, 0.45, 0.0)), (1, state)]}
    for expression, tags in values.items():
        xr = data.add_xrecord(expression)
        xr.reset(RECORD_HEADER + tags)
    return ref


def add_floor(doc):
    msp = doc.modelspace()
    # Outer walls and room partitions as wide closed polylines.
    msp.add_lwpolyline([(-0.2, -0.2), (18.2, -0.2), (18.2, 9.2), (-0.2, 9.2)], close=True,
                       dxfattribs={"layer": "Walls", "const_width": 0.2})
    for x in (5.9, 11.9):
        msp.add_lwpolyline([(x, -0.2), (x, 4.5)], dxfattribs={"layer": "Walls", "const_width": 0.1})
    msp.add_lwpolyline([(-0.2, 4.5), (18.2, 4.5)], dxfattribs={"layer": "Walls", "const_width": 0.1,
                                                                "linetype": "BYLAYER"})
    pl = msp.add_lwpolyline([(13, 5.5), (16, 5.5, 0, 0, 0.5), (16, 8), (13, 8)],
                            format="xyseb", close=True, dxfattribs={"layer": "Equipment", "color": 5})
    pl.dxf.flags = pl.dxf.flags | 128  # linetype generation on
    # Lines, arcs, circles, points, solids.
    msp.add_line((0, 4.4), (5.8, 4.4), dxfattribs={"layer": "Electrical", "lineweight": 9})
    msp.add_line((6, 4.4), (11.8, 4.4), dxfattribs={"layer": "Electrical", "color": 1, "thickness": 0.125})
    msp.add_arc((9, 7), 1.2, 30, 150, dxfattribs={"layer": "Equipment"})
    msp.add_arc((15, 2), 0.605, 200, 340, dxfattribs={"layer": "Equipment", "color": 256})
    msp.add_circle((3, 2), 0.3, dxfattribs={"layer": "Equipment", "lineweight": 35})
    msp.add_circle((14.5, 6.7), 0.4525, dxfattribs={"layer": "Equipment", "color": 0})
    for i, (x, y) in enumerate([(1, 4.3), (7, 4.3), (13, 4.3)]):
        msp.add_point((x, y, 0), dxfattribs={"layer": "Electrical", "thickness": i * 0.1})
    msp.add_solid([(0.1, 0.1), (0.6, 0.1), (0.1, 0.4), (0.6, 0.4)], dxfattribs={"layer": "Hatch", "color": 8})
    msp.add_solid([(17, 8), (17.8, 8), (17.4, 8.8)], dxfattribs={"layer": "Hatch"})
    solid = msp.add_3dsolid(dxfattribs={"layer": "Equipment"})
    solid.sat = ["21200 115 2 26", "16 Autodesk AutoCAD 19 ASM 226.0.0.0 NT 24 Wed Jan 01 00:00:00 2020",
                 "1 9.9999999999999995e-07 1e-10", "body $-1 -1 $-1 $1 $-1 $2 #", "End-of-ACIS-data"]
    # Texts: room names and notes as multiline text.
    for name, (x, y), _ in ROOMS:
        msp.add_mtext(name, dxfattribs={"layer": "Annotation", "char_height": 0.25, "insert": (x + 0.2, y + 4.2),
                                        "attachment_point": 1, "width": 3})
    note = msp.add_mtext("Fire exit\\Pkeep clear", dxfattribs={
        "layer": "Annotation", "char_height": 0.12, "insert": (17, 4), "attachment_point": 5,
        "width": 1.5, "rotation": 90, "line_spacing_factor": 1.5, "line_spacing_style": 2})
    note.set_bg_color(2, scale=1.5)
    msp.add_mtext("Server room: \\U+00E9quipement r\\U+00E9seau", dxfattribs={
        "layer": "Annotation", "char_height": 0.1, "insert": (13.2, 7.9), "attachment_point": 7,
        "text_direction": (0, 1, 0)})
    msp.add_text("Level 1", dxfattribs={"layer": "Annotation", "height": 0.3, "insert": (0, 9.5)})
    # Furniture with attributes.
    for room, (ox, oy), items in ROOMS:
        x = ox + 0.5
        for block, tag, maker, price, qty in items:
            ref = msp.add_blockref(block, (x, oy + 1.5), dxfattribs={"layer": "Furniture", "rotation": 0})
            ref.add_auto_attribs({"TAG": tag, "MAKER": maker, "PRICE": price, "QUANTITY": qty, "ROOM": room})
            x = round(x + BLOCK_SIZES[block][0] + 0.4, 6)  # no binary fraction noise in the file
    # One plain reference with a hyperlink and by-block values.
    lamp = msp.add_blockref("PLANT", (16.5, 1), dxfattribs={"layer": "Furniture", "color": 0,
                                                                 "linetype": "BYBLOCK", "lineweight": -2})
    lamp.add_auto_attribs({"TAG": "P-301", "MAKER": "Green & Co", "PRICE": "39.90", "QUANTITY": "1",
                           "ROOM": "Corridor"})
    lamp.set_hyperlink("https://example.com/catalog/plant", "Plant catalog")
    msp.query("CIRCLE").first.set_hyperlink("https://example.com/equipment/column", "Column")
    return msp


# The "Standard" table style, in metres: text a little larger than the furniture's attributes
# (legible on a 1:50 plot), and cell margins to match. Tables the data extraction inserts take it.
TABLE_TEXT_HEIGHT = 0.15
TABLE_MARGIN = 0.05


def table_style(margin, height):
    cells = "".join("  7\nStandard\n140\n%s\n170\n%d\n 62\n0\n 63\n7\n283\n0\n 90\n512\n 91\n0\n  1\n\n%s"
                    % (repr(round(height * (1.5 if cell == 1 else 1.0), 9)), 1 if cell == 0 else 2,
                       "".join("%d\n-2\n%d\n1\n %d\n0\n" % (274 + e, 284 + e, 64 + e) for e in range(6)))
                    for cell in range(3))
    return ("  0\nTABLESTYLE\n  5\n{handle}\n102\n{{ACAD_REACTORS\n330\n{owner}\n102\n}}\n330\n{owner}\n"
            "100\nAcDbTableStyle\n280\n0\n  3\nStandard\n 70\n0\n 71\n0\n 40\n%r\n 41\n%r\n280\n0\n281\n0\n"
            % (margin, margin)) + cells.replace("{", "{{").replace("}", "}}")


def finish_dynamic(path, door_handle, graph_handle, node_handles, repdata_handles, style_handle):
    """Replaces placeholder records by the dynamic-block objects and the table style ezdxf does not make."""
    text = open(path, encoding="utf8").read()

    def replace_xrecord(handle, body):
        nonlocal text
        pattern = re.compile(r"  0\nXRECORD\n  5\n%s\n(.*?)(?=  0\n)" % handle, re.S)
        m = pattern.search(text)
        owner = re.search(r"330\n([0-9A-F]+)\n", m.group(1)).group(1)
        text = text[:m.start()] + body.format(handle=handle, owner=owner) + text[m.end():]

    nodes = "".join(" 91\n%d\n 93\n32\n 95\n%d\n360\n%s\n 92\n-1\n 92\n-1\n 92\n-1\n 92\n-1\n"
                    % (i, expression, h) for i, ((_, expression), h) in enumerate(zip(DOOR_NODES, node_handles)))
    replace_xrecord(graph_handle, "  0\nACAD_EVALUATION_GRAPH\n  5\n{handle}\n330\n{owner}\n100\nAcDbEvalGraph\n"
                    " 96\n%d\n 97\n%d\n%s" % (len(DOOR_NODES), len(DOOR_NODES), nodes))
    element = "100\nAcDbEvalExpr\n 90\n%d\n 98\n33\n 99\n329\n100\nAcDbBlockElement\n300\n%s\n 98\n33\n 99\n329\n1071\n0\n"
    two_points = ("100\nAcDbBlockParameter\n280\n1\n281\n0\n100\nAcDbBlock2PtParameter\n"
                  "1010\n0.0\n1020\n0.0\n1030\n0.0\n1011\n0.9\n1021\n0.0\n1031\n0.0\n")
    bodies = {
        "BLOCKLINEARPARAMETER": ("Linear", two_points + "100\nAcDbBlockLinearParameter\n305\nDistance1\n306\n\n"),
        "BLOCKLINEARGRIP": ("Grip", "100\nAcDbBlockGrip\n 91\n1\n 92\n2\n1010\n0.9\n1020\n0.0\n1030\n0.0\n"),
        "BLOCKFLIPPARAMETER": ("Flip", two_points + "100\nAcDbBlockFlipParameter\n305\nFlip state1\n306\n\n"
                                       "307\nNot flipped\n308\nFlipped\n"),
        "BLOCKVISIBILITYPARAMETER": (
            "Visibility", "100\nAcDbBlockParameter\n280\n1\n281\n0\n100\nAcDbBlock1PtParameter\n"
            "1010\n0.45\n1020\n0.45\n1030\n0.0\n100\nAcDbBlockVisibilityParameter\n281\n1\n"
            "301\nVisibility1\n302\n\n 91\n0\n 93\n0\n 92\n%d\n%s" % (
                len(DOOR_STATES), "".join("303\n%s\n 94\n0\n 95\n0\n" % name for name in DOOR_STATES))),
    }
    for (kind, expression), h in zip(DOOR_NODES, node_handles):
        name, body = bodies[kind]
        replace_xrecord(h, "  0\n%s\n  5\n{handle}\n330\n{owner}\n" % kind + element % (expression, name) + body)
    for h in repdata_handles:
        replace_xrecord(h, "  0\nACDB_BLOCKREPRESENTATION_DATA\n  5\n{handle}\n330\n{owner}\n"
                        "100\nAcDbBlockRepresentationData\n 70\n1\n340\n%s\n" % door_handle)
    replace_xrecord(style_handle, table_style(TABLE_MARGIN, TABLE_TEXT_HEIGHT))
    with open(path, "w", encoding="utf8", newline="") as f:
        f.write(text)


def make(path, version):
    doc = ezdxf.new(version, setup=True, units=6)  # metres, and $MEASUREMENT metric
    doc.header["$LUPREC"] = 2
    doc.header["$TEXTSIZE"] = 0.25
    doc.appids.add("AcDbBlockRepBTag")
    define_layers(doc)
    define_furniture(doc)
    door = define_door(doc)
    # The definition's evaluation graph and its parameters, as placeholders for now.
    xdict = door.block_record.new_extension_dict()
    graph = xdict.dictionary.add_xrecord("ACAD_ENHANCEDBLOCK")
    nodes = [doc.objects.add_xrecord(owner=graph.dxf.handle) for _ in DOOR_NODES]
    msp = add_floor(doc)
    refs = [place_door(doc, msp, door, (2.5, 4.5), 0.9, False, "Open"),
            place_door(doc, msp, door, (8.5, 4.5), 1.0, True, "Closed")]
    # An unchanged door references the definition itself.
    msp.add_blockref("Door", (14.5, 4.5), dxfattribs={"layer": "Doors", "rotation": 180})
    repdata = [r.get_extension_dict()["AcDbBlockRepresentation"]["AcDbRepData"].dxf.handle for r in refs]
    style = doc.rootdict["ACAD_TABLESTYLE"].add_xrecord("Standard")
    doc.saveas(path)
    finish_dynamic(path, door.block_record.dxf.handle, graph.dxf.handle, [n.dxf.handle for n in nodes], repdata,
                   style.dxf.handle)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    make(os.path.join(folder, "office_floor.dxf"), "R2010")
    make(os.path.join(folder, "office_floor_r2000.dxf"), "R2000")
    make(os.path.join(folder, "office_floor_r2018.dxf"), "R2018")


if __name__ == "__main__":
    main()
