// The save pass when registry calls fail: whichever call fails (one alone,
// or every call from it on), nothing crashes, no handle stays open, the
// Recycle Bin's caption survives in one of its two keys, and every stored
// value is either what the save writes or what was there before; a save that
// no failure reaches stores exactly what it writes.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "res/resource.h"
#include "tests/settings/settings_fixture.h"
#include "tests/support/failing_calls.h"

namespace {

using Snapshot = std::map<std::string, std::map<std::string, MemoryRegistryApi::Value>>;

// Every tweak stored, the Recycle Bin shown or hidden with its caption.
void Seed(MemoryRegistryApi& api, bool binHidden)
{
    const auto dword = [&](TweakId id, BYTE low) { PutTweak(api, id, REG_DWORD, Dword(low)); };
    const auto text = [&](TweakId id, const std::string& s) { PutTweak(api, id, REG_SZ, StoredText(s)); };
    const auto binary = [&](TweakId id, BYTE first) { PutTweak(api, id, REG_BINARY, {first, 0, 0, 0}); };
    dword(TweakId::NtfsDisableLastAccessUpdate, 0);
    dword(TweakId::NtfsDisable8dot3NameCreation, 1);
    dword(TweakId::LargeSystemCache, 0);
    dword(TweakId::DisablePagingExecutive, 1);
    dword(TweakId::IoPageLockLimit, 0);
    dword(TweakId::Win32PrioritySeparation, 0x26);
    binary(TweakId::ClassicShell, 0);
    binary(TweakId::NoActiveDesktop, 1);
    binary(TweakId::NoCustomizeWebView, 0);
    binary(TweakId::NoActiveDesktopChanges, 1);
    dword(TweakId::NoSharedDocuments, 0);
    binary(TweakId::Link, 0);
    text(TweakId::MaxCachedIcons, "2048");
    text(TweakId::AlwaysUnloadDLL, "1");
    api.PutValue(HKEY_LOCAL_MACHINE, binHidden ? kRecycleBinHiddenKey : kRecycleBinShownKey, "", REG_SZ,
                 StoredText("Trash"));
}

// The user flips every checkbox the registry holds and types new numbers.
void FillPanel(FakePanel& panel, bool hideBin)
{
    for (const Tweak& tweak : kTweaks) panel.controls[tweak.checkboxId].check = 1;
    panel.controls[IDC_NTFS_8DOT3].check = 0;
    panel.controls[IDC_DISABLE_PAGING_EXECUTIVE].check = 0;
    panel.controls[IDC_NO_ACTIVE_DESKTOP].check = 0;
    panel.controls[IDC_NO_ACTIVE_DESKTOP_CHANGES].check = 0;
    panel.controls[IDC_MAX_CACHED_ICONS].check = 0;
    panel.controls[IDC_ALWAYS_UNLOAD_DLL].check = 0;
    panel.controls[IDC_IRQ8_PRIORITY_2].check = 1;
    panel.controls[IDC_WIN32_PRIORITY_SEPARATION_1].check = 1;
    panel.controls[IDC_IO_PAGE_LOCK_LIMIT_EDIT].text = "65536";
    panel.controls[IDC_HIDE_RECYCLE_BIN].check = hideBin;
}

// What the save stores for FillPanel's choices, tweak by tweak; REG_NONE:
// the value is removed. The Recycle Bin's caption ends in the key of its new
// state.
struct Expected {
    TweakId id;
    DWORD type;
    std::vector<BYTE> data;
};
const Expected kSaved[] = {
    {TweakId::NtfsDisableLastAccessUpdate, REG_DWORD, Dword(1)},
    {TweakId::NtfsDisable8dot3NameCreation, REG_DWORD, Dword(0)},
    {TweakId::AlwaysUnloadDLL, REG_NONE, {}},
    {TweakId::DesktopProcess, REG_DWORD, Dword(1)},
    {TweakId::LargeSystemCache, REG_DWORD, Dword(1)},
    {TweakId::DisablePagingExecutive, REG_DWORD, Dword(0)},
    {TweakId::IoPageLockLimit, REG_DWORD, Dword(65536)},
    {TweakId::IRQ8Priority, REG_DWORD, Dword(2)},
    {TweakId::Win32PrioritySeparation, REG_DWORD, Dword(1)},
    {TweakId::ClassicShell, REG_BINARY, Bytes({1, 0, 0, 0})},
    {TweakId::NoCustomizeWebView, REG_BINARY, Bytes({1, 0, 0, 0})},
    {TweakId::NoActiveDesktop, REG_BINARY, Bytes({0, 0, 0, 0})},
    {TweakId::NoActiveDesktopChanges, REG_BINARY, Bytes({0, 0, 0, 0})},
    {TweakId::Link, REG_NONE, {}},
    {TweakId::NoSharedDocuments, REG_DWORD, Dword(1)},
    {TweakId::UseSearchAsst, REG_SZ, StoredText("no")},
    {TweakId::MaxCachedIcons, REG_NONE, {}},
    {TweakId::NoResolveTrack, REG_DWORD, Dword(1)},
};

Snapshot Saved(bool hideBin)
{
    MemoryRegistryApi api;
    Seed(api, hideBin);
    for (const Expected& expected : kSaved) {
        const Tweak& tweak = TweakOf(expected.id);
        if (expected.type != REG_NONE) {
            PutTweak(api, expected.id, expected.type, expected.data);
            continue;
        }
        HKEY key = nullptr;
        if (api.OpenKeyEx(tweak.root, tweak.keyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) continue;
        api.DeleteValue(key, tweak.valueName);
        api.CloseKey(key);
    }
    return api.Snapshot();
}

Snapshot SaveWith(bool hideBin, int failAt, bool fromThereOn, int* calls = nullptr)
{
    MemoryRegistryApi api;
    Seed(api, !hideBin);
    RegistryAccess registry(api);
    FakePanel panel;
    FillPanel(panel, hideBin);
    api.ResetCounters();
    if (failAt >= 0) api.FailCall(failAt, fromThereOn);
    SaveSettings(registry, panel);
    EXPECT_EQ(0, api.OpenHandleCount());
    EXPECT_EQ(std::optional<bool>(false), panel.controls[IDC_APPLY].enabled);
    if (calls) *calls = api.CallCount();
    return api.Snapshot();
}

Snapshot Unsaved(bool hideBin)
{
    MemoryRegistryApi api;
    Seed(api, !hideBin);
    return api.Snapshot();
}

// Values compare in upper case: the registry ignores case in key and value names.
std::map<std::string, MemoryRegistryApi::Value> Flatten(const Snapshot& snapshot)
{
    std::map<std::string, MemoryRegistryApi::Value> flat;
    for (const auto& [key, values] : snapshot)
        for (const auto& [name, value] : values) {
            std::string path = key + "\\\\" + name;
            for (char& c : path) c = char(toupper(static_cast<unsigned char>(c)));
            flat[path] = value;
        }
    return flat;
}

const MemoryRegistryApi::Value* Find(const std::map<std::string, MemoryRegistryApi::Value>& flat,
                                     const std::string& path)
{
    const auto it = flat.find(path);
    return it == flat.end() ? nullptr : &it->second;
}

// The paths that either of two flattened snapshots holds.
std::set<std::string> PathsOf(const std::map<std::string, MemoryRegistryApi::Value>& a,
                              const std::map<std::string, MemoryRegistryApi::Value>& b)
{
    std::set<std::string> paths;
    for (const auto& entry : a) paths.insert(entry.first);
    for (const auto& entry : b) paths.insert(entry.first);
    return paths;
}

// The paths whose values differ between two flattened snapshots.
std::vector<std::string> Differences(const std::map<std::string, MemoryRegistryApi::Value>& a,
                                     const std::map<std::string, MemoryRegistryApi::Value>& b)
{
    std::vector<std::string> differing;
    for (const std::string& path : PathsOf(a, b)) {
        const auto* x = Find(a, path);
        const auto* y = Find(b, path);
        if (!x || !y || *x != *y) differing.push_back(path);
    }
    return differing;
}

bool HoldsCaption(const std::map<std::string, MemoryRegistryApi::Value>& flat)
{
    for (const auto& [path, value] : flat)
        if (path.find("{645FF040-5081-101B-9F08-00AA002F954E}") != std::string::npos &&
            value.data == StoredWideText(u"Trash"))
            return true;
    return false;
}

TEST(SaveFaults, EveryValueIsWrittenOrLeftAsItWasWhicheverCallFails)
{
    for (bool hideBin : {true, false}) {
        SCOPED_TRACE(testing::Message() << "hide " << hideBin);
        const auto saved = Flatten(Saved(hideBin));
        const auto before = Flatten(Unsaved(hideBin));
        // The hand-written table is what a save stores when no call fails.
        EXPECT_EQ(Differences(Flatten(SaveWith(hideBin, -1, false)), saved), std::vector<std::string>{});
        const std::set<std::string> paths = PathsOf(saved, before);

        ForEachFailingCall([&](int call, bool fromThereOn) {
            int calls = 0;
            const auto after = Flatten(SaveWith(hideBin, call, fromThereOn, &calls));
            // The round that reaches no failing call: every write must land.
            if (calls <= call) {
                EXPECT_EQ(Differences(after, saved), std::vector<std::string>{});
                return calls;
            }
            EXPECT_TRUE(HoldsCaption(after));
            for (const std::string& path : paths) {
                if (path.find("{645FF040") != std::string::npos) continue;  // moved, checked above
                const auto* now = Find(after, path);
                const auto* wanted = Find(saved, path);
                const auto* old = Find(before, path);
                const bool asSaved = now ? wanted && *now == *wanted : !wanted;
                const bool asBefore = now ? old && *now == *old : !old;
                EXPECT_TRUE(asSaved || asBefore) << path;
            }
            return calls;
        });
    }
}

}  // namespace
