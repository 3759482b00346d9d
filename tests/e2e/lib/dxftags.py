"""The raw groups of a DXF file, read here without the host's reader: an outside opinion on
what a drawing holds. ASCII and binary files (R12 binary with one-byte group codes too)."""
import functools
import itertools
import struct

SENTINEL = b"AutoCAD Binary DXF\r\n\x1a\x00"


@functools.lru_cache(maxsize=None)
def value_kind(code):
    """'text', 'binary', 'real', 'int16', 'int32', 'int64' or 'bool' for a group code."""
    if 0 <= code <= 9 or code in (100, 101, 102, 105, 999) or 300 <= code <= 309 or 320 <= code <= 369 or \
            390 <= code <= 399 or 410 <= code <= 419 or 430 <= code <= 439 or 470 <= code <= 481 or \
            1000 <= code <= 1003 or 1005 <= code <= 1009:
        return "text"
    if 310 <= code <= 319 or code == 1004:
        return "binary"
    if 10 <= code <= 59 or 110 <= code <= 149 or 210 <= code <= 239 or 460 <= code <= 469 or 1010 <= code <= 1059:
        return "real"
    if 160 <= code <= 169:
        return "int64"
    if 90 <= code <= 99 or 420 <= code <= 429 or 440 <= code <= 459 or code == 1071:
        return "int32"
    if 290 <= code <= 299:
        return "bool"
    return "int16"


def _binary_groups(data, wanted):
    p = len(SENTINEL)
    # R12 writes group codes in one byte (255 escapes two), later versions in two.
    one_byte = data[p] == 0xFF or (data[p] == 0 and data[p + 1] != 0)
    while p < len(data):
        if one_byte:
            code, p = data[p], p + 1
            if code == 0xFF:
                code, p = struct.unpack_from("<h", data, p)[0], p + 2
        else:
            code, p = struct.unpack_from("<h", data, p)[0], p + 2
        kind = value_kind(code)
        if kind == "text":
            end = data.index(b"\x00", p)
            value, p = data[p:end], end + 1
        elif kind == "binary":
            value, p = data[p + 1:p + 1 + data[p]], p + 1 + data[p]
        elif kind == "real":
            value, p = struct.unpack_from("<d", data, p)[0], p + 8
        elif kind == "int64":
            value, p = struct.unpack_from("<q", data, p)[0], p + 8
        elif kind == "int32":
            value, p = struct.unpack_from("<i", data, p)[0], p + 4
        elif kind == "bool":
            value, p = data[p], p + 1
        else:
            value, p = struct.unpack_from("<h", data, p)[0], p + 2
        if wanted is None or code in wanted:
            yield code, value
        if code == 0 and value == b"EOF":
            return


def _ascii_groups(data, wanted):
    lines = data.split(b"\n")
    codes, values = lines[0:len(lines) - 1:2], lines[1::2]
    # A file spells its codes a few ways only: each spelling converted once (None: not a
    # number, an error when it is met before EOF).
    numbers = {}
    for spelling in set(codes):
        try:
            numbers[spelling] = int(spelling)
        except ValueError:
            numbers[spelling] = None
    kept = {c for c, n in numbers.items() if n is None or n == 0 or wanted is None or n in wanted}
    for i in itertools.compress(range(len(codes)), map(kept.__contains__, codes)):
        code = numbers[codes[i]]
        if code is None:
            int(codes[i])  # raises: what stands there is not a group code
        if code == 0:
            value = values[i].strip()
            if wanted is None or 0 in wanted:
                yield code, value
            if value == b"EOF":
                return
            continue
        raw = values[i].rstrip(b"\r")
        kind = value_kind(code)
        if kind == "real":
            value = float(raw)
        elif kind in ("int16", "int32", "int64", "bool"):
            value = int(float(raw)) if b"." in raw else int(raw)
        else:
            value = raw
        yield code, value


def groups(path, wanted=None):
    """(code, value) pairs in file order: numbers as numbers, texts as bytes (group 0 stripped);
    only the codes of the set `wanted` when one is given (the others are not converted)."""
    with open(path, "rb") as f:
        data = f.read()
    return list(_binary_groups(data, wanted) if data.startswith(SENTINEL) else _ascii_groups(data, wanted))


def text(value, utf8):
    """A text value as the drawing's version encodes it (UTF-8 from R2007, else Windows-1252)."""
    return value.decode("utf-8" if utf8 else "cp1252", errors="replace").strip("\r")


class Record:
    """One record: group 0 and the groups up to the next one."""

    def __init__(self, kind, section, tags):
        self.kind, self.section, self.tags = kind, section, tags

    def first(self, code, default=None):
        for c, v in self.tags:
            if c == code:
                return v
        return default

    def handle(self):
        value = self.first(105 if self.kind == "DIMSTYLE" else 5)
        return int(value, 16) if value else None

    def xdictionary(self):
        inside = False
        for c, v in self.tags:
            if c == 102:
                inside = v.strip() == b"{ACAD_XDICTIONARY"
            elif inside and c == 360:
                return int(v, 16)
        return None

    def _after(self, code, marker):
        out, inside = [], False
        for c, v in self.tags:
            if c == code:
                inside = v.strip() == marker
            elif inside:
                out.append((c, v))
        return out

    def subclass(self, marker):
        """The groups after a 100 marker, up to the next one."""
        return self._after(100, marker)

    def xdata(self, app):
        """The extended data of one application (after its 1001 group)."""
        return self._after(1001, app)


def records(path):
    """Every record with the section it stands in."""
    out, section, current = [], None, None
    for code, value in groups(path):
        if code == 0:
            kind = value.strip().decode("ascii", "replace")
            if current and current.kind == "SECTION":
                section = current.first(2, b"").strip().decode("ascii", "replace")
            current = Record(kind, section, [])
            out.append(current)
            if kind == "ENDSEC":
                section = None
        elif current is not None:
            current.tags.append((code, value))
    return out


def table_groups(table):
    """The groups after an ACAD_TABLE's AcDbTable marker, as ezdxf writes the entity."""
    from ezdxf.lldxf.tagwriter import TagCollector
    collector = TagCollector(dxfversion=table.doc.dxfversion)
    table.export_dxf(collector)
    tags = collector.tags
    start = next(i for i, t in enumerate(tags) if t.code == 100 and t.value == "AcDbTable")
    return tags[start + 1:]
