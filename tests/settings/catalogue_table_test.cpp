// Where the nineteen tweaks live, written out here by hand, independently of
// the catalogue: a slip in a key path or value name in the catalogue would
// otherwise pass every suite, since they take their places from it.
#include <cstring>
#include <iterator>
#include <string>

#include "res/resource.h"
#include "tests/settings/settings_fixture.h"

namespace {

struct Place {
    const char* tweak;
    int checkbox;
    HKEY root;
    const char* keyPath;
    const char* valueName;
    StoredForm readAs;
    StoredForm writtenAs;
    DWORD typeWhenTicked;  // what a save with every box ticked stores; 0: nothing
};

const HKEY HKLM = HKEY_LOCAL_MACHINE;
const HKEY HKCU = HKEY_CURRENT_USER;
using F = StoredForm;

const Place kPlaces[] = {
    {"NtfsDisableLastAccessUpdate", 1000, HKLM, "System\\CurrentControlSet\\Control\\FileSystem",
     "NtfsDisableLastAccessUpdate", F::Dword, F::Dword, REG_DWORD},
    {"NtfsDisable8dot3NameCreation", 1001, HKLM, "System\\CurrentControlSet\\Control\\FileSystem",
     "NtfsDisable8dot3NameCreation", F::Dword, F::Dword, REG_DWORD},
    {"LargeSystemCache", 1004, HKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
     "LargeSystemCache", F::Dword, F::Dword, REG_DWORD},
    {"DisablePagingExecutive", 1009, HKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
     "DisablePagingExecutive", F::Dword, F::Dword, REG_DWORD},
    {"IoPageLockLimit", 1016, HKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
     "IoPageLockLimit", F::Dword, F::Dword, REG_DWORD},
    {"IRQ8Priority", 1011, HKLM, "System\\CurrentControlSet\\Control\\PriorityControl", "IRQ8Priority", F::Dword,
     F::Dword, REG_DWORD},
    {"Win32PrioritySeparation", 1014, HKLM, "System\\CurrentControlSet\\Control\\PriorityControl",
     "Win32PrioritySeparation", F::Dword, F::Dword, REG_DWORD},
    {"ClassicShell", 1005, HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "ClassicShell",
     F::BinaryBigEndian, F::BinaryBigEndian, REG_BINARY},
    {"NoActiveDesktop", 1006, HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
     "NoActiveDesktop", F::BinaryBigEndian, F::BinaryBigEndian, REG_BINARY},
    {"NoCustomizeWebView", 1007, HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
     "NoCustomizeWebView", F::BinaryBigEndian, F::BinaryBigEndian, REG_BINARY},
    {"NoActiveDesktopChanges", 1008, HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
     "NoActiveDesktopChanges", F::BinaryBigEndian, F::BinaryBigEndian, REG_BINARY},
    {"DesktopProcess", 1003, HKCU, "SoftWare\\Microsoft\\Windows\\CurrentVersion\\Explorer", "DesktopProcess", F::Dword,
     F::Dword, REG_DWORD},
    {"AlwaysUnloadDLL", 1002, HKLM, "SoftWare\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL", "",
     F::KeyFirstValue, F::KeyFirstValue, REG_SZ},
    {"NoSharedDocuments", 1019, HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
     "NoSharedDocuments", F::Dword, F::Dword, REG_DWORD},
    {"Use Search Asst", 1020, HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState",
     "Use Search Asst", F::String, F::String, REG_SZ},
    // Ticked removes the value.
    {"Link", 1010, HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "Link", F::BinaryBigEndian,
     F::BinaryBigEndian, 0},
    // Ticked moves the key away from this, its shown name.
    {"HideRecycleBin", 1026, HKLM,
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace\\"
     "{645FF040-5081-101B-9F08-00AA002F954E}",
     "", F::KeyPresence, F::KeyPresence, 0},
    {"NoResolveTrack", 1024, HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoResolveTrack",
     F::BinaryBigEndian, F::Dword, REG_DWORD},
    {"Max Cached Icons", 1021, HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "Max Cached Icons",
     F::String, F::String, REG_SZ},
};

const char kRecycleBinHidden[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace\\"
    ";{645FF040-5081-101B-9F08-00AA002F954E}";

using CatalogueTable = SettingsTest;

TEST_F(CatalogueTable, CatalogueAgreesLetterForLetter)
{
    ASSERT_EQ(std::size(kPlaces), static_cast<size_t>(kTweakCount));
    for (const Place& place : kPlaces) {
        SCOPED_TRACE(place.tweak);
        const Tweak* tweak = nullptr;
        for (const Tweak& candidate : kTweaks)
            if (std::strcmp(candidate.name, place.tweak) == 0) tweak = &candidate;
        ASSERT_NE(tweak, nullptr);
        EXPECT_EQ(place.checkbox, tweak->checkboxId);
        EXPECT_EQ(place.root, tweak->root);
        EXPECT_STREQ(place.keyPath, tweak->keyPath);
        EXPECT_STREQ(place.valueName, tweak->valueName);
        EXPECT_EQ(place.readAs, tweak->readAs);
        EXPECT_EQ(place.writtenAs, tweak->writtenAs);
    }
    EXPECT_STREQ(kRecycleBinHidden, kRecycleBinHiddenKey);
    EXPECT_STREQ(kPlaces[16].keyPath, kRecycleBinShownKey);
}

// With every box ticked, each value lands at its place with its type; the
// Recycle Bin moves to its hidden name.
TEST_F(CatalogueTable, SaveWritesEachValueAtItsPlace)
{
    const Place& bin = kPlaces[16];
    api.PutValue(bin.root, bin.keyPath, "", REG_SZ, StoredText("bin"));
    for (const Place& place : kPlaces) SetCheck(place.checkbox);
    SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, "4096");
    SetText(IDC_MAX_CACHED_ICONS_EDIT, "500");
    Save();

    for (const Place& place : kPlaces) {
        SCOPED_TRACE(place.tweak);
        if (!place.typeWhenTicked) continue;
        ASSERT_TRUE(api.HasValue(place.root, place.keyPath, place.valueName));
        EXPECT_EQ(place.typeWhenTicked, api.GetValue(place.root, place.keyPath, place.valueName).type);
    }
    EXPECT_FALSE(api.HasKey(bin.root, bin.keyPath));
    EXPECT_TRUE(api.HasValue(HKLM, kRecycleBinHidden, ""));
}

}  // namespace
