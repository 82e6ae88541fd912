// The equaliser: peaking bands in series over stereo float audio; flat bands
// cost nothing. The bands run as a pipeline, each one sample behind the one
// before it, so their recursions proceed side by side instead of waiting on
// each other: two bands x two channels fill one four-lane vector. The price
// is a delay of one sample per active band (0.2 ms for ten).
#pragma once
#include <cstddef>
#include <vector>

#include "audiolib/src/Dsp.h"

namespace audiolib {

class EqChain {
 public:
  void Configure(const std::vector<EqBand>& bands, int sampleRate);
  void Process(float* stereo, size_t frames);
  // Samples by which the output lags the input.
  size_t Delay() const;

  // Two stages (bands): lanes 0,1 = left, right of the first, 2,3 of the second.
  struct alignas(16) Lanes {
    float b0[4], b1[4], b2[4], a1[4], a2[4];
    float z1[4], z2[4], y[4]; // state, and the last outputs
    int band[2];              // -1: a pass-through filling an odd count
  };

 private:
  std::vector<Lanes> lanes_;
};

} // namespace audiolib
