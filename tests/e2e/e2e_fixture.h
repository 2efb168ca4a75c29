// The fixture of every test that starts Quilvex: a registry without any of
// the tweaks, a fresh restart watcher, no run left behind, and no restart
// request unless the test expects the one of a Yes.
#pragma once

#include <gtest/gtest.h>

#include "tests/e2e/end_session_watcher.h"
#include "tests/e2e/quilvex_process.h"
#include "tests/e2e/test_registry.h"
#include "tests/e2e/wait.h"

// Where QuilvexBackup.exe is; set once from the command line.
extern std::string g_backupPath;

class QuilvexTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The restart question, once it shows (5 s at most), after checking its
    // text, caption and buttons; null when it does not show.
    HWND ExpectRestartQuestion();
    // Answers the question with IDYES or IDNO.
    void Answer(HWND question, int button);
    // The dialog has closed, with no question, and the process has ended
    // without a crash.
    void ExpectEndedWithoutQuestion();
    void ExpectEnded();
    // Yes on the question has asked Wine for a reboot: the end-session query
    // reached the watcher, sent by a wineboot run for a reboot, not forced.
    void ExpectRestartRequested();
    // Quilvex has ended and no request of it is in flight, and none came.
    void ExpectNoRestartRequested();

    QuilvexProcess quilvex;

private:
    bool m_restartExpected = false;
};
