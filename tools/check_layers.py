#!/usr/bin/env python3
"""Checks that the sources keep to their layers.

Usage: check_layers.py [SOURCE_ROOT]

Fails (exit status 1, one line per finding) when
  - a file includes a file of a layer it may not use: the layers run
    platform < search < results core < cli | results ui < criteria < app,
    with the panes' texts (ui text) below both results ui and criteria,
    the shell services (the GIO trash) serve only the window's layers, and
    res/ holds leaves that the window's layers may read;
  - a file of a Qt-free layer (platform, search, results core, cli) includes
    a Qt header, or a file other than the shell services a GLib or GIO one;
  - files include each other in a circle.

A file's layer is the library its CMakeLists.txt builds it into (a header
goes with the .cpp of the same name, or is listed itself when it has none);
files that no library lists take the layer of their folder. Tests, benchmarks and tools are not layered.
"""

import os
import re
import sys

# The library each layer is built as, and the layer a folder's other files
# belong to.
LAYER_OF_TARGET = {
    "zandor_platform": "platform",
    "zandor_shell": "shell",
    "zandor_search": "search",
    "zandor_results_core": "results core",
    "zandor_cli_lib": "cli",
    "zandor_ui_text": "ui text",
    "zandor_results_ui": "results ui",
    "zandor_criteria_ui": "criteria",
    "zandor_app_lib": "app",
}
LAYER_OF_FOLDER = {
    "platform": "platform",
    "search": "search",
    "text": "ui text",
    "results": "results ui",
    "cli": "cli",
    "criteria": "criteria",
    "app": "app",
    "res": "res",
}

# What each layer may include besides itself.
QT_FREE = {"platform", "search", "results core", "cli"}
MAY_USE = {
    "platform": set(),
    "shell": {"platform"},
    "search": {"platform"},
    "results core": {"platform", "search"},
    "cli": {"platform", "search", "results core"},
    "ui text": {"platform"},
    "results ui": {"platform", "shell", "search", "results core", "ui text", "res"},
    "criteria": {"platform", "shell", "search", "results core", "ui text", "res"},
    "app": {"platform", "shell", "search", "results core", "ui text", "results ui", "criteria",
            "res"},
    "res": set(),
}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.MULTILINE)
QT_HEADER = re.compile(r"^(Q[A-Z]\w*|Qt\w*/|qt\w*/|q\w+\.h$)")
GLIB_HEADER = re.compile(r"^(gio|glib|gobject)[-/.\w]*")
LIBRARY = re.compile(r"add_library\(\s*(\w+)\s+STATIC\s+([^)]*)\)", re.DOTALL)


def library_members(root, folder):
    """Maps each source stem built into a library of folder to its layer."""
    members = {}
    path = os.path.join(root, folder, "CMakeLists.txt")
    if not os.path.exists(path):
        return members
    with open(path, encoding="utf-8") as cmake:
        text = re.sub(r"#[^\n]*", "", cmake.read())
    for target, sources in LIBRARY.findall(text):
        layer = LAYER_OF_TARGET.get(target)
        for source in sources.split():
            if layer is not None and source.endswith((".cpp", ".h")):
                members[os.path.splitext(source)[0]] = layer
    return members


def layered_files(root):
    """Maps every layered source file (relative path) to its layer."""
    layers = {}
    for folder, default in LAYER_OF_FOLDER.items():
        members = library_members(root, folder)
        base = os.path.join(root, folder)
        for dirpath, _, names in os.walk(base):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                relative = os.path.relpath(os.path.join(dirpath, name), root)
                stem = os.path.splitext(os.path.relpath(os.path.join(dirpath, name), base))[0]
                layers[relative] = members.get(stem, default)
    return layers


def includes_of(root, relative):
    with open(os.path.join(root, relative), encoding="utf-8") as source:
        text = source.read()
    return INCLUDE.findall(text)


def resolve(root, relative, included, layers):
    """The layered file a quoted include names, or None."""
    for candidate in (included, os.path.join(os.path.dirname(relative), included)):
        candidate = os.path.normpath(candidate)
        if candidate in layers:
            return candidate
    return None


def find_cycles(graph):
    """Every include circle, each once, as a list of files."""
    cycles = []
    seen = set()
    state = {}  # file -> "open" while on the current path, "done" after
    for start in sorted(graph):
        if start in state:
            continue
        # An explicit stack of (file, its remaining includes) keeps deep
        # include chains from exhausting Python's recursion limit.
        path = [start]
        stack = [(start, iter(sorted(graph[start])))]
        state[start] = "open"
        while stack:
            node, pending = stack[-1]
            nxt = next(pending, None)
            if nxt is None:
                state[node] = "done"
                stack.pop()
                path.pop()
                continue
            if state.get(nxt) == "open":
                cycle = path[path.index(nxt):]
                key = frozenset(cycle)
                if key not in seen:
                    seen.add(key)
                    cycles.append(cycle + [nxt])
            elif nxt not in state:
                state[nxt] = "open"
                path.append(nxt)
                stack.append((nxt, iter(sorted(graph.get(nxt, ())))))
    return cycles


def check(root):
    layers = layered_files(root)
    findings = []
    graph = {}
    for relative, layer in sorted(layers.items()):
        graph[relative] = set()
        for kind, included in includes_of(root, relative):
            if kind == "<":
                if layer in QT_FREE and QT_HEADER.match(included):
                    findings.append(
                        f"{relative} ({layer}, Qt-free) includes the Qt header <{included}>")
                if layer != "shell" and GLIB_HEADER.match(included):
                    findings.append(
                        f"{relative} ({layer}) includes <{included}>: only the shell services use GIO")
                continue
            target = resolve(root, relative, included, layers)
            if target is None:
                continue
            graph[relative].add(target)
            used = layers[target]
            if used != layer and used not in MAY_USE[layer]:
                findings.append(
                    f"{relative} ({layer}) includes {target} ({used}), which it may not use")
    for cycle in find_cycles(graph):
        findings.append("include circle: " + " -> ".join(cycle))
    return findings


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), ".."))
    findings = check(root)
    for finding in findings:
        print(finding)
    if findings:
        print(f"check_layers: {len(findings)} finding(s)", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
