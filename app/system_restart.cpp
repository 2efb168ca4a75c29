#include "app/system_restart.h"

namespace {

const RestartCalls kSystemCalls = {::OpenProcessToken, ::ExitWindowsEx};
const RestartCalls* g_calls = &kSystemCalls;

}  // namespace

void SetRestartCalls(const RestartCalls* calls)
{
    g_calls = calls ? calls : &kSystemCalls;
}

void RequestReboot()
{
    if (IsNtPlatform()) EnableShutdownPrivilege();
    g_calls->exitWindowsEx(EWX_REBOOT, 0);
}

bool IsNtPlatform()
{
    // Zeroed first: should the call fail, the platform is taken as not NT.
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!g_calls->openProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;

    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    ::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    ::CloseHandle(token);
}
