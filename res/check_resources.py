#!/usr/bin/env python3
"""Checks the compiled resources of Quilvex (a .res file or Quilvex.exe):
the two dialog templates control by control, the icon group, string 101,
the version record and the manifest. Prints what differs; exit status 1
when anything does.

    python3 res/check_resources.py build/win/app/Quilvex.exe
"""
import struct
import sys

RT_ICON, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_DIALOG, RT_MANIFEST = 3, 6, 14, 16, 5, 24
JAPANESE = 0x0411

GROUP, NOTIFY_GROUP = 0x50000007, 0x50004007
DEFAULT_BUTTON, BUTTON = 0x50010001, 0x50010000
FIRST_CHECK, CHECK, OPTION, EDIT = 0x50030003, 0x50010003, 0x50020009, 0x50810080

MAIN_CONTROLS = [
    (1028, GROUP, "BUTTON", "NTFS", (7, 7, 122, 37)),
    (-1, GROUP, "BUTTON", "メモリ", (139, 7, 122, 66)),
    (-1, GROUP, "BUTTON", "システム", (7, 51, 122, 90)),
    (1027, NOTIFY_GROUP, "BUTTON", "IEとシェルの統合", (138, 80, 122, 61)),
    (1029, GROUP, "BUTTON", "エクスプローラ", (7, 148, 254, 73)),
    (1, DEFAULT_BUTTON, "BUTTON", "OK", (104, 229, 50, 14)),
    (2, BUTTON, "BUTTON", "ｷｬﾝｾﾙ", (157, 229, 50, 14)),
    (3, BUTTON, "BUTTON", "適用", (210, 229, 50, 14)),
    (1000, FIRST_CHECK, "BUTTON", "NtfsDisableLastAccessUpdate", (13, 18, 111, 11)),
    (1001, CHECK, "BUTTON", "NtfsDisable8dot3NameCreation", (13, 29, 111, 11)),
    (1004, CHECK, "BUTTON", "LargeSystemCache", (145, 19, 103, 9)),
    (1009, CHECK, "BUTTON", "DisablePagingExecutive", (145, 30, 103, 9)),
    (1016, CHECK, "BUTTON", "IoPageLockLimit", (145, 41, 103, 9)),
    (1018, EDIT, "EDIT", "", (155, 52, 53, 13)),
    (1011, CHECK, "BUTTON", "IRQ8Priority", (13, 63, 103, 9)),
    (1012, OPTION, "BUTTON", "IRQ8Priority = 1", (22, 74, 93, 9)),
    (1013, OPTION, "BUTTON", "IRQ8Priority = 2", (22, 85, 93, 9)),
    (1014, CHECK, "BUTTON", "Win32PrioritySeparation", (13, 103, 103, 9)),
    (1017, OPTION, "BUTTON", "Win32PrioritySeparation = 0", (22, 114, 103, 9)),
    (1015, OPTION, "BUTTON", "Win32PrioritySeparation = 1", (22, 126, 103, 9)),
    (1005, CHECK, "BUTTON", "ClassicShell", (145, 91, 103, 9)),
    (1006, CHECK, "BUTTON", "NoActiveDesktop", (145, 102, 103, 9)),
    (1007, CHECK, "BUTTON", "NoCustomizeWebView", (145, 113, 103, 9)),
    (1008, CHECK, "BUTTON", "NoActiveDesktopChanges", (145, 124, 103, 9)),
    (1003, CHECK, "BUTTON", "DesktopProcess", (13, 160, 124, 9)),
    (1002, CHECK, "BUTTON", "AlwaysUnloadDLL", (13, 171, 124, 9)),
    (1019, CHECK, "BUTTON", "NoSharedDocuments", (13, 182, 124, 9)),
    (1020, CHECK, "BUTTON", "Use Search Asst", (13, 193, 124, 9)),
    (1010, CHECK, "BUTTON", '新しいｼｮｰﾄｶｯﾄに "\uff5eのｼｮｰﾄｶｯﾄ" をつける。', (13, 205, 157, 9)),
    (1026, CHECK, "BUTTON", "ゴミ箱を非表示にする。", (145, 160, 107, 9)),
    (1024, CHECK, "BUTTON", "NoResolveTrack", (145, 171, 107, 9)),
    (1021, CHECK, "BUTTON", "Max Cached Icons", (145, 182, 107, 9)),
    (1022, EDIT, "EDIT", "", (155, 192, 53, 13)),
]

ABOUT_CONTROLS = [
    (-1, 0x50000003, "STATIC", 128, (11, 17, 20, 20)),
    (-1, 0x50020080, "STATIC", "Quilvex !  Version 1.1", (40, 10, 119, 8)),
    (-1, 0x50020000, "STATIC", "Copyright (C) 2003 Quilvex developers", (40, 25, 140, 8)),
    (1, 0x50030001, "BUTTON", "OK", (178, 7, 50, 14)),
]

VERSION_STRINGS = [
    ("Comments", "基本的にWindowsXP用。"),
    ("FileDescription", "Quilvex !"),
    ("FileVersion", "1, 1, 0, 0"),
    ("InternalName", "Quilvex"),
    ("LegalCopyright", "Copyright (C) 2003 Quilvex developers"),
    ("OriginalFilename", "Quilvex.exe"),
    ("ProductName", "Quilvex !"),
    ("ProductVersion", "1, 1, 0, 0"),
    ("SpecialBuild", "20031129"),
]

CLASS_ATOMS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC"}


# --- reading resources -------------------------------------------------------

def read_res(data):
    """{(type, name, language): bytes} from a .res file."""
    found = {}
    pos = 0
    while pos + 8 <= len(data):
        size, header_size = struct.unpack_from("<II", data, pos)
        at = pos + 8
        typ, at = read_name(data, at)
        name, at = read_name(data, at)
        at = (at + 3) & ~3
        _, _, language, _, _ = struct.unpack_from("<IHHII", data, at)
        body = data[pos + header_size:pos + header_size + size]
        if not (typ == 0 and name == 0):
            found[(typ, name, language)] = body
        pos = (pos + header_size + size + 3) & ~3
    return found


def read_name(data, at):
    if struct.unpack_from("<H", data, at)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, at + 2)[0], at + 4
    return read_sz(data, at)


def read_sz(data, at):
    end = at
    while struct.unpack_from("<H", data, end)[0]:
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def read_pe(data):
    """{(type, name, language): bytes} from the resource section of a PE file."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size
    spans = []
    for i in range(sections):
        va_size, va, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
        spans.append((va, max(va_size, raw_size), raw))

    def offset(rva):
        for va, size, raw in spans:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("RVA outside the sections: %#x" % rva)

    base = offset(rsrc_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
            if name & 0x80000000:
                length = struct.unpack_from("<H", data, base + (name & 0x7FFFFFFF))[0]
                start = base + (name & 0x7FFFFFFF) + 2
                name = data[start:start + 2 * length].decode("utf-16-le")
            yield name, target

    found = {}
    for typ, t in entries(0):
        for name, n in entries(t & 0x7FFFFFFF):
            for language, leaf in entries(n & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", data, base + leaf)
                found[(typ, name, language)] = data[offset(rva):offset(rva) + size]
    return found


# --- the checks --------------------------------------------------------------

class Checker:
    def __init__(self, resources):
        self.resources = resources
        self.problems = []

    def expect(self, what, actual, wanted):
        if actual != wanted:
            self.problems.append("%s: %r, wanted %r" % (what, actual, wanted))

    def resource(self, typ, name):
        body = self.resources.get((typ, name, JAPANESE))
        if body is None:
            self.problems.append("no resource type %s name %s in language 0x0411" % (typ, name))
        return body

    def dialog(self, name, style, ex_style, rect, caption, font, controls):
        body = self.resource(RT_DIALOG, name)
        if body is None:
            return
        what = "dialog %d" % name
        version, signature, help_id, ex, st, count, x, y, cx, cy = struct.unpack_from("<HHIIIHhhhh", body, 0)
        self.expect(what + " kind", (version, signature), (1, 0xFFFF))
        self.expect(what + " style", hex(st), hex(style))
        self.expect(what + " extended style", hex(ex), hex(ex_style))
        self.expect(what + " help id", help_id, 0)
        self.expect(what + " rectangle", (x, y, cx, cy), rect)
        at = 26
        menu, at = read_name(body, at)
        klass, at = read_name(body, at)
        title, at = read_sz(body, at)
        self.expect(what + " menu", menu, "")
        self.expect(what + " class", klass, "")
        self.expect(what + " caption", title, caption)
        points, weight, italic, charset = struct.unpack_from("<HHBB", body, at)
        face, at = read_sz(body, at + 6)
        self.expect(what + " font", (points, face, weight, italic, charset), font)
        self.expect(what + " control count", count, len(controls))
        for index, (cid, cstyle, cclass, ctext, crect) in enumerate(controls):
            at = (at + 3) & ~3
            if at >= len(body):
                break
            help_id, ex, st, x, y, cx, cy, item = struct.unpack_from("<IIIhhhhi", body, at)
            at += 24
            klass, at = read_name(body, at)
            text, at = read_name(body, at)
            extra = struct.unpack_from("<H", body, at)[0]
            at += 2 + extra
            where = "%s control %d (id %d)" % (what, index + 1, cid)
            self.expect(where + " id", item, cid)
            self.expect(where + " style", hex(st), hex(cstyle))
            self.expect(where + " extended style and help id", (ex, help_id), (0, 0))
            self.expect(where + " class", CLASS_ATOMS.get(klass, klass), cclass)
            self.expect(where + " text", text, ctext)
            self.expect(where + " rectangle", (x, y, cx, cy), crect)

    def icon_group(self):
        body = self.resource(RT_GROUP_ICON, 128)
        if body is None:
            return
        _, kind, count = struct.unpack_from("<HHH", body, 0)
        images = []
        for i in range(count):
            w, h, colours, _, planes, bits, size, image_id = struct.unpack_from("<BBBBHHIH", body, 6 + 14 * i)
            images.append((w, h, bits, image_id))
            self.resource(RT_ICON, image_id)
        self.expect("icon group 128 images", images, [(32, 32, 24, 1), (16, 16, 24, 2)])

    def string_101(self):
        body = self.resource(RT_STRING, 101 // 16 + 1)
        if body is None:
            return
        strings, at = [], 0
        for _ in range(16):
            length = struct.unpack_from("<H", body, at)[0]
            strings.append(body[at + 2:at + 2 + 2 * length].decode("utf-16-le"))
            at += 2 + 2 * length
        self.expect("string 101", strings[101 % 16], "Quilvex ! のﾊﾞｰｼﾞｮﾝ情報(&A)...")
        self.expect("other strings of block 7", [s for i, s in enumerate(strings) if i != 101 % 16], [""] * 15)

    def version(self):
        body = self.resource(RT_VERSION, 1)
        if body is None:
            return
        _, value_length, _ = struct.unpack_from("<HHH", body, 0)
        key, at = read_sz(body, 6)
        self.expect("version key", key, "VS_VERSION_INFO")
        at = (at + 3) & ~3
        fixed = struct.unpack_from("<13I", body, at)
        self.expect("version fixed part", [hex(v) for v in fixed], [hex(v) for v in (
            0xFEEF04BD, 0x10000, 0x10001, 0, 0x10001, 0, 0x3F, 0x20, 0x4, 0x1, 0, 0, 0)])
        text = body.decode("utf-16-le", errors="replace")
        self.expect("string table 041104b0", "041104b0" in text, True)
        pairs = []
        table = text[text.index("041104b0") + 9:]
        for key, value in VERSION_STRINGS:
            pos = table.find(key + "\0")
            if pos < 0:
                pairs.append((key, None))
                continue
            rest = table[pos + len(key) + 1:].lstrip("\0")
            pairs.append((key, rest[:rest.index("\0")]))
            table = table[pos:]
        self.expect("version strings in order", pairs, VERSION_STRINGS)
        translation = body.rfind("Translation".encode("utf-16-le"))
        start = (translation + len("Translation\0".encode("utf-16-le")) + 3) & ~3
        self.expect("translation", struct.unpack_from("<HH", body, start), (0x0411, 1200))

    def manifest(self):
        manifests = [k for k in self.resources if k[0] == RT_MANIFEST]
        self.expect("manifests", manifests, [(RT_MANIFEST, 1, JAPANESE)])
        body = self.resource(RT_MANIFEST, 1)
        if body is None:
            return
        text = body.decode("utf-8")
        for part in ('manifestVersion="1.0"', "<description></description>", 'type="win32"',
                     'name="Microsoft.Windows.Common-Controls"', 'version="6.0.0.0"',
                     'processorArchitecture="X86"', 'publicKeyToken="6595b64144ccf1df"', 'language="*"'):
            self.expect("manifest holds " + part, part in text, True)


def main():
    path = sys.argv[1]
    data = open(path, "rb").read()
    resources = read_pe(data) if data[:2] == b"MZ" else read_res(data)
    check = Checker(resources)
    check.dialog(102, 0x90C800C0, 0x00040000, (0, 0, 267, 250), "Quilvex !  v1.1",
                 (9, "MS UI Gothic", 0, 0, 1), MAIN_CONTROLS)
    check.dialog(100, 0x80C800C0, 0, (0, 0, 235, 55), "Quilvexのﾊﾞｰｼﾞｮﾝ情報",
                 (9, "ＭＳ Ｐゴシック", 0, 0, 0), ABOUT_CONTROLS)
    check.icon_group()
    check.string_101()
    check.version()
    check.manifest()
    for problem in check.problems:
        print(problem)
    print("%s: %d resources, %d problems" % (path, len(resources), len(check.problems)))
    return 1 if check.problems else 0


if __name__ == "__main__":
    sys.exit(main())
