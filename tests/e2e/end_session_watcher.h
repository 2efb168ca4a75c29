// Observes Quilvex's restart request without letting it happen.
//
// Under Wine, ExitWindowsEx starts "wineboot --end-session" (plus
// "--shutdown" when no reboot is asked for, "--kill" with EWX_FORCE), which
// asks every top-level window with WM_QUERYENDSESSION, process by process.
// The watcher is a hidden top-level window of the test driver on a thread of
// its own: it records each query with the command line of the wineboot that
// sent it and answers FALSE, which vetoes the session end, so the prefix, its
// desktop and the driver carry on.
#pragma once

#include <windows.h>

#include <string>

class EndSessionWatcher {
public:
    // Creates the window; false when it could not be made in time.
    bool Start();

    // Forgets what was seen so far.
    void Reset();
    int QueryCount() const;
    // The command line of the wineboot that sent the last query.
    std::string LastRequest() const;

    // True when a query arrives within timeoutMs.
    bool WaitForQuery(DWORD timeoutMs) const;
    // Waits for the wineboot of the last query to finish, so that its
    // messages cannot reach the next test.
    bool WaitForRequesterExit(DWORD timeoutMs) const;
    // Waits until no session end is in flight: no wineboot runs whose
    // command line asks for one (or cannot be read). ExitWindowsEx starts
    // that wineboot before it returns, so once the requesting program has
    // ended and this holds, every query of its request has arrived.
    static bool WaitForNoRequestInFlight(DWORD timeoutMs);

private:
    static DWORD WINAPI ThreadMain(void* self);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnQuery();

    mutable CRITICAL_SECTION m_lock;
    HANDLE m_ready = nullptr;
    int m_queries = 0;
    std::string m_lastRequest;
    HANDLE m_requester = nullptr;
};

// The one watcher of the driver, started before the first test.
EndSessionWatcher& RestartWatcher();
