// The backup made before Quilvex's changes undoes them: QuilvexBackup.exe
// saves a seeded state, Quilvex changes everything it can through its
// dialog and OK, and the registry editor's import of the file puts every
// place back byte for byte, the neighbours in Quilvex's keys untouched.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "registry/system_view.h"
#include "res/resource.h"
#include "tests/e2e/e2e_fixture.h"
#include "tests/support/system_registry_view.h"

std::string g_backupPath;

namespace {

struct Stored {
    DWORD type;
    std::vector<BYTE> bytes;
    bool operator==(const Stored& other) const { return type == other.type && bytes == other.bytes; }
};
// Every place by name: "root\\key|value" for a value, "root\\key" for a key.
using Places = std::map<std::wstring, Stored>;

const wchar_t kNeighbour[] = L"QuilvexNeighbour";
const HKEY kRoots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};

std::wstring Wide(const char* ascii)
{
    return std::wstring(ascii, ascii + lstrlenA(ascii));
}

std::wstring Name(HKEY root, const std::wstring& path)
{
    return (root == HKEY_LOCAL_MACHINE ? L"HKLM\\" : L"HKCU\\") + path;
}

// Stores exactly these bytes: non-NUL bytes behind them keep the platform
// from adding a terminator to a string.
void Put(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type, std::vector<BYTE> bytes)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | SystemView(), nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD size = static_cast<DWORD>(bytes.size());
    bytes.insert(bytes.end(), 4, 'X');
    EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, bytes.data(), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void PutTweak(TweakId tweak, DWORD type, const std::vector<BYTE>& bytes)
{
    const Tweak& entry = TweakOf(tweak);
    Put(entry.root, Wide(entry.keyPath), Wide(entry.valueName), type, bytes);
}

void ReadValue(HKEY key, const std::wstring& place, const wchar_t* name, Places& places)
{
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return;
    std::vector<BYTE> bytes(size);
    ASSERT_EQ(RegQueryValueExW(key, name, nullptr, &type, bytes.data(), &size), ERROR_SUCCESS);
    bytes.resize(size);
    places[place + L"|" + name] = Stored{type, bytes};
}

void ReadTree(HKEY root, const std::wstring& path, Places& places)
{
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | SystemView(), &key) != ERROR_SUCCESS) return;
    const std::wstring place = Name(root, path);
    places[place] = Stored{};
    wchar_t name[16384];
    for (DWORD i = 0, length = 16384; RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                                      ERROR_SUCCESS;
         ++i, length = 16384)
        ReadValue(key, place, name, places);
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0, length = 256;
         RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; ++i, length = 256)
        subkeys.push_back(name);
    RegCloseKey(key);
    for (const std::wstring& subkey : subkeys) ReadTree(root, path + L"\\" + subkey, places);
}

// Every value of the catalogue, the neighbour in each of its keys, and the
// three keys Quilvex owns, whole.
Places ReadPlaces()
{
    Places places;
    for (const Tweak& tweak : kTweaks) {
        if (tweak.writtenAs == StoredForm::KeyFirstValue || tweak.writtenAs == StoredForm::KeyPresence) continue;
        HKEY key;
        if (RegOpenKeyExA(tweak.root, tweak.keyPath, 0, KEY_QUERY_VALUE | SystemView(), &key) != ERROR_SUCCESS)
            continue;
        const std::wstring place = Name(tweak.root, Wide(tweak.keyPath));
        ReadValue(key, place, Wide(tweak.valueName).c_str(), places);
        ReadValue(key, place, kNeighbour, places);
        RegCloseKey(key);
    }
    for (const char* path : {kUnloadKey, kRecycleBinShownKey, kRecycleBinHiddenKey})
        ReadTree(HKEY_LOCAL_MACHINE, Wide(path), places);
    return places;
}

void ClearNeighbours()
{
    for (const Tweak& tweak : kTweaks) {
        HKEY key;
        if (RegOpenKeyExA(tweak.root, tweak.keyPath, 0, KEY_SET_VALUE | SystemView(), &key) != ERROR_SUCCESS)
            continue;
        RegDeleteValueW(key, kNeighbour);
        RegCloseKey(key);
    }
}

// Runs a program with a command line and waits for its exit status; with
// `native`, checks first that it runs as a process of the machine's own
// architecture (under WOW64: a 64-bit one).
DWORD RunProgram(const std::wstring& program, const std::wstring& arguments, bool native = false)
{
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start program (error " << GetLastError() << ")";
        return 0xFFFFFFFF;
    }
    if (native) {
        BOOL wow64 = TRUE;
        const auto isWow64 = reinterpret_cast<IsWow64ProcessFunction>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
        EXPECT_TRUE(isWow64 && isWow64(process.hProcess, &wow64));
        EXPECT_FALSE(wow64) << "the registry editor runs under WOW64, not as the system's own";
    }
    ResumeThread(process.hThread);
    DWORD status = 0xFFFFFFFF;
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << "the program did not end";
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

std::wstring BackupProgram()
{
    return std::wstring(g_backupPath.begin(), g_backupPath.end());
}

std::wstring TemporaryFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return folder + std::wstring(name);
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What the registry editor's import makes of a seeded value: a non-empty
// text stored without its terminator gains one; of a text of an odd length,
// Wine's editor puts the terminator on the last whole UTF-16 unit's
// boundary, over the odd byte, and keeps the length odd
// (61 00 62 comes back as 61 00 00 00 00).
Stored AsImported(const Stored& seeded)
{
    const std::vector<BYTE>& bytes = seeded.bytes;
    const bool text = seeded.type == REG_SZ || seeded.type == REG_EXPAND_SZ || seeded.type == REG_MULTI_SZ;
    const bool terminated = bytes.size() >= 2 && bytes.size() % 2 == 0 && !bytes[bytes.size() - 2] && !bytes.back();
    if (!text || bytes.empty() || terminated) return seeded;
    Stored imported = seeded;
    imported.bytes.resize(bytes.size() - bytes.size() % 2);
    imported.bytes.insert(imported.bytes.end(), 2 + bytes.size() % 2, 0);
    return imported;
}

struct State {
    const char* name;
    std::function<void()> seed;
};

const std::wstring kUnload = Wide(kUnloadKey), kShown = Wide(kRecycleBinShownKey),
                   kHidden = Wide(kRecycleBinHiddenKey);

std::vector<BYTE> Bytes(std::initializer_list<int> bytes)
{
    return std::vector<BYTE>(bytes.begin(), bytes.end());
}

void SeedNeighbours()
{
    for (const Tweak& tweak : kTweaks)
        if (tweak.writtenAs != StoredForm::KeyFirstValue && tweak.writtenAs != StoredForm::KeyPresence)
            Put(tweak.root, Wide(tweak.keyPath), kNeighbour, REG_SZ, Utf16Bytes(std::wstring(L"keep\0", 5)));
}

const State kStates[] = {
    {"EverythingPresentOdd",
     [] {
         SeedNeighbours();
         PutTweak(TweakId::NtfsDisableLastAccessUpdate, REG_DWORD, Bytes({7, 0, 0, 0}));
         PutTweak(TweakId::NtfsDisable8dot3NameCreation, REG_DWORD, Bytes({1, 2}));
         PutTweak(TweakId::LargeSystemCache, REG_BINARY, Bytes({1, 2, 3, 4, 5}));
         PutTweak(TweakId::DisablePagingExecutive, REG_QWORD, Bytes({1, 0, 0, 0, 0, 0, 0, 9}));
         PutTweak(TweakId::IoPageLockLimit, REG_NONE, {});
         PutTweak(TweakId::IRQ8Priority, REG_SZ, {});
         PutTweak(TweakId::Win32PrioritySeparation, REG_SZ, Utf16Bytes(L"ab"));
         PutTweak(TweakId::ClassicShell, REG_SZ, Bytes({'a', 0, 'b'}));
         PutTweak(TweakId::NoActiveDesktop, REG_EXPAND_SZ, Utf16Bytes(std::wstring(L"%x%\0", 4)));
         PutTweak(TweakId::NoCustomizeWebView, REG_MULTI_SZ, Utf16Bytes(std::wstring(L"a\0b\0\0", 5)));
         PutTweak(TweakId::NoActiveDesktopChanges, 0x1234, Bytes({0xFF, 0}));
         PutTweak(TweakId::DesktopProcess, REG_SZ, Utf16Bytes(std::wstring(L"a\"b\\c\0", 6)));
         PutTweak(TweakId::NoSharedDocuments, REG_BINARY, std::vector<BYTE>(100, 0xA5));
         PutTweak(TweakId::UseSearchAsst, REG_SZ, Utf16Bytes(std::wstring(L"\tno\0", 4)));
         PutTweak(TweakId::Link, REG_DWORD, Bytes({0, 0, 0, 0x80}));
         PutTweak(TweakId::NoResolveTrack, REG_SZ, Utf16Bytes(std::wstring(L"a\0b\0", 4)));
         PutTweak(TweakId::MaxCachedIcons, REG_SZ, Utf16Bytes(std::wstring(L"500\0", 4)));
         Put(HKEY_LOCAL_MACHINE, kUnload, L"", REG_SZ, Utf16Bytes(std::wstring(L"1\0", 2)));
         Put(HKEY_LOCAL_MACHINE, kUnload, L"\x20AC\"x\\", REG_DWORD, Bytes({1, 0, 0, 0}));
         Put(HKEY_LOCAL_MACHINE, kUnload + L"\\sub\\\xD55C", L"\xD55C", REG_BINARY, Bytes({7}));
         Put(HKEY_LOCAL_MACHINE, kShown, L"", REG_SZ, Utf16Bytes(std::wstring(L"ごみ箱€한\0", 6)));
         Put(HKEY_LOCAL_MACHINE, kShown, L"Extra", REG_EXPAND_SZ, Utf16Bytes(L"%SystemRoot%"));
         Put(HKEY_LOCAL_MACHINE, kShown + L"\\Sub", L"", REG_DWORD, Bytes({2, 0, 0, 0}));
     }},
    {"EverythingAbsent", [] { SeedNeighbours(); }},
    {"BinHiddenWithExtras",
     [] {
         SeedNeighbours();
         PutTweak(TweakId::NtfsDisableLastAccessUpdate, REG_DWORD, Bytes({1, 0, 0, 0}));
         PutTweak(TweakId::ClassicShell, REG_BINARY, Bytes({0, 0, 0, 1}));
         PutTweak(TweakId::MaxCachedIcons, REG_SZ, Utf16Bytes(std::wstring(L"2000\0", 5)));
         Put(HKEY_LOCAL_MACHINE, kUnload + L"\\empty", L"", REG_SZ, {});
         Put(HKEY_LOCAL_MACHINE, kHidden, L"", REG_SZ, Utf16Bytes(L"ごみ箱€"));
         Put(HKEY_LOCAL_MACHINE, kHidden, L"Extra", REG_MULTI_SZ, Utf16Bytes(std::wstring(L"x\0\0", 3)));
         Put(HKEY_LOCAL_MACHINE, kHidden + L"\\Sub\\Deeper", L"v", REG_SZ, Utf16Bytes(std::wstring(L"\x20AC\0", 2)));
     }},
};

class BackupRestoreTest : public QuilvexTest, public ::testing::WithParamInterface<State> {
protected:
    void SetUp() override
    {
        QuilvexTest::SetUp();
        ClearNeighbours();
        DeleteFileW(m_file.c_str());
    }
    void TearDown() override
    {
        ClearNeighbours();
        DeleteFileW(m_file.c_str());
        QuilvexTest::TearDown();
    }

    // Every tweak flipped, both number fields typed into, OK and No.
    void ChangeEverything()
    {
        ASSERT_TRUE(quilvex.Start());
        for (const Tweak& tweak : kTweaks) quilvex.Click(tweak.checkboxId);
        quilvex.SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, "4096");
        quilvex.SetText(IDC_MAX_CACHED_ICONS_EDIT, "1234");
        quilvex.PostButton(IDOK);
        Answer(ExpectRestartQuestion(), IDNO);
        ExpectEnded();
    }

    const std::wstring m_file = TemporaryFile(L"quilvex-backup-e2e.reg");
};

TEST_P(BackupRestoreTest, ImportedBackupPutsEveryPlaceBack)
{
    GetParam().seed();
    const Places seeded = ReadPlaces();
    ASSERT_EQ(RunProgram(BackupProgram(), L"\"" + m_file + L"\""), 0u);
    ASSERT_TRUE(FileExists(m_file));
    ChangeEverything();
    EXPECT_NE(ReadPlaces(), seeded) << "Quilvex changed nothing";

    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    // C:\windows\regedit.exe, as a double-click runs it: the 64-bit one on
    // 64-bit Windows.
    ASSERT_EQ(RunProgram(windows + std::wstring(L"\\regedit.exe"), L"/s \"" + m_file + L"\"", RunsUnderWow64()), 0u);

    const Places restored = ReadPlaces();
    for (const auto& place : seeded) {
        const auto found = restored.find(place.first);
        if (found == restored.end()) {
            ADD_FAILURE() << "missing after the import: " << testing::PrintToString(place.first);
            continue;
        }
        const Stored expected = AsImported(place.second);
        EXPECT_EQ(found->second.type, expected.type) << testing::PrintToString(place.first);
        EXPECT_EQ(found->second.bytes, expected.bytes) << testing::PrintToString(place.first);
        if (!(expected == place.second) && found->second == expected)
            std::printf("terminator added on import: %ls\n", place.first.c_str());
    }
    for (const auto& place : restored)
        EXPECT_TRUE(seeded.count(place.first)) << "left after the import: " << testing::PrintToString(place.first);
}

// A target that cannot be written fails and leaves no file.
TEST_F(QuilvexTest, BackupToAnUnwritableTargetFailsAndWritesNothing)
{
    const std::wstring target = TemporaryFile(L"no-such-folder\\backup.reg");
    EXPECT_NE(RunProgram(BackupProgram(), L"\"" + target + L"\""), 0u);
    EXPECT_FALSE(FileExists(target));
}

INSTANTIATE_TEST_SUITE_P(SeededStates, BackupRestoreTest, ::testing::ValuesIn(kStates),
                         [](const ::testing::TestParamInfo<State>& info) { return std::string(info.param.name); });

}  // namespace
