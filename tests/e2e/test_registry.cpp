#include "tests/e2e/test_registry.h"

#include <gtest/gtest.h>

#include "tests/support/system_registry_view.h"

void ClearTweaks()
{
    // Under WOW64 the redirected copy is cleared too, so that nothing a test
    // left there can reach the next one.
    std::vector<REGSAM> views = {SystemView()};
    if (RunsUnderWow64()) views.push_back(KEY_WOW64_32KEY);
    for (REGSAM view : views) {
        for (const Tweak& tweak : kTweaks) {
            HKEY key;
            if (RegOpenKeyExA(tweak.root, tweak.keyPath, 0, KEY_SET_VALUE | view, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, tweak.valueName);
                RegCloseKey(key);
            }
        }
        for (const char* keyPath : {kUnloadKey, kRecycleBinShownKey, kRecycleBinHiddenKey})
            DeleteTreeInView(HKEY_LOCAL_MACHINE, keyPath, view);
    }
    for (const char* keyPath : {kUnloadKey, kRecycleBinShownKey, kRecycleBinHiddenKey})
        ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, keyPath)) << keyPath;
}

StoredValue ReadValue(HKEY root, const char* keyPath, const char* valueName)
{
    StoredValue value;
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE | SystemView(), &key) != ERROR_SUCCESS) return value;
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
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE | SystemView(), &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void WriteValue(HKEY root, const char* keyPath, const char* valueName, DWORD type, const std::string& bytes)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE | SystemView(), nullptr, &key, nullptr),
              ERROR_SUCCESS)
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

std::string DwordBytes(DWORD value)
{
    return std::string{static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                       static_cast<char>(value >> 24)};
}

std::string StringBytes(const std::string& text)
{
    return text + '\0';
}
