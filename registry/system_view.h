// Which registry view the program's keys are opened in. On 64-bit Windows
// the program runs under WOW64, which redirects its keys under
// HKLM\SOFTWARE to a 32-bit copy (Wow6432Node) that the 64-bit system never
// reads; there every open and create asks for the system's own view.
#pragma once

#include "registry/win_types.h"

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE process, BOOL* wow64);

// KEY_WOW64_64KEY only when isWow64Process (looked up, so null where the
// system lacks it) succeeds and answers TRUE for the process; 0 otherwise.
// Windows 2000 denies access to a key opened with the flag; it and XP before
// SP2 lack IsWow64Process, and have no WOW64 either.
REGSAM SystemViewAccess(IsWow64ProcessFunction isWow64Process, HANDLE process);
