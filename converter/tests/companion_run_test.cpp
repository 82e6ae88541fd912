// The encoder bridge's command lines and temporary files, and the timed run
// from the hand-over file to the output, with a stand-in for the encoder
// process that records what it was asked to do.
#include <gtest/gtest.h>

#include <fstream>

#include "converter/CompanionRun.h"
#include "converter/MP3_Format.h"
#include "converter/PCM_Format.h"
#include "converter/tests/TestDir.h"

namespace {

// The quoted words of a command line, in order.
std::vector<std::string> QuotedWords(const std::string& line) {
  std::vector<std::string> words;
  for (size_t at = line.find('"'); at != std::string::npos; at = line.find('"', at + 1)) {
    size_t end = line.find('"', at + 1);
    words.push_back(line.substr(at + 1, end - at - 1));
    at = end;
  }
  return words;
}

// Behaves like the encoder: "decodes" by writing a fixed WAV, "encodes" by
// copying the WAV to the output, or fails with an exit code.
class TFakeEncoder : public TProcessStarter {
 public:
  uint32_t RunAndWait(const std::string& line, uint32_t flags) override {
    lines.push_back(line);
    this->flags.push_back(flags);
    // As the platform's starter does for a program that is not there.
    if (cannotStart) throw EInOutError("Cannot start " + line + " (error 2)", 2);
    auto words = QuotedWords(line);
    if (exitCode != 0) {
      // As an encoder that dies halfway: part of its output is written.
      TTestDir::WriteBytes(words.at(1), {'R', 'I', 'F', 'F', 0xFF, 0xFB});
      return exitCode;
    }
    if (line.find("--decode") != std::string::npos) {
      TTestDir::WriteBytes(words.at(1), decoded);
    } else {
      TTestDir::WriteBytes(words.at(1), TTestDir::ReadBytes(words.at(0)));
    }
    return 0;
  }
  std::vector<std::string> lines;
  std::vector<uint32_t> flags;
  std::vector<uint8_t> decoded = MakeWav(2, 44100, 16, std::vector<uint8_t>(4 * 10, 1));
  uint32_t exitCode = 0;
  bool cannotStart = false;
};

class Bridge : public ::testing::Test {
 protected:
  void SetUp() override {
    LamePath = "C:\\Program Files\\Korvalis\\Lame.exe";
    SetProcessStarter(&encoder_);
  }
  void TearDown() override { SetProcessStarter(nullptr); }
  TTestDir dir_;
  TFakeEncoder encoder_;
};

TEST_F(Bridge, CommandLinesAreExact) {
  EXPECT_EQ(
      EncodeCommandLine("s", "-b", "192", "C:\\Temp Dir\\TempWave.wav", "D:\\My Music\\a b.mp3"),
      "C:\\Program Files\\Korvalis\\Lame.exe -m s -b 192 \"C:\\Temp Dir\\TempWave.wav\" "
      "\"D:\\My Music\\a b.mp3\"");
  EXPECT_EQ(DecodeCommandLine("C:\\A B\\in.mp3", "C:\\T\\TempWave.wav"),
            "C:\\Program Files\\Korvalis\\Lame.exe --decode  \"C:\\A B\\in.mp3\"  "
            "\"C:\\T\\TempWave.wav\"");
}

TEST_F(Bridge, EachRunningCompanionHasItsOwnTemporaryWave) {
  TAudioData first;
  EXPECT_EQ(TempWaveName(first), "TempWave.wav");
  std::string other = dir_.Path("other");
  ASSERT_TRUE(ForceDirectories(other + PathDelim + "0.TAD"));
  TAudioData second(other + PathDelim);
  EXPECT_EQ(second.FileName(), other + PathDelim + "1.TAD");
  EXPECT_EQ(TempWaveName(second), "TempWave1.wav");
}

TEST_F(Bridge, DecodeReadsTheEncodersWaveAndRemovesIt) {
  std::string mp3 = dir_.Path("in put.mp3");
  TTestDir::WriteBytes(mp3, {0xFF, 0xFB, 0x90, 0x00});
  TAudioData audio;
  TMP3File f(mp3);
  f.Decode(audio);
  ASSERT_EQ(encoder_.lines.size(), 1u);
  EXPECT_EQ(encoder_.flags[0], kDecodeProcessFlags);
  EXPECT_EQ(QuotedWords(encoder_.lines[0]),
            (std::vector<std::string>{mp3, TempDir + "TempWave.wav"}));
  EXPECT_EQ(audio.Data().Size(), 40u);
  EXPECT_EQ(audio.BlockAlign, 4);
  EXPECT_FALSE(TTestDir::Exists(TempDir + "TempWave.wav"));
}

TEST_F(Bridge, AFailedDecodeNeverReadsAStaleWave) {
  std::string mp3 = dir_.Path("in.mp3");
  TTestDir::WriteBytes(mp3, {1, 2, 3});
  TTestDir::WriteBytes(TempDir + "TempWave.wav", MakeWav(2, 44100, 16, {9, 9, 9, 9}));
  encoder_.exitCode = 3;
  TAudioData audio;
  TMP3File f(mp3);
  EXPECT_THROW(f.Decode(audio), EInOutError);
  EXPECT_EQ(audio.Data().Size(), 0u);
  EXPECT_FALSE(TTestDir::Exists(TempDir + "TempWave.wav"));
}

TEST_F(Bridge, EncodeWritesTheOutputAndRemovesTheWave) {
  TAudioData audio;
  audio.Channels = 2;
  audio.BitsPerSample = 16;
  audio.SampleRate = 44100;
  audio.Data().Write("abcd", 4);
  std::string out = dir_.Path("out file.mp3");
  TMP3File::CreateEncoded(out, audio, "128", "-b", "s")->Close();
  ASSERT_EQ(encoder_.lines.size(), 1u);
  EXPECT_EQ(encoder_.flags[0], kEncodeProcessFlags);
  EXPECT_EQ(TTestDir::ReadBytes(out), MakeWav(2, 44100, 16, {'a', 'b', 'c', 'd'}));
  EXPECT_FALSE(TTestDir::Exists(TempDir + "TempWave.wav"));
}

TEST_F(Bridge, AFailedEncodeRaisesAndLeavesNoWave) {
  TAudioData audio;
  audio.Channels = 2;
  audio.BitsPerSample = 16;
  encoder_.exitCode = 1;
  EXPECT_THROW(TMP3File::CreateEncoded(dir_.Path("o.mp3"), audio, "128", "-b", "s"), EInOutError);
  EXPECT_FALSE(TTestDir::Exists(TempDir + "TempWave.wav"));
  EXPECT_FALSE(TTestDir::Exists(dir_.Path("o.mp3")));
}

TEST_F(Bridge, AnEncoderThatCannotStartRaisesAtOnce) {
  // Going on would take an older file of the output's name for this run's
  // encode, and a stale wave for this run's decode.
  TAudioData audio;
  audio.Channels = 2;
  audio.BitsPerSample = 16;
  const std::string out = dir_.Path("o.mp3");
  TTestDir::WriteBytes(out, {1, 2, 3});
  encoder_.cannotStart = true;
  EXPECT_THROW(TMP3File::CreateEncoded(out, audio, "128", "-b", "s"), EInOutError);
  EXPECT_EQ(TTestDir::ReadBytes(out), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(TTestDir::Exists(TempDir + "TempWave.wav"));
  const std::string mp3 = dir_.Path("in.mp3");
  TTestDir::WriteBytes(mp3, {1, 2, 3});
  TAudioData decoded; // a second store: a wave name of its own
  const std::string wave = TempDir + TempWaveName(decoded);
  TTestDir::WriteBytes(wave, MakeWav(2, 44100, 16, {9, 9, 9, 9}));
  TMP3File f(mp3);
  EXPECT_THROW(f.Decode(decoded), EInOutError);
  EXPECT_EQ(decoded.Data().Size(), 0u);
  EXPECT_FALSE(TTestDir::Exists(wave));
}

// ---------------------------------------------------------------------------

class Run : public Bridge {
 protected:
  void HandOver(const std::vector<std::string>& lines) {
    std::ofstream f(dir_.Path("kdr.ini"), std::ios::binary);
    for (auto& l : lines) f << l << "\r\n";
  }
  // Delivers ticks until the run asks to end (or `limit` ticks).
  int RunToEnd(int limit = 60) {
    for (int i = 0; i < limit && !ended_; ++i) run_.Tick();
    return run_.TickCount;
  }
  bool ended_ = false;
  TCompanionRun run_{[this] { ended_ = true; }};
};

std::vector<uint8_t> Stereo16(uint32_t frames) {
  std::vector<uint8_t> v;
  for (uint32_t i = 0; i < frames; ++i) {
    PutLE(v, static_cast<uint16_t>(int16_t(i % 2000 - 1000)), 2);
    PutLE(v, static_cast<uint16_t>(int16_t(1000 - i % 2000)), 2);
  }
  return v;
}

TEST_F(Run, WaveInWaveOutFadesTheEndAndKeepsTheInput) {
  std::string in = dir_.Path("rec.wav"), out = dir_.Path("final.WAV");
  auto input = MakeWav(2, 44100, 16, Stereo16(600000));
  TTestDir::WriteBytes(in, input);
  HandOver({"128", in, out});
  run_.Start(dir_.Path("kdr.ini"));
  EXPECT_EQ(run_.State, "starting");
  EXPECT_EQ(RunToEnd(), 46);
  EXPECT_TRUE(encoder_.lines.empty());
  EXPECT_EQ(TTestDir::ReadBytes(in), input);
  auto output = TTestDir::ReadBytes(out);
  ASSERT_EQ(output.size(), input.size());
  EXPECT_TRUE(std::equal(input.begin(), input.begin() + 44 + 4 * 99999, output.begin()));
  // The frame before the last two is faded to -1/499 of its value.
  size_t last = 44 + 4 * (600000 - 3);
  int16_t v = static_cast<int16_t>(output[last] | output[last + 1] << 8);
  EXPECT_LE(std::abs(v), 3);
  EXPECT_FALSE(TTestDir::Exists(out + ".part"));
  run_.ReleaseAudio();
  EXPECT_TRUE(TTestDir::Files(TempDir).empty());
}

TEST_F(Run, Mp3InMp3OutGoesThroughTheEncoderTwice) {
  std::string in = dir_.Path("rec.Mp3"), out = dir_.Path("out dir.mp3");
  TTestDir::WriteBytes(in, {0xFF, 0xFB});
  HandOver({"192", in, out});
  run_.Start(dir_.Path("kdr.ini"));
  EXPECT_EQ(RunToEnd(), 46);
  ASSERT_EQ(encoder_.lines.size(), 2u);
  EXPECT_NE(encoder_.lines[0].find(" --decode  \""), std::string::npos);
  EXPECT_EQ(encoder_.lines[1],
            LamePath + " -m s -b 192 \"" + TempDir + "TempWave.wav\" \"" + out + "\"");
  EXPECT_EQ(TTestDir::ReadBytes(out).size(), 44u + 40u);
}

TEST_F(Run, AnotherExtensionLoadsNothing) {
  std::string in = dir_.Path("rec.ogg"), out = dir_.Path("o.wav");
  TTestDir::WriteBytes(in, {1, 2, 3, 4, 5, 6, 7, 8});
  HandOver({"128", in, out});
  run_.Start(dir_.Path("kdr.ini"));
  RunToEnd();
  EXPECT_EQ(TTestDir::ReadBytes(out), MakeWav(2, 44100, 16, {}));
}

TEST_F(Run, AOneLineHandOverTouchesNothing) {
  HandOver({"128"});
  run_.Start(dir_.Path("kdr.ini"));
  EXPECT_EQ(RunToEnd(), 46);
  EXPECT_EQ(run_.State, "starting");
  EXPECT_TRUE(encoder_.lines.empty());
}

TEST_F(Run, AMissingHandOverFileRaises) {
  EXPECT_THROW(run_.Start(dir_.Path("kdr.ini")), EInOutError);
}

TEST_F(Run, AFailureAtTickOneEndsTheRunAtOnce) {
  HandOver({"128", dir_.Path("gone.wav"), dir_.Path("o.wav")});
  run_.Start(dir_.Path("kdr.ini"));
  EXPECT_EQ(RunToEnd(), 1);
  EXPECT_FALSE(TTestDir::Exists(dir_.Path("o.wav")));
}

TEST_F(Run, AnEmptyWaveEndsTheRunAtTheFade) {
  std::string in = dir_.Path("empty.wav");
  TTestDir::WriteBytes(in, {});
  HandOver({"128", in, dir_.Path("o.mp3")});
  run_.Start(dir_.Path("kdr.ini"));
  EXPECT_EQ(RunToEnd(), 15);
  EXPECT_TRUE(encoder_.lines.empty());
}

TEST_F(Run, ALyingHeaderEndsTheRunWithoutOutput) {
  // 64-bit samples would not fit the sample value: refused, not overflowed.
  std::string in = dir_.Path("lie.wav"), out = dir_.Path("o.wav");
  auto wav = MakeWav(2, 44100, 16, Stereo16(100));
  wav[34] = 64;
  TTestDir::WriteBytes(in, wav);
  HandOver({"128", in, out});
  run_.Start(dir_.Path("kdr.ini"));
  EXPECT_EQ(RunToEnd(), 15);
  EXPECT_FALSE(TTestDir::Exists(out));
  EXPECT_EQ(TTestDir::ReadBytes(in), wav);
}

TEST_F(Run, AFailedEncodeLeavesNoOutput) {
  std::string in = dir_.Path("rec.wav"), out = dir_.Path("o.mp3");
  TTestDir::WriteBytes(in, MakeWav(2, 44100, 16, Stereo16(10)));
  HandOver({"128", in, out});
  encoder_.exitCode = 1;
  run_.Start(dir_.Path("kdr.ini"));
  EXPECT_EQ(RunToEnd(), 30);
  EXPECT_FALSE(TTestDir::Exists(out));
  run_.ReleaseAudio();
  EXPECT_TRUE(TTestDir::Files(TempDir).empty());
}

TEST_F(Run, AnUnwritableWaveOutputLeavesNoPartialFile) {
  std::string in = dir_.Path("rec.wav");
  std::string out = dir_.Path("no-such-folder") + PathDelim + "o.wav";
  TTestDir::WriteBytes(in, MakeWav(2, 44100, 16, Stereo16(10)));
  HandOver({"128", in, out});
  run_.Start(dir_.Path("kdr.ini"));
  EXPECT_EQ(RunToEnd(), 30);
  EXPECT_FALSE(TTestDir::Exists(out + ".part"));
}

TEST_F(Run, AWaveOutputThatCannotTakeItsNameLeavesNoPartialFile) {
  // The side file is written whole, but the final name is taken by a folder.
  std::string in = dir_.Path("rec.wav"), out = dir_.Path("o.wav");
  TTestDir::WriteBytes(in, MakeWav(2, 44100, 16, Stereo16(10)));
  ASSERT_TRUE(ForceDirectories(out));
  HandOver({"128", in, out});
  run_.Start(dir_.Path("kdr.ini"));
  EXPECT_EQ(RunToEnd(), 30);
  EXPECT_FALSE(TTestDir::Exists(out + ".part"));
  EXPECT_TRUE(IsDirectoryPath(out));
}

TEST_F(Run, AFailedEncodeKeepsAnOutputThatWasThereBefore) {
  // Only what the failed encoder wrote is removed; a file of that name from
  // before is not the encoder's to take away.
  std::string in = dir_.Path("rec.wav"), out = dir_.Path("o.mp3");
  TTestDir::WriteBytes(in, MakeWav(2, 44100, 16, Stereo16(10)));
  TTestDir::WriteBytes(out, {1, 2, 3});
  HandOver({"128", in, out});
  encoder_.exitCode = 1;
  run_.Start(dir_.Path("kdr.ini"));
  EXPECT_EQ(RunToEnd(), 30);
  EXPECT_TRUE(TTestDir::Exists(out));
}

TEST_F(Run, AReadOnlyInputIsMadeWritableAndRead) {
  std::string in = dir_.Path("rec.wav"), out = dir_.Path("o.wav");
  auto input = MakeWav(2, 44100, 16, Stereo16(10));
  TTestDir::WriteBytes(in, input);
  TTestDir::MakeReadOnly(in);
  HandOver({"128", in, out});
  run_.Start(dir_.Path("kdr.ini"));
  EXPECT_EQ(RunToEnd(), 46);
  EXPECT_FALSE(TTestDir::IsReadOnly(in));
  EXPECT_EQ(TTestDir::ReadBytes(in), input);
  EXPECT_EQ(TTestDir::ReadBytes(out).size(), input.size());
}

// Frames of 16-bit stereo all holding `v`.
std::vector<uint8_t> Constant(uint32_t frames, int16_t v) {
  std::vector<uint8_t> bytes;
  for (uint32_t i = 0; i < 2 * frames; ++i) PutLE(bytes, static_cast<uint16_t>(v), 2);
  return bytes;
}

TEST_F(Run, TheLastTwoFramesAreLeftAsTheyAre) {
  std::string in = dir_.Path("rec.wav"), out = dir_.Path("o.wav");
  // Long enough to fade: every frame but the last two is faded or clamped.
  const uint32_t frames = 500010;
  TTestDir::WriteBytes(in, MakeWav(2, 44100, 16, Constant(frames, -32768)));
  HandOver({"128", in, out});
  run_.Start(dir_.Path("kdr.ini"));
  RunToEnd();
  auto o = TTestDir::ReadBytes(out);
  ASSERT_EQ(o.size(), 44u + 4u * frames);
  auto sample = [&](uint32_t frame, int ch) {
    size_t at = 44 + 4 * size_t(frame) + 2 * ch;
    return static_cast<int16_t>(o[at] | o[at + 1] << 8);
  };
  EXPECT_EQ(sample(0, 0), -32767); // not faded yet, clamped
  // The last faded frame ends at -1/499 of its value: -32768 * -1/499 = 65.67.
  EXPECT_EQ(sample(frames - 3, 0), 66);
  EXPECT_EQ(sample(frames - 3, 1), 66);
  for (uint32_t f : {frames - 2, frames - 1})
    for (int ch : {0, 1}) EXPECT_EQ(sample(f, ch), -32768) << f;
}

TEST_F(Run, FewerThanThreeFramesAreNotProcessed) {
  for (uint32_t frames : {2u, 3u}) {
    const std::string n = std::to_string(frames);
    std::string in = dir_.Path("rec" + n + ".wav"), out = dir_.Path("o" + n + ".wav");
    TTestDir::WriteBytes(in, MakeWav(2, 44100, 16, Constant(frames, -32768)));
    HandOver({"128", in, out});
    TCompanionRun each([] {});
    each.Start(dir_.Path("kdr.ini"));
    for (int i = 0; i < 46; ++i) each.Tick();
    auto o = TTestDir::ReadBytes(out);
    ASSERT_EQ(o.size(), 44u + 4u * frames);
    // Three frames: only the first is processed (clamped to -32767).
    const int16_t first = static_cast<int16_t>(o[44] | o[45] << 8);
    EXPECT_EQ(first, frames == 3 ? -32767 : -32768) << frames;
    EXPECT_TRUE(std::equal(o.end() - 8, o.end(), Constant(2, -32768).begin())) << frames;
  }
}

} // namespace
