#!/usr/bin/env python3
"""Packs a Quilvex release: Quilvex-<version>.zip holding Quilvex.exe,
QuilvexBackup.exe, readme.txt and SHA256SUMS.

readme.txt is made from its UTF-8 source (release/readme.txt): the version
filled in, CR LF line ends, code page 932, as Japanese Windows 2000 and XP
read it. The zip's bytes depend only on its inputs and the given time (the
commit's): fixed entry order, times, attributes and compression. A zip entry's
time has no zone and Explorer shows it as it stands, so the entries carry the
commit's time in Japan time (UTC+9), the time of the program's users. The zip
is written under a temporary name and renamed when complete.

  package_release.py --exe Quilvex.exe --backup-exe QuilvexBackup.exe --readme release/readme.txt
                     --version 1.1 --time EPOCH_SECONDS --out Quilvex-1.1.zip
"""
import argparse
import hashlib
import os
import sys
import time
import zipfile


def readme_bytes(source_path, version):
    with open(source_path, encoding="utf-8") as source:
        text = source.read().replace("@VERSION@", version)
    text = "\r\n".join(text.replace("\r\n", "\n").rstrip("\n").split("\n")) + "\r\n"
    try:
        encoded = text.encode("cp932")
    except UnicodeEncodeError as error:
        line = text.count("\n", 0, error.start) + 1
        raise SystemExit(f"package_release: readme.txt does not round-trip through code page 932: "
                         f"line {line} holds {text[error.start]!r}, which code page 932 lacks")
    if encoded.decode("cp932") != text:
        raise SystemExit("package_release: readme.txt does not round-trip through code page 932: "
                         "it reads back changed")
    return encoded


def sha256sums(files):
    return "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in files).encode("ascii")


JAPAN_TIME_OFFSET = 9 * 3600


def write_zip(path, files, epoch):
    # DOS time stamps start in 1980 and count in two-second steps.
    stamp = time.gmtime(max(epoch + JAPAN_TIME_OFFSET, 315532800))[:6]
    partial = path + ".partial"
    try:
        with zipfile.ZipFile(partial, "w") as archive:
            for name, data in files:
                entry = zipfile.ZipInfo(name, date_time=stamp)
                entry.compress_type = zipfile.ZIP_DEFLATED
                entry.create_system = 0
                entry.external_attr = 0
                archive.writestr(entry, data, compresslevel=9)
        os.replace(partial, path)
    finally:
        if os.path.exists(partial):
            os.remove(partial)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", required=True)
    parser.add_argument("--backup-exe", required=True)
    parser.add_argument("--readme", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--time", required=True, type=int, help="seconds since 1970 UTC (the commit's time)")
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    files = []
    for name, path in (("Quilvex.exe", args.exe), ("QuilvexBackup.exe", args.backup_exe)):
        with open(path, "rb") as exe:
            files.append((name, exe.read()))
    files.append(("readme.txt", readme_bytes(args.readme, args.version)))
    files.append(("SHA256SUMS", sha256sums(files)))
    write_zip(args.out, files, args.time)
    return 0


if __name__ == "__main__":
    sys.exit(main())
