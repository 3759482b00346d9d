#!/usr/bin/python3
"""Dynamic-block properties of drawings CAD programs wrote: the property names and values an
extraction gives for each reference are the ones the file stores, worked out here from the
file's raw groups (not through the host's reader).

What a file stores, as read here: the reference's definition (the block itself when its
extension dictionary holds ACAD_ENHANCEDBLOCK, else the AcDbBlockRepBTag handle of its
anonymous block, else its AcDbRepData's 340), named by its AcDbDynamicBlockTrueName when it
is anonymous; the definition's evaluation graph, whose nodes (95) name the parameters by
expression id (the parameter's group 90); per parameter, the reference's record of that
name under AcDbBlockRepresentation/AppDataCache/ACAD_ENHANCEDBLOCKDATA (a 1071, 1071, 70, 70
header, then points, a flip state or a text), or the definition's own values without one.
Angles in radians, as the host's dynamic properties give them."""
import glob
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from dxftags import records, text  # noqa: E402
from kvrun import check, csv_rows, finish, kvhost, workdir  # noqa: E402

CORPUS = os.environ.get("KV_REAL_DXF", "")


def version_utf8(recs):
    """Whether texts are UTF-8, and $LUPREC (the header's variables are groups of its SECTION)."""
    tags = next((r.tags for r in recs if r.kind == "SECTION" and r.first(2, b"").strip() == b"HEADER"), [])
    version, luprec = b"AC1009", 4
    for i, (c, v) in enumerate(tags):
        if c == 9 and v.strip() == b"$ACADVER":
            version = tags[i + 1][1].strip()
        if c == 9 and v.strip() == b"$LUPREC":
            luprec = tags[i + 1][1]
    return version >= b"AC1021", luprec


def number(x, luprec):
    """A real as the extraction shows it: rounded half up to the drawing's precision, "%g"."""
    step = {0: 1.0, 1: 0.1, 2: 0.01, 3: 0.001, 4: 0.0001, 5: 1e-5, 6: 1e-6, 7: 1e-7}.get(luprec, 1e-8)
    return "%g" % (math.floor(x / step + 0.5) * step)


class Drawing:
    def __init__(self, path):
        self.recs = records(path)
        self.utf8, self.luprec = version_utf8(self.recs)
        self.by_handle = {}
        for r in self.recs:
            if r.section in ("TABLES", "OBJECTS", "ENTITIES", "BLOCKS") and r.handle() is not None:
                self.by_handle[r.handle()] = r
        self.block_records = {self.name(r).upper(): r for r in self.recs if r.kind == "BLOCK_RECORD"}

    def name(self, rec, code=2):
        return text(rec.first(code, b""), self.utf8)

    def entries(self, handle):
        """The entries of a dictionary: name -> handle."""
        rec = self.by_handle.get(handle)
        out, tags = {}, rec.tags if rec else []
        for (c, v), (c2, v2) in zip(tags, tags[1:]):
            if c == 3 and c2 in (350, 360):
                out[text(v, self.utf8)] = int(v2, 16)
        return out

    def entry(self, handle, *path):
        for name in path:
            if handle is None:
                return None
            handle = self.entries(handle).get(name)
        return handle

    def is_definition(self, btr):
        return btr is not None and self.entry(btr.xdictionary(), "ACAD_ENHANCEDBLOCK") is not None

    def definition(self, insert):
        btr = self.block_records.get(self.name(insert).upper())
        if btr is None:
            return None
        if self.is_definition(btr):
            return btr
        if not self.name(btr).upper().startswith("*U"):
            return None
        for c, v in btr.xdata(b"AcDbBlockRepBTag"):
            if c == 1005:
                return self.by_handle.get(int(v, 16))
        rep = self.entry(insert.xdictionary(), "AcDbBlockRepresentation", "AcDbRepData")
        if rep is not None:
            target = self.by_handle.get(int(self.by_handle[rep].first(340, b"0"), 16))
            return target if self.is_definition(target) else None
        return None

    def definition_name(self, btr):
        true_name = [v for c, v in btr.xdata(b"AcDbDynamicBlockTrueName") if c == 1000]
        if self.name(btr).startswith("*") and true_name and true_name[0]:
            return text(true_name[0], self.utf8)
        return self.name(btr)

    def parameters(self, btr):
        """(kind, expression id, parameter record) in the order of the evaluation graph."""
        graph = self.by_handle.get(self.entry(btr.xdictionary(), "ACAD_ENHANCEDBLOCK"))
        out, node = [], {}
        for c, v in graph.tags if graph else []:
            if c == 91:
                node = {"node": v}
            elif c == 95 and "node" in node:
                node["expression"] = v
            elif c == 360 and "node" in node:
                rec = self.by_handle.get(int(v, 16))
                if rec is not None and rec.kind.endswith("PARAMETER"):
                    out.append((rec.kind, node.get("expression", rec.first(90)), rec))
                node = {}
        return out

    def stored_state(self, insert, expression):
        """Points, integers and texts of the reference's record, after its header; None without one."""
        records_dict = self.entry(insert.xdictionary(), "AcDbBlockRepresentation", "AppDataCache",
                                  "ACAD_ENHANCEDBLOCKDATA")
        handle = self.entry(records_dict, str(expression))
        if handle is None:
            return None
        tags = self.by_handle[handle].subclass(b"AcDbXrecord")
        if tags and tags[0][0] == 280:
            tags = tags[1:]  # cloning flag, not data
        if [c for c, _ in tags[:4]] == [1071, 1071, 70, 70]:
            tags = tags[4:]
        points, ints, texts = [], [], []
        for i, (c, v) in enumerate(tags):
            if c == 10:
                points.append((v, tags[i + 1][1], tags[i + 2][1] if tags[i + 2][0] == 30 else 0.0))
            elif c == 70:
                ints.append(v)
            elif c == 1:
                texts.append(text(v, self.utf8))
        return points, ints, texts

    @staticmethod
    def point(tags, code, nth=0):
        for i, (c, v) in enumerate(tags):
            if c == code:
                if nth == 0:
                    return (v, tags[i + 1][1], tags[i + 2][1])
                nth -= 1
        return None

    def default_state(self, kind, rec):
        two = rec.subclass(b"AcDbBlock2PtParameter")
        if kind in ("BLOCKLINEARPARAMETER", "BLOCKPOLARPARAMETER", "BLOCKXYPARAMETER"):
            return [self.point(two, 1010), self.point(two, 1011)], [], []
        if kind == "BLOCKROTATIONPARAMETER":
            own = rec.subclass(b"AcDbBlockRotationParameter")
            base = self.point(own, 1011)
            extra = [(0.0, 0.0, 1.0), base] if base else []
            return [self.point(two, 1010), self.point(two, 1011)] + extra, [], []
        if kind in ("BLOCKPOINTPARAMETER", "BLOCKBASEPOINTPARAMETER"):
            return [self.point(rec.subclass(b"AcDbBlock1PtParameter"), 1010)], [], []
        if kind == "BLOCKFLIPPARAMETER":
            return [], [0], []
        if kind == "BLOCKVISIBILITYPARAMETER":
            states = [text(v, self.utf8) for c, v in rec.subclass(b"AcDbBlockVisibilityParameter") if c == 303]
            return [], [], states[:1]
        return [], [], []

    def properties(self, insert, btr):
        """The dynamic properties the reference shows: name -> value text."""
        props = {}
        for kind, expression, rec in self.parameters(btr):
            state = self.stored_state(insert, expression) or self.default_state(kind, rec)
            points, ints, texts = state
            label = lambda code: self.name(rec, code) or self.name(rec, 300)  # noqa: E731
            angle = lambda a, b: math.atan2(b[1] - a[1], b[0] - a[0]) % (2 * math.pi)  # noqa: E731
            dist = lambda a, b: math.sqrt(sum((q - p) ** 2 for p, q in zip(a, b)))  # noqa: E731
            if kind == "BLOCKLINEARPARAMETER" and len(points) >= 2:
                props[label(305)] = number(dist(points[0], points[1]), self.luprec)
            elif kind in ("BLOCKROTATIONPARAMETER", "BLOCKPOLARPARAMETER") and len(points) >= 2:
                base = angle(points[0], points[3]) if len(points) >= 4 else 0.0
                value = number((angle(points[0], points[1]) - base) % (2 * math.pi), self.luprec)
                if kind == "BLOCKPOLARPARAMETER":
                    props[label(305)] = number(dist(points[0], points[1]), self.luprec)
                    props[self.name(rec, 307)] = value
                else:
                    props[label(305)] = value
            elif kind == "BLOCKXYPARAMETER" and len(points) >= 2:
                props[self.name(rec, 306)] = number(points[1][0] - points[0][0], self.luprec)
                props[label(305)] = number(points[1][1] - points[0][1], self.luprec)
            elif kind == "BLOCKPOINTPARAMETER" and points:
                props[label(303) + " X"] = number(points[0][0], self.luprec)
                props[label(303) + " Y"] = number(points[0][1], self.luprec)
            elif kind == "BLOCKFLIPPARAMETER" and ints:
                props[label(305)] = "1" if ints[0] else "0"
            elif kind == "BLOCKVISIBILITYPARAMETER" and texts:
                props[label(301)] = texts[0]
            elif kind == "BLOCKLOOKUPPARAMETER" and texts:
                props[label(303)] = texts[0]
        props.pop("", None)
        return props

    def expected(self):
        """(name, properties) of every dynamic reference of the drawing's layouts."""
        out = []
        for r in self.recs:
            if r.kind == "INSERT" and r.section == "ENTITIES":
                btr = self.definition(r)
                if btr is not None:
                    out.append((self.definition_name(btr), self.properties(r, btr)))
        return out


def number_rows(path):
    """The CSV file's rows; English numbers group thousands with commas: the value is the number without them."""
    numeric = lambda s: s.replace(",", "").replace(".", "", 1).lstrip("-").isdigit()  # noqa: E731
    return [[c.replace(",", "") if numeric(c) else c for c in row] for row in csv_rows(path)]


def extract(path, categories, dynamic=True):
    """Name and every dynamic property of each reference, one row each, through kvhost: every
    other category of properties the drawing offers is filtered out of the property page."""
    ui = ("click 1\nclick 1\nclick 1\n" + "".join("item 1023 %s off\n" % c for c in categories) +
          ("" if dynamic else "item 1023 Dynamic Block off\n") +
          "cellmenu 1025 0 1 2\ncellmenu 1025 0 1 1\ncheck 1030 off\ncheck 1028 off\nclick 1\n"
          "click 1029\nfile out.csv 1\nclick 1\n")
    folder = workdir("dynamic")
    return folder, kvhost(ui, "DATAEXTRACTION\n", drawing=path, folder=folder)


if not CORPUS or not os.path.isdir(CORPUS):
    print("SKIP: no drawings from other programs here (KV_REAL_DXF=%r)" % CORPUS)
    sys.exit(0)

# One parameter kind each, and a larger drawing in every version and form that has them.
files = sorted(glob.glob(os.path.join(CORPUS, "csdxf__dynamic-blocks_*.dxf")))
check(len(files) == 10, "the ten dynamic-block drawings are there: %d" % len(files))
samples = [f for f in sorted(glob.glob(os.path.join(CORPUS, "csdxf__sample_AC*.dxf"))) if "AC1009" not in f]
for path in files + samples:
    name = os.path.basename(path)
    drawing = Drawing(path)
    expected = drawing.expected()
    if path in samples and not expected:
        continue
    check(expected, name + ": the file holds dynamic references")
    names = sorted({p for _, props in expected for p in props})
    kinds = {r.kind for r in drawing.recs if r.section == "ENTITIES"}
    categories = ["General", "Geometry", "Misc."] + ["Attribute"] * ("ATTRIB" in kinds) + ["Text"] * ("MTEXT" in kinds)
    folder, run = extract(path, categories, dynamic=bool(names))
    if not names:
        # Nothing to show: the property page offers no dynamic-block category at all.
        check(run.returncode == 1 and "list 1023 has no item 'Dynamic Block'" in run.stderr,
              name + ": no dynamic property is offered", run)
        continue
    check(run.returncode == 0 and not run.stderr, name + ": the extraction runs through", run)
    rows = number_rows(os.path.join(folder, "out.csv")) if run.returncode == 0 else [[]]
    header = rows[0]
    check(sorted(header) == sorted(["Name"] + names), name + ": columns %r, expected %r" % (header, names))
    # Other objects are rows too, without dynamic properties: the references are the rows of their names.
    blocks = {n for n, _ in expected}
    got = sorted((row[header.index("Name")], sorted((h, v) for h, v in zip(header, row) if h != "Name" and v))
                 for row in rows[1:] if any(row) and row[header.index("Name")] in blocks)
    want = sorted((n, sorted(props.items())) for n, props in expected)
    check(got == want, name + ": properties\n  got  %r\n  want %r" % (got, want))
finish()
