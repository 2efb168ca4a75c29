#include "registry/win32_registry_api.h"

// Missing from the Windows 2000 headers the program is built with.
#ifndef KEY_WOW64_64KEY
#define KEY_WOW64_64KEY 0x0100
#endif

namespace {

template <typename Function>
Function Lookup(const char* module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), name)));
}

// On 64-bit Windows the program runs under WOW64, which redirects its keys
// under HKLM\SOFTWARE to a 32-bit copy (Wow6432Node) that the 64-bit system
// never reads. There every open and create asks for the system's own view.
// Elsewhere nothing is added: Windows 2000 denies access to a key opened
// with the flag. Windows 2000 and XP before SP2 lack IsWow64Process, and
// have no WOW64 either.
REGSAM SystemViewAccess()
{
    static const REGSAM access = [] {
        using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, BOOL*);
        const auto isWow64Process = Lookup<IsWow64ProcessFunction>("kernel32.dll", "IsWow64Process");
        BOOL wow64 = FALSE;
        return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64 ? KEY_WOW64_64KEY : 0;
    }();
    return access;
}

// Under WOW64 RegDeleteKeyA reaches only the redirected copy, so there the
// key goes through RegDeleteKeyExA (64-bit Windows has it; 32-bit 2000 and
// XP do not, hence no static import). Without it the delete fails rather
// than touch the copy.
LONG DeleteKeyInSystemView(HKEY root, const char* subKey)
{
    if (!SystemViewAccess()) return RegDeleteKeyA(root, subKey);
    using RegDeleteKeyExFunction = LONG(WINAPI*)(HKEY, const char*, REGSAM, DWORD);
    static const auto deleteKeyEx = Lookup<RegDeleteKeyExFunction>("advapi32.dll", "RegDeleteKeyExA");
    return deleteKeyEx ? deleteKeyEx(root, subKey, KEY_WOW64_64KEY, 0) : ERROR_CALL_NOT_IMPLEMENTED;
}

}  // namespace

LONG Win32RegistryApi::OpenKeyEx(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result)
{
    return RegOpenKeyExA(root, subKey, options, access | SystemViewAccess(), result);
}

LONG Win32RegistryApi::CreateKeyEx(HKEY root, const char* subKey, DWORD reserved, const char* keyClass, DWORD options,
                                   REGSAM access, HKEY* result, DWORD* disposition)
{
    // The class is only read; the header merely lacks the const.
    return RegCreateKeyExA(root, subKey, reserved, const_cast<char*>(keyClass), options, access | SystemViewAccess(),
                           nullptr, result, disposition);
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
    return DeleteKeyInSystemView(root, subKey);
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
