// A window that is never shown, for receiving messages: timers, the shell's
// callbacks, the owner of a tracked menu. Its class is registered on first use.
#pragma once

#include "classlib/WinApi.h"

namespace classlib {

// A zero-size popup of class className with the window procedure proc; null
// when the system refuses it. parent HWND_MESSAGE makes a message-only window;
// background is the class's brush, for a popup that is later shown.
HWND CreateHiddenWindow(const wchar_t* className, WNDPROC proc, DWORD exStyle = 0,
                        HWND parent = nullptr, HBRUSH background = nullptr);

} // namespace classlib
