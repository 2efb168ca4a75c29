#include "app/system_restart.h"

#include <windows.h>

namespace {

class PlatformRestart : public SystemRestart {
public:
    void RequestReboot() override
    {
        if (IsNtPlatform()) EnableShutdownPrivilege();
        ::ExitWindowsEx(EWX_REBOOT, 0);
    }
};

PlatformRestart g_platformRestart;
SystemRestart* g_restart = &g_platformRestart;

}  // namespace

SystemRestart& CurrentSystemRestart()
{
    return *g_restart;
}

void SetSystemRestart(SystemRestart* restart)
{
    g_restart = restart ? restart : &g_platformRestart;
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
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;

    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    ::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    ::CloseHandle(token);
}
