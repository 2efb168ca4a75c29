// Garbage in the two number fields, typed or pasted into the real dialog:
// the program keeps running and stores what the rules say.
// IoPageLockLimit: the number at the start of the text (blanks and a sign
// allowed, full-width ones too), held at the 32-bit limits, a negative one
// stored as 0.
// Max Cached Icons: the text exactly as typed when its number is 100 to
// 4096, else no value at all.
#include <climits>

#include "res/resource.h"
#include "tests/e2e/e2e_fixture.h"

namespace {

using BadInputTest = QuilvexTest;

const size_t k100KB = 100 * 1024;

struct LockLimitCase {
    std::string text;
    DWORD stored;
};

struct IconsCase {
    std::string text;
    bool kept;  // stored as typed, or else deleted
};

TEST_F(BadInputTest, NumberFieldsStoreWhatTheRulesSayWhateverIsTyped)
{
    ASSERT_TRUE(quilvex.Start());
    quilvex.Click(IDC_IO_PAGE_LOCK_LIMIT);
    quilvex.Click(IDC_MAX_CACHED_ICONS);

    const LockLimitCase lockLimits[] = {
        {"16384", 16384},
        {"-5", 0},
        {"  +42abc", 42},
        {"\t 7 8", 7},
        {"abc", 0},
        {"", 0},
        {"0x10", 0},
        {"- 3", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"4294967296", INT_MAX},  // not 0, as a wrapping conversion would give
        {"-2147483649", 0},
        {"99999999999999999999999", INT_MAX},
        {std::string(k100KB, '9'), INT_MAX},
        {std::string(1000, 'x'), 0},
        {"１２", 12},  // full-width digits, as the Japanese IME types them
    };
    for (const LockLimitCase& test : lockLimits) {
        SCOPED_TRACE(test.text.substr(0, 40));
        quilvex.SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, test.text);
        ASSERT_EQ(quilvex.Text(IDC_IO_PAGE_LOCK_LIMIT_EDIT), test.text);
        quilvex.Click(IDC_APPLY);
        ASSERT_TRUE(quilvex.Running());
        EXPECT_EQ(ReadTweak(TweakId::IoPageLockLimit).bytes, Dword(test.stored));
    }

    const IconsCase icons[] = {
        {"100", true},
        {"4096", true},
        {"99", false},
        {"4097", false},
        {"0500", true},
        {" +1024 icons", true},
        {"-100", false},
        {"4294967396", false},  // wrapped, it would read as 100
        {"", false},
        {"abc", false},
        {"2048" + std::string(k100KB, 'x'), true},
        {std::string(1000, '1'), false},
        {"ごみ箱", false},
    };
    for (const IconsCase& test : icons) {
        SCOPED_TRACE(test.text.substr(0, 40));
        quilvex.SetText(IDC_MAX_CACHED_ICONS_EDIT, test.text);
        ASSERT_EQ(quilvex.Text(IDC_MAX_CACHED_ICONS_EDIT), test.text);
        quilvex.Click(IDC_APPLY);
        ASSERT_TRUE(quilvex.Running());
        StoredValue stored = ReadTweak(TweakId::MaxCachedIcons);
        EXPECT_EQ(stored.exists, test.kept);
        if (test.kept) {
            EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
            EXPECT_TRUE(stored.bytes == StoredText(test.text)) << stored.bytes.size() << " bytes";
        }
    }

    // Typed with the Japanese IME on: full-width digits, blank and signs count
    // as their ASCII forms, and the icon count is stored with ASCII digits.
    quilvex.SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, "　＋１６３８４");
    quilvex.SetText(IDC_MAX_CACHED_ICONS_EDIT, "２０００");
    quilvex.Click(IDC_APPLY);
    EXPECT_EQ(ReadTweak(TweakId::IoPageLockLimit).bytes, Dword(16384));
    EXPECT_EQ(ReadTweak(TweakId::MaxCachedIcons).bytes, StoredText("2000"));

    // An unchecked box stores 0 whatever its field holds.
    quilvex.SetText(IDC_IO_PAGE_LOCK_LIMIT_EDIT, "123");
    quilvex.Click(IDC_IO_PAGE_LOCK_LIMIT);
    quilvex.Click(IDC_APPLY);
    EXPECT_EQ(ReadTweak(TweakId::IoPageLockLimit).bytes, Dword(0));

    quilvex.PostButton(IDCANCEL);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
}

TEST_F(BadInputTest, A100KBPasteIntoEachFieldIsHandled)
{
    ASSERT_TRUE(quilvex.Start());
    quilvex.Click(IDC_IO_PAGE_LOCK_LIMIT);
    quilvex.Click(IDC_MAX_CACHED_ICONS);

    // Pasted after what the fields hold; the field takes what it can.
    quilvex.Type(IDC_IO_PAGE_LOCK_LIMIT_EDIT, std::string(k100KB, '7'));
    quilvex.Type(IDC_MAX_CACHED_ICONS_EDIT, " " + std::string(k100KB - 1, 'z'));
    std::string lockLimit = quilvex.Text(IDC_IO_PAGE_LOCK_LIMIT_EDIT);
    std::string icons = quilvex.Text(IDC_MAX_CACHED_ICONS_EDIT);
    EXPECT_GT(lockLimit.size(), 1000u);
    EXPECT_EQ(icons.substr(0, 4), "500 ");
    EXPECT_TRUE(quilvex.Enabled(IDC_APPLY));

    quilvex.PostButton(IDOK);
    Answer(ExpectRestartQuestion(), IDNO);
    ExpectEnded();
    EXPECT_EQ(ReadTweak(TweakId::IoPageLockLimit).bytes, Dword(INT_MAX));
    StoredValue stored = ReadTweak(TweakId::MaxCachedIcons);
    EXPECT_TRUE(stored.bytes == StoredText(icons))
        << stored.bytes.size() << " bytes stored, " << icons.size() << " in the field";
}

}  // namespace
