// Code page 932 to UTF-16 and back, as the ANSI registry functions convert
// (through ntdll's RtlMultiByteToUnicodeN and RtlUnicodeToMultiByteN):
//  - a lead byte takes the next byte as its trail byte whatever it is, a
//    NUL included; a pair that is no character gives U+30FB; a lead byte
//    at the very end stands for U+0000;
//  - a character that code page 932 lacks gives "?", or the platform's
//    look-alike;
//  - an odd byte at the end of UTF-16 data is dropped.
// Each character's mapping comes from the platform's own conversion
// functions where there are any (MinGW), and from the C library's "CP932"
// otherwise, with the few single bytes Windows maps and it does not; there
// characters outside code page 932 all give "?".
#pragma once

#include <cstddef>
#include <string>

std::u16string Cp932ToUtf16(const char* bytes, size_t length);
// As MultiByteToWideChar converts: a lead byte at the end gives U+30FB.
std::u16string Cp932ToUtf16LikeMultiByteToWideChar(const char* bytes, size_t length);
std::string Utf16ToCp932(const std::u16string& text);

// UTF-16 text in the registry's stored form (little-endian bytes) and back.
std::string Utf16Bytes(const std::u16string& text);
std::u16string Utf16FromBytes(const unsigned char* bytes, size_t length);
