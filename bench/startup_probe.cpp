// Measures how long a dialog program takes from process start until its
// first top-level window is visible, for several programs in turn.
//
//   startup_probe.exe RUNS PROGRAM [PROGRAM...]
//
// Runs are interleaved (A B C, B C A, C A B, ...) so that a slow spell of
// the machine, and the place in the round, fall on every program alike. Each program is closed after it shows, by
// a Cancel command to its dialog. Prints one line per run:
// "run <round> <ms> <program>" (bench/startup_ratio.py takes the figures from there).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND hwnd, LPARAM param)
{
    Search* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->processId && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds until the program's window showed, or a negative number
// after saying why on the error output.
double TimeOneStart(const char* program)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> commandLine(program, program + strlen(program) + 1);

    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "startup_probe: %s did not start (error %lu)\n", program, GetLastError());
        return -1;
    }

    Search search = {process.dwProcessId, nullptr};
    const DWORD deadline = GetTickCount() + 30000;
    while (!search.found && GetTickCount() < deadline) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        // A program that has ended will show nothing.
        if (!search.found && WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    QueryPerformanceCounter(&end);

    if (search.found) {
        PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
    } else {
        // A hung start and an early end call for different searches.
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        if (exitCode == STILL_ACTIVE) {
            std::fprintf(stderr, "startup_probe: %s showed no window in 30 s and was still running\n", program);
        } else {
            std::fprintf(stderr, "startup_probe: %s ended with exit code 0x%lx before showing a window\n", program,
                         exitCode);
        }
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!search.found) return -2;
    return 1000.0 * double(end.QuadPart - begin.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_probe RUNS PROGRAM [PROGRAM...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const int programs = argc - 2;
    for (int run = 0; run < runs; ++run) {
        // Each round starts with the next program, so that no program always
        // follows the same one: where a start falls in the round shifts its time.
        for (int i = 0; i < programs; ++i) {
            const int p = 2 + (run + i) % programs;
            const double ms = TimeOneStart(argv[p]);
            if (ms < 0) {
                std::fprintf(stderr, "startup_probe: stopped in round %d\n", run + 1);
                return 1;
            }
            std::printf("run %d %.1f %s\n", run + 1, ms, argv[p]);
        }
    }
    return 0;
}
