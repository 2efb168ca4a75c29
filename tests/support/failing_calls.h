// The fault sweeps over the in-memory registry: an operation run once for
// every registry call it makes, with that call failing; and once for every
// kind of call, with all the calls of that kind on one key failing.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "tests/support/forwarding_registry_api.h"

// For n = 0, 1, ... until the operation no longer reaches call n: once with
// call n failing alone, once with it and every later call failing. `run`
// makes a fresh registry, arms it with FailCall(call, fromThereOn), runs the
// operation, checks the outcome and returns the registry's CallCount().
inline void ForEachFailingCall(const std::function<int(int call, bool fromThereOn)>& run)
{
    for (bool fromThereOn : {false, true}) {
        for (int call = 0;; ++call) {
            SCOPED_TRACE(testing::Message()
                         << "call " << call << (fromThereOn ? " and every later one" : " alone") << " fails");
            ASSERT_LT(call, 1000) << "the operation never ran through";
            if (run(call, fromThereOn) <= call) break;
        }
    }
}

// Kinds of registry call, as bits; EnumValue counts as kQueryValue.
enum CallKind : unsigned {
    kOpenForRead = 1u << 0,  // OpenKeyEx without write rights
    kOpenForWrite = 1u << 1,
    kCreateKey = 1u << 2,
    kQueryValue = 1u << 3,
    kQueryStoredValue = 1u << 4,
    kSetValue = 1u << 5,
    kSetStoredValue = 1u << 6,
    kDeleteValue = 1u << 7,
    kDeleteKey = 1u << 8,
};
constexpr unsigned kEveryRead = kOpenForRead | kQueryValue | kQueryStoredValue;

// A registry seam over another in which every call of the given kinds on one
// key fails with ERROR_ACCESS_DENIED. The key is named by its path as the
// caller spells it: the subKey of an open, create or delete, or the path
// that a handle was opened with. CloseKey never fails.
class FailingCalls : public ForwardingRegistryApi {
public:
    FailingCalls(RegistryApi& inner, unsigned kinds, std::string keyPath)
        : ForwardingRegistryApi(inner), m_kinds(kinds), m_keyPath(std::move(keyPath))
    {
    }

    LONG OpenKeyEx(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result) override
    {
        const CallKind kind = access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY) ? kOpenForWrite : kOpenForRead;
        if (Fails(kind, subKey)) return ERROR_ACCESS_DENIED;
        return Noted(ForwardingRegistryApi::OpenKeyEx(root, subKey, options, access, result), subKey, result);
    }
    LONG CreateKeyEx(HKEY root, const char* subKey, DWORD reserved, const char* keyClass, DWORD options, REGSAM access,
                     HKEY* result, DWORD* disposition) override
    {
        if (Fails(kCreateKey, subKey)) return ERROR_ACCESS_DENIED;
        return Noted(
            ForwardingRegistryApi::CreateKeyEx(root, subKey, reserved, keyClass, options, access, result, disposition),
            subKey, result);
    }
    LONG QueryValueEx(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override
    {
        if (Fails(kQueryValue, key)) return ERROR_ACCESS_DENIED;
        return ForwardingRegistryApi::QueryValueEx(key, name, type, data, size);
    }
    LONG EnumValue(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* type, BYTE* data,
                   DWORD* dataLength) override
    {
        if (Fails(kQueryValue, key)) return ERROR_ACCESS_DENIED;
        return ForwardingRegistryApi::EnumValue(key, index, name, nameLength, type, data, dataLength);
    }
    LONG SetValueEx(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override
    {
        if (Fails(kSetValue, key)) return ERROR_ACCESS_DENIED;
        return ForwardingRegistryApi::SetValueEx(key, name, type, data, size);
    }
    LONG DeleteValue(HKEY key, const char* name) override
    {
        if (Fails(kDeleteValue, key)) return ERROR_ACCESS_DENIED;
        return ForwardingRegistryApi::DeleteValue(key, name);
    }
    LONG DeleteKey(HKEY root, const char* subKey) override
    {
        if (Fails(kDeleteKey, subKey)) return ERROR_ACCESS_DENIED;
        return ForwardingRegistryApi::DeleteKey(root, subKey);
    }
    LONG CloseKey(HKEY key) override
    {
        m_paths.erase(key);
        return ForwardingRegistryApi::CloseKey(key);
    }
    LONG QueryStoredValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override
    {
        if (Fails(kQueryStoredValue, key)) return ERROR_ACCESS_DENIED;
        return ForwardingRegistryApi::QueryStoredValue(key, name, type, data, size);
    }
    LONG SetStoredValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override
    {
        if (Fails(kSetStoredValue, key)) return ERROR_ACCESS_DENIED;
        return ForwardingRegistryApi::SetStoredValue(key, name, type, data, size);
    }

private:
    bool Fails(CallKind kind, const char* keyPath) const { return (m_kinds & kind) && keyPath && m_keyPath == keyPath; }
    bool Fails(CallKind kind, HKEY key) const
    {
        const auto it = m_paths.find(key);
        return it != m_paths.end() && Fails(kind, it->second.c_str());
    }
    LONG Noted(LONG status, const char* subKey, HKEY* result)
    {
        if (status == ERROR_SUCCESS && subKey) m_paths[*result] = subKey;
        return status;
    }

    unsigned m_kinds;
    std::string m_keyPath;
    std::map<HKEY, std::string> m_paths;
};

// Every kind of call alone, then every read together: `run` makes a fresh
// registry, runs the operation over FailingCalls(registry, kinds, key) for
// the key it means and checks the outcome.
inline void ForEachFailingKind(const std::function<void(unsigned kinds)>& run)
{
    const char* const names[] = {"OpenKeyEx for reading",
                                 "OpenKeyEx for writing",
                                 "CreateKeyEx",
                                 "QueryValueEx and EnumValue",
                                 "QueryStoredValue",
                                 "SetValueEx",
                                 "SetStoredValue",
                                 "DeleteValue",
                                 "DeleteKey"};
    for (unsigned bit = 0; bit < sizeof names / sizeof names[0]; ++bit) {
        SCOPED_TRACE(testing::Message() << "every " << names[bit] << " on the key fails");
        run(1u << bit);
    }
    SCOPED_TRACE("every read of the key fails");
    run(kEveryRead);
}
