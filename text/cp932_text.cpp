#include "text/cp932_text.h"

namespace {

// Bytes taken by the character that starts at text[i]; a lead byte at the
// very end stands alone.
size_t CharacterLength(const std::string& text, size_t i)
{
    return IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// The ASCII form of the character at text[i] when it is a full-width
// digit, blank or sign; 0 for any other character.
char AsciiFormAt(const std::string& text, size_t i)
{
    if (CharacterLength(text, i) != 2) return 0;
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const unsigned char trail = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0x82 && trail >= 0x4F && trail <= 0x58) return static_cast<char>('0' + (trail - 0x4F));
    if (lead == 0x81 && trail == 0x40) return ' ';
    if (lead == 0x81 && trail == 0x7B) return '+';
    if (lead == 0x81 && trail == 0x7C) return '-';
    return 0;
}

}  // namespace

bool IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string UpperCaseCp932(const std::string& text)
{
    std::string upper = text;
    for (size_t i = 0; i < upper.size(); i += CharacterLength(upper, i)) {
        const unsigned char byte = static_cast<unsigned char>(upper[i]);
        if (byte >= 'a' && byte <= 'z') {
            upper[i] = static_cast<char>(byte - 'a' + 'A');
        } else if (byte == 0x82 && CharacterLength(upper, i) == 2) {
            // Full-width a-z (82 81..82 9A) become full-width A-Z (82 60..82 79).
            const unsigned char trail = static_cast<unsigned char>(upper[i + 1]);
            if (trail >= 0x81 && trail <= 0x9A) upper[i + 1] = static_cast<char>(trail - 0x21);
        }
    }
    return upper;
}

bool ContainsCp932(const std::string& text, const std::string& needle)
{
    for (size_t i = 0; i + needle.size() <= text.size(); i += CharacterLength(text, i)) {
        if (text.compare(i, needle.size(), needle) == 0) return true;
    }
    return false;
}

std::string HalfWidthNumberText(const std::string& text)
{
    std::string half;
    for (size_t i = 0; i < text.size(); ++i) {
        if (const char ascii = AsciiFormAt(text, i)) {
            half += ascii;
            ++i;  // its trail byte
            continue;
        }
        if (CharacterLength(text, i) == 2) half += text[i++];
        half += text[i];
    }
    return half;
}
