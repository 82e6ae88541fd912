// What the player's window benchmarks share: the application's loop turned
// for a stretch of wall time, and the CPU time spent meanwhile by the whole
// process or by the GUI thread alone.
#pragma once

#include "classlib/WinApi.h"

#include <chrono>

#include "classlib/Forms.h"

namespace windowbench {

using Clock = std::chrono::steady_clock;

inline void RunLoopFor(double seconds) {
  const auto end = Clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    if (left.count() <= 0) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
    Application->ProcessMessages();
  }
}

inline double FileTimeSeconds(const FILETIME& f) {
  return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7;
}

// User and kernel time of the process, or of the calling thread.
inline double CpuSeconds(bool ThreadOnly) {
  FILETIME create, exit, kernel, user;
  if (ThreadOnly)
    GetThreadTimes(GetCurrentThread(), &create, &exit, &kernel, &user);
  else
    GetProcessTimes(GetCurrentProcess(), &create, &exit, &kernel, &user);
  return FileTimeSeconds(kernel) + FileTimeSeconds(user);
}

// CPU seconds per second of wall time while the loop runs for `seconds`
// (on the GUI thread alone with ThreadOnly).
inline double CpuShare(double seconds, bool ThreadOnly = false) {
  const double c0 = CpuSeconds(ThreadOnly);
  const auto t0 = Clock::now();
  RunLoopFor(seconds);
  const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  return (CpuSeconds(ThreadOnly) - c0) / wall;
}

} // namespace windowbench
