// Wine tests of the framework: message maps, the modal loop and what it
// hands to PreTranslateMessage and WindowProc, control binding, handle
// objects, ownership, automatic tooltips, string resources and message boxes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/framework.h"
#include "tests/framework/test_ids.h"

namespace {

CWinApp testApp("FrameworkTest");

const UINT WM_RUN_STEP = WM_APP + 1;

// A dialog that records what reaches it and runs the test's steps inside its
// own modal loop: each step is a posted message, posted once the step before
// has run, so it comes after whatever that step posted.
class TestDialog : public CDialog {
public:
    using Step = std::function<void(TestDialog&)>;

    explicit TestDialog(UINT templateId = IDD_TEST) : CDialog(templateId) {}

    void Steps(std::vector<Step> steps) { m_steps = std::move(steps); }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (withToolTips) EnableToolTips(TRUE);
        if (!m_steps.empty()) PostMessage(WM_RUN_STEP, 0);
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_RUN_STEP) {
            m_steps[wParam](*this);
            if (wParam + 1 < m_steps.size()) PostMessage(WM_RUN_STEP, wParam + 1);
            return 0;
        }
        if (message == WM_COMMAND) events.push_back("WindowProc " + std::to_string(LOWORD(wParam)));
        return CDialog::WindowProc(message, wParam, lParam);
    }

    BOOL PreTranslateMessage(MSG* msg) override
    {
        preTranslated.push_back(*msg);
        return CDialog::PreTranslateMessage(msg);
    }

    bool withToolTips = false;
    std::vector<std::string> events;
    std::vector<MSG> preTranslated;
    std::vector<WPARAM> textRequests;
    CButton m_check;
    CEdit m_edit;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, IDC_TEST_CHECK, m_check);
        DDX_Control(dx, IDC_TEST_EDIT, m_edit);
    }
    void OnOK() override
    {
        events.push_back("OnOK");
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        events.push_back("OnCancel");
        CDialog::OnCancel();
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
        if (info->hdr.code == TTN_NEEDTEXTA) {
            textRequests.push_back(wParam);
            info->lpszText = const_cast<char*>("tip of the child");
        }
        return CDialog::OnNotify(wParam, lParam, result);
    }
    void OnCheckClicked() { events.push_back("map: check clicked"); }
    void OnEditChanged() { events.push_back("map: edit changed"); }
    void OnSysCommand(UINT id, LPARAM)
    {
        events.push_back("OnSysCommand " + std::to_string(id));
        Default();
    }

private:
    std::vector<Step> m_steps;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
    ON_WM_SYSCOMMAND()
    ON_BN_CLICKED(IDC_TEST_CHECK, &TestDialog::OnCheckClicked)
    ON_EN_CHANGE(IDC_TEST_EDIT, &TestDialog::OnEditChanged)
END_MESSAGE_MAP()

// --- message maps without windows ---------------------------------------------

class BaseTarget : public CCmdTarget {
public:
    std::vector<std::string> calls;
    void OnBaseTen() { calls.push_back("base 10"); }
    void OnBaseEleven() { calls.push_back("base 11"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseTarget, CCmdTarget)
    ON_COMMAND(10, &BaseTarget::OnBaseTen)
    ON_COMMAND(11, &BaseTarget::OnBaseEleven)
END_MESSAGE_MAP()

class DerivedTarget : public BaseTarget {
public:
    void OnDerivedTen() { calls.push_back("derived 10"); }
    void OnChangeTwenty() { calls.push_back("change 20"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedTarget, BaseTarget)
    ON_COMMAND(10, &DerivedTarget::OnDerivedTen)
    ON_EN_CHANGE(20, &DerivedTarget::OnChangeTwenty)
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntriesComeFirstAndTheRestChainToTheBase)
{
    DerivedTarget target;
    EXPECT_TRUE(target.OnCmdMsg(10, 0));
    EXPECT_TRUE(target.OnCmdMsg(11, 0));
    EXPECT_FALSE(target.OnCmdMsg(12, 0));
    EXPECT_EQ(target.calls, (std::vector<std::string>{"derived 10", "base 11"}));
}

TEST(MessageMap, TheNotificationCodeMustMatch)
{
    DerivedTarget target;
    EXPECT_FALSE(target.OnCmdMsg(20, BN_CLICKED));
    EXPECT_FALSE(target.OnCmdMsg(10, EN_CHANGE));
    EXPECT_TRUE(target.OnCmdMsg(20, EN_CHANGE));
    EXPECT_EQ(target.calls, std::vector<std::string>{"change 20"});
}

// --- the modal loop -------------------------------------------------------------

TEST(Dialog, DoModalRunsUntilEndDialogAndReturnsItsResult)
{
    TestDialog dialog;
    HWND hwnd = nullptr;
    dialog.Steps({[&](TestDialog& self) {
        hwnd = self.m_hWnd;
        self.EndDialog(42);
    }});
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_NE(hwnd, nullptr);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(Dialog, MissingTemplateReturnsMinusOneAtOnce)
{
    TestDialog dialog(999);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(Dialog, TemplateWithoutVisibleStyleIsShown)
{
    TestDialog dialog(IDD_TEST_HIDDEN);
    BOOL visible = FALSE;
    dialog.Steps({[&](TestDialog& self) {
        visible = ::IsWindowVisible(self.m_hWnd);
        self.EndDialog(IDOK);
    }});
    dialog.DoModal();
    EXPECT_TRUE(visible);
}

TEST(Dialog, WindowProcSeesACommandBeforeTheMessageMap)
{
    TestDialog dialog;
    dialog.Steps({
        [](TestDialog& self) { self.PostMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_CHECK, BN_CLICKED)); },
        [](TestDialog& self) { self.PostMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_CHECK, BN_DOUBLECLICKED)); },
        [](TestDialog& self) { self.EndDialog(IDOK); },
    });
    dialog.DoModal();
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"WindowProc 201", "map: check clicked", "WindowProc 201"}));
}

// Runs the dialog with one message posted to its focused control (or to the
// dialog itself) and returns the result.
INT_PTR RunWith(TestDialog& dialog, UINT message, WPARAM wParam, bool toFocus)
{
    dialog.Steps({[=](TestDialog& self) { ::PostMessageA(toFocus ? ::GetFocus() : self.m_hWnd, message, wParam, 0); }});
    return dialog.DoModal();
}

TEST(Dialog, EnterEscapeAndTheCloseBoxReachOnOkAndOnCancel)
{
    TestDialog enter, escape, closeBox;
    EXPECT_EQ(RunWith(enter, WM_KEYDOWN, VK_RETURN, true), IDOK);
    EXPECT_EQ(enter.events, (std::vector<std::string>{"WindowProc 1", "OnOK"}));
    EXPECT_EQ(RunWith(escape, WM_KEYDOWN, VK_ESCAPE, true), IDCANCEL);
    EXPECT_EQ(escape.events, (std::vector<std::string>{"WindowProc 2", "OnCancel"}));
    // The close box: the handler hands SC_CLOSE to the default processing,
    // which turns it into Cancel.
    EXPECT_EQ(RunWith(closeBox, WM_SYSCOMMAND, SC_CLOSE, false), IDCANCEL);
    EXPECT_EQ(closeBox.events,
              (std::vector<std::string>{"OnSysCommand " + std::to_string(SC_CLOSE), "WindowProc 2", "OnCancel"}));
}

TEST(Dialog, PreTranslateMessageSeesTheMessagesOfTheDialogAndItsControls)
{
    TestDialog dialog;
    HWND edit = nullptr, self = nullptr;
    dialog.Steps({
        [&](TestDialog& d) {
            self = d.m_hWnd;
            edit = ::GetDlgItem(d.m_hWnd, IDC_TEST_EDIT);
            ::PostMessageA(edit, WM_APP + 7, 1, 0);
            ::PostMessageA(d.m_hWnd, WM_APP + 7, 2, 0);
        },
        [](TestDialog& d) { d.EndDialog(IDOK); },
    });
    dialog.DoModal();
    std::vector<std::pair<HWND, WPARAM>> seen;
    for (const MSG& msg : dialog.preTranslated) {
        if (msg.message == WM_APP + 7) seen.push_back({msg.hwnd, msg.wParam});
    }
    EXPECT_EQ(seen, (std::vector<std::pair<HWND, WPARAM>>{{edit, 1}, {self, 2}}));
}

TEST(Dialog, DataExchangeBindsTheControlObjects)
{
    TestDialog dialog;
    dialog.Steps({[](TestDialog& d) {
        HWND check = ::GetDlgItem(d.m_hWnd, IDC_TEST_CHECK);
        HWND ok = ::GetDlgItem(d.m_hWnd, IDOK);
        EXPECT_EQ(d.m_check.m_hWnd, check);
        EXPECT_EQ(CWnd::FromHandle(check), &d.m_check);
        EXPECT_EQ(d.m_check.GetParent(), &d);
        EXPECT_EQ(d.m_check.GetDlgCtrlID(), IDC_TEST_CHECK);

        // A window without an object of its own gets a temporary one.
        CWnd* temporary = CWnd::FromHandle(ok);
        ASSERT_NE(temporary, nullptr);
        EXPECT_EQ(temporary->m_hWnd, ok);
        EXPECT_EQ(CWnd::FromHandlePermanent(ok), nullptr);
        EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

        d.m_check.SetCheck(BST_CHECKED);
        EXPECT_EQ(::SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(d.m_check.GetCheck(), BST_CHECKED);

        // Texts of any length, in code page 932.
        const std::string text = std::string(3000, 'x') + "テキスト";
        d.m_edit.SetWindowText(text.c_str());
        CString read;
        d.m_edit.GetWindowText(read);
        EXPECT_EQ(read.str(), text);
        d.EndDialog(IDOK);
    }});
    dialog.DoModal();
    EXPECT_EQ(std::count(dialog.events.begin(), dialog.events.end(), "map: edit changed"), 1);
}

TEST(Dialog, UnparentedDialogIsOwnedByTheMainWindowWhichWaitsDisabled)
{
    TestDialog outer;
    testApp.m_pMainWnd = &outer;
    HWND outerHwnd = nullptr, innerOwner = nullptr;
    BOOL outerEnabledMeanwhile = TRUE, outerEnabledAfter = FALSE;
    outer.Steps({[&](TestDialog& self) {
        outerHwnd = self.m_hWnd;
        TestDialog inner;
        inner.Steps({[&](TestDialog& in) {
            innerOwner = ::GetWindow(in.m_hWnd, GW_OWNER);
            outerEnabledMeanwhile = ::IsWindowEnabled(outerHwnd);
            in.EndDialog(IDOK);
        }});
        inner.DoModal();
        outerEnabledAfter = ::IsWindowEnabled(outerHwnd);
        self.EndDialog(IDOK);
    }});
    outer.DoModal();
    EXPECT_EQ(innerOwner, outerHwnd);
    EXPECT_FALSE(outerEnabledMeanwhile);
    EXPECT_TRUE(outerEnabledAfter);
    // A main window that is gone is no main window any more.
    EXPECT_EQ(testApp.m_pMainWnd, nullptr);
    testApp.m_pMainWnd = nullptr;
}

// --- automatic tooltips ------------------------------------------------------------

HWND OwnedToolTip(HWND owner)
{
    struct Search {
        HWND owner, found;
    } search = {owner, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            char name[64] = "";
            ::GetClassNameA(hwnd, name, sizeof name);
            if (std::string(name).find("tooltips_class32") == std::string::npos ||
                ::GetWindow(hwnd, GW_OWNER) != s->owner)
                return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A mouse move as the platform posts it: for the window under the pointer,
// in that window's client coordinates.
void MoveMouse(TestDialog& dialog, HWND target, POINT screen)
{
    MSG msg{};
    msg.hwnd = target;
    msg.message = WM_MOUSEMOVE;
    msg.pt = screen;
    POINT client = screen;
    ::ScreenToClient(target, &client);
    msg.lParam = MAKELPARAM(client.x, client.y);
    dialog.PreTranslateMessage(&msg);
}

// A point in the upper right part of a control, in screen coordinates.
POINT PointIn(HWND control)
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    return {rect.left + (rect.right - rect.left) * 4 / 5, rect.top + (rect.bottom - rect.top) / 4};
}

TEST(ToolTips, AutomaticToolTipAsksForTheChildUnderThePointerGroupBoxesIncluded)
{
    TestDialog dialog;
    dialog.withToolTips = true;
    dialog.Steps({[](TestDialog& d) {
        // The tooltip's window comes with the first mouse message.
        EXPECT_EQ(OwnedToolTip(d.m_hWnd), nullptr);
        HWND group = ::GetDlgItem(d.m_hWnd, IDC_TEST_GROUP);
        HWND edit = ::GetDlgItem(d.m_hWnd, IDC_TEST_EDIT);

        // Over the empty part of the group box the message is the dialog's:
        // group boxes let the mouse through.
        MoveMouse(d, d.m_hWnd, PointIn(group));
        HWND tip = OwnedToolTip(d.m_hWnd);
        ASSERT_NE(tip, nullptr);
        ASSERT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        ::SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(tool.hwnd, d.m_hWnd);
        EXPECT_EQ(tool.uId, reinterpret_cast<UINT_PTR>(group));
        EXPECT_TRUE(tool.uFlags & TTF_IDISHWND);

        // Its text is asked of the dialog, with the group box's handle.
        char text[80] = "";
        tool.lpszText = text;
        ::SendMessageA(tip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, "tip of the child");
        EXPECT_EQ(d.textRequests, std::vector<WPARAM>{reinterpret_cast<WPARAM>(group)});

        // When the tip's timers check the pointer, the group box is named.
        POINT point = PointIn(group);
        EXPECT_EQ(::SendMessageA(tip, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&point)),
                  reinterpret_cast<LRESULT>(group));

        // Moving on to the edit puts the edit in the group box's place.
        MoveMouse(d, edit, PointIn(edit));
        EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
        ::SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(tool.uId, reinterpret_cast<UINT_PTR>(edit));

        // Over no child at all there is no tool.
        RECT client;
        ::GetClientRect(d.m_hWnd, &client);
        POINT corner = {client.left + 1, client.bottom - 2};
        ::ClientToScreen(d.m_hWnd, &corner);
        MoveMouse(d, d.m_hWnd, corner);
        EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
        d.EndDialog(IDOK);
    }});
    dialog.DoModal();
}

TEST(ToolTips, WithoutEnableToolTipsTheDialogHasNoToolTip)
{
    TestDialog dialog;
    HWND tip = reinterpret_cast<HWND>(1);
    dialog.Steps({[&](TestDialog& d) {
        HWND edit = ::GetDlgItem(d.m_hWnd, IDC_TEST_EDIT);
        MoveMouse(d, edit, PointIn(edit));
        tip = OwnedToolTip(d.m_hWnd);
        d.EndDialog(IDOK);
    }});
    dialog.DoModal();
    EXPECT_EQ(tip, nullptr);
}

// --- strings and message boxes -------------------------------------------------------

TEST(CStringTest, LoadStringReadsResourcesInTheAnsiCodePage)
{
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_TEST));
    EXPECT_EQ(text.str(), "テスト文字列");
    EXPECT_FALSE(text.LoadString(9999));
    EXPECT_TRUE(text.IsEmpty());
}

std::string g_boxCaption;

// Answers the message box of this thread with No once it shows.
void CALLBACK AnswerNo(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = ::GetActiveWindow();
    char name[64] = "";
    ::GetClassNameA(box, name, sizeof name);
    if (!box || std::string(name) != "#32770") return;
    ::KillTimer(nullptr, timer);
    char caption[256] = "";
    ::GetWindowTextA(box, caption, sizeof caption);
    g_boxCaption = caption;
    ::PostMessageA(box, WM_COMMAND, IDNO, 0);
}

TEST(MessageBox, IsCaptionedWithTheApplicationNameAndReturnsTheAnswer)
{
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, AnswerNo);
    int answer = AfxMessageBox("質問ですか？", MB_YESNO);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(g_boxCaption, "FrameworkTest");
}

}  // namespace
