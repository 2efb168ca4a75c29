// Time and registry traffic of the load and save passes on the in-memory
// registry. Counters per pass: registry calls, calls that open or create
// a key, the most handles open at once (1 means no
// operation ever holds two keys), and handles still open afterwards.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "tests/support/forwarding_registry_api.h"
#include "tests/support/memory_registry_api.h"
#include "registry/registry_access.h"
#include "settings/settings_passes.h"
#include "res/resource.h"
#include "settings/tweak_catalogue.h"
#include "tests/settings/fake_panel.h"

namespace {

// Forwards to the in-memory registry and notes the peak of open handles.
class PeakCountingApi : public ForwardingRegistryApi {
public:
    explicit PeakCountingApi(MemoryRegistryApi& inner) : ForwardingRegistryApi(inner), m_inner(inner) {}

    LONG OpenKeyEx(HKEY root, const char* subKey, DWORD options, REGSAM access, HKEY* result) override
    {
        return Noted(ForwardingRegistryApi::OpenKeyEx(root, subKey, options, access, result));
    }
    LONG CreateKeyEx(HKEY root, const char* subKey, DWORD reserved, const char* keyClass, DWORD options, REGSAM access,
                     HKEY* result, DWORD* disposition) override
    {
        return Noted(
            ForwardingRegistryApi::CreateKeyEx(root, subKey, reserved, keyClass, options, access, result, disposition));
    }

    int peak = 0;

private:
    LONG Noted(LONG status)
    {
        peak = std::max(peak, m_inner.OpenHandleCount());
        return status;
    }
    MemoryRegistryApi& m_inner;
};

// A registry where every tweak is present and set, so that both passes
// take their longest paths.
void SeedTypicalRegistry(MemoryRegistryApi& api)
{
    RegistryAccess registry(api);
    FakePanel panel;
    for (const Tweak& tweak : kTweaks) panel.controls[tweak.checkboxId].check = 1;
    panel.controls[IDC_IRQ8_PRIORITY_2 /* = 2 */].check = 1;
    panel.controls[IDC_WIN32_PRIORITY_SEPARATION_0].check = 1;
    panel.controls[IDC_IO_PAGE_LOCK_LIMIT_EDIT].text = "16384";
    panel.controls[IDC_MAX_CACHED_ICONS_EDIT].text = "2048";
    panel.controls[IDC_LINK].check = 0;
    panel.controls[IDC_HIDE_RECYCLE_BIN].check = 0;
    SaveSettings(registry, panel);
}

template <bool kSave>
void Pass(benchmark::State& state)
{
    MemoryRegistryApi memory;
    SeedTypicalRegistry(memory);
    PeakCountingApi api(memory);
    RegistryAccess registry(api);
    FakePanel loaded;
    LoadSettings(registry, loaded);

    memory.ResetCounters();
    api.peak = 0;
    int passes = 0;
    for (auto _ : state) {
        FakePanel panel = loaded;
        if (kSave)
            SaveSettings(registry, panel);
        else
            LoadSettings(registry, panel);
        ++passes;
    }
    const int opens =
        memory.CallCount(MemoryRegistryApi::Op::OpenKey) + memory.CallCount(MemoryRegistryApi::Op::CreateKey);
    state.counters["calls/pass"] = double(memory.CallCount()) / passes;
    state.counters["open_calls/pass"] = double(opens) / passes;
    state.counters["max_open"] = api.peak;
    state.counters["left_open"] = memory.OpenHandleCount();
}

}  // namespace

BENCHMARK_TEMPLATE(Pass, false)->Name("LoadSettings");
BENCHMARK_TEMPLATE(Pass, true)->Name("SaveSettings");
BENCHMARK_MAIN();
