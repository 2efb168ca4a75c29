#include "tests/e2e/quilvex_process.h"

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/wait.h"

const char kDialogCaption[] = "Quilvex !  v1.1";
const char kAboutCaption[] = "Quilvexのﾊﾞｰｼﾞｮﾝ情報";
const char kRestartQuestion[] = "設定内容を反映する為にはWindowsの再起動が必要です。\r\n今すぐ再起動しますか？";
const char kRestartCaption[] = "Quilvex";

std::string QuilvexProcess::s_exePath;

namespace {

// Wine's edit control takes about 10 s to take in 100 KB of digits on an
// idle machine, and over 30 s on a busy one: this bounds a hang, it is no
// speed target.
const DWORD kLongTextTimeoutMs = 120000;

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId) search->windows.push_back(window);
    return TRUE;
}

// A top-level window's caption, read from the system's copy without a
// message: a window found by enumeration may close before it is read (a
// menu, a tip), and then it simply has no caption.
std::string CaptionOf(HWND window)
{
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    return caption;
}

}  // namespace

QuilvexProcess::~QuilvexProcess()
{
    Kill();
    if (m_process.hProcess) CloseHandle(m_process.hProcess);
    if (m_process.hThread) CloseHandle(m_process.hThread);
}

bool QuilvexProcess::Start()
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + s_exePath + "\"";
    if (!CreateProcessA(s_exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &m_process)) {
        ADD_FAILURE() << "cannot start " << s_exePath << " (error " << GetLastError() << ")";
        return false;
    }
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows())
                if (IsWindowVisible(window) && CaptionOf(window) == kDialogCaption) m_dialog = window;
            return m_dialog != nullptr || !Running();
        },
        15000);
    if (!m_dialog) ADD_FAILURE() << "the main dialog did not show within 15 s";
    return m_dialog != nullptr;
}

int QuilvexProcess::Check(int id) const
{
    return static_cast<int>(Send(Item(id), BM_GETCHECK, 0, 0));
}

void QuilvexProcess::Click(int id)
{
    ASSERT_NE(Item(id), nullptr) << "no control " << id;
    Send(Item(id), BM_CLICK, 0, 0, kLongTextTimeoutMs);  // Apply may save 100 KB
}

void QuilvexProcess::Command(int id, WORD code)
{
    Send(m_dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
}

void QuilvexProcess::SetText(int id, const std::string& text)
{
    Send(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), kLongTextTimeoutMs);
}

void QuilvexProcess::Type(int id, const std::string& text)
{
    LRESULT end = Send(Item(id), WM_GETTEXTLENGTH, 0, 0);
    Send(Item(id), EM_SETSEL, end, end);
    Send(Item(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()), kLongTextTimeoutMs);
}

void QuilvexProcess::PostButton(int id)
{
    Post(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
}

void QuilvexProcess::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    EXPECT_TRUE(PostMessageA(m_dialog, message, wParam, lParam));
}

HWND QuilvexProcess::Focus() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(m_process.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

HWND QuilvexProcess::WaitForWindow(const char* caption, DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows())
                if (window != m_dialog && IsWindowVisible(window) && CaptionOf(window) == caption) found = window;
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

std::vector<HWND> QuilvexProcess::TopLevelWindows() const
{
    WindowSearch search{m_process.dwProcessId, {}};
    if (m_process.hProcess) EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

bool QuilvexProcess::Running() const
{
    return m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool QuilvexProcess::WaitForExit(DWORD timeoutMs) const
{
    return m_process.hProcess && WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD QuilvexProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

bool QuilvexProcess::Kill()
{
    if (!Running()) return false;
    TerminateProcess(m_process.hProcess, 0xDEAD);
    WaitForExit(5000);
    return true;
}

LRESULT QuilvexProcess::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result))
        ADD_FAILURE() << "message 0x" << std::hex << message << " to window " << window << " got no answer (error "
                      << std::dec << GetLastError() << ")";
    return static_cast<LRESULT>(result);
}

std::string QuilvexProcess::TextOf(HWND window)
{
    LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0, kLongTextTimeoutMs);
    std::string text(length + 1, '\0');
    LRESULT copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), kLongTextTimeoutMs);
    text.resize(copied);
    return text;
}

std::string QuilvexProcess::ClassOf(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<ControlState> ControlStates(const QuilvexProcess& quilvex)
{
    static const int kIds[] = {IDC_APPLY,
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
                               IDC_IRQ8_PRIORITY_1,
                               IDC_IRQ8_PRIORITY_2,
                               IDC_WIN32_PRIORITY_SEPARATION,
                               IDC_WIN32_PRIORITY_SEPARATION_1,
                               IDC_IO_PAGE_LOCK_LIMIT,
                               IDC_WIN32_PRIORITY_SEPARATION_0,
                               IDC_IO_PAGE_LOCK_LIMIT_EDIT,
                               IDC_NO_SHARED_DOCUMENTS,
                               IDC_USE_SEARCH_ASST,
                               IDC_MAX_CACHED_ICONS,
                               IDC_MAX_CACHED_ICONS_EDIT,
                               IDC_NO_RESOLVE_TRACK,
                               IDC_HIDE_RECYCLE_BIN};
    std::vector<ControlState> states;
    for (int id : kIds) states.push_back({id, quilvex.Check(id), quilvex.Enabled(id), quilvex.Text(id)});
    return states;
}

void PrintTo(const ControlState& state, std::ostream* out)
{
    *out << "{" << state.id << ": check " << state.check << (state.enabled ? ", enabled" : ", disabled") << ", \""
         << state.text << "\"}";
}
