// A registry seam that hands every call on to another one, for the test
// seams that watch or fail some of the calls: each overrides what it needs.
#pragma once

#include "registry/registry_api.h"

class ForwardingRegistryApi : public RegistryApi {
public:
    explicit ForwardingRegistryApi(RegistryApi& inner) : m_inner(inner) {}

    LONG OpenKeyEx(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result) override
    {
        return m_inner.OpenKeyEx(root, subKey, options, access, result);
    }
    LONG CreateKeyEx(HKEY root, const char* subKey, DWORD reserved, const char* keyClass, DWORD options, REGSAM access,
                     HKEY* result, DWORD* disposition) override
    {
        return m_inner.CreateKeyEx(root, subKey, reserved, keyClass, options, access, result, disposition);
    }
    LONG QueryValueEx(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override
    {
        return m_inner.QueryValueEx(key, name, type, data, size);
    }
    LONG EnumValue(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* type, BYTE* data,
                   DWORD* dataLength) override
    {
        return m_inner.EnumValue(key, index, name, nameLength, type, data, dataLength);
    }
    LONG SetValueEx(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override
    {
        return m_inner.SetValueEx(key, name, type, data, size);
    }
    LONG DeleteValue(HKEY key, const char* name) override { return m_inner.DeleteValue(key, name); }
    LONG DeleteKey(HKEY root, const char* subKey) override { return m_inner.DeleteKey(root, subKey); }
    LONG CloseKey(HKEY key) override { return m_inner.CloseKey(key); }
    LONG QueryStoredValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override
    {
        return m_inner.QueryStoredValue(key, name, type, data, size);
    }
    LONG SetStoredValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override
    {
        return m_inner.SetStoredValue(key, name, type, data, size);
    }
    LONG OpenKeyExW(HKEY key, const char16_t* subKey, REGSAM access, HKEY* result) override
    {
        return m_inner.OpenKeyExW(key, subKey, access, result);
    }
    LONG EnumKeyExW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength) override
    {
        return m_inner.EnumKeyExW(key, index, name, nameLength);
    }
    LONG EnumValueW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength, DWORD* type, BYTE* data,
                    DWORD* dataLength) override
    {
        return m_inner.EnumValueW(key, index, name, nameLength, type, data, dataLength);
    }

private:
    RegistryApi& m_inner;
};
