#!/usr/bin/env python3
"""Fails when a source folder includes a folder above it.

The folders stand in layers, lowest first; a file may include its own folder and the folders
of lower layers only. Folders of one layer do not include each other. A new folder has to be
given its layer here before anything may include it.
"""
import pathlib
import re
import sys

LAYERS = [
    {"core"},
    {"config"},
    {"output"},
    {"edit"},
    {"feed"},
    {"check", "generate"},
    {"view"},
    {"interact"},
    {"qtdraw"},
    {"app", "cli"},
]
LAYER_OF = {folder: depth for depth, layer in enumerate(LAYERS) for folder in layer}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/', re.MULTILINE)


def upward_includes(src):
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".cpp"}:
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in LAYER_OF:
            yield f"{path.relative_to(src)}: folder {folder} has no layer"
            continue
        for included in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if included == folder:
                continue
            if included not in LAYER_OF or LAYER_OF[included] >= LAYER_OF[folder]:
                yield f"{path.relative_to(src)}: {folder} includes {included}/"


def main():
    src = pathlib.Path(sys.argv[1])
    faults = list(upward_includes(src))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
