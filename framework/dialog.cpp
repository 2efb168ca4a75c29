#include "framework/dialog.h"

#include "framework/win_app.h"

namespace {

// The dialog manager calls it from its default processing of each message;
// every message has already been through the object's WindowProc by then.
INT_PTR CALLBACK FrameworkDialogProc(HWND, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG) return FALSE;
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    return dialog ? dialog->OnInitDialog() : TRUE;
}

bool IsInputMessage(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (!dx || !dx->m_pDlgWnd) return;
    HWND hwnd = ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id);
    if (!hwnd || control.m_hWnd == hwnd) return;
    if (control.m_hWnd) control.Detach();
    control.Attach(hwnd);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd) return -1;
    HWND owner = OwnerWindow();
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);

    m_endModal = false;
    m_modalResult = -1;
    HookWindowCreate("#32770");
    HWND hwnd = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_templateId), owner, FrameworkDialogProc,
                                     reinterpret_cast<LPARAM>(this));
    UnhookWindowCreate();
    if (hwnd && !m_hWnd) Attach(hwnd);

    if (m_hWnd && !m_endModal) {
        if (!::IsWindowVisible(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }

    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
    DestroyWindow();
    return m_modalResult;
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    m_endModal = true;
    // Wakes the loop should it be waiting.
    if (m_hWnd) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (!m_endModal && m_hWnd) {
        AfxDeleteTemporaryObjects();
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (!got) {
            // Leave the quit request for the loop outside.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!PreTranslateTree(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// Offers the message to the objects of its window and of the windows above
// it (parents, then owners), up to the application's main window.
BOOL CDialog::PreTranslateTree(MSG* msg)
{
    CWnd* mainWnd = AfxGetMainWnd();
    HWND stop = mainWnd ? mainWnd->m_hWnd : nullptr;
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd && wnd->PreTranslateMessage(msg)) return TRUE;
        if (hwnd == stop) break;
    }
    return FALSE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (CWnd::PreTranslateMessage(msg)) return TRUE;
    if (!m_hWnd || !IsInputMessage(msg->message)) return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
    // Tab, the arrow keys, Enter and Escape.
    return ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::OnCmdMsg(UINT id, UINT code)
{
    if (CWnd::OnCmdMsg(id, code)) return TRUE;
    // Plain commands the dialog leaves alone go on to the application.
    if (code != 0 || id >= 0xF000) return FALSE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(id, code);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx = {saveAndValidate, this};
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

HWND CDialog::OwnerWindow() const
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWnd* mainWnd = AfxGetMainWnd();
        if (mainWnd && mainWnd != this) owner = mainWnd->m_hWnd;
    }
    // A popup cannot be owned by a child window.
    while (owner && (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
    return owner;
}
