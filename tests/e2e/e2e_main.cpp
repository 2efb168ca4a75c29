// quilvex_e2e --quilvex=PATH [gtest options]: the end-to-end suite of the
// Windows program, run under Wine beside it. Every wait of the suite is
// bounded; the run as a whole is bounded by the Wine session that runs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/e2e/end_session_watcher.h"
#include "tests/e2e/quilvex_process.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const char kOption[] = "--quilvex=";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], kOption, sizeof kOption - 1) == 0)
            QuilvexProcess::s_exePath = argv[i] + sizeof kOption - 1;
    // ctest passes a Unix path; Wine's drive Z: is the Unix root.
    std::string& path = QuilvexProcess::s_exePath;
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
        for (char& c : path)
            if (c == '/') c = '\\';
    }
    if (QuilvexProcess::s_exePath.empty()) {
        std::fprintf(stderr, "usage: quilvex_e2e --quilvex=PATH-OF-Quilvex.exe [gtest options]\n");
        return 2;
    }
    if (GetFileAttributesA(QuilvexProcess::s_exePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "quilvex_e2e: %s not found\n", QuilvexProcess::s_exePath.c_str());
        return 2;
    }
    // Quilvex may ask for a restart in any test: the watcher vetoes it.
    if (!RestartWatcher().Start()) {
        std::fprintf(stderr, "quilvex_e2e: cannot create the end-session watcher\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
