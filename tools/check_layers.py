#!/usr/bin/env python3
"""Checks that every source file includes only headers of its own folder or
of a lower layer. Prints each offending include; exits 1 when there is one.

    tools/check_layers.py [CHECKOUT]
"""
import pathlib
import re
import sys

# Lowest first. A folder may include its own headers and those of any
# folder on a lower layer, never one on its own layer or above.
LAYERS = [
    {"text", "res", "framework"},
    {"registry"},
    {"settings", "help"},
    {"app", "backup"},
    {"tools", "tests"},
    {"bench"},
]
LEVEL = {folder: level for level, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/[^"]*"', re.MULTILINE)
SOURCES = {".c", ".cpp", ".h", ".hpp", ".rc"}


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    faults = 0
    for folder, level in LEVEL.items():
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in SOURCES:
                continue
            text = path.read_text(encoding="utf-8", errors="replace")
            for included in INCLUDE.findall(text):
                if included == folder or (included in LEVEL and LEVEL[included] < level):
                    continue
                print(f"{path.relative_to(root)}: includes {included}/, which is not below {folder}/")
                faults += 1
    print(f"layers: {faults} include(s) against the layering")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
