#include "registry/win32_registry_api.h"

#include <memory>
#include <new>

#include "registry/system_view.h"

namespace {

template <typename Function>
Function Lookup(const char* module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), name)));
}

// Decided once: the process runs under WOW64 or not for all its life.
REGSAM ThisProcessViewAccess()
{
    static const REGSAM access =
        SystemViewAccess(Lookup<IsWow64ProcessFunction>("kernel32.dll", "IsWow64Process"), GetCurrentProcess());
    return access;
}

// Under WOW64 RegDeleteKeyA reaches only the redirected copy, so there the
// key goes through RegDeleteKeyExA (64-bit Windows has it; 32-bit 2000 and
// XP do not, hence no static import). Without it the delete fails rather
// than touch the copy.
LONG DeleteKeyInSystemView(HKEY root, const char* subKey)
{
    if (!ThisProcessViewAccess()) return RegDeleteKeyA(root, subKey);
    using RegDeleteKeyExFunction = LONG(WINAPI*)(HKEY, const char*, REGSAM, DWORD);
    static const auto deleteKeyEx = Lookup<RegDeleteKeyExFunction>("advapi32.dll", "RegDeleteKeyExA");
    return deleteKeyEx ? deleteKeyEx(root, subKey, KEY_WOW64_64KEY, 0) : ERROR_CALL_NOT_IMPLEMENTED;
}

}  // namespace

LONG Win32RegistryApi::OpenKeyEx(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result)
{
    return RegOpenKeyExA(root, subKey, options, access | ThisProcessViewAccess(), result);
}

LONG Win32RegistryApi::CreateKeyEx(HKEY root, const char* subKey, DWORD reserved, const char* keyClass, DWORD options,
                                   REGSAM access, HKEY* result, DWORD* disposition)
{
    // The class is only read; the header merely lacks the const.
    return RegCreateKeyExA(root, subKey, reserved, const_cast<char*>(keyClass), options,
                           access | ThisProcessViewAccess(), nullptr, result, disposition);
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

// Runs a W function's call with the value name in UTF-16, in a buffer sized
// from the name; a null name (the default value) stays null.
template <typename Call>
LONG WithWideName(const char* valueName, Call call)
{
    if (!valueName) return call(nullptr);
    const int length = MultiByteToWideChar(CP_ACP, 0, valueName, -1, nullptr, 0);
    if (length <= 0) return ERROR_INVALID_PARAMETER;
    const std::unique_ptr<wchar_t[]> name(new (std::nothrow) wchar_t[length]);
    if (!name) return ERROR_OUTOFMEMORY;
    if (!MultiByteToWideChar(CP_ACP, 0, valueName, -1, name.get(), length)) return ERROR_INVALID_PARAMETER;
    return call(name.get());
}

// Wine's W reads (RegQueryValueExW, RegEnumValueW) write a two-byte
// terminator behind a string shorter than one UTF-16 unit, even into a
// buffer of one byte. A buffer that small is read through one with room for
// it, so no caller's buffer is ever written past its capacity.
template <typename Read>
LONG WithTerminatorRoom(BYTE* data, DWORD* size, Read read)
{
    if (!data || !size || *size >= sizeof(wchar_t)) return read(data, size);
    BYTE room[2 * sizeof(wchar_t)] = {};
    DWORD capacity = *size;
    const LONG status = read(room, &capacity);
    if (status == ERROR_SUCCESS) CopyMemory(data, room, capacity);
    *size = capacity;
    return status;
}

}  // namespace

LONG Win32RegistryApi::QueryStoredValue(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* size)
{
    return WithWideName(valueName, [&](const wchar_t* name) {
        return WithTerminatorRoom(data, size, [&](BYTE* buffer, DWORD* capacity) {
            return RegQueryValueExW(key, name, nullptr, type, buffer, capacity);
        });
    });
}

LONG Win32RegistryApi::SetStoredValue(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size)
{
    return WithWideName(valueName, [&](const wchar_t* name) { return RegSetValueExW(key, name, 0, type, data, size); });
}

// char16_t and wchar_t are both UTF-16 units on Windows.
static_assert(sizeof(char16_t) == sizeof(wchar_t), "UTF-16 names");

LONG Win32RegistryApi::OpenKeyExW(HKEY key, const char16_t* subKey, REGSAM access, HKEY* result)
{
    return RegOpenKeyExW(key, reinterpret_cast<const wchar_t*>(subKey), 0, access | ThisProcessViewAccess(), result);
}

LONG Win32RegistryApi::EnumKeyExW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength)
{
    return RegEnumKeyExW(key, index, reinterpret_cast<wchar_t*>(name), nameLength, nullptr, nullptr, nullptr,
                         nullptr);
}

LONG Win32RegistryApi::EnumValueW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength, DWORD* type, BYTE* data,
                                  DWORD* dataLength)
{
    return WithTerminatorRoom(data, dataLength, [&](BYTE* buffer, DWORD* capacity) {
        return RegEnumValueW(key, index, reinterpret_cast<wchar_t*>(name), nameLength, nullptr, type, buffer, capacity);
    });
}
