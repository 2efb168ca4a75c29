#!/usr/bin/env python3
"""Checks that a built Windows program can load on Windows 2000: its
subsystem and operating-system versions are 5.0 or below, and every
function it imports is on the list of functions that Windows 2000 exports
(tools/windows2000_imports.txt). Prints what fails; exit status 1 when
anything does.

    python3 tools/check_windows2000.py build/win/app/Quilvex.exe

A new import fails the check until it is added to the list, which is to
be done only after the platform's documentation shows the function on
Windows 2000 (or earlier) in that very DLL.
"""
import os
import re
import subprocess
import sys

OBJDUMP = os.environ.get("OBJDUMP", "i686-w64-mingw32-objdump")
ALLOWED_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "windows2000_imports.txt")
WINDOWS_2000 = (5, 0)


def allowed_imports():
    allowed, dll = set(), None
    with open(ALLOWED_FILE, encoding="utf-8") as lines:
        for line in lines:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            if line.endswith(":"):
                dll = line[:-1].upper()
            else:
                allowed.add((dll, line))
    return allowed


def main(exe):
    dump = subprocess.run([OBJDUMP, "-p", exe], check=True, capture_output=True, text=True).stdout
    problems = []
    header = dict(re.findall(r"^(\w+Version)\s+(\d+)$", dump, re.M))
    for kind in ("Subsystem", "OSystem"):
        version = (int(header["Major%sVersion" % kind]), int(header["Minor%sVersion" % kind]))
        if version > WINDOWS_2000:
            problems.append("%s version %d.%d is above 5.0" % (kind, *version))

    allowed, dll, imports = allowed_imports(), None, 0
    for line in dump.splitlines():
        found = re.match(r"\s*DLL Name: (\S+)", line)
        if found:
            dll = found.group(1).upper()
            continue
        found = re.match(r"\s*[0-9a-f]+\s+\d+\s+(\S+)$", line)
        if dll and found:
            imports += 1
            if (dll, found.group(1)) not in allowed:
                problems.append("%s imports %s, not on the Windows 2000 list" % (dll, found.group(1)))
        elif not line.strip():
            dll = None
    if imports == 0:
        problems.append("no imports found in %s" % exe)
    for problem in problems:
        print(problem)
    if not problems:
        print("%s: %d imports, all on the Windows 2000 list; versions 5.0 or below" % (exe, imports))
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: check_windows2000.py PROGRAM.exe")
    sys.exit(main(sys.argv[1]))
