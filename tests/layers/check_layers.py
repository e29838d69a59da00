#!/usr/bin/env python3
"""Keeps the source folders in their layers.

Fails (exit 1, one line per fault) when
  - a file includes from a folder on a higher layer than its own,
  - two folders include each other,
  - a file of the Qt-free core (a core folder, or a file CMake lists in
    murmex_core) includes a Qt header or a header of the windows,
  - the server includes anything of the windows or Qt,
  - a folder under src/ has no layer here (give it one when you add it).

Usage: check_layers.py SOURCE_ROOT
"""
import re
import sys
from pathlib import Path

# Lowest first; a folder may include from its own layer and below.
LAYERS = [
    ["platform", "ports"],
    ["protocol"],
    ["storage"],
    ["model", "channels", "counter"],
    ["session"],
    ["ui"],
    ["friends", "wizards", "channel_windows", "counter_windows"],
    ["shell"],
    ["gallery"],
    ["app"],
]
LAYER = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
CORE_TOP = LAYER["session"]

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.MULTILINE)
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}


def includes(path):
    text = path.read_text(encoding="utf-8", errors="replace")
    return [(kind, name) for kind, name in INCLUDE.findall(text)]


def is_qt(kind, name):
    return kind == "<" and (name.startswith("Q") or name.startswith("qt"))


def core_listed_files(src):
    """Files that CMake adds to murmex_core from folders above the core."""
    listed = set()
    block = re.compile(r"target_sources\(\s*murmex_core\s+PRIVATE(.*?)\)", re.DOTALL)
    for cmake in src.rglob("CMakeLists.txt"):
        for body in block.findall(cmake.read_text()):
            for word in body.split():
                if "$" not in word:
                    listed.add((cmake.parent / word).resolve())
    return listed


def main(root):
    root = Path(root)
    src = root / "src"
    faults = []
    edges = {}
    core_files = core_listed_files(src)

    def header_is_core(name):
        folder = name.split("/", 1)[0]
        if folder in LAYER and LAYER[folder] <= CORE_TOP:
            return True
        return (src / name).resolve() in core_files

    for path in sorted(src.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
            continue
        rel = path.relative_to(src)
        folder = rel.parts[0]
        if len(rel.parts) == 1:
            faults.append(f"{rel}: files belong in a layer folder, not directly in src/")
            continue
        if folder not in LAYER:
            faults.append(f"src/{folder}/: this folder has no layer; add it to {Path(__file__).name}")
            continue
        core = LAYER[folder] <= CORE_TOP or path.resolve() in core_files
        for kind, name in includes(path):
            if core and is_qt(kind, name):
                faults.append(f"src/{rel}: core file includes the Qt header <{name}>")
                continue
            if kind != '"' or "/" not in name:
                continue
            target = name.split("/", 1)[0]
            if target not in LAYER:
                continue
            if LAYER[target] > LAYER[folder]:
                faults.append(f"src/{rel}: includes \"{name}\" from {target}/, a layer above {folder}/")
            elif core and not header_is_core(name):
                faults.append(f"src/{rel}: core file includes the window header \"{name}\"")
            if target != folder:
                edges.setdefault((folder, target), f"src/{rel} includes \"{name}\"")

    for (a, b), example in sorted(edges.items()):
        if a < b and (b, a) in edges:
            faults.append(f"{a}/ and {b}/ include each other: {example}; {edges[(b, a)]}")

    server = root / "server"
    for path in sorted(server.rglob("*")) if server.is_dir() else []:
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
            continue
        for kind, name in includes(path):
            target = name.split("/", 1)[0]
            if is_qt(kind, name) or (kind == '"' and target in LAYER and LAYER[target] > CORE_TOP):
                faults.append(f"{path.relative_to(root)}: the server includes \"{name}\"")

    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} layering fault(s)")
        return 1
    print("layers: every include points down or sideways")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__.strip())
        sys.exit(2)
    sys.exit(main(sys.argv[1]))
