#include "res/resource.h"
#include "settings/recycle_bin.h"
#include "tests/settings/settings_fixture.h"
#include "tests/support/failing_calls.h"

namespace {

// "ごみ箱" in code page 932.
const std::string kFallbackCaption = "\x82\xB2\x82\xDD\x94\xA0";

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

TEST_F(RecycleBinTest, ShowWithNeitherKeyCreatesShownWithFallback)
{
    Switch(false);
    EXPECT_EQ(StoredText(kFallbackCaption), Caption(kRecycleBinShownKey));
    EXPECT_FALSE(Hidden());
}

TEST_F(RecycleBinTest, ShowKeepsTheCaptionOfAShownBin)
{
    PutCaption(kRecycleBinShownKey, "Papierkorb");
    Switch(false);
    EXPECT_EQ(StoredText("Papierkorb"), Caption(kRecycleBinShownKey));

    api.PutKey(HKEY_LOCAL_MACHINE, std::string(kRecycleBinShownKey));
    const Tweak& bin = TweakOf(TweakId::HideRecycleBin);
    registry.DeleteValue(bin.root, kRecycleBinShownKey, "");
    Switch(false);
    EXPECT_EQ(StoredText(kFallbackCaption), Caption(kRecycleBinShownKey));
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
    for (bool hide : {true, false}) {
        SCOPED_TRACE(testing::Message() << "hide " << hide);
        const char* from = hide ? kRecycleBinShownKey : kRecycleBinHiddenKey;
        const char* to = hide ? kRecycleBinHiddenKey : kRecycleBinShownKey;
        bool moved = false;
        ForEachFailingCall([&](int call, bool fromThereOn) {
            MemoryRegistryApi fresh;
            RegistryAccess freshRegistry(fresh);
            fresh.PutValue(HKEY_LOCAL_MACHINE, from, "", REG_SZ, StoredText("Trash"));
            fresh.FailCall(call, fromThereOn);
            SetRecycleBinHidden(freshRegistry, hide);
            EXPECT_EQ(0, fresh.OpenHandleCount());
            if (!fresh.HasKey(HKEY_LOCAL_MACHINE, from)) {
                moved = true;
                EXPECT_TRUE(fresh.HasValue(HKEY_LOCAL_MACHINE, to, ""));
                if (fresh.HasValue(HKEY_LOCAL_MACHINE, to, ""))
                    EXPECT_EQ(StoredText("Trash"), fresh.GetValue(HKEY_LOCAL_MACHINE, to, "").data);
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
    for (bool hide : {true, false}) {
        const char* from = hide ? kRecycleBinShownKey : kRecycleBinHiddenKey;
        const char* to = hide ? kRecycleBinHiddenKey : kRecycleBinShownKey;
        for (const char* failingKey : {from, to}) {
            SCOPED_TRACE(testing::Message() << "hide " << hide << ", failing key " << failingKey);
            ForEachFailingKind([&](unsigned kinds) {
                MemoryRegistryApi fresh;
                fresh.PutValue(HKEY_LOCAL_MACHINE, from, "", REG_SZ, StoredText("Trash"));
                const auto before = fresh.Snapshot();
                FailingCalls failing(fresh, kinds, failingKey);
                RegistryAccess freshRegistry(failing);
                SetRecycleBinHidden(freshRegistry, hide);
                EXPECT_EQ(0, fresh.OpenHandleCount());
                if (!fresh.HasKey(HKEY_LOCAL_MACHINE, from)) {
                    ASSERT_TRUE(fresh.HasValue(HKEY_LOCAL_MACHINE, to, "")) << "the caption was lost";
                    EXPECT_EQ(StoredText("Trash"), fresh.GetValue(HKEY_LOCAL_MACHINE, to, "").data);
                } else if (failingKey == from && kinds == kQueryStoredValue) {
                    EXPECT_TRUE(before == fresh.Snapshot()) << "a failed read of the source changed the registry";
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
