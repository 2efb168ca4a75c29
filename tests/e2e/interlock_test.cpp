// Dependent controls follow their checkboxes, the option pairs stay
// exclusive, and every user change (and nothing else) lights Apply.
#include "res/resource.h"
#include "tests/e2e/e2e_fixture.h"

namespace {

using InterlockTest = QuilvexTest;

TEST_F(InterlockTest, DependentControlsFollowTheirCheckboxesAndPairsStayExclusive)
{
    ASSERT_TRUE(quilvex.Start());

    // IRQ8Priority and its two options.
    quilvex.Click(IDC_IRQ8_PRIORITY);
    EXPECT_TRUE(quilvex.Enabled(IDC_IRQ8_PRIORITY_1));
    EXPECT_TRUE(quilvex.Enabled(IDC_IRQ8_PRIORITY_2));
    quilvex.Click(IDC_IRQ8_PRIORITY_1);
    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY_1), BST_CHECKED);
    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY_2), BST_UNCHECKED);
    quilvex.Click(IDC_IRQ8_PRIORITY_2);
    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY_1), BST_UNCHECKED);
    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY_2), BST_CHECKED);
    quilvex.Click(IDC_IRQ8_PRIORITY_2);  // already checked: stays so
    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY_1), BST_UNCHECKED);
    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY_2), BST_CHECKED);
    quilvex.Click(IDC_IRQ8_PRIORITY);  // off: options disabled, states kept
    EXPECT_FALSE(quilvex.Enabled(IDC_IRQ8_PRIORITY_1));
    EXPECT_FALSE(quilvex.Enabled(IDC_IRQ8_PRIORITY_2));
    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY_2), BST_CHECKED);
    quilvex.Click(IDC_IRQ8_PRIORITY);  // on again, with the same states
    EXPECT_TRUE(quilvex.Enabled(IDC_IRQ8_PRIORITY_1));
    EXPECT_TRUE(quilvex.Enabled(IDC_IRQ8_PRIORITY_2));
    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY_1), BST_UNCHECKED);
    EXPECT_EQ(quilvex.Check(IDC_IRQ8_PRIORITY_2), BST_CHECKED);

    // Win32PrioritySeparation opens checked with "= 0".
    quilvex.Click(IDC_WIN32_PRIORITY_SEPARATION_1);
    EXPECT_EQ(quilvex.Check(IDC_WIN32_PRIORITY_SEPARATION_0), BST_UNCHECKED);
    EXPECT_EQ(quilvex.Check(IDC_WIN32_PRIORITY_SEPARATION_1), BST_CHECKED);
    quilvex.Click(IDC_WIN32_PRIORITY_SEPARATION_0);
    EXPECT_EQ(quilvex.Check(IDC_WIN32_PRIORITY_SEPARATION_0), BST_CHECKED);
    EXPECT_EQ(quilvex.Check(IDC_WIN32_PRIORITY_SEPARATION_1), BST_UNCHECKED);
    quilvex.Click(IDC_WIN32_PRIORITY_SEPARATION);
    EXPECT_FALSE(quilvex.Enabled(IDC_WIN32_PRIORITY_SEPARATION_0));
    EXPECT_FALSE(quilvex.Enabled(IDC_WIN32_PRIORITY_SEPARATION_1));
    EXPECT_EQ(quilvex.Check(IDC_WIN32_PRIORITY_SEPARATION_0), BST_CHECKED);

    // The number fields, whose texts stay while they are disabled.
    quilvex.Click(IDC_IO_PAGE_LOCK_LIMIT);
    EXPECT_TRUE(quilvex.Enabled(IDC_IO_PAGE_LOCK_LIMIT_EDIT));
    quilvex.SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, "65536");
    quilvex.Click(IDC_IO_PAGE_LOCK_LIMIT);
    EXPECT_FALSE(quilvex.Enabled(IDC_IO_PAGE_LOCK_LIMIT_EDIT));
    EXPECT_EQ(quilvex.Text(IDC_IO_PAGE_LOCK_LIMIT_EDIT), "65536");
    quilvex.Click(IDC_MAX_CACHED_ICONS);
    EXPECT_TRUE(quilvex.Enabled(IDC_MAX_CACHED_ICONS_EDIT));
    EXPECT_EQ(quilvex.Text(IDC_MAX_CACHED_ICONS_EDIT), "500");

    // OK stores what the controls say: 1011 with "= 2", 1014 unchecked,
    // 1016 unchecked (its text does not count), 1021 with 500.
    quilvex.PostButton(IDOK);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
    ExpectNoRestartRequested();
    EXPECT_EQ(ReadTweak(TweakId::IRQ8Priority).bytes, Dword(2));
    EXPECT_EQ(ReadTweak(TweakId::Win32PrioritySeparation).bytes, Dword(2));
    EXPECT_EQ(ReadTweak(TweakId::IoPageLockLimit).bytes, Dword(0));
    EXPECT_EQ(ReadTweak(TweakId::MaxCachedIcons).bytes, StoredText("500"));
}

TEST_F(InterlockTest, OnlyUserChangesCount)
{
    WriteTweakDword(TweakId::IoPageLockLimit, 16384);  // its field opens enabled
    ASSERT_TRUE(quilvex.Start());
    std::vector<ControlState> opened = ControlStates(quilvex);

    // Commands that are no clicks of a tweak count nothing.
    quilvex.Command(IDC_SHELL_INTEGRATION_GROUP);
    quilvex.Command(IDC_NTFS_LAST_ACCESS, BN_DOUBLECLICKED);
    quilvex.Command(IDC_MAX_CACHED_ICONS_EDIT);
    EXPECT_FALSE(quilvex.Enabled(IDC_APPLY));
    EXPECT_EQ(ControlStates(quilvex), opened);

    // Typing in a field counts.
    quilvex.Type(IDC_IO_PAGE_LOCK_LIMIT_EDIT, "1");
    EXPECT_TRUE(quilvex.Enabled(IDC_APPLY));
    quilvex.Click(IDC_APPLY);
    EXPECT_FALSE(quilvex.Enabled(IDC_APPLY));
    EXPECT_EQ(ReadTweak(TweakId::IoPageLockLimit).bytes, Dword(163841));
    quilvex.SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, "1024");
    EXPECT_TRUE(quilvex.Enabled(IDC_APPLY));
    quilvex.Click(IDC_APPLY);
    EXPECT_EQ(ReadTweak(TweakId::IoPageLockLimit).bytes, Dword(1024));

    // A tick and an untick are two changes, not none.
    quilvex.Click(IDC_NTFS_LAST_ACCESS);
    EXPECT_TRUE(quilvex.Enabled(IDC_APPLY));
    quilvex.Click(IDC_NTFS_LAST_ACCESS);
    EXPECT_TRUE(quilvex.Enabled(IDC_APPLY));
    quilvex.PostButton(IDCANCEL);
    Answer(ExpectRestartQuestion(), IDNO);  // asked because Apply was used
    ExpectEnded();
}

TEST_F(InterlockTest, TickAndUntickStillOffersTheRestart)
{
    ASSERT_TRUE(quilvex.Start());
    quilvex.Click(IDC_NTFS_LAST_ACCESS);
    quilvex.Click(IDC_NTFS_LAST_ACCESS);
    EXPECT_TRUE(quilvex.Enabled(IDC_APPLY));
    quilvex.PostButton(IDOK);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
    EXPECT_EQ(ReadTweak(TweakId::NtfsDisableLastAccessUpdate).bytes, Dword(0));
}

}  // namespace
