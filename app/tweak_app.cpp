#include "app/tweak_app.h"

#include "app/tweak_dialog.h"

BEGIN_MESSAGE_MAP(TweakApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

// The one application object; the framework's entry finds it.
TweakApp theApp;

TweakApp::TweakApp() : CWinApp(nullptr) {}

BOOL TweakApp::InitInstance()
{
    ::InitCommonControls();
    TweakDialog dialog(nullptr);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    // No message loop of the application's own: closing the dialog ends it.
    return FALSE;
}
