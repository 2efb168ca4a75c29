// The dialog's controls as a map from control id to state, recording every
// call so tests can check what a pass did and in which order.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "settings/control_panel.h"

class FakePanel : public ControlPanel {
public:
    // A control no pass has touched: neither enabled nor disabled, and a text
    // no pass writes, so that a test of either fails unless a pass set it.
    static constexpr char kUntouchedText[] = "<untouched>";
    struct Control {
        int check = 0;
        std::optional<bool> enabled;
        std::string text = kUntouchedText;
    };
    struct Call {
        std::string op;
        int id;
        bool operator==(const Call& other) const { return op == other.op && id == other.id; }
    };

    int GetCheck(int id) override
    {
        calls.push_back({"GetCheck", id});
        return controls[id].check;
    }
    // Like a two-state button: any non-zero state reads back as 1.
    void SetCheck(int id, int state) override
    {
        calls.push_back({"SetCheck", id});
        controls[id].check = state != 0 ? 1 : 0;
    }
    void EnableControl(int id, bool enable) override
    {
        calls.push_back({enable ? "Enable" : "Disable", id});
        controls[id].enabled = enable;
    }
    std::string GetText(int id) override
    {
        calls.push_back({"GetText", id});
        return controls[id].text;
    }
    void SetText(int id, const std::string& text) override
    {
        calls.push_back({"SetText", id});
        controls[id].text = text;
    }

    std::map<int, Control> controls;
    std::vector<Call> calls;
};
