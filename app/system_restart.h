// Restarting Windows. The program makes the platform calls of a restart
// through this seam, so that a test can watch them instead of rebooting.
#pragma once

#include <windows.h>

// The platform calls of a restart, shaped like the system's own.
struct RestartCalls {
    BOOL(WINAPI* openProcessToken)(HANDLE process, DWORD access, HANDLE* token);
    BOOL(WINAPI* exitWindowsEx)(UINT flags, DWORD reason);
};
// The system's calls unless a test put its own in; nullptr puts them back.
void SetRestartCalls(const RestartCalls* calls);

// The answer Yes to the restart question: enables the shutdown privilege
// where the platform guards it, asks Windows to reboot and returns at once,
// whatever Windows answers.
void RequestReboot();

// True on the NT family of Windows, which guards its shutdown privilege.
bool IsNtPlatform();
// Enables the shutdown privilege in the process's token; failures pass silently.
void EnableShutdownPrivilege();
