#include "app/tweak_dialog.h"

#include <cstring>

#include "app/about_dialog.h"
#include "app/system_restart.h"
#include "help/tooltip_texts.h"
#include "registry/win32_registry_api.h"
#include "res/resource.h"
#include "settings/settings_passes.h"

namespace {

const char kRestartQuestion[] = "設定内容を反映する為にはWindowsの再起動が必要です。\r\n今すぐ再起動しますか？";

// Every checkbox and option button: a click on one is a user change.
bool IsCountedControl(WPARAM id)
{
    return (id >= IDC_NTFS_LAST_ACCESS && id <= IDC_MAX_CACHED_ICONS) || id == IDC_NO_RESOLVE_TRACK ||
           id == IDC_HIDE_RECYCLE_BIN;
}

// A disabled window cannot keep the keyboard focus, and losing it leaves
// the focus nowhere: Enter, Escape and Tab would do nothing. So a control
// that holds the focus first hands it on to the next tab stop, as the dialog
// manager's own Tab does.
void EnableKeepingFocus(CWnd& dialog, CWnd& control, bool enable)
{
    if (!enable && ::GetFocus() == control.m_hWnd) dialog.SendMessage(WM_NEXTDLGCTL, 0, FALSE);
    control.EnableWindow(enable);
}

// A dependent control is usable only while its checkbox is checked.
void FollowCheck(CWnd& dialog, CButton& governing, CWnd& dependent)
{
    EnableKeepingFocus(dialog, dependent, governing.GetCheck() != 0);
}

// The option buttons are groups of their own, so the platform does not
// uncheck the partner; the clicked button decides its partner's state.
void KeepExclusive(CButton& clicked, CButton& partner)
{
    partner.SetCheck(clicked.GetCheck() != 0 ? 0 : 1);
}

}  // namespace

BEGIN_MESSAGE_MAP(TweakDialog, CDialog)
    ON_WM_SYSCOMMAND()
    ON_BN_CLICKED(IDC_APPLY, &TweakDialog::OnApply)
    ON_EN_CHANGE(IDC_MAX_CACHED_ICONS_EDIT, &TweakDialog::OnEditChange)
    ON_EN_CHANGE(IDC_IO_PAGE_LOCK_LIMIT_EDIT, &TweakDialog::OnEditChange)
END_MESSAGE_MAP()

TweakDialog::TweakDialog(CWnd* parent, RegistryApi& registry)
    : CDialog(IDD_QUILVEX_DIALOG, parent), m_registry(registry)
{
}

TweakDialog::~TweakDialog()
{
    if (m_hSmallIcon) ::DestroyIcon(m_hSmallIcon);
}

std::array<TweakDialog::BoundControl, 26> TweakDialog::BoundControls()
{
    return {{
        Bind(IDC_NO_RESOLVE_TRACK, m_checkNoResolveTrack),
        Bind(IDC_IO_PAGE_LOCK_LIMIT_EDIT, m_editIoPageLockLimit),
        Bind(IDC_MAX_CACHED_ICONS_EDIT, m_editMaxCachedIcons),
        Bind(IDC_MAX_CACHED_ICONS, m_checkMaxCachedIcons),
        Bind(IDC_USE_SEARCH_ASST, m_checkUseSearchAsst),
        Bind(IDC_NO_SHARED_DOCUMENTS, m_checkNoSharedDocuments),
        Bind(IDC_IO_PAGE_LOCK_LIMIT, m_checkIoPageLockLimit),
        Bind(IDC_WIN32_PRIORITY_SEPARATION_0, m_optionPrioritySeparation0),
        Bind(IDC_WIN32_PRIORITY_SEPARATION_1, m_optionPrioritySeparation1),
        Bind(IDC_WIN32_PRIORITY_SEPARATION, m_checkPrioritySeparation),
        Bind(IDC_IRQ8_PRIORITY_2, m_optionIrq8Priority2),
        Bind(IDC_IRQ8_PRIORITY_1, m_optionIrq8Priority1),
        Bind(IDC_IRQ8_PRIORITY, m_checkIrq8Priority),
        Bind(IDC_LINK, m_checkLink),
        Bind(IDC_DISABLE_PAGING_EXECUTIVE, m_checkDisablePagingExecutive),
        Bind(IDC_NO_CUSTOMIZE_WEB_VIEW, m_checkNoCustomizeWebView),
        Bind(IDC_NO_ACTIVE_DESKTOP, m_checkNoActiveDesktop),
        Bind(IDC_CLASSIC_SHELL, m_checkClassicShell),
        Bind(IDC_NO_ACTIVE_DESKTOP_CHANGES, m_checkNoActiveDesktopChanges),
        Bind(IDC_LARGE_SYSTEM_CACHE, m_checkLargeSystemCache),
        Bind(IDC_DESKTOP_PROCESS, m_checkDesktopProcess),
        Bind(IDC_ALWAYS_UNLOAD_DLL, m_checkAlwaysUnloadDll),
        Bind(IDC_APPLY, m_buttonApply),
        Bind(IDC_NTFS_8DOT3, m_checkNtfs8dot3),
        Bind(IDC_NTFS_LAST_ACCESS, m_checkNtfsLastAccess),
        Bind(IDC_HIDE_RECYCLE_BIN, m_checkHideRecycleBin),
    }};
}

TweakDialog::BoundControl TweakDialog::FindBound(int id)
{
    for (const BoundControl& control : BoundControls()) {
        if (control.id == id) return control;
    }
    return {id, nullptr, nullptr};
}

void TweakDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    for (const BoundControl& control : BoundControls()) DDX_Control(dx, control.id, *control.window);
}

BOOL TweakDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The About entry at the end of the system menu.
    if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
        CString aboutText;
        aboutText.LoadString(IDS_ABOUTBOX);
        if (!aboutText.IsEmpty()) {
            systemMenu->AppendMenu(MF_SEPARATOR);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutText);
        }
    }

    // The 16x16 image serves as the large and the small icon alike.
    m_hSmallIcon = static_cast<HICON>(
        ::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hSmallIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));

    m_buttonApply.EnableWindow(FALSE);
    m_bApplied = 0;
    m_nChangeCount = 0;

    // The texts the load pass puts into the number fields are no user change.
    m_bLoading = 1;
    LoadSettings();
    m_bLoading = 0;

    EnableToolTips(TRUE);
    SetupToolTips(&m_toolTip, &m_checkNtfsLastAccess);
    CWnd* const helpedControls[] = {
        &m_checkMaxCachedIcons,         &m_checkNtfs8dot3,
        &m_checkIrq8Priority,           &m_checkPrioritySeparation,
        &m_checkDesktopProcess,         &m_checkAlwaysUnloadDll,
        &m_checkLargeSystemCache,       &m_checkDisablePagingExecutive,
        &m_checkIoPageLockLimit,        &m_checkNoCustomizeWebView,
        &m_checkNoActiveDesktop,        &m_checkClassicShell,
        &m_checkNoActiveDesktopChanges, &m_checkNoSharedDocuments,
        &m_checkUseSearchAsst,          &m_checkNoResolveTrack,
    };
    for (CWnd* control : helpedControls) m_toolTip.AddControlTool(control, LPSTR_TEXTCALLBACKA);

    // TRUE: the platform gives the focus to the first tab stop, OK.
    return TRUE;
}

void TweakDialog::LoadSettings()
{
    ::LoadSettings(m_registry, *this);
}

void TweakDialog::SaveSettings()
{
    ::SaveSettings(m_registry, *this);
}

LRESULT TweakDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Clicks carry notification code 0 in the high word, so comparing the
    // whole wParam with a control id catches exactly the clicks.
    if (message == WM_COMMAND) {
        ApplyInterlock(wParam);
        if (IsCountedControl(wParam)) CountChange();
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void TweakDialog::ApplyInterlock(WPARAM wParam)
{
    switch (wParam) {
    case IDC_IRQ8_PRIORITY:
        FollowCheck(*this, m_checkIrq8Priority, m_optionIrq8Priority1);
        FollowCheck(*this, m_checkIrq8Priority, m_optionIrq8Priority2);
        break;
    case IDC_IRQ8_PRIORITY_1:
        KeepExclusive(m_optionIrq8Priority1, m_optionIrq8Priority2);
        break;
    case IDC_IRQ8_PRIORITY_2:
        KeepExclusive(m_optionIrq8Priority2, m_optionIrq8Priority1);
        break;
    case IDC_WIN32_PRIORITY_SEPARATION:
        FollowCheck(*this, m_checkPrioritySeparation, m_optionPrioritySeparation0);
        FollowCheck(*this, m_checkPrioritySeparation, m_optionPrioritySeparation1);
        break;
    case IDC_WIN32_PRIORITY_SEPARATION_1:
        KeepExclusive(m_optionPrioritySeparation1, m_optionPrioritySeparation0);
        break;
    case IDC_IO_PAGE_LOCK_LIMIT:
        FollowCheck(*this, m_checkIoPageLockLimit, m_editIoPageLockLimit);
        break;
    case IDC_WIN32_PRIORITY_SEPARATION_0:
        KeepExclusive(m_optionPrioritySeparation0, m_optionPrioritySeparation1);
        break;
    case IDC_MAX_CACHED_ICONS:
        FollowCheck(*this, m_checkMaxCachedIcons, m_editMaxCachedIcons);
        break;
    }
}

void TweakDialog::CountChange()
{
    ++m_nChangeCount;
    m_buttonApply.EnableWindow(TRUE);
}

void TweakDialog::OnEditChange()
{
    if (m_bLoading) return;
    CountChange();
}

void TweakDialog::OnApply()
{
    m_bApplied = 1;
    SaveSettings();
}

void TweakDialog::OnOK()
{
    SaveSettings();
    if (m_nChangeCount > 0 || m_bApplied) OfferRestart();
    CDialog::OnOK();
}

void TweakDialog::OnCancel()
{
    if (m_bApplied) OfferRestart();
    CDialog::OnCancel();
}

void TweakDialog::OfferRestart()
{
    if (AfxMessageBox(kRestartQuestion, MB_YESNO, 0) != IDYES) return;
    RequestReboot();
}

void TweakDialog::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        AboutDialog about;
        about.DoModal();
    } else {
        Default();
    }
}

void TweakDialog::SetupToolTips(HelpToolTip* toolTip, CWnd* firstControl)
{
    toolTip->Create(this, TTS_ALWAYSTIP);
    toolTip->SetDelayTime(TTDT_AUTOPOP, 30000);
    toolTip->SetDelayTime(TTDT_INITIAL, 1000);
    toolTip->SetDelayTime(TTDT_RESHOW, 1000);
    toolTip->AddControlTool(firstControl, LPSTR_TEXTCALLBACKA);
}

BOOL TweakDialog::PreTranslateMessage(MSG* msg)
{
    m_toolTip.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}

BOOL TweakDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == TTN_NEEDTEXTA) {
        // A tool named by its window carries the window's handle in wParam;
        // anything that is no window counts as control 0.
        CWnd* control = CWnd::FromHandle(reinterpret_cast<HWND>(wParam));
        UINT id = control ? control->GetDlgCtrlID() : 0;
        // These three have no tip of their own: the request ends here.
        if (id == IDC_LINK || id == IDC_MAX_CACHED_ICONS_EDIT || id == IDC_HIDE_RECYCLE_BIN) return TRUE;
        FillTooltipText(id, reinterpret_cast<NMTTDISPINFOA*>(lParam));
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

void TweakDialog::FillTooltipText(UINT id, NMTTDISPINFOA* info)
{
    const std::string text = BuildTooltipText(id);
    const size_t length = text.size() < sizeof m_szTipText ? text.size() : sizeof m_szTipText - 1;
    std::memcpy(m_szTipText, text.data(), length);
    m_szTipText[length] = '\0';
    info->lpszText = m_szTipText;
}

int TweakDialog::GetCheck(int id)
{
    CButton* button = FindBound(id).button;
    return button ? button->GetCheck() : 0;
}

void TweakDialog::SetCheck(int id, int state)
{
    if (CButton* button = FindBound(id).button) button->SetCheck(state);
}

void TweakDialog::EnableControl(int id, bool enable)
{
    if (CWnd* window = FindBound(id).window) EnableKeepingFocus(*this, *window, enable);
}

std::string TweakDialog::GetText(int id)
{
    CString text;
    if (CWnd* window = FindBound(id).window) window->GetWindowText(text);
    return text.str();
}

void TweakDialog::SetText(int id, const std::string& text)
{
    if (CWnd* window = FindBound(id).window) window->SetWindowText(text.c_str());
}
