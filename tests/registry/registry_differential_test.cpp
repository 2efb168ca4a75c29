// The registry seam on the platform and in memory, call for call: seeded
// pseudo-random sequences of seam calls run against the platform's registry
// (Win32RegistryApi, below a scratch key of HKEY_CURRENT_USER, which WOW64
// does not redirect) and against MemoryRegistryApi in the same process, with
// every status, type, size, disposition and buffer byte compared. A
// divergence is shrunk to the shortest sequence that still shows it and
// printed with its seed.
//
//   registry_differential.exe [--seed=N] [--sequences=N]
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "registry/win32_registry_api.h"
#include "tests/support/memory_registry_api.h"

namespace {

const char kScratch[] = "Software\\QuilvexDifferential";

uint64_t g_firstSeed = 1;
int g_sequences = 300;

// Where the in-memory registry knowingly differs from the platform: the
// comparison leaves the first out, the generator never makes the second.
enum class Listed { BuffersAfterMoreData, OneByteStoredString };
struct ListedDifference {
    Listed which;
    const char* what;
    const char* why;
};
const ListedDifference kListedDifferences[] = {
    {Listed::BuffersAfterMoreData, "the buffers of a read that reports ERROR_MORE_DATA",
     "Windows documents their contents as undefined (Wine leaves the data as it was, or has written it "
     "when only the name did not fit, and cuts the name to fit); the in-memory registry fills both with "
     "0xCD so that no test passes by reading them. "
     "RegistryAccess never reads a buffer after a failed read."},
    {Listed::OneByteStoredString, "SetStoredValue of a string type with a byte count of 1",
     "the platform reads the UTF-16 unit before the data for its terminator check (Wine: str[count / 2 - 1]), "
     "and its read of such a value into a one-byte buffer looks before the buffer and writes past it; "
     "the in-memory registry sees no memory before the data. RegistryAccess reaches it only by copying a "
     "one-byte string value that another program stored: no text gives one, a UTF-16 unit being two bytes."},
};

// splitmix64: the same numbers from a seed on every compiler.
class Random {
public:
    explicit Random(uint64_t seed) : m_state(seed) {}
    uint64_t Next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    bool OneIn(int n) { return Below(n) == 0; }
    template <typename T, size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Below(static_cast<int>(N))];
    }

private:
    uint64_t m_state;
};

enum class Kind {
    Open,
    Create,
    Query,
    QueryStored,
    Enum,
    Set,
    SetStored,
    DeleteValue,
    DeleteKey,
    Close,
    OpenW,
    EnumKeyW,
    EnumValueW
};

// A capacity for a read: none (null data), a fixed one, or one relative to
// the size the platform reported last in the sequence.
struct Capacity {
    bool nullData = true;
    bool relative = false;
    int amount = 0;
};

struct Call {
    Kind kind = Kind::Query;
    int id = 0;     // its place in the sequence as generated
    int base = -1;  // the call whose handle it uses; -1 for the scratch key
    std::string path;
    std::u16string widePath;  // for OpenW
    bool nullName = false;
    std::string name;
    REGSAM access = KEY_READ;
    DWORD type = REG_SZ;
    std::vector<BYTE> data;  // the counted bytes and four bytes behind them
    DWORD count = 0;
    Capacity capacity;
    bool nullSize = false;
    bool nullType = false;
    DWORD index = 0;
    DWORD nameCapacity = 0;
};

std::string Hex(const BYTE* bytes, size_t length)
{
    // A run of four or more equal bytes as "A5*260".
    std::string text;
    char byte[24];
    for (size_t i = 0, run = 1; i < length; i += run) {
        for (run = 1; i + run < length && bytes[i + run] == bytes[i];) ++run;
        if (run < 4) run = 1;
        std::snprintf(byte, sizeof byte, run > 1 ? "%s%02X*%u" : "%s%02X", i ? " " : "", bytes[i],
                      static_cast<unsigned>(run));
        text += byte;
    }
    return text;
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (unsigned char c : text) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, c >= 0x20 && c < 0x7F && c != '"' && c != '\\' ? "%c" : "\\x%02X", c);
        quoted += escaped;
    }
    return quoted + "\"";
}

std::string WideQuoted(const std::u16string& text)
{
    std::string quoted = "u\"";
    for (char16_t c : text) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, c >= 0x20 && c < 0x7F && c != '"' && c != '\\' ? "%c" : "\\x%04X",
                      static_cast<unsigned>(c));
        quoted += escaped;
    }
    return quoted + "\"";
}

std::string Describe(const Call& c)
{
    static const char* const kinds[] = {"OpenKeyEx",  "CreateKeyEx",    "QueryValueEx", "QueryStoredValue", "EnumValue",
                                        "SetValueEx", "SetStoredValue", "DeleteValue",  "DeleteKey",        "CloseKey",
                                        "OpenKeyExW", "EnumKeyExW",     "EnumValueW"};
    std::ostringstream out;
    out << "#" << c.id << " " << kinds[static_cast<int>(c.kind)] << "(key of "
        << (c.base < 0 ? std::string("scratch") : "#" + std::to_string(c.base));
    const std::string name = c.nullName ? "null" : Quoted(c.name);
    const std::string capacity =
        c.capacity.nullData ? std::string("null data")
        : c.capacity.relative
            ? "capacity last size " + std::string(c.capacity.amount < 0 ? "" : "+") + std::to_string(c.capacity.amount)
            : "capacity " + std::to_string(c.capacity.amount);
    switch (c.kind) {
    case Kind::Open:
    case Kind::Create:
        out << ", " << Quoted(c.path) << ", access 0x" << std::hex << c.access << std::dec;
        break;
    case Kind::OpenW:
        out << ", " << WideQuoted(c.widePath) << ", access 0x" << std::hex << c.access << std::dec;
        break;
    case Kind::DeleteKey:
        out << ", " << Quoted(c.path);
        break;
    case Kind::Query:
    case Kind::QueryStored:
        out << ", " << name << ", " << capacity << (c.nullSize ? ", null size" : "")
            << (c.nullType ? ", null type" : "");
        break;
    case Kind::EnumKeyW:
        out << ", index " << c.index << ", name capacity " << c.nameCapacity;
        break;
    case Kind::Enum:
    case Kind::EnumValueW:
        out << ", index " << c.index << ", name capacity " << c.nameCapacity << ", " << capacity;
        break;
    case Kind::Set:
    case Kind::SetStored:
        out << ", " << name << ", type " << c.type << ", count " << c.count << ", bytes ["
            << Hex(c.data.data(), c.count) << " | " << Hex(c.data.data() + c.count, c.data.size() - c.count) << "]";
        break;
    case Kind::DeleteValue:
        out << ", " << name;
        break;
    case Kind::Close:
        break;
    }
    out << ")";
    return out.str();
}

// What a call gave back, in every output it has.
struct Result {
    LONG status = 0;
    bool handle = false;
    DWORD disposition = 0;
    DWORD type = 0;
    DWORD size = 0;
    DWORD nameLength = 0;
    std::vector<BYTE> data;  // the whole buffer, with the bytes behind its capacity
    std::vector<BYTE> name;
};

std::string Describe(const Result& r)
{
    std::ostringstream out;
    out << "status " << r.status << ", handle " << r.handle << ", disposition " << r.disposition << ", type " << r.type
        << ", size " << r.size << ", name length " << r.nameLength << ", data [" << Hex(r.data.data(), r.data.size())
        << "], name [" << Hex(r.name.data(), r.name.size()) << "]";
    return out.str();
}

constexpr size_t kSlack = 8;  // bytes behind a buffer's capacity, to see writes past it
constexpr BYTE kFill = 0xA5;  // what a buffer holds before the call
constexpr DWORD kUnset = 0xEEEEEEEE;

// Runs one call on one registry; `base` is the handle it works on, a new
// handle goes to `opened`.
Result Execute(RegistryApi& api, const Call& c, HKEY base, DWORD lastSize, HKEY& opened)
{
    Result r;
    r.type = r.disposition = r.nameLength = kUnset;
    const char* name = c.nullName ? nullptr : c.name.c_str();
    DWORD capacity = 0;
    if (!c.capacity.nullData) {
        const long amount = c.capacity.relative ? static_cast<long>(lastSize) + c.capacity.amount : c.capacity.amount;
        capacity = amount < 0 ? 0 : static_cast<DWORD>(amount);
        r.data.assign(capacity + kSlack, kFill);
    }
    BYTE* data = c.capacity.nullData ? nullptr : r.data.data();
    r.size = capacity;
    DWORD* size = c.nullSize ? nullptr : &r.size;
    DWORD* type = c.nullType ? nullptr : &r.type;
    opened = nullptr;
    switch (c.kind) {
    case Kind::Open:
        r.status = api.OpenKeyEx(base, c.path.c_str(), 0, c.access, &opened);
        break;
    case Kind::Create:
        r.status =
            api.CreateKeyEx(base, c.path.c_str(), 0, "", REG_OPTION_NON_VOLATILE, c.access, &opened, &r.disposition);
        break;
    case Kind::Query:
        r.status = api.QueryValueEx(base, name, type, data, size);
        break;
    case Kind::QueryStored:
        r.status = api.QueryStoredValue(base, name, type, data, size);
        break;
    case Kind::Enum: {
        r.name.assign(c.nameCapacity + kSlack, kFill);
        r.nameLength = c.nameCapacity;
        r.status =
            api.EnumValue(base, c.index, reinterpret_cast<char*>(r.name.data()), &r.nameLength, type, data, size);
        break;
    }
    case Kind::OpenW:
        r.status = api.OpenKeyExW(base, c.widePath.c_str(), c.access, &opened);
        break;
    case Kind::EnumKeyW:
        r.name.assign((c.nameCapacity + kSlack) * sizeof(char16_t), kFill);
        r.nameLength = c.nameCapacity;
        r.status = api.EnumKeyExW(base, c.index, reinterpret_cast<char16_t*>(r.name.data()), &r.nameLength);
        break;
    case Kind::EnumValueW:
        r.name.assign((c.nameCapacity + kSlack) * sizeof(char16_t), kFill);
        r.nameLength = c.nameCapacity;
        r.status = api.EnumValueW(base, c.index, reinterpret_cast<char16_t*>(r.name.data()), &r.nameLength, type,
                                  data, size);
        break;
    case Kind::Set:
        r.status = api.SetValueEx(base, name, c.type, c.data.data(), c.count);
        break;
    case Kind::SetStored:
        r.status = api.SetStoredValue(base, name, c.type, c.data.data(), c.count);
        break;
    case Kind::DeleteValue:
        r.status = api.DeleteValue(base, name);
        break;
    case Kind::DeleteKey:
        r.status = api.DeleteKey(base, c.path.c_str());
        break;
    case Kind::Close:
        r.status = api.CloseKey(base);
        break;
    }
    r.handle = opened != nullptr;
    return r;
}

bool Agree(const Result& a, const Result& b)
{
    const bool buffersCount = a.status != ERROR_MORE_DATA;  // Listed::BuffersAfterMoreData
    return a.status == b.status && a.handle == b.handle && a.disposition == b.disposition && a.type == b.type &&
           a.size == b.size && a.nameLength == b.nameLength &&
           (!buffersCount || (a.data == b.data && a.name == b.name));
}

struct Divergence {
    int compared = 0;              // calls run on both registries
    std::map<LONG, int> statuses;  // how often each status came back
    bool found = false;
    int callId = -1;
    std::string platform;
    std::string memory;
};

void RemoveScratch()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, kScratch);
}

// Runs a sequence on fresh registries up to its first divergence. A call
// whose handle was never opened (or is closed) is left out.
Divergence RunSequence(const std::vector<Call>& calls)
{
    Divergence divergence;
    RemoveScratch();
    Win32RegistryApi platform;
    MemoryRegistryApi memory;
    struct Pair {
        HKEY platform;
        HKEY memory;
    };
    std::map<int, Pair> handles;
    DWORD disposition = 0;
    Pair scratch{};
    if (platform.CreateKeyEx(HKEY_CURRENT_USER, kScratch, 0, "", 0, KEY_ALL_ACCESS, &scratch.platform, &disposition) !=
            ERROR_SUCCESS ||
        memory.CreateKeyEx(HKEY_CURRENT_USER, kScratch, 0, "", 0, KEY_ALL_ACCESS, &scratch.memory, &disposition) !=
            ERROR_SUCCESS) {
        ADD_FAILURE() << "the scratch key cannot be created";
        return divergence;
    }
    handles[-1] = scratch;
    DWORD lastSize = 0;
    for (const Call& c : calls) {
        const auto base = handles.find(c.base);
        if (base == handles.end()) continue;
        HKEY openedPlatform = nullptr;
        HKEY openedMemory = nullptr;
        const Result onPlatform = Execute(platform, c, base->second.platform, lastSize, openedPlatform);
        const Result inMemory = Execute(memory, c, base->second.memory, lastSize, openedMemory);
        ++divergence.compared;
        ++divergence.statuses[onPlatform.status];
        if (!Agree(onPlatform, inMemory)) {
            divergence.found = true;
            divergence.callId = c.id;
            divergence.platform = Describe(onPlatform);
            divergence.memory = Describe(inMemory);
            if (openedPlatform) platform.CloseKey(openedPlatform);
            break;
        }
        if (c.kind == Kind::Close) handles.erase(base);
        if (openedPlatform) handles[c.id] = Pair{openedPlatform, openedMemory};
        if ((c.kind == Kind::Query || c.kind == Kind::QueryStored || c.kind == Kind::Enum ||
             c.kind == Kind::EnumValueW) &&
            !c.nullSize) {
            lastSize = onPlatform.size;
        }
    }
    for (const auto& pair : handles) {
        platform.CloseKey(pair.second.platform);
        memory.CloseKey(pair.second.memory);
    }
    RemoveScratch();
    return divergence;
}

// The pieces sequences are made of: names and data in code page 932 with
// lead bytes (a trail byte 5C, characters that convert to others on the
// way back, pairs that are no character, a lead byte at the end), case
// pairs the registry takes as one name, missing keys and values. No key
// path ends in a lead byte: that names a key U+0000, which no ANSI function
// can name again to delete it.
const char* const kKeyPaths[] = {
    "a",        "A",        "a\\b", "A\\B\\c", "b",   "\x83\x5C", "\x82\xA0\\b", "\x82\x60",           "\x82\x81",
    "\x87\x54", "\xFA\x40", "\\a",  "a\\\\b",  "a\\", "",         "missing\\x",  "\x83\x5C\\\x94\xA0", "\x83\x40",
};
// The same for the W calls, in UTF-16: names the ANSI calls make (some of
// them in another case) and names no code page 932 text can make.
const char16_t* const kWideKeyPaths[] = {
    u"a", u"A", u"a\\b", u"A\\b\\C", u"b", u"\x30BD", u"\x3042\\b", u"\xFF21", u"\xFF41", u"\x2170", u"\\a",
    u"a\\\\b", u"a\\", u"", u"missing", u"\x30BD\\\x8868", u"\xD55C", u"\x20AC\\a",
};
const char* const kValueNames[] = {
    "",         "v",        "V",        "w",        "_",        "a[",       "A_",    "\x82\xA0",         "\x82\x60",
    "\x82\x81", "\x83\x9F", "\x83\xBF", "\x84\x46", "\x84\x76", "\x83\x5C", "x\x82", "\x94\xA0\x94\xA0", "missing",
};
const char* const kAnsiPieces[] = {
    "a",        "Z",        "1",        " ",        "%",        "\\",       "\x82\xA0",
    "\x83\x5C", "\x94\xA0", "\x82\x60", "\x81\x40", "\x87\x90", "\xEE\xF9", "\xFA\x40",
    "\xB1",     "\x80",     "\xA0",     "\xFD",     "\x81\x20", "\x85\x40", "\x82",
};
const char16_t kUtf16Pieces[] = {u'a',   u'Z',   0x3042, 0x7BB1, 0x20AC, 0xD55C, 0xD83D,
                                 0xDE00, 0xDC00, 0x30FB, 0xFF21, 0x00E9, 0};
const DWORD kTypes[] = {REG_SZ, REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_BINARY, REG_DWORD, REG_NONE, REG_QWORD};
const REGSAM kAccesses[] = {KEY_READ, KEY_ALL_ACCESS, KEY_ALL_ACCESS, KEY_QUERY_VALUE, KEY_SET_VALUE, KEY_WRITE};
const int kFixedCapacities[] = {0, 1, 2, 3, 4, 5, 8, 16, 260, 700};
const DWORD kNameCapacities[] = {0, 1, 2, 3, 4, 5, 8, 260, 260, 400};

std::string LongName(Random& random)
{
    return std::string(random.OneIn(2) ? 259 : 300, random.OneIn(2) ? 'n' : 'N');
}

// Data for SetValueEx: pieces, with or without a terminator, and four
// bytes behind the count, NUL or not (the platform looks at the first).
void AnsiData(Random& random, Call& c)
{
    std::string text;
    const int pieces = random.OneIn(6) ? 0 : 1 + random.Below(random.OneIn(8) ? 200 : 6);
    for (int i = 0; i < pieces; ++i) {
        text += random.OneIn(12) ? std::string(1, '\0') : random.Pick(kAnsiPieces);
    }
    if (random.OneIn(3)) text += '\0';
    if (c.type == REG_MULTI_SZ && random.OneIn(2)) text += std::string(2, '\0');
    c.count = static_cast<DWORD>(text.size());
    const char* const behind[] = {"\0\0\0\0", "X\0\0\0", "\0X\0\0", "\x82\0\0\0"};
    text.append(random.Pick(behind), 4);
    c.data.assign(text.begin(), text.end());
}

// Data for SetStoredValue: UTF-16 units (lone surrogates among them), a
// count that may cut the last unit in half, and a NUL unit behind or not.
void Utf16Data(Random& random, Call& c)
{
    std::u16string text;
    const int units = random.OneIn(6) ? 0 : 1 + random.Below(random.OneIn(8) ? 200 : 6);
    for (int i = 0; i < units; ++i) text += random.Pick(kUtf16Pieces);
    if (random.OneIn(3)) text += char16_t(0);
    c.count = static_cast<DWORD>(text.size() * 2);
    // Listed::OneByteStoredString: never a count of 1.
    if (c.count >= 4 && random.OneIn(4)) --c.count;
    for (char16_t unit : text) {
        c.data.push_back(static_cast<BYTE>(unit & 0xFF));
        c.data.push_back(static_cast<BYTE>(unit >> 8));
    }
    c.data.resize(c.count);
    const BYTE behind[][4] = {{0, 0, 0, 0}, {0, 0, 'X', 0}, {'X', 0, 0, 0}, {0, 'X', 0, 0}};
    const BYTE* tail = behind[random.Below(4)];
    c.data.insert(c.data.end(), tail, tail + 4);
}

Capacity ReadCapacity(Random& random)
{
    Capacity capacity;
    const int choice = random.Below(8);
    if (choice < 2) return capacity;  // a size query
    capacity.nullData = false;
    if (choice < 6) {
        capacity.relative = true;
        capacity.amount = random.Below(6) - 2;  // too small, just right, larger
    } else {
        capacity.amount = random.Pick(kFixedCapacities);
    }
    return capacity;
}

std::vector<Call> Generate(uint64_t seed)
{
    Random random(seed);
    std::vector<Call> calls;
    std::vector<int> handles;  // the calls that may have opened one
    // A few names and paths per sequence, so that its calls meet each other's values.
    std::vector<std::string> names, paths;
    for (int i = 0; i < 4; ++i) names.push_back(random.OneIn(8) ? LongName(random) : random.Pick(kValueNames));
    for (int i = 0; i < 5; ++i) paths.push_back(random.Pick(kKeyPaths));
    const int length = 20 + random.Below(40);
    for (int id = 0; id < length; ++id) {
        Call c;
        c.id = id;
        c.base = handles.empty() || random.OneIn(2) ? -1 : handles[random.Below(static_cast<int>(handles.size()))];
        c.path = paths[random.Below(5)];
        c.nullName = random.OneIn(20);
        c.name = names[random.Below(4)];
        c.access = random.Pick(kAccesses);
        c.type = random.Pick(kTypes);
        c.capacity = ReadCapacity(random);
        c.nullSize = c.capacity.nullData && random.OneIn(4);
        c.nullType = random.OneIn(10);
        c.widePath = random.Pick(kWideKeyPaths);
        const int kind = random.Below(115);
        if (kind < 8) {
            c.kind = Kind::Open;
        } else if (kind < 20) {
            c.kind = Kind::Create;
        } else if (kind < 36) {
            c.kind = Kind::Query;
        } else if (kind < 46) {
            c.kind = Kind::QueryStored;
        } else if (kind < 56) {
            c.kind = Kind::Enum;
            c.index = random.OneIn(2) ? 0 : static_cast<DWORD>(random.Below(5));
            // The first-value read of RegistryAccess, as it makes it.
            if (random.OneIn(3)) {
                c.index = 0;
                c.nameCapacity = 260;
                c.capacity = Capacity{false, false, 260};
            } else {
                c.nameCapacity = random.Pick(kNameCapacities);
            }
            c.nullSize = false;
        } else if (kind < 76) {
            c.kind = Kind::Set;
            AnsiData(random, c);
        } else if (kind < 84) {
            c.kind = Kind::SetStored;
            Utf16Data(random, c);
        } else if (kind < 89) {
            c.kind = Kind::DeleteValue;
        } else if (kind < 95) {
            c.kind = Kind::DeleteKey;
            // The key itself only now and then: it ends the sequence's use of it.
            if (c.path.empty() && !random.OneIn(4)) c.path = "a";
        } else if (kind < 100) {
            c.kind = Kind::Close;
            if (c.base < 0) c.kind = Kind::Query;
        } else if (kind < 105) {
            c.kind = Kind::OpenW;
        } else {
            c.kind = kind < 110 ? Kind::EnumKeyW : Kind::EnumValueW;
            c.index = random.OneIn(2) ? 0 : static_cast<DWORD>(random.Below(5));
            c.nameCapacity = random.Pick(kNameCapacities);
            c.nullSize = c.kind == Kind::EnumValueW && c.capacity.nullData && random.OneIn(4);
        }
        if (c.kind == Kind::Open || c.kind == Kind::Create || c.kind == Kind::OpenW) handles.push_back(id);
        calls.push_back(c);
    }
    return calls;
}

// The shortest sequence found that still diverges at the same call: calls
// after it dropped, then every other call that can go without it.
std::vector<Call> Shrink(std::vector<Call> calls, int callId)
{
    size_t end = 0;
    while (end < calls.size() && calls[end].id != callId) ++end;
    calls.resize(end + 1);
    for (bool shrunk = true; shrunk;) {
        shrunk = false;
        for (size_t i = calls.size() - 1; i-- > 0;) {
            std::vector<Call> shorter(calls);
            shorter.erase(shorter.begin() + static_cast<long>(i));
            const Divergence d = RunSequence(shorter);
            if (d.found && d.callId == callId) {
                calls.swap(shorter);
                shrunk = true;
            }
        }
    }
    return calls;
}

}  // namespace

TEST(RegistryDifferential, PlatformAndMemoryRegistriesAgreeCallForCall)
{
    int divergences = 0;
    int compared = 0;
    std::map<LONG, int> statuses;
    int i = 0;
    for (; i < g_sequences && divergences < 5; ++i) {
        const uint64_t seed = g_firstSeed + static_cast<uint64_t>(i);
        const std::vector<Call> calls = Generate(seed);
        const Divergence d = RunSequence(calls);
        compared += d.compared;
        for (const auto& status : d.statuses) statuses[status.first] += status.second;
        if (!d.found) continue;
        ++divergences;
        const std::vector<Call> shortest = Shrink(calls, d.callId);
        const Divergence shown = RunSequence(shortest);
        std::ostringstream message;
        message << "seed " << seed << ": the registries part at call #" << d.callId << "; shortest sequence:\n";
        for (const Call& c : shortest) message << "  " << Describe(c) << "\n";
        message << "  platform: " << shown.platform << "\n  memory:   " << shown.memory;
        ADD_FAILURE() << message.str();
    }
    std::printf("%d calls compared in %d sequences from seed %llu\n", compared, i,
                static_cast<unsigned long long>(g_firstSeed));
    std::printf("statuses (status: calls):");
    for (const auto& status : statuses) std::printf(" %ld: %d", static_cast<long>(status.first), status.second);
    std::printf("\nlisted differences:\n");
    for (const ListedDifference& d : kListedDifferences) std::printf("  %s: %s\n", d.what, d.why);
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (!std::strncmp(argv[i], "--seed=", 7)) g_firstSeed = std::strtoull(argv[i] + 7, nullptr, 10);
        if (!std::strncmp(argv[i], "--sequences=", 12)) g_sequences = std::atoi(argv[i] + 12);
    }
    return RUN_ALL_TESTS();
}
