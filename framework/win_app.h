// CWinApp: the one application object, and the framework's global helpers.
#pragma once

#include <windows.h>

#include <string>

#include "framework/message_map.h"

class CWnd;

#define ID_HELP 0xE146

class CWinApp : public CCmdTarget {
public:
    // A null name lets the framework take the program file's base name.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    // Runs when InitInstance returns FALSE; its result is the exit code.
    virtual int ExitInstance();
    // Does nothing: the program has no help file.
    void OnHelp();

    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    std::string m_appName;
    CWnd* m_pMainWnd = nullptr;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// A message box captioned with the application's name; without an icon in
// type, a question mark for Yes/No boxes and an exclamation mark for OK boxes.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// The framework's entry: sets the application up and runs InitInstance.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
