// Peaking filters from the usual bilinear-transform design (gain exact at the
// centre, bandwidth in octaves = semitones / 12), volume, and the analysis
// ring that feeds the spectrum (RealFft) and the levels.
#include "audiolib/src/Dsp.h"

#include <algorithm>
#include <cmath>
#include <complex>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  // Left and right side by side in one two-lane vector: the two recursions
  // run together (GCC/clang vector extension: SSE2 on x86, plain code elsewhere).
  typedef double Pair __attribute__((vector_size(16)));
  Pair z1 = {z1_[0], z1_[1]}, z2 = {z2_[0], z2_[1]};
  const Pair b0 = {b0_, b0_}, b1 = {b1_, b1_}, b2 = {b2_, b2_}, a1 = {a1_, a1_}, a2 = {a2_, a2_};
  for (size_t i = 0; i < frames; ++i, s += 2) {
    Pair x = {s[0], s[1]};
    Pair y = b0 * x + z1; // transposed direct form II
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    s[0] = static_cast<float>(y[0]);
    s[1] = static_cast<float>(y[1]);
  }
  // Denormals would slow the filter to a crawl on silence.
  for (int c = 0; c < 2; ++c) {
    z1_[c] = std::fabs(z1[c]) < 1e-20 ? 0.0 : z1[c];
    z2_[c] = std::fabs(z2[c]) < 1e-20 ? 0.0 : z2[c];
  }
}

double PeakingFilter::ResponseDb(double f, int sampleRate) const {
  if (flat_) return 0;
  std::complex<double> z = std::polar(1.0, -2 * kPi * f / sampleRate);
  std::complex<double> h = (b0_ + b1_ * z + b2_ * z * z) / (1.0 + a1_ * z + a2_ * z * z);
  return 20 * std::log10(std::abs(h));
}

void ToPcm16(const float* s, size_t frames, float volume, std::vector<int16_t>& out) {
  volume = std::clamp(volume, 0.0f, 1.0f);
  const size_t n = frames * 2;
  out.resize(n);
  const float k = volume * 32767.0f;
  int16_t* o = out.data();
  size_t i = 0;
#if defined(__SSE2__)
  // Every sample of the stream passes here: eight at a time, with the same
  // arithmetic as the plain loop below (which the compiler does not vectorise).
  const __m128 vk = _mm_set1_ps(k), lo = _mm_set1_ps(-32767.0f), hi = _mm_set1_ps(32767.0f);
  const __m128 half = _mm_set1_ps(0.5f), sign = _mm_set1_ps(-0.0f);
  for (; i + 8 <= n; i += 8) {
    __m128 a = _mm_min_ps(_mm_max_ps(_mm_mul_ps(_mm_loadu_ps(s + i), vk), lo), hi);
    __m128 b = _mm_min_ps(_mm_max_ps(_mm_mul_ps(_mm_loadu_ps(s + i + 4), vk), lo), hi);
    a = _mm_add_ps(a, _mm_or_ps(half, _mm_and_ps(a, sign))); // half away from zero
    b = _mm_add_ps(b, _mm_or_ps(half, _mm_and_ps(b, sign)));
    __m128i pcm = _mm_packs_epi32(_mm_cvttps_epi32(a), _mm_cvttps_epi32(b));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + i), pcm);
  }
#endif
  for (; i < n; ++i) {
    float v = std::min(std::max(s[i] * k, -32767.0f), 32767.0f);
    o[i] = static_cast<int16_t>(v + (v >= 0.0f ? 0.5f : -0.5f));
  }
}

Analyzer::Analyzer() : mono_(kRing + kFftSize, 0.0f), window_(kFftSize) {
  for (size_t i = 0; i < kFftSize; ++i)
    window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * kPi * i / kFftSize));
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
  // Mixed to mono once here rather than on every spectrum query: the
  // display asks several times for each new 2048 frames.
  while (frames > 0) {
    size_t run = std::min(frames, kRing - pos_);
    std::copy(s, s + run * 2, ring_.begin() + static_cast<long>(pos_ * 2));
    float* mono = mono_.data() + pos_;
    for (size_t j = 0; j < run; ++j) mono[j] = 0.5f * (s[2 * j] + s[2 * j + 1]);
    if (pos_ < kFftSize) {
      size_t copies = std::min(run, kFftSize - pos_);
      std::copy(mono, mono + copies, mono + kRing);
    }
    s += run * 2;
    frames -= run;
    pos_ = (pos_ + run) % kRing;
  }
}

void Analyzer::Reset() {
  std::lock_guard<std::mutex> lk(m_);
  ring_.fill(0);
  std::fill(mono_.begin(), mono_.end(), 0.0f);
}

void Analyzer::Spectrum(float* out) {
  std::lock_guard<std::mutex> lk(m_);
  // The last kFftSize frames, in one run thanks to the repeated start.
  const float* last = mono_.data() + (pos_ + kRing - kFftSize) % kRing;
  // The Hann window halves a sine's peak: |X| = A N / 4, so 2 / N gives A / 2.
  fft_.Magnitudes(last, window_.data(), out, 2.0f / kFftSize);
}

namespace {

// Raises peak[0] and peak[1] to the largest magnitudes of the left and right
// samples in stereo[0 .. 2 frames).
void StereoPeaks(const float* s, size_t frames, float* peak) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
  // Lanes: left, right, left, right. Four chains, so that each maximum need
  // not wait for the one before; a NaN sample leaves them as they were.
  __m128 acc[4] = {_mm_setzero_ps(), _mm_setzero_ps(), _mm_setzero_ps(), _mm_setzero_ps()};
  for (; i + 8 <= frames; i += 8)
    for (int j = 0; j < 4; ++j)
      acc[j] = _mm_max_ps(_mm_and_ps(_mm_loadu_ps(s + 2 * i + 4 * j), magnitude), acc[j]);
  for (; i + 2 <= frames; i += 2)
    acc[0] = _mm_max_ps(_mm_and_ps(_mm_loadu_ps(s + 2 * i), magnitude), acc[0]);
  acc[0] = _mm_max_ps(_mm_max_ps(acc[0], acc[1]), _mm_max_ps(acc[2], acc[3]));
  float lanes[4];
  _mm_storeu_ps(lanes, acc[0]);
  peak[0] = std::max({peak[0], lanes[0], lanes[2]});
  peak[1] = std::max({peak[1], lanes[1], lanes[3]});
#endif
  for (; i < frames; ++i) {
    peak[0] = std::max(peak[0], std::fabs(s[2 * i]));
    peak[1] = std::max(peak[1], std::fabs(s[2 * i + 1]));
  }
}

} // namespace

unsigned Analyzer::Level() const {
  std::lock_guard<std::mutex> lk(m_);
  size_t frames = std::min<size_t>(kRing, static_cast<size_t>(rate_) / 50);
  // The last frames of the ring, in at most two runs.
  size_t start = (pos_ + kRing - frames) % kRing;
  size_t first = std::min(frames, kRing - start);
  float peak[2] = {0, 0};
  StereoPeaks(ring_.data() + start * 2, first, peak);
  StereoPeaks(ring_.data(), frames - first, peak);
  auto scaled = [](float v) {
    return static_cast<unsigned>(std::lround(std::min(v, 1.0f) * 32768.0f));
  };
  return scaled(peak[0]) | (scaled(peak[1]) << 16);
}

} // namespace audiolib
