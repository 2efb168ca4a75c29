// The registries the conformance suite runs RegistryAccess against, and the
// fixture that gives each test a fresh one.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "registry/registry_access.h"
#include "registry/registry_api.h"
#include "tests/support/raw_registry.h"
#include "tests/support/stored_forms.h"

// Every test works below this key, under HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE; a backend starts and ends with it gone.
constexpr char kScratch[] = "Software\\QuilvexTest";

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;
    virtual RegistryApi& Api() = 0;
    // Keys open right now, or -1 where the backend cannot tell.
    virtual int OpenHandleCount() const { return -1; }
    // Access bits with which the suite's own reads and writes, past the
    // helper under test, name the system's view (KEY_WOW64_64KEY under WOW64).
    virtual REGSAM RawView() const { return 0; }
};

struct BackendParam {
    const char* name;
    std::unique_ptr<RegistryBackend> (*make)();
};

inline std::ostream& operator<<(std::ostream& out, const BackendParam& param)
{
    return out << param.name;
}

class RegistryConformance : public ::testing::TestWithParam<BackendParam> {
protected:
    void SetUp() override
    {
        backend = GetParam().make();
        registry.reset(new RegistryAccess(backend->Api()));
    }
    void TearDown() override;

    RegistryApi& Api() { return backend->Api(); }
    // kScratch, or a key below it.
    static std::string Path(const std::string& below = "");
    // Reads and writes the registry directly, bypassing RegistryAccess.
    // Put stores exactly the given bytes, terminator or not.
    StoredValue Raw(HKEY root, const std::string& keyPath, const char* valueName)
    {
        return ReadStoredValue(Api(), root, keyPath, valueName, backend->RawView());
    }
    void Put(HKEY root, const std::string& keyPath, const char* valueName, DWORD type, const std::vector<BYTE>& bytes);
    bool HasKey(HKEY root, const std::string& keyPath) { return ::HasKey(Api(), root, keyPath, backend->RawView()); }

    std::unique_ptr<RegistryBackend> backend;
    std::unique_ptr<RegistryAccess> registry;  // over the backend
};
