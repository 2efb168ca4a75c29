// quilvex_e2e --quilvex=PATH --backup=PATH [gtest options]: the end-to-end suite of the
// Windows program, run under Wine beside it. Every wait of the suite is
// bounded; the run as a whole is bounded by the Wine session that runs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/end_session_watcher.h"
#include "tests/e2e/quilvex_process.h"

// The path given by `--option=PATH`; ctest passes a Unix path, and Wine's
// drive Z: is the Unix root.
std::string PathOption(int argc, char** argv, const std::string& option)
{
    std::string path;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], option.c_str(), option.size()) == 0) path = argv[i] + option.size();
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
        for (char& c : path)
            if (c == '/') c = '\\';
    }
    return path;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QuilvexProcess::s_exePath = PathOption(argc, argv, "--quilvex=");
    g_backupPath = PathOption(argc, argv, "--backup=");
    if (QuilvexProcess::s_exePath.empty() || g_backupPath.empty()) {
        std::fprintf(stderr, "usage: quilvex_e2e --quilvex=PATH-OF-Quilvex.exe --backup=PATH-OF-QuilvexBackup.exe "
                             "[gtest options]\n");
        return 2;
    }
    for (const std::string& path : {QuilvexProcess::s_exePath, g_backupPath}) {
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::fprintf(stderr, "quilvex_e2e: %s not found\n", path.c_str());
            return 2;
        }
    }
    // Quilvex may ask for a restart in any test: the watcher vetoes it.
    if (!RestartWatcher().Start()) {
        std::fprintf(stderr, "quilvex_e2e: cannot create the end-session watcher\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
