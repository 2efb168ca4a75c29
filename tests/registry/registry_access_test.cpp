// RegistryAccess on each backend: stored forms byte for byte, the readings
// of odd data, key creation and deletion.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/registry/registry_backend.h"

namespace {

const HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

}  // namespace

TEST_P(RegistryConformance, NumbersAreStoredInTheirByteOrder)
{
    struct Case {
        bool binary;
        int32_t value;
        std::vector<BYTE> bytes;
        int32_t readAsDword;
        int32_t readAsBinary;
    };
    const Case cases[] = {
        {false, 1, {0x01, 0x00, 0x00, 0x00}, 1, 0x01000000},
        {false, -1, {0xFF, 0xFF, 0xFF, 0xFF}, -1, -1},
        {false, 0x12345678, {0x78, 0x56, 0x34, 0x12}, 0x12345678, 0x78563412},
        {true, 1, {0x00, 0x00, 0x00, 0x01}, 0x01000000, 1},
        {true, 0x01000000, {0x01, 0x00, 0x00, 0x00}, 1, 0x01000000},
        {true, -1, {0xFF, 0xFF, 0xFF, 0xFF}, -1, -1},
    };
    for (HKEY root : kRoots) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << (c.binary ? "binary " : "dword ") << c.value);
            const std::string key = Path();
            EXPECT_EQ(1, c.binary ? registry->SetBinaryValue(root, key.c_str(), "v", c.value)
                                  : registry->SetDwordValue(root, key.c_str(), "v", c.value));
            const StoredValue stored = Raw(root, key, "v");
            EXPECT_EQ(c.binary ? DWORD{REG_BINARY} : DWORD{REG_DWORD}, stored.type);
            EXPECT_EQ(c.bytes, stored.bytes);
            EXPECT_EQ(c.readAsDword, registry->GetDwordValue(root, key.c_str(), "v"));
            EXPECT_EQ(c.readAsBinary, registry->GetBinaryValue(root, key.c_str(), "v"));
        }
    }
}

TEST_P(RegistryConformance, NumberReadingsOfOddData)
{
    struct Case {
        DWORD type;
        std::vector<BYTE> bytes;
        int32_t asDword;
        int32_t asBinary;
    };
    const Case cases[] = {
        {REG_BINARY, {0x00, 0x00, 0x00, 0x80}, int32_t(0x80000000), 0x80},
        {REG_BINARY, {0x00, 0x80, 0x00, 0x00}, 0x8000, 0x00800000},
        {REG_BINARY, {0x34, 0x12}, 0x1234, 0x34120000},
        {REG_BINARY, {0x12, 0x34}, 0x3412, 0x12340000},
        {REG_BINARY, {1, 2, 3, 4, 5, 6}, 0, 0x01020304},
        {REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8}, 0, 0x01020304},
        {REG_BINARY, {}, 0, 0},
        {REG_DWORD, {0x01, 0x00, 0x00, 0x00}, 1, 0x01000000},
        {REG_SZ, {'1', 0}, 0x31, 0x31000000},
    };
    const std::string key = Path();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        Put(HKEY_CURRENT_USER, key, "v", c.type, c.bytes);
        EXPECT_EQ(c.asDword, registry->GetDwordValue(HKEY_CURRENT_USER, key.c_str(), "v"));
        EXPECT_EQ(c.asBinary, registry->GetBinaryValue(HKEY_CURRENT_USER, key.c_str(), "v"));
    }
}

TEST_P(RegistryConformance, ReadsOfMissingKeysAndValuesGiveNothing)
{
    registry->SetDwordValue(HKEY_CURRENT_USER, Path().c_str(), "present", 7);
    for (const std::string& key : {Path(), Path("Missing")}) {
        EXPECT_EQ(0, registry->GetDwordValue(HKEY_CURRENT_USER, key.c_str(), "absent"));
        EXPECT_EQ(0, registry->GetBinaryValue(HKEY_CURRENT_USER, key.c_str(), "absent"));
        EXPECT_EQ("", registry->GetStringValue(HKEY_CURRENT_USER, key.c_str(), "absent"));
        EXPECT_EQ(0, registry->ValueExists(HKEY_CURRENT_USER, key.c_str(), "absent"));
        EXPECT_EQ(0, registry->GetDwordValue(HKEY_CURRENT_USER, key.c_str(), nullptr));
    }
    EXPECT_EQ(1, registry->KeyExists(HKEY_CURRENT_USER, Path().c_str()));
    EXPECT_EQ(0, registry->KeyExists(HKEY_CURRENT_USER, Path("Missing").c_str()));
    EXPECT_FALSE(HasKey(HKEY_CURRENT_USER, Path("Missing")));
}

// The bytes kept are the same whether or not the count handed over took the
// terminator in; RegistryFaults.WritesHandOverExactlyTheStoredForm checks the
// count itself.
TEST_P(RegistryConformance, StringsAreStoredWithOneTerminatorAndReadBack)
{
    // The platform keeps the NUL that follows the counted bytes: "no"
    // handed over as 2 bytes is stored as 6E 6F 00.
    const std::string japanese = "ごみ箱";
    const struct {
        std::string text;
        std::vector<BYTE> stored;
    } cases[] = {
        {"no", {0x6E, 0x6F, 0x00}},
        {"", {}},
        {"1", {0x31, 0x00}},
        {japanese, {0x82, 0xB2, 0x82, 0xDD, 0x94, 0xA0, 0x00}},
    };
    const std::string key = Path();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(1, registry->SetStringValue(HKEY_CURRENT_USER, key.c_str(), "s", c.text.c_str()));
        const StoredValue stored = Raw(HKEY_CURRENT_USER, key, "s");
        EXPECT_EQ(DWORD{REG_SZ}, stored.type);
        EXPECT_EQ(c.stored, stored.bytes);
        EXPECT_EQ(c.text, registry->GetStringValue(HKEY_CURRENT_USER, key.c_str(), "s"));
    }
}

TEST_P(RegistryConformance, StringReadingEndsAtTheFirstNulOrTheEndOfData)
{
    const struct {
        DWORD type;
        std::string bytes;
        std::string text;
    } cases[] = {
        {REG_SZ, std::string("no"), "no"},
        {REG_SZ, std::string("a\0z\0", 4), "a"},
        {REG_MULTI_SZ, std::string("a\0b\0\0", 5), "a"},
        {REG_EXPAND_SZ, std::string("%SystemRoot%\0", 13), "%SystemRoot%"},
        {REG_SZ, std::string(), ""},
        {REG_DWORD, std::string("\1\0\0\0", 4), ""},
        {REG_BINARY, std::string("ab"), ""},
    };
    const std::string key = Path();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Put(HKEY_CURRENT_USER, key, "s", c.type, Bytes(c.bytes));
        EXPECT_EQ(c.text, registry->GetStringValue(HKEY_CURRENT_USER, key.c_str(), "s"));
    }
}

TEST_P(RegistryConformance, NullValueNameReadsTheFirstValueAsDecimalText)
{
    struct Entry {
        std::string name;
        DWORD type;
        std::string bytes;
    };
    const std::string sevens259 = std::string(259, '7') + '\0';
    const struct {
        std::vector<Entry> values;
        int32_t expected;
    } cases[] = {
        {{{"", REG_SZ, std::string("1\0", 2)}}, 1},
        {{{"", REG_SZ, std::string("12abc\0", 6)}}, 12},
        {{{"", REG_SZ, std::string(" -12")}}, -12},
        {{{"", REG_SZ, std::string("99999999999\0", 12)}}, INT32_MAX},
        {{{"", REG_DWORD, std::string("\5\0\0\0", 4)}}, 0},
        {{{"", REG_EXPAND_SZ, std::string("7\0", 2)}}, 0},
        {{}, 0},
        // Values come in name order without regard to case, "" first, and
        // "_" before the letters.
        {{{"b", REG_SZ, std::string("2\0", 2)}, {"A", REG_SZ, std::string("1\0", 2)}}, 1},
        {{{"a", REG_SZ, std::string("1\0", 2)}, {"_", REG_SZ, std::string("2\0", 2)}}, 2},
        {{{"0", REG_SZ, std::string("4\0", 2)}, {"", REG_SZ, std::string("3\0", 2)}}, 3},
        // A name of 259 characters and data of 260 bytes still fit.
        {{{std::string(259, 'n'), REG_SZ, std::string("7\0", 2)}}, 7},
        {{{std::string(260, 'n'), REG_SZ, std::string("7\0", 2)}}, 0},
        {{{"", REG_SZ, sevens259}}, INT32_MAX},
        {{{"", REG_SZ, '1' + sevens259}}, 0},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(index);
        const std::string key = Path("First" + std::to_string(index++));
        Api().CloseKey(registry->CreateKey(HKEY_CURRENT_USER, key.c_str()));
        for (const Entry& entry : c.values) {
            Put(HKEY_CURRENT_USER, key, entry.name.c_str(), entry.type, Bytes(entry.bytes));
        }
        EXPECT_EQ(c.expected, registry->GetDwordValue(HKEY_CURRENT_USER, key.c_str(), nullptr));
    }
    // The way the program writes it: a default value "1" handed over bare.
    registry->SetStringValue(HKEY_CURRENT_USER, Path("Unload").c_str(), "", "1");
    EXPECT_EQ(1, registry->GetDwordValue(HKEY_CURRENT_USER, Path("Unload").c_str(), nullptr));
}

TEST_P(RegistryConformance, WritesCreateMissingKeysAboveTheValue)
{
    for (HKEY root : kRoots) {
        EXPECT_EQ(1, registry->SetDwordValue(root, Path("A\\B\\C").c_str(), "d", 7));
        EXPECT_EQ(1, registry->SetBinaryValue(root, Path("D\\E").c_str(), "b", 7));
        EXPECT_EQ(1, registry->SetStringValue(root, Path("F\\G").c_str(), "s", "x"));
        EXPECT_TRUE(HasKey(root, Path("A\\B")));
        EXPECT_EQ(7, registry->GetDwordValue(root, Path("A\\B\\C").c_str(), "d"));
        EXPECT_EQ(7, registry->GetBinaryValue(root, Path("D\\E").c_str(), "b"));
        EXPECT_EQ("x", registry->GetStringValue(root, Path("F\\G").c_str(), "s"));
    }
    HKEY created = registry->CreateKey(HKEY_CURRENT_USER, Path("H\\I").c_str());
    ASSERT_NE(nullptr, created);
    EXPECT_EQ(ERROR_SUCCESS, Api().CloseKey(created));
    EXPECT_TRUE(HasKey(HKEY_CURRENT_USER, Path("H\\I")));
}

TEST_P(RegistryConformance, ValueExistsForAnyTypeAndForTheDefaultOnlyOnceSet)
{
    const std::string key = Path();
    Api().CloseKey(registry->CreateKey(HKEY_CURRENT_USER, key.c_str()));
    EXPECT_EQ(0, registry->ValueExists(HKEY_CURRENT_USER, key.c_str(), ""));
    Put(HKEY_CURRENT_USER, key, "empty", REG_BINARY, {});
    EXPECT_EQ(1, registry->ValueExists(HKEY_CURRENT_USER, key.c_str(), "empty"));
    EXPECT_EQ(1, registry->ValueExists(HKEY_CURRENT_USER, key.c_str(), "EMPTY"));
    registry->SetStringValue(HKEY_CURRENT_USER, key.c_str(), "", "");
    EXPECT_EQ(1, registry->ValueExists(HKEY_CURRENT_USER, key.c_str(), ""));
}

TEST_P(RegistryConformance, DeleteValueReportsOnlyTheOpeningOfItsKey)
{
    const std::string key = Path();
    registry->SetDwordValue(HKEY_CURRENT_USER, key.c_str(), "v", 1);
    EXPECT_EQ(ERROR_SUCCESS, registry->DeleteValue(HKEY_CURRENT_USER, key.c_str(), "V"));
    EXPECT_FALSE(Raw(HKEY_CURRENT_USER, key, "v").exists);
    EXPECT_EQ(ERROR_SUCCESS, registry->DeleteValue(HKEY_CURRENT_USER, key.c_str(), "v"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, registry->DeleteValue(HKEY_CURRENT_USER, Path("Missing").c_str(), "v"));
    EXPECT_FALSE(HasKey(HKEY_CURRENT_USER, Path("Missing")));
}

TEST_P(RegistryConformance, DeleteKeyRemovesOnlyAKeyWithoutSubkeys)
{
    for (HKEY root : kRoots) {
        registry->SetDwordValue(root, Path("Parent\\Child").c_str(), "v", 1);
        // The status the platform gives for a key that still has subkeys.
        EXPECT_EQ(ERROR_ACCESS_DENIED, registry->DeleteKey(root, Path("Parent").c_str()));
        EXPECT_EQ(1, registry->KeyExists(root, Path("Parent\\Child").c_str()));
        EXPECT_EQ(ERROR_SUCCESS, registry->DeleteKey(root, Path("Parent\\Child").c_str()));
        EXPECT_EQ(ERROR_SUCCESS, registry->DeleteKey(root, Path("parent").c_str()));
        EXPECT_EQ(0, registry->KeyExists(root, Path("Parent").c_str()));
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, registry->DeleteKey(root, Path("Parent").c_str()));
    }
}

TEST_P(RegistryConformance, KeyPathsAndValueNamesIgnoreCase)
{
    // The program spells one Explorer key both SoftWare and Software.
    EXPECT_EQ(1, registry->SetDwordValue(HKEY_CURRENT_USER, "SoftWare\\QuilvexTest\\Explorer", "Link", 1));
    EXPECT_EQ(1, registry->GetDwordValue(HKEY_CURRENT_USER, "Software\\QUILVEXTEST\\explorer", "LINK"));
    EXPECT_EQ(1, registry->SetDwordValue(HKEY_CURRENT_USER, "SOFTWARE\\quilvextest\\EXPLORER", "link", 2));
    EXPECT_EQ(2, registry->GetDwordValue(HKEY_CURRENT_USER, "SoftWare\\QuilvexTest\\Explorer", "Link"));
}
