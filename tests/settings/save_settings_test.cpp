#include <climits>

#include "res/resource.h"
#include "settings/recycle_bin.h"
#include "tests/settings/settings_fixture.h"

namespace {

using SaveTest = SettingsTest;

// The HKEY_LOCAL_MACHINE part of a registry snapshot.
template <typename Snapshot>
Snapshot LocalMachineOf(Snapshot snapshot)
{
    for (auto it = snapshot.begin(); it != snapshot.end();)
        it = it->first.rfind("HKEY_LOCAL_MACHINE", 0) == 0 ? std::next(it) : snapshot.erase(it);
    return snapshot;
}

TEST_F(SaveTest, DisablesApplyFirst)
{
    panel.controls[IDC_APPLY].enabled = true;  // as after a change
    Save();
    ASSERT_FALSE(panel.calls.empty());
    EXPECT_EQ((FakePanel::Call{"Disable", IDC_APPLY}), panel.calls.front());
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

TEST_F(SaveTest, WritesTheTweaksInItsOwnOrder)
{
    Save();
    EXPECT_EQ((std::vector<int>{1000, 1001, 1002, 1003, 1004, 1009, 1016, 1011, 1014, 1005, 1007, 1006, 1008, 1010,
                                1019, 1020, 1021, 1024, 1026}),
              CheckboxOrder("GetCheck"));
}

TEST_F(SaveTest, AllUncheckedStoresZerosAndRemovesTheRest)
{
    Put(TweakId::DesktopProcess, REG_DWORD, Dword(1));
    Put(TweakId::NoResolveTrack, REG_DWORD, Dword(1));
    PutString(TweakId::UseSearchAsst, "no");
    PutString(TweakId::MaxCachedIcons, "500");
    PutDword(TweakId::IRQ8Priority, 1);
    PutString(TweakId::AlwaysUnloadDLL, "1");
    SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, "16384");
    SetText(IDC_MAX_CACHED_ICONS_EDIT, "500");
    Save();

    for (TweakId id :
         {TweakId::NtfsDisableLastAccessUpdate, TweakId::NtfsDisable8dot3NameCreation, TweakId::LargeSystemCache,
          TweakId::DisablePagingExecutive, TweakId::IoPageLockLimit, TweakId::NoSharedDocuments})
        ExpectStored(id, REG_DWORD, Dword(0));
    ExpectStored(TweakId::Win32PrioritySeparation, REG_DWORD, Dword(2));
    for (TweakId id : {TweakId::ClassicShell, TweakId::NoActiveDesktop, TweakId::NoCustomizeWebView,
                       TweakId::NoActiveDesktopChanges, TweakId::Link})
        ExpectStored(id, REG_BINARY, Bytes({0, 0, 0, 0}));
    for (TweakId id : {TweakId::DesktopProcess, TweakId::NoResolveTrack, TweakId::UseSearchAsst,
                       TweakId::MaxCachedIcons, TweakId::IRQ8Priority})
        EXPECT_FALSE(Has(id)) << TweakOf(id).name;
    const Tweak& unload = TweakOf(TweakId::AlwaysUnloadDLL);
    EXPECT_FALSE(api.HasKey(unload.root, unload.keyPath));
}

TEST_F(SaveTest, AllCheckedStoresEachFormByteForByte)
{
    for (const Tweak& tweak : kTweaks) SetCheck(tweak.checkboxId);
    SetCheck(IDC_IRQ8_PRIORITY_2);
    SetCheck(IDC_WIN32_PRIORITY_SEPARATION_1);
    SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, "16384");
    SetText(IDC_MAX_CACHED_ICONS_EDIT, "2048");
    Save();

    for (TweakId id : {TweakId::NtfsDisableLastAccessUpdate, TweakId::NtfsDisable8dot3NameCreation,
                       TweakId::LargeSystemCache, TweakId::DisablePagingExecutive, TweakId::NoSharedDocuments,
                       TweakId::DesktopProcess, TweakId::NoResolveTrack})
        ExpectStored(id, REG_DWORD, Bytes({1, 0, 0, 0}));
    ExpectStored(TweakId::IoPageLockLimit, REG_DWORD, Bytes({0x00, 0x40, 0, 0}));
    ExpectStored(TweakId::IRQ8Priority, REG_DWORD, Dword(2));
    ExpectStored(TweakId::Win32PrioritySeparation, REG_DWORD, Dword(1));
    for (TweakId id : {TweakId::ClassicShell, TweakId::NoActiveDesktop, TweakId::NoCustomizeWebView,
                       TweakId::NoActiveDesktopChanges})
        ExpectStored(id, REG_BINARY, Bytes({1, 0, 0, 0}));
    EXPECT_FALSE(Has(TweakId::Link));
    ExpectStored(TweakId::UseSearchAsst, REG_SZ, StoredText("no"));
    ExpectStored(TweakId::MaxCachedIcons, REG_SZ, StoredText("2048"));
    ExpectStored(TweakId::AlwaysUnloadDLL, REG_SZ, StoredText("1"));

    // Strings are handed over without their terminator.
    std::vector<std::vector<BYTE>> searchAsstWrites;
    for (const MemoryRegistryApi::SetCall& call : api.SetCalls())
        if (call.valueName == TweakOf(TweakId::UseSearchAsst).valueName) searchAsstWrites.push_back(call.data);
    ASSERT_EQ(1u, searchAsstWrites.size());
    EXPECT_EQ(Bytes({'n', 'o'}), searchAsstWrites[0]);
}

TEST_F(SaveTest, OptionPairs)
{
    struct Case {
        int box, first, second;
        int32_t irq8;  // -1: deleted
        int32_t separation;
    };
    // first/second: 1012/1013 and 1017/1015 alike.
    for (const Case& c :
         {Case{1, 1, 0, 1, 0}, Case{1, 0, 1, 2, 1}, Case{1, 0, 0, 1, 2}, Case{1, 1, 1, 2, 0}, Case{0, 1, 0, -1, 2}}) {
        SCOPED_TRACE(testing::Message() << c.box << c.first << c.second);
        SetCheck(IDC_IRQ8_PRIORITY, c.box);
        SetCheck(IDC_IRQ8_PRIORITY_1, c.first);
        SetCheck(IDC_IRQ8_PRIORITY_2, c.second);
        SetCheck(IDC_WIN32_PRIORITY_SEPARATION, c.box);
        SetCheck(IDC_WIN32_PRIORITY_SEPARATION_0, c.first);
        SetCheck(IDC_WIN32_PRIORITY_SEPARATION_1, c.second);
        Save();
        if (c.irq8 < 0) {
            EXPECT_FALSE(Has(TweakId::IRQ8Priority));
        } else {
            ExpectStored(TweakId::IRQ8Priority, REG_DWORD, Dword(c.irq8));
        }
        ExpectStored(TweakId::Win32PrioritySeparation, REG_DWORD, Dword(c.separation));
    }
}

TEST_F(SaveTest, IoPageLockLimitNeverNegativeNeverWrapped)
{
    struct Case {
        int box;
        std::string text;
        uint32_t stored;
    };
    for (const Case& c :
         {Case{1, "-5", 0}, Case{1, "abc", 0}, Case{0, "16384", 0}, Case{1, " 16384kB", 16384},
          Case{1, "99999999999", INT32_MAX}, Case{1, "4294967296", INT32_MAX}, Case{1, "-99999999999", 0}}) {
        SCOPED_TRACE(c.text);
        SetCheck(IDC_IO_PAGE_LOCK_LIMIT, c.box);
        SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, c.text);
        Save();
        ExpectStored(TweakId::IoPageLockLimit, REG_DWORD, Dword(c.stored));
    }
}

TEST_F(SaveTest, MaxCachedIconsStoresTextAsTypedWithinBounds)
{
    struct Case {
        int box;
        std::string text;
        bool stored;
    };
    // 4294967396 is 2^32 + 100: a conversion that wrapped would let it through.
    for (const Case& c : {Case{1, "99", false}, Case{1, "100", true}, Case{1, "4096", true}, Case{1, "4097", false},
                          Case{1, "0500", true}, Case{1, "500 icons", true}, Case{1, "", false}, Case{1, "-100", false},
                          Case{1, "4294967396", false}, Case{0, "500", false}}) {
        SCOPED_TRACE(c.text);
        PutString(TweakId::MaxCachedIcons, "1024");
        SetCheck(IDC_MAX_CACHED_ICONS, c.box);
        SetText(IDC_MAX_CACHED_ICONS_EDIT, c.text);
        Save();
        if (c.stored) {
            ExpectStored(TweakId::MaxCachedIcons, REG_SZ, StoredText(c.text));
        } else {
            EXPECT_FALSE(Has(TweakId::MaxCachedIcons));
        }
    }
}

// Typed with the Japanese IME on, digits, blank and signs come full-width:
// both fields read them as their ASCII forms, and the icon count is stored
// with ASCII ones, the rest of its text as typed. "モ" (83 82) has the lead
// byte of "０" (82 4F) as its trail byte, and must stay whole.
TEST_F(SaveTest, FullWidthDigitsCountAsTheNumbersTheyAre)
{
    struct Case {
        std::string typed;
        uint32_t lockLimit;
        std::string icons;  // as stored; empty: deleted
    };
    SetCheck(IDC_IO_PAGE_LOCK_LIMIT);
    SetCheck(IDC_MAX_CACHED_ICONS);
    for (const Case& c :
         {Case{"１６３８４", 16384, ""}, Case{"２０００", 2000, "2000"}, Case{"　＋２０００個", 2000, " +2000個"},
          Case{"－５００", 0, ""}, Case{"１０００モO", 1000, "1000モO"}}) {
        SCOPED_TRACE(c.typed);
        SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, c.typed);
        SetText(IDC_MAX_CACHED_ICONS_EDIT, c.typed);
        Save();
        ExpectStored(TweakId::IoPageLockLimit, REG_DWORD, Dword(c.lockLimit));
        if (c.icons.empty()) {
            EXPECT_FALSE(Has(TweakId::MaxCachedIcons));
        } else {
            ExpectStored(TweakId::MaxCachedIcons, REG_SZ, StoredText(c.icons));
        }
    }
}

TEST_F(SaveTest, MaxCachedIconsTextIsReadBeforeItsCheckbox)
{
    SetText(IDC_MAX_CACHED_ICONS_EDIT, "500");
    Save();
    const auto text =
        std::find(panel.calls.begin(), panel.calls.end(), FakePanel::Call{"GetText", IDC_MAX_CACHED_ICONS_EDIT});
    const auto box =
        std::find(panel.calls.begin(), panel.calls.end(), FakePanel::Call{"GetCheck", IDC_MAX_CACHED_ICONS});
    EXPECT_LT(text, box);
}

// What a save straight after a load changes: upper bits of
// Win32PrioritySeparation, non-zero numbers other than 1, IRQ8Priority
// beyond 2, a non-zero Link, Use Search Asst texts holding NO, icon counts
// out of range. Everything else stays as it was, and a second round
// changes nothing at all.
TEST_F(SaveTest, SaveAfterLoadKeepsWhatItCanAndSettles)
{
    PutDword(TweakId::NtfsDisableLastAccessUpdate, 1);
    PutDword(TweakId::NtfsDisable8dot3NameCreation, 5);
    PutDword(TweakId::LargeSystemCache, 0);
    PutDword(TweakId::IoPageLockLimit, 16384);
    PutDword(TweakId::IRQ8Priority, 3);
    PutDword(TweakId::Win32PrioritySeparation, 0x26);
    Put(TweakId::ClassicShell, REG_BINARY, Bytes({1, 0, 0, 0}));
    Put(TweakId::NoActiveDesktop, REG_BINARY, Bytes({0, 0, 0, 7}));
    PutDword(TweakId::DesktopProcess, 1);
    PutString(TweakId::AlwaysUnloadDLL, "1");
    PutString(TweakId::UseSearchAsst, "Not now");
    PutString(TweakId::MaxCachedIcons, "2048");
    PutDword(TweakId::NoResolveTrack, 1);
    api.PutValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "", REG_SZ, StoredText("Trash"));

    Load();
    Save();

    ExpectStored(TweakId::NtfsDisableLastAccessUpdate, REG_DWORD, Dword(1));
    ExpectStored(TweakId::NtfsDisable8dot3NameCreation, REG_DWORD, Dword(1));
    ExpectStored(TweakId::LargeSystemCache, REG_DWORD, Dword(0));
    ExpectStored(TweakId::IoPageLockLimit, REG_DWORD, Dword(16384));
    ExpectStored(TweakId::IRQ8Priority, REG_DWORD, Dword(1));
    ExpectStored(TweakId::Win32PrioritySeparation, REG_DWORD, Dword(2));
    ExpectStored(TweakId::ClassicShell, REG_BINARY, Bytes({1, 0, 0, 0}));
    ExpectStored(TweakId::NoActiveDesktop, REG_BINARY, Bytes({1, 0, 0, 0}));
    ExpectStored(TweakId::DesktopProcess, REG_DWORD, Dword(1));
    ExpectStored(TweakId::AlwaysUnloadDLL, REG_SZ, StoredText("1"));
    EXPECT_FALSE(Has(TweakId::Link));  // absent before, absent after
    ExpectStored(TweakId::UseSearchAsst, REG_SZ, StoredText("no"));
    ExpectStored(TweakId::MaxCachedIcons, REG_SZ, StoredText("2048"));
    ExpectStored(TweakId::NoResolveTrack, REG_DWORD, Dword(1));  // read as binary, written as a DWORD
    EXPECT_EQ(StoredText("Trash"), api.GetValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "").data);

    const auto settled = api.Snapshot();
    panel = FakePanel();
    Load();
    Save();
    EXPECT_TRUE(settled == api.Snapshot());
}

TEST_F(SaveTest, LinkKeepsItsStateAcrossSessions)
{
    for (const std::vector<BYTE>& stored : {Bytes({0, 0, 0, 0}), Bytes({0, 0, 0, 9})}) {
        Put(TweakId::Link, REG_BINARY, stored);
        panel = FakePanel();
        Load();
        const int shown = Check(IDC_LINK);
        Save();
        panel = FakePanel();
        Load();
        EXPECT_EQ(shown, Check(IDC_LINK));
        EXPECT_EQ(shown == 0, Has(TweakId::Link));
    }
}

TEST_F(SaveTest, WithoutHklmWriteAccessTheHkcuStepsStillWrite)
{
    PutDword(TweakId::LargeSystemCache, 1);
    api.PutValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "", REG_SZ, StoredText("Trash"));
    api.DenyWrite(HKEY_LOCAL_MACHINE, "");
    const auto before = api.Snapshot();
    for (const Tweak& tweak : kTweaks) SetCheck(tweak.checkboxId, tweak.checkboxId != IDC_LARGE_SYSTEM_CACHE);
    SetText(IDC_MAX_CACHED_ICONS_EDIT, "500");
    Save();

    ExpectStored(TweakId::ClassicShell, REG_BINARY, Bytes({1, 0, 0, 0}));
    ExpectStored(TweakId::DesktopProcess, REG_DWORD, Dword(1));
    ExpectStored(TweakId::UseSearchAsst, REG_SZ, StoredText("no"));
    ExpectStored(TweakId::NoResolveTrack, REG_DWORD, Dword(1));
    EXPECT_TRUE(LocalMachineOf(before) == LocalMachineOf(api.Snapshot()));
    EXPECT_FALSE(Has(TweakId::NtfsDisableLastAccessUpdate));
    EXPECT_TRUE(api.HasKey(HKEY_LOCAL_MACHINE, kRecycleBinShownKey));
    EXPECT_FALSE(api.HasKey(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey));
}

}  // namespace
