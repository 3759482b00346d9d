#!/usr/bin/python3
"""Writes an R2000 drawing with what older versions store in several entities or in older
forms: a multi-column text (further columns as MTEXT entities named in its extended data), a
caret-encoded text, and heavy POLYLINE entities of every kind.

usage: make_older_forms_drawing.py OUT.dxf
Prints one line per entity: handle|TYPE|what it is.
"""
import sys

import ezdxf

doc = ezdxf.new("R2000")
msp = doc.modelspace()
columns = msp.add_mtext_static_columns(["one\\Pa", "two", "three"], width=10, gutter_width=1, height=20)
print("%s|MTEXT|columns" % columns.dxf.handle)
caret = msp.add_mtext("x^Iy \\S1^ 2; z")  # a tab and a caret as CAD programs write them
print("%s|MTEXT|caret" % caret.dxf.handle)
plain = msp.add_polyline2d([(0, 0), (4, 0), (4, 3)], close=True)
print("%s|POLYLINE|plain" % plain.dxf.handle)
fitted = msp.add_polyline2d([(0, 0), (4, 0), (4, 3)])
fitted.dxf.flags = fitted.dxf.flags | 2
print("%s|POLYLINE|curve-fit" % fitted.dxf.handle)
print("%s|POLYLINE|3d" % msp.add_polyline3d([(0, 0, 0), (1, 1, 1)]).dxf.handle)
mesh = msp.add_polymesh((2, 2))
print("%s|POLYLINE|mesh" % mesh.dxf.handle)
face = msp.add_polyface()
face.append_face([(0, 0, 0), (1, 0, 0), (1, 1, 0)])
print("%s|POLYLINE|polyface" % face.dxf.handle)
doc.saveas(sys.argv[1])
