// The floor of Quilvex's start-up: a plain dialog program, no framework, that
// shows Quilvex's template and manifest and makes in WM_INITDIALOG the system
// calls Quilvex's opening makes: the About entry of the system menu, the
// small icon, Apply disabled, the load pass over the real registry (the
// program's own pass, through RegistryAccess, over the controls' handles),
// and the tooltip control with its seventeen tools. What Quilvex takes
// beyond this program is what its framework and its own code add.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>

#include "registry/registry_access.h"
#include "registry/win32_registry_api.h"
#include "res/resource.h"
#include "settings/settings_passes.h"

namespace {

// The dialog's controls by id, each handle looked up once, as Quilvex binds
// its controls once (under Wine every lookup asks the Wine server); and the
// load pass's view of them.
class DialogControls : public ControlPanel {
public:
    explicit DialogControls(HWND dialog) : m_dialog(dialog) {}

    HWND Control(int id)
    {
        for (int i = 0; i < m_count; ++i) {
            if (m_found[i].id == id) return m_found[i].hwnd;
        }
        const HWND hwnd = GetDlgItem(m_dialog, id);
        if (m_count < kMaxControls) m_found[m_count++] = {id, hwnd};
        return hwnd;
    }

    int GetCheck(int id) override { return static_cast<int>(SendMessageA(Control(id), BM_GETCHECK, 0, 0)); }
    void SetCheck(int id, int state) override { SendMessageA(Control(id), BM_SETCHECK, state, 0); }
    void EnableControl(int id, bool enable) override
    {
        // As Quilvex does: a control losing its enabled state hands the focus on.
        const HWND control = Control(id);
        if (!enable && GetFocus() == control) SendMessageA(m_dialog, WM_NEXTDLGCTL, 0, FALSE);
        EnableWindow(control, enable);
    }
    std::string GetText(int id) override
    {
        char text[256] = "";
        GetWindowTextA(Control(id), text, sizeof text);
        return text;
    }
    void SetText(int id, const std::string& text) override { SetWindowTextA(Control(id), text.c_str()); }

private:
    struct Found {
        int id;
        HWND hwnd;
    };
    static constexpr int kMaxControls = 32;
    HWND m_dialog;
    Found m_found[kMaxControls] = {};
    int m_count = 0;
};

void AddAboutEntry(HWND dialog)
{
    HMENU systemMenu = GetSystemMenu(dialog, FALSE);
    char aboutText[256] = "";
    if (systemMenu && LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, aboutText, sizeof aboutText) > 0) {
        AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutText);
    }
}

HICON SetSmallIcon(HWND dialog)
{
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    return icon;
}

// Quilvex's tooltip control: the same style, delays, tool records (the size
// without lpReserved, tools named by window, text asked of the dialog) and
// maximum width after each tool, the tools in Quilvex's order.
void CreateHelpToolTip(HWND dialog, DialogControls& controls)
{
    HWND toolTip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(toolTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(30000, 0));
    SendMessageA(toolTip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(1000, 0));
    SendMessageA(toolTip, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(1000, 0));
    const int helpedControls[] = {
        IDC_NTFS_LAST_ACCESS,   IDC_MAX_CACHED_ICONS,          IDC_NTFS_8DOT3,
        IDC_IRQ8_PRIORITY,      IDC_WIN32_PRIORITY_SEPARATION, IDC_DESKTOP_PROCESS,
        IDC_ALWAYS_UNLOAD_DLL,  IDC_LARGE_SYSTEM_CACHE,        IDC_DISABLE_PAGING_EXECUTIVE,
        IDC_IO_PAGE_LOCK_LIMIT, IDC_NO_CUSTOMIZE_WEB_VIEW,     IDC_NO_ACTIVE_DESKTOP,
        IDC_CLASSIC_SHELL,      IDC_NO_ACTIVE_DESKTOP_CHANGES, IDC_NO_SHARED_DOCUMENTS,
        IDC_USE_SEARCH_ASST,    IDC_NO_RESOLVE_TRACK,
    };
    for (int id : helpedControls) {
        TOOLINFOA tool{};
        tool.cbSize = offsetof(TOOLINFOA, lpReserved);
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(controls.Control(id));
        tool.hinst = GetModuleHandleA(nullptr);
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageA(toolTip, TTM_SETMAXTIPWIDTH, 0, 0);
    }
}

HICON g_icon = nullptr;

INT_PTR CALLBACK FloorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        AddAboutEntry(dialog);
        g_icon = SetSmallIcon(dialog);
        DialogControls controls(dialog);
        EnableWindow(controls.Control(IDC_APPLY), FALSE);
        RegistryAccess registry(PlatformRegistry());
        LoadSettings(registry, controls);
        CreateHelpToolTip(dialog, controls);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_QUILVEX_DIALOG), nullptr, FloorDialogProc, 0);
    if (g_icon) DestroyIcon(g_icon);
    return 0;
}
