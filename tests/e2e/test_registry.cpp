#include "tests/e2e/test_registry.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include "registry/win32_registry_api.h"

namespace {

// The checks read the registry through the plain advapi32 seam.
Win32RegistryApi g_registry;

}  // namespace

void ClearTweaks()
{
    for (const Tweak& tweak : kTweaks) {
        HKEY key;
        if (RegOpenKeyExA(tweak.root, tweak.keyPath, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, tweak.valueName);
            RegCloseKey(key);
        }
    }
    for (const char* keyPath : {kUnloadKey, kRecycleBinShownKey, kRecycleBinHiddenKey}) {
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath);
        ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, keyPath)) << keyPath;
    }
}

StoredValue ReadValue(HKEY root, const char* keyPath, const char* valueName)
{
    return ReadStoredValue(g_registry, root, keyPath, valueName);
}

StoredValue ReadTweak(TweakId tweak)
{
    const Tweak& entry = TweakOf(tweak);
    return ReadValue(entry.root, entry.keyPath, entry.valueName);
}

bool KeyExists(HKEY root, const char* keyPath)
{
    return HasKey(g_registry, root, keyPath);
}

void WriteValue(HKEY root, const char* keyPath, const char* valueName, DWORD type, const std::vector<BYTE>& bytes)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS)
        << keyPath;
    EXPECT_EQ(RegSetValueExA(key, valueName, 0, type, bytes.data(), bytes.size()), ERROR_SUCCESS) << valueName;
    RegCloseKey(key);
}

void WriteTweak(TweakId tweak, DWORD type, const std::vector<BYTE>& bytes)
{
    const Tweak& entry = TweakOf(tweak);
    WriteValue(entry.root, entry.keyPath, entry.valueName, type, bytes);
}

void WriteTweakDword(TweakId tweak, DWORD value)
{
    WriteTweak(tweak, REG_DWORD, Dword(value));
}

void WriteTweakString(TweakId tweak, const std::string& text)
{
    WriteTweak(tweak, REG_SZ, StoredText(text));
}

void WriteDefaultValueW(HKEY root, const char* keyPath, const std::wstring& text)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS)
        << keyPath;
    EXPECT_EQ(RegSetValueExW(key, L"", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             (text.size() + 1) * sizeof(wchar_t)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

StoredValue ReadDefaultValueW(HKEY root, const char* keyPath)
{
    StoredValue value;
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (RegQueryValueExW(key, L"", nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.exists = RegQueryValueExW(key, L"", nullptr, &value.type, value.bytes.data(), &size) == ERROR_SUCCESS;
        value.bytes.resize(value.exists ? size : 0);
    }
    RegCloseKey(key);
    return value;
}

