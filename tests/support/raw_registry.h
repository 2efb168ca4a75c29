// Reading the registry past the helper under test: a value exactly as it is
// stored, and whether a key exists, through any registry seam. view adds
// access bits of the caller's choosing (the system's view under WOW64).
#pragma once

#include <string>
#include <vector>

#include "registry/registry_api.h"

struct StoredValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

inline StoredValue ReadStoredValue(RegistryApi& api, HKEY root, const std::string& keyPath, const char* valueName,
                                   REGSAM view = 0)
{
    StoredValue value;
    HKEY key = nullptr;
    if (api.OpenKeyEx(root, keyPath.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (api.QueryValueEx(key, valueName, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        // One byte more, for a terminator that the A layer may add to a string.
        value.bytes.resize(size + 1);
        value.exists = api.QueryValueEx(key, valueName, &value.type, value.bytes.data(), &size) == ERROR_SUCCESS;
        value.bytes.resize(value.exists ? size : 0);
    }
    api.CloseKey(key);
    return value;
}

inline bool HasKey(RegistryApi& api, HKEY root, const std::string& keyPath, REGSAM view = 0)
{
    HKEY key = nullptr;
    if (api.OpenKeyEx(root, keyPath.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    api.CloseKey(key);
    return true;
}
