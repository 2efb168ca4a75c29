#include "tests/e2e/end_session_watcher.h"

#include <tlhelp32.h>
#include <winternl.h>

#include "tests/e2e/wait.h"

namespace {

// The command line of another process, read from its process parameters.
std::string CommandLineOf(HANDLE process)
{
    using QueryInformation = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0) return "";
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, &read) ||
        !ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, &read))
        return "";
    std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (!wide.empty() &&
        !ReadProcessMemory(process, parameters.CommandLine.Buffer, &wide[0], parameters.CommandLine.Length, &read))
        return "";
    return std::string(wide.begin(), wide.end());  // the command line is plain ASCII
}

// The whole content of a Unix file, read through Wine's drive Z: (the Unix root).
std::string UnixFile(const std::string& path)
{
    std::string dosPath = "Z:" + path;
    for (char& c : dosPath)
        if (c == '/') c = '\\';
    HANDLE file = CreateFileA(dosPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
    CloseHandle(file);
    return content;
}

bool IsSessionEndRequest(const std::string& commandLine)
{
    return commandLine.find("--end-session") != std::string::npos || commandLine.find("--kill") != std::string::npos;
}

// In a 64-bit prefix the wineboot that ExitWindowsEx starts is a 64-bit
// process, and Wine shows a 32-bit caller no PEB of a 64-bit process, so its
// command line cannot be read as above. Wine also gives a program's Unix
// process the program's command line as its own, so the request is read
// there instead: from the one session-ending wineboot among the Unix
// processes of this prefix. Empty when there is not exactly one.
std::string UnixCommandLineOfSessionEnd()
{
    char prefix[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    if (length == 0 || length >= sizeof prefix) return "";
    const std::string ownPrefix = std::string("WINEPREFIX=") + prefix + '\0';
    std::string request;
    int found = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return "";
    do {
        const std::string pid = entry.cFileName;
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        std::string commandLine = UnixFile("/proc/" + pid + "/cmdline");
        for (char& c : commandLine)
            if (c == '\0') c = ' ';
        commandLine.erase(commandLine.find_last_not_of(' ') + 1);
        const std::string program = commandLine.substr(0, commandLine.find(' '));
        const std::string exeName = "\\wineboot.exe";
        if (program.size() < exeName.size() ||
            lstrcmpiA(program.c_str() + program.size() - exeName.size(), exeName.c_str()) != 0 ||
            !IsSessionEndRequest(commandLine))
            continue;
        if (('\0' + UnixFile("/proc/" + pid + "/environ")).find('\0' + ownPrefix) == std::string::npos) continue;
        request = commandLine;
        ++found;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found == 1 ? request : "";
}

// A 64-bit process, seen from this 32-bit one running under WOW64.
bool IsNativeProcessUnderWow64(HANDLE process)
{
    BOOL selfWow64 = FALSE, otherWow64 = TRUE;
    return IsWow64Process(GetCurrentProcess(), &selfWow64) && selfWow64 && IsWow64Process(process, &otherWow64) &&
           !otherWow64;
}

const char kWatcherClass[] = "QuilvexE2eEndSessionWatcher";

// Calls visit with each running wineboot, opened with access, and its
// command line ("" when it cannot be read). visit returns whether it keeps
// the handle; every other handle is closed.
template <typename Visit>
void ForEachWineboot(DWORD access, Visit visit)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "wineboot.exe") != 0) continue;
        HANDLE process = OpenProcess(access, FALSE, entry.th32ProcessID);
        if (!process) continue;  // already gone
        if (!visit(process, CommandLineOf(process))) CloseHandle(process);
    }
    CloseHandle(snapshot);
}

// Whether a wineboot that asks for a session end (or whose command line
// cannot be read) is running.
bool RequestInFlight()
{
    bool found = false;
    ForEachWineboot(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, [&](HANDLE, const std::string& commandLine) {
        found = found || commandLine.empty() || IsSessionEndRequest(commandLine);
        return false;
    });
    return found;
}

}  // namespace

EndSessionWatcher& RestartWatcher()
{
    static EndSessionWatcher watcher;
    return watcher;
}

bool EndSessionWatcher::Start()
{
    InitializeCriticalSection(&m_lock);
    m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
    if (!thread) return false;
    CloseHandle(thread);
    return WaitForSingleObject(m_ready, 5000) == WAIT_OBJECT_0;
}

DWORD WINAPI EndSessionWatcher::ThreadMain(void* self)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWatcherClass;
    RegisterClassA(&windowClass);
    // Top-level (no parent, not message-only): wineboot asks only those.
    HWND window =
        CreateWindowExA(0, kWatcherClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, windowClass.hInstance, self);
    auto* watcher = static_cast<EndSessionWatcher*>(self);
    if (window) SetEvent(watcher->m_ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}

LRESULT CALLBACK EndSessionWatcher::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    if (message == WM_QUERYENDSESSION) {
        reinterpret_cast<EndSessionWatcher*>(GetWindowLongPtrA(window, GWLP_USERDATA))->OnQuery();
        return FALSE;  // veto: nothing ends
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void EndSessionWatcher::OnQuery()
{
    // The sender waits for this answer, so its process is still there.
    std::string request;
    HANDLE requester = nullptr;
    const DWORD access = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE;
    ForEachWineboot(access, [&](HANDLE process, std::string commandLine) {
        if (commandLine.empty() && IsNativeProcessUnderWow64(process)) commandLine = UnixCommandLineOfSessionEnd();
        if (!IsSessionEndRequest(commandLine)) return false;
        request = commandLine;
        if (requester) CloseHandle(requester);
        requester = process;
        return true;
    });

    EnterCriticalSection(&m_lock);
    ++m_queries;
    m_lastRequest = request;
    if (m_requester) CloseHandle(m_requester);
    m_requester = requester;
    LeaveCriticalSection(&m_lock);
}

void EndSessionWatcher::Reset()
{
    EnterCriticalSection(&m_lock);
    m_queries = 0;
    m_lastRequest.clear();
    if (m_requester) CloseHandle(m_requester);
    m_requester = nullptr;
    LeaveCriticalSection(&m_lock);
}

int EndSessionWatcher::QueryCount() const
{
    EnterCriticalSection(&m_lock);
    int count = m_queries;
    LeaveCriticalSection(&m_lock);
    return count;
}

std::string EndSessionWatcher::LastRequest() const
{
    EnterCriticalSection(&m_lock);
    std::string request = m_lastRequest;
    LeaveCriticalSection(&m_lock);
    return request;
}

bool EndSessionWatcher::WaitForQuery(DWORD timeoutMs) const
{
    return WaitUntil([&] { return QueryCount() > 0; }, timeoutMs);
}

bool EndSessionWatcher::WaitForRequesterExit(DWORD timeoutMs) const
{
    EnterCriticalSection(&m_lock);
    HANDLE requester = nullptr;
    if (m_requester)
        DuplicateHandle(GetCurrentProcess(), m_requester, GetCurrentProcess(), &requester, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
    LeaveCriticalSection(&m_lock);
    if (!requester) return true;
    bool ended = WaitForSingleObject(requester, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(requester);
    return ended;
}

bool EndSessionWatcher::WaitForNoRequestInFlight(DWORD timeoutMs)
{
    return WaitUntil([] { return !RequestInFlight(); }, timeoutMs);
}
