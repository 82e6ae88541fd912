// The generated test audio: real CBR MPEG frames at the asked rate and
// bitrate that decode to the asked tone, with nothing but audio frames.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <cmath>
#include <cstdlib>

#include "audiolib/mpeg/Mpg123Feed.h"
#include "tools/station/TestMp3.h"

namespace teststation {
namespace {

struct Decoded {
  long rate = 0;
  int channels = 0;
  std::vector<int16_t> pcm; // interleaved
};

Decoded Decode(const std::vector<uint8_t>& mp3) {
  Decoded d;
  // The stream's own channels, as 16-bit samples.
  audiolib::Mpg123FeedSetup setup;
  setup.channels = MPG123_MONO | MPG123_STEREO;
  setup.encoding = MPG123_ENC_SIGNED_16;
  mpg123_handle* h = audiolib::OpenMpg123Feed(setup);
  if (!h) return d;
  mpg123_feed(h, mp3.data(), mp3.size());
  unsigned char buf[16384];
  for (;;) {
    size_t done = 0;
    int r = mpg123_read(h, buf, sizeof buf, &done);
    const int16_t* s = reinterpret_cast<const int16_t*>(buf);
    d.pcm.insert(d.pcm.end(), s, s + done / 2);
    if (r == MPG123_NEW_FORMAT) {
      int enc = 0;
      mpg123_getformat(h, &d.rate, &d.channels, &enc);
    } else if (r != MPG123_OK) {
      break;
    }
  }
  mpg123_delete(h);
  return d;
}

TEST(TestMp3, SineDecodesToTheAskedToneRateAndLength) {
  std::vector<uint8_t> mp3 = MakeSineMp3(2.0, 128, 44100, 2, 1000.0);
  ASSERT_FALSE(mp3.empty());
  Decoded d = Decode(mp3);
  ASSERT_EQ(d.rate, 44100);
  ASSERT_EQ(d.channels, 2);
  size_t frames = d.pcm.size() / 2;
  EXPECT_NEAR(frames / 44100.0, 2.0, 0.1);
  // Rising zero crossings of the left channel in the steady middle second.
  int crossings = 0, peak = 0;
  for (size_t i = 22050; i < 66150 && i < frames; ++i) {
    if (d.pcm[(i - 1) * 2] < 0 && d.pcm[i * 2] >= 0) ++crossings;
    peak = std::max(peak, std::abs(static_cast<int>(d.pcm[i * 2])));
  }
  EXPECT_NEAR(crossings, 1000, 5);
  EXPECT_NEAR(peak, 16384, 16384 * 0.1); // amplitude 0.5 by default
}

TEST(TestMp3, MonoLowRateStreamsAreMpeg2) {
  std::vector<uint8_t> mp3 = MakeSineMp3(1.0, 64, 22050, 1);
  ASSERT_GE(mp3.size(), 4u);
  EXPECT_EQ(mp3[0], 0xFF);
  EXPECT_EQ((mp3[1] >> 3) & 3, 2) << "MPEG-2";
  EXPECT_EQ(FirstFrameKbps(mp3), 64);
  Decoded d = Decode(mp3);
  EXPECT_EQ(d.rate, 22050);
  EXPECT_EQ(d.channels, 1);
}

TEST(TestMp3, EveryBitrateIsConstantAndHasNoInfoFrame) {
  for (int kbps : {96, 128, 192, 320}) {
    std::vector<uint8_t> mp3 = MakeSineMp3(1.0, kbps);
    ASSERT_FALSE(mp3.empty()) << kbps;
    EXPECT_EQ(mp3[0], 0xFF);
    EXPECT_EQ(FirstFrameKbps(mp3), kbps);
    std::string text(mp3.begin(), mp3.end());
    EXPECT_EQ(text.find("Xing"), std::string::npos);
    EXPECT_EQ(text.find("Info"), std::string::npos);
    EXPECT_EQ(text.find("ID3"), std::string::npos);
    // Size follows the bitrate: 1 s of audio (plus the encoder's flush).
    EXPECT_NEAR(static_cast<double>(mp3.size()), kbps * 125.0, kbps * 125.0 * 0.1) << kbps;
  }
}

TEST(TestMp3, InvalidRequestsGiveNoBytes) {
  EXPECT_TRUE(MakeSineMp3(1.0, 123).empty()) << "not an MPEG bitrate";
  EXPECT_TRUE(MakeSineMp3(1.0, 128, 44100, 3).empty());
  EXPECT_TRUE(MakeSineMp3(0, 128).empty());
  EXPECT_EQ(FirstFrameKbps({}), 0);
  EXPECT_EQ(FirstFrameKbps({0xFF, 0xFB, 0xF0, 0x00}), 0) << "bad bitrate index";
}

TEST(TestMp3, MelodyIsAudibleStereo) {
  std::vector<uint8_t> mp3 = MakeMelodyMp3(3.0, 128);
  Decoded d = Decode(mp3);
  ASSERT_EQ(d.channels, 2);
  int peak = 0;
  for (int16_t s : d.pcm) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_GT(peak, 4000);
  EXPECT_LT(peak, 32000);
}

} // namespace
} // namespace teststation
