// The recording engine's block-by-block rules, driven by blocks, titles and
// ticks against a file system in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/RecordNamesCore.h"
#include "player/RecordingCore.h"
#include "player/tests/RecordingFakes.h"

using namespace rectest;

namespace {

const std::string kFolder = "C:\\Player\\";
const std::string kStation = "C:\\Player\\AUDIO\\\\Jazz One\\09-12-2026";
const std::string kLatin = kStation + "\\ЗАРУБЕЖКА\\";
const std::string kTemp = "C:\\Player\\AUDIO\\TEMP\\";

class RecordingTest : public ::testing::Test {
 protected:
  void SetUp() override { engine_.StationPicked("3     Jazz  One ", "3 Jazz One"); }

  // Sends `count` blocks of `length` bytes of the stream, each byte a
  // function of its position, so a file's bytes show where they came from.
  void Feed(int count, size_t length) {
    for (int i = 0; i < count; ++i) {
      std::vector<uint8_t> block(length);
      for (auto& b : block) b = Byte(sent_++);
      engine_.Block(block.data(), static_cast<uint32_t>(block.size()));
    }
    engine_.Flush(); // the files closed meanwhile are on disk
  }
  static uint8_t Byte(uint64_t pos) { return static_cast<uint8_t>(pos ^ (pos >> 8) ^ (pos >> 16)); }
  // The stream's bytes [from, to).
  static std::vector<uint8_t> Stream(uint64_t from, uint64_t to) {
    std::vector<uint8_t> v;
    for (uint64_t p = from; p < to; ++p) v.push_back(Byte(p));
    return v;
  }
  void StartAsReceived(const std::string& title) {
    engine_.SetCurTitle(title);
    ASSERT_TRUE(engine_.Start(RecordChoice{true, "128"}));
  }

  TMemoryDisk disk_;
  TFixedClock clock_;
  TCountingCompanion companion_;
  TRowsView rows_;
  TRecordingEngine engine_{kFolder, disk_, clock_, companion_, rows_};
  uint64_t sent_ = 0;
};

TEST_F(RecordingTest, FirstFileBeginsAtTheFirstBlockInTheMiddleOfTheTitle) {
  StartAsReceived("Artist - Song");
  Feed(1, 1000);
  ASSERT_EQ(rows_.rows.size(), 1u);
  EXPECT_EQ(rows_.rows[0].Name, "Artist - Song.mp3");
  EXPECT_EQ(engine_.CurFinalPath(), kLatin + "10-00-00_Artist - Song.mp3");
  EXPECT_TRUE(disk_.dirs.count(kLatin));
  EXPECT_TRUE(engine_.FileInProgress());
  EXPECT_EQ(engine_.FileBytes(), 1000);
  EXPECT_EQ(engine_.TotalBytes(), 1000);
}

TEST_F(RecordingTest, ThirteenBlocksAfterATitleChangeCloseTheFileAndTheFourteenthBeginsTheNext) {
  StartAsReceived("First");
  Feed(1, 2000000);
  clock_.Set("10-03-00");
  engine_.SetCurTitle("Second");
  Feed(12, 100);
  EXPECT_EQ(disk_.FileCount(), 0u);
  EXPECT_EQ(engine_.TailCounter(), 12);
  EXPECT_FALSE(engine_.FileInProgress()); // station change and close are allowed in the tail
  Feed(1, 100);
  std::string first = kLatin + "10-00-00_First.mp3";
  ASSERT_EQ(disk_.FileCount(), 1u);
  EXPECT_EQ(disk_.File(first), Stream(0, 2000000 + 13 * 100));
  EXPECT_EQ(engine_.FileTitle(), "Second");
  EXPECT_EQ(engine_.FileBytes(), 0);
  EXPECT_EQ(engine_.TailCounter(), 0);
  ASSERT_EQ(rows_.rows.size(), 2u);
  EXPECT_EQ(rows_.rows[1].Name, "Second.mp3");

  uint64_t secondStart = sent_;
  Feed(1, 100);
  EXPECT_EQ(engine_.FileBytes(), 100);
  engine_.SetCurTitle("Third");
  Feed(1, 1999900); // the tail may be as long as it likes
  Feed(12, 1);
  EXPECT_EQ(disk_.File(kLatin + "10-03-00_Second.mp3"), Stream(secondStart, sent_));
}

TEST_F(RecordingTest, AFileUnderTwoMillionBytesIsDroppedWithItsRow) {
  StartAsReceived("Short");
  Feed(1, 2000000 - 13 - 1);
  engine_.SetCurTitle("Exact");
  Feed(13, 1); // 1999999 bytes
  EXPECT_EQ(disk_.FileCount(), 0u);
  ASSERT_EQ(rows_.rows.size(), 1u);
  EXPECT_EQ(rows_.rows[0].Name, "Exact.mp3");

  Feed(1, 2000000 - 13);
  engine_.SetCurTitle("Next");
  Feed(13, 1); // 2000000 bytes
  EXPECT_EQ(disk_.File(kLatin + "10-00-00_Exact.mp3").size(), 2000000u);
  ASSERT_EQ(rows_.rows.size(), 2u);
}

TEST_F(RecordingTest, NoTitleChangeForMoreThan1200TicksSplitsTheFileNamedAfterTheTime) {
  StartAsReceived("Long");
  Feed(1, 2000000);
  for (int i = 0; i < 1200; ++i) engine_.SplitTick();
  Feed(1, 10);
  EXPECT_EQ(engine_.CurTitle(), "Long");
  engine_.SplitTick();
  clock_.Set("10-20-01");
  Feed(1, 10);
  EXPECT_EQ(engine_.CurTitle(), "10-20-01");
  EXPECT_EQ(engine_.SplitTicks(), 0);
  Feed(12, 10);
  EXPECT_EQ(disk_.File(kLatin + "10-00-00_Long.mp3").size(), 2000000u + 10 + 13 * 10);
  EXPECT_EQ(engine_.CurFinalPath(), kLatin + "10-20-01_10-20-01.mp3");
  EXPECT_EQ(rows_.rows.back().Name, "10-20-01.mp3");
}

TEST_F(RecordingTest, PauseKeepsTheTailAndStopsTheSplitCount) {
  StartAsReceived("Song");
  Feed(1, 2000000);
  EXPECT_TRUE(engine_.TogglePause());
  Feed(3, 100);
  EXPECT_EQ(engine_.FileBytes(), 2000000);
  EXPECT_EQ(engine_.TotalBytes(), 2000000);
  for (int i = 0; i < 1300; ++i) engine_.SplitTick();
  EXPECT_EQ(engine_.SplitTicks(), 0);
  Feed(1, 100);
  EXPECT_EQ(engine_.CurTitle(), "Song");

  engine_.SetCurTitle("Other");
  Feed(13, 100); // the tail goes in although paused
  EXPECT_EQ(disk_.File(kLatin + "10-00-00_Song.mp3").size(), 2000000u + 1300);
  Feed(5, 100);
  EXPECT_EQ(engine_.FileBytes(), 0);
  EXPECT_FALSE(engine_.TogglePause());
  Feed(1, 100);
  EXPECT_EQ(engine_.FileBytes(), 100);
  engine_.SplitTick();
  EXPECT_EQ(engine_.SplitTicks(), 1);
}

TEST_F(RecordingTest, StopDuringATailSavesTheFileAndTheNextRecordingGetsAWholeTail) {
  StartAsReceived("Song");
  Feed(1, 2000000);
  engine_.SetCurTitle("Other");
  Feed(5, 100);
  engine_.Stop();
  EXPECT_FALSE(engine_.BufferLive());
  EXPECT_FALSE(engine_.RecordingUi());
  EXPECT_EQ(engine_.CurTitle(), "-");
  engine_.Flush();
  // Cut where the stop came: the title and the five tail blocks.
  EXPECT_EQ(disk_.File(kLatin + "10-00-00_Song.mp3"), Stream(0, 2000500));
  Feed(20, 100);
  EXPECT_EQ(disk_.FileCount(), 1u);
  ASSERT_EQ(rows_.rows.size(), 1u); // its row stays
  EXPECT_EQ(rows_.rows[0].Size, "1.91 mb");

  StartAsReceived("Again");
  Feed(1, 2000000);
  EXPECT_EQ(rows_.rows.size(), 2u);
  EXPECT_EQ(engine_.FileBytes(), 2000000);
  engine_.SetCurTitle("Later");
  Feed(12, 1);
  EXPECT_EQ(disk_.FileCount(), 1u);
  Feed(1, 1);
  EXPECT_EQ(disk_.FileCount(), 2u);
}

TEST_F(RecordingTest, StopOutsideATailDiscardsTheOpenFile) {
  StartAsReceived("Song");
  Feed(1, 3000000);
  engine_.Stop();
  engine_.Flush();
  EXPECT_EQ(disk_.FileCount(), 0u);
  EXPECT_EQ(rows_.rows.size(), 1u);
}

TEST_F(RecordingTest, TheLanguageFolderFollowsTheFirstByteOfTheName) {
  StartAsReceived("Привет - Мир");
  Feed(1, 10);
  EXPECT_EQ(engine_.CurFinalPath(), kStation + "\\РУССКОЕ\\10-00-00_Привет - Мир.mp3");
  engine_.Stop();
  StartAsReceived("zebra");
  Feed(1, 10);
  EXPECT_EQ(engine_.CurFinalPath(), kLatin + "10-00-00_zebra.mp3");
  engine_.Stop();
  StartAsReceived("{braces}");
  Feed(1, 10);
  EXPECT_EQ(engine_.CurFinalPath(), kStation + "\\РУССКОЕ\\10-00-00_{braces}.mp3");
}

TEST_F(RecordingTest, AnEmptyTitleOrADashNamesTheFileAfterTheStation) {
  StartAsReceived("-");
  Feed(1, 10);
  EXPECT_EQ(engine_.FileBase(), "Jazz One");
  EXPECT_EQ(engine_.CurFinalPath(), kLatin + "10-00-00_Jazz One.mp3");
  engine_.SetCurTitle("");
  Feed(13, 10);
  EXPECT_EQ(engine_.FileTitle(), "");
  EXPECT_EQ(engine_.FileBase(), "Jazz One");
}

TEST_F(RecordingTest, OwnSettingsHandTheFileOverAndDeleteThePreviousTemporaryFile) {
  engine_.SetCurTitle("One");
  ASSERT_TRUE(engine_.Start(RecordChoice{false, "192"}));
  Feed(1, 2000000);
  EXPECT_EQ(engine_.CurTempPath(), kTemp + "10-00-00_One.mp3");
  EXPECT_TRUE(disk_.hidden.count(kTemp));
  clock_.Set("10-05-00");
  engine_.SetCurTitle("Two");
  Feed(13, 1);
  const std::string temp1 = kTemp + "10-00-00_One.mp3", final1 = kLatin + "10-00-00_One.mp3";
  EXPECT_EQ(disk_.File(temp1).size(), 2000013u);
  EXPECT_EQ(disk_.files.count(final1), 0u); // the companion writes the final file
  EXPECT_EQ(disk_.texts[kTemp + "kdr.ini"], "192\r\n" + temp1 + "\r\n" + final1 + "\r\n");
  EXPECT_EQ(companion_.Starts(), 1);
  EXPECT_TRUE(disk_.deleted.empty());
  EXPECT_EQ(engine_.HandedFinalPath(), final1);

  Feed(1, 2000000);
  engine_.SetCurTitle("Three");
  Feed(13, 1);
  const std::string temp2 = kTemp + "10-05-00_Two.mp3", final2 = kLatin + "10-05-00_Two.mp3";
  EXPECT_EQ(disk_.deleted, std::vector<std::string>{temp1});
  EXPECT_EQ(disk_.files.count(temp1), 0u);
  EXPECT_EQ(disk_.File(temp2).size(), 2000013u);
  EXPECT_EQ(disk_.texts[kTemp + "kdr.ini"], "192\r\n" + temp2 + "\r\n" + final2 + "\r\n");
  EXPECT_EQ(companion_.Starts(), 2);

  // A new recording's first hand-over leaves the last one's file alone.
  engine_.Stop();
  engine_.SetCurTitle("Four");
  ASSERT_TRUE(engine_.Start(RecordChoice{false, "320"}));
  Feed(1, 2000000);
  engine_.SetCurTitle("Five");
  Feed(13, 1);
  EXPECT_EQ(disk_.deleted.size(), 1u);
  EXPECT_EQ(disk_.texts[kTemp + "kdr.ini"].substr(0, 5), "320\r\n");
}

TEST_F(RecordingTest, AFailedSaveLosesOnlyThatFile) {
  engine_.SetCurTitle("One");
  ASSERT_TRUE(engine_.Start(RecordChoice{false, "128"}));
  Feed(1, 2000000);
  engine_.SetCurTitle("Two");
  disk_.failSaves = true;
  Feed(13, 1);
  EXPECT_EQ(disk_.FileCount(), 0u);
  EXPECT_EQ(disk_.texts.count(kTemp + "kdr.ini"), 0u);
  EXPECT_EQ(companion_.Starts(), 0);
  EXPECT_TRUE(engine_.FileInProgress());
  disk_.failSaves = false;
  Feed(1, 2000000);
  engine_.SetCurTitle("Three");
  Feed(13, 1);
  EXPECT_EQ(disk_.File(kTemp + "10-00-00_Two.mp3").size(), 2000013u);
  EXPECT_EQ(companion_.Starts(), 1);
}

TEST_F(RecordingTest, AFolderThatCannotBeMadeDoesNotStopTheRecording) {
  disk_.failDirs = true;
  StartAsReceived("One");
  Feed(1, 2000000);
  EXPECT_TRUE(engine_.FileInProgress());
  EXPECT_EQ(engine_.FileBytes(), 2000000);
}

TEST_F(RecordingTest, NeitherTitleNorStationWritesOutsideTheAudioFolder) {
  engine_.StationPicked("1 ..\\..\\Windows:System32/..", "1 x");
  StartAsReceived("..\\..\\boot.ini");
  Feed(1, 10);
  EXPECT_EQ(engine_.CurFinalPath(),
            "C:\\Player\\AUDIO\\\\.._.._Windows_System32_\\09-12-2026\\ЗАРУБЕЖКА\\"
            "10-00-00_______boot_ini.mp3");
  engine_.Stop();
  engine_.StationPicked("7 nul", "7 nul");
  StartAsReceived("Tab\there\r\nCON");
  Feed(1, 10);
  EXPECT_EQ(engine_.CurFinalPath(),
            "C:\\Player\\AUDIO\\\\nul_\\09-12-2026\\ЗАРУБЕЖКА\\10-00-00_Tab_here__CON.mp3");
}

TEST_F(RecordingTest, ALongTitleIsShortenedToAPathWindowsAccepts) {
  std::string title(400, 'x');
  title[150] = ' ';
  engine_.SetCurTitle(title);
  ASSERT_TRUE(engine_.Start(RecordChoice{false, "128"}));
  Feed(1, 10);
  std::string path = engine_.CurFinalPath();
  EXPECT_LE(path.size(), kMaxRecordingPath);
  EXPECT_EQ(path.substr(0, kLatin.size() + 9), kLatin + "10-00-00_");
  EXPECT_EQ(path.substr(path.size() - 5), "x.mp3");
  EXPECT_LE(engine_.CurTempPath().size(), kMaxRecordingPath);
  EXPECT_EQ(rows_.rows[0].Name, engine_.FileBase() + ".mp3");
}

TEST_F(RecordingTest, TheLastRowShowsTheFileSizeBeforeEachBlock) {
  StartAsReceived("Song");
  Feed(1, 1048576);
  EXPECT_EQ(rows_.rows[0].Size, "0.0");
  Feed(1, 524288);
  EXPECT_EQ(rows_.rows[0].Size, "1.00 mb");
  int calls = rows_.sizeCalls;
  Feed(1, 1);
  EXPECT_EQ(rows_.rows[0].Size, "1.50 mb");
  Feed(1, 1);
  EXPECT_EQ(rows_.sizeCalls, calls + 1); // an unchanged text is not sent again
  EXPECT_EQ(engine_.TotalText(), "1.50 mb");
}

TEST_F(RecordingTest, AClosedFilesRowShowsTheSizeOfTheFileAsSaved) {
  // The row is not left at the size before the block that closed the file.
  StartAsReceived("First");
  Feed(1, 2000000);
  engine_.SetCurTitle("Second");
  Feed(12, 100);
  Feed(1, 600000); // 2601200 bytes in all
  ASSERT_EQ(rows_.rows.size(), 2u);
  EXPECT_EQ(rows_.rows[0].Size, "2.48 mb");
  EXPECT_EQ(disk_.File(kLatin + "10-00-00_First.mp3").size(), 2601200u);
  Feed(1, 100); // the next block sizes the new file's row only
  EXPECT_EQ(rows_.rows[0].Size, "2.48 mb");
}

TEST_F(RecordingTest, TheEndOfTheDownloadAddsNothingAndFinishesATail) {
  StartAsReceived("Song");
  Feed(1, 100);
  engine_.Block(nullptr, 0);
  EXPECT_EQ(engine_.FileBytes(), 100); // not MPEG frames: nothing to cut off
  EXPECT_TRUE(engine_.FileInProgress());
  Feed(1, 2000000);
  engine_.SetCurTitle("Other");
  Feed(2, 100);
  engine_.Block(nullptr, 0);
  engine_.Flush();
  EXPECT_EQ(disk_.File(kLatin + "10-00-00_Song.mp3"), Stream(0, 2000300));
  EXPECT_TRUE(engine_.FileClosed());
  EXPECT_EQ(engine_.TailCounter(), 0);
  // The next connection's first block begins the next file at once.
  Feed(1, 100);
  EXPECT_EQ(engine_.FileTitle(), "Other");
  EXPECT_EQ(engine_.FileBytes(), 100);
}

TEST_F(RecordingTest, NothingIsRecordedBeforeStartOrAfterClose) {
  Feed(3, 100);
  EXPECT_TRUE(rows_.rows.empty());
  StartAsReceived("Song");
  EXPECT_FALSE(engine_.Start(RecordChoice{}));
  Feed(1, 100);
  engine_.Close();
  EXPECT_FALSE(engine_.BufferLive());
  Feed(3, 100);
  EXPECT_EQ(engine_.FileBytes(), 100);
  EXPECT_EQ(disk_.FileCount(), 0u);
}

TEST_F(RecordingTest, PickingAStationResetsTheTitlesAndTheTotal) {
  StartAsReceived("Song");
  Feed(2, 100);
  engine_.Clock().Seconds = 5;
  engine_.StationPicked("2 Other", "2 Other");
  EXPECT_EQ(engine_.CurTitle(), "-");
  EXPECT_EQ(engine_.FileTitle(), "");
  EXPECT_EQ(engine_.TotalBytes(), 0);
  EXPECT_EQ(engine_.Clock().Seconds, 0);
}

TEST(RecordingTexts, CaptionAndHandOver) {
  EXPECT_EQ(RecordedFilesCaption(RecordChoice{true, "192"}, "128кбит/c"),
            "Список записанных файлов с битретом   128кбит/c");
  EXPECT_EQ(RecordedFilesCaption(RecordChoice{false, "192"}, "128кбит/c"),
            "Список записанных файлов с битретом   192 Кбит/c");
  EXPECT_EQ(HandOverText("96", "a", "b"), "96\r\na\r\nb\r\n");
}

} // namespace
