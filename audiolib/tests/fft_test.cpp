// The spectrum's real FFT with every kernel the processor runs (plain floats,
// SSE2, SSE2 with fused multiply-adds), against a plain DFT in double
// precision, and the analyser's ring, which hands the FFT the last 2048
// frames in one run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <limits>
#include <vector>

#include "audiolib/src/Dsp.h"
#include "audiolib/src/RealFft.h"

using namespace audiolib;

namespace {

const double kPi = 3.14159265358979323846;

std::vector<float> Noise(size_t n, uint32_t seed, float offset = 0.0f) {
  std::vector<float> x(n);
  for (float& v : x) {
    seed = seed * 1664525u + 1013904223u;
    v = static_cast<float>(seed >> 8) / (1 << 24) - 0.5f + offset;
  }
  return x;
}

// |DFT| of x, every bin below n/2.
std::vector<double> DftMagnitudes(const std::vector<float>& x) {
  const size_t n = x.size();
  std::vector<double> c(n), s(n), mag(n / 2);
  for (size_t t = 0; t < n; ++t) {
    c[t] = std::cos(2 * kPi * t / n);
    s[t] = std::sin(2 * kPi * t / n);
  }
  for (size_t k = 0; k < n / 2; ++k) {
    double re = 0, im = 0;
    for (size_t t = 0; t < n; ++t) {
      size_t i = (k * t) % n;
      re += x[t] * c[i];
      im -= x[t] * s[i];
    }
    mag[k] = std::hypot(re, im);
  }
  return mag;
}

int KernelCount() { return static_cast<int>(RealFft::Kernels().size()); }

} // namespace

TEST(RealFft, EveryKernelAndSizeMatchesAPlainDft) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::string names;
  for (const char* name : RealFft::Kernels()) names += std::string(" ") + name;
  RecordProperty("kernels", names);
  std::printf("kernels on this processor:%s\n", names.c_str());
  for (int kernel = 0; kernel < KernelCount(); ++kernel) {
    const char* name = RealFft::Kernels()[static_cast<size_t>(kernel)];
    // Odd and even powers of two, so both first-pass shapes of the
    // sub-transforms are met by every kernel.
    for (size_t n : {16u, 32u, 64u, 128u, 256u, 512u, 1024u, 2048u, 4096u}) {
      RealFft fft(n, kernel);
      if (n >= 32) { EXPECT_STREQ(fft.KernelName(), name) << n; }
      for (uint32_t seed : {1u, 99u}) {
        // A DC offset on one of them: bin 0 and its neighbours are special.
        auto x = Noise(n, seed + static_cast<uint32_t>(n), seed == 99 ? 0.75f : 0.0f);
        auto want = DftMagnitudes(x);
        std::vector<float> got(n / 2 + 8, nan); // what lies past n/2 must stay untouched
        fft.Magnitudes(x.data(), got.data(), 0.5f);
        for (size_t k = 0; k < n / 2; ++k)
          ASSERT_NEAR(got[k], 0.5 * want[k], 1e-4 * std::sqrt(double(n)))
              << name << " n " << n << " bin " << k;
        for (size_t k = n / 2; k < got.size(); ++k) EXPECT_TRUE(std::isnan(got[k])) << k;
      }
    }
  }
}

TEST(RealFft, KernelsAgreeAndRepeatedCallsGiveTheSameResult) {
  auto x = Noise(2048, 5);
  std::vector<float> first;
  for (int kernel = 0; kernel < KernelCount(); ++kernel) {
    RealFft fft(2048, kernel);
    std::vector<float> a(1024), b(1024);
    fft.Magnitudes(x.data(), a.data(), 1.0f);
    fft.Magnitudes(x.data(), b.data(), 1.0f);
    EXPECT_EQ(a, b) << "no state may leak from one call into the next";
    if (first.empty()) first = a;
    for (size_t k = 0; k < 1024; ++k) ASSERT_NEAR(a[k], first[k], 2e-4) << kernel << " " << k;
  }
}

TEST(RealFft, WindowedInputEqualsTheProduct) {
  auto x = Noise(2048, 11), w = Noise(2048, 12, 0.5f);
  std::vector<float> product(2048);
  for (size_t t = 0; t < 2048; ++t) product[t] = x[t] * w[t];
  for (int kernel = 0; kernel < KernelCount(); ++kernel) {
    RealFft fft(2048, kernel);
    std::vector<float> a(1024), b(1024);
    fft.Magnitudes(x.data(), w.data(), a.data(), 2.0f / 2048);
    fft.Magnitudes(product.data(), b.data(), 2.0f / 2048);
    EXPECT_EQ(a, b) << kernel;
  }
}

TEST(RealFft, PureTonesLandInTheirBinsAtFullScale) {
  for (int kernel = 0; kernel < KernelCount(); ++kernel) {
    RealFft fft(2048, kernel);
    for (size_t bin : {1u, 7u, 511u, 512u, 513u, 1023u}) {
      std::vector<float> x(2048);
      for (size_t t = 0; t < 2048; ++t)
        x[t] = static_cast<float>(std::cos(2 * kPi * double(bin * t) / 2048));
      std::vector<float> mag(1024);
      fft.Magnitudes(x.data(), mag.data(), 2.0f / 2048);
      for (size_t k = 0; k < 1024; ++k)
        ASSERT_NEAR(mag[k], k == bin ? 1.0 : 0.0, 1e-4)
            << kernel << " tone " << bin << " bin " << k;
    }
  }
}

// The analyser keeps a mono copy of its ring; wherever the ring's end falls,
// the spectrum is that of the last 2048 frames, mixed and windowed.
TEST(Spectrum, LastFramesAcrossTheRingsEndAndAfterLongPushes) {
  Analyzer a;
  RealFft ref(2048);
  std::vector<float> window(2048);
  for (size_t i = 0; i < 2048; ++i)
    window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * kPi * i / 2048));
  std::vector<float> history; // every stereo sample pushed
  uint32_t seed = 3;
  auto check = [&](const char* when) {
    std::vector<float> mono(2048);
    const float* last = history.data() + history.size() - 2 * 2048;
    for (size_t i = 0; i < 2048; ++i) mono[i] = 0.5f * (last[2 * i] + last[2 * i + 1]);
    std::vector<float> want(1024), got(1024);
    ref.Magnitudes(mono.data(), window.data(), want.data(), 2.0f / 2048);
    a.Spectrum(got.data());
    EXPECT_EQ(got, want) << when << " after " << history.size() / 2 << " frames";
  };
  // 441-frame pieces (10 ms) walk the write position all round the ring.
  for (int piece = 0; piece < 40; ++piece) {
    auto s = Noise(2 * 441, seed++);
    a.Push(s.data(), 441);
    history.insert(history.end(), s.begin(), s.end());
    if (history.size() >= 2 * 2048) check("pieces");
  }
  // More than the ring holds at once, and then an odd remainder.
  for (size_t frames : {5000u, 4096u, 1u, 3000u}) {
    auto s = Noise(2 * frames, seed++);
    a.Push(s.data(), frames);
    history.insert(history.end(), s.begin(), s.end());
    check("long push");
  }
  a.Reset();
  std::vector<float> got(1024);
  a.Spectrum(got.data());
  EXPECT_EQ(*std::max_element(got.begin(), got.end()), 0.0f);
}
