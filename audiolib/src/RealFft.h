// A real-input FFT of a fixed power-of-two size, tuned for the spectrum
// display's 2048 points a hundred times a second. The real signal is packed
// into a half-size complex FFT of m points, which runs as W independent
// sub-transforms of m / W points side by side in the W lanes of a vector
// register (W = 1, or 4 with SSE2), joined by one last pass of W-point
// transforms. Every table is made once; a call allocates nothing.
#pragma once
#include <cstddef>
#include <vector>

namespace audiolib {

// The tables and work arrays of one transform (internal to RealFft).
struct RealFftPlan {
  size_t n = 0, m = 0, lanes = 1, sub = 0; // sub = m / lanes
  const unsigned* rev = nullptr;           // sub entries: bit-reversed position
  const float* passTw = nullptr;           // per radix-4 pass, per k: w1, w2, w3 (re, im)
  const float* joinTw = nullptr;           // sub * lanes complex (re block, then im block)
  const float* postTw = nullptr; // e^{-2 pi i k / n}, 1 <= k <= m/2 (re block, then im block)
  float* re = nullptr;           // work arrays of m floats
  float* im = nullptr;
  float* zr = nullptr;
  float* zi = nullptr;
};

class RealFft {
 public:
  // n a power of two, >= 16. kernel: an index into Kernels() (for tests),
  // or -1 for the fastest; n below 32 always runs the plain one.
  explicit RealFft(size_t n, int kernel = -1);
  RealFft(const RealFft&) = delete;
  RealFft& operator=(const RealFft&) = delete;

  size_t Size() const { return plan_.n; }
  size_t Lanes() const { return plan_.lanes; }
  const char* KernelName() const { return name_; }
  // The kernels this processor can run, slowest first: "plain" (portable,
  // always there), then "sse2" and "sse2+fma" where available.
  static std::vector<const char*> Kernels();

  // out[k] = |X[k]| * scale for k < n/2, X the DFT of in[0..n).
  void Magnitudes(const float* in, float* out, float scale) {
    kernel_(plan_, in, nullptr, out, scale);
  }
  // The same for in[t] * window[t], the product formed as the input is read.
  void Magnitudes(const float* in, const float* window, float* out, float scale) {
    kernel_(plan_, in, window, out, scale);
  }

  typedef void (*Kernel)(const RealFftPlan&, const float*, const float*, float*, float);

 private:
  RealFftPlan plan_;
  Kernel kernel_ = nullptr;
  const char* name_ = "";
  std::vector<unsigned> rev_;
  std::vector<float> mem_; // every table and work array, 64-byte aligned within
};

} // namespace audiolib
