#include "framework/win_app.h"

#include <mbctype.h>

#include "framework/wnd.h"

namespace {

CWinApp* g_app = nullptr;

// The program file's name without folder and extension, read character by
// character so that a trail byte 0x5C of a code-page-932 name is no separator.
std::string ModuleBaseName(HINSTANCE instance)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(instance, path, MAX_PATH);
    const char* name = path;
    const char* dot = nullptr;
    for (const char* p = path; *p; p = ::CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            name = p + 1;
            dot = nullptr;
        } else if (*p == '.') {
            dot = p;
        }
    }
    return dot ? std::string(name, dot) : std::string(name);
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName)
{
    // The runtime's multibyte string functions follow the system's code page.
    _setmbcp(_MB_CP_ANSI);
    if (appName) m_appName = appName;
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

int AfxMessageBox(const char* text, UINT type, UINT)
{
    if ((type & MB_ICONMASK) == 0) {
        switch (type & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            type |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            type |= MB_ICONQUESTION;
            break;
        }
    }
    CWnd* mainWnd = AfxGetMainWnd();
    HWND owner = mainWnd && mainWnd->m_hWnd ? ::GetLastActivePopup(mainWnd->m_hWnd) : ::GetActiveWindow();
    std::string caption =
        g_app && !g_app->m_appName.empty() ? g_app->m_appName : ModuleBaseName(AfxGetInstanceHandle());
    return ::MessageBoxA(owner, text, caption.c_str(), type);
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->m_hInstance = instance;
    app->m_nCmdShow = showCommand;
    if (app->m_appName.empty()) app->m_appName = ModuleBaseName(instance);

    // An application whose InitInstance returns FALSE is done.
    if (!app->InitInstance()) return app->ExitInstance();

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        AfxDeleteTemporaryObjects();
    }
    return app->ExitInstance();
}
