// Real, paced user input through SendInput: pointer moves, clicks, keys and typed text.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

enum class MouseButton { Left, Right, Middle };

// Milliseconds to let an event settle before the next one (changed by "pace").
extern DWORD gSettleMs;

// Waits the settle time, then until the window's thread answers a message and its
// process reports input idle; target may be null.
void settle(HWND target);

// Moves the pointer to a screen point and waits until it is there.
bool moveTo(HWND target, POINT screen);
// Move, settle, then (Ctrl down, settle,) count times: button down, settle, button up, settle
// (, Ctrl up). Returns the milliseconds from the first press to the last.
DWORD clickAt(HWND target, POINT screen, MouseButton button, bool ctrl, int count = 1);
void keyDown(HWND target, WORD vk);
void keyUp(HWND target, WORD vk);
void pressKey(HWND target, WORD vk);
// Types each character as its key on the current layout (with Shift where needed);
// a character without a key goes in as a Unicode packet.
void typeText(HWND target, const std::wstring& text);
// Brings a top-level window to the foreground; false if it did not get there.
bool bringToFront(HWND hwnd);

}  // namespace e2e
