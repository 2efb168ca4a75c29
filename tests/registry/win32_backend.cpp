// The conformance suite against the platform's registry (Wine's, in the
// test runs), in scratch keys that are removed before and after each test.
#include "registry/win32_registry_api.h"
#include "tests/registry/registry_backend.h"

#include <shlwapi.h>

namespace {

class Win32RegistryBackend : public RegistryBackend {
public:
    Win32RegistryBackend() { RemoveScratchKeys(); }
    ~Win32RegistryBackend() override { RemoveScratchKeys(); }
    RegistryApi& Api() override { return m_api; }

private:
    static void RemoveScratchKeys()
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kScratch);
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kScratch);
    }

    Win32RegistryApi m_api;
};

}  // namespace

BackendParam Win32Backend()
{
    return {"Win32", [] { return std::unique_ptr<RegistryBackend>(new Win32RegistryBackend); }};
}

INSTANTIATE_TEST_SUITE_P(Win32, RegistryConformance, ::testing::Values(Win32Backend()));
