// The control classes: thin objects over the platform's controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "framework/wnd.h"

class CButton : public CWnd {
public:
    // BST_UNCHECKED (0) or BST_CHECKED (1) for two-state buttons.
    int GetCheck() const;
    void SetCheck(int state);
};

class CEdit : public CWnd {};

// A menu named by its handle; the framework's objects never own the menu.
class CMenu {
public:
    HMENU m_hMenu = nullptr;

    // A temporary object for the handle (see CWnd::FromHandle); NULL for NULL.
    static CMenu* FromHandle(HMENU menu);
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr);
};

// The size of every tool record passed to a tooltip: the record without
// lpReserved, which version 5.8 of the common controls (Windows 2000, whatever
// the manifest asks for) takes and version 6 takes alike; 5.8 refuses the
// longer version-6 record.
constexpr UINT kToolInfoSize = offsetof(TOOLINFOA, lpReserved);
// (TTTOOLINFOA_V2_SIZE, which is no constant expression in C++.)
static_assert(kToolInfoSize == 44, "the tool record without lpReserved");

class CToolTipCtrl : public CWnd {
public:
    // Creates the tooltip window: a popup owned by the parent.
    BOOL Create(CWnd* parent, DWORD style = 0);
    void RelayEvent(MSG* msg);
    void SetDelayTime(DWORD duration, int milliseconds);
    // The record of a tool named by its window, whose text the tooltip asks
    // owner for when text is LPSTR_TEXTCALLBACK; kToolInfoSize bytes long.
    static TOOLINFOA WindowTool(HWND owner, HWND window, LPSTR text);

    DECLARE_MESSAGE_MAP()
};
