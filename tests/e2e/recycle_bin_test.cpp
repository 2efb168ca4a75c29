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
    const std::wstring caption(L"ごみ箱€한", 6);  // with its terminator
    const std::vector<BYTE> stored = Utf16Bytes(caption);
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

// A caption stored without its terminator, as other programs may store it,
// moves every time, whatever lies behind it in Quilvex's memory, and arrives
// as it was, gaining no terminator: every length up to 300 characters,
// hidden and shown again by the one dialog.
TEST_F(RecycleBinTest, UnterminatedCaptionsOfEveryLengthHideAndShowWhole)
{
    const std::wstring pattern = L"ごみ箱 Recycle Bin 0123456789 ";
    WriteDefaultValueW(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, L"");
    ASSERT_TRUE(quilvex.Start());
    ASSERT_EQ(quilvex.Check(IDC_HIDE_RECYCLE_BIN), BST_UNCHECKED);
    for (size_t length = 0; length <= 300; ++length) {
        SCOPED_TRACE(testing::Message() << length << " characters");
        std::wstring caption;
        for (size_t i = 0; i < length; ++i) caption += pattern[i % pattern.size()];
        const std::vector<BYTE> stored = Utf16Bytes(caption);
        WriteDefaultValueW(HKEY_LOCAL_MACHINE, kRecycleBinShownKey, caption);
        ASSERT_EQ(ReadDefaultValueW(HKEY_LOCAL_MACHINE, kRecycleBinShownKey).bytes, stored);

        quilvex.Click(IDC_HIDE_RECYCLE_BIN);
        quilvex.Click(IDC_APPLY);
        ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinShownKey)) << "not hidden";
        EXPECT_EQ(ReadDefaultValueW(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey).bytes, stored);

        quilvex.Click(IDC_HIDE_RECYCLE_BIN);
        quilvex.Click(IDC_APPLY);
        ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecycleBinHiddenKey)) << "not shown again";
        EXPECT_EQ(ReadDefaultValueW(HKEY_LOCAL_MACHINE, kRecycleBinShownKey).bytes, stored);
    }
    quilvex.PostButton(IDCANCEL);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
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
