#include <optional>
#include <utility>

#include "res/resource.h"
#include "settings/recycle_bin.h"
#include "tests/settings/settings_fixture.h"
#include "tests/support/failing_calls.h"

namespace {

// One key of the bin as a test starts or ends with it: missing, there
// without a caption, or there with a caption in its stored form.
struct BinKey {
    bool exists;
    std::optional<MemoryRegistryApi::Value> caption;
};
const BinKey kMissing{false, {}};
const BinKey kNoCaption{true, {}};
BinKey WithCaption(DWORD type, const std::vector<BYTE>& stored)
{
    return {true, MemoryRegistryApi::Value{type, stored}};
}
BinKey WithCaption(const std::u16string& text)
{
    return WithCaption(REG_SZ, StoredWideText(text));
}

void PutBinKey(MemoryRegistryApi& api, const char* key, const BinKey& state)
{
    if (state.caption)
        api.PutStoredValue(HKEY_LOCAL_MACHINE, key, "", state.caption->type, state.caption->data);
    else if (state.exists)
        api.PutKey(HKEY_LOCAL_MACHINE, key);
}

// The moves the fault sweeps run, a caption "Trash" in the source key: each
// direction into a missing key, and showing into a shown key that is there
// without a caption or holds a live one, which must survive every fault.
const struct {
    bool hide;
    BinKey target;
} kSweptMoves[] = {{true, kMissing}, {false, kMissing}, {false, kNoCaption}, {false, WithCaption(u"Papierkorb")}};

class RecycleBinTest : public SettingsTest {
protected:
    bool Shown() { return api.HasKey(HKEY_LOCAL_MACHINE, kRecycleBinShownKey); }
    bool Hidden() { return api.HasKey(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey); }
    void PutCaption(const char* key, const std::string& caption)
    {
        api.PutValue(HKEY_LOCAL_MACHINE, key, "", REG_SZ, StoredText(caption));
    }
    std::vector<BYTE> Caption(const char* key) { return api.GetValue(HKEY_LOCAL_MACHINE, key, "").data; }
    void Switch(bool hide)
    {
        SetRecycleBinHidden(registry, hide);
        EXPECT_EQ(0, api.OpenHandleCount());
    }
};

TEST_F(RecycleBinTest, HideAndShowCarryTheCaptionWhole)
{
    // Far longer than 255 bytes, double-byte characters included.
    std::string caption;
    for (int i = 0; i < 200; ++i) caption += "Bin \x94\xA0";
    PutCaption(kRecycleBinShownKey, caption);

    SetCheck(IDC_HIDE_RECYCLE_BIN, 1);
    Save();
    EXPECT_FALSE(Shown());
    EXPECT_EQ(StoredText(caption), Caption(kRecycleBinHiddenKey));
    Load();
    EXPECT_EQ(1, Check(IDC_HIDE_RECYCLE_BIN));

    SetCheck(IDC_HIDE_RECYCLE_BIN, 0);
    Save();
    EXPECT_FALSE(Hidden());
    EXPECT_EQ(StoredText(caption), Caption(kRecycleBinShownKey));
    Load();
    EXPECT_EQ(0, Check(IDC_HIDE_RECYCLE_BIN));
}

// The registry keeps the caption in UTF-16, which holds characters that
// code page 932 lacks ("€" and "한"): the move carries the stored bytes as
// they are, terminator included.
TEST_F(RecycleBinTest, HideAndShowCarryTheStoredFormOfTheCaption)
{
    const std::vector<BYTE> stored = StoredWideText(u"ごみ箱€한");
    api.PutStoredValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "", REG_SZ, stored);

    Switch(true);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(stored, api.GetStoredValue(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey, "").data);
    Switch(false);
    EXPECT_FALSE(Hidden());
    EXPECT_EQ(stored, api.GetStoredValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "").data);
}

// Other programs store captions without a terminator. The platform would
// add one if the memory behind the copied bytes happened to be NUL, and the
// copy would then no longer read back as its source.
TEST_F(RecycleBinTest, HideAndShowCarryAnUnterminatedCaptionWhole)
{
    for (int length : {1, 5, 7, 20, 40, 100, 300}) {
        SCOPED_TRACE(testing::Message() << length << " characters");
        std::vector<BYTE> stored = StoredWideText(std::u16string(length, u'箱'));
        stored.resize(stored.size() - 2);
        api.PutStoredValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "", REG_SZ, stored);

        Switch(true);
        ASSERT_FALSE(Shown());
        EXPECT_EQ(stored, api.GetStoredValue(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey, "").data);
        Switch(false);
        ASSERT_FALSE(Hidden());
        EXPECT_EQ(stored, api.GetStoredValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "").data);
    }
}

TEST_F(RecycleBinTest, HideWithoutShownKeyChangesNothing)
{
    api.ResetCounters();
    Switch(true);
    EXPECT_EQ(0, api.CallCount(MemoryRegistryApi::Op::SetValue));
    EXPECT_EQ(0, api.CallCount(MemoryRegistryApi::Op::CreateKey));
    EXPECT_EQ(0, api.CallCount(MemoryRegistryApi::Op::DeleteKey));
}

// One switch from each starting state, and what each key holds after it.
TEST_F(RecycleBinTest, EachStartingStateEndsWithTheRightCaption)
{
    const BinKey live = WithCaption(u"Papierkorb");
    const BinKey stale = WithCaption(u"Trash");
    const BinKey expandable = WithCaption(REG_EXPAND_SZ, StoredWideText(u"%SystemRoot% bin"));
    const BinKey oneByte = WithCaption(REG_SZ, Bytes({'A'}));
    const BinKey empty = WithCaption(REG_SZ, {});
    const struct {
        const char* what;
        BinKey shown, hidden;
        bool hide;
        BinKey shownAfter, hiddenAfter;
    } rows[] = {
        {"shown, neither key", kMissing, kMissing, false, WithCaption(u"ごみ箱"), kMissing},
        {"shown, a shown bin", live, kMissing, false, live, kMissing},
        {"shown, a shown bin without a caption", kNoCaption, kMissing, false, WithCaption(u"ごみ箱"), kMissing},
        {"shown, both keys with captions", live, stale, false, live, kMissing},
        {"shown, both keys, the shown one's caption only", live, kNoCaption, false, live, kMissing},
        {"shown, both keys, the hidden one's caption only", kNoCaption, stale, false, stale, kMissing},
        {"shown, both keys without captions", kNoCaption, kNoCaption, false, empty, kMissing},
        {"hidden, both keys with captions", live, stale, true, kMissing, live},
        {"hidden, expandable caption", expandable, kMissing, true, kMissing, expandable},
        {"shown, expandable caption", kMissing, expandable, false, expandable, kMissing},
        {"hidden, one-byte caption", oneByte, kMissing, true, kMissing, oneByte},
        {"shown, one-byte caption", kMissing, oneByte, false, oneByte, kMissing},
        {"hidden, a shown bin without a caption", kNoCaption, kMissing, true, kMissing, empty},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        MemoryRegistryApi fresh;
        RegistryAccess freshRegistry(fresh);
        PutBinKey(fresh, kRecycleBinShownKey, row.shown);
        PutBinKey(fresh, kRecycleBinHiddenKey, row.hidden);
        SetRecycleBinHidden(freshRegistry, row.hide);
        EXPECT_EQ(0, fresh.OpenHandleCount());
        const std::pair<const char*, const BinKey*> after[] = {{kRecycleBinShownKey, &row.shownAfter},
                                                               {kRecycleBinHiddenKey, &row.hiddenAfter}};
        for (const auto& [key, state] : after) {
            SCOPED_TRACE(key);
            EXPECT_EQ(state->exists, fresh.HasKey(HKEY_LOCAL_MACHINE, key));
            ASSERT_EQ(state->caption.has_value(), fresh.HasValue(HKEY_LOCAL_MACHINE, key, ""));
            if (state->caption) {
                EXPECT_TRUE(*state->caption == fresh.GetStoredValue(HKEY_LOCAL_MACHINE, key, ""));
            }
        }
    }
}

TEST_F(RecycleBinTest, FailedCopyLeavesTheOriginalAsItWas)
{
    PutCaption(kRecycleBinShownKey, "Trash");
    const auto before = api.Snapshot();
    api.FailCreateKey(true);
    Switch(true);
    EXPECT_TRUE(before == api.Snapshot());

    api.ClearFaults();
    api.FailSetValue(true);  // the key is created, the value refused
    Switch(true);
    EXPECT_TRUE(before == api.Snapshot());
    EXPECT_FALSE(Hidden());

    api.ClearFaults();
    Switch(true);
    PutCaption(kRecycleBinHiddenKey, "Trash");
    const auto hidden = api.Snapshot();
    api.FailSetValue(true);
    Switch(false);
    EXPECT_TRUE(hidden == api.Snapshot());
}

TEST_F(RecycleBinTest, FailedDeleteLeavesBothKeys)
{
    PutCaption(kRecycleBinShownKey, "Trash");
    api.PutKey(HKEY_LOCAL_MACHINE, std::string(kRecycleBinShownKey) + "\\Sub");
    Switch(true);
    EXPECT_TRUE(Shown());
    EXPECT_TRUE(Hidden());
    EXPECT_FALSE(IsRecycleBinHidden(registry));
}

// Whichever registry call fails, alone or with every one after it, the
// caption is never lost: the original key survives or the other key holds it.
TEST_F(RecycleBinTest, NoFailureLosesTheKey)
{
    for (const auto& move : kSweptMoves) {
        SCOPED_TRACE(testing::Message() << "hide " << move.hide << ", target key " << move.target.exists
                                        << (move.target.caption ? " with a caption" : ""));
        const char* from = move.hide ? kRecycleBinShownKey : kRecycleBinHiddenKey;
        const char* to = move.hide ? kRecycleBinHiddenKey : kRecycleBinShownKey;
        const BinKey wanted = move.target.caption ? move.target : WithCaption(u"Trash");
        bool moved = false;
        ForEachFailingCall([&](int call, bool fromThereOn) {
            MemoryRegistryApi fresh;
            RegistryAccess freshRegistry(fresh);
            PutBinKey(fresh, from, WithCaption(u"Trash"));
            PutBinKey(fresh, to, move.target);
            fresh.FailCall(call, fromThereOn);
            SetRecycleBinHidden(freshRegistry, move.hide);
            EXPECT_EQ(0, fresh.OpenHandleCount());
            moved |= !fresh.HasKey(HKEY_LOCAL_MACHINE, from);
            if (!fresh.HasKey(HKEY_LOCAL_MACHINE, from) || move.target.caption) {
                const bool held = fresh.HasValue(HKEY_LOCAL_MACHINE, to, "");
                EXPECT_TRUE(held);
                if (held) {
                    EXPECT_TRUE(*wanted.caption == fresh.GetStoredValue(HKEY_LOCAL_MACHINE, to, ""));
                }
            }
            return fresh.CallCount();
        });
        EXPECT_TRUE(moved) << "the move never got through";
    }
}

// A caption that exists but cannot be read is not "no caption": the move
// ends with both keys as they were, whether every read of it fails or it
// grew between the size query and the read. No kind of call failing on
// either key, all of its calls together, and no read at all of either key,
// loses the caption.
TEST_F(RecycleBinTest, NoFailingKindOfCallLosesTheCaption)
{
    for (const auto& move : kSweptMoves) {
        const char* from = move.hide ? kRecycleBinShownKey : kRecycleBinHiddenKey;
        const char* to = move.hide ? kRecycleBinHiddenKey : kRecycleBinShownKey;
        const BinKey wanted = move.target.caption ? move.target : WithCaption(u"Trash");
        for (const char* failingKey : {from, to}) {
            SCOPED_TRACE(testing::Message()
                         << "hide " << move.hide << ", target key " << move.target.exists
                         << (move.target.caption ? " with a caption" : "") << ", failing key " << failingKey);
            ForEachFailingKind([&](unsigned kinds) {
                MemoryRegistryApi fresh;
                PutBinKey(fresh, from, WithCaption(u"Trash"));
                PutBinKey(fresh, to, move.target);
                const auto before = fresh.Snapshot();
                FailingCalls failing(fresh, kinds, failingKey);
                RegistryAccess freshRegistry(failing);
                SetRecycleBinHidden(freshRegistry, move.hide);
                EXPECT_EQ(0, fresh.OpenHandleCount());
                if (!fresh.HasKey(HKEY_LOCAL_MACHINE, from) || move.target.caption) {
                    ASSERT_TRUE(fresh.HasValue(HKEY_LOCAL_MACHINE, to, "")) << "the caption was lost";
                    EXPECT_TRUE(*wanted.caption == fresh.GetStoredValue(HKEY_LOCAL_MACHINE, to, ""));
                }
                if (kinds == kQueryStoredValue) {
                    EXPECT_TRUE(before == fresh.Snapshot()) << "a failed read of a caption changed the registry";
                }
            });
        }
    }

    PutCaption(kRecycleBinShownKey, "Trash");
    api.GrowValueAfterSizeQuery("", 2);
    Switch(true);
    EXPECT_TRUE(Shown());
    EXPECT_FALSE(Hidden());
}

}  // namespace
