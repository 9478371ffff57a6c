#!/usr/bin/env python3
"""Checks the catalogue sources in translations/: every text of the window is
translated (no unfinished or empty entry, none left obsolete), and each
translation keeps what the program fills in or relies on: the same %1..%9
places, at most one & (a mnemonic) wherever the source has one, and the
source's leading and trailing blanks (titles are joined to other texts).

With --fresh, the catalogues are first brought up to date with the code in a
copy (scripts/update_translations.sh), so that a text added to the code but
not to the catalogues counts as not translated.

Usage: check_translations.py ROOT [--fresh] [FILE.ts...]; exit status 1 with
one line a fault, 0 when every catalogue is whole.
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACE = re.compile(r"%(\d)")


def mnemonics(text):
    # "&&" is a literal ampersand, not a mnemonic.
    return len(re.findall(r"(?<!&)&(?!&)", text))


def edges(text):
    return (len(text) - len(text.lstrip(" ")), len(text) - len(text.rstrip(" ")))


def faults_of(path):
    faults = []
    root = ET.parse(path).getroot()
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            node = message.find("translation")
            where = f"{path.name}: {name}: {source!r}"
            kind = node.get("type") if node is not None else "missing"
            if kind in ("obsolete", "vanished"):
                faults.append(f"{where}: obsolete (run scripts/update_translations.sh)")
                continue
            text = (node.text or "") if node is not None else ""
            if kind in ("unfinished", "missing") or not text:
                faults.append(f"{where}: not translated")
                continue
            if sorted(PLACE.findall(source)) != sorted(PLACE.findall(text)):
                faults.append(f"{where}: places differ in {text!r}")
            if mnemonics(source) != mnemonics(text):
                faults.append(f"{where}: mnemonics differ in {text!r}")
            if edges(source) != edges(text):
                faults.append(f"{where}: leading or trailing blanks differ in {text!r}")
    return faults


def refreshed(root, files, folder):
    copies = []
    for path in files:
        copy = pathlib.Path(folder, path.name)
        shutil.copyfile(path, copy)
        copies.append(copy)
    subprocess.run(["bash", str(pathlib.Path(root, "scripts", "update_translations.sh"))]
                   + [str(copy) for copy in copies], check=True)
    return copies


def main(argv):
    args = argv[1:]
    fresh = "--fresh" in args
    args = [arg for arg in args if arg != "--fresh"]
    if not args:
        print(__doc__, file=sys.stderr)
        return 2
    root = args[0]
    files = [pathlib.Path(p) for p in args[1:]] or sorted(
        pathlib.Path(root, "translations").glob("*.ts"))
    if not files:
        print("check_translations: no catalogue found", file=sys.stderr)
        return 1
    with tempfile.TemporaryDirectory() as folder:
        if fresh:
            files = refreshed(root, files, folder)
        faults = [fault for path in files for fault in faults_of(path)]
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
