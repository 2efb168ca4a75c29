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

void RegistryConformance::Put(HKEY root, const std::string& keyPath, const char* valueName, DWORD type,
                              const std::vector<BYTE>& bytes)
{
    // A non-NUL byte behind the counted ones keeps the platform from adding
    // a terminator to string data.
    std::vector<BYTE> buffer(bytes);
    buffer.push_back('X');
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, Api().CreateKeyEx(root, keyPath.c_str(), 0, "", REG_OPTION_NON_VOLATILE,
                                               KEY_ALL_ACCESS | backend->RawView(), &key, &disposition));
    EXPECT_EQ(ERROR_SUCCESS, Api().SetValueEx(key, valueName, type, buffer.data(), static_cast<DWORD>(bytes.size())));
    Api().CloseKey(key);
}
