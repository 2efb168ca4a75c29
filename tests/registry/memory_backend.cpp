// The conformance suite against the in-memory registry.
#include "tests/support/memory_registry_api.h"
#include "tests/registry/registry_backend.h"

namespace {

class MemoryRegistryBackend : public RegistryBackend {
public:
    RegistryApi& Api() override { return m_api; }
    int OpenHandleCount() const override { return m_api.OpenHandleCount(); }

private:
    MemoryRegistryApi m_api;
};

}  // namespace

BackendParam MemoryBackend()
{
    return {"Memory", [] { return std::unique_ptr<RegistryBackend>(new MemoryRegistryBackend); }};
}

INSTANTIATE_TEST_SUITE_P(Memory, RegistryConformance, ::testing::Values(MemoryBackend()));
