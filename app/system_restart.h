// Restarting Windows. The program asks through this seam, so that a test can
// watch the request instead of rebooting the machine.
#pragma once

class SystemRestart {
public:
    virtual ~SystemRestart() = default;
    // Asks Windows to reboot and returns at once, whatever Windows answers.
    virtual void RequestReboot() = 0;
};

// The restart the program uses: the real one unless a test put its own in.
SystemRestart& CurrentSystemRestart();
// nullptr puts the real one back.
void SetSystemRestart(SystemRestart* restart);

// True on the NT family of Windows, which guards its shutdown privilege.
bool IsNtPlatform();
// Enables the shutdown privilege in the process's token; failures pass silently.
void EnableShutdownPrivilege();
