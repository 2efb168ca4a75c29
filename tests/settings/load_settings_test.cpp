#include "res/resource.h"
#include "tests/settings/settings_fixture.h"

namespace {

using LoadTest = SettingsTest;

TEST_F(LoadTest, EmptyRegistryShowsDefaultsAndWritesNothing)
{
    Load();

    // Absent values read as 0, except three: an absent Win32PrioritySeparation
    // is 0 & 3 = 0 (checked, option "= 0"), an absent Recycle Bin key means
    // hidden, and an absent Link means its box is checked.
    for (const Tweak& tweak : kTweaks) {
        const bool checked = tweak.checkboxId == IDC_WIN32_PRIORITY_SEPARATION ||
                             tweak.checkboxId == IDC_HIDE_RECYCLE_BIN || tweak.checkboxId == IDC_LINK;
        EXPECT_EQ(checked ? 1 : 0, Check(tweak.checkboxId)) << tweak.name;
    }
    EXPECT_EQ(1, Check(IDC_WIN32_PRIORITY_SEPARATION_0));
    EXPECT_EQ(0, Check(IDC_WIN32_PRIORITY_SEPARATION_1));
    EXPECT_TRUE(Enabled(IDC_WIN32_PRIORITY_SEPARATION_0));
    EXPECT_TRUE(Enabled(IDC_WIN32_PRIORITY_SEPARATION_1));
    EXPECT_FALSE(Enabled(IDC_IRQ8_PRIORITY_1));
    EXPECT_FALSE(Enabled(IDC_IRQ8_PRIORITY_2));
    EXPECT_EQ("0", Text(IDC_IO_PAGE_LOCK_LIMIT_EDIT));
    EXPECT_FALSE(Enabled(IDC_IO_PAGE_LOCK_LIMIT_EDIT));
    EXPECT_EQ("500", Text(IDC_MAX_CACHED_ICONS_EDIT));
    EXPECT_FALSE(Enabled(IDC_MAX_CACHED_ICONS_EDIT));

    using Op = MemoryRegistryApi::Op;
    for (Op op : {Op::CreateKey, Op::SetValue, Op::DeleteValue, Op::DeleteKey}) EXPECT_EQ(0, api.CallCount(op));
}

TEST_F(LoadTest, ReadsTheTweaksInItsOwnOrder)
{
    Load();
    EXPECT_EQ((std::vector<int>{1000, 1001, 1004, 1009, 1016, 1011, 1014, 1003, 1002, 1005, 1007, 1006, 1008, 1010,
                                1019, 1020, 1021, 1024, 1026}),
              CheckboxOrder("SetCheck"));
}

TEST_F(LoadTest, NumbersAndBinariesShowCheckedWhenNonZero)
{
    PutDword(TweakId::NtfsDisableLastAccessUpdate, 1);
    PutDword(TweakId::LargeSystemCache, 7);
    PutDword(TweakId::DisablePagingExecutive, 0);
    // Longer than four bytes: no number as a DWORD, the first four bytes as binary.
    Put(TweakId::NtfsDisable8dot3NameCreation, REG_BINARY, Bytes({1, 0, 0, 0, 0, 0, 0, 0}));
    Put(TweakId::NoResolveTrack, REG_BINARY, Bytes({1, 0, 0, 0, 0, 0, 0, 0}));
    Put(TweakId::ClassicShell, REG_BINARY, Bytes({1, 0, 0, 0}));
    Put(TweakId::NoActiveDesktop, REG_BINARY, Bytes({0, 0, 0, 0}));
    Put(TweakId::NoCustomizeWebView, REG_DWORD, Bytes({0, 0, 0, 1}));
    PutDword(TweakId::DesktopProcess, 1);
    Load();
    EXPECT_EQ(1, Check(IDC_NTFS_LAST_ACCESS));
    EXPECT_EQ(1, Check(IDC_LARGE_SYSTEM_CACHE));
    EXPECT_EQ(0, Check(IDC_DISABLE_PAGING_EXECUTIVE));
    EXPECT_EQ(0, Check(IDC_NTFS_8DOT3));
    EXPECT_EQ(1, Check(IDC_NO_RESOLVE_TRACK));
    EXPECT_EQ(1, Check(IDC_CLASSIC_SHELL));
    EXPECT_EQ(0, Check(IDC_NO_ACTIVE_DESKTOP));
    EXPECT_EQ(1, Check(IDC_NO_CUSTOMIZE_WEB_VIEW));
    EXPECT_EQ(1, Check(IDC_DESKTOP_PROCESS));
}

TEST_F(LoadTest, IoPageLockLimitShowsSignedNumber)
{
    PutDword(TweakId::IoPageLockLimit, 16384);
    Load();
    EXPECT_EQ(1, Check(IDC_IO_PAGE_LOCK_LIMIT));
    EXPECT_TRUE(Enabled(IDC_IO_PAGE_LOCK_LIMIT_EDIT));
    EXPECT_EQ("16384", Text(IDC_IO_PAGE_LOCK_LIMIT_EDIT));

    PutDword(TweakId::IoPageLockLimit, 0xFFFFFFFF);
    Load();
    EXPECT_EQ("-1", Text(IDC_IO_PAGE_LOCK_LIMIT_EDIT));
}

TEST_F(LoadTest, Irq8PriorityOptions)
{
    struct Case {
        int stored;  // -1: absent
        int box, option1, option2;
        bool optionsEnabled;
    };
    for (const Case& c : {Case{-1, 0, 0, 0, false}, Case{0, 0, 0, 0, false}, Case{1, 1, 1, 0, true},
                          Case{2, 1, 0, 1, true}, Case{3, 1, 0, 0, true}}) {
        SCOPED_TRACE(c.stored);
        panel = FakePanel();
        if (c.stored >= 0) PutDword(TweakId::IRQ8Priority, c.stored);
        Load();
        EXPECT_EQ(c.box, Check(IDC_IRQ8_PRIORITY));
        EXPECT_EQ(c.option1, Check(IDC_IRQ8_PRIORITY_1));
        EXPECT_EQ(c.option2, Check(IDC_IRQ8_PRIORITY_2));
        EXPECT_EQ(c.optionsEnabled, Enabled(IDC_IRQ8_PRIORITY_1));
        EXPECT_EQ(c.optionsEnabled, Enabled(IDC_IRQ8_PRIORITY_2));
    }
}

TEST_F(LoadTest, Win32PrioritySeparationLooksAtLowTwoBits)
{
    struct Case {
        uint32_t stored;
        int box, option0, option1;
    };
    for (const Case& c : {Case{0x26, 0, 0, 0}, Case{0x24, 1, 1, 0}, Case{0x25, 1, 0, 1}, Case{0x27, 1, 0, 0}}) {
        SCOPED_TRACE(c.stored);
        panel = FakePanel();
        PutDword(TweakId::Win32PrioritySeparation, c.stored);
        Load();
        EXPECT_EQ(c.box, Check(IDC_WIN32_PRIORITY_SEPARATION));
        EXPECT_EQ(c.option0, Check(IDC_WIN32_PRIORITY_SEPARATION_0));
        EXPECT_EQ(c.option1, Check(IDC_WIN32_PRIORITY_SEPARATION_1));
        EXPECT_EQ(c.box == 1, Enabled(IDC_WIN32_PRIORITY_SEPARATION_0));
        EXPECT_EQ(c.box == 1, Enabled(IDC_WIN32_PRIORITY_SEPARATION_1));
    }
}

TEST_F(LoadTest, AlwaysUnloadDllReadsFirstValueAsDecimalText)
{
    const Tweak& unload = TweakOf(TweakId::AlwaysUnloadDLL);
    api.PutValue(unload.root, unload.keyPath, "", REG_SZ, StoredText("1"));
    Load();
    EXPECT_EQ(1, Check(IDC_ALWAYS_UNLOAD_DLL));

    api.PutValue(unload.root, unload.keyPath, "", REG_DWORD, Bytes({5, 0, 0, 0}));
    Load();
    EXPECT_EQ(0, Check(IDC_ALWAYS_UNLOAD_DLL));
}

TEST_F(LoadTest, AbsentLinkShowsChecked)
{
    Load();
    EXPECT_EQ(1, Check(IDC_LINK));

    Put(TweakId::Link, REG_BINARY, Bytes({0, 0, 0, 0}));
    Load();
    EXPECT_EQ(0, Check(IDC_LINK));

    Put(TweakId::Link, REG_BINARY, Bytes({0, 0, 0, 1}));
    Load();
    EXPECT_EQ(1, Check(IDC_LINK));
}

TEST_F(LoadTest, UseSearchAsstCheckedWhenTextHoldsNo)
{
    struct Case {
        std::string stored;
        int box;
    };
    // "\x83\x6E" and "\x83\x4E" are double-byte characters whose trail bytes
    // are 'n' and 'N': neither may be upper-cased nor start a match.
    for (const Case& c : {Case{"no", 1}, Case{"No", 1}, Case{"none", 1}, Case{"yes", 0}, Case{"", 0},
                          Case{"\x83\x6E"
                               "o",
                               0},
                          Case{"\x83\x4E"
                               "O",
                               0},
                          Case{"\x83\x4E"
                               "no",
                               1}}) {
        SCOPED_TRACE(c.stored);
        PutString(TweakId::UseSearchAsst, c.stored);
        Load();
        EXPECT_EQ(c.box, Check(IDC_USE_SEARCH_ASST));
    }
}

TEST_F(LoadTest, MaxCachedIconsShowsUpperCasedText)
{
    PutString(TweakId::MaxCachedIcons, "abc");
    Load();
    EXPECT_EQ(1, Check(IDC_MAX_CACHED_ICONS));
    EXPECT_TRUE(Enabled(IDC_MAX_CACHED_ICONS_EDIT));
    EXPECT_EQ("ABC", Text(IDC_MAX_CACHED_ICONS_EDIT));

    PutString(TweakId::MaxCachedIcons,
              "\x83\x6E"
              "a");
    Load();
    EXPECT_EQ(
        "\x83\x6E"
        "A",
        Text(IDC_MAX_CACHED_ICONS_EDIT));
}

TEST_F(LoadTest, UnreadableHklmReadsAsAbsent)
{
    PutDword(TweakId::LargeSystemCache, 1);
    PutDword(TweakId::IRQ8Priority, 2);
    api.DenyRead(HKEY_LOCAL_MACHINE, "");
    Load();
    EXPECT_EQ(0, Check(IDC_LARGE_SYSTEM_CACHE));
    EXPECT_EQ(0, Check(IDC_IRQ8_PRIORITY));
    EXPECT_EQ(1, Check(IDC_HIDE_RECYCLE_BIN));
}

}  // namespace
