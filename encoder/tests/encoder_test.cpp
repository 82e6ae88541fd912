// The encoder stand-in: the command lines it takes and refuses, a real
// encode and decode round trip, and failures that must leave no output.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/WavBytes.h"
#include "encoder/Codec.h"
#include "encoder/LameCommand.h"
#include "encoder/StagedOutput.h"
#include "tests/support/Mp3Frames.h"

namespace fs = std::filesystem;

namespace {

TEST(Command, TheTwoLinesAreAccepted) {
  auto d = ParseLameCommand({"--decode", "C:\\A B\\in.mp3", "C:\\T\\TempWave.wav"});
  EXPECT_EQ(d.kind, TLameCommand::Kind::Decode);
  EXPECT_EQ(d.input, "C:\\A B\\in.mp3");
  EXPECT_EQ(d.output, "C:\\T\\TempWave.wav");
  auto e = ParseLameCommand({"-m", "s", "-b", "192", "in.wav", "out.mp3"});
  EXPECT_EQ(e.kind, TLameCommand::Kind::Encode);
  EXPECT_EQ(e.bitrate, 192);
  EXPECT_EQ(e.output, "out.mp3");
}

TEST(Command, BlanksInTheUnquotedProgramPathAreSkipped) {
  // "C:\Program Files\Korvalis\Lame.exe -m s ..." reaches us with argv[1]
  // "Files\Korvalis\Lame.exe".
  auto e =
      ParseLameCommand({"Files\\Korvalis\\Lame.exe", "-m", "s", "-b", "128", "a.wav", "b.mp3"});
  EXPECT_EQ(e.kind, TLameCommand::Kind::Encode);
  EXPECT_EQ(e.input, "a.wav");
}

TEST(Command, AProgramFolderWithADashInItsNameIsPartOfTheProgramPath) {
  // "C:\Radio - копия\Lame.exe --decode ..." unquoted, as the system splits it.
  std::vector<std::string> argv = {"C:\\Radio", "-",      u8"копия\\Lame.exe",
                                   "--decode",  "in.mp3", "out.wav"};
  auto isFile = [](const std::string& p) { return p == u8"C:\\Radio - копия\\Lame.exe"; };
  auto d = ParseLameCommand(ArgumentWords(argv, isFile));
  EXPECT_EQ(d.kind, TLameCommand::Kind::Decode);
  EXPECT_EQ(d.input, "in.mp3");
  // A program found without its path (no run names a file): argv[0] alone.
  auto e = ParseLameCommand(ArgumentWords({"Lame", "-m", "s", "-b", "96", "a.wav", "b.mp3"},
                                          [](const std::string&) { return false; }));
  EXPECT_EQ(e.kind, TLameCommand::Kind::Encode);
  EXPECT_EQ(
      ParseLameCommand(ArgumentWords({"C:\\Lame.exe", "-V2", "--decode", "a", "b"},
                                     [](const std::string& p) { return p == "C:\\Lame.exe"; }))
          .kind,
      TLameCommand::Kind::Invalid);
}

TEST(Command, EverythingElseIsRefused) {
  std::vector<std::vector<std::string>> bad = {
      {},
      {"--decode", "in.mp3"},
      {"--decode", "in.mp3", "out.wav", "extra"},
      {"-m", "j", "-b", "128", "a.wav", "b.mp3"},
      {"-m", "s", "-b", "abc", "a.wav", "b.mp3"},
      {"-m", "s", "-b", "999", "a.wav", "b.mp3"},
      {"-m", "s", "-V", "2", "a.wav", "b.mp3"},
      {"-h"},
      {"in.wav", "out.mp3"},
      {"--decode", "", "out.wav"},
  };
  for (auto& words : bad) EXPECT_EQ(ParseLameCommand(words).kind, TLameCommand::Kind::Invalid);
}

constexpr const char* kDirVariable = "KORVALIS_ENCODER_TEST_DIR";

// "" removes the variable.
void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  if (value.empty())
    unsetenv(name);
  else
    setenv(name, value.c_str(), 1);
#endif
}

class Codec : public ::testing::Test {
 protected:
  void SetUp() override {
    static const fs::path base = fs::temp_directory_path();
    dir_ = base /
           ("korvalis-enc-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    // A death test's child (a process of its own on Windows) works in its
    // parent's folder.
    if (const char* parents = std::getenv(kDirVariable)) dir_ = fs::u8path(parents);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::vector<uint8_t> Bytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f),
                                std::istreambuf_iterator<char>());
  }
  // A 1 kHz tone, with a LIST chunk before the data as some programs write.
  static void WriteTone(const fs::path& p, int channels, int bits, double seconds) {
    int bytes = (bits + 7) / 8;
    uint32_t frames = static_cast<uint32_t>(44100 * seconds);
    std::vector<uint8_t> data;
    for (uint32_t i = 0; i < frames; ++i)
      for (int c = 0; c < channels; ++c) {
        double s = 0.5 * std::sin(2 * 3.14159265358979 * 1000 * i / 44100.0);
        int32_t v = static_cast<int32_t>(s * ((1 << (bits - 1)) - 1));
        PutLE(data, bits == 8 ? static_cast<uint32_t>(v + 128) : static_cast<uint32_t>(v), bytes);
      }
    std::vector<uint8_t> list;
    PutText(list, "LIST");
    PutLE(list, 4, 4);
    PutText(list, "INFO");
    std::vector<uint8_t> w =
        MakeWav(static_cast<uint16_t>(channels), 44100, static_cast<uint16_t>(bits), data, list);
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(w.data()), w.size());
  }
  static size_t FilesIn(const fs::path& d) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(d), fs::directory_iterator()));
  }
  fs::path dir_;
};

TEST_F(Codec, EncodeAtTheGivenBitrateAndDecodeBack) {
  WriteTone(dir_ / "in put.wav", 2, 16, 3.0);
  EncodeWavToMp3(dir_ / "in put.wav", dir_ / "out put.mp3", 192);
  auto frames = Mp3Frames(Bytes(dir_ / "out put.mp3"));
  ASSERT_GT(frames.size(), 100u);
  for (auto& f : frames) {
    EXPECT_EQ(f.bitrate, 192);
    EXPECT_EQ(f.sampleRate, 44100);
    EXPECT_EQ(f.mode, 0); // simple stereo
  }
  DecodeMp3ToWav(dir_ / "out put.mp3", dir_ / "back.wav");
  auto w = Bytes(dir_ / "back.wav");
  ASSERT_GT(w.size(), 44u);
  EXPECT_EQ(std::string(w.begin(), w.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(w.begin() + 36, w.begin() + 40), "data");
  EXPECT_EQ(w[22], 2); // channels
  EXPECT_EQ(w[24] | w[25] << 8, 44100);
  EXPECT_EQ(w[34], 16); // bits
  uint32_t dataSize = w[40] | w[41] << 8 | w[42] << 16 | uint32_t(w[43]) << 24;
  EXPECT_EQ(dataSize, w.size() - 44);
  EXPECT_NEAR(dataSize / 4.0 / 44100, 3.0, 0.1);
  // The tone survives: RMS of a 0.5 sine is about 0.354 of full scale.
  double sum = 0;
  size_t n = 0;
  for (size_t i = 44 + 4 * 44100; i + 1 < 44 + 4 * 88200; i += 2, ++n) {
    int16_t s = static_cast<int16_t>(w[i] | w[i + 1] << 8);
    sum += double(s) * s;
  }
  EXPECT_NEAR(std::sqrt(sum / n) / 32767, 0.354, 0.03);
  EXPECT_EQ(FilesIn(dir_), 3u); // no temporary file left behind
}

TEST_F(Codec, MonoEightBitIsEncodedOnBothChannels) {
  WriteTone(dir_ / "m.wav", 1, 8, 1.0);
  EncodeWavToMp3(dir_ / "m.wav", dir_ / "m.mp3", 128);
  auto frames = Mp3Frames(Bytes(dir_ / "m.mp3"));
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.back().mode, 0);
  EXPECT_EQ(frames.back().bitrate, 128);
}

TEST_F(Codec, DamageInTheMiddleOfARecordingIsSkipped) {
  // A radio recording may hold a stretch of junk (a glitch of the station or
  // of the connection); the audio around it must still come out.
  WriteTone(dir_ / "t.wav", 2, 16, 4.0);
  EncodeWavToMp3(dir_ / "t.wav", dir_ / "t.mp3", 320);
  auto mp3 = Bytes(dir_ / "t.mp3");
  std::vector<uint8_t> damaged(mp3.begin(), mp3.begin() + mp3.size() / 2);
  for (int i = 0; i < 5000; ++i) damaged.push_back(static_cast<uint8_t>((i * 37 + 11) % 251));
  damaged.insert(damaged.end(), mp3.begin() + mp3.size() / 2, mp3.end());
  std::ofstream(dir_ / "d.mp3", std::ios::binary)
      .write(reinterpret_cast<const char*>(damaged.data()), damaged.size());
  ASSERT_NO_THROW(DecodeMp3ToWav(dir_ / "d.mp3", dir_ / "d.wav"));
  EXPECT_NEAR((Bytes(dir_ / "d.wav").size() - 44) / 4.0 / 44100, 4.0, 0.2);
}

TEST_F(Codec, NotAnMp3FailsAndLeavesNothing) {
  std::ofstream(dir_ / "x.mp3", std::ios::binary) << std::string(5000, 'x');
  std::ofstream(dir_ / "out.wav", std::ios::binary) << "old";
  EXPECT_THROW(DecodeMp3ToWav(dir_ / "x.mp3", dir_ / "out.wav"), TCodecError);
  EXPECT_EQ(Bytes(dir_ / "out.wav"), std::vector<uint8_t>({'o', 'l', 'd'})); // untouched
  EXPECT_EQ(FilesIn(dir_), 2u);
}

TEST_F(Codec, NotAWavFailsAndLeavesNothing) {
  std::ofstream(dir_ / "x.wav", std::ios::binary) << std::string(5000, 'x');
  EXPECT_THROW(EncodeWavToMp3(dir_ / "x.wav", dir_ / "o.mp3", 128), TCodecError);
  EXPECT_THROW(EncodeWavToMp3(dir_ / "missing.wav", dir_ / "o.mp3", 128), TCodecError);
  EXPECT_EQ(FilesIn(dir_), 1u);
}

TEST_F(Codec, AChunkClaimingToRunPastTheEndFailsInsteadOfLooping) {
  // A size read as a negative offset would step back onto the same header.
  std::vector<uint8_t> w;
  PutText(w, "RIFF");
  PutLE(w, 100, 4);
  PutText(w, "WAVE");
  PutPcmFormat(w, 2, 44100, 16);
  PutText(w, "junk");
  PutLE(w, 0xFFFFFFF8u, 4);
  PutLE(w, 0, 4);
  std::ofstream(dir_ / "lying.wav", std::ios::binary)
      .write(reinterpret_cast<const char*>(w.data()), w.size());
  EXPECT_THROW(EncodeWavToMp3(dir_ / "lying.wav", dir_ / "o.mp3", 128), TCodecError);
  EXPECT_FALSE(fs::exists(dir_ / "o.mp3"));
}

TEST_F(Codec, AnEncoderThatDiesWhileWritingLeavesNoFile) {
  // Killed or crashed halfway: no destructor runs, the process just ends.
  SetEnv(kDirVariable, dir_.u8string());
  EXPECT_EXIT(
      {
        TStagedOutput out(dir_ / "o.mp3");
        out.Write("half a recording", 16);
        std::fflush(nullptr);
        std::_Exit(3);
      },
      ::testing::ExitedWithCode(3), "");
  SetEnv(kDirVariable, "");
  for (auto& e : fs::directory_iterator(dir_)) ADD_FAILURE() << "left behind: " << e.path();
  // And one that lives to the end still delivers its file.
  {
    TStagedOutput out(dir_ / "o.mp3");
    out.Write("whole", 5);
    out.Commit();
  }
  EXPECT_EQ(Bytes(dir_ / "o.mp3"), std::vector<uint8_t>({'w', 'h', 'o', 'l', 'e'}));
  EXPECT_EQ(FilesIn(dir_), 1u);
}

TEST_F(Codec, AnUnwritableFolderFails) {
  WriteTone(dir_ / "t.wav", 2, 16, 0.2);
  EXPECT_THROW(EncodeWavToMp3(dir_ / "t.wav", dir_ / "no" / "o.mp3", 128), TCodecError);
}

} // namespace
