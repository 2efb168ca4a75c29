#!/usr/bin/env python3
"""Checks that every place that states Quilvex's version states the one in
the project() line of CMakeLists.txt: the main dialog's caption, the About
box, the version record's four fields, the manifest, and the backup
program's version record. Prints each place
that differs or is missing; exits 1 when there is one.

    tools/check_version.py [CHECKOUT]
"""
import pathlib
import re
import sys

PROJECT = re.compile(r"^project\(Quilvex VERSION (\d+(?:\.\d+)*)", re.MULTILINE)

# (file, what the place is, pattern whose group 1 is the version as written there)
PLACES = [
    ("res/quilvex.rc", "main dialog caption", r'^CAPTION "Quilvex !  v(\d+(?:\.\d+)*)"'),
    ("res/quilvex.rc", "About box", r'CONTROL "Quilvex !  Version (\d+(?:\.\d+)*)"'),
    ("res/quilvex.rc", "FILEVERSION", r"^ FILEVERSION (\d+,\d+,\d+,\d+)$"),
    ("res/quilvex.rc", "PRODUCTVERSION", r"^ PRODUCTVERSION (\d+,\d+,\d+,\d+)$"),
    ("res/quilvex.rc", "FileVersion string", r'VALUE "FileVersion", "(\d+, \d+, \d+, \d+)"'),
    ("res/quilvex.rc", "ProductVersion string", r'VALUE "ProductVersion", "(\d+, \d+, \d+, \d+)"'),
    ("res/quilvex.manifest", "assembly version", r'name="Quilvex" version="(\d+\.\d+\.\d+\.\d+)"'),
    ("backup/quilvex_backup.rc", "FILEVERSION", r"^ FILEVERSION (\d+,\d+,\d+,\d+)$"),
    ("backup/quilvex_backup.rc", "PRODUCTVERSION", r"^ PRODUCTVERSION (\d+,\d+,\d+,\d+)$"),
    ("backup/quilvex_backup.rc", "FileVersion string", r'VALUE "FileVersion", "(\d+, \d+, \d+, \d+)"'),
    ("backup/quilvex_backup.rc", "ProductVersion string", r'VALUE "ProductVersion", "(\d+, \d+, \d+, \d+)"'),
]


def as_four_numbers(text):
    numbers = [int(part) for part in re.split(r"[.,] ?", text)]
    return tuple(numbers + [0] * (4 - len(numbers)))


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    project = PROJECT.search((root / "CMakeLists.txt").read_text(encoding="utf-8"))
    if not project:
        print("version: no project(Quilvex VERSION ...) line in CMakeLists.txt")
        return 1
    expected = as_four_numbers(project.group(1))
    faults = 0
    for file, place, pattern in PLACES:
        found = re.findall(pattern, (root / file).read_text(encoding="utf-8"), re.MULTILINE)
        if len(found) != 1:
            print(f"{file}: {place}: expected once, found {len(found)} time(s)")
            faults += 1
        elif as_four_numbers(found[0]) != expected:
            print(f"{file}: {place} says {found[0]}, CMakeLists.txt says {project.group(1)}")
            faults += 1
    print(f"version: {len(PLACES) - faults} of {len(PLACES)} places state {project.group(1)}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
