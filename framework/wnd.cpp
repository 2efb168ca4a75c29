#include "framework/wnd.h"

#include <map>
#include <vector>

#include "framework/controls.h"
#include "framework/win_app.h"

namespace {

std::map<HWND, CWnd*>& PermanentWindows()
{
    static std::map<HWND, CWnd*> windows;
    return windows;
}

std::map<HWND, std::unique_ptr<CWnd>>& TemporaryWindows()
{
    static std::map<HWND, std::unique_ptr<CWnd>> windows;
    return windows;
}

std::map<HMENU, std::unique_ptr<CMenu>>& TemporaryMenus()
{
    static std::map<HMENU, std::unique_ptr<CMenu>> menus;
    return menus;
}

// The message being handled right now, for Default.
struct CurrentMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
CurrentMessage g_currentMessage{};

// The object that the next window of g_classBeingCreated becomes.
CWnd* g_windowBeingCreated = nullptr;
const char* g_classBeingCreated = nullptr;
HHOOK g_createHook = nullptr;

// Class names may carry an assembly version in front ("6.0...!name").
bool IsClass(HWND hwnd, const char* className)
{
    char name[256] = "";
    ::GetClassNameA(hwnd, name, sizeof name);
    const char* base = name;
    for (const char* p = name; *p; ++p) {
        if (*p == '!') base = p + 1;
    }
    return ::lstrcmpiA(base, className) == 0;
}

}  // namespace

LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd) return ::DefWindowProcA(hwnd, message, wParam, lParam);

    const CurrentMessage outer = g_currentMessage;
    g_currentMessage = {hwnd, message, wParam, lParam};
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    g_currentMessage = outer;

    if (message == WM_NCDESTROY) wnd->OnFinalDestroy();
    return result;
}

LRESULT CALLBACK CreateHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_windowBeingCreated) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        if (IsClass(hwnd, g_classBeingCreated)) {
            CWnd* wnd = g_windowBeingCreated;
            g_windowBeingCreated = nullptr;
            wnd->SubclassCreatedWindow(hwnd);
            // Caught: the hook goes at once, so that the window's children
            // (a dialog's controls) and the rest of its creation pass no hook.
            LRESULT result = ::CallNextHookEx(g_createHook, code, wParam, lParam);
            CWnd::UnhookWindowCreate();
            return result;
        }
    }
    return ::CallNextHookEx(g_createHook, code, wParam, lParam);
}

void AfxDeleteTemporaryObjects()
{
    TemporaryWindows().clear();
    TemporaryMenus().clear();
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    if (!menu) return nullptr;
    std::unique_ptr<CMenu>& slot = TemporaryMenus()[menu];
    if (!slot) {
        slot = std::make_unique<CMenu>();
        slot->m_hMenu = menu;
    }
    return slot.get();
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    m_autoToolTip.reset();
    // A window the framework created goes with its object.
    if (m_hWnd && m_superProc && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    if (m_hWnd) Detach();
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd) return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hwnd)) return wnd;
    std::unique_ptr<CWnd>& slot = TemporaryWindows()[hwnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hwnd;
    }
    return slot.get();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    auto found = PermanentWindows().find(hwnd);
    return found == PermanentWindows().end() ? nullptr : found->second;
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd) return FALSE;
    m_hWnd = hwnd;
    PermanentWindows()[hwnd] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    auto found = PermanentWindows().find(hwnd);
    if (found != PermanentWindows().end() && found->second == this) PermanentWindows().erase(found);
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

CWnd* CWnd::GetParent() const
{
    return m_hWnd ? FromHandle(::GetParent(m_hWnd)) : nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    return m_hWnd ? FromHandle(::GetDlgItem(m_hWnd, id)) : nullptr;
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const
{
    return m_hWnd ? CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert)) : nullptr;
}

void CWnd::GetWindowText(CString& text) const
{
    int length = m_hWnd ? ::GetWindowTextLengthA(m_hWnd) : 0;
    std::vector<char> buffer(length + 1);
    int copied = m_hWnd ? ::GetWindowTextA(m_hWnd, buffer.data(), length + 1) : 0;
    text = std::string(buffer.data(), copied > 0 ? copied : 0);
}

int CWnd::GetWindowText(char* buffer, int size) const
{
    return ::GetWindowTextA(m_hWnd, buffer, size);
}

void CWnd::SetWindowText(const char* text)
{
    ::SetWindowTextA(m_hWnd, text);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::ShowWindow(int command)
{
    return ::ShowWindow(m_hWnd, command);
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG* msg)
{
    FilterToolTipMessage(msg);
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) return result;
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) return OnCommand(wParam, lParam);
    if (message == WM_NOTIFY) return OnNotify(wParam, lParam, result);

    const MessageMapEntry* entry = FindEntry(message, 0, 0);
    if (!entry) return FALSE;
    if (entry->signature == HandlerSignature::UintLparam) {
        (this->*entry->uintLparamHandler)(static_cast<UINT>(wParam), lParam);
    } else {
        (this->*entry->handler)();
    }
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*)
{
    // No map here handles notifications: they go on to the window's own
    // processing.
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_superProc) return ::CallWindowProcA(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    if (!m_hWnd || g_currentMessage.hwnd != m_hWnd) return 0;
    return DefWindowProc(g_currentMessage.message, g_currentMessage.wParam, g_currentMessage.lParam);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu)
{
    if (m_hWnd) return FALSE;
    HookWindowCreate(className);
    HWND hwnd = ::CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, menu,
                                  AfxGetInstanceHandle(), nullptr);
    UnhookWindowCreate();
    if (hwnd && !m_hWnd) Attach(hwnd);
    return hwnd != nullptr;
}

void CWnd::HookWindowCreate(const char* className)
{
    g_windowBeingCreated = this;
    g_classBeingCreated = className;
    if (!g_createHook) {
        g_createHook = ::SetWindowsHookExA(WH_CBT, CreateHookProc, nullptr, ::GetCurrentThreadId());
    }
}

void CWnd::UnhookWindowCreate()
{
    if (g_createHook) ::UnhookWindowsHookEx(g_createHook);
    g_createHook = nullptr;
    g_windowBeingCreated = nullptr;
    g_classBeingCreated = nullptr;
}

void CWnd::SubclassCreatedWindow(HWND hwnd)
{
    Attach(hwnd);
    m_superProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWndProc)));
}

void CWnd::OnFinalDestroy()
{
    if (m_superProc) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
        m_superProc = nullptr;
    }
    // The automatic tooltip, an owned popup, is already gone with its owner.
    m_autoToolTip.reset();
    m_autoToolChild = nullptr;
    Detach();
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
    PostNcDestroy();
}
