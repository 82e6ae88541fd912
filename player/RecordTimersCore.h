// The small counters behind the recording's timers: the recording clock
// (10 ms ticks), the blink of the record LED and of the pause label, and the
// reconnect watchdog (1 s ticks). GUI thread.
#pragma once

#include <string>

class TRecordingClockCounter {
 public:
  void Tick();
  // Seconds, minutes and hours back to 0 (the hundredths run on).
  void ResetHms();
  // "hh:mm:ss:cc", each at least two digits.
  std::string Text() const;

  int Hundredths = 0;
  int Seconds = 0;
  int Minutes = 0;
  int Hours = 0;
};

// Four ticks per cycle: at the second the "on" look, at the fourth the "off"
// look and the count starts again.
class TBlinkCounter {
 public:
  enum class TStep { None, On, Off };
  TStep Tick();
  void Reset() { Count = 0; }
  int Count = 0;
};

// Reopens a station that has stopped playing (more than 5 ticks) or gone
// silent (the left level below 5 and no stream bytes arriving for more than
// 10 ticks) while recording. A quiet passage of a station that still sends
// is no reason: reopening it would leave a gap in the file.
class TReconnectWatchdog {
 public:
  // One tick; true when the station is to be reopened now. `BytesArrived`:
  // stream bytes came in since the last tick.
  bool Tick(bool EntryPlaying, bool StreamActive, int LeftLevel, bool BytesArrived);
  int InactiveTicks = 0;
  int QuietTicks = 0;
};
