#include "tests/e2e/real_input.h"

#include <gtest/gtest.h>

#include "tests/e2e/wait.h"

namespace {

// The late event comes within a few milliseconds of the placing; a cursor
// that stays put this long has settled.
const DWORD kPointerHoldMs = 200;
const DWORD kPointerSettleLimitMs = 3000;

void PlacePointer(POINT point)
{
    SetCursorPos(point.x, point.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

bool PointerAt(POINT point)
{
    POINT now{};
    return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void SendKey(WORD key, bool up)
{
    INPUT input = KeyInput(key, up);
    SendInput(1, &input, sizeof input);
}

}  // namespace

void RestPointerAt(POINT point)
{
    const DWORD start = GetTickCount();
    PlacePointer(point);
    DWORD heldSince = GetTickCount();
    while (GetTickCount() - heldSince < kPointerHoldMs) {
        if (GetTickCount() - start >= kPointerSettleLimitMs) {
            ADD_FAILURE() << "the pointer does not stay at " << point.x << "," << point.y;
            return;
        }
        Sleep(10);
        if (!PointerAt(point)) {
            PlacePointer(point);
            heldSince = GetTickCount();
        }
    }
}

void RestPointerOn(HWND window, bool rightEdge)
{
    RECT rect;
    ASSERT_TRUE(GetWindowRect(window, &rect));
    RestPointerAt({rightEdge ? rect.right - 4 : (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void ClickWithPointer(HWND window)
{
    RestPointerOn(window);
    INPUT clicks[2]{};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof clicks[0]);
}

bool BringToForeground(HWND window)
{
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return false;
        },
        5000);
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers)
{
    for (WORD modifier : modifiers) SendKey(modifier, false);
    SendKey(key, false);
    SendKey(key, true);
    for (WORD modifier : modifiers) SendKey(modifier, true);
}

void TypeKeys(const char* text)
{
    for (const char* c = text; *c; ++c) PressKey(static_cast<WORD>(VkKeyScanA(*c) & 0xFF));
}
