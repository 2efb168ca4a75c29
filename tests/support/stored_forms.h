// Registry data as the tests seed it and expect it, byte for byte.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "registry/win_types.h"

inline std::vector<BYTE> Bytes(std::initializer_list<int> bytes)
{
    return std::vector<BYTE>(bytes.begin(), bytes.end());
}

// The bytes of a text as they stand, without a terminator.
inline std::vector<BYTE> Bytes(const std::string& raw)
{
    return std::vector<BYTE>(raw.begin(), raw.end());
}

// A REG_DWORD's bytes, least significant first.
inline std::vector<BYTE> Dword(uint32_t value)
{
    return Bytes({int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF), int(value >> 24)});
}

// A string value as the platform keeps it: the text and its terminator.
inline std::vector<BYTE> StoredText(const std::string& text)
{
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// A string value in the registry's own form: UTF-16, little-endian, with its
// terminator.
inline std::vector<BYTE> StoredWideText(const std::u16string& text)
{
    std::vector<BYTE> bytes;
    for (char16_t c : text + u'\0') {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    return bytes;
}
