// Signal processing and the thread plumbing beneath the streams: spectrum,
// levels, equaliser response, the download buffer and the callback gate.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "audiolib/src/CallbackGate.h"
#include "audiolib/src/DownloadBuffer.h"
#include "audiolib/src/Dsp.h"
#include "audiolib/src/EqChain.h"
#include "audiolib/src/RealFft.h"

using namespace audiolib;

namespace {

const double kPi = 3.14159265358979323846;

std::vector<float> Sine(double freq, double amp, size_t frames, int rate = 44100) {
  std::vector<float> s(frames * 2);
  for (size_t i = 0; i < frames; ++i)
    s[i * 2] = s[i * 2 + 1] = static_cast<float>(amp * std::sin(2 * kPi * freq * i / rate));
  return s;
}

double PeakAfterWarmup(const std::vector<float>& s) {
  double peak = 0;
  for (size_t i = s.size() / 2; i < s.size(); ++i) peak = std::max(peak, std::fabs(double(s[i])));
  return peak;
}

} // namespace

TEST(Spectrum, FullScaleSineGivesHalfInItsBin) {
  Analyzer a;
  // Bin 100 exactly: 100 * 44100 / 2048 Hz.
  auto s = Sine(100.0 * 44100 / 2048, 1.0, 4096);
  a.Push(s.data(), 4096);
  float mag[1024];
  a.Spectrum(mag);
  int peak = static_cast<int>(std::max_element(mag, mag + 1024) - mag);
  EXPECT_EQ(peak, 100);
  EXPECT_NEAR(mag[100], 0.5, 0.01);
  EXPECT_LT(mag[110], 0.001); // the window keeps leakage away from far bins
}

TEST(Spectrum, RealFftMatchesAPlainDft) {
  for (size_t n : {16u, 64u, 2048u}) {
    std::vector<float> x(n);
    uint32_t seed = 7;
    for (float& v : x) {
      seed = seed * 1664525u + 1013904223u;
      v = static_cast<float>(seed >> 8) / (1 << 24) - 0.5f;
    }
    std::vector<float> mag(n / 2);
    RealFft fft(n);
    fft.Magnitudes(x.data(), mag.data(), 1.0f);
    for (size_t k = 0; k < n / 2; k += (n > 64 ? 37 : 1)) {
      double re = 0, im = 0;
      for (size_t t = 0; t < n; ++t) {
        re += x[t] * std::cos(2 * kPi * k * t / n);
        im -= x[t] * std::sin(2 * kPi * k * t / n);
      }
      EXPECT_NEAR(mag[k], std::hypot(re, im), 1e-3 * std::sqrt(double(n))) << n << " bin " << k;
    }
  }
}

TEST(Spectrum, SilenceAndResetGiveZeros) {
  Analyzer a;
  float mag[1024];
  a.Spectrum(mag);
  EXPECT_EQ(*std::max_element(mag, mag + 1024), 0.0f);
}

TEST(Levels, PeakOfEachChannelOverTheLast20ms) {
  Analyzer a;
  std::vector<float> s(44100 / 10 * 2);
  for (size_t i = 0; i < s.size() / 2; ++i) {
    s[i * 2] = (i % 100 == 0) ? 0.5f : 0.0f;   // left: peaks of half scale
    s[i * 2 + 1] = (i % 100 == 0) ? -1.0f : 0; // right: full scale
  }
  a.Push(s.data(), s.size() / 2);
  unsigned level = a.Level();
  EXPECT_EQ(level & 0xFFFF, 16384u);
  EXPECT_EQ(level >> 16, 32768u);
  // A loud moment longer ago than 20 ms no longer counts.
  std::vector<float> quiet(44100 / 20 * 2, 0.01f);
  a.Push(quiet.data(), quiet.size() / 2);
  EXPECT_EQ(a.Level() & 0xFFFF, 328u);
}

// The 20 ms window is exact at both ends, wherever it lies in the ring
// (straddling its end or not, starting on an odd or even frame).
TEST(Levels, WindowEdgesAcrossTheRingsEnd) {
  const size_t window = 44100 / 50, block = 2000;
  for (size_t before : {0u, 1u, 2100u, 2501u, 2977u, 3000u}) {
    Analyzer a;
    std::vector<float> zeros(before * 2 + 2, 0.0f);
    a.Push(zeros.data(), before);
    std::vector<float> s(block * 2, 0.0f);
    s[(block - window) * 2] = -0.25f;        // left: the oldest frame still counted
    s[(block - window - 1) * 2 + 1] = 0.75f; // right: one frame too old
    s[(block - 1) * 2 + 1] = -0.5f;          // right: the newest frame
    a.Push(s.data(), block);
    EXPECT_EQ(a.Level(), 8192u | (16384u << 16)) << before;
  }
}

TEST(Equaliser, GainAtTheCentreEqualsTheSetGain) {
  for (float gain : {-15.0f, -6.0f, 3.0f, 15.0f}) {
    for (float centre : {80.0f, 1000.0f, 6000.0f, 16000.0f}) {
      PeakingFilter f;
      f.Configure(EqBand{centre, 10.0f, gain}, 44100);
      EXPECT_NEAR(f.ResponseDb(centre, 44100), gain, 0.5) << centre << " " << gain;
      // Measured on a real signal too.
      auto s = Sine(centre, 0.1, 44100 / 2);
      f.Process(s.data(), s.size() / 2);
      double db = 20 * std::log10(PeakAfterWarmup(s) / 0.1);
      EXPECT_NEAR(db, gain, 0.5) << centre << " " << gain;
    }
  }
}

TEST(Equaliser, BandLeavesDistantFrequenciesAloneAndFlatBandIsExact) {
  PeakingFilter f;
  f.Configure(EqBand{1000.0f, 10.0f, 12.0f}, 44100);
  EXPECT_NEAR(f.ResponseDb(8000, 44100), 0.0, 1.0);
  PeakingFilter flat;
  flat.Configure(EqBand{1000.0f, 10.0f, 0.0f}, 44100);
  EXPECT_TRUE(flat.Flat());
  auto s = Sine(1000, 0.3, 1000), copy = s;
  flat.Process(s.data(), 1000);
  EXPECT_EQ(s, copy);
  // A 16 kHz band on a 22.05 kHz stream stays stable.
  PeakingFilter high;
  high.Configure(EqBand{16000.0f, 10.0f, 15.0f}, 22050);
  auto n = Sine(5000, 0.5, 22050, 22050);
  high.Process(n.data(), 22050);
  EXPECT_TRUE(std::isfinite(n.back()));
  EXPECT_LT(PeakAfterWarmup(n), 4.0);
}

// The pipelined chain equals the bands applied one after another, a few
// samples later; flat bands are skipped.
TEST(Equaliser, ChainEqualsTheBandsInSeries) {
  std::vector<EqBand> bands = {{80, 10, 6}, {1000, 10, 0}, {3000, 4, -9}, {12000, 20, 15}};
  auto in = Sine(700, 0.3, 3000);
  for (size_t i = 0; i < in.size(); i += 7) in[i] += 0.2f; // something broadband
  auto serial = in;
  for (const EqBand& b : bands) {
    PeakingFilter f;
    f.Configure(b, 44100);
    f.Process(serial.data(), 3000);
  }
  EqChain chain;
  chain.Configure(bands, 44100);
  auto piped = in;
  chain.Process(piped.data(), 1000); // in two blocks: the state carries over
  chain.Process(piped.data() + 2000, 2000);
  const size_t delay = chain.Delay();
  EXPECT_EQ(delay, 3u); // three bands and a pass-through, one sample each after the first
  for (size_t i = 0; i + delay < 3000; ++i) {
    ASSERT_NEAR(piped[(i + delay) * 2], serial[i * 2], 1e-4) << i;
    ASSERT_NEAR(piped[(i + delay) * 2 + 1], serial[i * 2 + 1], 1e-4) << i;
  }
  EqChain flat;
  flat.Configure({{1000, 10, 0}, {5000, 10, 0}}, 44100);
  auto copy = in;
  flat.Process(copy.data(), 3000);
  EXPECT_EQ(copy, in);
}

TEST(Output, Pcm16ConversionRoundsClipsAndAppliesVolume) {
  const float in[6] = {0.5f, -0.5f, 2.0f, -2.0f, 1.0f / 32767, 0.0f};
  std::vector<int16_t> out;
  ToPcm16(in, 3, 1.0f, out);
  EXPECT_EQ(out, (std::vector<int16_t>{16384, -16384, 32767, -32767, 1, 0}));
  ToPcm16(in, 3, 0.5f, out);
  EXPECT_EQ(out[0], 8192);
  ToPcm16(in, 3, 0.0f, out);
  EXPECT_EQ(out[2], 0);
}

// Long blocks go through the vector loop, the last few samples through the
// plain one: both must round half away from zero and clip alike.
TEST(Output, Pcm16SameOnEveryPathOfALongBlock) {
  std::vector<float> in;
  for (int j = -33000; j <= 33000; j += 7) in.push_back((j + 0.5f) / 32767.0f);
  for (float v : {0.0f, -0.0f, 1.0f, -1.0f, 3.0f, -3.0f, 1e30f, -1e30f, 0.49f / 32767})
    in.push_back(v);
  in.push_back(0.25f); // an odd count of samples: frames * 2 below drops it
  for (float volume : {1.0f, 0.8f, 0.3f}) {
    std::vector<int16_t> out;
    size_t frames = in.size() / 2;
    ToPcm16(in.data(), frames, volume, out);
    ASSERT_EQ(out.size(), frames * 2);
    const float k = volume * 32767.0f;
    for (size_t i = 0; i < out.size(); ++i) {
      float v = std::min(std::max(in[i] * k, -32767.0f), 32767.0f);
      ASSERT_EQ(out[i], static_cast<int16_t>(std::round(v))) << i << " " << in[i] << " " << volume;
    }
  }
}

TEST(DownloadBuffer, WrapsAroundAndCountsPositions) {
  DownloadBuffer b(10);
  std::vector<uint8_t> in = {1, 2, 3, 4, 5, 6, 7}, out(10);
  ASSERT_TRUE(b.Write(in.data(), 7));
  EXPECT_EQ(b.Read(out.data(), 5), 5u);
  ASSERT_TRUE(b.Write(in.data(), 7)); // crosses the end of the ring
  EXPECT_EQ(b.Buffered(), 9u);
  EXPECT_EQ(b.Read(out.data(), 10), 9u);
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 9),
            (std::vector<uint8_t>{6, 7, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(b.Downloaded(), 14u);
  EXPECT_EQ(b.Consumed(), 14u);
}

TEST(DownloadBuffer, FullWriterWaitsForTheReaderAndCloseReleasesIt) {
  DownloadBuffer b(4);
  std::vector<uint8_t> data(12, 9), out(12);
  std::thread writer([&] { EXPECT_TRUE(b.Write(data.data(), 12)); });
  size_t got = 0;
  while (got < 12) got += b.Read(out.data() + got, 12 - got);
  writer.join();
  EXPECT_EQ(out, data);

  std::thread blocked([&] { EXPECT_FALSE(b.Write(data.data(), 12)); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  b.Close();
  blocked.join();
}

// A callback that blocks until the waiting thread "delivers a message" is
// released by the pump; no callback starts once Close() returned.
TEST(CallbackGate, CloseWaitsWhilePumpingAndThenBarsCallbacks) {
  CallbackGate gate;
  std::atomic<bool> inCallback{false}, delivered{false};
  std::atomic<int> runsAfterClose{0};
  std::atomic<bool> closed{false};
  std::thread cbThread([&] {
    gate.Run([&] {
      inCallback = true;
      while (!delivered) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    for (int i = 0; i < 100; ++i)
      if (gate.Run([&] {
            if (closed) ++runsAfterClose;
          })) {}
  });
  while (!inCallback) std::this_thread::yield();
  gate.Close([&](int) { delivered = true; });
  closed = true;
  cbThread.join();
  EXPECT_EQ(runsAfterClose.load(), 0);
  EXPECT_TRUE(gate.IsClosed());
  EXPECT_FALSE(gate.Run([] {}));
}

TEST(CallbackGate, CloseFromInsideACallbackDoesNotWaitForItself) {
  CallbackGate gate;
  EXPECT_TRUE(gate.Run([&] { gate.Close(nullptr); }));
  EXPECT_TRUE(gate.IsClosed());
}
