// Real input for the window tests: mouse clicks, double-clicks and key strokes
// go through SendInput, so they travel the same road as a person's (hardware
// queue, hit-testing, focus, capture, IsDialogMessage), and a screenshot of a
// window can be written to a bitmap file for the report.
#pragma once

#include "classlib/WinApi.h"

#include <string>
#include <thread>

namespace testinput {

// Runs the message loop for about `ms` milliseconds (input needs the loop to
// turn into window messages). A program with its own loop (one that handles
// Tab, say) sets ProcessHook to handle the waiting messages its way.
void Pump(int ms = 50);
extern void (*ProcessHook)();

// One mouse event (MOUSEEVENTF_*: a button down or up) where the pointer is.
void SendMouse(DWORD flags);
// Mouse at a point in `wnd`'s client coordinates.
void MoveTo(HWND wnd, int x, int y);
void Click(HWND wnd, int x, int y, bool right = false);
void DoubleClick(HWND wnd, int x, int y);
void MouseDown(HWND wnd, int x, int y);
void MouseUp();
// The centre of a window's client area.
void ClickCentre(HWND wnd, bool right = false);
// A drag as a person makes it, in screen coordinates: the mouse moves to
// `from`, the left button goes down, the mouse moves to `to` in `steps`
// steps, and the button goes up unless `release` is false.
void MoveToScreen(POINT p);
void DragAlong(POINT from, POINT to, int steps = 6, bool release = true);

// Key strokes: a virtual key (down and up), with Shift when asked.
void Key(WORD vk, bool shift = false);
// Unicode text typed character by character.
void Type(const std::wstring& text);
// A key stroke, or text typed, while a modifier (VK_MENU, VK_CONTROL,
// VK_SHIFT) is held down: Alt with a key comes as WM_SYSKEYDOWN and its
// character as WM_SYSCHAR, the way a Cyrillic layout gives "д" for Alt+L.
void KeyHolding(WORD modifier, WORD vk);
void TypeHolding(WORD modifier, const std::wstring& text);
// Wine hands a character typed with Alt held (TypeHolding) on as WM_SYSCHAR
// whose character carries the Alt flag that its key data lacks (0x2434 for
// "д"), where a keyboard layout gives the character alone. As the
// application's OnMessage, this takes the flag off before the message goes
// to its window.
void AltCharacterAsALayoutGivesIt(MSG& msg, bool& handled);

// Brings a top-level window to the front and gives it the keyboard.
void Activate(HWND top);

// Chooses an item of the popup menu about to show (TrackPopupMenu blocks the
// caller until it closes, so this runs on a thread of its own): once the menu
// is on screen, `downs` Down keys, then Enter; a separator is skipped by the
// menu itself. Should the keys go astray the menu is closed, so that the test
// fails instead of waiting for ever. Join the thread after the click.
std::thread ChooseMenuItem(int downs);

// Copies what the screen shows of `wnd` (with its frame, as far as it is on
// screen) into a 24-bit .bmp.
bool SaveScreenshot(HWND wnd, const std::wstring& path);

} // namespace testinput
