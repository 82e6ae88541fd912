// Signal processing on decoded stereo float audio (interleaved L R, full
// scale +-1): peaking equaliser bands, volume, and the analysis that the
// spectrum and level display read (2048-sample FFT, peak levels).
#pragma once
#include <array>
#include <cstdint>
#include <cstddef>
#include <mutex>
#include <vector>

#include "audiolib/src/RealFft.h"

namespace audiolib {

struct EqBand {
  float center = 1000.0f;  // Hz
  float bandwidth = 12.0f; // semitones
  float gain = 0.0f;       // dB
};

// One peaking filter (a biquad) for two channels.
class PeakingFilter {
 public:
  void Configure(const EqBand& band, int sampleRate);
  bool Flat() const { return flat_; }
  void Process(float* stereo, size_t frames);
  // The filter's gain in dB at frequency f (for tests and checks).
  double ResponseDb(double f, int sampleRate) const;
  struct Coeffs {
    double b0, b1, b2, a1, a2;
  };
  Coeffs Coefficients() const { return {b0_, b1_, b2_, a1_, a2_}; }

 private:
  bool flat_ = true;
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double z1_[2] = {0, 0}, z2_[2] = {0, 0};
};

// Volume and conversion to the output's 16-bit samples (clipped).
void ToPcm16(const float* stereo, size_t frames, float volume, std::vector<int16_t>& out);

// Keeps the most recent audio and answers spectrum and level queries.
class Analyzer {
 public:
  static constexpr size_t kFftSize = 2048;

  Analyzer();
  void SetSampleRate(int rate);
  void Push(const float* stereo, size_t frames);
  void Reset();
  // 1024 magnitudes of the Hann-windowed FFT of the last 2048 frames (mono
  // mix); a full-scale sine gives ~0.5 in its peak bin.
  void Spectrum(float* out1024);
  // Peak of each channel over the last ~20 ms, 0..32768: low word left,
  // high word right.
  unsigned Level() const;

 private:
  static constexpr size_t kRing = 4096;
  mutable std::mutex m_;
  std::array<float, kRing * 2> ring_{}; // stereo, for the levels
  // The same frames mixed to mono, the first kFftSize repeated after the
  // end so that any kFftSize frames lie in one run.
  std::vector<float> mono_;
  size_t pos_ = 0; // next frame to write
  int rate_ = 44100;
  std::vector<float> window_;
  RealFft fft_{kFftSize};
};

} // namespace audiolib
