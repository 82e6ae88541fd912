// The stream layout without sockets: metadata block format and placement,
// the title schedule, and that cutting the stream into chunks changes nothing.
#include <gtest/gtest.h>

#include <random>

#include "tools/station/tests/StationClient.h"
#include "tools/station/StationStream.h"
#include "tools/station/tests/StationTestUtil.h"

namespace teststation {
namespace {

std::vector<uint8_t> Counting(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i * 7 + i / 256);
  return v;
}

TEST(StationStream, TitleBlockIsPaddedToSixteenWithZeros) {
  std::vector<uint8_t> b = StationStream::TitleBlock(u8"Ария"); // 8 bytes of UTF-8
  const std::string text = u8"StreamTitle='Ария';";
  ASSERT_EQ(b[0], (text.size() + 15) / 16);
  ASSERT_EQ(b.size(), 1 + b[0] * 16u);
  EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 1 + text.size()), text);
  EXPECT_TRUE(std::all_of(b.begin() + 1 + text.size(), b.end(), [](uint8_t c) { return c == 0; }));
}

TEST(StationStream, OverlongTitleIsCutAtACharacterBoundary) {
  std::string title;
  for (int i = 0; i < 3000; ++i) title += u8"ж"; // 6000 bytes
  std::vector<uint8_t> b = StationStream::TitleBlock(title);
  ASSERT_EQ(b[0], 255);
  ASSERT_EQ(b.size(), 1 + 255 * 16u);
  std::string text(b.begin() + 1, b.end());
  text.erase(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  std::string kept = TitleOf(text);
  ASSERT_FALSE(kept.empty());
  EXPECT_EQ(kept.size() % 2, 0u) << "a two-byte letter was split";
  EXPECT_EQ(kept, title.substr(0, kept.size()));
}

TEST(StationStream, ChunkingDoesNotChangeTheBytes) {
  StationConfig cfg;
  cfg.metaint = 777;
  cfg.titles = {"a", "b", "c"};
  cfg.title_seconds = 0.1; // 1600 bytes
  const std::vector<uint8_t> audio = Counting(5000);
  StationStream whole(cfg, audio, StationStream::Metadata::kTitles);
  std::vector<uint8_t> expected;
  whole.Produce(50000, expected);
  StationStream pieces(cfg, audio, StationStream::Metadata::kTitles);
  std::vector<uint8_t> got;
  std::mt19937 rng(7);
  size_t left = 50000;
  while (left > 0) {
    size_t n = std::min<size_t>(left, rng() % 2000);
    pieces.Produce(n, got);
    left -= n;
  }
  EXPECT_EQ(got, expected);
  EXPECT_EQ(pieces.audio_sent(), 50000u);
  std::vector<uint8_t> split;
  std::vector<std::string> texts;
  ASSERT_TRUE(SplitIcyStream(got, 777, split, texts));
  EXPECT_TRUE(IsLoopedMp3(split, audio));
  EXPECT_EQ(texts.size(), 50000u / 777);
}

TEST(StationStream, EmptyBlocksWithoutTitles) {
  StationConfig cfg;
  cfg.metaint = 100;
  const std::vector<uint8_t> audio = Counting(64);
  StationStream s(cfg, audio, StationStream::Metadata::kTitles);
  std::vector<uint8_t> out;
  s.Produce(1000, out);
  ASSERT_EQ(out.size(), 1010u);
  for (size_t i = 100; i < out.size(); i += 101) EXPECT_EQ(out[i], 0) << i;
}

TEST(StationStream, ZeroTitleSecondsGivesTheNextTitleAtEveryBlock) {
  StationConfig cfg;
  cfg.metaint = 10;
  cfg.titles = {"a", "b"};
  cfg.title_seconds = 0;
  const std::vector<uint8_t> audio = Counting(10);
  StationStream s(cfg, audio, StationStream::Metadata::kTitles);
  std::vector<uint8_t> out, split;
  s.Produce(40, out);
  std::vector<std::string> texts;
  ASSERT_TRUE(SplitIcyStream(out, 10, split, texts));
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(TitleOf(texts[0]), "a");
  EXPECT_EQ(TitleOf(texts[1]), "b");
  EXPECT_EQ(TitleOf(texts[2]), "a");
}

TEST(StationStream, TitleTimeFollowsTheBitrate) {
  StationConfig cfg;
  cfg.title_seconds = 10;
  cfg.bitrate_kbps = 320;
  EXPECT_EQ(StationStream::BytesPerTitle(cfg), 400000u);
  cfg.bitrate_kbps = 0; // not announced: the frames' own bitrate times the titles
  cfg.mp3 = MakeSineMp3(0.5, 192);
  EXPECT_EQ(StationStream::NominalKbps(cfg), 192);
  EXPECT_EQ(StationStream::BytesPerTitle(cfg), 240000u);
  cfg.mp3.clear();
  EXPECT_EQ(StationStream::NominalKbps(cfg), 128);
}

TEST(StationStream, AScriptedScheduleGivesEachTitleItsOwnLength) {
  StationConfig cfg;
  cfg.bitrate_kbps = 128; // 16000 bytes a second
  cfg.titles = {"short", "long", "mid"};
  cfg.title_schedule = {1, 3, 2};
  std::vector<uint8_t> audio(1000, 0);
  StationStream s(cfg, audio, StationStream::Metadata::kTitles);
  EXPECT_EQ(s.TitleAt(0), "short");
  EXPECT_EQ(s.TitleAt(15999), "short");
  EXPECT_EQ(s.TitleAt(16000), "long");
  EXPECT_EQ(s.TitleAt(63999), "long");
  EXPECT_EQ(s.TitleAt(64000), "mid");
  EXPECT_EQ(s.TitleAt(96000), "short");
  EXPECT_EQ(s.TitleAt(96000 + 16000), "long");
  EXPECT_EQ(StationStream::ScheduledTitleStart(cfg, 2), 64000u);
  EXPECT_EQ(StationStream::ScheduledTitleStart(cfg, 4), 112000u);
}

} // namespace
} // namespace teststation
