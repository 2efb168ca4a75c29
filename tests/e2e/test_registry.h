// The registry as the tests see it: seeding values before Quilvex opens and
// reading back the exact bytes it stored. Key paths and value names come
// from the tweak catalogue.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "settings/tweak_catalogue.h"
#include "tests/support/raw_registry.h"
#include "tests/support/stored_forms.h"

// Removes every value of the catalogue, the AlwaysUnloadDLL key and both
// Recycle Bin keys: the registry of a system where none of the tweaks is set.
void ClearTweaks();

StoredValue ReadValue(HKEY root, const char* keyPath, const char* valueName);
StoredValue ReadTweak(TweakId tweak);
bool KeyExists(HKEY root, const char* keyPath);

void WriteValue(HKEY root, const char* keyPath, const char* valueName, DWORD type, const std::vector<BYTE>& bytes);
void WriteTweak(TweakId tweak, DWORD type, const std::vector<BYTE>& bytes);
void WriteTweakDword(TweakId tweak, DWORD value);
// REG_SZ with its terminator, as other programs store strings.
void WriteTweakString(TweakId tweak, const std::string& text);

// A key's default value through the W functions, in the registry's own
// UTF-16 form, with no code page between. The text is stored as a REG_SZ
// as it stands, with or without a terminator: a character other than L'\0'
// behind it keeps the platform from adding one.
void WriteDefaultValueW(HKEY root, const char* keyPath, const std::wstring& text);
StoredValue ReadDefaultValueW(HKEY root, const char* keyPath);
// The bytes of a UTF-16 text, without a terminator.
std::vector<BYTE> Utf16Bytes(const std::wstring& text);

// A REG_SZ the program wrote reads back as StoredText: Quilvex hands the
// text over without its terminator, and Wine's registry keeps one after it.
