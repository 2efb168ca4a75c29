// An in-memory registry that stores what the platform stores, for native
// tests, fuzzing and benchmarks; the differential suite holds it to the real
// one call by call (tests/registry/registry_differential_test.cpp lists
// where it knowingly differs):
//  - names and string data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are kept in
//    UTF-16; the ANSI functions convert through code page 932 as the
//    platform's do (tests/support/cp932_conversion.h), sizes included: a
//    string's size is that of its ANSI form, and a read with room to spare
//    gets a terminator behind the data it reports;
//  - names compared without regard to case, missing parents created by
//    CreateKeyEx, DeleteKey refusing a key that has subkeys;
//  - values enumerate in the order the Wine registry gives them (by name,
//    without regard to case; the default value "" first);
//  - string data handed over without its terminator, with a NUL character
//    right behind the counted bytes, is stored with that NUL, as the
//    platform does (a byte behind for SetValueEx, a UTF-16 unit behind for
//    SetStoredValue);
//  - QueryStoredValue and SetStoredValue take the data in the stored form
//    (and count, log and fail as QueryValueEx and SetValueEx); OpenKeyExW,
//    EnumKeyExW and EnumValueW take and give names in UTF-16 as stored (and
//    count and fail as OpenKeyEx and EnumValue; EnumKeyExW as Op::EnumKey).
// On top of that it counts calls and open handles, records every SetValueEx
// exactly as it was handed over, and injects faults.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "registry/registry_api.h"

class MemoryRegistryApi : public RegistryApi {
public:
    struct Value {
        DWORD type = REG_NONE;
        std::vector<BYTE> data;

        friend bool operator==(const Value& a, const Value& b) { return a.type == b.type && a.data == b.data; }
        friend bool operator!=(const Value& a, const Value& b) { return !(a == b); }
    };

    // One SetValueEx call as the caller handed it over.
    struct SetCall {
        std::string keyPath;  // root-relative path of the key, as stored
        std::string valueName;
        DWORD type;
        std::vector<BYTE> data;  // exactly the counted bytes
    };

    enum class Op { OpenKey, CreateKey, QueryValue, EnumValue, EnumKey, SetValue, DeleteValue, DeleteKey, CloseKey };

    MemoryRegistryApi();
    ~MemoryRegistryApi() override;

    // RegistryApi
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

    // Seeding and inspecting, bypassing faults, counters and the call log.
    // PutValue stores the value as SetValueEx would store exactly these bytes,
    // GetValue gives it as QueryValueEx reads it; the Stored pair takes and
    // gives the stored form.
    void PutValue(HKEY root, const std::string& keyPath, const std::string& valueName, DWORD type,
                  const std::vector<BYTE>& data);
    void PutKey(HKEY root, const std::string& keyPath);
    bool HasKey(HKEY root, const std::string& keyPath) const;
    bool HasValue(HKEY root, const std::string& keyPath, const std::string& valueName) const;
    void PutStoredValue(HKEY root, const std::string& keyPath, const std::string& valueName, DWORD type,
                        const std::vector<BYTE>& data);
    // The same with the key path and value name in UTF-16, for names that
    // code page 932 cannot spell.
    void PutStoredValue(HKEY root, const std::u16string& keyPath, const std::u16string& valueName, DWORD type,
                        const std::vector<BYTE>& data);
    // Throw std::out_of_range when the value is missing.
    Value GetValue(HKEY root, const std::string& keyPath, const std::string& valueName) const;
    Value GetStoredValue(HKEY root, const std::string& keyPath, const std::string& valueName) const;
    // Every value of every key as "ROOT\\path" -> name -> stored value, for
    // comparing whole registries (paths and names in their stored spelling).
    std::map<std::string, std::map<std::string, Value>> Snapshot() const;

    // Counters
    int OpenHandleCount() const;
    int CallCount() const;  // every RegistryApi call so far
    int CallCount(Op op) const;
    int KeyOpenCount(HKEY root, const std::string& keyPath) const;  // successful opens and creates
    void ResetCounters();
    const std::vector<SetCall>& SetCalls() const;

    // Faults
    // Opening or creating a key at or below keyPath for reading (any access
    // without write rights) / for writing (any access with KEY_SET_VALUE or
    // KEY_CREATE_SUB_KEY), and DeleteKey for writing, fail with
    // ERROR_ACCESS_DENIED. An empty keyPath means the whole root.
    void DenyRead(HKEY root, const std::string& keyPath);
    void DenyWrite(HKEY root, const std::string& keyPath);
    void FailCreateKey(bool fail);  // CreateKeyEx fails with ERROR_ACCESS_DENIED
    void FailSetValue(bool fail);   // SetValueEx fails with ERROR_CANTWRITE
    // Call number n (0-based, counted by CallCount) fails with
    // ERROR_ACCESS_DENIED; with fromThereOn, every call from n on fails.
    // CloseKey still releases its handle.
    void FailCall(int n, bool fromThereOn = false);
    // Between the next size query (null data) of this value and the data
    // query that follows, the value grows by `extra` bytes.
    void GrowValueAfterSizeQuery(const std::string& valueName, DWORD extra);
    void ClearFaults();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
