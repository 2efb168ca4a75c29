// Apply, OK and Cancel (and the keys and the close box that stand for them),
// the restart question and the restart request itself.
#include "res/resource.h"
#include "tests/e2e/e2e_fixture.h"

namespace {

using ButtonsTest = QuilvexTest;

TEST_F(ButtonsTest, ApplyWritesEverythingAndDisablesItselfThenCancelAsksAndWritesNoMore)
{
    ASSERT_TRUE(quilvex.Start());
    quilvex.Click(IDC_LARGE_SYSTEM_CACHE);
    quilvex.Click(IDC_CLASSIC_SHELL);
    ASSERT_TRUE(quilvex.Enabled(IDC_APPLY));

    // The click returns once Apply's handler has: a question it asked would
    // be open now, and would have kept the click from returning.
    quilvex.Click(IDC_APPLY);
    EXPECT_EQ(quilvex.WaitForWindow(kRestartCaption, 0), nullptr) << "Apply asked the question";
    EXPECT_FALSE(quilvex.Enabled(IDC_APPLY));
    EXPECT_TRUE(quilvex.Running());
    StoredValue cache = ReadTweak(TweakId::LargeSystemCache);
    EXPECT_EQ(cache.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(cache.bytes, Dword(1));
    EXPECT_EQ(ReadTweak(TweakId::ClassicShell).bytes, Bytes({1, 0, 0, 0}));
    // Untouched tweaks are written too.
    EXPECT_EQ(ReadTweak(TweakId::NtfsDisableLastAccessUpdate).bytes, Dword(0));
    EXPECT_EQ(ReadTweak(TweakId::IoPageLockLimit).bytes, Dword(0));
    EXPECT_EQ(ReadTweak(TweakId::Win32PrioritySeparation).bytes, Dword(0));
    EXPECT_EQ(ReadTweak(TweakId::NoActiveDesktop).bytes, Bytes({0, 0, 0, 0}));
    EXPECT_FALSE(ReadTweak(TweakId::IRQ8Priority).exists);
    EXPECT_FALSE(ReadTweak(TweakId::Link).exists);
    // Hiding a Recycle Bin whose key is already gone changes nothing.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinShownKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey));

    // A change after Apply, then Cancel: the question, and the change is lost.
    quilvex.Click(IDC_DISABLE_PAGING_EXECUTIVE);
    quilvex.PostButton(IDCANCEL);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
    ExpectNoRestartRequested();
    EXPECT_EQ(ReadTweak(TweakId::DisablePagingExecutive).bytes, Dword(0));
}

TEST_F(ButtonsTest, OkAfterChangeAsksAndYesRequestsAReboot)
{
    ASSERT_TRUE(quilvex.Start());
    quilvex.Click(IDC_NTFS_8DOT3);
    quilvex.PostButton(IDOK);
    HWND question = ExpectRestartQuestion();
    // The settings are written before the question is asked.
    EXPECT_EQ(ReadTweak(TweakId::NtfsDisable8dot3NameCreation).bytes, Dword(1));
    Answer(question, IDYES);
    ExpectRestartRequested();
    ExpectEnded();
}

TEST_F(ButtonsTest, OkAfterApplyWithoutFurtherChangeAsks)
{
    ASSERT_TRUE(quilvex.Start());
    quilvex.Click(IDC_DESKTOP_PROCESS);
    quilvex.Click(IDC_APPLY);
    quilvex.PostButton(IDOK);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
    ExpectNoRestartRequested();
    EXPECT_EQ(ReadTweak(TweakId::DesktopProcess).bytes, Dword(1));
}

TEST_F(ButtonsTest, CancelWithoutApplyWritesNothingAndAsksNothing)
{
    ASSERT_TRUE(quilvex.Start());
    quilvex.Click(IDC_LARGE_SYSTEM_CACHE);
    quilvex.PostButton(IDCANCEL);
    ExpectEndedWithoutQuestion();
    EXPECT_FALSE(ReadTweak(TweakId::LargeSystemCache).exists);
}

TEST_F(ButtonsTest, EscapeIsCancel)
{
    ASSERT_TRUE(quilvex.Start());
    quilvex.Click(IDC_LARGE_SYSTEM_CACHE);
    HWND focus = quilvex.Focus();
    ASSERT_NE(focus, nullptr);
    PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    ExpectEndedWithoutQuestion();
    EXPECT_FALSE(ReadTweak(TweakId::LargeSystemCache).exists);
}

TEST_F(ButtonsTest, CloseBoxIsCancelAndAsksAfterApply)
{
    ASSERT_TRUE(quilvex.Start());
    quilvex.Click(IDC_LARGE_SYSTEM_CACHE);
    quilvex.Click(IDC_APPLY);
    quilvex.Click(IDC_NO_SHARED_DOCUMENTS);
    quilvex.Post(WM_SYSCOMMAND, SC_CLOSE, 0);
    Answer(ExpectRestartQuestion(), IDYES);
    ExpectRestartRequested();
    ExpectEnded();
    EXPECT_EQ(ReadTweak(TweakId::LargeSystemCache).bytes, Dword(1));
    EXPECT_EQ(ReadTweak(TweakId::NoSharedDocuments).bytes, Dword(0));
}

}  // namespace
