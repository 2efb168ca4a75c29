// The backup file as rendered from the in-memory registry: every stored
// form, name and key shape of the places Quilvex touches, checked as the
// exact text of the part of the file that puts the place back.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "backup/reg_file.h"
#include "backup/registry_snapshot.h"
#include "settings/tweak_catalogue.h"
#include "tests/support/memory_registry_api.h"

namespace {

std::vector<BYTE> Utf16(const std::u16string& text)
{
    std::vector<BYTE> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    return bytes;
}

std::u16string Repeat(const std::u16string& text, int times)
{
    std::u16string repeated;
    while (times--) repeated += text;
    return repeated;
}

std::u16string U(const char* ascii)
{
    return std::u16string(ascii, ascii + std::char_traits<char>::length(ascii));
}

const char kPolicies[] = "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n";
const char kUnload[] = "HKEY_LOCAL_MACHINE\\SoftWare\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL";
const char kShown[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace\\"
    "{645FF040-5081-101B-9F08-00AA002F954E}";
const char kHidden[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace\\"
    ";{645FF040-5081-101B-9F08-00AA002F954E}";

void PutPolicy(MemoryRegistryApi& registry, const char* name, DWORD type, const std::vector<BYTE>& data)
{
    registry.PutStoredValue(HKEY_CURRENT_USER, kExplorerPoliciesKey, name, type, data);
}

// The part of the file from the line that starts with `from` up to the
// line that starts with `to` (with no `to`, the end).
std::u16string Part(const std::u16string& text, const std::u16string& from, const std::u16string& to)
{
    const size_t start = text.find(u"\r\n" + from);
    if (start == std::u16string::npos) return u"(missing: " + from + u")";
    const size_t end = to.empty() ? std::u16string::npos : text.find(u"\r\n" + to, start + 2);
    return text.substr(start + 2, end == std::u16string::npos ? std::u16string::npos : end - start);
}

struct Case {
    const char* name;
    std::function<void(MemoryRegistryApi&)> seed;
    std::u16string from;  // the part checked: from this line ...
    std::u16string to;    // ... to this one
    std::u16string expected;  // or, when a render or read must fail, what it names
    bool fails = false;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

const std::u16string kPoliciesHeader = U(kPolicies).substr(0, U(kPolicies).size() - 2);

std::vector<Case> Cases()
{
    const std::u16string unload = U(kUnload), shown = U(kShown), hidden = U(kHidden);
    return {
        {"AbsentValuesAreDeletedAndAbsentOwnedKeysOnlyRemoved", [](MemoryRegistryApi&) {},
         u"[HKEY_LOCAL_MACHINE\\System", u"[HKEY_LOCAL_MACHINE\\SYSTEM",
         u"[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\FileSystem]\r\n"
         u"\"NtfsDisableLastAccessUpdate\"=-\r\n\"NtfsDisable8dot3NameCreation\"=-\r\n\r\n"},
        {"AbsentOwnedKeys", [](MemoryRegistryApi&) {}, u"[-" + unload, u"",
         u"[-" + unload + u"]\r\n\r\n[-" + shown + u"]\r\n\r\n[-" + hidden + u"]\r\n\r\n"},
        {"DwordsBinaryAndOtherTypes",
         [](MemoryRegistryApi& r) {
             PutPolicy(r, "ClassicShell", REG_DWORD, {0x78, 0x56, 0x34, 0x12});
             PutPolicy(r, "NoActiveDesktop", REG_DWORD, {1, 2, 3});
             PutPolicy(r, "NoCustomizeWebView", REG_BINARY, {0, 0, 0, 0xAB});
             PutPolicy(r, "NoActiveDesktopChanges", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0x80});
             PutPolicy(r, "NoResolveTrack", REG_NONE, {});
         },
         kPoliciesHeader, u"[",
         kPoliciesHeader +
             u"\r\n\"ClassicShell\"=dword:12345678\r\n\"NoActiveDesktop\"=hex(4):01,02,03\r\n"
             u"\"NoCustomizeWebView\"=hex:00,00,00,ab\r\n"
             u"\"NoActiveDesktopChanges\"=hex(b):01,00,00,00,00,00,00,80\r\n\"NoResolveTrack\"=hex(0):\r\n\r\n"},
        {"TextsPlainOnlyWhenExactlyOneTerminatedString",
         [](MemoryRegistryApi& r) {
             PutPolicy(r, "ClassicShell", REG_SZ, Utf16(std::u16string(u"a\"b\\c\0", 6)));
             PutPolicy(r, "NoActiveDesktop", REG_SZ, Utf16(u"ab"));
             PutPolicy(r, "NoCustomizeWebView", REG_SZ, {});
             PutPolicy(r, "NoActiveDesktopChanges", REG_SZ, Utf16(std::u16string(u"\t\0", 2)));
             PutPolicy(r, "NoResolveTrack", REG_SZ, {'a', 0, 'b'});
             r.PutStoredValue(HKEY_CURRENT_USER, kExplorerAKey, "DesktopProcess", REG_SZ,
                              Utf16(std::u16string(u"a\0b\0", 4)));
             r.PutStoredValue(HKEY_CURRENT_USER, kExplorerBKey, "Link", REG_SZ, Utf16(std::u16string(u"\0", 1)));
         },
         kPoliciesHeader, u"[HKEY_LOCAL_MACHINE",
         kPoliciesHeader +
             u"\r\n\"ClassicShell\"=\"a\\\"b\\\\c\"\r\n\"NoActiveDesktop\"=hex(1):61,00,62,00\r\n"
             u"\"NoCustomizeWebView\"=hex(1):\r\n\"NoActiveDesktopChanges\"=hex(1):09,00,00,00\r\n"
             u"\"NoResolveTrack\"=hex(1):61,00,62\r\n\r\n"
             u"[HKEY_CURRENT_USER\\SoftWare\\Microsoft\\Windows\\CurrentVersion\\Explorer]\r\n"
             u"\"DesktopProcess\"=hex(1):61,00,00,00,62,00,00,00\r\n\"Link\"=\"\"\r\n\r\n"},
        {"ExpandMultiUnknownTypesAndLongDataWrapped",
         [](MemoryRegistryApi& r) {
             PutPolicy(r, "ClassicShell", REG_EXPAND_SZ, Utf16(std::u16string(u"%a%\0", 4)));
             PutPolicy(r, "NoActiveDesktop", REG_MULTI_SZ, Utf16(std::u16string(u"a\0b\0\0", 5)));
             PutPolicy(r, "NoCustomizeWebView", 0x1234, {0xFF});
             PutPolicy(r, "NoResolveTrack", REG_BINARY, std::vector<BYTE>(30, 0x11));
         },
         kPoliciesHeader, u"[",
         kPoliciesHeader +
             u"\r\n\"ClassicShell\"=hex(2):25,00,61,00,25,00,00,00\r\n"
             u"\"NoActiveDesktop\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n\"NoCustomizeWebView\"=hex(1234):ff\r\n"
             u"\"NoActiveDesktopChanges\"=-\r\n"
             u"\"NoResolveTrack\"=hex:" + Repeat(u"11,", 19) + u"\\\r\n  " + Repeat(u"11,", 10) + u"11\r\n\r\n"},
        {"OwnedKeysWholeWithNestedSubkeysAndNamesOutsideCodePage932",
         [](MemoryRegistryApi& r) {
             r.PutStoredValue(HKEY_LOCAL_MACHINE, kUnloadKey, "", REG_SZ, Utf16(std::u16string(u"1\0", 2)));
             r.PutStoredValue(HKEY_LOCAL_MACHINE, kUnloadKey, "a\\\"b", REG_DWORD, {1, 0, 0, 0});
             r.PutStoredValue(HKEY_LOCAL_MACHINE, U(kUnloadKey) + u"\\sub\\\xD55C", u"\x20AC", REG_BINARY, {7});
             r.PutKey(HKEY_LOCAL_MACHINE, std::string(kUnloadKey) + "\\sub\\empty");
             r.PutStoredValue(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey, "", REG_SZ,
                              Utf16(std::u16string(u"\xD55C\x3054\0", 3)));
         },
         u"[-" + unload, u"",
         u"[-" + unload + u"]\r\n\r\n[" + unload + u"]\r\n@=\"1\"\r\n\"a\\\\\\\"b\"=dword:00000001\r\n\r\n[" +
             unload + u"\\sub]\r\n\r\n[" + unload + u"\\sub\\empty]\r\n\r\n[" + unload +
             u"\\sub\\\xD55C]\r\n\"\x20AC\"=hex:07\r\n\r\n[-" + shown + u"]\r\n\r\n[-" + hidden + u"]\r\n\r\n[" +
             hidden + u"]\r\n@=\"\xD55C\x3054\"\r\n\r\n"},
        {"NameWithALineEndIsRefused",
         [](MemoryRegistryApi& r) { r.PutStoredValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "a\nb", REG_SZ, {}); },
         u"", u"", u"a\nb", true},
        {"KeyNameWithABracketIsRefused",
         [](MemoryRegistryApi& r) { r.PutKey(HKEY_LOCAL_MACHINE, std::string(kUnloadKey) + "\\a]b"); }, u"", u"",
         u"a]b", true},
        {"FailedReadFailsTheBackup",
         [](MemoryRegistryApi& r) {
             r.PutKey(HKEY_LOCAL_MACHINE, kMemoryManagementKey);
             r.DenyRead(HKEY_LOCAL_MACHINE, kMemoryManagementKey);
         },
         u"", u"",
         u"HKEY_LOCAL_MACHINE\\" + U(kMemoryManagementKey), true},
    };
}

class RegFileTest : public ::testing::TestWithParam<Case> {};

TEST_P(RegFileTest, RendersThePlaceExactly)
{
    const Case& c = GetParam();
    MemoryRegistryApi registry;
    c.seed(registry);
    RegistrySnapshot snapshot;
    SnapshotFailure failure;
    std::u16string text, unwritable;
    const bool read = TakeSnapshot(registry, snapshot, failure);
    EXPECT_EQ(registry.OpenHandleCount(), 0);
    if (!read) {
        EXPECT_TRUE(c.fails);
        EXPECT_EQ(failure.status, ERROR_ACCESS_DENIED);
        EXPECT_EQ(failure.key, c.expected);
        return;
    }
    const bool rendered = RenderRegFile(snapshot, text, unwritable);
    EXPECT_EQ(!rendered, c.fails);
    if (!rendered) {
        EXPECT_EQ(unwritable, c.expected);
        return;
    }
    EXPECT_EQ(text.substr(0, 40), u"Windows Registry Editor Version 5.00\r\n\r\n");
    EXPECT_EQ(Part(text, c.from, c.to), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Places, RegFileTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
