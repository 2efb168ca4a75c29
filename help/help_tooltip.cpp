#include "help/help_tooltip.h"

BEGIN_MESSAGE_MAP(HelpToolTip, CToolTipCtrl)
END_MESSAGE_MAP()

BOOL HelpToolTip::AddControlTool(CWnd* control, LPSTR text)
{
    CWnd* parent = control ? control->GetParent() : nullptr;

    // No TTF_SUBCLASS: the tooltip sees the mouse only through the relay.
    TOOLINFOA tool = WindowTool(parent ? parent->m_hWnd : nullptr, control ? control->m_hWnd : nullptr, text);
    BOOL added = static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)));

    // Any maximum width makes the tips multi-line, so CR LF pairs break lines.
    SendMessage(TTM_SETMAXTIPWIDTH, 0, 0);
    return added;
}

BOOL HelpToolTip::PreTranslateMessage(MSG* msg)
{
    return CToolTipCtrl::PreTranslateMessage(msg);
}
