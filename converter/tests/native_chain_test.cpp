// The timed run with the real encoder stand-in (built natively as
// lame-standin) placed as "Lame.exe" in a folder whose path has blanks, so
// the unquoted program path, the quoting of every file path, the decode, the
// fade and the encode are exercised together.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "tests/support/Mp3Frames.h"
#include "converter/CompanionRun.h"
#include "converter/MP3_Format.h"
#include "converter/tests/TestDir.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> Tone(double seconds) {
  std::vector<uint8_t> data;
  for (uint32_t i = 0; i < uint32_t(44100 * seconds); ++i) {
    auto v =
        static_cast<uint16_t>(int16_t(16000 * std::sin(2 * 3.14159265358979 * 440 * i / 44100.0)));
    PutLE(data, v, 2);
    PutLE(data, v, 2);
  }
  return MakeWav(2, 44100, 16, data);
}

double Rms(const std::vector<uint8_t>& wav, size_t fromFrame, size_t toFrame) {
  double sum = 0;
  size_t n = 0;
  for (size_t i = 44 + 4 * fromFrame; i + 1 < 44 + 4 * toFrame && i + 1 < wav.size(); i += 2, ++n) {
    int16_t s = static_cast<int16_t>(wav[i] | wav[i + 1] << 8);
    sum += double(s) * s;
  }
  return n ? std::sqrt(sum / n) / 32768 : 0;
}

TEST(NativeChain, Mp3ToMp3ThroughTheEncoderStandIn) {
  TTestDir dir;
  std::string program = dir.Path("Player Folder");
  fs::create_directories(program);
  fs::copy_file(LAME_STANDIN, program + "/Lame.exe");
  LamePath = program + "/Lame.exe";

  // The recording: 15 s of tone, encoded at 128 kbit/s.
  std::string wav = dir.Path("tone.wav"), in = dir.Path("rec 1.mp3"), out = dir.Path("out put.mp3");
  TTestDir::WriteBytes(wav, Tone(15));
  ASSERT_EQ(ProcessStarter().RunAndWait(EncodeCommandLine("s", "-b", "128", wav, in), 0), 0u);

  std::ofstream(dir.Path("kdr.ini"), std::ios::binary) << "256\r\n"
                                                       << in << "\r\n"
                                                       << out << "\r\n";
  bool ended = false;
  TCompanionRun run([&] { ended = true; });
  run.Start(dir.Path("kdr.ini"));
  while (!ended) run.Tick();
  EXPECT_EQ(run.TickCount, 46);
  run.ReleaseAudio();
  EXPECT_TRUE(TTestDir::Files(dir.Temp()).empty());

  auto frames = Mp3Frames(TTestDir::ReadBytes(out));
  ASSERT_GT(frames.size(), 500u);
  for (auto& f : frames) ASSERT_EQ(f.bitrate, 256);

  std::string back = dir.Path("back.wav");
  ASSERT_EQ(ProcessStarter().RunAndWait(DecodeCommandLine(out, back), 0), 0u);
  auto decoded = TTestDir::ReadBytes(back);
  size_t total = (decoded.size() - 44) / 4;
  EXPECT_NEAR(Rms(decoded, 44100, 3 * 44100), 0.345, 0.03);
  EXPECT_LT(Rms(decoded, total - 44100 / 4, total - 2000), 0.01);
}

} // namespace
