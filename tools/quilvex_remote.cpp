// quilvex_remote: drives a running Quilvex from outside, for the run script
// and for looking at the program by hand.
//
//   quilvex_remote wait [SECONDS]   waits until the main dialog is visible and
//                                   prints its window rectangle: X Y WIDTH HEIGHT
//   quilvex_remote about [SECONDS]  opens the About box from the system menu
//                                   and prints its rectangle
//   quilvex_remote cancel [SECONDS] closes the About box if open, presses
//                                   Cancel and waits until the dialog is gone
//   quilvex_remote list             prints every top-level window
//
// Exit status 0 on success, 1 when the wait ran out.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "res/resource.h"

namespace {

const char kMainCaption[] = "Quilvex !  v1.1";
const char kDialogClass[] = "#32770";

struct Search {
    const char* caption;  // null: any caption
    HWND owner;           // null: any owner
    HWND found;
};

BOOL CALLBACK FindVisibleDialog(HWND hwnd, LPARAM lParam)
{
    Search* search = reinterpret_cast<Search*>(lParam);
    char className[64] = "", caption[256] = "";
    ::GetClassNameA(hwnd, className, sizeof className);
    ::GetWindowTextA(hwnd, caption, sizeof caption);
    if (std::strcmp(className, kDialogClass) != 0 || !::IsWindowVisible(hwnd)) return TRUE;
    if (search->caption && std::strcmp(caption, search->caption) != 0) return TRUE;
    if (search->owner && ::GetWindow(hwnd, GW_OWNER) != search->owner) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindDialog(const char* caption, HWND owner)
{
    Search search = {caption, owner, nullptr};
    ::EnumWindows(FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Polls every 100 ms until the dialog shows or the time runs out.
HWND WaitForDialog(const char* caption, HWND owner, int seconds)
{
    for (int tries = 0; tries <= seconds * 10; ++tries) {
        if (HWND hwnd = FindDialog(caption, owner)) return hwnd;
        ::Sleep(100);
    }
    return nullptr;
}

void PrintRect(HWND hwnd)
{
    // Let the dialog finish painting before anyone takes a picture: wait
    // until its program waits for input, then a little more for a Wine
    // prefix that is still settling.
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hwnd, &processId);
    if (HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId)) {
        ::WaitForInputIdle(process, 5000);
        ::CloseHandle(process);
    }
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::Sleep(1500);
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

BOOL CALLBACK PrintWindow(HWND hwnd, LPARAM)
{
    char className[64] = "", caption[256] = "";
    ::GetClassNameA(hwnd, className, sizeof className);
    ::GetWindowTextA(hwnd, caption, sizeof caption);
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    std::printf("%p %-24s %s visible=%d %ld,%ld-%ld,%ld \"%s\"\n", static_cast<void*>(hwnd), className,
                ::IsWindowVisible(hwnd) ? "shown " : "hidden", ::IsWindowVisible(hwnd) ? 1 : 0, rect.left, rect.top,
                rect.right, rect.bottom, caption);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* command = argc > 1 ? argv[1] : "";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;

    if (std::strcmp(command, "list") == 0) {
        ::EnumWindows(PrintWindow, 0);
        return 0;
    }

    HWND main = WaitForDialog(kMainCaption, nullptr, seconds);
    if (std::strcmp(command, "wait") == 0) {
        if (!main) return 1;
        PrintRect(main);
        return 0;
    }
    if (std::strcmp(command, "about") == 0) {
        if (!main) return 1;
        ::PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        HWND about = WaitForDialog(nullptr, main, seconds);
        if (!about) return 1;
        PrintRect(about);
        return 0;
    }
    if (std::strcmp(command, "cancel") == 0) {
        if (!main) return 1;
        if (HWND about = FindDialog(nullptr, main)) ::PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
        ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        for (int tries = 0; tries <= seconds * 10; ++tries) {
            if (!::IsWindow(main)) return 0;
            ::Sleep(100);
        }
        return 1;
    }
    std::fprintf(stderr, "usage: quilvex_remote wait|about|cancel [SECONDS] | list\n");
    return 2;
}
