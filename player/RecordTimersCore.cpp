// The recording's timer counters (see RecordTimersCore.h).
#include "player/RecordTimersCore.h"

#include <cstdio>

void TRecordingClockCounter::Tick() {
  if (++Hundredths < 100) return;
  Hundredths = 0;
  if (++Seconds < 60) return;
  Seconds = 0;
  if (++Minutes < 60) return;
  Minutes = 0;
  ++Hours;
}

void TRecordingClockCounter::ResetHms() { Seconds = Minutes = Hours = 0; }

std::string TRecordingClockCounter::Text() const {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d:%02d", Hours, Minutes, Seconds, Hundredths);
  return buf;
}

TBlinkCounter::TStep TBlinkCounter::Tick() {
  ++Count;
  if (Count == 2) return TStep::On;
  if (Count >= 4) {
    Count = 0;
    return TStep::Off;
  }
  return TStep::None;
}

bool TReconnectWatchdog::Tick(bool EntryPlaying, bool StreamActive, int LeftLevel,
                              bool BytesArrived) {
  if (EntryPlaying) InactiveTicks = StreamActive ? 0 : InactiveTicks + 1;
  QuietTicks = LeftLevel < 5 && !BytesArrived ? QuietTicks + 1 : 0;
  if (InactiveTicks <= 5 && QuietTicks <= 10) return false;
  InactiveTicks = 0;
  if (QuietTicks > 10) QuietTicks = 0;
  return true;
}
