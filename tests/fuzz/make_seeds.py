#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (run from anywhere)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_MULTI_SZ = 1, 2, 3, 4, 7


def write(corpus, name, data):
    folder = os.path.join(HERE, "corpus", corpus)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# registry_read: flags, type, length of a name stored first, then the data.
write("registry_read", "dword", bytes([0, REG_DWORD, 0]) + struct.pack("<I", 1))
write("registry_read", "binary_short", bytes([0, REG_BINARY, 0, 0x12, 0x34]))
write("registry_read", "binary_long", bytes([0, REG_BINARY, 0]) + bytes(range(1, 9)))
write("registry_read", "default_text", bytes([1, REG_SZ, 0]) + b"12abc")
write("registry_read", "multi_sz", bytes([0, REG_MULTI_SZ, 0]) + b"a\0b\0\0")
write("registry_read", "long_first_name", bytes([5, REG_SZ, 200]) + b"1")
write("registry_read", "growing", bytes([0x32, REG_SZ, 0]) + b"no")
write("registry_read", "big", bytes([1, REG_SZ, 0]) + b"9" * 4000)

# settings_roundtrip: one record per tweak in catalogue order (the Recycle
# Bin takes two): [type, or 0x80 for absent][length][data].
ABSENT = bytes([0x80, 0])


def dword(n):
    return bytes([REG_DWORD, 4]) + struct.pack("<i", n)


def binary(b):
    return bytes([REG_BINARY, len(b)]) + b


def text(s, kind=REG_SZ):
    raw = s.encode("cp932")
    return bytes([kind, len(raw)]) + raw


typical = b"".join([
    dword(1),                      # NtfsDisableLastAccessUpdate
    dword(0),                      # NtfsDisable8dot3NameCreation
    dword(1),                      # LargeSystemCache
    dword(0),                      # DisablePagingExecutive
    dword(16384),                  # IoPageLockLimit
    dword(2),                      # IRQ8Priority
    dword(0x26),                   # Win32PrioritySeparation
    binary(b"\x01\0\0\0"),         # ClassicShell
    binary(b"\0\0\0\0"),           # NoActiveDesktop
    binary(b"\x01\0\0\0"),         # NoCustomizeWebView
    ABSENT,                        # NoActiveDesktopChanges
    dword(1),                      # DesktopProcess
    text("1"),                     # AlwaysUnloadDLL
    dword(1),                      # NoSharedDocuments
    text("no"),                    # Use Search Asst
    binary(b"\0\0\0\0"),           # Link
    text("ごみ箱"),                 # Recycle Bin shown
    ABSENT,                        # Recycle Bin hidden
    dword(1),                      # NoResolveTrack
    text("0500"),                  # Max Cached Icons
])
write("settings_roundtrip", "typical", typical)
write("settings_roundtrip", "empty", ABSENT * 20)

odd = b"".join([
    text("1"), binary(b"\x01\x02"), dword(-1), binary(b"\0" * 8), text("-5"),
    dword(3), dword(-1), dword(1), text("x"), binary(b"\xff" * 4), bytes([REG_MULTI_SZ, 4]) + b"a\0b\0",
    binary(b"\x01"), dword(5), text("NONE", REG_EXPAND_SZ), text("ハo"), ABSENT,
    ABSENT, text("Trash"), text("1"), text("99999999999999999999"),
])
write("settings_roundtrip", "odd_types", odd)
