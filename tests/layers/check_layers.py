#!/usr/bin/env python3
"""Checks that the code's includes point only downward:
platform < imports < vostrel < game < screens (with the start-up) < main.cpp,
and that nothing outside src/platform includes the system libraries' headers.
Usage: check_layers.py SOURCE_ROOT"""
import os
import re
import sys

LAYERS = ["platform", "imports", "vostrel", "game", "screens"]
SCREENS = LAYERS.index("screens")
MAIN = SCREENS + 1
# SDL, libpng, libjpeg, FreeType (and its macro includes), vorbis and ogg.
SYSTEM = re.compile(r'#\s*include\s*(<\s*(SDL[^>]*|png\.h|pngconf\.h|jpeglib\.h|jerror\.h|ft2build\.h|'
                    r'freetype/[^>]*|vorbis/[^>]*|ogg/[^>]*)\s*>|FT_[A-Z_]+_H)')
LOCAL = re.compile(r'#\s*include\s*"([^"]+)"')
SOURCE = (".h", ".hpp", ".cpp", ".cc", ".inl")


def layer_of(src, path):
    """The layer of a file under src/, or None for a file outside it."""
    rel = os.path.relpath(path, src)
    if rel.startswith(".."):
        return None
    parts = rel.split(os.sep)
    if len(parts) == 1:
        return MAIN
    # A layer's sub-folders (game/traffic, ...) belong to it.
    return LAYERS.index(parts[0]) if parts[0] in LAYERS else None


def target_layer(src, including, name):
    """The layer an include names: first beside the including file, then from src/."""
    for base in (os.path.dirname(including), src):
        path = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(path):
            return layer_of(src, path), path
    return None, None


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else ".")
    src = os.path.join(root, "src")
    faults = []
    for top in ("src", "tests", "bench", "tools", "fuzz"):
        for folder, _, files in os.walk(os.path.join(root, top)):
            for f in sorted(files):
                if not f.endswith(SOURCE):
                    continue
                path = os.path.join(folder, f)
                rel = os.path.relpath(path, root)
                own = layer_of(src, path)
                with open(path, encoding="utf-8", errors="replace") as text:
                    for number, line in enumerate(text, 1):
                        if own != 0 and SYSTEM.search(line):
                            faults.append(f"{rel}:{number}: system library header outside src/platform: {line.strip()}")
                        m = LOCAL.search(line)
                        if m and own is not None:
                            target, found = target_layer(src, path, m.group(1))
                            if target is not None and target > own:
                                faults.append(f"{rel}:{number}: {LAYER_NAME(own)} includes the higher layer "
                                              f"{LAYER_NAME(target)}: {line.strip()}")
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) break the layers")
        return 1
    print("every include points down the layers")
    return 0


def LAYER_NAME(layer):
    return "main.cpp" if layer == MAIN else LAYERS[layer]


if __name__ == "__main__":
    sys.exit(main())
