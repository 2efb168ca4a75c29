#include "tests/support/memory_registry_api.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "tests/support/cp932_conversion.h"

#ifndef ERROR_BAD_PATHNAME
#define ERROR_BAD_PATHNAME 161L
#endif
#ifndef ERROR_NOACCESS
#define ERROR_NOACCESS 998L
#endif

namespace {

using Op = MemoryRegistryApi::Op;
using Value = MemoryRegistryApi::Value;

const char* const kRootNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS"};
constexpr int kRootCount = 4;
constexpr uintptr_t kFirstRoot = 0x80000000u;
constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
// Filled into the buffers of a read that reported ERROR_MORE_DATA, so that
// nobody relies on them.
constexpr BYTE kUndefinedByte = 0xCD;

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// A name as the ANSI functions hand it on; a null name is the empty one.
std::u16string Wide(const char* name)
{
    return name ? Cp932ToUtf16(name, std::strlen(name)) : std::u16string();
}

// The lower case of the letters that code page 932 holds (ASCII, Greek,
// Cyrillic, Roman numerals and full-width Latin), as the registry compares
// names: in lower case, so that "_" sorts before the letters.
char16_t LowerCase(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0x0391 && c <= 0x03A9) ||
        (c >= 0x0410 && c <= 0x042F)) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x0400 && c <= 0x040F) return static_cast<char16_t>(c + 0x50);
    if (c >= 0x2160 && c <= 0x216F) return static_cast<char16_t>(c + 0x10);
    return c;
}

std::u16string Fold(const std::u16string& name)
{
    std::u16string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), LowerCase);
    return folded;
}

struct NameLess {
    bool operator()(const std::u16string& a, const std::u16string& b) const { return Fold(a) < Fold(b); }
};

// Splits a key path at its backslashes. Doubled and trailing backslashes
// are skipped; a leading one makes the path bad, as on the platform.
bool SplitPath(const std::u16string& path, std::vector<std::u16string>& parts)
{
    parts.clear();
    if (!path.empty() && path[0] == u'\\') {
        return false;
    }
    std::u16string part;
    for (char16_t c : path) {
        if (c != u'\\') {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    return true;
}

std::u16string JoinPath(const std::u16string& base, const std::vector<std::u16string>& parts)
{
    std::u16string path = base;
    for (const std::u16string& part : parts) {
        path += path.empty() ? part : u"\\" + part;
    }
    return path;
}

int RootIndex(HKEY key)
{
    const uintptr_t value = reinterpret_cast<uintptr_t>(key);
    return value >= kFirstRoot && value < kFirstRoot + kRootCount ? static_cast<int>(value - kFirstRoot) : -1;
}

int RootIndexOrThrow(HKEY key)
{
    const int index = RootIndex(key);
    if (index < 0) {
        throw std::invalid_argument("not a predefined registry root");
    }
    return index;
}

// Value data as the ANSI functions see it: strings in code page 932 (an odd
// byte at the end of UTF-16 data is dropped), everything else as stored.
std::vector<BYTE> AnsiData(const Value& value)
{
    if (!IsStringType(value.type)) {
        return value.data;
    }
    const std::string ansi = Utf16ToCp932(Utf16FromBytes(value.data.data(), value.data.size()));
    return std::vector<BYTE>(ansi.begin(), ansi.end());
}

// The stored form of data handed to the ANSI functions.
std::vector<BYTE> StoredData(DWORD type, const BYTE* data, DWORD size)
{
    if (!data) {
        return {};
    }
    if (!IsStringType(type)) {
        return std::vector<BYTE>(data, data + size);
    }
    const std::string wide = Utf16Bytes(Cp932ToUtf16(reinterpret_cast<const char*>(data), size));
    return std::vector<BYTE>(wide.begin(), wide.end());
}

// The read of a value's data into a caller's buffer that both query
// functions share: ERROR_MORE_DATA when it does not fit, else the data and,
// for a string not ending in NUL with room behind it, a NUL of `unit` bytes
// that the reported size leaves out.
LONG CopyOut(const std::vector<BYTE>& bytes, bool isString, size_t unit, BYTE* data, DWORD capacity)
{
    const size_t length = bytes.size();
    if (capacity < length) {
        std::fill(data, data + capacity, kUndefinedByte);
        return ERROR_MORE_DATA;
    }
    std::copy(bytes.begin(), bytes.end(), data);
    const bool endsInNul = length < unit || std::all_of(data + length - unit, data + length, [](BYTE b) { return !b; });
    if (isString && length + unit <= capacity && !endsInNul) {
        std::fill(data + length, data + length + unit, 0);
    }
    return ERROR_SUCCESS;
}

// A name into a caller's buffer of *length characters, terminator
// included, as the W enumerations give it.
LONG CopyName(const std::u16string& stored, char16_t* name, DWORD* length)
{
    if (stored.size() >= *length) {
        std::fill(name, name + *length, static_cast<char16_t>(kUndefinedByte * 0x101));
        return ERROR_MORE_DATA;
    }
    std::copy(stored.begin(), stored.end(), name);
    name[stored.size()] = 0;
    *length = static_cast<DWORD>(stored.size());
    return ERROR_SUCCESS;
}

}  // namespace

struct MemoryRegistryApi::Impl {
    using ValueMap = std::map<std::u16string, Value, NameLess>;
    struct Key {
        std::u16string name;  // as first spelled
        std::u16string path;  // below the root, as stored
        int tree = 0;
        std::map<std::u16string, std::shared_ptr<Key>, NameLess> subkeys;
        ValueMap values;  // in the stored form
        bool deleted = false;
    };
    using KeyPtr = std::shared_ptr<Key>;

    struct Handle {
        KeyPtr key;
        REGSAM access;
    };

    // A denied subtree: a root and a folded path below it ("" = all of it).
    struct Denial {
        int tree;
        std::u16string foldedPath;
    };

    KeyPtr roots[kRootCount];
    std::map<uintptr_t, Handle> handles;
    uintptr_t nextHandle = 0x100;

    int calls = 0;
    std::map<Op, int> callsByOp;
    std::map<std::pair<int, std::u16string>, int> keyOpens;
    std::vector<SetCall> setCalls;

    std::vector<Denial> deniedRead;
    std::vector<Denial> deniedWrite;
    bool failCreate = false;
    bool failSet = false;
    int failCallAt = -1;
    bool failFromThereOn = false;
    bool growPending = false;
    std::u16string growName;
    DWORD growExtra = 0;

    Impl()
    {
        for (int i = 0; i < kRootCount; ++i) {
            roots[i] = std::make_shared<Key>();
            roots[i]->tree = i;
        }
    }

    // Counts the call; true when an injected fault makes it fail.
    bool BeginCall(Op op)
    {
        const int number = calls++;
        ++callsByOp[op];
        return failCallAt >= 0 && (number == failCallAt || (failFromThereOn && number > failCallAt));
    }

    // The key behind a predefined root or an open handle. The handle's
    // access rights are checked before whether its key still exists.
    LONG Resolve(HKEY hkey, REGSAM needed, KeyPtr& key) const
    {
        const int root = RootIndex(hkey);
        if (root >= 0) {
            key = roots[root];
            return ERROR_SUCCESS;
        }
        const auto it = handles.find(reinterpret_cast<uintptr_t>(hkey));
        if (it == handles.end()) {
            return ERROR_INVALID_HANDLE;
        }
        key = it->second.key;
        if ((it->second.access & needed) != needed) {
            return ERROR_ACCESS_DENIED;
        }
        return key->deleted ? ERROR_KEY_DELETED : ERROR_SUCCESS;
    }

    static KeyPtr Find(KeyPtr key, const std::vector<std::u16string>& parts)
    {
        for (const std::u16string& part : parts) {
            const auto it = key->subkeys.find(part);
            if (it == key->subkeys.end()) {
                return nullptr;
            }
            key = it->second;
        }
        return key;
    }

    static KeyPtr FindOrCreate(KeyPtr key, const std::vector<std::u16string>& parts, bool* created = nullptr)
    {
        if (created) {
            *created = false;
        }
        for (const std::u16string& part : parts) {
            KeyPtr& child = key->subkeys[part];
            if (!child) {
                child = std::make_shared<Key>();
                child->name = part;
                child->path = JoinPath(key->path, {part});
                child->tree = key->tree;
                if (created) {
                    *created = true;
                }
            }
            key = child;
        }
        return key;
    }

    // For the seeding and inspecting calls: null for a bad root or path.
    KeyPtr FindSeeded(HKEY root, const std::string& keyPath) const
    {
        const int index = RootIndex(root);
        std::vector<std::u16string> parts;
        if (index < 0 || !SplitPath(Wide(keyPath.c_str()), parts)) {
            return nullptr;
        }
        return Find(roots[index], parts);
    }

    KeyPtr Seed(HKEY root, const std::string& keyPath)
    {
        std::vector<std::u16string> parts;
        SplitPath(Wide(keyPath.c_str()), parts);
        return FindOrCreate(roots[RootIndexOrThrow(root)], parts);
    }

    const Value& SeededValue(HKEY root, const std::string& keyPath, const std::string& valueName) const
    {
        const KeyPtr key = FindSeeded(root, keyPath);
        if (!key) {
            throw std::out_of_range("no such registry key: " + keyPath);
        }
        const auto it = key->values.find(Wide(valueName.c_str()));
        if (it == key->values.end()) {
            throw std::out_of_range("no such registry value: " + keyPath + " " + valueName);
        }
        return it->second;
    }

    static bool Covers(const std::vector<Denial>& denials, int tree, const std::u16string& path)
    {
        const std::u16string folded = Fold(path);
        return std::any_of(denials.begin(), denials.end(), [&](const Denial& denial) {
            return denial.tree == tree &&
                   (denial.foldedPath.empty() || folded == denial.foldedPath ||
                    folded.compare(0, denial.foldedPath.size() + 1, denial.foldedPath + u"\\") == 0);
        });
    }

    bool Denied(int tree, const std::u16string& path, REGSAM access) const
    {
        return Covers((access & kWriteRights) ? deniedWrite : deniedRead, tree, path);
    }

    static Denial MakeDenial(HKEY root, const std::string& keyPath)
    {
        std::vector<std::u16string> parts;
        SplitPath(Wide(keyPath.c_str()), parts);
        return Denial{RootIndexOrThrow(root), Fold(JoinPath(u"", parts))};
    }

    // The key a path starts from and the path's names.
    LONG Locate(HKEY root, const char* subKey, KeyPtr& base, std::vector<std::u16string>& parts) const
    {
        if (const LONG status = Resolve(root, 0, base)) {
            return status;
        }
        return SplitPath(Wide(subKey), parts) ? ERROR_SUCCESS : ERROR_BAD_PATHNAME;
    }

    // The value a query asks for, in the stored form.
    LONG FindValue(HKEY hkey, const std::u16string& name, Value*& value)
    {
        KeyPtr key;
        if (const LONG status = Resolve(hkey, KEY_QUERY_VALUE, key)) {
            return status;
        }
        const auto it = key->values.find(name);
        if (it == key->values.end()) {
            return ERROR_FILE_NOT_FOUND;
        }
        value = &it->second;
        return ERROR_SUCCESS;
    }

    // Another writer makes the value longer between a size query and the
    // data query that follows (a string by as many characters).
    void GrowAfterSizeQuery(const std::u16string& name, Value& value)
    {
        if (!growPending || Fold(name) != Fold(growName)) {
            return;
        }
        growPending = false;
        for (DWORD i = 0; i < growExtra; ++i) {
            value.data.push_back('x');
            if (IsStringType(value.type)) value.data.push_back(0);
        }
    }

    LONG Open(HKEY root, const std::u16string& subKey, REGSAM access, HKEY* result);

    // The index-th value of a key, after the checks both value enumerations make.
    LONG ValueAt(HKEY hkey, DWORD index, bool validArguments, ValueMap::const_iterator& it)
    {
        if (BeginCall(Op::EnumValue)) {
            return ERROR_ACCESS_DENIED;
        }
        if (!validArguments) {
            return ERROR_INVALID_PARAMETER;
        }
        KeyPtr key;
        if (const LONG status = Resolve(hkey, KEY_QUERY_VALUE, key)) {
            return status;
        }
        if (index >= key->values.size()) {
            return ERROR_NO_MORE_ITEMS;
        }
        it = std::next(key->values.cbegin(), index);
        return ERROR_SUCCESS;
    }
    LONG Store(HKEY hkey, const char* valueName, const std::u16string& name, DWORD type, const BYTE* data, DWORD size,
               const std::vector<BYTE>& stored);

    HKEY NewHandle(const KeyPtr& key, REGSAM access)
    {
        const uintptr_t value = nextHandle;
        nextHandle += 4;
        handles[value] = Handle{key, access};
        ++keyOpens[{key->tree, Fold(key->path)}];
        return reinterpret_cast<HKEY>(value);
    }
};

MemoryRegistryApi::MemoryRegistryApi() : m_impl(new Impl) {}

MemoryRegistryApi::~MemoryRegistryApi() = default;

LONG MemoryRegistryApi::OpenKeyEx(HKEY root, const char* subKey, DWORD, REGSAM access, HKEY* result)
{
    return m_impl->Open(root, subKey ? Wide(subKey) : std::u16string(), access, result);
}

LONG MemoryRegistryApi::OpenKeyExW(HKEY key, const char16_t* subKey, REGSAM access, HKEY* result)
{
    return m_impl->Open(key, subKey ? std::u16string(subKey) : std::u16string(), access, result);
}

LONG MemoryRegistryApi::Impl::Open(HKEY root, const std::u16string& subKey, REGSAM access, HKEY* result)
{
    if (result) {
        *result = nullptr;
    }
    if (BeginCall(Op::OpenKey)) {
        return ERROR_ACCESS_DENIED;
    }
    if (!result) {
        return ERROR_INVALID_PARAMETER;
    }
    // Opening a predefined root itself gives back the root, not a new handle.
    if (subKey.empty() && RootIndex(root) >= 0) {
        *result = root;
        return ERROR_SUCCESS;
    }
    KeyPtr base;
    std::vector<std::u16string> parts;
    if (const LONG status = Resolve(root, 0, base)) {
        return status;
    }
    if (!SplitPath(subKey, parts)) {
        return ERROR_BAD_PATHNAME;
    }
    const KeyPtr key = Find(base, parts);
    if (!key) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (Denied(key->tree, key->path, access)) {
        return ERROR_ACCESS_DENIED;
    }
    *result = NewHandle(key, access);
    return ERROR_SUCCESS;
}

LONG MemoryRegistryApi::CreateKeyEx(HKEY root, const char* subKey, DWORD, const char*, DWORD, REGSAM access,
                                    HKEY* result, DWORD* disposition)
{
    Impl& im = *m_impl;
    if (result) {
        *result = nullptr;
    }
    if (im.BeginCall(Op::CreateKey) || im.failCreate) {
        return ERROR_ACCESS_DENIED;
    }
    if (!result) {
        return ERROR_INVALID_PARAMETER;
    }
    Impl::KeyPtr base;
    std::vector<std::u16string> parts;
    if (const LONG status = im.Locate(root, subKey, base, parts)) {
        return status;
    }
    if (im.Denied(base->tree, JoinPath(base->path, parts), access)) {
        return ERROR_ACCESS_DENIED;
    }
    bool created = false;
    const Impl::KeyPtr key = Impl::FindOrCreate(base, parts, &created);
    // Wine reports the key itself (an empty path) as created.
    if (disposition) {
        *disposition = created || parts.empty() ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    *result = im.NewHandle(key, access);
    return ERROR_SUCCESS;
}

// As RegQueryValueExA: the type is REG_NONE and a size query's size 0 until
// the value is found; a string's size is that of its ANSI form, which is
// what gets copied.
LONG MemoryRegistryApi::QueryValueEx(HKEY hkey, const char* valueName, DWORD* type, BYTE* data, DWORD* size)
{
    Impl& im = *m_impl;
    if (im.BeginCall(Op::QueryValue)) {
        return ERROR_ACCESS_DENIED;
    }
    if (data && !size) {
        return ERROR_INVALID_PARAMETER;
    }
    const DWORD capacity = size ? *size : 0;
    if (!data && size) {
        *size = 0;
    }
    if (type) {
        *type = REG_NONE;
    }
    const std::u16string name = Wide(valueName);
    Value* value = nullptr;
    if (const LONG status = im.FindValue(hkey, name, value)) {
        return status;
    }
    const std::vector<BYTE> bytes = AnsiData(*value);
    LONG status = ERROR_SUCCESS;
    if (data && !bytes.empty()) {
        status = CopyOut(bytes, IsStringType(value->type), 1, data, capacity);
    }
    if (type) {
        *type = value->type;
    }
    if (size) {
        *size = static_cast<DWORD>(bytes.size());
    }
    if (!data) {
        im.GrowAfterSizeQuery(name, *value);
    }
    return status;
}

// As RegQueryValueExW: the stored bytes, and the type left alone when the
// value cannot be read.
LONG MemoryRegistryApi::QueryStoredValue(HKEY hkey, const char* valueName, DWORD* type, BYTE* data, DWORD* size)
{
    Impl& im = *m_impl;
    if (im.BeginCall(Op::QueryValue)) {
        return ERROR_ACCESS_DENIED;
    }
    if (data && !size) {
        return ERROR_INVALID_PARAMETER;
    }
    const DWORD capacity = size ? *size : 0;
    if (!data && size) {
        *size = 0;
    }
    const std::u16string name =
        Cp932ToUtf16LikeMultiByteToWideChar(valueName ? valueName : "", valueName ? std::strlen(valueName) : 0);
    Value* value = nullptr;
    if (const LONG status = im.FindValue(hkey, name, value)) {
        return status;
    }
    LONG status = ERROR_SUCCESS;
    if (data) {
        status = CopyOut(value->data, IsStringType(value->type), sizeof(char16_t), data, capacity);
    }
    if (type) {
        *type = value->type;
    }
    if (size) {
        *size = static_cast<DWORD>(value->data.size());
    }
    if (!data) {
        im.GrowAfterSizeQuery(name, *value);
    }
    return status;
}

// As RegEnumValueA: the data first, then the name; a name that does not fit
// leaves its capacity as it was.
LONG MemoryRegistryApi::EnumValue(HKEY hkey, DWORD index, char* name, DWORD* nameLength, DWORD* type, BYTE* data,
                                  DWORD* dataLength)
{
    Impl::ValueMap::const_iterator it;
    if (const LONG status = m_impl->ValueAt(hkey, index, (!data || dataLength) && name && nameLength, it)) {
        return status;
    }
    const Value& value = it->second;
    const std::vector<BYTE> bytes = AnsiData(value);
    LONG status = ERROR_SUCCESS;
    if (data && !bytes.empty()) {
        status = CopyOut(bytes, IsStringType(value.type), 1, data, *dataLength);
    }
    if (status == ERROR_SUCCESS) {
        const std::string ansiName = Utf16ToCp932(it->first);
        if (ansiName.size() < *nameLength) {
            std::memcpy(name, ansiName.c_str(), ansiName.size() + 1);
            *nameLength = static_cast<DWORD>(ansiName.size());
        } else {
            status = ERROR_MORE_DATA;
            std::fill(name, name + *nameLength, static_cast<char>(kUndefinedByte));
            if (data) std::fill(data, data + *dataLength, kUndefinedByte);
        }
    }
    if (type) {
        *type = value.type;
    }
    if (dataLength) {
        *dataLength = static_cast<DWORD>(bytes.size());
    }
    return status;
}

// As RegEnumKeyExW: a name that does not fit leaves its capacity as it was.
LONG MemoryRegistryApi::EnumKeyExW(HKEY hkey, DWORD index, char16_t* name, DWORD* nameLength)
{
    Impl& im = *m_impl;
    if (im.BeginCall(Op::EnumKey)) {
        return ERROR_ACCESS_DENIED;
    }
    if (!name || !nameLength) {
        return ERROR_INVALID_PARAMETER;
    }
    Impl::KeyPtr key;
    if (const LONG status = im.Resolve(hkey, KEY_ENUMERATE_SUB_KEYS, key)) {
        return status;
    }
    if (index >= key->subkeys.size()) {
        return ERROR_NO_MORE_ITEMS;
    }
    return CopyName(std::next(key->subkeys.begin(), index)->first, name, nameLength);
}

// As RegEnumValueW: the name first, then the data, in the stored form.
LONG MemoryRegistryApi::EnumValueW(HKEY hkey, DWORD index, char16_t* name, DWORD* nameLength, DWORD* type, BYTE* data,
                                   DWORD* dataLength)
{
    Impl::ValueMap::const_iterator it;
    if (const LONG status = m_impl->ValueAt(hkey, index, (!data || dataLength) && name && nameLength, it)) {
        return status;
    }
    const Value& value = it->second;
    LONG status = CopyName(it->first, name, nameLength);
    if (data) {
        if (status == ERROR_SUCCESS) {
            status = CopyOut(value.data, IsStringType(value.type), sizeof(char16_t), data, *dataLength);
        } else {
            std::fill(data, data + *dataLength, kUndefinedByte);
        }
    }
    if (type) {
        *type = value.type;
    }
    if (dataLength) {
        *dataLength = static_cast<DWORD>(value.data.size());
    }
    return status;
}

// As RegSetValueExA: a string's bytes are read one past the count, for the
// terminator the caller may have left out, and converted to UTF-16.
LONG MemoryRegistryApi::SetValueEx(HKEY hkey, const char* valueName, DWORD type, const BYTE* data, DWORD size)
{
    DWORD count = size;
    if (data && count && IsStringType(type) && data[count - 1] && !data[count]) {
        ++count;
    }
    return m_impl->Store(hkey, valueName, Wide(valueName), type, data, size, StoredData(type, data, count));
}

// As RegSetValueExW: a string's data gains the NUL character that follows
// it when its last counted character is not NUL. The character is read at
// the UTF-16 unit boundaries: of an odd count, the last counted byte and
// the one behind it.
LONG MemoryRegistryApi::SetStoredValue(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size)
{
    DWORD count = size;
    if (data && count >= 2 && IsStringType(type)) {
        const DWORD last = (count / 2 - 1) * 2;
        if ((data[last] || data[last + 1]) && !data[last + 2] && !data[last + 3]) {
            count += 2;
        }
    }
    const std::u16string name =
        Cp932ToUtf16LikeMultiByteToWideChar(valueName ? valueName : "", valueName ? std::strlen(valueName) : 0);
    return m_impl->Store(key, valueName, name, type, data, size,
                         data ? std::vector<BYTE>(data, data + count) : std::vector<BYTE>());
}

LONG MemoryRegistryApi::Impl::Store(HKEY hkey, const char* valueName, const std::u16string& name, DWORD type,
                                    const BYTE* data, DWORD size, const std::vector<BYTE>& stored)
{
    const bool fail = BeginCall(Op::SetValue);
    KeyPtr key;
    const LONG resolved = Resolve(hkey, KEY_SET_VALUE, key);
    SetCall call{key ? Utf16ToCp932(key->path) : std::string(), valueName ? valueName : "", type, {}};
    if (data) {
        call.data.assign(data, data + size);
    }
    setCalls.push_back(std::move(call));

    if (fail) {
        return ERROR_ACCESS_DENIED;
    }
    if (!data && size) {
        return ERROR_NOACCESS;
    }
    if (resolved != ERROR_SUCCESS) {
        return resolved;
    }
    if (failSet) {
        return ERROR_CANTWRITE;
    }
    // An existing value keeps the spelling of its name.
    Value& value = key->values[name];
    value.type = type;
    value.data = stored;
    return ERROR_SUCCESS;
}

LONG MemoryRegistryApi::DeleteValue(HKEY hkey, const char* valueName)
{
    Impl& im = *m_impl;
    if (im.BeginCall(Op::DeleteValue)) {
        return ERROR_ACCESS_DENIED;
    }
    Impl::KeyPtr key;
    if (const LONG status = im.Resolve(hkey, KEY_SET_VALUE, key)) {
        return status;
    }
    return key->values.erase(Wide(valueName)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG MemoryRegistryApi::DeleteKey(HKEY root, const char* subKey)
{
    Impl& im = *m_impl;
    if (im.BeginCall(Op::DeleteKey)) {
        return ERROR_ACCESS_DENIED;
    }
    if (!subKey) {
        return ERROR_INVALID_PARAMETER;
    }
    Impl::KeyPtr base;
    std::vector<std::u16string> parts;
    if (const LONG status = im.Locate(root, subKey, base, parts)) {
        return status;
    }
    const Impl::KeyPtr key = Impl::Find(base, parts);
    if (!key) {
        return ERROR_FILE_NOT_FOUND;
    }
    // A root cannot be deleted, nor a key that still has subkeys.
    if (key->path.empty() || !key->subkeys.empty() || Impl::Covers(im.deniedWrite, key->tree, key->path)) {
        return ERROR_ACCESS_DENIED;
    }
    std::vector<std::u16string> fullPath;
    SplitPath(key->path, fullPath);
    fullPath.pop_back();
    Impl::Find(im.roots[key->tree], fullPath)->subkeys.erase(key->name);
    key->deleted = true;
    return ERROR_SUCCESS;
}

LONG MemoryRegistryApi::CloseKey(HKEY key)
{
    Impl& im = *m_impl;
    const bool fail = im.BeginCall(Op::CloseKey);
    LONG status = ERROR_SUCCESS;
    if (RootIndex(key) < 0 && !im.handles.erase(reinterpret_cast<uintptr_t>(key))) {
        status = ERROR_INVALID_HANDLE;
    }
    return fail ? ERROR_ACCESS_DENIED : status;
}

void MemoryRegistryApi::PutValue(HKEY root, const std::string& keyPath, const std::string& valueName, DWORD type,
                                 const std::vector<BYTE>& data)
{
    PutStoredValue(root, keyPath, valueName, type, StoredData(type, data.data(), static_cast<DWORD>(data.size())));
}

void MemoryRegistryApi::PutStoredValue(HKEY root, const std::string& keyPath, const std::string& valueName, DWORD type,
                                       const std::vector<BYTE>& data)
{
    Value& value = m_impl->Seed(root, keyPath)->values[Wide(valueName.c_str())];
    value.type = type;
    value.data = data;
}

void MemoryRegistryApi::PutStoredValue(HKEY root, const std::u16string& keyPath, const std::u16string& valueName,
                                       DWORD type, const std::vector<BYTE>& data)
{
    std::vector<std::u16string> parts;
    SplitPath(keyPath, parts);
    Value& value = Impl::FindOrCreate(m_impl->roots[RootIndexOrThrow(root)], parts)->values[valueName];
    value.type = type;
    value.data = data;
}

void MemoryRegistryApi::PutKey(HKEY root, const std::string& keyPath)
{
    m_impl->Seed(root, keyPath);
}

bool MemoryRegistryApi::HasKey(HKEY root, const std::string& keyPath) const
{
    return m_impl->FindSeeded(root, keyPath) != nullptr;
}

bool MemoryRegistryApi::HasValue(HKEY root, const std::string& keyPath, const std::string& valueName) const
{
    const Impl::KeyPtr key = m_impl->FindSeeded(root, keyPath);
    return key && key->values.count(Wide(valueName.c_str()));
}

MemoryRegistryApi::Value MemoryRegistryApi::GetValue(HKEY root, const std::string& keyPath,
                                                     const std::string& valueName) const
{
    const Value& stored = m_impl->SeededValue(root, keyPath, valueName);
    return Value{stored.type, AnsiData(stored)};
}

MemoryRegistryApi::Value MemoryRegistryApi::GetStoredValue(HKEY root, const std::string& keyPath,
                                                           const std::string& valueName) const
{
    return m_impl->SeededValue(root, keyPath, valueName);
}

std::map<std::string, std::map<std::string, MemoryRegistryApi::Value>> MemoryRegistryApi::Snapshot() const
{
    std::map<std::string, std::map<std::string, Value>> snapshot;
    std::vector<Impl::KeyPtr> pending(std::begin(m_impl->roots), std::end(m_impl->roots));
    while (!pending.empty()) {
        const Impl::KeyPtr key = pending.back();
        pending.pop_back();
        // Every key below a root shows, with or without values; a root only
        // when it holds values of its own.
        if (!key->path.empty() || !key->values.empty()) {
            const std::string path = Utf16ToCp932(key->path);
            auto& values = snapshot[kRootNames[key->tree] + (path.empty() ? "" : "\\" + path)];
            for (const auto& value : key->values) values[Utf16ToCp932(value.first)] = value.second;
        }
        for (const auto& subkey : key->subkeys) {
            pending.push_back(subkey.second);
        }
    }
    return snapshot;
}

int MemoryRegistryApi::OpenHandleCount() const
{
    return static_cast<int>(m_impl->handles.size());
}

int MemoryRegistryApi::CallCount() const
{
    return m_impl->calls;
}

int MemoryRegistryApi::CallCount(Op op) const
{
    const auto it = m_impl->callsByOp.find(op);
    return it == m_impl->callsByOp.end() ? 0 : it->second;
}

int MemoryRegistryApi::KeyOpenCount(HKEY root, const std::string& keyPath) const
{
    std::vector<std::u16string> parts;
    SplitPath(Wide(keyPath.c_str()), parts);
    const auto it = m_impl->keyOpens.find({RootIndexOrThrow(root), Fold(JoinPath(u"", parts))});
    return it == m_impl->keyOpens.end() ? 0 : it->second;
}

void MemoryRegistryApi::ResetCounters()
{
    m_impl->calls = 0;
    m_impl->callsByOp.clear();
    m_impl->keyOpens.clear();
    m_impl->setCalls.clear();
}

const std::vector<MemoryRegistryApi::SetCall>& MemoryRegistryApi::SetCalls() const
{
    return m_impl->setCalls;
}

void MemoryRegistryApi::DenyRead(HKEY root, const std::string& keyPath)
{
    m_impl->deniedRead.push_back(Impl::MakeDenial(root, keyPath));
}

void MemoryRegistryApi::DenyWrite(HKEY root, const std::string& keyPath)
{
    m_impl->deniedWrite.push_back(Impl::MakeDenial(root, keyPath));
}

void MemoryRegistryApi::FailCreateKey(bool fail)
{
    m_impl->failCreate = fail;
}

void MemoryRegistryApi::FailSetValue(bool fail)
{
    m_impl->failSet = fail;
}

void MemoryRegistryApi::FailCall(int n, bool fromThereOn)
{
    m_impl->failCallAt = n;
    m_impl->failFromThereOn = fromThereOn;
}

void MemoryRegistryApi::GrowValueAfterSizeQuery(const std::string& valueName, DWORD extra)
{
    m_impl->growPending = true;
    m_impl->growName = Wide(valueName.c_str());
    m_impl->growExtra = extra;
}

void MemoryRegistryApi::ClearFaults()
{
    Impl& im = *m_impl;
    im.deniedRead.clear();
    im.deniedWrite.clear();
    im.failCreate = false;
    im.failSet = false;
    im.failCallAt = -1;
    im.failFromThereOn = false;
    im.growPending = false;
}
