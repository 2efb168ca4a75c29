#include "registry/registry_access.h"

#include <cstring>
#include <memory>
#include <new>

#include "text/number_text.h"

namespace {

// The first value of a key is read with fixed buffers of this size, for its
// name (in characters, terminator included) and for its data (in bytes).
constexpr DWORD kFirstValueBufferSize = 260;

// Put behind data handed to the platform, where a NUL would count.
constexpr char kNotNul = 'X';

// Closes a key when the step that uses it is over, whichever way it ends.
class KeyCloser {
public:
    KeyCloser(RegistryApi& api, HKEY key) : m_api(api), m_key(key) {}
    ~KeyCloser() { m_api.CloseKey(m_key); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    RegistryApi& m_api;
    HKEY m_key;
};

// Runs one step on an opened key and closes the key after it; gives the
// failure result without running the step when the key did not open (null).
template <typename Result, typename Step>
Result RunOnKey(RegistryApi& api, HKEY key, Result failure, Step step)
{
    if (!key) {
        return failure;
    }
    KeyCloser closer(api, key);
    return step(key);
}

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// What a read gave back may be reported larger than the buffer it went to;
// only the bytes that fit in the buffer are ever looked at.
size_t BytesReturned(DWORD reported, DWORD capacity)
{
    return reported < capacity ? reported : capacity;
}

// Text stored without a terminator ends at the end of its data.
std::string TextUpToNul(const char* data, size_t length)
{
    const void* nul = std::memchr(data, '\0', length);
    return std::string(data, nul ? static_cast<const char*>(nul) - data : length);
}

}  // namespace

RegistryAccess::RegistryAccess(RegistryApi& api) : m_api(api) {}

RegistryAccess::~RegistryAccess() = default;

HKEY RegistryAccess::OpenForRead(HKEY root, const char* keyPath, LONG* status)
{
    HKEY key = nullptr;
    const LONG opened = m_api.OpenKeyEx(root, keyPath, 0, KEY_READ, &key);
    if (status) *status = opened;
    return opened == ERROR_SUCCESS ? key : nullptr;
}

HKEY RegistryAccess::OpenForWrite(HKEY root, const char* keyPath)
{
    HKEY key = nullptr;
    if (m_api.OpenKeyEx(root, keyPath, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        return key;
    }
    // A missing key and a denied access alike: try to create it.
    return CreateKey(root, keyPath);
}

HKEY RegistryAccess::CreateKey(HKEY root, const char* keyPath)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (m_api.CreateKeyEx(root, keyPath, 0, "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &key, &disposition) !=
        ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

int RegistryAccess::SetStringValue(HKEY root, const char* keyPath, const char* valueName, const char* text)
{
    return RunOnKey(m_api, OpenForWrite(root, keyPath), 0, [&](HKEY key) {
        StoreStringValue(key, valueName, text);
        return 1;
    });
}

std::string RegistryAccess::GetStringValue(HKEY root, const char* keyPath, const char* valueName)
{
    return RunOnKey(m_api, OpenForRead(root, keyPath), std::string(),
                    [&](HKEY key) { return QueryStringValue(key, valueName); });
}

int32_t RegistryAccess::GetDwordValue(HKEY root, const char* keyPath, const char* valueName)
{
    return RunOnKey(m_api, OpenForRead(root, keyPath), int32_t{0}, [&](HKEY key) {
        return valueName ? QueryDwordValue(key, valueName) : QueryFirstValueAsNumber(key);
    });
}

int RegistryAccess::SetDwordValue(HKEY root, const char* keyPath, const char* valueName, int32_t value)
{
    return RunOnKey(m_api, OpenForWrite(root, keyPath), 0, [&](HKEY key) {
        StoreDwordValue(key, valueName, value);
        return 1;
    });
}

int32_t RegistryAccess::GetBinaryValue(HKEY root, const char* keyPath, const char* valueName)
{
    return RunOnKey(m_api, OpenForRead(root, keyPath), int32_t{0},
                    [&](HKEY key) { return QueryBinaryValue(key, valueName); });
}

int RegistryAccess::SetBinaryValue(HKEY root, const char* keyPath, const char* valueName, int32_t value)
{
    return RunOnKey(m_api, OpenForWrite(root, keyPath), 0, [&](HKEY key) {
        StoreBinaryValue(key, valueName, value);
        return 1;
    });
}

RegistryValue RegistryAccess::GetStoredValue(HKEY root, const char* keyPath, const char* valueName)
{
    RegistryValue notOpened;
    const HKEY key = OpenForRead(root, keyPath, &notOpened.status);
    return RunOnKey(m_api, key, notOpened, [&](HKEY key) { return QueryStoredValue(key, valueName); });
}

int RegistryAccess::SetStoredValue(HKEY root, const char* keyPath, const char* valueName, const RegistryValue& value)
{
    // The platform adds a terminator to string data whose last character is
    // not L'\0' whenever the character after it in memory, the one that holds
    // the byte just behind the data, happens to be L'\0'. A byte other than
    // NUL there keeps it from doing so, whatever the byte count.
    const std::string guarded = value.data + kNotNul;
    return RunOnKey(m_api, OpenForWrite(root, keyPath), 0, [&](HKEY key) {
        m_api.SetStoredValue(key, valueName, value.type, reinterpret_cast<const BYTE*>(guarded.data()),
                             static_cast<DWORD>(value.data.size()));
        return 1;
    });
}

int RegistryAccess::ValueExists(HKEY root, const char* keyPath, const char* valueName)
{
    return RunOnKey(m_api, OpenForRead(root, keyPath), 0, [&](HKEY key) { return QueryValueExists(key, valueName); });
}

int RegistryAccess::KeyExists(HKEY root, const char* keyPath)
{
    return RunOnKey(m_api, OpenForRead(root, keyPath), 0, [](HKEY) { return 1; });
}

LONG RegistryAccess::DeleteKey(HKEY root, const char* keyPath)
{
    return m_api.DeleteKey(root, keyPath);
}

LONG RegistryAccess::DeleteValue(HKEY root, const char* keyPath, const char* valueName)
{
    HKEY key = nullptr;
    LONG status = m_api.OpenKeyEx(root, keyPath, 0, KEY_ALL_ACCESS, &key);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    // A value that is not there, or cannot be deleted, is not reported.
    m_api.DeleteValue(key, valueName);
    return m_api.CloseKey(key);
}

int32_t RegistryAccess::QueryDwordValue(HKEY key, const char* valueName)
{
    DWORD type = 0;
    DWORD size = 0;
    if (m_api.QueryValueEx(key, valueName, &type, nullptr, &size) != ERROR_SUCCESS) {
        return 0;
    }
    // Data longer than four bytes does not fit and reads as 0.
    BYTE bytes[4] = {0, 0, 0, 0};
    size = sizeof bytes;
    if (m_api.QueryValueEx(key, valueName, &type, bytes, &size) != ERROR_SUCCESS) {
        return 0;
    }
    uint32_t number = 0;
    const size_t count = BytesReturned(size, sizeof bytes);
    for (size_t i = 0; i < count; ++i) {
        number |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    }
    return static_cast<int32_t>(number);
}

int32_t RegistryAccess::QueryFirstValueAsNumber(HKEY key)
{
    char name[kFirstValueBufferSize];
    BYTE data[kFirstValueBufferSize];
    DWORD nameLength = kFirstValueBufferSize;
    DWORD dataLength = kFirstValueBufferSize;
    DWORD type = 0;
    if (m_api.EnumValue(key, 0, name, &nameLength, &type, data, &dataLength) != ERROR_SUCCESS || type != REG_SZ) {
        return 0;
    }
    const std::string text = TextUpToNul(reinterpret_cast<const char*>(data), BytesReturned(dataLength, sizeof data));
    return ParseIntLikeAtoi(text.c_str());
}

int32_t RegistryAccess::QueryBinaryValue(HKEY key, const char* valueName)
{
    DWORD type = 0;
    DWORD size = 0;
    if (m_api.QueryValueEx(key, valueName, &type, nullptr, &size) != ERROR_SUCCESS) {
        return 0;
    }
    const DWORD capacity = size;
    std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[capacity]);
    if (!buffer || m_api.QueryValueEx(key, valueName, &type, buffer.get(), &size) != ERROR_SUCCESS) {
        return 0;
    }
    // Most significant byte first; bytes past the data count as 0.
    uint32_t number = 0;
    const size_t count = BytesReturned(size, capacity);
    for (size_t i = 0; i < 4; ++i) {
        number = (number << 8) | (i < count ? buffer[i] : 0u);
    }
    return static_cast<int32_t>(number);
}

std::string RegistryAccess::QueryStringValue(HKEY key, const char* valueName)
{
    DWORD type = 0;
    DWORD size = 0;
    if (m_api.QueryValueEx(key, valueName, &type, nullptr, &size) != ERROR_SUCCESS || !IsStringType(type)) {
        return std::string();
    }
    // One byte more than the data, kept zero, so that the text always ends.
    const DWORD capacity = size;
    if (capacity == UINT32_MAX) {
        return std::string();
    }
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[capacity + size_t{1}]);
    if (!buffer) {
        return std::string();
    }
    buffer[capacity] = '\0';
    if (m_api.QueryValueEx(key, valueName, &type, reinterpret_cast<BYTE*>(buffer.get()), &size) != ERROR_SUCCESS) {
        return std::string();
    }
    return TextUpToNul(buffer.get(), BytesReturned(size, capacity));
}

RegistryValue RegistryAccess::QueryStoredValue(HKEY key, const char* valueName)
{
    RegistryValue value;
    DWORD size = 0;
    value.status = m_api.QueryStoredValue(key, valueName, &value.type, nullptr, &size);
    if (value.status != ERROR_SUCCESS) {
        return value;
    }
    const DWORD capacity = size;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[capacity]);
    value.status =
        buffer ? m_api.QueryStoredValue(key, valueName, &value.type, reinterpret_cast<BYTE*>(buffer.get()), &size)
               : ERROR_OUTOFMEMORY;
    if (value.status == ERROR_SUCCESS) {
        value.data.assign(buffer.get(), BytesReturned(size, capacity));
    }
    return value;
}

int RegistryAccess::QueryValueExists(HKEY key, const char* valueName)
{
    DWORD type = 0;
    return m_api.QueryValueEx(key, valueName, &type, nullptr, nullptr) == ERROR_SUCCESS ? 1 : 0;
}

LONG RegistryAccess::StoreDwordValue(HKEY key, const char* valueName, int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    const BYTE bytes[4] = {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8), static_cast<BYTE>(bits >> 16),
                           static_cast<BYTE>(bits >> 24)};
    return m_api.SetValueEx(key, valueName, REG_DWORD, bytes, sizeof bytes);
}

LONG RegistryAccess::StoreBinaryValue(HKEY key, const char* valueName, int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    const BYTE bytes[4] = {static_cast<BYTE>(bits >> 24), static_cast<BYTE>(bits >> 16), static_cast<BYTE>(bits >> 8),
                           static_cast<BYTE>(bits)};
    return m_api.SetValueEx(key, valueName, REG_BINARY, bytes, sizeof bytes);
}

void RegistryAccess::StoreStringValue(HKEY key, const char* valueName, const char* text)
{
    // Handed over without the terminating NUL: the byte count is the length.
    if (!text) {
        text = "";
    }
    m_api.SetValueEx(key, valueName, REG_SZ, reinterpret_cast<const BYTE*>(text),
                     static_cast<DWORD>(std::strlen(text)));
}
