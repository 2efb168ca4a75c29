// CDialog: a dialog box from a template, run modally by a loop of its own so
// that PreTranslateMessage sees every message of the dialog and its controls.
#pragma once

#include <windows.h>

#include "framework/wnd.h"

class CDialog;

struct CDataExchange {
    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
};

// Binds the object to the dialog's control with this id (no value exchange).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
public:
    // parent NULL: the dialog is owned by the application's main window, if
    // there is one.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the dialog, disables its owner and runs until EndDialog; the
    // result is EndDialog's, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT id, UINT code) override;

protected:
    virtual void DoDataExchange(CDataExchange* dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // Reached by IDOK and IDCANCEL (so by Enter, Escape and the close box).
    virtual void OnOK();
    virtual void OnCancel();

private:
    HWND OwnerWindow() const;
    void RunModalLoop();
    BOOL PreTranslateTree(MSG* msg);

    UINT m_templateId;
    CWnd* m_pParentWnd;
    bool m_endModal = false;
    INT_PTR m_modalResult = -1;

    DECLARE_MESSAGE_MAP()
};
