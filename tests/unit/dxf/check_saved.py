#!/usr/bin/python3
"""Checks a drawing the host saved, as a CAD program would load it (ezdxf).

usage: check_saved.py FILE.dxf
Prints: version, audit errors and fixes, the highest handle against $HANDSEED, and for
each ACAD_TABLE its AcDbTable row and column counts, cell texts and extended data.
"""
import os
import sys

import ezdxf
from ezdxf.lldxf.tagwriter import TagCollector

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "e2e", "lib"))
from dxftags import groups  # noqa: E402

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("version|%s" % doc.dxfversion)
print("audit|%d|%d" % (len(auditor.errors), len(auditor.fixes)))
for e in auditor.errors + auditor.fixes:
    print("problem|%s" % e.message)


# Handles as the file holds them (ezdxf makes some of its own while loading).
tags = groups(sys.argv[1])
handles = [int(tags[i][1], 16) for i in range(1, len(tags))
           if tags[i][0] in (5, 105) and not (tags[i - 1][0] == 9 and tags[i - 1][1].strip() == b"$HANDSEED")]
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
