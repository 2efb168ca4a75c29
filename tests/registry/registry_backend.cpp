#include "tests/registry/registry_backend.h"

void RegistryConformance::TearDown()
{
    // No operation may leave a key open, whatever path it took.
    if (backend->OpenHandleCount() >= 0) {
        EXPECT_EQ(0, backend->OpenHandleCount());
    }
    registry.reset();
    backend.reset();
}

std::string RegistryConformance::Path(const std::string& below)
{
    return below.empty() ? kScratch : std::string(kScratch) + "\\" + below;
}

Stored RegistryConformance::Raw(HKEY root, const std::string& keyPath, const char* valueName)
{
    Stored stored;
    HKEY key = nullptr;
    if (Api().OpenKeyEx(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return stored;
    }
    DWORD size = 0;
    if (Api().QueryValueEx(key, valueName, &stored.type, nullptr, &size) == ERROR_SUCCESS) {
        stored.bytes.resize(size + 1);
        stored.found = Api().QueryValueEx(key, valueName, &stored.type, stored.bytes.data(), &size) == ERROR_SUCCESS;
        stored.bytes.resize(size);
    }
    Api().CloseKey(key);
    return stored;
}

void RegistryConformance::Put(HKEY root, const std::string& keyPath, const char* valueName, DWORD type,
                              const std::vector<BYTE>& bytes)
{
    // A non-NUL byte behind the counted ones keeps the platform from adding
    // a terminator to string data.
    std::vector<BYTE> buffer(bytes);
    buffer.push_back('X');
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, Api().CreateKeyEx(root, keyPath.c_str(), 0, "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                               &key, &disposition));
    EXPECT_EQ(ERROR_SUCCESS, Api().SetValueEx(key, valueName, type, buffer.data(), static_cast<DWORD>(bytes.size())));
    Api().CloseKey(key);
}

bool RegistryConformance::HasKey(HKEY root, const std::string& keyPath)
{
    HKEY key = nullptr;
    if (Api().OpenKeyEx(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    Api().CloseKey(key);
    return true;
}
