// What the settings engine needs of the dialog's controls, keyed by control
// id. The main dialog implements it with its bound controls; tests use a fake.
#pragma once

#include <string>

class ControlPanel {
public:
    virtual ~ControlPanel() = default;

    // 0 unchecked, 1 checked.
    virtual int GetCheck(int id) = 0;
    // Any non-zero state shows the control checked.
    virtual void SetCheck(int id, int state) = 0;
    virtual void EnableControl(int id, bool enable) = 0;
    virtual std::string GetText(int id) = 0;
    virtual void SetText(int id, const std::string& text) = 0;
};
