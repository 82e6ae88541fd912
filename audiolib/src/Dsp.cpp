// Peaking filters from the usual bilinear-transform design (gain exact at the
// centre, bandwidth in octaves = semitones / 12), a plain iterative FFT, and
// the analysis ring.
#include "Dsp.h"

#include <algorithm>
#include <cmath>

namespace audiolib {
namespace {
constexpr double kPi = 3.14159265358979323846;
}

void PeakingFilter::Configure(const EqBand& band, int sampleRate) {
  flat_ = std::fabs(band.gain) < 1e-4f;
  if (flat_) {
    z1_[0] = z1_[1] = z2_[0] = z2_[1] = 0;
    return;
  }
  // Keep the centre below Nyquist so a 16 kHz band on a 22 kHz stream stays stable.
  double f0 = std::min<double>(band.center, sampleRate * 0.45);
  double w0 = 2 * kPi * f0 / sampleRate;
  double octaves = band.bandwidth / 12.0;
  double sw = std::sin(w0);
  double alpha = sw * std::sinh(std::log(2.0) / 2 * octaves * w0 / sw);
  double A = std::pow(10.0, band.gain / 40.0);
  double a0 = 1 + alpha / A;
  b0_ = (1 + alpha * A) / a0;
  b1_ = -2 * std::cos(w0) / a0;
  b2_ = (1 - alpha * A) / a0;
  a1_ = b1_;
  a2_ = (1 - alpha / A) / a0;
}

void PeakingFilter::Process(float* s, size_t frames) {
  if (flat_) return;
  for (int c = 0; c < 2; ++c) {
    double z1 = z1_[c], z2 = z2_[c];
    float* p = s + c;
    for (size_t i = 0; i < frames; ++i, p += 2) {
      double x = *p;
      double y = b0_ * x + z1;  // transposed direct form II
      z1 = b1_ * x - a1_ * y + z2;
      z2 = b2_ * x - a2_ * y;
      *p = static_cast<float>(y);
    }
    // Denormals would slow the filter to a crawl on silence.
    if (std::fabs(z1) < 1e-20) z1 = 0;
    if (std::fabs(z2) < 1e-20) z2 = 0;
    z1_[c] = z1;
    z2_[c] = z2;
  }
}

double PeakingFilter::ResponseDb(double f, int sampleRate) const {
  if (flat_) return 0;
  std::complex<double> z = std::polar(1.0, -2 * kPi * f / sampleRate);
  std::complex<double> h =
      (b0_ + b1_ * z + b2_ * z * z) / (1.0 + a1_ * z + a2_ * z * z);
  return 20 * std::log10(std::abs(h));
}

void Fft(std::vector<std::complex<float>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    double ang = -2 * kPi / static_cast<double>(len);
    std::complex<float> wl(static_cast<float>(std::cos(ang)), static_cast<float>(std::sin(ang)));
    for (size_t i = 0; i < n; i += len) {
      std::complex<float> w(1, 0);
      for (size_t k = 0; k < len / 2; ++k) {
        std::complex<float> u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= wl;
      }
    }
  }
}

void Analyzer::SetSampleRate(int rate) {
  std::lock_guard<std::mutex> lk(m_);
  rate_ = rate > 0 ? rate : 44100;
}

void Analyzer::Push(const float* s, size_t frames) {
  std::lock_guard<std::mutex> lk(m_);
  if (frames > kRing) {
    s += (frames - kRing) * 2;
    frames = kRing;
  }
  for (size_t i = 0; i < frames; ++i) {
    ring_[pos_ * 2] = s[i * 2];
    ring_[pos_ * 2 + 1] = s[i * 2 + 1];
    pos_ = (pos_ + 1) % kRing;
  }
}

void Analyzer::Reset() {
  std::lock_guard<std::mutex> lk(m_);
  ring_.fill(0);
}

void Analyzer::Spectrum(float* out) {
  std::lock_guard<std::mutex> lk(m_);
  if (window_.size() != kFftSize) {
    window_.resize(kFftSize);
    for (size_t i = 0; i < kFftSize; ++i)
      window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * kPi * i / kFftSize));
    work_.resize(kFftSize);
  }
  size_t start = (pos_ + kRing - kFftSize) % kRing;
  for (size_t i = 0; i < kFftSize; ++i) {
    size_t f = (start + i) % kRing;
    work_[i] = std::complex<float>(0.5f * (ring_[f * 2] + ring_[f * 2 + 1]) * window_[i], 0);
  }
  Fft(work_);
  // The Hann window halves a sine's peak: |X| = A N / 4, so 2 / N gives A / 2.
  const float scale = 2.0f / kFftSize;
  for (size_t k = 0; k < kFftSize / 2; ++k) out[k] = std::abs(work_[k]) * scale;
}

unsigned Analyzer::Level() const {
  std::lock_guard<std::mutex> lk(m_);
  size_t frames = std::min<size_t>(kRing, static_cast<size_t>(rate_) / 50);
  float peak[2] = {0, 0};
  for (size_t i = 0; i < frames; ++i) {
    size_t f = (pos_ + kRing - 1 - i) % kRing;
    peak[0] = std::max(peak[0], std::fabs(ring_[f * 2]));
    peak[1] = std::max(peak[1], std::fabs(ring_[f * 2 + 1]));
  }
  auto scaled = [](float v) {
    return static_cast<unsigned>(std::lround(std::min(v, 1.0f) * 32768.0f));
  };
  return scaled(peak[0]) | (scaled(peak[1]) << 16);
}

}  // namespace audiolib
