#include "text/cp932_text.h"

namespace {

// Bytes taken by the character that starts at text[i]; a lead byte at the
// very end stands alone.
size_t CharacterLength(const std::string& text, size_t i) {
    return IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

}  // namespace

bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string UpperCaseCp932(const std::string& text) {
    std::string upper = text;
    for (size_t i = 0; i < upper.size(); i += CharacterLength(upper, i)) {
        if (upper[i] >= 'a' && upper[i] <= 'z') upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
    }
    return upper;
}

bool ContainsCp932(const std::string& text, const std::string& needle) {
    for (size_t i = 0; i + needle.size() <= text.size(); i += CharacterLength(text, i)) {
        if (text.compare(i, needle.size(), needle) == 0) return true;
    }
    return false;
}
