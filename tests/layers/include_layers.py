#!/usr/bin/python3
"""Which folder may include which (docs/ARCHITECTURE.md): every quoted include line of the
plug-in and the platform is checked against the layers. Usage: include_layers.py SOURCE_DIR"""
import os
import re
import sys

root = sys.argv[1] if len(sys.argv) > 1 else os.environ.get("KV_SOURCE_DIR", ".")

# The plug-in's folders, lowest first: each may include itself, the folders before it and the
# platform's public headers ("kv/", "kvui/"), the only part of the platform the plug-in sees.
LAYERS = ["resources", "host", "engine", "table", "export", "ExcelFormat", "drawing", "ui"]
BELOW = {folder: {"kv", "kvui", *LAYERS[:i]} for i, folder in enumerate(LAYERS)}
# The few lines that reach up, and why.
EXCEPTIONS = {
    # The engine keeps the table it last assembled; TableData.h is a plain type.
    ("engine/ExtractionEngine.h", "table/TableData.h"),
    # The commands start the dialogs.
    ("host/CommandHandlers.cpp", "ui/DlgAssist1.h"),
    ("host/CommandHandlers.cpp", "ui/DlgUpdateA1.h"),
}
PLUGIN = set(BELOW)
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')

problems = []
for top, _, files in sorted(os.walk(root)):
    rel_top = os.path.relpath(top, root)
    first = rel_top.split(os.sep)[0]
    if first not in PLUGIN and first != "platform":
        continue
    for name in sorted(files):
        if not name.endswith((".h", ".cpp")):
            continue
        path = os.path.join(rel_top, name)
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m or "/" not in m.group(1):
                    continue  # a header beside the source
                target = m.group(1)
                folder = target.split("/")[0]
                if first == "platform":
                    bad = folder in PLUGIN and folder not in {"kv", "kvui"}
                    why = "the platform includes a plug-in header"
                else:
                    bad = folder != first and folder not in BELOW[first] and (path, target) not in EXCEPTIONS
                    why = "%s/ may include %s" % (first, ", ".join(sorted(BELOW[first])) + " and itself")
                if bad:
                    problems.append("%s:%d: %s (%s)" % (path, number, target, why))

for p in problems:
    print(p)
print("%d include lines out of their layer" % len(problems) if problems else "includes keep to their layers")
sys.exit(1 if problems else 0)
