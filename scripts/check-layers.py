#!/usr/bin/env python3
"""Fails when a source includes a header of a layer it may not use.

Usage: check-layers.py [SRC_DIR]   (default: the src/ folder beside scripts/)

Every folder of the sources is a layer; each layer may include only its own
headers and those of the layers below it. Qt is included only by the platform
layers, zlib only by the zip engine. Includes are read as the
compiler would: a quoted name is looked up beside the including file first,
then from the sources' root. Prints one line per forbidden include and exits
1 when there is any, 0 when there is none.
"""

import os
import re
import sys

# Folder (relative to the sources' root) -> layer; the longest match wins.
# The visual layer is three layers of its own: drawing, the controls on it, and
# the base grid on the controls; the desktop services stand beside the grid.
LAYERS = {
    "platform/rtl": "rtl",
    "platform/vcl/gfx": "vcl/gfx",
    "platform/vcl": "vcl",
    "platform/vcl/grids": "vcl/grids",
    "platform/desktop": "platform/desktop",
    "model": "model",
    "zip": "zip",
    "grid/support": "grid/support",
    "grid": "grid",
    "controls/numeric": "controls/numeric",
    "desktop": "desktop",
    "app": "app",
}

# Everything the platform offers above the run-time layer.
VISUAL = {"vcl/gfx", "vcl", "vcl/grids", "platform/desktop"}

# Layer -> the layers it may include, besides its own.
MAY_USE = {
    "rtl": set(),
    "vcl/gfx": {"rtl"},
    "vcl": {"rtl", "vcl/gfx"},
    "vcl/grids": {"rtl", "vcl/gfx", "vcl"},
    "platform/desktop": {"rtl", "vcl/gfx", "vcl"},
    "model": {"rtl"},
    "zip": {"rtl"},
    "grid/support": {"rtl"} | VISUAL,
    "grid": {"rtl", "grid/support"} | VISUAL,
    "controls/numeric": {"rtl"} | VISUAL,
    "desktop": {"rtl"} | VISUAL,
    "app": set(LAYERS.values()),
}

# Libraries outside the sources, and the layers that may include them: Qt
# stays inside the visual layer, whatever stands on it.
LIBRARIES = {
    "Qt": set(VISUAL),
    "zlib": {"zip"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# <QtWidgets/QWidget>, the module headers <QtWidgets> and <QtCore>, <QWidget>, <qglobal.h>.
QT_HEADER = re.compile(r"^(Qt[A-Za-z]*(/|$)|Q[A-Z][A-Za-z0-9_]*$|q[a-z0-9_]+\.h$)")
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".cxx", ".inc")


def layer_of(relpath):
    """The layer of a path relative to the sources' root, or None."""
    best = None
    for folder, layer in LAYERS.items():
        if relpath == folder or relpath.startswith(folder + "/"):
            if best is None or len(folder) > len(best[0]):
                best = (folder, layer)
    return best[1] if best else None


def library_of(name):
    if QT_HEADER.match(name):
        return "Qt"
    if name == "zlib.h" or name == "zconf.h":
        return "zlib"
    return None


def check_file(root, path):
    """The forbidden includes of one file, as messages."""
    rel = os.path.relpath(path, root).replace(os.sep, "/")
    own = layer_of(rel)
    problems = []
    if own is None:
        return [f"{rel}: lies in no layer (folders: {', '.join(sorted(LAYERS))})"]
    with open(path, encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            quoted, name = m.group(1) == '"', m.group(2)
            where = f"{rel}:{number}"
            if not quoted:
                lib = library_of(name)
                if lib and own not in LIBRARIES[lib]:
                    problems.append(f"{where}: the {own} layer includes {lib} (<{name}>)")
                # A header of the sources in angle brackets is still theirs.
                if lib or not os.path.exists(os.path.join(root, name)):
                    continue
            beside = os.path.normpath(os.path.join(os.path.dirname(path), name))
            if quoted and os.path.exists(beside):
                target = os.path.relpath(beside, root).replace(os.sep, "/")
            else:
                target = os.path.normpath(name).replace(os.sep, "/")
            if target.startswith("../"):
                problems.append(f'{where}: includes "{name}" from outside the sources')
                continue
            theirs = layer_of(target)
            if theirs is None:
                problems.append(f'{where}: includes "{name}", which lies in no layer')
            elif theirs != own and theirs not in MAY_USE[own]:
                problems.append(f'{where}: the {own} layer includes "{name}" of the {theirs} layer')
    return problems


def check_tree(root):
    problems = []
    for folder, dirs, files in os.walk(root):
        dirs.sort()
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                problems.extend(check_file(root, os.path.join(folder, name)))
    return problems


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.abspath(argv[1] if len(argv) > 1 else os.path.join(here, "..", "src"))
    if not os.path.isdir(root):
        print(f"check-layers: no such folder: {root}", file=sys.stderr)
        return 2
    problems = check_tree(root)
    for p in problems:
        print(p)
    if problems:
        print(f"check-layers: {len(problems)} forbidden include(s)")
        return 1
    print("check-layers: every include keeps to its layer")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
