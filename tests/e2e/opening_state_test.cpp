// What the dialog shows when it opens, and what OK with no change writes.
#include "res/resource.h"
#include "tests/e2e/e2e_fixture.h"

namespace {

using OpeningStateTest = QuilvexTest;

const std::vector<BYTE> kBinaryOne = Bytes({1, 0, 0, 0});
const std::vector<BYTE> kBinaryZero = Bytes({0, 0, 0, 0});

TEST_F(OpeningStateTest, EmptyRegistryShowsDefaultsAndCancelWritesNothing)
{
    ASSERT_TRUE(quilvex.Start());

    for (int id :
         {IDC_NTFS_LAST_ACCESS, IDC_NTFS_8DOT3, IDC_ALWAYS_UNLOAD_DLL, IDC_DESKTOP_PROCESS, IDC_LARGE_SYSTEM_CACHE,
          IDC_CLASSIC_SHELL, IDC_NO_ACTIVE_DESKTOP, IDC_NO_CUSTOMIZE_WEB_VIEW, IDC_NO_ACTIVE_DESKTOP_CHANGES,
          IDC_DISABLE_PAGING_EXECUTIVE, IDC_IRQ8_PRIORITY, IDC_IO_PAGE_LOCK_LIMIT, IDC_NO_SHARED_DOCUMENTS,
          IDC_USE_SEARCH_ASST, IDC_MAX_CACHED_ICONS, IDC_NO_RESOLVE_TRACK})
        EXPECT_EQ(quilvex.Check(id), BST_UNCHECKED) << id;
    // An absent Win32PrioritySeparation reads as 0: "= 0".
    EXPECT_EQ(quilvex.Check(IDC_WIN32_PRIORITY_SEPARATION), BST_CHECKED);
    EXPECT_EQ(quilvex.Check(IDC_WIN32_PRIORITY_SEPARATION_0), BST_CHECKED);
    EXPECT_EQ(quilvex.Check(IDC_WIN32_PRIORITY_SEPARATION_1), BST_UNCHECKED);
    EXPECT_TRUE(quilvex.Enabled(IDC_WIN32_PRIORITY_SEPARATION_0));
    EXPECT_TRUE(quilvex.Enabled(IDC_WIN32_PRIORITY_SEPARATION_1));
    // Without the Recycle Bin key the Recycle Bin counts as hidden.
    EXPECT_EQ(quilvex.Check(IDC_HIDE_RECYCLE_BIN), BST_CHECKED);
    // An absent Link is what a checked 1010 stores, so it shows checked.
    EXPECT_EQ(quilvex.Check(IDC_LINK), BST_CHECKED);

    for (int id : {IDC_IRQ8_PRIORITY_1, IDC_IRQ8_PRIORITY_2}) {
        EXPECT_EQ(quilvex.Check(id), BST_UNCHECKED) << id;
        EXPECT_FALSE(quilvex.Enabled(id)) << id;
    }
    EXPECT_EQ(quilvex.Text(IDC_IO_PAGE_LOCK_LIMIT_EDIT), "0");
    EXPECT_FALSE(quilvex.Enabled(IDC_IO_PAGE_LOCK_LIMIT_EDIT));
    EXPECT_EQ(quilvex.Text(IDC_MAX_CACHED_ICONS_EDIT), "500");
    EXPECT_FALSE(quilvex.Enabled(IDC_MAX_CACHED_ICONS_EDIT));

    // Loading put texts into both fields, yet nothing counts as changed.
    EXPECT_FALSE(quilvex.Enabled(IDC_APPLY));
    EXPECT_EQ(quilvex.Focus(), quilvex.Item(IDOK));

    quilvex.PostButton(IDCANCEL);
    ExpectEndedWithoutQuestion();
    for (const Tweak& tweak : kTweaks)
        EXPECT_FALSE(ReadValue(tweak.root, tweak.keyPath, tweak.valueName).exists) << tweak.name;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUnloadKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinShownKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey));
}

TEST_F(OpeningStateTest, SeededRegistryShowsEveryTweakAndOkWithoutChangeRewritesIt)
{
    WriteTweakDword(TweakId::NtfsDisableLastAccessUpdate, 1);
    WriteTweakDword(TweakId::NtfsDisable8dot3NameCreation, 7);  // any non-zero number checks
    WriteTweakDword(TweakId::LargeSystemCache, 1);
    WriteTweakDword(TweakId::DisablePagingExecutive, 1);
    WriteTweakDword(TweakId::IoPageLockLimit, 16384);
    WriteTweakDword(TweakId::IRQ8Priority, 2);
    WriteTweakDword(TweakId::Win32PrioritySeparation, 0x26);  // low bits 2: unchecked
    WriteTweak(TweakId::ClassicShell, REG_BINARY, kBinaryOne);
    WriteTweak(TweakId::NoActiveDesktop, REG_BINARY, kBinaryOne);
    WriteTweak(TweakId::NoCustomizeWebView, REG_BINARY, kBinaryOne);
    WriteTweak(TweakId::NoActiveDesktopChanges, REG_BINARY, kBinaryOne);
    WriteTweakDword(TweakId::DesktopProcess, 1);
    WriteValue(HKEY_LOCAL_MACHINE, kUnloadKey, "", REG_SZ, StoredText("1"));
    WriteTweakDword(TweakId::NoSharedDocuments, 1);
    WriteTweakString(TweakId::UseSearchAsst, "No");
    WriteTweak(TweakId::Link, REG_BINARY, kBinaryZero);
    WriteValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "", REG_SZ, StoredText("Trash"));
    WriteTweakDword(TweakId::NoResolveTrack, 1);  // read as binary: 0x01000000
    WriteTweakString(TweakId::MaxCachedIcons, "abc");
    ASSERT_TRUE(quilvex.Start());

    for (int id :
         {IDC_NTFS_LAST_ACCESS, IDC_NTFS_8DOT3, IDC_ALWAYS_UNLOAD_DLL, IDC_DESKTOP_PROCESS, IDC_LARGE_SYSTEM_CACHE,
          IDC_CLASSIC_SHELL, IDC_NO_ACTIVE_DESKTOP, IDC_NO_CUSTOMIZE_WEB_VIEW, IDC_NO_ACTIVE_DESKTOP_CHANGES,
          IDC_DISABLE_PAGING_EXECUTIVE, IDC_IRQ8_PRIORITY, IDC_IRQ8_PRIORITY_2, IDC_IO_PAGE_LOCK_LIMIT,
          IDC_NO_SHARED_DOCUMENTS, IDC_USE_SEARCH_ASST, IDC_MAX_CACHED_ICONS, IDC_NO_RESOLVE_TRACK})
        EXPECT_EQ(quilvex.Check(id), BST_CHECKED) << id;
    for (int id : {IDC_IRQ8_PRIORITY_1, IDC_WIN32_PRIORITY_SEPARATION, IDC_WIN32_PRIORITY_SEPARATION_0,
                   IDC_WIN32_PRIORITY_SEPARATION_1, IDC_LINK, IDC_HIDE_RECYCLE_BIN})
        EXPECT_EQ(quilvex.Check(id), BST_UNCHECKED) << id;
    EXPECT_TRUE(quilvex.Enabled(IDC_IRQ8_PRIORITY_1));
    EXPECT_TRUE(quilvex.Enabled(IDC_IRQ8_PRIORITY_2));
    EXPECT_FALSE(quilvex.Enabled(IDC_WIN32_PRIORITY_SEPARATION_0));
    EXPECT_FALSE(quilvex.Enabled(IDC_WIN32_PRIORITY_SEPARATION_1));
    EXPECT_TRUE(quilvex.Enabled(IDC_IO_PAGE_LOCK_LIMIT_EDIT));
    EXPECT_EQ(quilvex.Text(IDC_IO_PAGE_LOCK_LIMIT_EDIT), "16384");
    EXPECT_TRUE(quilvex.Enabled(IDC_MAX_CACHED_ICONS_EDIT));
    EXPECT_EQ(quilvex.Text(IDC_MAX_CACHED_ICONS_EDIT), "ABC");
    EXPECT_FALSE(quilvex.Enabled(IDC_APPLY));

    // OK without a change saves every tweak and asks nothing.
    quilvex.PostButton(IDOK);
    ExpectEndedWithoutQuestion();
    ExpectNoRestartRequested();

    EXPECT_EQ(ReadTweak(TweakId::NtfsDisableLastAccessUpdate).bytes, Dword(1));
    EXPECT_EQ(ReadTweak(TweakId::NtfsDisable8dot3NameCreation).bytes, Dword(1));
    EXPECT_EQ(ReadTweak(TweakId::LargeSystemCache).bytes, Dword(1));
    EXPECT_EQ(ReadTweak(TweakId::DisablePagingExecutive).bytes, Dword(1));
    EXPECT_EQ(ReadTweak(TweakId::IoPageLockLimit).bytes, Dword(16384));
    EXPECT_EQ(ReadTweak(TweakId::IRQ8Priority).bytes, Dword(2));
    // Written whole: the upper bits of 0x26 go.
    StoredValue separation = ReadTweak(TweakId::Win32PrioritySeparation);
    EXPECT_EQ(separation.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(separation.bytes, Dword(2));
    for (TweakId binary : {TweakId::ClassicShell, TweakId::NoActiveDesktop, TweakId::NoCustomizeWebView,
                           TweakId::NoActiveDesktopChanges}) {
        StoredValue value = ReadTweak(binary);
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_BINARY)) << TweakOf(binary).name;
        EXPECT_EQ(value.bytes, kBinaryOne) << TweakOf(binary).name;
    }
    EXPECT_EQ(ReadTweak(TweakId::DesktopProcess).bytes, Dword(1));
    StoredValue unload = ReadValue(HKEY_LOCAL_MACHINE, kUnloadKey, "");
    EXPECT_EQ(unload.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(unload.bytes, StoredText("1"));
    EXPECT_EQ(ReadTweak(TweakId::NoSharedDocuments).bytes, Dword(1));
    EXPECT_EQ(ReadTweak(TweakId::UseSearchAsst).bytes, StoredText("no"));
    StoredValue link = ReadTweak(TweakId::Link);
    EXPECT_EQ(link.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(link.bytes, kBinaryZero);
    // The shown Recycle Bin keeps its own caption.
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "").bytes, StoredText("Trash"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey));
    StoredValue resolve = ReadTweak(TweakId::NoResolveTrack);
    EXPECT_EQ(resolve.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(resolve.bytes, Dword(1));
    // "ABC" is no number from 100 to 4096.
    EXPECT_FALSE(ReadTweak(TweakId::MaxCachedIcons).exists);
}

// "100" and a full-width small a, which shows upper-cased as the runtime's
// multibyte upper-casing does.
const char kIconsFullWidthSmallA[] = "100\x82\x81";
const char kIconsFullWidthCapitalA[] = "100\x82\x60";

TEST_F(OpeningStateTest, OtherStoredFormsShowAsTheyRead)
{
    WriteTweakDword(TweakId::IRQ8Priority, 3);             // checked, neither option
    WriteTweakDword(TweakId::Win32PrioritySeparation, 1);  // "= 1"
    WriteTweak(TweakId::Link, REG_BINARY, kBinaryOne);
    WriteTweakString(TweakId::UseSearchAsst, "yes");
    WriteTweakString(TweakId::MaxCachedIcons, kIconsFullWidthSmallA);
    WriteValue(HKEY_LOCAL_MACHINE, kUnloadKey, "", REG_SZ, StoredText("0"));
    ASSERT_TRUE(quilvex.Start());

    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY), BST_CHECKED);
    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY_1), BST_UNCHECKED);
    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY_2), BST_UNCHECKED);
    EXPECT_TRUE(quilvex.Enabled(IDC_IRQ8_PRIORITY_1));
    EXPECT_TRUE(quilvex.Enabled(IDC_IRQ8_PRIORITY_2));
    EXPECT_EQ(quilvex.Check(IDC_WIN32_PRIORITY_SEPARATION), BST_CHECKED);
    EXPECT_EQ(quilvex.Check(IDC_WIN32_PRIORITY_SEPARATION_0), BST_UNCHECKED);
    EXPECT_EQ(quilvex.Check(IDC_WIN32_PRIORITY_SEPARATION_1), BST_CHECKED);
    EXPECT_EQ(quilvex.Check(IDC_LINK), BST_CHECKED);
    EXPECT_EQ(quilvex.Check(IDC_USE_SEARCH_ASST), BST_UNCHECKED);
    EXPECT_EQ(quilvex.Check(IDC_MAX_CACHED_ICONS), BST_CHECKED);
    EXPECT_EQ(quilvex.Text(IDC_MAX_CACHED_ICONS_EDIT), kIconsFullWidthCapitalA);
    EXPECT_EQ(quilvex.Check(IDC_ALWAYS_UNLOAD_DLL), BST_UNCHECKED);  // "0" reads as 0

    quilvex.PostButton(IDOK);
    ExpectEndedWithoutQuestion();
    EXPECT_EQ(ReadTweak(TweakId::IRQ8Priority).bytes, Dword(1));
    EXPECT_EQ(ReadTweak(TweakId::Win32PrioritySeparation).bytes, Dword(1));
    EXPECT_FALSE(ReadTweak(TweakId::Link).exists);  // checked 1010 means no value
    EXPECT_FALSE(ReadTweak(TweakId::UseSearchAsst).exists);
    // 100 is within bounds: the upper-cased text is stored as shown.
    EXPECT_EQ(ReadTweak(TweakId::MaxCachedIcons).bytes, StoredText(kIconsFullWidthCapitalA));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUnloadKey));
}

}  // namespace
