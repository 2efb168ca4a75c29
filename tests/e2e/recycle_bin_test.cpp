// Hiding and showing the Recycle Bin moves its key, caption and all.
#include "res/resource.h"
#include "tests/e2e/e2e_fixture.h"

namespace {

using RecycleBinTest = QuilvexTest;

TEST_F(RecycleBinTest, HideThenShowCarriesTheCaptionThereAndBack)
{
    // Longer than the 255 bytes an older version carried.
    const std::string caption = "ごみ箱 (Trash) " + std::string(300, '#');
    WriteValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "", REG_SZ, StoredText(caption));
    ASSERT_TRUE(quilvex.Start());
    EXPECT_EQ(quilvex.Check(IDC_HIDE_RECYCLE_BIN), BST_UNCHECKED);

    quilvex.Click(IDC_HIDE_RECYCLE_BIN);
    quilvex.Click(IDC_APPLY);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinShownKey));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey, "").bytes, StoredText(caption));

    quilvex.Click(IDC_HIDE_RECYCLE_BIN);
    quilvex.Click(IDC_APPLY);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "").bytes, StoredText(caption));

    quilvex.Click(IDC_HIDE_RECYCLE_BIN);
    quilvex.PostButton(IDOK);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinShownKey));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey, "").bytes, StoredText(caption));

    // The next run reads the hidden state back.
    QuilvexProcess next;
    ASSERT_TRUE(next.Start());
    EXPECT_EQ(next.Check(IDC_HIDE_RECYCLE_BIN), BST_CHECKED);
    next.PostButton(IDCANCEL);
    EXPECT_TRUE(next.WaitForExit(5000));
}

TEST_F(RecycleBinTest, ShowingWithNeitherKeyUsesTheDefaultCaption)
{
    ASSERT_TRUE(quilvex.Start());
    ASSERT_EQ(quilvex.Check(IDC_HIDE_RECYCLE_BIN), BST_CHECKED);
    quilvex.Click(IDC_HIDE_RECYCLE_BIN);
    quilvex.PostButton(IDOK);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, "").bytes, StoredText("ごみ箱"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey));
}

}  // namespace
