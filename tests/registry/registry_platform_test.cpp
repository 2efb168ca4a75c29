// The registry functions where the differential suite cannot reach
// (tests/registry/registry_differential_test.cpp holds the rest of their
// behaviour to the in-memory registry call for call): handles that were
// never opened and the predefined roots themselves.
#include <cstdint>

#include "tests/registry/registry_backend.h"

TEST_P(RegistryConformance, PlatformGuardsHandlesAndRoots)
{
    const HKEY bogus = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x1234));
    DWORD type = 0;
    EXPECT_EQ(ERROR_INVALID_HANDLE, Api().QueryValueEx(bogus, "v", &type, nullptr, nullptr));
    EXPECT_EQ(ERROR_INVALID_HANDLE, Api().CloseKey(bogus));
    char16_t name[8];
    DWORD length = 8;
    EXPECT_EQ(ERROR_INVALID_HANDLE, Api().EnumKeyExW(bogus, 0, name, &length));
    EXPECT_EQ(ERROR_INVALID_HANDLE, Api().EnumValueW(bogus, 0, name, &length, &type, nullptr, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, Api().CloseKey(HKEY_CURRENT_USER));
    // The predefined root itself comes back for an empty path.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, Api().OpenKeyEx(HKEY_CURRENT_USER, "", 0, KEY_READ, &key));
    EXPECT_EQ(HKEY_CURRENT_USER, key);
    key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, Api().OpenKeyExW(HKEY_CURRENT_USER, u"", KEY_READ, &key));
    EXPECT_EQ(HKEY_CURRENT_USER, key);
}
