// What the in-memory registry offers beyond the platform's functions:
// seeding, inspecting and counting.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/cp932_conversion.h"
#include "tests/support/memory_registry_api.h"

TEST(MemoryRegistryApi, SeedsAndInspectsWithoutCounting)
{
    MemoryRegistryApi api;
    api.PutValue(HKEY_CURRENT_USER, "Software\\A", "v", REG_DWORD, {1, 0, 0, 0});
    api.PutKey(HKEY_LOCAL_MACHINE, "Software\\Empty");
    EXPECT_TRUE(api.HasKey(HKEY_CURRENT_USER, "SOFTWARE\\a"));
    EXPECT_TRUE(api.HasValue(HKEY_CURRENT_USER, "Software\\A", "V"));
    EXPECT_FALSE(api.HasValue(HKEY_CURRENT_USER, "Software\\A", "w"));
    EXPECT_THROW(api.GetValue(HKEY_CURRENT_USER, "Software\\A", "w"), std::out_of_range);
    EXPECT_THROW(api.GetValue(HKEY_CURRENT_USER, "Software\\B", "v"), std::out_of_range);
    EXPECT_EQ(0, api.CallCount());

    const auto snapshot = api.Snapshot();
    ASSERT_EQ(4u, snapshot.size());
    EXPECT_EQ(1u, snapshot.at("HKEY_CURRENT_USER\\Software\\A").size());
    EXPECT_EQ(DWORD{REG_DWORD}, snapshot.at("HKEY_CURRENT_USER\\Software\\A").at("v").type);
    EXPECT_TRUE(snapshot.at("HKEY_LOCAL_MACHINE\\Software\\Empty").empty());
}

TEST(MemoryRegistryApi, CountsCallsAndHandlesButNotTheRoots)
{
    MemoryRegistryApi api;
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, api.CreateKeyEx(HKEY_USERS, "X\\Y", 0, "", 0, KEY_ALL_ACCESS, &key, &disposition));
    EXPECT_EQ(DWORD{REG_CREATED_NEW_KEY}, disposition);
    EXPECT_EQ(1, api.OpenHandleCount());
    EXPECT_EQ(ERROR_SUCCESS, api.CloseKey(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(ERROR_SUCCESS, api.CloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, api.CloseKey(key));
    EXPECT_EQ(0, api.OpenHandleCount());
    EXPECT_EQ(4, api.CallCount());
    EXPECT_EQ(3, api.CallCount(MemoryRegistryApi::Op::CloseKey));
    EXPECT_EQ(1, api.KeyOpenCount(HKEY_USERS, "x\\y"));
    // The four roots are separate trees.
    EXPECT_FALSE(api.HasKey(HKEY_CLASSES_ROOT, "X"));

    api.FailCall(0, true);
    EXPECT_NE(ERROR_SUCCESS, api.OpenKeyEx(HKEY_USERS, "X", 0, KEY_READ, &key));
    api.ResetCounters();
    EXPECT_EQ(0, api.CallCount());
    EXPECT_EQ(0, api.KeyOpenCount(HKEY_USERS, "X\\Y"));
}

// The conversions of the ANSI functions as Wine measures them (and Windows'
// code page 932 table), whichever library the in-memory registry takes its
// mappings from: natively the C library's "CP932", under Wine the platform.
TEST(MemoryRegistryApi, ConvertsAsTheAnsiFunctions)
{
    const struct {
        std::string ansi;
        std::u16string wide;
        std::string back;  // the ANSI form of `wide`
    } cases[] = {
        {"a\\~", u"a\\~", "a\\~"},
        {"\x82\xA0\x83\x5C\xB1", u"\u3042\u30BD\uFF71", "\x82\xA0\x83\x5C\xB1"},
        {"\x87\x90\xEE\xF9\xFA\x40", u"\u2252\uFFE2\u2170", "\x81\xE0\x81\xCA\xFA\x40"},  // duplicates fold
        {"\x80\xA0\xFD\xFE\xFF", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3", "\x80\xA0\xFD\xFE\xFF"},
        {std::string("\x81\x20\x81\0", 4), u"\u30FB\u30FB", "\x81\x45\x81\x45"},  // pairs that are no character
        {"a\x81", std::u16string(u"a\0", 2), std::string("a\0", 2)},              // a lead byte at the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.wide, Cp932ToUtf16(c.ansi.data(), c.ansi.size())) << c.back;
        EXPECT_EQ(c.back, Utf16ToCp932(c.wide));
    }
    EXPECT_EQ("??", Utf16ToCp932(u"\u20AC\xD800"));
    EXPECT_EQ(u"a\u30FB", Cp932ToUtf16LikeMultiByteToWideChar("a\x81", 2));
}
