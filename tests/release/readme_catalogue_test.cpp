// The user's manual that ships with Quilvex.exe (release/readme.txt, UTF-8
// in the repository) against the catalogue the program itself uses: one
// entry per tweak, in the dialog's order, each naming the tweak's root, key
// path, value name and stored form exactly as the program reads and writes
// them. The stored form the manual names is the one the save pass stores;
// where reading differs from writing, the appendix says how. The manual's
// texts are compared as UTF-8 (u8 literals), whatever the compiler's
// execution character set. No line is wider than Notepad shows in 76
// columns of its fixed-width font, as the release ships it: in code page 932.
// And the manual opens with a plain-ASCII block for readers on any locale,
// and its file list names every file the release ships.
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "registry/registry_access.h"
#include "res/resource.h"
#include "settings/settings_passes.h"
#include "settings/tweak_catalogue.h"
#include "tests/settings/fake_panel.h"
#include "tests/support/memory_registry_api.h"

namespace {

const std::string kTweakSection = u8"■ 各項目の説明";
const std::string kAppendixSection = u8"■ 付録：保存の形式と値の読み方（開発者向け）";
const std::string kEntryMark = u8"◆ ";
const std::string kAppendixMark = u8"◇ ";
const std::string kLabelEnd = u8"：";
const std::string kLabelPadding = u8"　";

// One tweak's entry: its heading, its labelled lines ("キー：..."), its text.
struct Entry {
    std::string heading;
    std::vector<std::pair<std::string, std::string>> fields;
    std::string text;

    // Empty when the entry has no such line.
    std::string Field(const std::string& label) const
    {
        for (const auto& [name, value] : fields)
            if (name == label) return value;
        return std::string();
    }
};

std::string StripLeadingSpaces(const std::string& line)
{
    const size_t start = line.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : line.substr(start);
}

std::string WithoutPadding(std::string label)
{
    for (size_t at; (at = label.find(kLabelPadding)) != std::string::npos;) label.erase(at, kLabelPadding.size());
    return label;
}

std::vector<std::string> ReadLines()
{
    std::ifstream file(QUILVEX_README);
    EXPECT_TRUE(file) << "cannot read " << QUILVEX_README;
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

// The manual's lines with every broken key path joined again: a line that
// ends in a backslash goes on in the next line, whose indent is not part of
// the path.
std::vector<std::string> ReadLogicalLines()
{
    std::vector<std::string> lines;
    bool continued = false;
    for (const std::string& line : ReadLines()) {
        if (continued)
            lines.back() += StripLeadingSpaces(line);
        else
            lines.push_back(line);
        continued = !line.empty() && line.back() == '\\';
    }
    return lines;
}

// The entries of a section, from its "■" heading to the next "■", each
// opening with the mark.
std::vector<Entry> ReadEntries(const std::string& section, const std::string& mark)
{
    std::vector<Entry> entries;
    bool inSection = false;
    for (const std::string& line : ReadLogicalLines()) {
        if (line.rfind(u8"■", 0) == 0) {
            inSection = line == section;
            continue;
        }
        if (!inSection) continue;
        if (line.rfind(mark, 0) == 0) {
            entries.push_back(Entry{line.substr(mark.size()), {}, {}});
            continue;
        }
        if (entries.empty()) continue;
        Entry& entry = entries.back();
        entry.text += line + "\n";
        const std::string content = StripLeadingSpaces(line);
        const size_t labelEnd = content.find(kLabelEnd);
        if (labelEnd != std::string::npos)
            entry.fields.emplace_back(WithoutPadding(content.substr(0, labelEnd)),
                                      content.substr(labelEnd + kLabelEnd.size()));
    }
    return entries;
}

std::vector<Entry> ReadTweakEntries()
{
    return ReadEntries(kTweakSection, kEntryMark);
}

std::string RootName(HKEY root)
{
    if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
    if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
    return "<another root>";
}

// A stored value as the manual names its form.
std::string FormName(const MemoryRegistryApi::Value& value)
{
    switch (value.type) {
    case REG_DWORD:
        return "REG_DWORD";
    case REG_BINARY:
        return u8"REG_BINARY、" + std::to_string(value.data.size()) + u8" バイト";
    case REG_SZ:
        return "REG_SZ";
    }
    return "<type " + std::to_string(value.type) + ">";
}

// The forms the save pass stores at each tweak's place (by catalogue index),
// from a save with every box ticked and one with none.
std::vector<std::set<std::string>> SavedForms()
{
    std::vector<std::set<std::string>> forms(kTweakCount);
    for (int ticked : {1, 0}) {
        MemoryRegistryApi api;
        RegistryAccess registry(api);
        FakePanel panel;
        for (const Tweak& tweak : kTweaks) panel.controls[tweak.checkboxId].check = ticked;
        panel.controls[IDC_IO_PAGE_LOCK_LIMIT_EDIT].text = "16384";
        panel.controls[IDC_MAX_CACHED_ICONS_EDIT].text = "500";
        SaveSettings(registry, panel);
        for (int i = 0; i < kTweakCount; ++i) {
            const Tweak& tweak = kTweaks[i];
            if (api.HasValue(tweak.root, tweak.keyPath, tweak.valueName))
                forms[i].insert(FormName(api.GetValue(tweak.root, tweak.keyPath, tweak.valueName)));
        }
    }
    return forms;
}

// What the manual's "値" line says: the value's name, or (既定) for the
// key's unnamed default value, and the form the save pass stores.
std::string ValueLine(const Tweak& tweak, const std::string& form)
{
    const std::string name = *tweak.valueName ? tweak.valueName : u8"(既定)";
    const std::string note = &tweak == &TweakOf(TweakId::HideRecycleBin) ? u8"、アイコンの名前" : "";
    return name + u8"（" + form + note + u8"）";
}

// What the appendix must say of a tweak whose reading differs from its
// writing: the form read, or how a key's first value is taken.
std::string ReadNote(const Tweak& tweak)
{
    switch (tweak.readAs) {
    case StoredForm::Dword:
        return "REG_DWORD";
    case StoredForm::BinaryBigEndian:
        return "REG_BINARY";
    case StoredForm::String:
        return "REG_SZ";
    case StoredForm::KeyFirstValue:
        return u8"キーの最初の値を 10 進数の文字列として読み";
    case StoredForm::KeyPresence:
        return u8"表示用のキーがなければチェックあり";
    }
    return "<unknown form>";
}

TEST(Readme, HasOneEntryPerTweakWithItsKeyValueAndStoredForm)
{
    const std::vector<Entry> entries = ReadTweakEntries();
    ASSERT_EQ(static_cast<size_t>(kTweakCount), entries.size());
    const std::vector<Entry> appendix = ReadEntries(kAppendixSection, kAppendixMark);
    const std::vector<std::set<std::string>> forms = SavedForms();
    for (int i = 0; i < kTweakCount; ++i) {
        const Tweak& tweak = kTweaks[i];
        const Entry& entry = entries[i];
        SCOPED_TRACE(std::string(tweak.name) + " / " + entry.heading);
        EXPECT_EQ(RootName(tweak.root) + "\\" + tweak.keyPath, entry.Field(u8"キー"));
        ASSERT_EQ(1u, forms[i].size()) << "one stored form, whether ticked or not";
        EXPECT_EQ(ValueLine(tweak, *forms[i].begin()), entry.Field(u8"値"));
        for (const char* label : {u8"チェックあり", u8"チェックなし", u8"元に戻すには"})
            EXPECT_NE(std::string::npos, entry.Field(label).find_first_not_of(' ')) << "no " << label << " line";
        const bool readDiffers = tweak.readAs != tweak.writtenAs || tweak.readAs == StoredForm::KeyFirstValue ||
                                 tweak.readAs == StoredForm::KeyPresence;
        if (readDiffers) {
            auto note = std::find_if(appendix.begin(), appendix.end(),
                                     [&](const Entry& noted) { return noted.heading == entry.heading; });
            ASSERT_NE(note, appendix.end()) << "no appendix entry";
            EXPECT_NE(std::string::npos, note->text.find(ReadNote(tweak))) << note->text;
        }
    }
}

TEST(Readme, NamesBothKeysOfTheRecycleBinSwitch)
{
    const std::vector<Entry> entries = ReadTweakEntries();
    const int index = static_cast<int>(TweakId::HideRecycleBin);
    ASSERT_LT(index, static_cast<int>(entries.size()));
    const std::string& text = entries[index].text;
    const std::string root = RootName(TweakOf(TweakId::HideRecycleBin).root) + "\\";
    EXPECT_NE(std::string::npos, text.find(root + kRecycleBinShownKey + "\n")) << text;
    EXPECT_NE(std::string::npos, text.find(root + kRecycleBinHiddenKey + "\n")) << text;
}

// Readers whose Windows is not Japanese see the manual's Japanese garbled;
// the block before the header is plain ASCII, which reads the same on any
// locale, and tells them what they need before running anything.
TEST(Readme, OpensWithAPlainAsciiBlockForEveryLocale)
{
    const std::vector<std::string> lines = ReadLines();
    const auto header =
        std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("=====", 0) == 0; });
    ASSERT_NE(header, lines.end()) << "no header line";
    ASSERT_NE(header, lines.begin()) << "nothing before the header";
    std::string block;
    for (auto line = lines.begin(); line != header; ++line) {
        const bool ascii =
            std::all_of(line->begin(), line->end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        EXPECT_TRUE(ascii) << "line " << (line - lines.begin()) + 1 << ": " << *line;
        block += *line + "\n";
    }
    for (const char* fact : {"Japanese", "restart", "QuilvexBackup.exe"})
        EXPECT_NE(std::string::npos, block.find(fact)) << "the block does not mention " << fact << ":\n" << block;
}

// The file list names every file the release ships, the backup program
// included.
TEST(Readme, FileListNamesEveryReleasedFile)
{
    const std::string label = u8"【ファイル構成】";
    const std::string continuation = u8"　";
    const std::vector<std::string> lines = ReadLines();
    auto line =
        std::find_if(lines.begin(), lines.end(), [&](const std::string& text) { return text.rfind(label, 0) == 0; });
    ASSERT_NE(line, lines.end()) << "no " << label;
    std::string list = *line;
    while (++line != lines.end() && line->rfind(continuation, 0) == 0) list += "\n" + *line;
    for (const char* file : {"Quilvex.exe", "QuilvexBackup.exe", "readme.txt", "SHA256SUMS"})
        EXPECT_NE(std::string::npos, list.find(file)) << file << " missing from:\n" << list;
}

// Notepad's fixed-width font gives a double-byte character two columns, a
// single-byte one (ASCII, half-width katakana) one: the line's length in
// code page 932.
size_t Cp932Columns(const std::string& utf8)
{
    iconv_t converter = iconv_open("CP932", "UTF-8");
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1)) << "no UTF-8 to CP932 converter";
    if (converter == reinterpret_cast<iconv_t>(-1)) return 0;
    std::string in = utf8, out(utf8.size() * 2, '\0');
    char* inAt = &in[0];
    char* outAt = &out[0];
    size_t inLeft = in.size(), outLeft = out.size();
    const size_t converted = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    EXPECT_NE(converted, static_cast<size_t>(-1)) << "not in code page 932: " << utf8;
    return out.size() - outLeft;
}

TEST(Readme, NoLineIsWiderThan76Columns)
{
    const std::vector<std::string> lines = ReadLines();
    ASSERT_FALSE(lines.empty());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_LE(Cp932Columns(lines[i]), 76u) << "line " << i + 1 << ": " << lines[i];
}

}  // namespace
