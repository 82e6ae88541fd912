// The recording engine where recordings used to be lost: a title re-sent
// after a forced split or inside a tail, stop, close, a station change and
// the end of a connection during a tail, a pause that outlived its stop, and
// the join of two connections in one file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/RecordingCore.h"
#include "player/tests/RecordingFakes.h"
#include "player/tests/RecordingStream.h"

using namespace rectest;

namespace {

const std::string kStation = "C:\\Player\\AUDIO\\\\Jazz One\\09-12-2026";
const std::string kLatin = kStation + "\\ЗАРУБЕЖКА\\";

class RecordingFaults : public ::testing::Test {
 protected:
  void SetUp() override { engine_.StationPicked("3 Jazz One", "3 Jazz One"); }
  void Start(const std::string& Title, bool AsReceived = true) {
    engine_.SetCurTitle(Title);
    ASSERT_TRUE(engine_.Start(RecordChoice{AsReceived, "128"}));
  }
  // The stream from the current position on, in blocks of `Size`.
  void Feed(int Count, size_t Size) {
    for (int i = 0; i < Count; ++i) {
      std::vector<uint8_t> b = StreamBytes(pos_, pos_ + Size);
      pos_ += Size;
      engine_.Block(b.data(), static_cast<uint32_t>(b.size()));
    }
    engine_.Flush(); // the files closed meanwhile are on disk
  }
  void FeedTo(uint64_t End, size_t Size) {
    while (pos_ < End) Feed(1, std::min<uint64_t>(Size, End - pos_));
  }
  std::vector<uint8_t> Saved(const std::string& Time, const std::string& Title) {
    engine_.Flush();
    return disk_.File(kLatin + Time + "_" + Title + ".mp3");
  }

  TMemoryDisk disk_;
  TFixedClock clock_;
  TCountingCompanion companion_;
  TRowsView rows_;
  TRecordingEngine engine_{"C:\\Player\\", disk_, clock_, companion_, rows_};
  uint64_t pos_ = 5000; // somewhere in a frame
};

TEST_F(RecordingFaults, TheSameTitleSentAgainAfterASplitIsNoChange) {
  Start("Long");
  Feed(1, 2000000);
  for (int i = 0; i < 1201; ++i) engine_.SplitTick();
  clock_.Set("10-20-01");
  Feed(1, 1000);
  // The station's title re-sent inside the split's tail changes nothing.
  engine_.SetCurTitle("Long");
  Feed(12, 1000);
  EXPECT_EQ(Saved("10-00-00", "Long").size(), 2013000u);
  EXPECT_EQ(engine_.FileTitle(), "10-20-01");
  const uint64_t timeFile = pos_;
  Feed(100, 16000);
  // A reconnect re-sends it, and so does a metadata update with a new
  // StreamUrl: the time-named file goes on.
  engine_.ConnectionEnded();
  engine_.SetCurTitle("Long");
  Feed(5, 16000);
  engine_.SetCurTitle("Long");
  Feed(20, 16000);
  EXPECT_TRUE(engine_.FileInProgress());
  EXPECT_EQ(engine_.TailCounter(), 0);
  EXPECT_EQ(rows_.rows.size(), 2u);
  // A new title still closes it.
  const uint64_t end = pos_;
  clock_.Set("10-30-00");
  engine_.SetCurTitle("Next");
  Feed(13, 100);
  std::vector<uint8_t> file = Saved("10-20-01", "10-20-01");
  ASSERT_GT(file.size(), 2000000u);
  // Whole frames across the join; the rest is the stream as it came.
  EXPECT_EQ(file.size() % kFrame, (pos_ - timeFile) % kFrame);
  EXPECT_EQ(std::vector<uint8_t>(file.end() - 1300, file.end()), StreamBytes(end, pos_));
  EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 1000), StreamBytes(timeFile, timeFile + 1000));
}

TEST_F(RecordingFaults, ATitleThatComesBackInsideTheTailFinishesTheTailAndStartsTheNextFile) {
  Start("A");
  const uint64_t first = pos_;
  Feed(1, 2000000);
  clock_.Set("10-04-00");
  engine_.SetCurTitle("B");
  Feed(5, 100);
  engine_.SetCurTitle("A");
  Feed(7, 100);
  EXPECT_EQ(disk_.FileCount(), 0u);
  EXPECT_EQ(engine_.TailCounter(), 12);
  Feed(1, 100);
  EXPECT_EQ(Saved("10-00-00", "A"), StreamBytes(first, pos_));
  // The next file begins with the block after the tail, under the title
  // current then.
  EXPECT_EQ(engine_.FileTitle(), "A");
  const uint64_t second = pos_;
  Feed(1, 2000000);
  EXPECT_EQ(engine_.FileBytes(), 2000000);
  clock_.Set("10-09-00");
  engine_.SetCurTitle("C");
  engine_.SetCurTitle("B"); // and flips on inside the tail
  engine_.SetCurTitle("C");
  Feed(13, 10);
  EXPECT_EQ(Saved("10-04-00", "A"), StreamBytes(second, pos_));
  EXPECT_EQ(engine_.FileTitle(), "C");
}

TEST_F(RecordingFaults, StopCloseStationChangeAndEndOfDownloadSaveAFileInItsTail) {
  // Stop: a small file is still dropped with its row.
  Start("Small");
  Feed(1, 1000);
  engine_.SetCurTitle("Other");
  Feed(3, 100);
  engine_.Stop();
  engine_.Flush();
  EXPECT_EQ(disk_.FileCount(), 0u);
  EXPECT_TRUE(rows_.rows.empty());

  // A station change: the file first, then the new station at once.
  Start("One");
  const uint64_t one = pos_;
  Feed(1, 2000000);
  engine_.SetCurTitle("Two");
  Feed(3, 100);
  EXPECT_FALSE(engine_.FileInProgress()); // the change is allowed ...
  engine_.StationPicked("4 Blues", "4 Blues");
  EXPECT_EQ(Saved("10-00-00", "One"), StreamBytes(one, pos_)); // ... and the file kept
  Feed(1, 100);
  EXPECT_EQ(engine_.CurFinalPath(), "C:\\Player\\AUDIO\\\\Blues\\09-12-2026\\ЗАРУБЕЖКА\\10-00-00_Blues.mp3");
  EXPECT_EQ(engine_.FileBytes(), 100);

  // The end of the download.
  engine_.SetCurTitle("Three");
  clock_.Set("10-10-00");
  Feed(13, 100);
  const uint64_t three = pos_;
  Feed(1, 2001000);
  engine_.SetCurTitle("Four");
  Feed(1, 100);
  engine_.Block(nullptr, 0);
  engine_.Flush();
  std::vector<uint8_t> saved = disk_.File(
      "C:\\Player\\AUDIO\\\\Blues\\09-12-2026\\ЗАРУБЕЖКА\\10-10-00_Three.mp3");
  // Cut there, to whole frames.
  ASSERT_EQ(saved.size(), FrameBefore(pos_) - three);
  EXPECT_EQ(saved, StreamBytes(three, FrameBefore(pos_)));

  // Close: on disk when Close returns.
  engine_.Stop();
  engine_.StationPicked("3 Jazz One", "3 Jazz One");
  clock_.Set("10-20-00");
  Start("Five");
  const uint64_t five = pos_;
  Feed(1, 2000000);
  engine_.SetCurTitle("Six");
  Feed(2, 100);
  engine_.Close();
  EXPECT_EQ(disk_.File(kLatin + "10-20-00_Five.mp3"), StreamBytes(five, pos_));
  Feed(20, 100);
  EXPECT_FALSE(engine_.BufferLive());
}

TEST_F(RecordingFaults, AHandedOverTailCutByStopGoesToTheCompanion) {
  Start("One", false);
  Feed(1, 2000000);
  engine_.SetCurTitle("Two");
  Feed(4, 100);
  engine_.Stop();
  engine_.Flush();
  const std::string temp = "C:\\Player\\AUDIO\\TEMP\\10-00-00_One.mp3";
  EXPECT_EQ(disk_.File(temp).size(), 2000400u);
  EXPECT_EQ(disk_.texts["C:\\Player\\AUDIO\\TEMP\\kdr.ini"],
            "128\r\n" + temp + "\r\n" + kLatin + "10-00-00_One.mp3\r\n");
  EXPECT_EQ(companion_.Starts(), 1);
}

TEST_F(RecordingFaults, StopEndsThePause) {
  Start("Song");
  Feed(1, 100);
  EXPECT_TRUE(engine_.TogglePause());
  engine_.Stop();
  EXPECT_FALSE(engine_.Paused());
  Start("Song");
  Feed(2, 100);
  EXPECT_EQ(engine_.FileBytes(), 200);
  engine_.SplitTick();
  EXPECT_EQ(engine_.SplitTicks(), 1);
}

TEST_F(RecordingFaults, AReconnectJoinsWholeFrames) {
  Start("Song");
  const uint64_t first = pos_; // in the middle of a frame
  Feed(130, 16384);
  const uint64_t cut = pos_;
  engine_.ConnectionEnded();
  EXPECT_EQ(engine_.FileBytes(), static_cast<int64_t>(FrameBefore(cut) - first));
  // The new connection begins inside a frame, and its first block holds no
  // header at all.
  pos_ = 50000000 + 300;
  Feed(1, 200);
  EXPECT_EQ(engine_.FileBytes(), static_cast<int64_t>(FrameBefore(cut) - first));
  const uint64_t second = pos_;
  Feed(10, 16384);
  // The end of the download joins the same way.
  const uint64_t cut2 = pos_;
  engine_.Block(nullptr, 0);
  pos_ = 90000000 + 7;
  const uint64_t third = pos_;
  Feed(3, 16384);
  const uint64_t end = pos_;
  engine_.SetCurTitle("Next");
  Feed(13, 100);
  std::vector<uint8_t> expect = StreamBytes(first, FrameBefore(cut));
  std::vector<uint8_t> b = StreamBytes(NextFrame(second), FrameBefore(cut2));
  std::vector<uint8_t> c = StreamBytes(NextFrame(third), pos_);
  expect.insert(expect.end(), b.begin(), b.end());
  expect.insert(expect.end(), c.begin(), c.end());
  std::vector<uint8_t> file = Saved("10-00-00", "Song");
  ASSERT_EQ(file.size(), expect.size());
  EXPECT_TRUE(file == expect);
  (void)end;
}

TEST_F(RecordingFaults, AReconnectInATailSavesTheClosingFileAndBeginsTheNextAtOnce) {
  Start("Song");
  const uint64_t first = pos_;
  Feed(130, 16384);
  engine_.SetCurTitle("Next");
  Feed(2, 16384);
  const uint64_t cut = pos_;
  engine_.ConnectionEnded();
  EXPECT_EQ(Saved("10-00-00", "Song"), StreamBytes(first, FrameBefore(cut)));
  pos_ = 70000000 + 3;
  const uint64_t next = pos_;
  Feed(1, 16384);
  EXPECT_EQ(engine_.FileTitle(), "Next");
  EXPECT_EQ(engine_.FileBytes(), 16384); // a new file starts at its first block
  (void)next;
}

TEST_F(RecordingFaults, TheWatchdogCountsEveryByteHandedToTheEngine) {
  EXPECT_EQ(engine_.ReceivedBytes(), 0u);
  Feed(2, 100); // not recording
  Start("Song");
  Feed(1, 50);
  engine_.Block(nullptr, 0);
  EXPECT_EQ(engine_.ReceivedBytes(), 250u);
}

} // namespace
