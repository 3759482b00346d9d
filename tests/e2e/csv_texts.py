#!/usr/bin/python3
"""Texts that break naive CSV files, through kvhost and read back by Python's csv module: quotation
marks, separators and line breaks in attribute values, in the quoted columns and in the column
written without quotes; and multiline texts, whose line feeds come out as a Windows text-mode
stream writes them (CR LF; a CR LF already in the text gives CR CR LF), byte for byte in English
and French."""
import csv
import io
import os
import sys

import ezdxf

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from kvrun import check, finish, kvhost, workdir  # noqa: E402

HOSTILE = [('Green "Co", Ltd', 'a;b'), ('x,y', '"quoted"'), ('Caf\u00e9 ok', '"'), ('plain', 'Green "Co", Ltd'),
           ('a;b', 'x,y'), ("it's", ' spaced ')]

folder = workdir("csvtexts")
drawing = os.path.join(folder, "texts.dxf")
doc = ezdxf.new("R2010")
msp = doc.modelspace()
doc.layers.add("Notes")
msp.add_mtext("a\\Pb\\Pc", dxfattribs={"layer": "Notes", "insert": (0, 0)})  # two paragraph breaks
msp.add_mtext("cr\\U+000D\\Plf", dxfattribs={"insert": (0, 10)})  # a CR, then a paragraph break
block = doc.blocks.new("TAG")
block.add_attdef("MAKER", (0, 0))
block.add_attdef("MODEL", (0, 1))
for i, (maker, model) in enumerate(HOSTILE):
    msp.add_blockref("TAG", (100 + 10 * i, 0)).add_auto_attribs({"MAKER": maker, "MODEL": model})
doc.saveas(drawing)

NO_EXTRA_COLUMNS = "check 1030 off\ncheck 1032 off\ncheck 1028 off\nclick 1\n"


def export(kind, properties, lang, after=""):
    """One wizard run writing out.csv: one object kind, the given properties, no quantity, name
    or totals; `after` acts on the preview first."""
    ui = "click 1\nclick 1\ncellmenu 1022 0 1 2\nitem 1022 %s on\nclick 1\ncellmenu 1025 0 1 2\n" % kind
    ui += "".join("item 1025 %s on\n" % p for p in properties) + NO_EXTRA_COLUMNS
    ui += after + "click 1029\nfile out.csv 1\nclick 1\n"
    run = kvhost(ui, "DATAEXTRACTION\n", drawing=drawing, lang=lang, folder=workdir("csvtexts_run"))
    check(run.returncode == 0 and not run.stderr, "the %s run of %s goes through" % (lang, kind), run)
    return run


def written(run):
    # kvhost prints the full path of the file it wrote.
    for marker in ("CSV export done to : ", "Export CSV terminé vers: "):
        if marker in run.stdout:
            path = run.stdout.split(marker, 1)[1].split("\n", 1)[0]
            if os.path.exists(path):
                with open(path, "rb") as f:
                    return f.read()
    check(False, "a CSV file was written", run)
    return b""


# Multiline texts, byte for byte: the text column quoted, then moved to the column written
# without quotes, which is then quoted because it holds line breaks.
cases = [
    ("MText", ["Contents", "Layer"], "en", "",
     b'"Contents",Layer\r\n"a\r\nb\r\nc",Notes\r\n"cr\r\r\nlf",0\r\n'),
    ("MText", ["Contents", "Layer"], "en", "movecol 1022 2 1\n",
     b'"Layer",Contents\r\n"Notes","a\r\nb\r\nc"\r\n"0","cr\r\r\nlf"\r\n'),
    ("Textmult", ["Index", "Calque"], "fr", "",
     b'"Index";Calque\r\n"a\r\nb\r\nc";Notes\r\n"cr\r\r\nlf";0\r\n'),
    ("Textmult", ["Index", "Calque"], "fr", "movecol 1022 2 1\n",
     b'"Calque";Index\r\n"Notes";"a\r\nb\r\nc"\r\n"0";"cr\r\r\nlf"\r\n'),
]
for kind, properties, lang, after, expected in cases:
    got = written(export(kind, properties, lang, after))
    check(got == expected, "%s %s%s: %r" % (lang, kind, " moved" if after else "", got))

# Hostile attribute values in both columns read back whole by Python's csv module, with the
# separator of each language (the MODEL column is the one written without quotes).
for lang, separator, kind in (("en", ",", "Block"), ("fr", ";", "Bloc")):
    got = written(export(kind, ["MAKER", "MODEL"], lang))
    rows = list(csv.reader(io.StringIO(got.decode("cp1252"), newline=""), delimiter=separator))
    check(rows[:1] == [["MAKER", "MODEL"]], "%s: header %r" % (lang, rows[:1]))
    check(sorted(map(tuple, rows[1:])) == sorted(HOSTILE), "%s: every value read back whole: %r" % (lang, rows[1:]))

finish()
