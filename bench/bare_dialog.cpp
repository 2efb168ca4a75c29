// The smallest dialog program built like Quilvex: the yardstick for
// Quilvex's start-up time. Built twice: with a one-button template, and with
// Quilvex's own main dialog template and manifest.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"

#ifndef BARE_DIALOG_TEMPLATE
#define BARE_DIALOG_TEMPLATE 1
#endif

static INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    DialogBoxParamA(instance, MAKEINTRESOURCEA(BARE_DIALOG_TEMPLATE), nullptr, BareDialogProc, 0);
    return 0;
}
