#!/usr/bin/python3
"""Writes a large drawing for the load and save benchmark: the sample office floor's
tables and blocks, with N entities in model space, about 40% of them furniture
references with five attributes each.

usage: make_big_drawing.py OUT.dxf [N=200000]
"""
import os
import random
import re
import sys

out = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else 200000
here = os.path.dirname(os.path.abspath(__file__))
base = open(os.path.join(here, "..", "samples", "office_floor.dxf"), encoding="utf8").read()

seed = int(re.search(r"\$HANDSEED\n  5\n([0-9A-F]+)\n", base).group(1), 16)
model = re.search(r"  0\nBLOCK_RECORD\n  5\n([0-9A-F]+)\n(?:.*?\n)*?  2\n\*Model_Space\n", base).group(1)
blocks = ["DESK", "CHAIR", "CABINET", "PLANT", "TABLE", "SOFA"]
makers = ["Steelcase", "Vitra", "Herman Miller", "USM", "Knoll", "Bisley"]
layers = ["Walls", "Furniture", "Equipment", "Electrical", "Annotation"]
random.seed(7)

handle = seed
parts = []


def h():
    global handle
    handle += 1
    return "%X" % handle


def head(kind, layer):
    return "  0\n%s\n  5\n%s\n330\n%s\n100\nAcDbEntity\n  8\n%s\n" % (kind, h(), model, layer)


for i in range(count):
    x, y = random.uniform(0, 100000), random.uniform(0, 100000)
    r = i % 10
    if r < 4:
        ref = h()
        block = blocks[i % len(blocks)]
        parts.append("  0\nINSERT\n  5\n%s\n330\n%s\n100\nAcDbEntity\n  8\nFurniture\n100\nAcDbBlockReference\n"
                     " 66\n1\n  2\n%s\n 10\n%.3f\n 20\n%.3f\n 30\n0.0\n" % (ref, model, block, x, y))
        values = [("TAG", "%s-%d" % (block[0], i)), ("MAKER", makers[i % len(makers)]),
                  ("PRICE", "%.2f" % random.uniform(20, 3000)), ("QUANTITY", str(1 + i % 5)),
                  ("ROOM", "Room %d" % (i % 300))]
        for k, (tag, value) in enumerate(values):
            parts.append("  0\nATTRIB\n  5\n%s\n330\n%s\n100\nAcDbEntity\n  8\nFurniture\n100\nAcDbText\n"
                         " 10\n%.3f\n 20\n%.3f\n 30\n0.0\n 40\n100.0\n  1\n%s\n100\nAcDbAttribute\n  2\n%s\n 70\n0\n"
                         % (h(), ref, x, y - 150 - 120 * k, value, tag))
        parts.append("  0\nSEQEND\n  5\n%s\n330\n%s\n100\nAcDbEntity\n  8\nFurniture\n" % (h(), ref))
    elif r < 6:
        parts.append(head("LINE", layers[i % 5]) + "100\nAcDbLine\n 10\n%.3f\n 20\n%.3f\n 30\n0.0\n"
                     " 11\n%.3f\n 21\n%.3f\n 31\n0.0\n" % (x, y, x + 500, y + 250))
    elif r == 6:
        parts.append(head("CIRCLE", "Equipment") + "100\nAcDbCircle\n 10\n%.3f\n 20\n%.3f\n 30\n0.0\n 40\n%.3f\n"
                     % (x, y, random.uniform(10, 500)))
    elif r == 7:
        parts.append(head("ARC", "Equipment") + "100\nAcDbCircle\n 10\n%.3f\n 20\n%.3f\n 30\n0.0\n 40\n250.0\n"
                     "100\nAcDbArc\n 50\n30.0\n 51\n150.0\n" % (x, y))
    elif r == 8:
        parts.append(head("LWPOLYLINE", "Walls") + "100\nAcDbPolyline\n 90\n4\n 70\n1\n 43\n100.0\n"
                     " 10\n%.3f\n 20\n%.3f\n 10\n%.3f\n 20\n%.3f\n 10\n%.3f\n 20\n%.3f\n 10\n%.3f\n 20\n%.3f\n"
                     % (x, y, x + 3000, y, x + 3000, y + 2000, x, y + 2000))
    else:
        parts.append(head("MTEXT", "Annotation") + "100\nAcDbMText\n 10\n%.3f\n 20\n%.3f\n 30\n0.0\n 40\n250.0\n"
                     " 41\n3000.0\n 71\n1\n  1\nRoom %d\\Pfloor 1\n" % (x, y, i))

entities_end = base.index("  0\nENDSEC\n", base.index("  2\nENTITIES\n"))
text = base[:entities_end] + "".join(parts) + base[entities_end:]
text = re.sub(r"\$HANDSEED\n  5\n[0-9A-F]+\n", "$HANDSEED\n  5\n%X\n" % (handle + 1), text, count=1)
with open(out, "w", encoding="utf8", newline="") as f:
    f.write(text)
print(out, len(text), "bytes")
