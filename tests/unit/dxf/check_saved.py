#!/usr/bin/python3
"""Checks a drawing the host saved, as a CAD program would load it (ezdxf).

usage: check_saved.py FILE.dxf
Prints: version, audit errors and fixes, the highest handle against $HANDSEED, and for
each ACAD_TABLE its AcDbTable row and column counts, cell texts and extended data.
"""
import struct
import sys

import ezdxf
from ezdxf.lldxf.tagwriter import TagCollector

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("version|%s" % doc.dxfversion)
print("audit|%d|%d" % (len(auditor.errors), len(auditor.fixes)))
for e in auditor.errors + auditor.fixes:
    print("problem|%s" % e.message)


def file_tags(data):
    """(code, value) pairs of an ASCII or binary DXF file, values of handles and texts as bytes."""
    sentinel = b"AutoCAD Binary DXF\r\n\x1a\x00"
    if not data.startswith(sentinel):
        lines = data.split(b"\n")
        return [(int(lines[i]), lines[i + 1].strip()) for i in range(0, len(lines) - 1, 2)]
    tags, p = [], len(sentinel)
    while p < len(data):
        code = struct.unpack_from("<h", data, p)[0]
        p += 2
        if code in (5, 105) or 0 <= code <= 9 or code in (100, 102, 999) or 300 <= code <= 309 or \
                320 <= code <= 369 or 390 <= code <= 399 or 410 <= code <= 419 or 430 <= code <= 439 or \
                470 <= code <= 481 or 1000 <= code <= 1003 or 1005 <= code <= 1009:
            end = data.index(b"\x00", p)
            value, p = data[p:end], end + 1
        elif 310 <= code <= 319 or code == 1004:
            value, p = None, p + 1 + data[p]
        elif 10 <= code <= 59 or 110 <= code <= 149 or 210 <= code <= 239 or 460 <= code <= 469 or \
                1010 <= code <= 1059 or 160 <= code <= 169:
            value, p = None, p + 8
        elif 90 <= code <= 99 or 420 <= code <= 429 or 440 <= code <= 459 or code == 1071:
            value, p = None, p + 4
        elif 290 <= code <= 299:
            value, p = None, p + 1
        else:
            value, p = None, p + 2
        tags.append((code, value))
    return tags


# Handles as the file holds them (ezdxf makes some of its own while loading).
tags = file_tags(open(sys.argv[1], "rb").read())
handles = [int(tags[i][1], 16) for i in range(1, len(tags))
           if tags[i][0] in (5, 105) and tags[i - 1][1] != b"$HANDSEED"]
print("handles|%X|%s|%d" % (max(handles), doc.header["$HANDSEED"], len(handles) - len(set(handles))))
for table in doc.modelspace().query("ACAD_TABLE"):
    collector = TagCollector(dxfversion=doc.dxfversion)
    table.export_dxf(collector)
    tags = collector.tags
    start = [i for i, t in enumerate(tags) if t.code == 100 and t.value == "AcDbTable"][0]
    body = tags[start + 1:]
    rows = next(t.value for t in body if t.code == 91)
    cols = next(t.value for t in body if t.code == 92)
    texts = [t.value for t in body if t.code == 1]
    blocks = [t.value for t in body if t.code == 340]
    name = next(t.value for t in tags if t.code == 2)
    graphics = doc.blocks.get(name)
    print("table|%s|%d|%d|%s|%s|%d" % (table.dxf.handle, rows, cols, "\t".join(texts), ",".join(blocks),
                                       len(graphics) if graphics is not None else -1))
    for app in ("obj_handles", "obj_types"):
        if table.has_xdata(app):
            print("xdata|%s|%s|%s" % (table.dxf.handle, app, "\t".join(str(t.value) for t in table.get_xdata(app))))
