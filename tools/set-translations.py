#!/usr/bin/env python3
"""Fills translations into the three .ts files from a tab-separated list.

Each non-empty line of the list, outside lines starting with '#':
    context <TAB> source text <TAB> English <TAB> Traditional Chinese
The Simplified Chinese file gets the source text itself. Messages must already
be in the .ts files (run the update_translations target first); a line naming
a message that is not there is reported and the run fails. Write a literal
tab or line break in a text as \\t or \\n.

    tools/set-translations.py texts.tsv
    cmake --build build --target update_translations   # back to lupdate's own layout
"""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

TS_DIR = Path(__file__).resolve().parent.parent / "translations"
COLUMNS = {"en_US.ts": 2, "zh_TW.ts": 3, "zh_CH.ts": 1}


def unescape(text):
    return text.replace("\\t", "\t").replace("\\n", "\n")


def read_list(path):
    rows = []
    for number, line in enumerate(Path(path).read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 4:
            sys.exit(f"{path}:{number}: expected 4 tab-separated fields, found {len(fields)}")
        rows.append([unescape(field) for field in fields])
    return rows


def fill(ts_path, rows, column):
    tree = ET.parse(ts_path)
    messages = {}
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            messages[(name, message.findtext("source"))] = message
    missing = []
    for row in rows:
        message = messages.get((row[0], row[1]))
        if message is None:
            missing.append(f"{row[0]}: {row[1]}")
            continue
        translation = message.find("translation")
        translation.text = row[column]
        translation.attrib.pop("type", None)
    if missing:
        sys.exit(f"{ts_path.name}: not in the file (run update_translations): " + "; ".join(missing))
    ET.indent(tree, space="    ")
    with open(ts_path, "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        out.write(ET.tostring(tree.getroot(), encoding="unicode"))
        out.write("\n")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    rows = read_list(sys.argv[1])
    for name, column in COLUMNS.items():
        fill(TS_DIR / name, rows, column)


if __name__ == "__main__":
    main()
