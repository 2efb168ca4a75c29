#include "tests/e2e/e2e_fixture.h"

#include <tlhelp32.h>

namespace {

bool ProcessRunning(const char* exeName)
{
    bool found = false;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
        found = lstrcmpiA(entry.szExeFile, exeName) == 0;
    CloseHandle(snapshot);
    return found;
}

}  // namespace

void QuilvexTest::SetUp()
{
    ClearTweaks();
    RestartWatcher().Reset();
}

void QuilvexTest::TearDown()
{
    if (quilvex.Kill()) ADD_FAILURE() << "Quilvex was still running at the end of the test";
    // A restart request of this test must not reach the next one.
    EXPECT_TRUE(RestartWatcher().WaitForRequesterExit(10000));
    EXPECT_TRUE(EndSessionWatcher::WaitForNoRequestInFlight(10000)) << "a session end is still in flight";
    // Quilvex has ended and every query of its requests has arrived: one
    // after a Yes, none in any other test.
    EXPECT_EQ(m_restartExpected ? 1 : 0, RestartWatcher().QueryCount())
        << "restart requests, the last: " << RestartWatcher().LastRequest();
}

HWND QuilvexTest::ExpectRestartQuestion()
{
    HWND question = quilvex.WaitForWindow(kRestartCaption, 5000);
    EXPECT_NE(question, nullptr) << "no restart question";
    if (!question) return nullptr;
    EXPECT_EQ(QuilvexProcess::ClassOf(question), "#32770");
    const int kMessageTextId = 0xFFFF;  // the static text of a message box
    EXPECT_EQ(QuilvexProcess::TextOf(GetDlgItem(question, kMessageTextId)), kRestartQuestion);
    EXPECT_NE(GetDlgItem(question, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(question, IDNO), nullptr);
    EXPECT_EQ(GetDlgItem(question, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(question, IDCANCEL), nullptr);
    return question;
}

void QuilvexTest::Answer(HWND question, int button)
{
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(question, button)));
}

void QuilvexTest::ExpectEnded()
{
    ASSERT_TRUE(quilvex.WaitForExit(5000)) << "Quilvex did not end";
    EXPECT_LT(quilvex.ExitCode(), 0xC0000000u) << "Quilvex ended with an exception";
}

void QuilvexTest::ExpectEndedWithoutQuestion()
{
    if (!quilvex.WaitForExit(5000) && quilvex.WaitForWindow(kRestartCaption, 0))
        ADD_FAILURE() << "the restart question was asked";
    ExpectEnded();
}

void QuilvexTest::ExpectRestartRequested()
{
    m_restartExpected = true;
    ASSERT_TRUE(RestartWatcher().WaitForQuery(10000)) << "no end-session query";
    std::string request = RestartWatcher().LastRequest();
    EXPECT_NE(request.find("--end-session"), std::string::npos) << request;
    // EWX_REBOOT without EWX_FORCE or EWX_FORCEIFHUNG.
    EXPECT_EQ(request.find("--shutdown"), std::string::npos) << request;
    EXPECT_EQ(request.find("--kill"), std::string::npos) << request;
    EXPECT_EQ(request.find("--force"), std::string::npos) << request;
    // The veto held: the session's desktop is still there.
    EXPECT_TRUE(RestartWatcher().WaitForRequesterExit(10000));
    EXPECT_TRUE(ProcessRunning("explorer.exe"));
}

void QuilvexTest::ExpectNoRestartRequested()
{
    // A request would have started its wineboot before Quilvex ended; once
    // none is left, its query has arrived or there was none.
    ASSERT_TRUE(quilvex.WaitForExit(5000)) << "Quilvex did not end";
    EXPECT_TRUE(EndSessionWatcher::WaitForNoRequestInFlight(10000)) << "a session end is still in flight";
    EXPECT_EQ(0, RestartWatcher().QueryCount()) << RestartWatcher().LastRequest();
}
