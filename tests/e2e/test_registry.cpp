#include "tests/e2e/test_registry.h"

#include <gtest/gtest.h>

#include "registry/win32_registry_api.h"
#include "tests/support/system_registry_view.h"

namespace {

// The checks read the registry through the plain advapi32 seam, and name the
// system's view themselves rather than leave it to the seam they check.
Win32RegistryApi g_registry;

}  // namespace

void ClearTweaks()
{
    ASSERT_FALSE(Wow64Expected() && !RunsUnderWow64()) << "this entry is meant to run under WOW64, and does not";
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
    return ReadStoredValue(g_registry, root, keyPath, valueName, SystemView());
}

StoredValue ReadTweak(TweakId tweak)
{
    const Tweak& entry = TweakOf(tweak);
    return ReadValue(entry.root, entry.keyPath, entry.valueName);
}

bool KeyExists(HKEY root, const char* keyPath)
{
    return HasKey(g_registry, root, keyPath, SystemView());
}

void WriteValue(HKEY root, const char* keyPath, const char* valueName, DWORD type, const std::vector<BYTE>& bytes)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE | SystemView(), nullptr, &key, nullptr),
              ERROR_SUCCESS)
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
    ASSERT_EQ(RegCreateKeyExA(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE | SystemView(), nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << keyPath;
    const std::wstring guarded = text + L'X';
    EXPECT_EQ(RegSetValueExW(key, L"", 0, REG_SZ, reinterpret_cast<const BYTE*>(guarded.c_str()),
                             text.size() * sizeof(wchar_t)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

std::vector<BYTE> Utf16Bytes(const std::wstring& text)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.data());
    return std::vector<BYTE>(bytes, bytes + text.size() * sizeof(wchar_t));
}

StoredValue ReadDefaultValueW(HKEY root, const char* keyPath)
{
    StoredValue value;
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE | SystemView(), &key) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (RegQueryValueExW(key, L"", nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.exists = RegQueryValueExW(key, L"", nullptr, &value.type, value.bytes.data(), &size) == ERROR_SUCCESS;
        value.bytes.resize(value.exists ? size : 0);
    }
    RegCloseKey(key);
    return value;
}
