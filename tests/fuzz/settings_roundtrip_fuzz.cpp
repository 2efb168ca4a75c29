// The whole load pass on a registry whose values hold arbitrary types and
// data, then the save pass, then a second load and save: no crash, no read
// past a buffer, no handle left open, and the second save leaves the
// registry exactly as the first did (saving what was loaded settles after
// one round).
//
// Input: one record per tweak of the catalogue, in catalogue order:
// [presence/type byte][length byte][length bytes of data]. A record whose
// first byte has bit 7 set leaves that value (or key) absent; otherwise its
// low four bits are the value's type. For AlwaysUnloadDLL the record fills
// the key's default value; HideRecycleBin takes two records, one for the
// shown key's caption and one for the hidden key's.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tests/support/memory_registry_api.h"
#include "registry/registry_access.h"
#include "settings/settings_passes.h"
#include "settings/tweak_catalogue.h"
#include "tests/settings/fake_panel.h"

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    // Seeds one value (or leaves it out) from the next record.
    void SeedValue(MemoryRegistryApi& api, HKEY root, const char* keyPath, const char* valueName)
    {
        const uint8_t header = Next();
        const size_t length = Next();
        std::vector<BYTE> bytes;
        for (size_t i = 0; i < length && m_pos < m_size; ++i) bytes.push_back(m_data[m_pos++]);
        if (header & 0x80) return;
        api.PutValue(root, keyPath, valueName, header & 0x0F, bytes);
    }

private:
    uint8_t Next() { return m_pos < m_size ? m_data[m_pos++] : 0x80; }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

void LoadAndSave(MemoryRegistryApi& api, RegistryAccess& registry)
{
    FakePanel panel;
    LoadSettings(registry, panel);
    if (api.OpenHandleCount() != 0) std::abort();
    SaveSettings(registry, panel);
    if (api.OpenHandleCount() != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryRegistryApi api;
    RegistryAccess registry(api);
    Input input(data, size);
    for (const Tweak& tweak : kTweaks) {
        if (&tweak == &TweakOf(TweakId::HideRecycleBin)) {
            input.SeedValue(api, tweak.root, kRecycleBinShownKey, "");
            input.SeedValue(api, tweak.root, kRecycleBinHiddenKey, "");
        } else {
            input.SeedValue(api, tweak.root, tweak.keyPath, tweak.valueName);
        }
    }

    LoadAndSave(api, registry);
    const auto afterFirstRound = api.Snapshot();
    LoadAndSave(api, registry);
    if (api.Snapshot() != afterFirstRound) std::abort();
    return 0;
}
