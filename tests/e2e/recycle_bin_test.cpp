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

// "€" and "한" are not in code page 932: the caption must travel in the
// registry's own UTF-16 form, not come back as "?".
TEST_F(RecycleBinTest, HideThenShowKeepsCharactersOutsideTheCodePage)
{
    const std::wstring caption = L"ごみ箱€한";
    const BYTE* text = reinterpret_cast<const BYTE*>(caption.c_str());
    const std::vector<BYTE> stored(text, text + (caption.size() + 1) * sizeof(wchar_t));
    WriteDefaultValueW(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, caption);
    ASSERT_TRUE(quilvex.Start());

    quilvex.Click(IDC_HIDE_RECYCLE_BIN);
    quilvex.Click(IDC_APPLY);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinShownKey));
    EXPECT_EQ(ReadDefaultValueW(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey).bytes, stored);

    quilvex.Click(IDC_HIDE_RECYCLE_BIN);
    quilvex.PostButton(IDOK);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey));
    EXPECT_EQ(ReadDefaultValueW(HKEY_LOCAL_MACHINE, kRecycleBinShownKey).bytes, stored);
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
