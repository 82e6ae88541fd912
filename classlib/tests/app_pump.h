// The window tests' wait: the application's own message loop turns for about
// `ms` milliseconds, so hints, timers and posted messages get their turn.
#pragma once

#include "classlib/WinApi.h"

#include "classlib/Forms.h"

inline void Pump(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    Application->ProcessMessages();
    Sleep(5);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}
