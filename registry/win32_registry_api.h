// The registry seam over the real ANSI registry functions of advapi32, and
// their W forms for values in their stored form and for walking a key whole.
#pragma once

#include "registry/registry_api.h"

class Win32RegistryApi : public RegistryApi {
public:
    LONG OpenKeyEx(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result) override;
    LONG CreateKeyEx(HKEY root, const char* subKey, DWORD reserved, const char* keyClass, DWORD options, REGSAM access,
                     HKEY* result, DWORD* disposition) override;
    LONG QueryValueEx(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* size) override;
    LONG EnumValue(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* type, BYTE* data,
                   DWORD* dataLength) override;
    LONG SetValueEx(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size) override;
    LONG DeleteValue(HKEY key, const char* valueName) override;
    LONG DeleteKey(HKEY root, const char* subKey) override;
    LONG CloseKey(HKEY key) override;
    LONG QueryStoredValue(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* size) override;
    LONG SetStoredValue(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size) override;
    LONG OpenKeyExW(HKEY key, const char16_t* subKey, REGSAM access, HKEY* result) override;
    LONG EnumKeyExW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength) override;
    LONG EnumValueW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength, DWORD* type, BYTE* data,
                    DWORD* dataLength) override;
};

// The registry of the machine the program runs on.
RegistryApi& PlatformRegistry();
