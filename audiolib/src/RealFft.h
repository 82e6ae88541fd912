// A real-input FFT of a fixed power-of-two size, tuned for the spectrum
// display's 2048 points many times a second: the real signal is packed into
// a half-size complex FFT, twiddles and bit reversal are tabulated, and the
// data are kept as separate real and imaginary arrays so loops vectorise.
#pragma once
#include <cstddef>
#include <vector>

namespace audiolib {

class RealFft {
 public:
  explicit RealFft(size_t n);  // n a power of two, >= 16
  size_t Size() const { return n_; }
  // out[k] = |X[k]| * scale for k < n/2, X the DFT of in[0..n).
  void Magnitudes(const float* in, float* out, float scale);

 private:
  void ComplexFft();  // in place on re_, im_ (size n/2), input in bit-reversed order

  size_t n_, m_;
  std::vector<unsigned> bitrev_;        // m_ entries
  std::vector<float> twRe_, twIm_;      // per stage: half twiddles, stages concatenated
  std::vector<float> postRe_, postIm_;  // e^{-2 pi i k / n}, k < m_
  std::vector<float> re_, im_;
  std::vector<float> revRe_, revIm_;
};

}  // namespace audiolib
