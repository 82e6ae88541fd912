// The audio output behind a small interface: a null backend that consumes
// audio at the pace of a real device (natively and in tests), and waveOut on
// Windows.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "audiolib/src/Errors.h"

namespace audiolib {

class OutputStream {
 public:
  virtual ~OutputStream() = default;
  // Queues interleaved 16-bit stereo frames; blocks while the device's queue
  // is full. false on a device error or when `abort` is set.
  virtual bool Write(const int16_t* frames, size_t count, const std::atomic<bool>& abort) = 0;
};

class OutputBackend {
 public:
  virtual ~OutputBackend() = default;
  // Whether BASS_Init may succeed with this device number (-1 = default).
  virtual bool HasDevice(int device) = 0;
  virtual std::unique_ptr<OutputStream> Open(int sampleRate, Err& err) = 0;
};

// A backend without sound that plays at real time (speed 1) or faster.
std::shared_ptr<OutputBackend> NullOutputBackend(double speed = 1.0, bool hasDevice = true);
// The system's backend: waveOut on Windows, the null backend elsewhere.
std::shared_ptr<OutputBackend> SystemOutputBackend();

} // namespace audiolib
