// Test helper: the window tests' wait. The message loop turns for about `ms`
// milliseconds, so input, hints, timers and posted messages get their turn,
// resting 5 ms between turns so that other threads get theirs; with `ms` 0 it
// turns once, for the messages already waiting, and does not rest.
//
// Each turn hands the waiting messages to `process`: a program with a loop of
// its own (the class library's application, which handles Tab and hints)
// passes that; without one they are peeked, translated and dispatched.
#pragma once

#include "classlib/WinApi.h"

namespace test_support {

// The plain loop: every message waiting in the thread's queue.
inline void DispatchWaitingMessages() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

inline void Pump(int ms = 0, void (*process)() = nullptr) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    (process ? process : DispatchWaitingMessages)();
    if (ms > 0) Sleep(5);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

} // namespace test_support
