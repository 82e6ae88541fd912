// The audio buffer: sample sizes and signs, gap-free sample writes, the fade
// curve at its defining frames, the one-pass fade against the literal
// channel-by-channel one, and the scratch file's naming and clean-up.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include "classlib/WinApi.h"
#endif

#include "converter/AudioFormat.h"
#include "converter/FileSystem.h"
#include "converter/tests/TestDir.h"

namespace {

void Fill(TAudioData& a, const std::vector<uint8_t>& bytes) {
  a.Data().Clear();
  a.Data().Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void SetFormat(TAudioData& a, uint16_t channels, uint16_t bits) {
  a.Channels = channels;
  a.BitsPerSample = bits;
  a.SampleRate = 44100;
  a.UpdateBlockAlign();
}

TEST(Samples, SignExtensionBySize) {
  TTestDir dir;
  TAudioData a;
  SetFormat(a, 1, 8);
  Fill(a, {0x00, 0xFF, 0x80});
  EXPECT_EQ(a.ReadSample(0, 0), -128);
  EXPECT_EQ(a.ReadSample(1, 0), 127);
  EXPECT_EQ(a.ReadSample(2, 0), 0);
  SetFormat(a, 1, 16);
  Fill(a, {0x00, 0x80, 0xFF, 0x7F, 0xFF, 0xFF});
  EXPECT_EQ(a.ReadSample(0, 0), -32768);
  EXPECT_EQ(a.ReadSample(1, 0), 32767);
  EXPECT_EQ(a.ReadSample(2, 0), -1);
  SetFormat(a, 1, 24);
  Fill(a, {0x00, 0x00, 0x80, 0xFF, 0xFF, 0x7F});
  EXPECT_EQ(a.ReadSample(0, 0), -8388608);
  EXPECT_EQ(a.ReadSample(1, 0), 8388607);
  SetFormat(a, 1, 32);
  Fill(a, {0x00, 0x00, 0x00, 0x80, 0xFE, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(a.ReadSample(0, 0), INT32_MIN);
  EXPECT_EQ(a.ReadSample(1, 0), -2);
  SetFormat(a, 1, 12); // odd widths take whole bytes
  EXPECT_EQ(a.BlockAlign, 2);
}

TEST(Samples, WriteThenReadEachSizeAndChannel) {
  TTestDir dir;
  TAudioData a;
  for (uint16_t bits : {8, 16, 24, 32}) {
    SetFormat(a, 3, bits);
    a.Data().Clear();
    int32_t big = bits == 32 ? INT32_MAX : (1 << (bits - 1)) - 1;
    int32_t values[3] = {-big - 1, 0, big};
    for (uint32_t f = 0; f < 4; ++f)
      for (uint32_t c = 0; c < 3; ++c) a.WriteSample(f, c, values[c]);
    EXPECT_EQ(a.Data().Size(), 4u * a.BlockAlign) << bits;
    for (uint32_t f = 0; f < 4; ++f)
      for (uint32_t c = 0; c < 3; ++c) EXPECT_EQ(a.ReadSample(f, c), values[c]) << bits;
  }
}

TEST(Samples, WritePastTheEndFillsWithZeroBytes) {
  TTestDir dir;
  TAudioData a;
  SetFormat(a, 2, 16);
  a.WriteSample(0, 0, 5);
  a.WriteSample(3, 1, -2);
  EXPECT_EQ(a.Data().Size(), 16u);
  EXPECT_EQ(a.ReadSample(1, 0), 0);
  EXPECT_EQ(a.ReadSample(2, 1), 0);
  EXPECT_EQ(a.ReadSample(3, 1), -2);
  SetFormat(a, 1, 8); // silence in 8-bit is 128, but the gap is zero bytes
  a.Data().Clear();
  a.WriteSample(2, 0, 0);
  EXPECT_EQ(a.ReadSample(0, 0), -128);
}

TEST(Samples, NoChannelsRaises) {
  TTestDir dir;
  TAudioData a;
  EXPECT_THROW(a.ReadSample(0, 0), EZeroDivide);
  EXPECT_THROW(a.FadeOut(0, 10), EZeroDivide);
}

// 21846 channels of 24 bits: 65538 bytes a frame, which the 16-bit block
// alignment keeps as 2. Nothing is read or faded; the fade refuses at once
// instead of going through every channel of every frame.
TEST(Samples, AnOverflowedBlockAlignmentRaises) {
  TTestDir dir;
  TAudioData a;
  SetFormat(a, 21846, 24);
  ASSERT_EQ(a.BlockAlign, 2);
  const std::vector<uint8_t> bytes(3000, 0x7F);
  Fill(a, bytes);
  EXPECT_THROW(a.ReadSample(0, 0), EInOutError);
  EXPECT_THROW(a.FadeOut(0, 1498), EInOutError);
  std::vector<uint8_t> back(bytes.size());
  a.Data().SetPosition(0);
  ASSERT_EQ(a.Data().Read(back.data(), static_cast<uint32_t>(back.size())), back.size());
  EXPECT_EQ(back, bytes);
  EXPECT_EQ(a.Data().Size(), bytes.size());
}

std::vector<uint8_t> Constant16(uint32_t frames, uint16_t channels, int16_t v) {
  std::vector<uint8_t> bytes;
  bytes.reserve(size_t(frames) * channels * 2);
  for (uint32_t i = 0; i < frames * channels; ++i) PutLE(bytes, static_cast<uint16_t>(v), 2);
  return bytes;
}

TEST(Fade, ShortRangeOnlyClamps) {
  TTestDir dir;
  TAudioData a;
  SetFormat(a, 2, 16);
  std::vector<uint8_t> bytes = Constant16(499999, 2, 1234);
  bytes[4] = 0x00; // frame 1, channel 0: -32768
  bytes[5] = 0x80;
  Fill(a, bytes);
  a.FadeOut(0, 499999);
  EXPECT_EQ(a.ReadSample(1, 0), -32767);
  EXPECT_EQ(a.ReadSample(0, 0), 1234);
  EXPECT_EQ(a.ReadSample(499998, 1), 1234);
}

TEST(Fade, CurveAtItsDefiningFrames) {
  TTestDir dir;
  TAudioData a;
  SetFormat(a, 2, 16);
  Fill(a, Constant16(1000000, 2, 30000));
  a.FadeOut(0, 1000000);
  auto expect = [&](uint32_t frame, double gain) {
    for (uint32_t c = 0; c < 2; ++c)
      EXPECT_NEAR(a.ReadSample(frame, c), 30000.0 * gain, 0.5 + 1e-6) << frame;
  };
  EXPECT_EQ(a.ReadSample(0, 0), 30000);
  EXPECT_EQ(a.ReadSample(499999, 1), 30000);
  expect(500000, 1.0 - 1.0 / 499000);
  expect(749500, 0.5);
  EXPECT_EQ(a.ReadSample(998999, 0), 0);
  EXPECT_EQ(a.ReadSample(998999, 1), 0);
  expect(999999, -1.0 / 499);
  EXPECT_EQ(a.ReadSample(999999, 0), -60); // the faint phase-inverted tail
}

TEST(Fade, PastTheEndEachReadRepeatsTheLastByte) {
  TTestDir dir;
  TAudioData a;
  SetFormat(a, 1, 16);
  Fill(a, {0x00, 0x80, 0x02, 0x01}); // -32768, 258
  a.FadeOut(0, 4);
  // Frame 2 reads the last byte alone (0x01) and is written at the end; frame
  // 3 then reads that sample's last byte (0x00).
  EXPECT_EQ(a.Data().Size(), 8u);
  EXPECT_EQ(a.ReadSample(0, 0), -32767); // clamped as every processed sample
  EXPECT_EQ(a.ReadSample(1, 0), 258);
  EXPECT_EQ(a.ReadSample(2, 0), 1);
  EXPECT_EQ(a.ReadSample(3, 0), 0);
}

TEST(Fade, StepIsRoundedThroughExtendedPrecision) {
  // Stored as a double after an 80-bit sum; after 499000 steps the gain is a
  // hair from zero, not exactly zero, and the same on every build.
  double g = 1.0;
  for (int i = 0; i < 499000; ++i) g = fade::NextGain(g);
  EXPECT_LT(std::fabs(g), 1e-9);
  EXPECT_EQ(fade::Apply(5, 0.5), 2); // halves go to even
  EXPECT_EQ(fade::Apply(7, 0.5), 4);
  EXPECT_EQ(fade::Apply(-5, 0.5), -2);
  EXPECT_EQ(fade::Limit(1), 127u);
  EXPECT_EQ(fade::Limit(2), 32767u);
  EXPECT_EQ(fade::Limit(3), 8388607u);
  EXPECT_EQ(fade::Limit(4), 0xFFFFFFFFu);
  EXPECT_EQ(fade::Clamp(INT32_MIN, fade::Limit(4)), INT32_MIN);
}

// The channel-by-channel fade exactly as the buffer's sample access would do
// it, sample by sample: the reference the one-pass fade must match byte for byte.
void ReferenceFade(TAudioData& a, uint32_t start, uint32_t count) {
  uint32_t limit = fade::Limit(a.BlockAlign / a.Channels);
  uint32_t threshold = count - fade::kFadeFrames;
  for (uint32_t c = 0; c < a.Channels; ++c) {
    double gain = 1.0;
    for (uint32_t j = start; j < start + count; ++j) {
      int32_t v = a.ReadSample(j, c);
      if (j >= threshold) {
        gain = fade::NextGain(gain);
        v = fade::Apply(v, gain);
      }
      a.WriteSample(j, c, fade::Clamp(v, limit));
    }
  }
}

// Two buffers of the parameter's format holding the same random bytes: one
// for the fade under test, one for the reference.
class FadeEquivalence : public ::testing::TestWithParam<std::pair<uint16_t, uint16_t>> {
 protected:
  void Fill2(uint32_t frames, size_t extraBytes) {
    auto [channels, bits] = GetParam();
    SetFormat(a_, channels, bits);
    SetFormat(b_, channels, bits);
    std::vector<uint8_t> bytes(size_t(frames) * a_.BlockAlign + extraBytes);
    std::mt19937 rng(channels * 100 + bits);
    for (auto& x : bytes) x = static_cast<uint8_t>(rng());
    Fill(a_, bytes);
    Fill(b_, bytes);
  }
  static std::vector<uint8_t> Contents(TAudioData& x) {
    std::vector<uint8_t> r(x.Data().Size());
    x.Data().SetPosition(0);
    x.Data().Read(r.data(), static_cast<uint32_t>(r.size()));
    return r;
  }
  TTestDir dir_;
  TAudioData a_, b_;
};

TEST_P(FadeEquivalence, OnePassEqualsChannelByChannel) {
  const uint32_t frames = 520000;
  Fill2(frames, 1); // a stray byte at the end
  a_.FadeOut(3, frames - 5);
  ReferenceFade(b_, 3, frames - 5);
  EXPECT_TRUE(Contents(a_) == Contents(b_));
}

TEST_P(FadeEquivalence, ARangePastTheEndIsFadedSampleBySample) {
  // Reads past the end give the last byte, writes there grow the data.
  const uint32_t frames = 500100;
  Fill2(frames, 0);
  a_.FadeOut(0, frames + 40);
  ReferenceFade(b_, 0, frames + 40);
  ASSERT_EQ(a_.Data().Size(), (frames + 40u) * a_.BlockAlign);
  EXPECT_TRUE(Contents(a_) == Contents(b_));
}

INSTANTIATE_TEST_SUITE_P(Formats, FadeEquivalence,
                         ::testing::Values(std::make_pair(2, 16), std::make_pair(1, 8),
                                           std::make_pair(2, 24), std::make_pair(3, 32)));

// A fixed input faded on every build must give these very bytes: the 80-bit
// arithmetic is the same on the 32- and 64-bit programs and natively.
TEST(Fade, ChecksumIsTheSameOnEveryBuild) {
  TTestDir dir;
  TAudioData a;
  SetFormat(a, 2, 16);
  uint32_t frames = 700000;
  std::vector<uint8_t> bytes;
  bytes.reserve(size_t(frames) * 4);
  uint32_t x = 12345;
  for (uint32_t i = 0; i < frames * 2; ++i) {
    x = x * 1103515245u + 12345u;
    PutLE(bytes, x >> 16, 2);
  }
  Fill(a, bytes);
  a.FadeOut(0, frames - 2);
  a.Data().SetPosition(0);
  a.Data().Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
  uint64_t h = 1469598103934665603ull; // FNV-1a
  for (uint8_t c : bytes) h = (h ^ c) * 1099511628211ull;
  std::printf("fade checksum %016llx\n", static_cast<unsigned long long>(h));
  EXPECT_EQ(h, 0xb9f3efe6b0bde124ull);
}

TEST(Scratch, TakesTheLowestFreeNumberAndCleansUp) {
  TTestDir dir;
  // Left-overs of earlier runs, anywhere under TEMP, read-only or not.
  ASSERT_TRUE(ForceDirectories(dir.Temp() + "sub"));
  TTestDir::WriteBytes(dir.Temp() + "3.TAD", {1});
  TTestDir::WriteBytes(dir.Temp() + "sub" + PathDelim + "old.tad", {1});
  TTestDir::WriteBytes(dir.Temp() + "keep.txt", {1});
  std::string name;
  {
    TAudioData a;
    name = a.FileName();
    EXPECT_EQ(name, dir.Temp() + "0.TAD");
    EXPECT_FALSE(TTestDir::Exists(dir.Temp() + "3.TAD"));
    EXPECT_FALSE(TTestDir::Exists(dir.Temp() + "sub" + PathDelim + "old.tad"));
    EXPECT_TRUE(TTestDir::Exists(dir.Temp() + "keep.txt"));
#ifdef _WIN32
    // A running companion's scratch file can't be deleted: the next one skips it.
    TAudioData second;
    EXPECT_EQ(second.FileName(), dir.Temp() + "1.TAD");
#endif
  }
  EXPECT_FALSE(TTestDir::Exists(name));
}

TEST(Scratch, AnUndeletableNameIsSkipped) {
  TTestDir dir;
  // A folder named like a scratch file can't be deleted as one.
  ASSERT_TRUE(ForceDirectories(dir.Temp() + "0.TAD" + PathDelim + "inner"));
  TAudioData a;
  EXPECT_EQ(a.FileName(), dir.Temp() + "1.TAD");
}

TEST(Scratch, AReadOnlyLeftOverIsDeletedToo) {
  TTestDir dir;
  const std::string old = dir.Temp() + "0.TAD";
  TTestDir::WriteBytes(old, {1, 2, 3});
  TTestDir::MakeReadOnly(old);
  TAudioData a;
  EXPECT_EQ(a.FileName(), old); // not 1.TAD beside a left-over that stayed
  EXPECT_EQ(a.Data().Size(), 0u);
}

#ifdef _WIN32
TEST(Scratch, ATempFolderOutsideTheCodePageStillTakesTheScratchFile) {
  // A profile folder named "Łódź" (Ł and ź are not in Windows-1251): the
  // scratch file must land in it, not fail on a path full of '?'.
  TTestDir dir;
  const std::filesystem::path temp = std::filesystem::path(dir.Path("")) / L"\x0141\x00F3d\x017A";
  ASSERT_TRUE(std::filesystem::create_directory(temp));
  wchar_t was[32768];
  const DWORD n = GetEnvironmentVariableW(L"TEMP", was, 32768);
  ASSERT_TRUE(n > 0 && n < 32768);
  ASSERT_TRUE(SetEnvironmentVariableW(L"TEMP", temp.c_str()));
  std::string name;
  bool made = false, inThatFolder = false;
  try {
    TAudioData a;
    name = a.FileName();
    made = true;
    inThatFolder = std::filesystem::exists(temp / L"0.TAD");
  } catch (const Exception& e) { ADD_FAILURE() << e.Message(); }
  SetEnvironmentVariableW(L"TEMP", was);
  ASSERT_TRUE(made);
  EXPECT_EQ(name.find('?'), std::string::npos) << name;
  EXPECT_TRUE(inThatFolder) << name;
  EXPECT_TRUE(std::filesystem::is_empty(temp)) << "removed with its buffer";
}
#endif

} // namespace
