// RegistryAccess: every registry read and write of the program. Each
// operation opens its key, does one thing and closes the key again; nothing
// is kept between calls. Reads that fail give 0 or ""; writes give 0 only
// when the key can be neither opened nor created.
#pragma once

#include <cstdint>
#include <string>

#include "registry/registry_api.h"

// A value as the registry keeps it (strings in UTF-16): its type and data,
// never passed through the ANSI code page, and the status of reading it:
// ERROR_FILE_NOT_FOUND when the key or the value is not there.
struct RegistryValue {
    LONG status = ERROR_FILE_NOT_FOUND;
    DWORD type = REG_NONE;
    std::string data;

    friend bool operator==(const RegistryValue& a, const RegistryValue& b)
    {
        return a.status == b.status && a.type == b.type && a.data == b.data;
    }
};

class RegistryAccess {
public:
    explicit RegistryAccess(RegistryApi& api);
    virtual ~RegistryAccess();

    // REG_SZ handed over without its terminator (byte count = strlen).
    int SetStringValue(HKEY root, const char* keyPath, const char* valueName, const char* text);
    // REG_SZ, REG_EXPAND_SZ or REG_MULTI_SZ: the bytes up to the first NUL.
    std::string GetStringValue(HKEY root, const char* keyPath, const char* valueName);
    // Up to 4 bytes, least significant first, whatever the type. A null value
    // name reads the key's first value as decimal text.
    int32_t GetDwordValue(HKEY root, const char* keyPath, const char* valueName);
    int SetDwordValue(HKEY root, const char* keyPath, const char* valueName, int32_t value);
    // The first 4 bytes, most significant first, whatever the type.
    int32_t GetBinaryValue(HKEY root, const char* keyPath, const char* valueName);
    int SetBinaryValue(HKEY root, const char* keyPath, const char* valueName, int32_t value);
    int ValueExists(HKEY root, const char* keyPath, const char* valueName);
    int KeyExists(HKEY root, const char* keyPath);
    LONG DeleteKey(HKEY root, const char* keyPath);
    LONG DeleteValue(HKEY root, const char* keyPath, const char* valueName);
    // The value in its stored form, for copying it whole.
    RegistryValue GetStoredValue(HKEY root, const char* keyPath, const char* valueName);
    // Writes a value got from GetStoredValue exactly as it is, so that a read
    // gives back the same, with or without a terminator; 1 or 0 as the other
    // Sets.
    int SetStoredValue(HKEY root, const char* keyPath, const char* valueName, const RegistryValue& value);
    // A handle with full access that the caller closes; null on failure.
    HKEY CreateKey(HKEY root, const char* keyPath);

private:
    HKEY OpenForRead(HKEY root, const char* keyPath, LONG* status = nullptr);
    HKEY OpenForWrite(HKEY root, const char* keyPath);

    int32_t QueryDwordValue(HKEY key, const char* valueName);
    int32_t QueryFirstValueAsNumber(HKEY key);
    int32_t QueryBinaryValue(HKEY key, const char* valueName);
    std::string QueryStringValue(HKEY key, const char* valueName);
    RegistryValue QueryStoredValue(HKEY key, const char* valueName);
    int QueryValueExists(HKEY key, const char* valueName);
    LONG StoreDwordValue(HKEY key, const char* valueName, int32_t value);
    LONG StoreBinaryValue(HKEY key, const char* valueName, int32_t value);
    void StoreStringValue(HKEY key, const char* valueName, const char* text);

    RegistryApi& m_api;
};
