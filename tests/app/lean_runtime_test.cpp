// Where the C++ runtime would throw, the program's process ends at once,
// without any message, with the exit code ERROR_NOT_ENOUGH_MEMORY (msvcrt's
// abort would end it with 3, after an English "Runtime Error!" box on
// Windows). Built from the program's own runtime pieces, this program
// starts itself again, fails an allocation in that copy and checks how the
// copy ended.
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <new>

namespace {

void* volatile g_block;

void FailAnAllocation()
{
    volatile std::size_t huge = ~std::size_t{0} - 4096;
    g_block = operator new(huge);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1) {
        FailAnAllocation();
        return 0;
    }
    char self[MAX_PATH];
    char commandLine[MAX_PATH + 32];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::snprintf(commandLine, sizeof commandLine, "\"%s\" --fail-allocation", self);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    if (!CreateProcessA(self, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child)) {
        std::printf("cannot start %s: error %lu\n", self, GetLastError());
        return 1;
    }
    DWORD exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(child.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(child.hProcess, 1);
        std::printf("the process that failed an allocation did not end within 30 s\n");
        return 1;
    }
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    if (exitCode != ERROR_NOT_ENOUGH_MEMORY) {
        std::printf("the process that failed an allocation ended with %lu, expected %lu\n", exitCode,
                    static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
        return 1;
    }
    std::printf("lean_runtime_test: passed\n");  // the closing line ctest waits for
    return 0;
}
