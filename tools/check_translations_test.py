#!/usr/bin/env python3
"""Feeds check_translations.py catalogues with one fault each, and a whole one,
and checks that it finds exactly the faults."""
import pathlib
import subprocess
import sys
import tempfile

CHECK = pathlib.Path(__file__).with_name("check_translations.py")

HEAD = '<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n<TS version="2.1" language="de_DE">\n'


def catalogue(source, translation, kind=None):
    attribute = f' type="{kind}"' if kind else ""
    return (HEAD + "<context><name>zandor::T</name><message>"
            f"<source>{source}</source><translation{attribute}>{translation}</translation>"
            "</message></context></TS>\n")


CASES = [
    ("whole", catalogue("Found %1 files ", "%1 Dateien gefunden "), None),
    ("unfinished", catalogue("Ready", "Bereit", "unfinished"), "not translated"),
    ("empty", catalogue("Ready", ""), "not translated"),
    ("obsolete", catalogue("Ready", "Bereit", "vanished"), "obsolete"),
    ("places", catalogue("%1 of %2", "%1 von"), "places differ"),
    ("mnemonic", catalogue("&amp;Search", "Suchen"), "mnemonics differ"),
    ("literal ampersand", catalogue("A &amp;&amp; B", "A &amp;&amp; B"), None),
    ("blanks", catalogue("Found %1 ", "%1 gefunden"), "blanks differ"),
]


def main():
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        for name, text, expected in CASES:
            path = pathlib.Path(folder, "zandor_xx.ts")
            path.write_text(text, encoding="utf-8")
            run = subprocess.run([sys.executable, str(CHECK), folder, str(path)],
                                 capture_output=True, text=True)
            found = run.stdout.strip()
            ok = (run.returncode == 0 and not found) if expected is None else (
                run.returncode == 1 and expected in found and len(found.splitlines()) == 1)
            if not ok:
                failures += 1
                print(f"{name}: status {run.returncode}, said {found!r}, expected {expected!r}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
