// A registry in memory, the registry helper over it and a fake panel, with
// shorthands for seeding and inspecting the catalogue's values.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "registry/registry_access.h"
#include "settings/settings_passes.h"
#include "settings/tweak_catalogue.h"
#include "tests/settings/fake_panel.h"
#include "tests/support/memory_registry_api.h"
#include "tests/support/stored_forms.h"

// Stores a tweak's value where the catalogue keeps it.
inline void PutTweak(MemoryRegistryApi& api, TweakId id, DWORD type, const std::vector<BYTE>& data)
{
    const Tweak& tweak = TweakOf(id);
    api.PutValue(tweak.root, tweak.keyPath, tweak.valueName, type, data);
}

class SettingsTest : public ::testing::Test {
protected:
    void Load()
    {
        LoadSettings(registry, panel);
        EXPECT_EQ(0, api.OpenHandleCount());
    }
    void Save()
    {
        SaveSettings(registry, panel);
        EXPECT_EQ(0, api.OpenHandleCount());
    }

    // The catalogue's checkboxes in the order in which calls of `op` first
    // reached them.
    std::vector<int> CheckboxOrder(const std::string& op)
    {
        std::vector<int> order;
        for (const FakePanel::Call& call : panel.calls) {
            const bool isCheckbox = std::any_of(std::begin(kTweaks), std::end(kTweaks),
                                                [&](const Tweak& tweak) { return tweak.checkboxId == call.id; });
            if (call.op == op && isCheckbox && std::find(order.begin(), order.end(), call.id) == order.end())
                order.push_back(call.id);
        }
        return order;
    }

    int Check(int id) { return panel.controls[id].check; }
    // Fails the test when no pass enabled or disabled the control.
    bool Enabled(int id)
    {
        const std::optional<bool>& enabled = panel.controls[id].enabled;
        EXPECT_TRUE(enabled.has_value()) << "control " << id << " was never enabled or disabled";
        return enabled.value_or(false);
    }
    const std::string& Text(int id) { return panel.controls[id].text; }
    void SetCheck(int id, int state = 1) { panel.controls[id].check = state; }
    void SetText(int id, const std::string& text) { panel.controls[id].text = text; }

    void Put(TweakId id, DWORD type, const std::vector<BYTE>& data) { PutTweak(api, id, type, data); }
    void PutDword(TweakId id, uint32_t value) { Put(id, REG_DWORD, Dword(value)); }
    void PutString(TweakId id, const std::string& text) { Put(id, REG_SZ, StoredText(text)); }

    bool Has(TweakId id)
    {
        const Tweak& tweak = TweakOf(id);
        return api.HasValue(tweak.root, tweak.keyPath, tweak.valueName);
    }
    void ExpectStored(TweakId id, DWORD type, const std::vector<BYTE>& data)
    {
        const Tweak& tweak = TweakOf(id);
        SCOPED_TRACE(tweak.name);
        ASSERT_TRUE(Has(id));
        const MemoryRegistryApi::Value value = api.GetValue(tweak.root, tweak.keyPath, tweak.valueName);
        EXPECT_EQ(type, value.type);
        EXPECT_EQ(data, value.data);
    }

    MemoryRegistryApi api;
    RegistryAccess registry{api};
    FakePanel panel;
};
