// The user's manual that ships with Quilvex.exe (release/readme.txt, UTF-8
// in the repository) against the catalogue the program itself uses: one
// entry per tweak, in the dialog's order, each naming the tweak's root, key
// path, value name and stored form exactly as the program reads and writes
// them. The stored form the manual names is the one the save pass stores.
// The manual's texts are compared as UTF-8 (u8 literals), whatever the
// compiler's execution character set.
#include <gtest/gtest.h>

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
const std::string kEntryMark = u8"◆ ";
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

// The entries of the tweak section, from "■ 各項目の説明" to the next "■".
std::vector<Entry> ReadTweakEntries()
{
    std::ifstream file(QUILVEX_README);
    EXPECT_TRUE(file) << "cannot read " << QUILVEX_README;
    std::vector<Entry> entries;
    bool inSection = false;
    for (std::string line; std::getline(file, line);) {
        if (line.rfind(u8"■", 0) == 0) {
            inSection = line == kTweakSection;
            continue;
        }
        if (!inSection) continue;
        if (line.rfind(kEntryMark, 0) == 0) {
            entries.push_back(Entry{line.substr(kEntryMark.size()), {}, {}});
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

// What the manual's "読み込み" line must name when reading differs from
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
            EXPECT_NE(std::string::npos, entry.text.find(ReadNote(tweak))) << entry.text;
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

}  // namespace
