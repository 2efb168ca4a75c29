// The dialog driven as people drive it: real keys and real pointer clicks
// (SendInput), with the dialog in the foreground.
#include "res/resource.h"
#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/real_input.h"

namespace {

class WalkthroughTest : public QuilvexTest {
protected:
    void StartInForeground()
    {
        ASSERT_TRUE(quilvex.Start());
        ASSERT_TRUE(BringToForeground(quilvex.dialog())) << "the dialog is not in the foreground";
    }
    void ExpectFocusOn(int id)
    {
        EXPECT_TRUE(WaitUntil([&] { return quilvex.Focus() == quilvex.Item(id); }, 2000))
            << "the focus is not on " << id << " but on " << quilvex.Focus() << " (control "
            << GetDlgCtrlID(quilvex.Focus()) << ")";
    }
    void Tab(int expectedId, bool backwards = false)
    {
        if (backwards)
            PressKey(VK_TAB, {VK_SHIFT});
        else
            PressKey(VK_TAB);
        ExpectFocusOn(expectedId);
    }
    bool WaitForCheck(int id, int state)
    {
        return WaitUntil([&] { return quilvex.Check(id) == state; }, 2000);
    }
    // The save pass has run. Apply goes disabled as the pass begins, so
    // that alone does not say the values are written; a message sent after
    // it is answered only once the click's handler, and so the pass, is done.
    bool WaitForApplyDone()
    {
        if (!WaitUntil([&] { return !quilvex.Enabled(IDC_APPLY); }, 5000)) return false;
        QuilvexProcess::Send(quilvex.dialog(), WM_NULL, 0, 0);
        return true;
    }
};

TEST_F(WalkthroughTest, KeyboardTabsTicksTypesAppliesAndEscapeStillReachesCancel)
{
    StartInForeground();
    ExpectFocusOn(IDOK);
    // Apply is disabled and Tab passes it by.
    Tab(IDCANCEL);
    Tab(IDC_NTFS_LAST_ACCESS);
    Tab(IDCANCEL, true);
    for (int id : {IDC_NTFS_LAST_ACCESS, IDC_NTFS_8DOT3, IDC_LARGE_SYSTEM_CACHE, IDC_DISABLE_PAGING_EXECUTIVE,
                   IDC_IO_PAGE_LOCK_LIMIT})
        Tab(id);

    // Space ticks IoPageLockLimit; its number field follows and is the next stop.
    PressKey(VK_SPACE);
    ASSERT_TRUE(WaitForCheck(IDC_IO_PAGE_LOCK_LIMIT, BST_CHECKED));
    EXPECT_TRUE(quilvex.Enabled(IDC_IO_PAGE_LOCK_LIMIT_EDIT));
    EXPECT_TRUE(quilvex.Enabled(IDC_APPLY));
    Tab(IDC_IO_PAGE_LOCK_LIMIT_EDIT);
    TypeKeys("8192");  // Tab selected the field's text, so typing replaces it
    EXPECT_TRUE(WaitUntil([&] { return quilvex.Text(IDC_IO_PAGE_LOCK_LIMIT_EDIT) == "8192"; }, 2000))
        << quilvex.Text(IDC_IO_PAGE_LOCK_LIMIT_EDIT);

    // Back to Apply, now enabled, and Space on it.
    for (int id : {IDC_IO_PAGE_LOCK_LIMIT, IDC_DISABLE_PAGING_EXECUTIVE, IDC_LARGE_SYSTEM_CACHE, IDC_NTFS_8DOT3,
                   IDC_NTFS_LAST_ACCESS, IDC_APPLY})
        Tab(id, true);
    PressKey(VK_SPACE);
    ASSERT_TRUE(WaitForApplyDone());
    EXPECT_EQ(ReadTweak(TweakId::IoPageLockLimit).bytes, Dword(8192));

    // Apply gave the focus on as it went disabled: Escape is still Cancel,
    // which asks because Apply was used.
    ExpectFocusOn(IDC_NTFS_LAST_ACCESS);
    PressKey(VK_ESCAPE);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
    ExpectNoRestartRequested();
}

TEST_F(WalkthroughTest, KeyboardSpaceTicksAndEnterOnOkSavesAndAsks)
{
    StartInForeground();
    ExpectFocusOn(IDOK);
    Tab(IDCANCEL);
    Tab(IDC_NTFS_LAST_ACCESS);
    PressKey(VK_SPACE);
    ASSERT_TRUE(WaitForCheck(IDC_NTFS_LAST_ACCESS, BST_CHECKED));
    // The change enabled Apply, which Shift+Tab now stops on.
    Tab(IDC_APPLY, true);
    Tab(IDCANCEL, true);
    Tab(IDOK, true);
    PressKey(VK_RETURN);
    HWND question = ExpectRestartQuestion();
    EXPECT_EQ(ReadTweak(TweakId::NtfsDisableLastAccessUpdate).bytes, Dword(1));
    Answer(question, IDNO);
    ExpectEnded();
    ExpectNoRestartRequested();
}

TEST_F(WalkthroughTest, PointerClicksATweakAndApplyThenEnterRunsOk)
{
    StartInForeground();
    ClickWithPointer(quilvex.Item(IDC_LARGE_SYSTEM_CACHE));
    ASSERT_TRUE(WaitForCheck(IDC_LARGE_SYSTEM_CACHE, BST_CHECKED));
    EXPECT_TRUE(quilvex.Enabled(IDC_APPLY));
    ClickWithPointer(quilvex.Item(IDC_APPLY));
    ASSERT_TRUE(WaitForApplyDone());
    EXPECT_EQ(ReadTweak(TweakId::LargeSystemCache).bytes, Dword(1));

    // Enter goes to the default button, OK.
    PressKey(VK_RETURN);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
    ExpectNoRestartRequested();
    EXPECT_EQ(ReadTweak(TweakId::LargeSystemCache).bytes, Dword(1));
    EXPECT_EQ(ReadTweak(TweakId::NtfsDisableLastAccessUpdate).bytes, Dword(0));
}

}  // namespace
