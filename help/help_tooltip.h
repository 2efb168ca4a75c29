// HelpToolTip: the main dialog's own tooltip control, with which the tweak
// checkboxes are registered one by one.
#pragma once

#include "framework/controls.h"

class HelpToolTip : public CToolTipCtrl {
public:
    // Registers the control as a tool named by its window handle, its text
    // asked for from the control's parent (every caller passes
    // LPSTR_TEXTCALLBACK). Non-zero when the tooltip took the tool.
    BOOL AddControlTool(CWnd* control, LPSTR text);

    BOOL PreTranslateMessage(MSG* msg) override;

    DECLARE_MESSAGE_MAP()
};
