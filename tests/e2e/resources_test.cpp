// The resources compiled into Quilvex.exe, read from the file as data: the
// two dialog templates, the icon group, string 101, the version record and
// the manifest; and what the manifest makes the system do with the program.
// The activation-context calls are Windows XP's; the suite runs under Wine.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0501
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/quilvex_process.h"

namespace {

const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);  // 0x0411

// A code-page-932 literal as the UTF-16 text a resource holds.
std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(932, 0, text.data(), text.size(), &wide[0], wide.size()));
    return wide;
}

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExA(QuilvexProcess::s_exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_module, nullptr) << QuilvexProcess::s_exePath;
    }
    void TearDown() override
    {
        if (m_module) FreeLibrary(m_module);
    }

    // The bytes of a resource in Japanese; empty when there is none.
    std::string Resource(LPCSTR type, int id) const
    {
        HRSRC found = FindResourceExA(m_module, type, MAKEINTRESOURCEA(id), kJapanese);
        if (!found) return "";
        const char* data = static_cast<const char*>(LockResource(LoadResource(m_module, found)));
        return std::string(data, SizeofResource(m_module, found));
    }

    HMODULE m_module = nullptr;
};

// Reads the fields of a resource one after the other.
class Reader {
public:
    explicit Reader(const std::string& bytes) : m_bytes(bytes) {}
    WORD Word() { return Take<WORD>(); }
    DWORD Dword() { return Take<DWORD>(); }
    BYTE Byte() { return Take<BYTE>(); }
    short Short() { return Take<short>(); }
    std::wstring String()
    {
        std::wstring text;
        for (WORD c = Word(); c != 0 && !Failed(); c = Word()) text += static_cast<wchar_t>(c);
        return text;
    }
    // A name or an ordinal: an ordinal shows as "#number".
    std::wstring NameOrOrdinal()
    {
        WORD first = Word();
        if (first == 0) return L"";
        if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
        m_offset -= 2;
        return String();
    }
    void AlignToDword() { m_offset = (m_offset + 3) & ~size_t{3}; }
    void Skip(size_t count) { m_offset += count; }
    bool Failed() const { return m_offset > m_bytes.size(); }

private:
    template <class T>
    T Take()
    {
        T value{};
        if (m_offset + sizeof(T) <= m_bytes.size()) memcpy(&value, &m_bytes[m_offset], sizeof(T));
        m_offset += sizeof(T);
        return value;
    }
    const std::string& m_bytes;
    size_t m_offset = 0;
};

struct DialogControl {
    int id;
    std::wstring windowClass;  // the predefined classes as their names
    DWORD style;
    short x, y, cx, cy;
    std::wstring caption;
    DWORD exStyle = 0;
    DWORD helpId = 0;
};

struct DialogTemplate {
    DWORD helpId, exStyle, style;
    short x, y, cx, cy;
    std::wstring menu, windowClass, caption;
    WORD pointSize, weight;
    BYTE italic, charset;
    std::wstring font;
    std::vector<DialogControl> controls;
};

std::wstring ClassName(const std::wstring& name)
{
    if (name == L"#128") return L"BUTTON";
    if (name == L"#129") return L"EDIT";
    if (name == L"#130") return L"STATIC";
    std::wstring upper = name;
    CharUpperBuffW(&upper[0], upper.size());
    return upper;
}

DialogTemplate ParseDialog(const std::string& bytes)
{
    DialogTemplate dialog{};
    Reader reader(bytes);
    EXPECT_EQ(reader.Word(), 1) << "not an extended dialog template";
    EXPECT_EQ(reader.Word(), 0xFFFF);
    dialog.helpId = reader.Dword();
    dialog.exStyle = reader.Dword();
    dialog.style = reader.Dword();
    WORD count = reader.Word();
    dialog.x = reader.Short();
    dialog.y = reader.Short();
    dialog.cx = reader.Short();
    dialog.cy = reader.Short();
    dialog.menu = reader.NameOrOrdinal();
    dialog.windowClass = reader.NameOrOrdinal();
    dialog.caption = reader.String();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = reader.Word();
        dialog.weight = reader.Word();
        dialog.italic = reader.Byte();
        dialog.charset = reader.Byte();
        dialog.font = reader.String();
    }
    for (WORD i = 0; i < count && !reader.Failed(); ++i) {
        reader.AlignToDword();
        DialogControl control{};
        control.helpId = reader.Dword();
        control.exStyle = reader.Dword();
        control.style = reader.Dword();
        control.x = reader.Short();
        control.y = reader.Short();
        control.cx = reader.Short();
        control.cy = reader.Short();
        control.id = static_cast<int>(reader.Dword());
        control.windowClass = ClassName(reader.NameOrOrdinal());
        control.caption = reader.NameOrOrdinal();
        reader.Skip(reader.Word());
        dialog.controls.push_back(control);
    }
    EXPECT_FALSE(reader.Failed()) << "the template is shorter than its fields";
    return dialog;
}

struct DialogHeader {
    DWORD style, exStyle;
    short cx, cy;
    std::wstring caption, font;
    BYTE charset;
};

// At 0, 0, without menu or class, in a 9-point regular font.
void ExpectHeader(const DialogTemplate& dialog, const DialogHeader& expected)
{
    EXPECT_EQ(dialog.style, expected.style) << std::hex << dialog.style;
    EXPECT_EQ(dialog.exStyle, expected.exStyle);
    EXPECT_EQ(dialog.helpId, 0u);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, expected.cx);
    EXPECT_EQ(dialog.cy, expected.cy);
    EXPECT_TRUE(dialog.menu.empty());
    EXPECT_TRUE(dialog.windowClass.empty());
    EXPECT_EQ(dialog.caption, expected.caption);
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.weight, 0);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charset, expected.charset);
    EXPECT_EQ(dialog.font, expected.font);
}

void ExpectControls(const DialogTemplate& dialog, const std::vector<DialogControl>& expected)
{
    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const DialogControl& got = dialog.controls[i];
        const DialogControl& want = expected[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + ", id " + std::to_string(want.id));
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.windowClass, want.windowClass);
        EXPECT_EQ(got.style, want.style) << std::hex << got.style;
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.cx, want.cx);
        EXPECT_EQ(got.cy, want.cy);
        EXPECT_EQ(got.caption, want.caption);
        EXPECT_EQ(got.exStyle, 0u);
        EXPECT_EQ(got.helpId, 0u);
    }
}

const DWORD kGroupBox = 0x50000007, kNotifyingGroupBox = 0x50004007, kDefaultButton = 0x50010001, kButton = 0x50010000,
            kFirstCheckbox = 0x50030003, kCheckbox = 0x50010003, kOption = 0x50020009, kNumberEdit = 0x50810080;

TEST_F(ResourcesTest, MainDialogTemplateHasEveryControlInTabOrder)
{
    DialogTemplate dialog = ParseDialog(Resource(RT_DIALOG, IDD_QUILVEX_DIALOG));
    ExpectHeader(dialog,
                 {0x90C800C0, WS_EX_APPWINDOW, 267, 250, Wide(kDialogCaption), L"MS UI Gothic", DEFAULT_CHARSET});

    const std::wstring B = L"BUTTON", E = L"EDIT";
    ExpectControls(dialog,
                   {
                       {1028, B, kGroupBox, 7, 7, 122, 37, Wide("NTFS")},
                       {-1, B, kGroupBox, 139, 7, 122, 66, Wide("メモリ")},
                       {-1, B, kGroupBox, 7, 51, 122, 90, Wide("システム")},
                       {1027, B, kNotifyingGroupBox, 138, 80, 122, 61, Wide("IEとシェルの統合")},
                       {1029, B, kGroupBox, 7, 148, 254, 73, Wide("エクスプローラ")},
                       {IDOK, B, kDefaultButton, 104, 229, 50, 14, Wide("OK")},
                       {IDCANCEL, B, kButton, 157, 229, 50, 14, Wide("ｷｬﾝｾﾙ")},
                       {IDC_APPLY, B, kButton, 210, 229, 50, 14, Wide("適用")},
                       {1000, B, kFirstCheckbox, 13, 18, 111, 11, Wide("NtfsDisableLastAccessUpdate")},
                       {1001, B, kCheckbox, 13, 29, 111, 11, Wide("NtfsDisable8dot3NameCreation")},
                       {1004, B, kCheckbox, 145, 19, 103, 9, Wide("LargeSystemCache")},
                       {1009, B, kCheckbox, 145, 30, 103, 9, Wide("DisablePagingExecutive")},
                       {1016, B, kCheckbox, 145, 41, 103, 9, Wide("IoPageLockLimit")},
                       {1018, E, kNumberEdit, 155, 52, 53, 13, L""},
                       {1011, B, kCheckbox, 13, 63, 103, 9, Wide("IRQ8Priority")},
                       {1012, B, kOption, 22, 74, 93, 9, Wide("IRQ8Priority = 1")},
                       {1013, B, kOption, 22, 85, 93, 9, Wide("IRQ8Priority = 2")},
                       {1014, B, kCheckbox, 13, 103, 103, 9, Wide("Win32PrioritySeparation")},
                       {1017, B, kOption, 22, 114, 103, 9, Wide("Win32PrioritySeparation = 0")},
                       {1015, B, kOption, 22, 126, 103, 9, Wide("Win32PrioritySeparation = 1")},
                       {1005, B, kCheckbox, 145, 91, 103, 9, Wide("ClassicShell")},
                       {1006, B, kCheckbox, 145, 102, 103, 9, Wide("NoActiveDesktop")},
                       {1007, B, kCheckbox, 145, 113, 103, 9, Wide("NoCustomizeWebView")},
                       {1008, B, kCheckbox, 145, 124, 103, 9, Wide("NoActiveDesktopChanges")},
                       {1003, B, kCheckbox, 13, 160, 124, 9, Wide("DesktopProcess")},
                       {1002, B, kCheckbox, 13, 171, 124, 9, Wide("AlwaysUnloadDLL")},
                       {1019, B, kCheckbox, 13, 182, 124, 9, Wide("NoSharedDocuments")},
                       {1020, B, kCheckbox, 13, 193, 124, 9, Wide("Use Search Asst")},
                       {1010, B, kCheckbox, 13, 205, 157, 9, Wide("新しいｼｮｰﾄｶｯﾄに \"～のｼｮｰﾄｶｯﾄ\" をつける。")},
                       {1026, B, kCheckbox, 145, 160, 107, 9, Wide("ゴミ箱を非表示にする。")},
                       {1024, B, kCheckbox, 145, 171, 107, 9, Wide("NoResolveTrack")},
                       {1021, B, kCheckbox, 145, 182, 107, 9, Wide("Max Cached Icons")},
                       {1022, E, kNumberEdit, 155, 192, 53, 13, L""},
                   });
    // The one wide character that a look-alike could stand in for.
    EXPECT_NE(dialog.controls.at(28).caption.find(L'\xFF5E'), std::wstring::npos);
}

TEST_F(ResourcesTest, AboutBoxTemplate)
{
    DialogTemplate dialog = ParseDialog(Resource(RT_DIALOG, IDD_ABOUTBOX));
    ExpectHeader(dialog, {0x80C800C0, 0, 235, 55, Wide(kAboutCaption), Wide("ＭＳ Ｐゴシック"), ANSI_CHARSET});
    ASSERT_EQ(dialog.controls.size(), 4u);
    // The author's notice is ours to word; it only has to be there.
    std::wstring notice = dialog.controls[2].caption;
    EXPECT_FALSE(notice.empty());
    const std::wstring S = L"STATIC";
    ExpectControls(dialog, {
                               {-1, S, 0x50000003, 11, 17, 20, 20, L"#128"},
                               {-1, S, 0x50020080, 40, 10, 119, 8, Wide("Quilvex !  Version 1.1")},
                               {-1, S, 0x50020000, 40, 25, 140, 8, notice},
                               {IDOK, L"BUTTON", 0x50030001, 178, 7, 50, 14, L"OK"},
                           });
}

TEST_F(ResourcesTest, SystemMenuStringIsTheOnlyEntryOfItsBlock)
{
    std::string block = Resource(RT_STRING, IDS_ABOUTBOX / 16 + 1);
    ASSERT_FALSE(block.empty());
    Reader reader(block);
    for (int index = 0; index < 16; ++index) {
        std::wstring text;
        for (WORD length = reader.Word(); length > 0; --length) text += static_cast<wchar_t>(reader.Word());
        if (index == IDS_ABOUTBOX % 16)
            EXPECT_EQ(text, Wide("Quilvex ! のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
        else
            EXPECT_TRUE(text.empty()) << "entry " << index;
    }
    EXPECT_FALSE(reader.Failed());
}

TEST_F(ResourcesTest, IconGroupHoldsA32And16PixelImageOf24Bits)
{
    std::string group = Resource(RT_GROUP_ICON, IDR_MAINFRAME);
    ASSERT_FALSE(group.empty());
    Reader reader(group);
    EXPECT_EQ(reader.Word(), 0);
    EXPECT_EQ(reader.Word(), 1);  // icons, not cursors
    ASSERT_EQ(reader.Word(), 2);
    const int kSizes[] = {32, 16};
    for (int size : kSizes) {
        SCOPED_TRACE(size);
        EXPECT_EQ(reader.Byte(), size);  // width
        EXPECT_EQ(reader.Byte(), size);  // height
        reader.Skip(4);                  // colour count, reserved, planes
        EXPECT_EQ(reader.Word(), 24);    // bits per pixel
        DWORD bytes = reader.Dword();
        WORD image = reader.Word();
        EXPECT_EQ(Resource(RT_ICON, image).size(), bytes);
    }
    EXPECT_FALSE(reader.Failed());
}

// One block of a version record: key, value and children.
struct VersionBlock {
    std::wstring key;
    std::string value;
    WORD type = 0;
    std::vector<VersionBlock> children;

    const VersionBlock* Child(const std::wstring& name) const
    {
        for (const VersionBlock& child : children)
            if (child.key == name) return &child;
        return nullptr;
    }
    std::wstring Text() const
    {
        std::wstring text(reinterpret_cast<const wchar_t*>(value.data()), value.size() / 2);
        return text.substr(0, text.find(L'\0'));
    }
};

VersionBlock ParseVersionBlock(const std::string& bytes, size_t offset, size_t end)
{
    VersionBlock block;
    auto word = [&](size_t at) {
        WORD value = 0;
        if (at + 2 <= bytes.size()) memcpy(&value, &bytes[at], 2);
        return value;
    };
    size_t length = word(offset);
    size_t blockEnd = std::min(end, offset + length);
    size_t valueLength = word(offset + 2);
    block.type = word(offset + 4);
    size_t at = offset + 6;
    for (WORD c = word(at); at < blockEnd && c != 0; c = word(at += 2)) block.key += wchar_t(c);
    at = (at + 2 + 3) & ~size_t{3};
    size_t valueBytes = block.type == 1 ? valueLength * 2 : valueLength;  // text counts characters
    if (at + valueBytes <= blockEnd) block.value = bytes.substr(at, valueBytes);
    at = (at + valueBytes + 3) & ~size_t{3};
    while (at + 6 <= blockEnd && word(at) > 0) {
        block.children.push_back(ParseVersionBlock(bytes, at, blockEnd));
        at = (at + word(at) + 3) & ~size_t{3};
    }
    return block;
}

TEST_F(ResourcesTest, VersionRecord)
{
    HRSRC found = FindResourceA(m_module, MAKEINTRESOURCEA(1), RT_VERSION);
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(m_module, found)));
    std::string bytes(data, SizeofResource(m_module, found));
    VersionBlock root = ParseVersionBlock(bytes, 0, bytes.size());
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");

    VS_FIXEDFILEINFO fixed{};
    ASSERT_EQ(root.value.size(), sizeof fixed);
    memcpy(&fixed, root.value.data(), sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.dwFileFlags, static_cast<DWORD>(VS_FF_SPECIALBUILD));
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);

    const VersionBlock* strings = root.Child(L"StringFileInfo");
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(strings->children.size(), 1u);
    const VersionBlock& table = strings->children[0];
    EXPECT_EQ(table.key, L"041104b0");
    const std::pair<const wchar_t*, std::string> kEntries[] = {
        {L"Comments", "基本的にWindowsXP用。"}, {L"FileDescription", "Quilvex !"}, {L"FileVersion", "1, 1, 0, 0"},
        {L"InternalName", "Quilvex"},           {L"LegalCopyright", ""},  // the author's notice: any text
        {L"OriginalFilename", "Quilvex.exe"},   {L"ProductName", "Quilvex !"},     {L"ProductVersion", "1, 1, 0, 0"},
        {L"SpecialBuild", "20031129"},
    };
    ASSERT_EQ(table.children.size(), std::size(kEntries));
    for (size_t i = 0; i < std::size(kEntries); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table.children[i].key, kEntries[i].first);
        if (kEntries[i].second.empty())
            EXPECT_FALSE(table.children[i].Text().empty());
        else
            EXPECT_EQ(table.children[i].Text(), Wide(kEntries[i].second));
    }

    const VersionBlock* variables = root.Child(L"VarFileInfo");
    ASSERT_NE(variables, nullptr);
    const VersionBlock* translation = variables->Child(L"Translation");
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation->value, std::string("\x11\x04\xB0\x04", 4));
}

// The common-controls dependency as it has always been, and the execution
// level in the form that Windows XP SP2 reads safely: trustInfo with one
// namespace declaration, none on the elements inside it.
const char kManifest[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
<assemblyIdentity type="win32" name="Quilvex" version="1.1.0.0" processorArchitecture="X86"/>
<description></description>
<dependency>
    <dependentAssembly>
        <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                          processorArchitecture="X86" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
</dependency>
<trustInfo xmlns="urn:schemas-microsoft-com:asm.v2">
    <security>
        <requestedPrivileges>
            <requestedExecutionLevel level="highestAvailable" uiAccess="false"/>
        </requestedPrivileges>
    </security>
</trustInfo>
</assembly>
)";

TEST_F(ResourcesTest, ManifestAsksForCommonControls6AndTheHighestAvailableLevel)
{
    EXPECT_EQ(Resource(RT_MANIFEST, 1), kManifest);

    // The level as the system reads it from the program's manifest.
    ACTCTXA context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = QuilvexProcess::s_exePath.c_str();
    context.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE activation = CreateActCtxA(&context);
    ASSERT_NE(activation, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    SIZE_T size = 0;
    EXPECT_TRUE(
        QueryActCtxW(0, activation, nullptr, RunlevelInformationInActivationContext, &level, sizeof level, &size));
    ReleaseActCtx(activation);
    EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_HIGHEST_AVAILABLE);
    EXPECT_EQ(level.UiAccess, 0u);
}

using CommonControlsTest = QuilvexTest;

// The common controls the running dialog uses come from the side-by-side
// assembly of version 6, not from the system folder's version 5. (Wine's
// DllGetVersion answers 5.81 from both, so the folder is the sign.)
TEST_F(CommonControlsTest, DialogLoadsVersion6FromItsSideBySideAssembly)
{
    ASSERT_TRUE(quilvex.Start());
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, quilvex.processId());
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    std::vector<std::string> paths;
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module)) {
        std::string path = module.szExePath;
        std::transform(path.begin(), path.end(), path.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (path.size() >= 13 && path.compare(path.size() - 13, 13, "\\comctl32.dll") == 0) paths.push_back(path);
    }
    CloseHandle(snapshot);
    quilvex.PostButton(IDCANCEL);
    ExpectEndedWithoutQuestion();
    ASSERT_EQ(paths.size(), 1u) << "comctl32.dll loaded " << paths.size() << " times";
    EXPECT_NE(paths[0].find("\\winsxs\\x86_microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::string::npos)
        << paths[0];
}

}  // namespace
