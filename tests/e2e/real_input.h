// Input as the user's own devices give it: SendInput for the pointer and the
// keyboard, to whatever window is under the pointer or in the foreground.
#pragma once

#include <windows.h>

#include <initializer_list>

// Under Wine a late pointer event from the X server can put the cursor back
// where it was a few milliseconds after it was placed. These place it, check
// that it holds its position for a moment and place it again when it drifts;
// they fail the test when it never holds. Only then do they return.
void RestPointerAt(POINT point);
// The centre of a window, or a point just inside its right edge.
void RestPointerOn(HWND window, bool rightEdge = false);
// Rests the pointer on a window and presses and releases the left button there.
void ClickWithPointer(HWND window);

// Brings the window to the foreground, where the keys go; false when it
// does not get there within 5 s.
bool BringToForeground(HWND window);
// Presses and releases a key while the modifier keys are held down.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// Types digits and letters as their keys do.
void TypeKeys(const char* text);
