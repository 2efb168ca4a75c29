#include "tests/support/cp932_conversion.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "text/cp932_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

constexpr char16_t kNoCharacter = 0x30FB;  // what a pair that is no character gives
constexpr uint16_t kUnmappable = '?';

// Every character's mapping, filled once: single bytes, double-byte pairs
// (lead << 8 | trail) and UTF-16 units to their code page 932 code.
struct Tables {
    char16_t toUtf16[0x10000];
    uint16_t toCp932[0x10000];
};

#ifdef _WIN32
char16_t Decode(const char* bytes, int length)
{
    wchar_t out[2];
    return MultiByteToWideChar(932, 0, bytes, length, out, 2) == 1 ? out[0] : kNoCharacter;
}

uint16_t Encode(char16_t unit)
{
    const wchar_t in = unit;
    unsigned char out[2];
    const int length = WideCharToMultiByte(932, 0, &in, 1, reinterpret_cast<char*>(out), 2, nullptr, nullptr);
    return length == 2 ? (out[0] << 8 | out[1]) : length == 1 ? out[0] : kUnmappable;
}
#else
// One character through iconv; 0 when it does not convert.
size_t Convert(iconv_t cd, const char* in, size_t inLength, char* out, size_t outCapacity)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* source = const_cast<char*>(in);
    char* target = out;
    size_t outLeft = outCapacity;
    if (iconv(cd, &source, &inLength, &target, &outLeft) == static_cast<size_t>(-1) || inLength) return 0;
    return outCapacity - outLeft;
}

iconv_t Open(const char* to, const char* from)
{
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) std::abort();  // the C library lacks CP932
    return cd;
}

// Single bytes that Windows maps to characters of their own and glibc rejects.
char16_t WindowsOnlySingleByte(unsigned char byte)
{
    switch (byte) {
    case 0x80:
        return 0x0080;
    case 0xA0:
        return 0xF8F0;
    case 0xFD:
        return 0xF8F1;
    case 0xFE:
        return 0xF8F2;
    case 0xFF:
        return 0xF8F3;
    default:
        return kNoCharacter;
    }
}

char16_t Decode(const char* bytes, int length)
{
    static const iconv_t cd = Open("UTF-16LE", "CP932");
    unsigned char out[4];
    if (Convert(cd, bytes, length, reinterpret_cast<char*>(out), sizeof out) != 2) {
        return length == 1 ? WindowsOnlySingleByte(static_cast<unsigned char>(bytes[0])) : kNoCharacter;
    }
    return static_cast<char16_t>(out[0] | out[1] << 8);
}

uint16_t Encode(char16_t unit)
{
    static const iconv_t cd = Open("CP932", "UTF-16LE");
    for (unsigned byte : {0x80u, 0xA0u, 0xFDu, 0xFEu, 0xFFu}) {
        if (WindowsOnlySingleByte(static_cast<unsigned char>(byte)) == unit) return static_cast<uint16_t>(byte);
    }
    const char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    unsigned char out[4];
    switch (Convert(cd, in, 2, reinterpret_cast<char*>(out), sizeof out)) {
    case 1:
        return out[0];
    case 2:
        return static_cast<uint16_t>(out[0] << 8 | out[1]);
    default:
        return kUnmappable;
    }
}
#endif

const Tables& TheTables()
{
    static const std::unique_ptr<Tables> tables = [] {
        std::unique_ptr<Tables> t(new Tables());
        for (unsigned code = 0; code < 0x10000; ++code) {
            const unsigned char lead = static_cast<unsigned char>(code >> 8);
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(code & 0xFF)};
            if (code < 0x100) {
                t->toUtf16[code] = IsCp932LeadByte(static_cast<unsigned char>(code)) ? 0 : Decode(bytes + 1, 1);
            } else if (IsCp932LeadByte(lead) && (code & 0xFF)) {
                t->toUtf16[code] = Decode(bytes, 2);
            } else {
                t->toUtf16[code] = kNoCharacter;
            }
            t->toCp932[code] = Encode(static_cast<char16_t>(code));
        }
        return t;
    }();
    return *tables;
}

std::u16string ToUtf16(const char* bytes, size_t length, char16_t loneLead)
{
    const Tables& tables = TheTables();
    std::u16string text;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (!IsCp932LeadByte(byte)) {
            text += tables.toUtf16[byte];
        } else if (i + 1 < length) {
            text += tables.toUtf16[byte << 8 | static_cast<unsigned char>(bytes[++i])];
        } else {
            text += loneLead;
        }
    }
    return text;
}

}  // namespace

std::u16string Cp932ToUtf16(const char* bytes, size_t length)
{
    return ToUtf16(bytes, length, 0);
}

std::u16string Cp932ToUtf16LikeMultiByteToWideChar(const char* bytes, size_t length)
{
    return ToUtf16(bytes, length, kNoCharacter);
}

std::string Utf16ToCp932(const std::u16string& text)
{
    const Tables& tables = TheTables();
    std::string bytes;
    for (char16_t unit : text) {
        const uint16_t code = tables.toCp932[unit];
        if (code > 0xFF) bytes += static_cast<char>(code >> 8);
        bytes += static_cast<char>(code & 0xFF);
    }
    return bytes;
}

std::string Utf16Bytes(const std::u16string& text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::u16string Utf16FromBytes(const unsigned char* bytes, size_t length)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < length; i += 2) text += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    return text;
}
