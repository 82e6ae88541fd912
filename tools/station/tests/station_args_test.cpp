// The command line of korvalis-station and the MP3 file loader.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "tools/station/StationArgs.h"

namespace teststation {
namespace {

TEST(StationArgs, DefaultsMakeAPleasantDemonstration) {
  StationArgs a;
  std::string error;
  ASSERT_TRUE(ParseStationArgs({}, a, error));
  EXPECT_EQ(a.port, 0);
  EXPECT_EQ(a.cfg.bitrate_kbps, 128);
  EXPECT_EQ(a.cfg.metaint, 16000);
  EXPECT_DOUBLE_EQ(a.cfg.title_seconds, 20);
  EXPECT_DOUBLE_EQ(a.cfg.pace, 1);
  EXPECT_TRUE(a.cfg.icy_status_line);
  ASSERT_GE(a.cfg.titles.size(), 2u);
  bool cyrillic = false;
  for (const auto& t : a.cfg.titles) cyrillic |= t.find(u8"Корвалис") != std::string::npos;
  EXPECT_TRUE(cyrillic);
}

TEST(StationArgs, ParsesEveryOption) {
  StationArgs a;
  std::string error;
  ASSERT_TRUE(ParseStationArgs(
      {"--port", "8123", "--bitrate", "192", "--metaint", "8192", "--title", u8"Первая", "--title",
       "Second", "--title-seconds", "2.5", "--pace", "4", "--http"},
      a, error))
      << error;
  EXPECT_EQ(a.port, 8123);
  EXPECT_EQ(a.cfg.bitrate_kbps, 192);
  EXPECT_EQ(a.cfg.metaint, 8192);
  EXPECT_EQ(a.cfg.titles, (std::vector<std::string>{u8"Первая", "Second"}));
  EXPECT_DOUBLE_EQ(a.cfg.title_seconds, 2.5);
  EXPECT_DOUBLE_EQ(a.cfg.pace, 4);
  EXPECT_FALSE(a.cfg.icy_status_line);
}

TEST(StationArgs, AFileAnnouncesItsOwnBitrateUnlessOneIsGiven) {
  StationArgs a;
  std::string error;
  ASSERT_TRUE(ParseStationArgs({"--mp3", "x.mp3"}, a, error));
  EXPECT_EQ(a.mp3_file, "x.mp3");
  EXPECT_EQ(a.cfg.bitrate_kbps, 0);
  ASSERT_TRUE(ParseStationArgs({"--mp3", "x.mp3", "--bitrate", "96"}, a, error));
  EXPECT_EQ(a.cfg.bitrate_kbps, 96);
}

TEST(StationArgs, RejectsBadInputWithAMessage) {
  const std::vector<std::vector<std::string>> bad = {
      {"--port"},       {"--port", "70000"}, {"--port", "12x"},        {"--bitrate", "0"},
      {"--pace", "-1"}, {"--pace", "fast"},  {"--title-seconds", "0"}, {"--metaint", "-5"},
      {"--frobnicate"}, {"--title"}};
  for (const auto& args : bad) {
    StationArgs a;
    std::string error;
    EXPECT_FALSE(ParseStationArgs(args, a, error)) << args[0];
    EXPECT_FALSE(error.empty()) << args[0];
  }
}

TEST(StationArgs, LoaderStripsTagsAroundTheFrames) {
  const std::string path = ::testing::TempDir() + "station_args_test.mp3";
  std::vector<uint8_t> frames(1000, 0x55);
  frames[0] = 0xFF;
  frames[1] = 0xFB;
  {
    std::ofstream out(path, std::ios::binary);
    const char id3v2[] = {'I', 'D', '3', 4, 0, 0, 0, 0, 1, 5}; // 133-byte body
    out.write(id3v2, sizeof id3v2);
    out << std::string(133, 'x');
    out.write(reinterpret_cast<const char*>(frames.data()), frames.size());
    out << "TAG" << std::string(125, 't');
  }
  EXPECT_EQ(LoadMp3ForLoop(path), frames);
  std::remove(path.c_str());
  EXPECT_TRUE(LoadMp3ForLoop(path).empty());
}

} // namespace
} // namespace teststation
