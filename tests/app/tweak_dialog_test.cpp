// Wine tests of the main dialog, run in-process on an in-memory registry
// where none of the tweaks is set: the answers to tooltip text requests, the
// restart offer, the change tracking that decides on the offer, the About
// box of the system menu, and the platform calls of the restart (with a
// stand-in for the reboot request) on each platform family.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/system_restart.h"
#include "app/tweak_dialog.h"
#include "help/tooltip_texts.h"
#include "res/resource.h"
#include "settings/tweak_catalogue.h"
#include "tests/support/memory_registry_api.h"
#include "tests/support/stored_forms.h"

namespace {

CWinApp testApp("QuilvexTest");

const char kMainCaption[] = "Quilvex !  v1.1";
const char kQuestion[] = "設定内容を反映する為にはWindowsの再起動が必要です。\r\n今すぐ再起動しますか？";

// Whether this process's token holds the shutdown privilege enabled.
bool ShutdownPrivilegeEnabled()
{
    LUID luid{};
    HANDLE token = nullptr;
    if (!::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid) ||
        !::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    DWORD size = 0;
    ::GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    bool enabled = false;
    if (::GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID& held = privileges->Privileges[i].Luid;
            if (held.LowPart == luid.LowPart && held.HighPart == luid.HighPart)
                enabled = privileges->Privileges[i].Attributes & SE_PRIVILEGE_ENABLED;
        }
    }
    ::CloseHandle(token);
    return enabled;
}

// Stands in for the platform calls of a restart while a dialog runs: the
// program's token opens go through to the system, its reboot requests stay
// here. Each call is recorded, a reboot request with the state of the
// token's shutdown privilege at that moment, since Windows XP refuses the
// reboot without it (Wine does not, so the token is the only witness).
class RecordingRestart {
public:
    // Puts the stand-in in, with the shutdown privilege disabled, so that
    // only this run can enable it.
    void Install()
    {
        HANDLE token = nullptr;
        TOKEN_PRIVILEGES disabled{};
        disabled.PrivilegeCount = 1;
        ::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &disabled.Privileges[0].Luid);
        if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
            ::AdjustTokenPrivileges(token, FALSE, &disabled, 0, nullptr, nullptr);
            ::CloseHandle(token);
        }
        EXPECT_FALSE(ShutdownPrivilegeEnabled()) << "the shutdown privilege cannot be disabled";
        s_current = this;
        static const RestartCalls kCalls = {OpenToken, RecordReboot};
        SetRestartCalls(&kCalls);
    }
    static void Remove()
    {
        SetRestartCalls(nullptr);
        s_current = nullptr;
    }

    int requests = 0;
    std::vector<std::string> calls;

private:
    static BOOL WINAPI OpenToken(HANDLE process, DWORD access, HANDLE* token)
    {
        s_current->calls.push_back("open the token, access " + std::to_string(access));
        return ::OpenProcessToken(process, access, token);
    }
    static BOOL WINAPI RecordReboot(UINT flags, DWORD reason)
    {
        ++s_current->requests;
        s_current->calls.push_back("reboot request, flags " + std::to_string(flags) + ", reason " +
                                   std::to_string(reason) + ", shutdown privilege " +
                                   (ShutdownPrivilegeEnabled() ? "enabled" : "disabled"));
        return TRUE;
    }

    static RecordingRestart* s_current;
};

RecordingRestart* RecordingRestart::s_current = nullptr;

bool IsDialogWindow(HWND hwnd)
{
    char name[64] = "";
    ::GetClassNameA(hwnd, name, sizeof name);
    return std::string(name) == "#32770" && ::IsWindowVisible(hwnd);
}

std::string TextOf(HWND hwnd)
{
    char text[1024] = "";
    ::GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// A visible dialog window of this thread that matches.
HWND FindThreadDialog(const std::function<bool(HWND)>& match)
{
    struct Search {
        const std::function<bool(HWND)>* match;
        HWND found;
    } search = {&match, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            if (!IsDialogWindow(hwnd) || !(*s->match)(hwnd)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND MainDialog()
{
    return FindThreadDialog([](HWND hwnd) { return TextOf(hwnd) == kMainCaption; });
}

HWND Control(int id)
{
    return ::GetDlgItem(MainDialog(), id);
}

void Click(int id)
{
    ::SendMessageA(Control(id), BM_CLICK, 0, 0);
}

// Runs the dialog modally while a thread timer drives it: each tick answers
// the restart question if it shows (recording its text), or else runs the
// next step; a step returns false to be tried again on the next tick. A run
// that has not ended after ten seconds is cancelled and fails.
class DialogRun {
public:
    using Step = std::function<bool()>;

    INT_PTR Run(std::vector<Step> steps, int answer = IDNO)
    {
        s_run = this;
        m_steps = std::move(steps);
        m_answer = answer;
        restart.Install();
        TweakDialog dialog(nullptr, registry);
        testApp.m_pMainWnd = &dialog;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 50, Tick);
        INT_PTR result = dialog.DoModal();
        ::KillTimer(nullptr, timer);
        RecordingRestart::Remove();
        s_run = nullptr;
        EXPECT_LT(m_ticks, kMaxTicks) << "the dialog had to be cancelled";
        return result;
    }

    RecordingRestart restart;
    MemoryRegistryApi registry;
    std::vector<std::string> questions;

private:
    static constexpr int kMaxTicks = 200;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        DialogRun* run = s_run;
        if (!run || !MainDialog()) return;
        if (++run->m_ticks >= kMaxTicks) {
            ::PostMessageA(MainDialog(), WM_COMMAND, IDCANCEL, 0);
            return;
        }
        HWND question = FindThreadDialog([](HWND hwnd) { return TextOf(hwnd) == "QuilvexTest"; });
        if (question) {
            run->questions.push_back(TextOf(::GetDlgItem(question, 0xFFFF)));
            ::PostMessageA(question, WM_COMMAND, run->m_answer, 0);
            return;
        }
        if (run->m_next < run->m_steps.size() && run->m_steps[run->m_next]()) ++run->m_next;
    }

    static DialogRun* s_run;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_answer = IDNO;
    int m_ticks = 0;
};

DialogRun* DialogRun::s_run = nullptr;

DialogRun::Step Post(int command)
{
    return [command] { return ::PostMessageA(MainDialog(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0) != 0; };
}

DialogRun::Step Do(std::function<void()> action)
{
    return [action] {
        action();
        return true;
    };
}

// --- change tracking and the restart offer -----------------------------------------

TEST(RestartOffer, OkWithoutChangeAsksNothing)
{
    DialogRun run;
    BOOL applyEnabled = TRUE;
    EXPECT_EQ(run.Run({Do([&] { applyEnabled = ::IsWindowEnabled(Control(IDC_APPLY)); }), Post(IDOK)}), IDOK);
    // The load pass filled both number fields, yet nothing counts as changed.
    EXPECT_FALSE(applyEnabled);
    EXPECT_TRUE(run.questions.empty());
    EXPECT_EQ(run.restart.requests, 0);
}

TEST(RestartOffer, OkAfterAChangeAsksAndYesRequestsTheRestart)
{
    DialogRun run;
    BOOL applyEnabled = FALSE;
    INT_PTR result = run.Run({Do([&] {
                                  Click(IDC_NTFS_LAST_ACCESS);
                                  applyEnabled = ::IsWindowEnabled(Control(IDC_APPLY));
                              }),
                              Post(IDOK)},
                             IDYES);
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(applyEnabled);
    EXPECT_EQ(run.questions, std::vector<std::string>{kQuestion});
    EXPECT_EQ(run.restart.requests, 1);
}

TEST(RestartOffer, NoEndsTheDialogWithoutRestart)
{
    DialogRun run;
    EXPECT_EQ(run.Run({Do([] { Click(IDC_LARGE_SYSTEM_CACHE); }), Post(IDOK)}, IDNO), IDOK);
    EXPECT_EQ(run.questions.size(), 1u);
    EXPECT_EQ(run.restart.requests, 0);
}

TEST(RestartOffer, CancelAsksOnlyAfterApply)
{
    DialogRun changed;
    EXPECT_EQ(changed.Run({Do([] { Click(IDC_NTFS_8DOT3); }), Post(IDCANCEL)}), IDCANCEL);
    EXPECT_TRUE(changed.questions.empty());

    DialogRun applied;
    BOOL applyEnabledAfterApply = TRUE;
    EXPECT_EQ(applied.Run({Do([] { Click(IDC_NTFS_8DOT3); }), Do([] { Click(IDC_APPLY); }),
                           Do([&] { applyEnabledAfterApply = ::IsWindowEnabled(Control(IDC_APPLY)); }), Post(IDCANCEL)},
                          IDYES),
              IDCANCEL);
    EXPECT_FALSE(applyEnabledAfterApply);
    EXPECT_EQ(applied.questions.size(), 1u);
    EXPECT_EQ(applied.restart.requests, 1);
}

// One change alone in a freshly opened dialog, and whether it counts. The
// registry holds values that open every dependent control enabled and make
// the load pass write texts of its own into both number fields.
struct ChangeCase {
    const char* what;
    int id;
    void (*change)(int id);
    bool counts;
};

void Command(int id, WORD code)
{
    ::SendMessageA(MainDialog(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Control(id)));
}

// A key typed into a field, as its keyboard message arrives there.
void TypeDigit(int id)
{
    ::SendMessageA(Control(id), WM_CHAR, '7', 1);
}

// Every checkbox and option button of the dialog.
const int kCheckboxesAndOptionButtons[] = {
    IDC_NTFS_LAST_ACCESS,
    IDC_NTFS_8DOT3,
    IDC_ALWAYS_UNLOAD_DLL,
    IDC_DESKTOP_PROCESS,
    IDC_LARGE_SYSTEM_CACHE,
    IDC_CLASSIC_SHELL,
    IDC_NO_ACTIVE_DESKTOP,
    IDC_NO_CUSTOMIZE_WEB_VIEW,
    IDC_NO_ACTIVE_DESKTOP_CHANGES,
    IDC_DISABLE_PAGING_EXECUTIVE,
    IDC_LINK,
    IDC_IRQ8_PRIORITY,
    IDC_WIN32_PRIORITY_SEPARATION,
    IDC_IO_PAGE_LOCK_LIMIT,
    IDC_NO_SHARED_DOCUMENTS,
    IDC_USE_SEARCH_ASST,
    IDC_MAX_CACHED_ICONS,
    IDC_NO_RESOLVE_TRACK,
    IDC_HIDE_RECYCLE_BIN,
    IDC_IRQ8_PRIORITY_1,
    IDC_IRQ8_PRIORITY_2,
    IDC_WIN32_PRIORITY_SEPARATION_1,
    IDC_WIN32_PRIORITY_SEPARATION_0,
};

std::vector<ChangeCase> ChangeCases()
{
    std::vector<ChangeCase> cases;
    for (int id : kCheckboxesAndOptionButtons) cases.push_back({"a click on", id, Click, true});
    for (int id : {IDC_IO_PAGE_LOCK_LIMIT_EDIT, IDC_MAX_CACHED_ICONS_EDIT})
        cases.push_back({"a key typed into", id, TypeDigit, true});
    cases.push_back({"the load pass's texts alone", 0, [](int) {}, false});
    cases.push_back(
        {"a click command from", IDC_SHELL_INTEGRATION_GROUP, [](int id) { Command(id, BN_CLICKED); }, false});
    cases.push_back(
        {"a click command from", IDC_MAX_CACHED_ICONS_EDIT, [](int id) { Command(id, BN_CLICKED); }, false});
    cases.push_back({"a double click on", IDC_NTFS_LAST_ACCESS, [](int id) { Command(id, BN_DOUBLECLICKED); }, false});
    // Unchecked silently first: were the double click taken for a click, the
    // options would follow their box.
    cases.push_back({"a double click on", IDC_IRQ8_PRIORITY,
                     [](int id) {
                         ::SendMessageA(Control(id), BM_SETCHECK, BST_UNCHECKED, 0);
                         Command(id, BN_DOUBLECLICKED);
                     },
                     false});
    return cases;
}

void PutTweak(MemoryRegistryApi& registry, TweakId id, DWORD type, const std::vector<BYTE>& data)
{
    const Tweak& tweak = TweakOf(id);
    registry.PutValue(tweak.root, tweak.keyPath, tweak.valueName, type, data);
}

// Which of the dependent controls are enabled, as a string of 0 and 1.
std::string DependentsEnabled()
{
    std::string enabled;
    for (int id : {IDC_IRQ8_PRIORITY_1, IDC_IRQ8_PRIORITY_2, IDC_WIN32_PRIORITY_SEPARATION_1,
                   IDC_WIN32_PRIORITY_SEPARATION_0, IDC_IO_PAGE_LOCK_LIMIT_EDIT, IDC_MAX_CACHED_ICONS_EDIT})
        enabled += ::IsWindowEnabled(Control(id)) ? '1' : '0';
    return enabled;
}

TEST(ChangeTracking, EachUserChangeAloneEnablesApplyAndMakesOkAskAndNothingElseDoes)
{
    for (const ChangeCase& change : ChangeCases()) {
        SCOPED_TRACE(testing::Message() << change.what << " " << change.id);
        DialogRun run;
        PutTweak(run.registry, TweakId::IRQ8Priority, REG_DWORD, Dword(1));
        PutTweak(run.registry, TweakId::IoPageLockLimit, REG_DWORD, Dword(16384));
        PutTweak(run.registry, TweakId::MaxCachedIcons, REG_SZ, StoredText("2048"));
        BOOL applyBefore = TRUE, applyAfter = !change.counts;
        std::string texts, dependentsBefore, dependentsAfter;
        run.Run({Do([&] {
                     applyBefore = ::IsWindowEnabled(Control(IDC_APPLY));
                     texts = TextOf(Control(IDC_IO_PAGE_LOCK_LIMIT_EDIT)) + " " +
                             TextOf(Control(IDC_MAX_CACHED_ICONS_EDIT));
                     dependentsBefore = DependentsEnabled();
                     change.change(change.id);
                     applyAfter = ::IsWindowEnabled(Control(IDC_APPLY));
                     dependentsAfter = DependentsEnabled();
                 }),
                 Post(IDOK)});
        EXPECT_EQ(texts, "16384 2048");
        EXPECT_EQ(dependentsBefore, "111111");
        EXPECT_FALSE(applyBefore);
        EXPECT_EQ(applyAfter, change.counts) << "Apply after the change";
        EXPECT_EQ(run.questions.size(), change.counts ? 1u : 0u) << "restart questions after OK";
        EXPECT_TRUE(change.counts || dependentsAfter == dependentsBefore)
            << "an uncounted change moved the dependents: " << dependentsAfter;
    }
}

// --- tooltip texts -----------------------------------------------------------------

// The text the dialog gives for a TTN_NEEDTEXTA request with this wParam;
// "untouched" when it leaves the request's text pointer alone.
std::string AskForText(WPARAM wParam)
{
    static char untouched[] = "untouched";
    NMTTDISPINFOA info{};
    info.hdr.code = TTN_NEEDTEXTA;
    info.hdr.idFrom = wParam;
    info.lpszText = untouched;
    ::SendMessageA(MainDialog(), WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? info.lpszText : "(null)";
}

WPARAM HandleOf(int id)
{
    return reinterpret_cast<WPARAM>(Control(id));
}

TEST(ToolTipText, RequestsAreAnsweredByControlAndThreeAreRefused)
{
    DialogRun run;
    std::vector<std::string> answers;
    run.Run({Do([&] {
                 for (WPARAM wParam : {HandleOf(IDC_NTFS_LAST_ACCESS), HandleOf(IDC_IO_PAGE_LOCK_LIMIT),
                                       HandleOf(IDC_SHELL_INTEGRATION_GROUP), HandleOf(IDC_LINK),
                                       HandleOf(IDC_MAX_CACHED_ICONS_EDIT), HandleOf(IDC_HIDE_RECYCLE_BIN),
                                       HandleOf(IDOK), HandleOf(IDC_IRQ8_PRIORITY_1), WPARAM(0), WPARAM(0x1234)}) {
                     answers.push_back(AskForText(wParam));
                 }
             }),
             Post(IDCANCEL)});
    EXPECT_EQ(answers, (std::vector<std::string>{BuildTooltipText(IDC_NTFS_LAST_ACCESS),
                                                 BuildTooltipText(IDC_IO_PAGE_LOCK_LIMIT),
                                                 BuildTooltipText(IDC_SHELL_INTEGRATION_GROUP), "untouched",
                                                 "untouched", "untouched", "", "", "", ""}));
}

// The dialog's own tooltip is the one with tools: the automatic one holds at
// most the child under the pointer.
HWND OwnTooltip()
{
    HWND own = nullptr;
    LRESULT most = -1;
    for (HWND tip = ::FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); tip;
         tip = ::FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) {
        const LRESULT tools = ::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
        if (::GetWindow(tip, GW_OWNER) == MainDialog() && tools > most) {
            own = tip;
            most = tools;
        }
    }
    return own;
}

TEST(ToolTipTools, TheSeventeenCheckboxesAreRegisteredByWindowInTheirOrder)
{
    DialogRun run;
    std::vector<int> ids;
    std::vector<UINT> flags;
    run.Run({Do([&] {
                 HWND tip = OwnTooltip();
                 ASSERT_NE(tip, nullptr) << "no tooltip owned by the dialog";
                 const LRESULT count = ::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
                 for (LRESULT i = 0; i < count; ++i) {
                     TOOLINFOA tool{};
                     tool.cbSize = sizeof tool;
                     ASSERT_TRUE(::SendMessageA(tip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)));
                     EXPECT_EQ(tool.hwnd, MainDialog());
                     ids.push_back(::GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId)));
                     flags.push_back(tool.uFlags);
                 }
             }),
             Post(IDCANCEL)});
    EXPECT_EQ(ids, (std::vector<int>{IDC_NTFS_LAST_ACCESS, IDC_MAX_CACHED_ICONS, IDC_NTFS_8DOT3, IDC_IRQ8_PRIORITY,
                                     IDC_WIN32_PRIORITY_SEPARATION, IDC_DESKTOP_PROCESS, IDC_ALWAYS_UNLOAD_DLL,
                                     IDC_LARGE_SYSTEM_CACHE, IDC_DISABLE_PAGING_EXECUTIVE, IDC_IO_PAGE_LOCK_LIMIT,
                                     IDC_NO_CUSTOMIZE_WEB_VIEW, IDC_NO_ACTIVE_DESKTOP, IDC_CLASSIC_SHELL,
                                     IDC_NO_ACTIVE_DESKTOP_CHANGES, IDC_NO_SHARED_DOCUMENTS, IDC_USE_SEARCH_ASST,
                                     IDC_NO_RESOLVE_TRACK}));
    // Named by window, not subclassed: the dialog relays the mouse itself.
    EXPECT_EQ(flags, std::vector<UINT>(17, TTF_IDISHWND));
}

// --- the restart on each platform family -------------------------------------------

// The Windows version Wine was told to report to this program (ctest runs
// this suite's restart cases once per version): its own setting, else the
// prefix's, else none, and Wine reports an NT version.
std::string ConfiguredWindowsVersion()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string exePath = path;
    const std::string exeName = exePath.substr(exePath.find_last_of("\\/") + 1);
    for (const std::string& key : {"Software\\Wine\\AppDefaults\\" + exeName, std::string("Software\\Wine")}) {
        HKEY handle = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) continue;
        char version[64] = "";
        DWORD type = 0, size = sizeof version - 1;
        const LONG status =
            ::RegQueryValueExA(handle, "Version", nullptr, &type, reinterpret_cast<BYTE*>(version), &size);
        ::RegCloseKey(handle);
        if (status == ERROR_SUCCESS && type == REG_SZ) return version;
    }
    return "";
}

TEST(RestartPlatform, YesEnablesThePrivilegeOnlyOnTheNtFamilyThenRequestsOneReboot)
{
    const std::string version = ConfiguredWindowsVersion();
    const bool windows9x = version == "win95" || version == "win98" || version == "winme";
    OSVERSIONINFOA reported{};
    reported.dwOSVersionInfoSize = sizeof reported;
    ASSERT_TRUE(::GetVersionExA(&reported));
    ASSERT_EQ(reported.dwPlatformId, windows9x ? DWORD{VER_PLATFORM_WIN32_WINDOWS} : DWORD{VER_PLATFORM_WIN32_NT})
        << "Wine does not report the family of version \"" << version << "\"";

    DialogRun run;
    run.Run({Do([] { Click(IDC_LARGE_SYSTEM_CACHE); }), Post(IDOK)}, IDYES);
    const std::string reboot = "reboot request, flags 2, reason 0, shutdown privilege ";
    if (windows9x)
        EXPECT_EQ(run.restart.calls, std::vector<std::string>{reboot + "disabled"}) << version;
    else
        EXPECT_EQ(run.restart.calls, (std::vector<std::string>{"open the token, access 40", reboot + "enabled"}))
            << version;
}

// --- system menu and About box -----------------------------------------------------

TEST(AboutBox, SystemMenuEntryOpensItOwnedByTheDialog)
{
    DialogRun run;
    UINT lastId = 0, separatorState = 0;
    std::string entry;
    HWND about = nullptr;
    BOOL mainEnabledMeanwhile = TRUE, mainEnabledAfter = FALSE;
    run.Run({Do([&] {
                 HMENU menu = ::GetSystemMenu(MainDialog(), FALSE);
                 int count = ::GetMenuItemCount(menu);
                 lastId = ::GetMenuItemID(menu, count - 1);
                 separatorState = ::GetMenuState(menu, count - 2, MF_BYPOSITION);
                 char text[256] = "";
                 ::GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
                 entry = text;
                 // The low four bits of a system command are the platform's.
                 ::PostMessageA(MainDialog(), WM_SYSCOMMAND, IDM_ABOUTBOX | 0x7, 0);
             }),
             [&] {
                 about = FindThreadDialog([](HWND hwnd) { return ::GetWindow(hwnd, GW_OWNER) == MainDialog(); });
                 if (!about) return false;
                 mainEnabledMeanwhile = ::IsWindowEnabled(MainDialog());
                 ::PostMessageA(about, WM_COMMAND, IDOK, 0);
                 return true;
             },
             [&] {
                 if (::IsWindow(about)) return false;
                 mainEnabledAfter = ::IsWindowEnabled(MainDialog());
                 return true;
             },
             Post(IDCANCEL)});
    EXPECT_EQ(lastId, static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_TRUE(separatorState & MF_SEPARATOR);
    EXPECT_EQ(entry, "Quilvex ! のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    EXPECT_NE(about, nullptr);
    EXPECT_FALSE(mainEnabledMeanwhile);
    EXPECT_TRUE(mainEnabledAfter);
}

}  // namespace
