#include "tests/support/memory_registry_api.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "text/cp932_text.h"

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
// Filled into a data buffer that was too small, so that nobody relies on it.
constexpr BYTE kUndefinedByte = 0xCD;

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// A name in the form names are compared in: ASCII letters in lower case
// (the registry's sort order puts "_" before letters), each double-byte
// character as it stands.
std::string Fold(const std::string& name)
{
    std::string folded(name);
    for (size_t i = 0; i < folded.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(folded[i]);
        if (IsCp932LeadByte(c)) {
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const { return Fold(a) < Fold(b); }
};

// Splits a key path at its backslashes; the second byte of a double-byte
// character is never a separator. Doubled and trailing backslashes are
// skipped; a leading one makes the path bad, as on the platform.
bool SplitPath(const char* path, std::vector<std::string>& parts)
{
    parts.clear();
    if (!path) {
        return true;
    }
    if (path[0] == '\\') {
        return false;
    }
    std::string part;
    for (const char* p = path; *p; ++p) {
        if (IsCp932LeadByte(static_cast<unsigned char>(*p)) && p[1]) {
            part += *p++;
            part += *p;
        } else if (*p == '\\') {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part += *p;
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    return true;
}

std::string JoinPath(const std::string& base, const std::vector<std::string>& parts)
{
    std::string path = base;
    for (const std::string& part : parts) {
        path += path.empty() ? part : "\\" + part;
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

}  // namespace

struct MemoryRegistryApi::Impl {
    struct Key {
        std::string name;  // as first spelled
        std::string path;  // below the root, as stored
        int tree = 0;
        std::map<std::string, std::shared_ptr<Key>, NameLess> subkeys;
        std::map<std::string, Value, NameLess> values;
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
        std::string foldedPath;
    };

    KeyPtr roots[kRootCount];
    std::map<uintptr_t, Handle> handles;
    uintptr_t nextHandle = 0x100;

    int calls = 0;
    std::map<Op, int> callsByOp;
    std::map<std::pair<int, std::string>, int> keyOpens;
    std::vector<SetCall> setCalls;

    std::vector<Denial> deniedRead;
    std::vector<Denial> deniedWrite;
    bool failCreate = false;
    bool failSet = false;
    int failCallAt = -1;
    bool failFromThereOn = false;
    bool growPending = false;
    std::string growName;
    DWORD growExtra = 0;

    Impl()
    {
        for (int i = 0; i < kRootCount; ++i) {
            roots[i] = std::make_shared<Key>();
            roots[i]->name = kRootNames[i];
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

    // The key behind a predefined root or an open handle (found even when
    // the handle lacks the access rights asked for).
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
        if (key->deleted) {
            return ERROR_KEY_DELETED;
        }
        return (it->second.access & needed) == needed ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
    }

    static KeyPtr Find(KeyPtr key, const std::vector<std::string>& parts)
    {
        for (const std::string& part : parts) {
            const auto it = key->subkeys.find(part);
            if (it == key->subkeys.end()) {
                return nullptr;
            }
            key = it->second;
        }
        return key;
    }

    static KeyPtr FindOrCreate(KeyPtr key, const std::vector<std::string>& parts, bool* created = nullptr)
    {
        if (created) {
            *created = false;
        }
        for (const std::string& part : parts) {
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
        std::vector<std::string> parts;
        if (index < 0 || !SplitPath(keyPath.c_str(), parts)) {
            return nullptr;
        }
        return Find(roots[index], parts);
    }

    static bool Covers(const std::vector<Denial>& denials, int tree, const std::string& path)
    {
        const std::string folded = Fold(path);
        return std::any_of(denials.begin(), denials.end(), [&](const Denial& denial) {
            return denial.tree == tree &&
                   (denial.foldedPath.empty() || folded == denial.foldedPath ||
                    folded.compare(0, denial.foldedPath.size() + 1, denial.foldedPath + "\\") == 0);
        });
    }

    bool Denied(int tree, const std::string& path, REGSAM access) const
    {
        return Covers((access & kWriteRights) ? deniedWrite : deniedRead, tree, path);
    }

    static Denial MakeDenial(HKEY root, const std::string& keyPath)
    {
        std::vector<std::string> parts;
        SplitPath(keyPath.c_str(), parts);
        return Denial{RootIndexOrThrow(root), Fold(JoinPath("", parts))};
    }

    // The key a path starts from and the path's names.
    LONG Locate(HKEY root, const char* subKey, KeyPtr& base, std::vector<std::string>& parts) const
    {
        if (const LONG status = Resolve(root, 0, base)) {
            return status;
        }
        return SplitPath(subKey, parts) ? ERROR_SUCCESS : ERROR_BAD_PATHNAME;
    }

    LONG Store(HKEY hkey, const char* valueName, DWORD type, const BYTE* data, DWORD size, bool keepTerminatorBehind);

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
    Impl& im = *m_impl;
    if (result) {
        *result = nullptr;
    }
    if (im.BeginCall(Op::OpenKey)) {
        return ERROR_ACCESS_DENIED;
    }
    if (!result) {
        return ERROR_INVALID_PARAMETER;
    }
    Impl::KeyPtr base;
    std::vector<std::string> parts;
    if (const LONG status = im.Locate(root, subKey, base, parts)) {
        return status;
    }
    // Opening a predefined root itself gives back the root, not a new handle.
    if (parts.empty() && RootIndex(root) >= 0) {
        *result = root;
        return ERROR_SUCCESS;
    }
    const Impl::KeyPtr key = Impl::Find(base, parts);
    if (!key) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (im.Denied(key->tree, key->path, access)) {
        return ERROR_ACCESS_DENIED;
    }
    *result = im.NewHandle(key, access);
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
    std::vector<std::string> parts;
    if (const LONG status = im.Locate(root, subKey, base, parts)) {
        return status;
    }
    if (im.Denied(base->tree, JoinPath(base->path, parts), access)) {
        return ERROR_ACCESS_DENIED;
    }
    bool created = false;
    const Impl::KeyPtr key = Impl::FindOrCreate(base, parts, &created);
    if (disposition) {
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    *result = im.NewHandle(key, access);
    return ERROR_SUCCESS;
}

LONG MemoryRegistryApi::QueryValueEx(HKEY hkey, const char* valueName, DWORD* type, BYTE* data, DWORD* size)
{
    Impl& im = *m_impl;
    if (im.BeginCall(Op::QueryValue)) {
        return ERROR_ACCESS_DENIED;
    }
    Impl::KeyPtr key;
    if (const LONG status = im.Resolve(hkey, KEY_QUERY_VALUE, key)) {
        return status;
    }
    if (data && !size) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto it = key->values.find(valueName ? valueName : "");
    if (it == key->values.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    std::vector<BYTE>& stored = it->second.data;
    const DWORD length = static_cast<DWORD>(stored.size());
    if (type) {
        *type = it->second.type;
    }
    if (data) {
        const DWORD capacity = *size;
        *size = length;
        if (capacity < length) {
            std::fill(data, data + capacity, kUndefinedByte);
            return ERROR_MORE_DATA;
        }
        std::copy(stored.begin(), stored.end(), data);
    } else if (size) {
        *size = length;
        // Another writer makes the value longer before the data is read.
        if (im.growPending && !NameLess()(it->first, im.growName) && !NameLess()(im.growName, it->first)) {
            im.growPending = false;
            stored.insert(stored.end(), im.growExtra, 'x');
        }
    }
    return ERROR_SUCCESS;
}

LONG MemoryRegistryApi::EnumValue(HKEY hkey, DWORD index, char* name, DWORD* nameLength, DWORD* type, BYTE* data,
                                  DWORD* dataLength)
{
    Impl& im = *m_impl;
    if (im.BeginCall(Op::EnumValue)) {
        return ERROR_ACCESS_DENIED;
    }
    Impl::KeyPtr key;
    if (const LONG status = im.Resolve(hkey, KEY_QUERY_VALUE, key)) {
        return status;
    }
    if (!name || !nameLength || (data && !dataLength)) {
        return ERROR_INVALID_PARAMETER;
    }
    if (index >= key->values.size()) {
        return ERROR_NO_MORE_ITEMS;
    }
    const auto it = std::next(key->values.begin(), index);
    const std::string& valueName = it->first;
    const Value& value = it->second;
    const DWORD length = static_cast<DWORD>(value.data.size());
    if (type) {
        *type = value.type;
    }
    const DWORD dataCapacity = dataLength ? *dataLength : 0;
    if (dataLength) {
        *dataLength = length;
    }
    // The name's capacity counts its terminator; it is left as it was when
    // anything does not fit.
    if (*nameLength < valueName.size() + 1 || (data && dataCapacity < length)) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(name, valueName.c_str(), valueName.size() + 1);
    *nameLength = static_cast<DWORD>(valueName.size());
    if (data) {
        std::copy(value.data.begin(), value.data.end(), data);
    }
    return ERROR_SUCCESS;
}

LONG MemoryRegistryApi::SetValueEx(HKEY hkey, const char* valueName, DWORD type, const BYTE* data, DWORD size)
{
    return m_impl->Store(hkey, valueName, type, data, size, true);
}

LONG MemoryRegistryApi::QueryStoredValue(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* size)
{
    return QueryValueEx(key, valueName, type, data, size);
}

LONG MemoryRegistryApi::SetStoredValue(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size)
{
    return m_impl->Store(key, valueName, type, data, size, false);
}

// SetValueEx keeps the terminator behind string data, as the ANSI function
// does; the stored form is kept exactly as handed over.
LONG MemoryRegistryApi::Impl::Store(HKEY hkey, const char* valueName, DWORD type, const BYTE* data, DWORD size,
                                    bool keepTerminatorBehind)
{
    const bool fail = BeginCall(Op::SetValue);
    KeyPtr key;
    const LONG resolved = Resolve(hkey, KEY_SET_VALUE, key);
    SetCall call{key ? key->path : std::string(), valueName ? valueName : "", type, {}};
    if (data) {
        call.data.assign(data, data + size);
    }
    setCalls.push_back(std::move(call));

    if (fail) {
        return ERROR_ACCESS_DENIED;
    }
    if (resolved != ERROR_SUCCESS) {
        return resolved;
    }
    if (failSet) {
        return ERROR_CANTWRITE;
    }
    if (!data && size) {
        return ERROR_NOACCESS;
    }
    Value value;
    value.type = type;
    if (data) {
        value.data.assign(data, data + size);
        // The platform keeps the terminator that follows string data handed
        // over without it (it reads the byte behind the counted ones).
        if (keepTerminatorBehind && IsStringType(type) && size && data[size - 1] != 0 && data[size] == 0) {
            value.data.push_back(0);
        }
    }
    // An existing value keeps the spelling of its name.
    key->values[valueName ? valueName : ""] = std::move(value);
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
    return key->values.erase(valueName ? valueName : "") ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
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
    std::vector<std::string> parts;
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
    std::vector<std::string> fullPath;
    SplitPath(key->path.c_str(), fullPath);
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
    std::vector<std::string> parts;
    SplitPath(keyPath.c_str(), parts);
    const Impl::KeyPtr key = Impl::FindOrCreate(m_impl->roots[RootIndexOrThrow(root)], parts);
    Value& value = key->values[valueName];
    value.type = type;
    value.data = data;
}

void MemoryRegistryApi::PutKey(HKEY root, const std::string& keyPath)
{
    std::vector<std::string> parts;
    SplitPath(keyPath.c_str(), parts);
    Impl::FindOrCreate(m_impl->roots[RootIndexOrThrow(root)], parts);
}

bool MemoryRegistryApi::HasKey(HKEY root, const std::string& keyPath) const
{
    return m_impl->FindSeeded(root, keyPath) != nullptr;
}

bool MemoryRegistryApi::HasValue(HKEY root, const std::string& keyPath, const std::string& valueName) const
{
    const Impl::KeyPtr key = m_impl->FindSeeded(root, keyPath);
    return key && key->values.count(valueName);
}

MemoryRegistryApi::Value MemoryRegistryApi::GetValue(HKEY root, const std::string& keyPath,
                                                     const std::string& valueName) const
{
    const Impl::KeyPtr key = m_impl->FindSeeded(root, keyPath);
    if (!key) {
        throw std::out_of_range("no such registry key: " + keyPath);
    }
    const auto it = key->values.find(valueName);
    if (it == key->values.end()) {
        throw std::out_of_range("no such registry value: " + keyPath + " " + valueName);
    }
    return it->second;
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
            auto& values = snapshot[kRootNames[key->tree] + (key->path.empty() ? "" : "\\" + key->path)];
            values.insert(key->values.begin(), key->values.end());
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
    std::vector<std::string> parts;
    SplitPath(keyPath.c_str(), parts);
    const auto it = m_impl->keyOpens.find({RootIndexOrThrow(root), Fold(JoinPath("", parts))});
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
    m_impl->growName = valueName;
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
