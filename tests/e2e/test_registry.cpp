#include "tests/e2e/test_registry.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

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
    StoredValue value;
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        // One byte more, for a terminator that the A layer may add to a string.
        std::string buffer(size + 1, '\0');
        DWORD got = buffer.size();
        if (RegQueryValueExA(key, valueName, nullptr, &value.type, reinterpret_cast<BYTE*>(&buffer[0]), &got) ==
            ERROR_SUCCESS) {
            value.exists = true;
            value.bytes = buffer.substr(0, got);
        }
    }
    RegCloseKey(key);
    return value;
}

StoredValue ReadTweak(TweakId tweak)
{
    const Tweak& entry = TweakOf(tweak);
    return ReadValue(entry.root, entry.keyPath, entry.valueName);
}

bool KeyExists(HKEY root, const char* keyPath)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void WriteValue(HKEY root, const char* keyPath, const char* valueName, DWORD type, const std::string& bytes)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS)
        << keyPath;
    EXPECT_EQ(RegSetValueExA(key, valueName, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()),
              ERROR_SUCCESS)
        << valueName;
    RegCloseKey(key);
}

void WriteTweak(TweakId tweak, DWORD type, const std::string& bytes)
{
    const Tweak& entry = TweakOf(tweak);
    WriteValue(entry.root, entry.keyPath, entry.valueName, type, bytes);
}

void WriteTweakDword(TweakId tweak, DWORD value)
{
    WriteTweak(tweak, REG_DWORD, DwordBytes(value));
}

void WriteTweakString(TweakId tweak, const std::string& text)
{
    WriteTweak(tweak, REG_SZ, StringBytes(text));
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
        std::string buffer(size, '\0');
        if (RegQueryValueExW(key, L"", nullptr, &value.type, reinterpret_cast<BYTE*>(&buffer[0]), &size) ==
            ERROR_SUCCESS) {
            value.exists = true;
            value.bytes = buffer.substr(0, size);
        }
    }
    RegCloseKey(key);
    return value;
}

std::string DwordBytes(DWORD value)
{
    return std::string{static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                       static_cast<char>(value >> 24)};
}

std::string StringBytes(const std::string& text)
{
    return text + '\0';
}
