// Bounded waiting: every wait of the driver ends, whatever the program does.
#pragma once

#include <windows.h>

// Polls condition until it holds (true) or timeoutMs has passed (false).
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
}
