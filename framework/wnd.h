// CWnd: a framework object over a window handle.
//
// A window the framework creates itself (dialogs, tooltip controls) is
// subclassed from its very first message on: every message goes through
// the object's virtual WindowProc, which first consults the message map and
// then hands the message to the window's original procedure (DefWindowProc,
// Default). Controls bound with DDX_Control are only attached: their object
// names the window, their messages are theirs.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/cstring.h"
#include "framework/message_map.h"

class CMenu;
class CToolTipCtrl;

class CWnd : public CCmdTarget {
public:
    HWND m_hWnd = nullptr;

    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object attached to the window, or a temporary one that lives until
    // the modal loop next waits for a message. NULL for a NULL handle.
    static CWnd* FromHandle(HWND hwnd);
    // The attached object only; NULL when there is none.
    static CWnd* FromHandlePermanent(HWND hwnd);

    BOOL Attach(HWND hwnd);
    HWND Detach();

    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int id) const;
    CMenu* GetSystemMenu(BOOL revert) const;
    void GetWindowText(CString& text) const;
    int GetWindowText(char* buffer, int size) const;
    void SetWindowText(const char* text);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL ShowWindow(int command);
    BOOL DestroyWindow();

    // Switches the automatic tooltips on or off: a tooltip control of the
    // framework's own, made at the first mouse message over the window,
    // that, while the pointer rests on a child window (group boxes
    // included), asks this window for the child's text with TTN_NEEDTEXTA,
    // wParam the child's handle.
    BOOL EnableToolTips(BOOL enable = TRUE);

    // Sees the messages of this window and its children before they are
    // dispatched; TRUE means the message is dealt with.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Every message of a subclassed window, before the message map.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The window's own processing of a message the object leaves alone.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc for the message being handled right now.
    LRESULT Default();
    virtual void PostNcDestroy() {}

    // Creates a window subclassed from its first message on.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menu);
    // Makes the next window of this class that the thread creates this object's.
    void HookWindowCreate(const char* className);
    static void UnhookWindowCreate();

    // Keeps the automatic tooltip in step with the pointer.
    void FilterToolTipMessage(const MSG* msg);

private:
    friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK CreateHookProc(int, WPARAM, LPARAM);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void SubclassCreatedWindow(HWND hwnd);
    void OnFinalDestroy();

    WNDPROC m_superProc = nullptr;
    bool m_autoToolTipsOn = false;
    std::unique_ptr<CToolTipCtrl> m_autoToolTip;
    HWND m_autoToolChild = nullptr;

    DECLARE_MESSAGE_MAP()
};

// Drops the temporary objects of FromHandle; the modal loop calls it
// before it waits for the next message.
void AfxDeleteTemporaryObjects();
