// The automatic tooltips: a tooltip control of the framework's own that
// follows the pointer over the window's children and asks the window for
// each child's text.
#include "framework/wnd.h"

#include <commctrl.h>

#include <climits>

#include "framework/controls.h"

namespace {

bool IsMouseMessage(UINT message)
{
    return message == WM_NCMOUSEMOVE || (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK);
}

// Where a mouse message happened, in screen coordinates.
POINT MessagePoint(const MSG* msg)
{
    POINT point = {static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
    if (msg->message != WM_NCMOUSEMOVE) ::ClientToScreen(msg->hwnd, &point);
    return point;
}

// The first visible child of parent, in Z order, whose rectangle holds the
// point, group boxes included (they let the mouse through, so the window
// under the pointer would be the dialog itself); NULL when there is none.
HWND ChildWindowUnderPoint(HWND parent, POINT screenPoint)
{
    POINT point = screenPoint;
    ::ScreenToClient(parent, &point);
    HWND child = ::ChildWindowFromPointEx(parent, point, CWP_SKIPINVISIBLE);
    return child == parent ? nullptr : child;
}

// The automatic tooltip. When its timers check which tool the pointer is
// on, it names the child under the pointer as found above rather than the
// window under the pointer, so that a group box keeps its tip.
class AutoToolTip : public CToolTipCtrl {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == TTM_WINDOWFROMPOINT && lParam) {
            const POINT point = *reinterpret_cast<const POINT*>(lParam);
            HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
            HWND under = ::WindowFromPoint(point);
            if (owner && (under == owner || ::IsChild(owner, under))) {
                if (HWND child = ChildWindowUnderPoint(owner, point)) return reinterpret_cast<LRESULT>(child);
            }
        }
        return CToolTipCtrl::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

BOOL CWnd::EnableToolTips(BOOL enable)
{
    // The tooltip window waits for the first mouse message over this window:
    // none is needed before, and opening a window should not pay for it.
    m_autoToolTipsOn = enable != FALSE;
    if (!enable) {
        m_autoToolTip.reset();
        m_autoToolChild = nullptr;
    }
    return TRUE;
}

void CWnd::FilterToolTipMessage(const MSG* msg)
{
    if (!m_autoToolTipsOn || !m_hWnd || !IsMouseMessage(msg->message)) return;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return;
    if (!m_autoToolTip) {
        auto toolTip = std::make_unique<AutoToolTip>();
        if (!toolTip->Create(this, TTS_ALWAYSTIP)) return;
        // Any maximum width makes the tips multi-line, so CR LF pairs break lines.
        toolTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, SHRT_MAX);
        m_autoToolTip = std::move(toolTip);
    }
    if (!m_autoToolTip->m_hWnd) return;

    const POINT point = MessagePoint(msg);
    HWND child = ChildWindowUnderPoint(m_hWnd, point);
    if (child != m_autoToolChild) {
        if (m_autoToolChild) {
            TOOLINFOA old = CToolTipCtrl::WindowTool(m_hWnd, m_autoToolChild, LPSTR_TEXTCALLBACKA);
            m_autoToolTip->SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&old));
        }
        if (child) {
            TOOLINFOA tool = CToolTipCtrl::WindowTool(m_hWnd, child, LPSTR_TEXTCALLBACKA);
            m_autoToolTip->SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
        m_autoToolChild = child;
    }

    // The tooltip matches a tool by the window a message is for, so the
    // message is handed over as if it were the child's.
    MSG relayed = *msg;
    if (child) {
        POINT inChild = point;
        ::ScreenToClient(child, &inChild);
        relayed.hwnd = child;
        relayed.lParam = MAKELPARAM(inChild.x, inChild.y);
    }
    m_autoToolTip->RelayEvent(&relayed);
}
