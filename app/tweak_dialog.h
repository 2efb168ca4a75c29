// TweakDialog: the main dialog. Each tweak is a checkbox, some with dependent
// option buttons or number fields; the dialog reads the registry into the
// controls when it opens and writes them back on Apply and OK.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "framework/framework.h"
#include "help/help_tooltip.h"
#include "registry/registry_access.h"
#include "registry/win32_registry_api.h"
#include "settings/control_panel.h"

class TweakDialog : public CDialog, public ControlPanel {
public:
    // The registry is the platform's unless a test hands in its own.
    explicit TweakDialog(CWnd* parent = nullptr, RegistryApi& registry = PlatformRegistry());
    ~TweakDialog() override;

    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    // ControlPanel: the settings passes reach the controls through the
    // bound objects, by control id.
    int GetCheck(int id) override;
    void SetCheck(int id, int state) override;
    void EnableControl(int id, bool enable) override;
    std::string GetText(int id) override;
    void SetText(int id, const std::string& text) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnApply();
    void OnEditChange();

private:
    struct BoundControl {
        int id;
        CWnd* window;
        CButton* button;  // null for the number fields
    };
    static BoundControl Bind(int id, CButton& button) { return {id, &button, &button}; }
    static BoundControl Bind(int id, CEdit& edit) { return {id, &edit, nullptr}; }
    // Every bound control, in the order of the members (and of binding).
    std::array<BoundControl, 26> BoundControls();
    // The control with this id; null pointers when none is bound.
    BoundControl FindBound(int id);

    void LoadSettings();
    void SaveSettings();
    void ApplyInterlock(WPARAM wParam);
    void CountChange();
    void OfferRestart();
    void SetupToolTips(HelpToolTip* toolTip, CWnd* firstControl);
    void FillTooltipText(UINT id, NMTTDISPINFOA* info);

    CButton m_checkNoResolveTrack;          // 1024
    CEdit m_editIoPageLockLimit;            // 1018
    CEdit m_editMaxCachedIcons;             // 1022
    CButton m_checkMaxCachedIcons;          // 1021
    CButton m_checkUseSearchAsst;           // 1020
    CButton m_checkNoSharedDocuments;       // 1019
    CButton m_checkIoPageLockLimit;         // 1016
    CButton m_optionPrioritySeparation0;    // 1017
    CButton m_optionPrioritySeparation1;    // 1015
    CButton m_checkPrioritySeparation;      // 1014
    CButton m_optionIrq8Priority2;          // 1013
    CButton m_optionIrq8Priority1;          // 1012
    CButton m_checkIrq8Priority;            // 1011
    CButton m_checkLink;                    // 1010
    CButton m_checkDisablePagingExecutive;  // 1009
    CButton m_checkNoCustomizeWebView;      // 1007
    CButton m_checkNoActiveDesktop;         // 1006
    CButton m_checkClassicShell;            // 1005
    CButton m_checkNoActiveDesktopChanges;  // 1008
    CButton m_checkLargeSystemCache;        // 1004
    CButton m_checkDesktopProcess;          // 1003
    CButton m_checkAlwaysUnloadDll;         // 1002
    CButton m_buttonApply;                  // 3
    CButton m_checkNtfs8dot3;               // 1001
    CButton m_checkNtfsLastAccess;          // 1000
    HICON m_hSmallIcon = nullptr;
    RegistryAccess m_registry;
    BOOL m_bApplied = 0;
    int m_nChangeCount = 0;
    BOOL m_bLoading = 0;
    HelpToolTip m_toolTip;
    CButton m_checkHideRecycleBin;  // 1026
    char m_szTipText[2000];

    DECLARE_MESSAGE_MAP()
};
