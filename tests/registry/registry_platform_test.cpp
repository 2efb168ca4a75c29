// The registry functions themselves, where the program depends on how they
// behave: measured on the platform, matched by the in-memory registry.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/registry/registry_backend.h"

namespace {

constexpr LONG kBadPathname = 161;  // ERROR_BAD_PATHNAME

}  // namespace

TEST_P(RegistryConformance, PlatformAddsTheTerminatorThatFollowsStringData)
{
    const struct {
        DWORD type;
        const char* data;
        DWORD count;
        std::vector<BYTE> stored;
    } cases[] = {
        {REG_SZ, "no", 2, {'n', 'o', 0}},
        {REG_SZ, "nox", 2, {'n', 'o'}},
        {REG_SZ, "no", 3, {'n', 'o', 0}},
        {REG_SZ, "", 0, {}},
        {REG_SZ, "a\0z", 3, {'a', 0, 'z', 0}},
        {REG_EXPAND_SZ, "%a%", 3, {'%', 'a', '%', 0}},
        {REG_MULTI_SZ, "a\0b\0", 4, {'a', 0, 'b', 0}},
        {REG_BINARY, "no", 2, {'n', 'o'}},
    };
    HKEY key = registry->CreateKey(HKEY_CURRENT_USER, Path().c_str());
    ASSERT_NE(nullptr, key);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.data << "/" << c.count);
        EXPECT_EQ(ERROR_SUCCESS, Api().SetValueEx(key, "v", c.type, reinterpret_cast<const BYTE*>(c.data), c.count));
        const StoredValue stored = Raw(HKEY_CURRENT_USER, Path(), "v");
        EXPECT_EQ(c.type, stored.type);
        EXPECT_EQ(c.stored, stored.bytes);
    }
    Api().CloseKey(key);
}

TEST_P(RegistryConformance, PlatformReportsSizesAndShortBuffers)
{
    registry->SetStringValue(HKEY_CURRENT_USER, Path().c_str(), "s", "abc");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, Api().OpenKeyEx(HKEY_CURRENT_USER, Path().c_str(), 0, KEY_READ, &key));
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(ERROR_SUCCESS, Api().QueryValueEx(key, "s", &type, nullptr, &size));
    EXPECT_EQ(DWORD{REG_SZ}, type);
    EXPECT_EQ(4u, size);
    BYTE buffer[8] = {};
    size = 3;
    EXPECT_EQ(ERROR_MORE_DATA, Api().QueryValueEx(key, "s", &type, buffer, &size));
    EXPECT_EQ(4u, size);
    size = sizeof buffer;
    EXPECT_EQ(ERROR_SUCCESS, Api().QueryValueEx(key, "s", &type, buffer, &size));
    EXPECT_EQ(4u, size);
    EXPECT_STREQ("abc", reinterpret_cast<char*>(buffer));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, Api().QueryValueEx(key, "s", &type, buffer, nullptr));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Api().QueryValueEx(key, "missing", &type, nullptr, &size));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Api().QueryValueEx(key, "", &type, nullptr, &size));
    Api().CloseKey(key);
}

TEST_P(RegistryConformance, PlatformEnumeratesValuesByNameWithoutRegardToCase)
{
    const std::string key = Path();
    for (const char* name : {"b", "A_", "AZ", "a", "ab", "", "a[", "_", "Zz", "~", "0"}) {
        registry->SetDwordValue(HKEY_CURRENT_USER, key.c_str(), name, 1);
    }
    HKEY handle = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, Api().OpenKeyEx(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle));
    std::vector<std::string> names;
    char name[16];
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    while (Api().EnumValue(handle, static_cast<DWORD>(names.size()), name, &nameLength, &type, nullptr, nullptr) ==
           ERROR_SUCCESS) {
        EXPECT_EQ(std::strlen(name), nameLength);
        names.push_back(name);
        nameLength = sizeof name;
    }
    const std::vector<std::string> expected = {"", "0", "_", "a", "a[", "A_", "ab", "AZ", "b", "Zz", "~"};
    EXPECT_EQ(expected, names);
    EXPECT_EQ(ERROR_NO_MORE_ITEMS,
              Api().EnumValue(handle, static_cast<DWORD>(names.size()), name, &nameLength, &type, nullptr, nullptr));
    Api().CloseKey(handle);
}

TEST_P(RegistryConformance, PlatformEnumerationReportsShortBuffers)
{
    registry->SetStringValue(HKEY_CURRENT_USER, Path().c_str(), "AZ", "xyz");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, Api().OpenKeyEx(HKEY_CURRENT_USER, Path().c_str(), 0, KEY_READ, &key));
    char name[8];
    BYTE data[8];
    DWORD type = 0;
    // The name's capacity counts its terminator.
    DWORD nameLength = 2;
    DWORD dataLength = sizeof data;
    EXPECT_EQ(ERROR_MORE_DATA, Api().EnumValue(key, 0, name, &nameLength, &type, data, &dataLength));
    nameLength = 3;
    dataLength = sizeof data;
    EXPECT_EQ(ERROR_SUCCESS, Api().EnumValue(key, 0, name, &nameLength, &type, data, &dataLength));
    EXPECT_STREQ("AZ", name);
    EXPECT_EQ(2u, nameLength);
    EXPECT_EQ(4u, dataLength);
    nameLength = sizeof name;
    dataLength = 3;
    EXPECT_EQ(ERROR_MORE_DATA, Api().EnumValue(key, 0, name, &nameLength, &type, data, &dataLength));
    EXPECT_EQ(4u, dataLength);
    dataLength = 0;
    EXPECT_EQ(ERROR_SUCCESS, Api().EnumValue(key, 0, name, &nameLength, &type, nullptr, &dataLength));
    EXPECT_EQ(4u, dataLength);
    Api().CloseKey(key);
}

TEST_P(RegistryConformance, PlatformGuardsHandles)
{
    const HKEY bogus = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x1234));
    DWORD type = 0;
    EXPECT_EQ(ERROR_INVALID_HANDLE, Api().QueryValueEx(bogus, "v", &type, nullptr, nullptr));
    EXPECT_EQ(ERROR_INVALID_HANDLE, Api().CloseKey(bogus));
    EXPECT_EQ(ERROR_SUCCESS, Api().CloseKey(HKEY_CURRENT_USER));

    registry->SetDwordValue(HKEY_CURRENT_USER, Path("Leaf").c_str(), "v", 1);
    const DWORD one = 1;
    HKEY readOnly = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, Api().OpenKeyEx(HKEY_CURRENT_USER, Path("Leaf").c_str(), 0, KEY_READ, &readOnly));
    EXPECT_EQ(ERROR_ACCESS_DENIED,
              Api().SetValueEx(readOnly, "w", REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one));
    EXPECT_EQ(ERROR_ACCESS_DENIED, Api().DeleteValue(readOnly, "v"));
    // A key deleted under an open handle.
    EXPECT_EQ(ERROR_SUCCESS, Api().DeleteKey(HKEY_CURRENT_USER, Path("Leaf").c_str()));
    EXPECT_EQ(ERROR_KEY_DELETED, Api().QueryValueEx(readOnly, "v", &type, nullptr, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, Api().CloseKey(readOnly));
}

TEST_P(RegistryConformance, PlatformKeyPaths)
{
    HKEY key = nullptr;
    EXPECT_EQ(kBadPathname, Api().OpenKeyEx(HKEY_CURRENT_USER, "\\Software", 0, KEY_READ, &key));
    EXPECT_EQ(nullptr, key);
    EXPECT_EQ(1, registry->SetDwordValue(HKEY_CURRENT_USER, (Path() + "\\\\Doubled\\").c_str(), "v", 5));
    EXPECT_EQ(5, registry->GetDwordValue(HKEY_CURRENT_USER, Path("Doubled").c_str(), "v"));
    // The predefined root itself comes back for an empty path.
    ASSERT_EQ(ERROR_SUCCESS, Api().OpenKeyEx(HKEY_CURRENT_USER, "", 0, KEY_READ, &key));
    EXPECT_EQ(HKEY_CURRENT_USER, key);

    // Double-byte characters: a second byte 5C is no separator, and second
    // bytes are compared as they stand (83 41 and 83 61 are two characters).
    EXPECT_EQ(1, registry->SetDwordValue(HKEY_CURRENT_USER, Path("\x83\x5C").c_str(), "v", 1));
    EXPECT_EQ(0, registry->KeyExists(HKEY_CURRENT_USER, Path("\x83").c_str()));
    EXPECT_EQ(1, registry->KeyExists(HKEY_CURRENT_USER, Path("\x83\x5C").c_str()));
    EXPECT_EQ(1, registry->SetDwordValue(HKEY_CURRENT_USER, Path("x\x83\x41").c_str(), "v", 1));
    EXPECT_EQ(1, registry->KeyExists(HKEY_CURRENT_USER, Path("X\x83\x41").c_str()));
    EXPECT_EQ(0, registry->KeyExists(HKEY_CURRENT_USER, Path("X\x83\x61").c_str()));
}
