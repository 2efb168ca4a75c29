// What the in-memory registry offers beyond the platform's functions:
// seeding, inspecting and counting.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/memory_registry_api.h"

TEST(MemoryRegistryApi, SeedsAndInspectsWithoutCounting)
{
    MemoryRegistryApi api;
    api.PutValue(HKEY_CURRENT_USER, "Software\\A", "v", REG_DWORD, {1, 0, 0, 0});
    api.PutKey(HKEY_LOCAL_MACHINE, "Software\\Empty");
    EXPECT_TRUE(api.HasKey(HKEY_CURRENT_USER, "SOFTWARE\\a"));
    EXPECT_TRUE(api.HasValue(HKEY_CURRENT_USER, "Software\\A", "V"));
    EXPECT_FALSE(api.HasValue(HKEY_CURRENT_USER, "Software\\A", "w"));
    EXPECT_THROW(api.GetValue(HKEY_CURRENT_USER, "Software\\A", "w"), std::out_of_range);
    EXPECT_THROW(api.GetValue(HKEY_CURRENT_USER, "Software\\B", "v"), std::out_of_range);
    EXPECT_EQ(0, api.CallCount());

    const auto snapshot = api.Snapshot();
    ASSERT_EQ(4u, snapshot.size());
    EXPECT_EQ(1u, snapshot.at("HKEY_CURRENT_USER\\Software\\A").size());
    EXPECT_EQ(DWORD{REG_DWORD}, snapshot.at("HKEY_CURRENT_USER\\Software\\A").at("v").type);
    EXPECT_TRUE(snapshot.at("HKEY_LOCAL_MACHINE\\Software\\Empty").empty());
}

TEST(MemoryRegistryApi, CountsCallsAndHandlesButNotTheRoots)
{
    MemoryRegistryApi api;
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, api.CreateKeyEx(HKEY_USERS, "X\\Y", 0, "", 0, KEY_ALL_ACCESS, &key, &disposition));
    EXPECT_EQ(DWORD{REG_CREATED_NEW_KEY}, disposition);
    EXPECT_EQ(1, api.OpenHandleCount());
    EXPECT_EQ(ERROR_SUCCESS, api.CloseKey(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(ERROR_SUCCESS, api.CloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, api.CloseKey(key));
    EXPECT_EQ(0, api.OpenHandleCount());
    EXPECT_EQ(4, api.CallCount());
    EXPECT_EQ(3, api.CallCount(MemoryRegistryApi::Op::CloseKey));
    EXPECT_EQ(1, api.KeyOpenCount(HKEY_USERS, "x\\y"));
    // The four roots are separate trees.
    EXPECT_FALSE(api.HasKey(HKEY_CLASSES_ROOT, "X"));

    api.FailCall(0, true);
    EXPECT_NE(ERROR_SUCCESS, api.OpenKeyEx(HKEY_USERS, "X", 0, KEY_READ, &key));
    api.ResetCounters();
    EXPECT_EQ(0, api.CallCount());
    EXPECT_EQ(0, api.KeyOpenCount(HKEY_USERS, "X\\Y"));
}
