#include "backup/reg_file.h"

namespace {

// The registry editor breaks a long hex line after a comma that reaches
// this column and goes on, indented by two, after a backslash.
constexpr size_t kHexLineEnd = 77;

const char16_t kNewLine[] = u"\r\n";

void AppendHex(std::u16string& out, unsigned long number, int digits)
{
    static const char16_t kDigits[] = u"0123456789abcdef";
    std::u16string text;
    do {
        text.insert(text.begin(), kDigits[number & 0xF]);
        number >>= 4;
    } while (number || static_cast<int>(text.size()) < digits);
    out += text;
}

std::u16string Quoted(const std::u16string& text)
{
    std::u16string quoted = u"\"";
    for (char16_t c : text) {
        if (c == u'\\' || c == u'"') quoted += u'\\';
        quoted += c;
    }
    return quoted + u"\"";
}

// The registry editor reads a name up to the end of its line, and a key
// name up to "]" or "\".
bool IsWritableValueName(const std::u16string& name)
{
    return name.find_first_of(u"\r\n") == std::u16string::npos;
}

bool IsWritableKeyName(const std::u16string& name)
{
    return !name.empty() && name.find_first_of(u"\r\n]\\") == std::u16string::npos;
}

// Text the quoted form gives back exactly: one UTF-16 string with its one
// terminator, no other NUL and no control character.
bool IsPlainText(const SnapshotValue& value)
{
    const std::vector<BYTE>& data = value.data;
    if (value.type != REG_SZ || data.size() < 2 || data.size() % 2) return false;
    for (size_t i = 0; i + 2 < data.size(); i += 2)
        if (data[i + 1] == 0 && data[i] < 0x20) return false;
    return data[data.size() - 2] == 0 && data[data.size() - 1] == 0;
}

std::u16string TextOf(const std::vector<BYTE>& data)
{
    std::u16string text;
    for (size_t i = 0; i + 2 < data.size(); i += 2) text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    return text;
}

void AppendValue(std::u16string& out, const SnapshotValue& value)
{
    out += value.name.empty() ? u"@" : Quoted(value.name);
    out += u'=';
    const std::vector<BYTE>& data = value.data;
    if (!value.present) {
        out += u'-';
    } else if (value.type == REG_DWORD && data.size() == 4) {
        out += u"dword:";
        AppendHex(out, data[0] | data[1] << 8 | data[2] << 16 | static_cast<unsigned long>(data[3]) << 24, 8);
    } else if (IsPlainText(value)) {
        out += Quoted(TextOf(data));
    } else {
        if (value.type == REG_BINARY) {
            out += u"hex:";
        } else {
            out += u"hex(";
            AppendHex(out, value.type, 1);
            out += u"):";
        }
        size_t column = out.size() - out.rfind(u'\n') - 1;
        for (size_t i = 0; i < data.size(); ++i) {
            AppendHex(out, data[i], 2);
            if (i + 1 == data.size()) break;
            out += u',';
            column += 3;
            if (column >= kHexLineEnd) {
                out += u"\\";
                out += kNewLine;
                out += u"  ";
                column = 2;
            }
        }
    }
    out += kNewLine;
}

bool AppendValues(std::u16string& out, const std::vector<SnapshotValue>& values, std::u16string& unwritable)
{
    for (const SnapshotValue& value : values) {
        if (!IsWritableValueName(value.name)) {
            unwritable = value.name;
            return false;
        }
        AppendValue(out, value);
    }
    return true;
}

// A key and everything below it, each key under its own header.
bool AppendKeyWhole(std::u16string& out, const std::u16string& path, const SnapshotKey& key,
                    std::u16string& unwritable)
{
    out += u"[" + path + u"]" + kNewLine;
    if (!AppendValues(out, key.values, unwritable)) return false;
    out += kNewLine;
    for (const SnapshotKey& subkey : key.subkeys) {
        if (!IsWritableKeyName(subkey.name)) {
            unwritable = subkey.name;
            return false;
        }
        if (!AppendKeyWhole(out, path + u"\\" + subkey.name, subkey, unwritable)) return false;
    }
    return true;
}

std::u16string KeyPath(HKEY root, const char* path)
{
    std::u16string text = RootName(root);
    text += u'\\';
    while (*path) text += static_cast<char16_t>(*path++);
    return text;
}

}  // namespace

bool RenderRegFile(const RegistrySnapshot& snapshot, std::u16string& text, std::u16string& unwritable)
{
    text = u"Windows Registry Editor Version 5.00";
    text += kNewLine;
    text += kNewLine;
    // Keys shared with the system are never deleted: only the values the
    // program writes are put back, or deleted where they were absent.
    for (const SharedKeySnapshot& shared : snapshot.sharedKeys) {
        text += u"[" + KeyPath(shared.root, shared.path) + u"]" + kNewLine;
        if (!AppendValues(text, shared.values, unwritable)) return false;
        text += kNewLine;
    }
    // The program's own keys go first, with all it put in them, and come
    // back whole when they were there.
    for (const OwnedKeySnapshot& owned : snapshot.ownedKeys) {
        const std::u16string path = KeyPath(owned.root, owned.path);
        text += u"[-" + path + u"]" + kNewLine + kNewLine;
        if (owned.present && !AppendKeyWhole(text, path, owned.key, unwritable)) return false;
    }
    return true;
}

std::vector<BYTE> RegFileBytes(const std::u16string& text)
{
    std::vector<BYTE> bytes{0xFF, 0xFE};
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    return bytes;
}
