// The registry view the system itself reads, for tests that set up and check
// the real registry. A 32-bit test program on 64-bit Windows runs under
// WOW64, where keys under HKLM\SOFTWARE are redirected to a 32-bit copy
// (Wow6432Node); the tests look past it on their own, not through the
// program's registry seam, whose choice of view they check, and judge WOW64
// by a sign of their own, not by the program's way of asking.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Missing from the Windows 2000 headers the programs are built with.
#ifndef KEY_WOW64_64KEY
#define KEY_WOW64_64KEY 0x0100
#endif
#ifndef KEY_WOW64_32KEY
#define KEY_WOW64_32KEY 0x0200
#endif

// WOW64 hands every 32-bit process the machine's own architecture in
// PROCESSOR_ARCHITEW6432; elsewhere the variable does not exist.
inline bool RunsUnderWow64()
{
    return GetEnvironmentVariableA("PROCESSOR_ARCHITEW6432", nullptr, 0) > 0;
}

// The CTest entries of the 64-bit prefix (NAME_win64) set
// QUILVEX_EXPECT_WOW64. There a test bed without WOW64 fails rather than
// skips: its checks would all land in the one view and prove nothing.
inline bool Wow64Expected()
{
    return GetEnvironmentVariableA("QUILVEX_EXPECT_WOW64", nullptr, 0) > 0;
}

// Access bits that open the system's view: KEY_WOW64_64KEY under WOW64,
// nothing elsewhere.
inline REGSAM SystemView()
{
    static const REGSAM view = RunsUnderWow64() ? KEY_WOW64_64KEY : 0;
    return view;
}

// Deletes a key without subkeys in the given view (SystemView() or, under
// WOW64, KEY_WOW64_32KEY): RegDeleteKeyW reaches only the process's own view.
inline LONG DeleteKeyInView(HKEY root, const std::wstring& path, REGSAM view)
{
    if (!view) return RegDeleteKeyW(root, path.c_str());
    using RegDeleteKeyExFunction = LONG(WINAPI*)(HKEY, const wchar_t*, REGSAM, DWORD);
    const auto deleteKeyEx = reinterpret_cast<RegDeleteKeyExFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExW")));
    return deleteKeyEx ? deleteKeyEx(root, path.c_str(), view, 0) : ERROR_CALL_NOT_IMPLEMENTED;
}

// Deletes a key and everything below it in the given view, through the W
// functions, so that subkeys whose names code page 932 cannot spell go too.
inline void DeleteTreeInView(HKEY root, const std::wstring& path, REGSAM view)
{
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | view, &key) != ERROR_SUCCESS) return;
    wchar_t name[256];
    DWORD length = 256;
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0; RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = 256)
        subkeys.push_back(name);
    RegCloseKey(key);
    for (const std::wstring& subkey : subkeys) DeleteTreeInView(root, path + L"\\" + subkey, view);
    DeleteKeyInView(root, path, view);
}

// The same for an ASCII path.
inline void DeleteTreeInView(HKEY root, const std::string& path, REGSAM view)
{
    DeleteTreeInView(root, std::wstring(path.begin(), path.end()), view);
}
