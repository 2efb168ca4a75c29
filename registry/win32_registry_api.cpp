#include "registry/win32_registry_api.h"

LONG Win32RegistryApi::OpenKeyEx(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result)
{
    return RegOpenKeyExA(root, subKey, options, access, result);
}

LONG Win32RegistryApi::CreateKeyEx(HKEY root, const char* subKey, DWORD reserved, const char* keyClass, DWORD options,
                                   REGSAM access, HKEY* result, DWORD* disposition)
{
    // The class is only read; the header merely lacks the const.
    return RegCreateKeyExA(root, subKey, reserved, const_cast<char*>(keyClass), options, access, nullptr, result,
                           disposition);
}

LONG Win32RegistryApi::QueryValueEx(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* size)
{
    return RegQueryValueExA(key, valueName, nullptr, type, data, size);
}

LONG Win32RegistryApi::EnumValue(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* type, BYTE* data,
                                 DWORD* dataLength)
{
    return RegEnumValueA(key, index, name, nameLength, nullptr, type, data, dataLength);
}

LONG Win32RegistryApi::SetValueEx(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size)
{
    return RegSetValueExA(key, valueName, 0, type, data, size);
}

LONG Win32RegistryApi::DeleteValue(HKEY key, const char* valueName)
{
    return RegDeleteValueA(key, valueName);
}

LONG Win32RegistryApi::DeleteKey(HKEY root, const char* subKey)
{
    return RegDeleteKeyA(root, subKey);
}

LONG Win32RegistryApi::CloseKey(HKEY key)
{
    return RegCloseKey(key);
}

RegistryApi& PlatformRegistry()
{
    static Win32RegistryApi registry;
    return registry;
}

namespace {

// The longest value name the registry takes, in characters, with its terminator.
constexpr int kValueNameCapacity = 16384;

}  // namespace

// The W functions take the value name in UTF-16; a null name (the default
// value) stays null.
LONG Win32RegistryApi::QueryStoredValue(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* size)
{
    wchar_t name[kValueNameCapacity];
    if (valueName && !MultiByteToWideChar(CP_ACP, 0, valueName, -1, name, kValueNameCapacity)) {
        return ERROR_INVALID_PARAMETER;
    }
    return RegQueryValueExW(key, valueName ? name : nullptr, nullptr, type, data, size);
}

LONG Win32RegistryApi::SetStoredValue(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size)
{
    wchar_t name[kValueNameCapacity];
    if (valueName && !MultiByteToWideChar(CP_ACP, 0, valueName, -1, name, kValueNameCapacity)) {
        return ERROR_INVALID_PARAMETER;
    }
    return RegSetValueExW(key, valueName ? name : nullptr, 0, type, data, size);
}
