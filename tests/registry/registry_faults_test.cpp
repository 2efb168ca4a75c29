// RegistryAccess against failures only the in-memory registry can stage:
// denied keys, failing calls, values that change between two queries.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "registry/registry_access.h"
#include "tests/support/failing_calls.h"
#include "tests/support/memory_registry_api.h"
#include "tests/support/stored_forms.h"

namespace {

const char kKey[] = "Software\\QuilvexTest";
using Op = MemoryRegistryApi::Op;

class RegistryFaults : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(0, api.OpenHandleCount()); }

    MemoryRegistryApi api;
    RegistryAccess registry{api};
};

}  // namespace

TEST_F(RegistryFaults, WritesHandOverExactlyTheStoredForm)
{
    registry.SetStringValue(HKEY_CURRENT_USER, kKey, "s", "no");
    registry.SetStringValue(HKEY_CURRENT_USER, kKey, "", "");
    registry.SetDwordValue(HKEY_CURRENT_USER, kKey, "d", 1);
    registry.SetBinaryValue(HKEY_CURRENT_USER, kKey, "b", 1);
    const std::vector<MemoryRegistryApi::SetCall>& calls = api.SetCalls();
    ASSERT_EQ(4u, calls.size());
    EXPECT_EQ(kKey, calls[0].keyPath);
    EXPECT_EQ("s", calls[0].valueName);
    EXPECT_EQ(DWORD{REG_SZ}, calls[0].type);
    EXPECT_EQ(std::vector<BYTE>({'n', 'o'}), calls[0].data);
    EXPECT_EQ(DWORD{REG_SZ}, calls[1].type);
    EXPECT_TRUE(calls[1].data.empty());
    EXPECT_EQ(std::vector<BYTE>({1, 0, 0, 0}), calls[2].data);
    EXPECT_EQ(std::vector<BYTE>({0, 0, 0, 1}), calls[3].data);
}

TEST_F(RegistryFaults, EachOperationOpensItsKeyOnce)
{
    api.PutValue(HKEY_CURRENT_USER, kKey, "v", REG_SZ, StoredText("1"));
    registry.GetDwordValue(HKEY_CURRENT_USER, kKey, "v");
    registry.GetDwordValue(HKEY_CURRENT_USER, kKey, nullptr);
    registry.GetBinaryValue(HKEY_CURRENT_USER, kKey, "v");
    registry.GetStringValue(HKEY_CURRENT_USER, kKey, "v");
    registry.ValueExists(HKEY_CURRENT_USER, kKey, "v");
    registry.KeyExists(HKEY_CURRENT_USER, kKey);
    registry.SetDwordValue(HKEY_CURRENT_USER, kKey, "v", 1);
    registry.DeleteValue(HKEY_CURRENT_USER, kKey, "v");
    EXPECT_EQ(8, api.KeyOpenCount(HKEY_CURRENT_USER, kKey));
    EXPECT_EQ(8, api.CallCount(Op::CloseKey));
    EXPECT_EQ(0, api.CallCount(Op::CreateKey));
}

TEST_F(RegistryFaults, ReadsAskForNoWriteRightsAndWritesForThem)
{
    api.PutValue(HKEY_LOCAL_MACHINE, kKey, "v", REG_DWORD, {7, 0, 0, 0});
    api.DenyWrite(HKEY_LOCAL_MACHINE, "");
    EXPECT_EQ(7, registry.GetDwordValue(HKEY_LOCAL_MACHINE, kKey, "v"));
    EXPECT_EQ(1, registry.KeyExists(HKEY_LOCAL_MACHINE, kKey));
    api.ClearFaults();
    api.DenyRead(HKEY_LOCAL_MACHINE, "");
    EXPECT_EQ(1, registry.SetDwordValue(HKEY_LOCAL_MACHINE, kKey, "v", 8));
    EXPECT_EQ(0, api.CallCount(Op::CreateKey));
    EXPECT_EQ(ERROR_SUCCESS, registry.DeleteValue(HKEY_LOCAL_MACHINE, kKey, "v"));
    EXPECT_FALSE(api.HasValue(HKEY_LOCAL_MACHINE, kKey, "v"));
}

TEST_F(RegistryFaults, DeniedWritesStoreNothingAndSayZero)
{
    api.PutValue(HKEY_LOCAL_MACHINE, kKey, "v", REG_DWORD, {7, 0, 0, 0});
    api.DenyWrite(HKEY_LOCAL_MACHINE, "Software");
    const auto before = api.Snapshot();
    EXPECT_EQ(0, registry.SetDwordValue(HKEY_LOCAL_MACHINE, kKey, "v", 1));
    EXPECT_EQ(0, registry.SetBinaryValue(HKEY_LOCAL_MACHINE, kKey, "v", 1));
    EXPECT_EQ(0, registry.SetStringValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\New", "v", "x"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, registry.DeleteValue(HKEY_LOCAL_MACHINE, kKey, "v"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, registry.DeleteKey(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_EQ(nullptr, registry.CreateKey(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_TRUE(before == api.Snapshot());
    // The other root is untouched by the denial.
    EXPECT_EQ(1, registry.SetDwordValue(HKEY_CURRENT_USER, kKey, "v", 1));
}

TEST_F(RegistryFaults, WriteFallsBackToCreatingTheKey)
{
    api.PutKey(HKEY_CURRENT_USER, kKey);
    api.FailCall(0);  // the opening with full access
    EXPECT_EQ(1, registry.SetDwordValue(HKEY_CURRENT_USER, kKey, "v", 3));
    EXPECT_EQ(1, api.CallCount(Op::CreateKey));
    EXPECT_EQ(std::vector<BYTE>({3, 0, 0, 0}), api.GetValue(HKEY_CURRENT_USER, kKey, "v").data);

    api.ClearFaults();
    api.FailCreateKey(true);
    EXPECT_EQ(0, registry.SetDwordValue(HKEY_CURRENT_USER, "Software\\Missing", "v", 3));
    EXPECT_FALSE(api.HasKey(HKEY_CURRENT_USER, "Software\\Missing"));
}

TEST_F(RegistryFaults, RefusedStoreGoesUnnoticed)
{
    api.FailSetValue(true);
    EXPECT_EQ(1, registry.SetStringValue(HKEY_CURRENT_USER, kKey, "s", "x"));
    EXPECT_TRUE(api.HasKey(HKEY_CURRENT_USER, kKey));
    EXPECT_FALSE(api.HasValue(HKEY_CURRENT_USER, kKey, "s"));
}

TEST_F(RegistryFaults, UnreadableKeyReadsAsAbsent)
{
    api.PutValue(HKEY_CURRENT_USER, kKey, "v", REG_SZ, StoredText("5"));
    api.DenyRead(HKEY_CURRENT_USER, kKey);
    EXPECT_EQ(0, registry.KeyExists(HKEY_CURRENT_USER, kKey));
    EXPECT_EQ(0, registry.ValueExists(HKEY_CURRENT_USER, kKey, "v"));
    EXPECT_EQ(0, registry.GetDwordValue(HKEY_CURRENT_USER, kKey, nullptr));
    EXPECT_EQ(0, registry.GetBinaryValue(HKEY_CURRENT_USER, kKey, "v"));
    EXPECT_EQ("", registry.GetStringValue(HKEY_CURRENT_USER, kKey, "v"));
}

TEST_F(RegistryFaults, ValueGrowingBetweenSizeAndDataQueries)
{
    api.PutValue(HKEY_CURRENT_USER, kKey, "s", REG_SZ, StoredText("abc"));
    api.GrowValueAfterSizeQuery("s", 1);
    EXPECT_EQ("", registry.GetStringValue(HKEY_CURRENT_USER, kKey, "s"));

    api.PutValue(HKEY_CURRENT_USER, kKey, "b", REG_BINARY, {1, 2, 3, 4});
    api.GrowValueAfterSizeQuery("B", 1);
    EXPECT_EQ(0, registry.GetBinaryValue(HKEY_CURRENT_USER, kKey, "b"));

    // A number read with a fixed 4-byte buffer sees growth that still fits.
    api.PutValue(HKEY_CURRENT_USER, kKey, "d", REG_BINARY, {0x34, 0x12});
    api.GrowValueAfterSizeQuery("d", 2);
    EXPECT_EQ(0x78781234, registry.GetDwordValue(HKEY_CURRENT_USER, kKey, "d"));
    api.GrowValueAfterSizeQuery("d", 1);
    EXPECT_EQ(0, registry.GetDwordValue(HKEY_CURRENT_USER, kKey, "d"));
}

TEST(RegistryFailingCalls, EveryHandleIsClosedWhicheverCallFails)
{
    const std::vector<std::pair<const char*, std::function<void(RegistryAccess&)>>> operations = {
        {"GetDwordValue", [](RegistryAccess& r) { r.GetDwordValue(HKEY_CURRENT_USER, kKey, "v"); }},
        {"GetDwordValue null", [](RegistryAccess& r) { r.GetDwordValue(HKEY_CURRENT_USER, kKey, nullptr); }},
        {"GetBinaryValue", [](RegistryAccess& r) { r.GetBinaryValue(HKEY_CURRENT_USER, kKey, "v"); }},
        {"GetStringValue", [](RegistryAccess& r) { r.GetStringValue(HKEY_CURRENT_USER, kKey, "v"); }},
        {"ValueExists", [](RegistryAccess& r) { r.ValueExists(HKEY_CURRENT_USER, kKey, "v"); }},
        {"KeyExists", [](RegistryAccess& r) { r.KeyExists(HKEY_CURRENT_USER, kKey); }},
        {"SetDwordValue", [](RegistryAccess& r) { r.SetDwordValue(HKEY_CURRENT_USER, kKey, "v", 1); }},
        {"SetBinaryValue", [](RegistryAccess& r) { r.SetBinaryValue(HKEY_CURRENT_USER, kKey, "v", 1); }},
        {"SetStringValue", [](RegistryAccess& r) { r.SetStringValue(HKEY_CURRENT_USER, kKey, "v", "1"); }},
        {"DeleteValue", [](RegistryAccess& r) { r.DeleteValue(HKEY_CURRENT_USER, kKey, "v"); }},
    };
    for (const auto& operation : operations) {
        SCOPED_TRACE(operation.first);
        ForEachFailingCall([&](int call, bool fromThereOn) {
            MemoryRegistryApi api;
            RegistryAccess registry(api);
            api.PutValue(HKEY_CURRENT_USER, kKey, "v", REG_SZ, StoredText("1"));
            api.FailCall(call, fromThereOn);
            operation.second(registry);
            EXPECT_EQ(0, api.OpenHandleCount());
            return api.CallCount();
        });
    }
}
