// TAudioData: the audio between the companion's steps, kept as headerless
// interleaved PCM in a scratch file N.TAD in the TEMP folder, with
// sample-level access and the end fade-out.
//
// Samples are little-endian, BlockAlign div Channels bytes each; samples of
// 8 bits or less are unsigned with 128 as zero, wider ones two's complement.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "converter/FileUtils.h"
#include "classlib/SysUtils.h"

// A sample operation on audio whose channel count is 0.
class EZeroDivide : public Exception {
 public:
  using Exception::Exception;
};

class TAudioData {
 public:
  // Scratch file in the TEMP folder (GetTempDir).
  TAudioData();
  // Scratch file in `tempDir` (with its trailing separator).
  explicit TAudioData(const std::string& tempDir);
  TAudioData(const TAudioData&) = delete;
  TAudioData& operator=(const TAudioData&) = delete;
  // Closes and deletes the scratch file.
  ~TAudioData();

  uint16_t Channels = 0;
  int32_t SampleRate = 0;
  uint16_t BitsPerSample = 0;
  uint16_t BlockAlign = 0;

  TFile& Data() { return *data_; }
  const std::string& FileName() const { return file_name_; }

  // BlockAlign := bytes per sample (bits rounded up) x Channels, 16-bit.
  void UpdateBlockAlign();
  int32_t ReadSample(uint32_t frame, uint32_t channel);
  // Writing past the end first fills the gap with zero bytes.
  void WriteSample(uint32_t frame, uint32_t channel, int32_t value);
  // Fades the last 500000 of `count` frames from `start` to silence (and a
  // hair beyond: the gain ends at -1/499) and clamps every processed sample
  // to the symmetric range of its size.
  void FadeOut(uint32_t start, uint32_t count);

 private:
  uint32_t BytesPerSample();
  void FadeOutBySample(uint32_t start, uint32_t count, uint32_t limit);
  void FadeOutInBlocks(uint32_t start, uint32_t count, uint32_t limit);

  std::unique_ptr<TFile> data_;
  std::string file_name_;
};

// Deletes every ".tad" file in `folder` and the whole tree under it, clearing
// read-only attributes first; failures are ignored.
void DeleteTadFiles(const std::string& folder);

// The per-frame arithmetic of the fade, shared with its tests and benchmark.
namespace fade {
constexpr uint32_t kFadeFrames = 500000;
// Next gain: the sum is formed in 80-bit precision and stored as a double.
double NextGain(double gain);
// round(value x gain) to the nearest integer, halves to even, in 80-bit.
int32_t Apply(int32_t value, double gain);
// 256^bytes / 2 - 1 in unsigned 32-bit arithmetic.
uint32_t Limit(uint32_t bytesPerSample);
int32_t Clamp(int32_t value, uint32_t limit);
// Little-endian sample bytes to and from a value.
int32_t Decode(const uint8_t* bytes, uint32_t size, uint16_t bitsPerSample);
void Encode(int32_t value, uint8_t* bytes, uint32_t size, uint16_t bitsPerSample);
} // namespace fade
