#include "framework/controls.h"

#include "framework/win_app.h"

int CButton::GetCheck() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int state)
{
    ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text)
{
    return ::AppendMenuA(m_hMenu, flags, id, text);
}

BEGIN_MESSAGE_MAP(CToolTipCtrl, CWnd)
END_MESSAGE_MAP()

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, nullptr);
}

void CToolTipCtrl::RelayEvent(MSG* msg)
{
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

TOOLINFOA CToolTipCtrl::WindowTool(HWND owner, HWND window, LPSTR text)
{
    TOOLINFOA tool{};
    tool.cbSize = kToolInfoSize;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.hinst = AfxGetInstanceHandle();
    tool.lpszText = text;
    return tool;
}

void CToolTipCtrl::SetDelayTime(DWORD duration, int milliseconds)
{
    SendMessage(TTM_SETDELAYTIME, duration, MAKELPARAM(milliseconds, 0));
}
