// The companion's timed run: read the hand-over file, then on the timer's
// ticks load the recording (tick 1), fade out its end (tick 15), write the
// output (tick 30) and end (after tick 45).
//
// The window and its timer only deliver the ticks; everything here is
// portable so the run can be driven tick by tick in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "converter/AudioFormat.h"

class TCompanionRun {
 public:
  // `terminate` asks the application to end; it may be called more than once.
  explicit TCompanionRun(std::function<void()> terminate);
  ~TCompanionRun();

  // Creates the audio buffer (2 channels, 16 bits, 44100 Hz) and reads the
  // three lines of the hand-over file; raises EInOutError when it can't.
  void Start(const std::string& handOverFile);
  // One timer tick, guarded: whatever a step raises ends the run.
  void Tick();

  // The steps; each does nothing unless the run is in the state it expects.
  void OpenInput();
  void ApplyFade();
  void SaveOutput();
  // Frees the audio buffer, deleting its scratch file.
  void ReleaseAudio();

  std::string State;
  int32_t TickCount = 0;
  std::string Bitrate;
  std::string InputName;
  std::string OutputName;
  std::unique_ptr<TAudioData> Audio;

 private:
  std::function<void()> terminate_;
};

// The three lines of the hand-over file: the bitrate text, the recording to
// re-encode and its final path.
struct THandOver {
  std::string Bitrate;
  std::string InputName;
  std::string OutputName;
};
// Reads a hand-over file; raises EInOutError when it can't be opened or read.
THandOver ReadHandOver(const std::string& fileName);

// Path of the hand-over file for a program in `programFolder`.
std::string HandOverPath(const std::string& programFolder);
