// The registry as the program sees it: the ANSI registry functions of
// advapi32, one virtual per function, same arguments and results, and a
// read and a write of a value in its stored form, and the W functions that
// walk a key whole with its names in UTF-16.
// Win32RegistryApi forwards to the real functions; MemoryRegistryApi keeps
// an in-memory registry with the same behaviour for native tests.
#pragma once

#include "registry/win_types.h"

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    virtual LONG OpenKeyEx(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result) = 0;
    // Opens the key, creating it and any missing keys above it.
    virtual LONG CreateKeyEx(HKEY root, const char* subKey, DWORD reserved, const char* keyClass, DWORD options,
                             REGSAM access, HKEY* result, DWORD* disposition) = 0;
    // With null data: reports type and size. With data: copies at most *size
    // bytes and reports ERROR_MORE_DATA when the value is larger.
    virtual LONG QueryValueEx(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* size) = 0;
    // *nameLength is a capacity in characters, including the terminator.
    virtual LONG EnumValue(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* type, BYTE* data,
                           DWORD* dataLength) = 0;
    virtual LONG SetValueEx(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size) = 0;
    virtual LONG DeleteValue(HKEY key, const char* valueName) = 0;
    virtual LONG DeleteKey(HKEY root, const char* subKey) = 0;
    virtual LONG CloseKey(HKEY key) = 0;
    // As QueryValueEx and SetValueEx, but with the data in the form the
    // registry keeps it (strings in UTF-16), never passed through the ANSI
    // code page: a value copied this way arrives whole, whatever it holds.
    virtual LONG QueryStoredValue(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* size) = 0;
    virtual LONG SetStoredValue(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size) = 0;
    // As RegOpenKeyExW, RegEnumKeyExW and RegEnumValueW: names in UTF-16
    // (char16_t, which is wchar_t on Windows), data in the stored form, so a
    // key is read whole whatever its names hold. *nameLength is a capacity in
    // characters, including the terminator; a name that does not fit gives
    // ERROR_MORE_DATA and leaves it as it was. With null data EnumValueW
    // reports type and size.
    virtual LONG OpenKeyExW(HKEY key, const char16_t* subKey, REGSAM access, HKEY* result) = 0;
    virtual LONG EnumKeyExW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength) = 0;
    virtual LONG EnumValueW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength, DWORD* type, BYTE* data,
                            DWORD* dataLength) = 0;
};
