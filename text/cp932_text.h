// Text handling that respects code page 932 double-byte characters, whose
// trail byte may look like an ASCII letter (0x40-0x7E, 0x80-0xFC).
#pragma once

#include <string>

// Lead bytes 0x81-0x9F and 0xE0-0xFC start a double-byte character.
bool IsCp932LeadByte(unsigned char byte);

// ASCII and full-width Latin letters upper-cased, as the runtime's multibyte
// upper-casing does under code page 932; a trail byte never counts as an
// ASCII letter, and every other character is left as it is.
std::string UpperCaseCp932(const std::string& text);

// Whether needle occurs in text starting on a character boundary, so a
// trail byte never begins a match.
bool ContainsCp932(const std::string& text, const std::string& needle);

// Digits, blank and signs typed full-width, as the Japanese IME types them
// (０-９, the ideographic space "　", "＋" and "－"), in their ASCII forms;
// every other character stays as it is.
std::string HalfWidthNumberText(const std::string& text);
