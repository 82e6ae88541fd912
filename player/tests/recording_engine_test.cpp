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
  void SetUp() override { engine.StationPicked("3     Jazz  One ", "3 Jazz One"); }

  // Sends `count` blocks of `length` bytes of the stream, each byte a
  // function of its position, so a file's bytes show where they came from.
  void Feed(int count, size_t length) {
    for (int i = 0; i < count; ++i) {
      std::vector<uint8_t> block(length);
      for (auto& b : block) b = Byte(sent++);
      engine.Block(block.data(), static_cast<uint32_t>(block.size()));
    }
  }
  static uint8_t Byte(uint64_t pos) { return static_cast<uint8_t>(pos ^ (pos >> 8) ^ (pos >> 16)); }
  // The stream's bytes [from, to).
  static std::vector<uint8_t> Stream(uint64_t from, uint64_t to) {
    std::vector<uint8_t> v;
    for (uint64_t p = from; p < to; ++p) v.push_back(Byte(p));
    return v;
  }
  void StartAsReceived(const std::string& title) {
    engine.SetCurTitle(title);
    ASSERT_TRUE(engine.Start(RecordChoice{true, "128"}));
  }

  TMemoryDisk disk;
  TFixedClock clock;
  TCountingCompanion companion;
  TRowsView rows;
  TRecordingEngine engine{kFolder, disk, clock, companion, rows};
  uint64_t sent = 0;
};

TEST_F(RecordingTest, FirstFileBeginsAtTheFirstBlockInTheMiddleOfTheTitle) {
  StartAsReceived("Artist - Song");
  Feed(1, 1000);
  ASSERT_EQ(rows.rows.size(), 1u);
  EXPECT_EQ(rows.rows[0].Name, "Artist - Song.mp3");
  EXPECT_EQ(engine.CurFinalPath(), kLatin + "10-00-00_Artist - Song.mp3");
  EXPECT_TRUE(disk.dirs.count(kLatin));
  EXPECT_TRUE(engine.FileInProgress());
  EXPECT_EQ(engine.FileBytes(), 1000);
  EXPECT_EQ(engine.TotalBytes(), 1000);
}

TEST_F(RecordingTest, ThirteenBlocksAfterATitleChangeCloseTheFileAndTheFourteenthBeginsTheNext) {
  StartAsReceived("First");
  Feed(1, 2000000);
  clock.Set("10-03-00");
  engine.SetCurTitle("Second");
  Feed(12, 100);
  EXPECT_EQ(disk.FileCount(), 0u);
  EXPECT_EQ(engine.TailCounter(), 12);
  EXPECT_FALSE(engine.FileInProgress()); // station change and close are allowed in the tail
  Feed(1, 100);
  std::string first = kLatin + "10-00-00_First.mp3";
  ASSERT_EQ(disk.FileCount(), 1u);
  EXPECT_EQ(disk.File(first), Stream(0, 2000000 + 13 * 100));
  EXPECT_EQ(engine.FileTitle(), "Second");
  EXPECT_EQ(engine.FileBytes(), 0);
  EXPECT_EQ(engine.TailCounter(), 0);
  ASSERT_EQ(rows.rows.size(), 2u);
  EXPECT_EQ(rows.rows[1].Name, "Second.mp3");

  uint64_t secondStart = sent;
  Feed(1, 100);
  EXPECT_EQ(engine.FileBytes(), 100);
  engine.SetCurTitle("Third");
  Feed(1, 1999900); // the tail may be as long as it likes
  Feed(12, 1);
  EXPECT_EQ(disk.File(kLatin + "10-03-00_Second.mp3"), Stream(secondStart, sent));
}

TEST_F(RecordingTest, AFileUnderTwoMillionBytesIsDroppedWithItsRow) {
  StartAsReceived("Short");
  Feed(1, 2000000 - 13 - 1);
  engine.SetCurTitle("Exact");
  Feed(13, 1); // 1999999 bytes
  EXPECT_EQ(disk.FileCount(), 0u);
  ASSERT_EQ(rows.rows.size(), 1u);
  EXPECT_EQ(rows.rows[0].Name, "Exact.mp3");

  Feed(1, 2000000 - 13);
  engine.SetCurTitle("Next");
  Feed(13, 1); // 2000000 bytes
  EXPECT_EQ(disk.File(kLatin + "10-00-00_Exact.mp3").size(), 2000000u);
  ASSERT_EQ(rows.rows.size(), 2u);
}

TEST_F(RecordingTest, NoTitleChangeForMoreThan1200TicksSplitsTheFileNamedAfterTheTime) {
  StartAsReceived("Long");
  Feed(1, 2000000);
  for (int i = 0; i < 1200; ++i) engine.SplitTick();
  Feed(1, 10);
  EXPECT_EQ(engine.CurTitle(), "Long");
  engine.SplitTick();
  clock.Set("10-20-01");
  Feed(1, 10);
  EXPECT_EQ(engine.CurTitle(), "10-20-01");
  EXPECT_EQ(engine.SplitTicks(), 0);
  Feed(12, 10);
  EXPECT_EQ(disk.File(kLatin + "10-00-00_Long.mp3").size(), 2000000u + 10 + 13 * 10);
  EXPECT_EQ(engine.CurFinalPath(), kLatin + "10-20-01_10-20-01.mp3");
  EXPECT_EQ(rows.rows.back().Name, "10-20-01.mp3");
}

TEST_F(RecordingTest, PauseKeepsTheTailAndStopsTheSplitCount) {
  StartAsReceived("Song");
  Feed(1, 2000000);
  EXPECT_TRUE(engine.TogglePause());
  Feed(3, 100);
  EXPECT_EQ(engine.FileBytes(), 2000000);
  EXPECT_EQ(engine.TotalBytes(), 2000000);
  for (int i = 0; i < 1300; ++i) engine.SplitTick();
  EXPECT_EQ(engine.SplitTicks(), 0);
  Feed(1, 100);
  EXPECT_EQ(engine.CurTitle(), "Song");

  engine.SetCurTitle("Other");
  Feed(13, 100); // the tail goes in although paused
  EXPECT_EQ(disk.File(kLatin + "10-00-00_Song.mp3").size(), 2000000u + 1300);
  Feed(5, 100);
  EXPECT_EQ(engine.FileBytes(), 0);
  EXPECT_FALSE(engine.TogglePause());
  Feed(1, 100);
  EXPECT_EQ(engine.FileBytes(), 100);
  engine.SplitTick();
  EXPECT_EQ(engine.SplitTicks(), 1);
}

TEST_F(RecordingTest, StopDuringATailDiscardsTheFileAndTheNextRecordingGetsAWholeTail) {
  StartAsReceived("Song");
  Feed(1, 2000000);
  engine.SetCurTitle("Other");
  Feed(5, 100);
  engine.Stop();
  EXPECT_FALSE(engine.BufferLive());
  EXPECT_FALSE(engine.RecordingUi());
  EXPECT_EQ(engine.CurTitle(), "-");
  Feed(20, 100);
  EXPECT_EQ(disk.FileCount(), 0u);
  EXPECT_EQ(rows.rows.size(), 1u); // its row stays

  StartAsReceived("Again");
  Feed(1, 2000000);
  EXPECT_EQ(rows.rows.size(), 2u);
  EXPECT_EQ(engine.FileBytes(), 2000000);
  engine.SetCurTitle("Later");
  Feed(12, 1);
  EXPECT_EQ(disk.FileCount(), 0u);
  Feed(1, 1);
  EXPECT_EQ(disk.FileCount(), 1u);
}

TEST_F(RecordingTest, TheLanguageFolderFollowsTheFirstByteOfTheName) {
  StartAsReceived("Привет - Мир");
  Feed(1, 10);
  EXPECT_EQ(engine.CurFinalPath(), kStation + "\\РУССКОЕ\\10-00-00_Привет - Мир.mp3");
  engine.Stop();
  StartAsReceived("zebra");
  Feed(1, 10);
  EXPECT_EQ(engine.CurFinalPath(), kLatin + "10-00-00_zebra.mp3");
  engine.Stop();
  StartAsReceived("{braces}");
  Feed(1, 10);
  EXPECT_EQ(engine.CurFinalPath(), kStation + "\\РУССКОЕ\\10-00-00_{braces}.mp3");
}

TEST_F(RecordingTest, AnEmptyTitleOrADashNamesTheFileAfterTheStation) {
  StartAsReceived("-");
  Feed(1, 10);
  EXPECT_EQ(engine.FileBase(), "Jazz One");
  EXPECT_EQ(engine.CurFinalPath(), kLatin + "10-00-00_Jazz One.mp3");
  engine.SetCurTitle("");
  Feed(13, 10);
  EXPECT_EQ(engine.FileTitle(), "");
  EXPECT_EQ(engine.FileBase(), "Jazz One");
}

TEST_F(RecordingTest, OwnSettingsHandTheFileOverAndDeleteThePreviousTemporaryFile) {
  engine.SetCurTitle("One");
  ASSERT_TRUE(engine.Start(RecordChoice{false, "192"}));
  Feed(1, 2000000);
  EXPECT_EQ(engine.CurTempPath(), kTemp + "10-00-00_One.mp3");
  EXPECT_TRUE(disk.hidden.count(kTemp));
  clock.Set("10-05-00");
  engine.SetCurTitle("Two");
  Feed(13, 1);
  const std::string temp1 = kTemp + "10-00-00_One.mp3", final1 = kLatin + "10-00-00_One.mp3";
  EXPECT_EQ(disk.File(temp1).size(), 2000013u);
  EXPECT_EQ(disk.files.count(final1), 0u); // the companion writes the final file
  EXPECT_EQ(disk.texts[kTemp + "kdr.ini"], "192\r\n" + temp1 + "\r\n" + final1 + "\r\n");
  EXPECT_EQ(companion.Starts(), 1);
  EXPECT_TRUE(disk.deleted.empty());
  EXPECT_EQ(engine.HandedFinalPath(), final1);

  Feed(1, 2000000);
  engine.SetCurTitle("Three");
  Feed(13, 1);
  const std::string temp2 = kTemp + "10-05-00_Two.mp3", final2 = kLatin + "10-05-00_Two.mp3";
  EXPECT_EQ(disk.deleted, std::vector<std::string>{temp1});
  EXPECT_EQ(disk.files.count(temp1), 0u);
  EXPECT_EQ(disk.File(temp2).size(), 2000013u);
  EXPECT_EQ(disk.texts[kTemp + "kdr.ini"], "192\r\n" + temp2 + "\r\n" + final2 + "\r\n");
  EXPECT_EQ(companion.Starts(), 2);

  // A new recording's first hand-over leaves the last one's file alone.
  engine.Stop();
  engine.SetCurTitle("Four");
  ASSERT_TRUE(engine.Start(RecordChoice{false, "320"}));
  Feed(1, 2000000);
  engine.SetCurTitle("Five");
  Feed(13, 1);
  EXPECT_EQ(disk.deleted.size(), 1u);
  EXPECT_EQ(disk.texts[kTemp + "kdr.ini"].substr(0, 5), "320\r\n");
}

TEST_F(RecordingTest, AFailedSaveLosesOnlyThatFile) {
  engine.SetCurTitle("One");
  ASSERT_TRUE(engine.Start(RecordChoice{false, "128"}));
  Feed(1, 2000000);
  engine.SetCurTitle("Two");
  disk.failSaves = true;
  Feed(13, 1);
  EXPECT_EQ(disk.FileCount(), 0u);
  EXPECT_EQ(disk.texts.count(kTemp + "kdr.ini"), 0u);
  EXPECT_EQ(companion.Starts(), 0);
  EXPECT_TRUE(engine.FileInProgress());
  disk.failSaves = false;
  Feed(1, 2000000);
  engine.SetCurTitle("Three");
  Feed(13, 1);
  EXPECT_EQ(disk.File(kTemp + "10-00-00_Two.mp3").size(), 2000013u);
  EXPECT_EQ(companion.Starts(), 1);
}

TEST_F(RecordingTest, AFolderThatCannotBeMadeDoesNotStopTheRecording) {
  disk.failDirs = true;
  StartAsReceived("One");
  Feed(1, 2000000);
  EXPECT_TRUE(engine.FileInProgress());
  EXPECT_EQ(engine.FileBytes(), 2000000);
}

TEST_F(RecordingTest, NeitherTitleNorStationWritesOutsideTheAudioFolder) {
  engine.StationPicked("1 ..\\..\\Windows:System32/..", "1 x");
  StartAsReceived("..\\..\\boot.ini");
  Feed(1, 10);
  EXPECT_EQ(engine.CurFinalPath(),
            "C:\\Player\\AUDIO\\\\______Windows_System32___\\09-12-2026\\ЗАРУБЕЖКА\\"
            "10-00-00_______boot_ini.mp3");
  engine.Stop();
  engine.StationPicked("7 nul", "7 nul");
  StartAsReceived("Tab\there\r\nCON");
  Feed(1, 10);
  EXPECT_EQ(engine.CurFinalPath(),
            "C:\\Player\\AUDIO\\\\nul_\\09-12-2026\\ЗАРУБЕЖКА\\10-00-00_Tab_here__CON.mp3");
}

TEST_F(RecordingTest, ALongTitleIsShortenedToAPathWindowsAccepts) {
  std::string title(400, 'x');
  title[150] = ' ';
  engine.SetCurTitle(title);
  ASSERT_TRUE(engine.Start(RecordChoice{false, "128"}));
  Feed(1, 10);
  std::string path = engine.CurFinalPath();
  EXPECT_LE(path.size(), kMaxRecordingPath);
  EXPECT_EQ(path.substr(0, kLatin.size() + 9), kLatin + "10-00-00_");
  EXPECT_EQ(path.substr(path.size() - 5), "x.mp3");
  EXPECT_LE(engine.CurTempPath().size(), kMaxRecordingPath);
  EXPECT_EQ(rows.rows[0].Name, engine.FileBase() + ".mp3");
}

TEST_F(RecordingTest, TheLastRowShowsTheFileSizeBeforeEachBlock) {
  StartAsReceived("Song");
  Feed(1, 1048576);
  EXPECT_EQ(rows.rows[0].Size, "0.0");
  Feed(1, 524288);
  EXPECT_EQ(rows.rows[0].Size, "1.00 mb");
  int calls = rows.sizeCalls;
  Feed(1, 1);
  EXPECT_EQ(rows.rows[0].Size, "1.50 mb");
  Feed(1, 1);
  EXPECT_EQ(rows.sizeCalls, calls + 1); // an unchanged text is not sent again
  EXPECT_EQ(engine.TotalText(), "1.50 mb");
}

TEST_F(RecordingTest, TheEndOfTheDownloadAddsNothing) {
  StartAsReceived("Song");
  Feed(1, 100);
  engine.Block(nullptr, 0);
  EXPECT_EQ(engine.FileBytes(), 100);
  engine.SetCurTitle("Other");
  engine.Block(nullptr, 0);
  EXPECT_EQ(engine.TailCounter(), 1);
}

TEST_F(RecordingTest, NothingIsRecordedBeforeStartOrAfterClose) {
  Feed(3, 100);
  EXPECT_TRUE(rows.rows.empty());
  StartAsReceived("Song");
  EXPECT_FALSE(engine.Start(RecordChoice{}));
  Feed(1, 100);
  engine.Close();
  EXPECT_FALSE(engine.BufferLive());
  Feed(3, 100);
  EXPECT_EQ(engine.FileBytes(), 100);
  EXPECT_EQ(disk.FileCount(), 0u);
}

TEST_F(RecordingTest, PickingAStationResetsTheTitlesAndTheTotal) {
  StartAsReceived("Song");
  Feed(2, 100);
  engine.Clock().Seconds = 5;
  engine.StationPicked("2 Other", "2 Other");
  EXPECT_EQ(engine.CurTitle(), "-");
  EXPECT_EQ(engine.FileTitle(), "");
  EXPECT_EQ(engine.TotalBytes(), 0);
  EXPECT_EQ(engine.Clock().Seconds, 0);
}

TEST(RecordingTexts, CaptionAndHandOver) {
  EXPECT_EQ(RecordedFilesCaption(RecordChoice{true, "192"}, "128кбит/c"),
            "Список записанных файлов с битретом   128кбит/c");
  EXPECT_EQ(RecordedFilesCaption(RecordChoice{false, "192"}, "128кбит/c"),
            "Список записанных файлов с битретом   192 Кбит/c");
  EXPECT_EQ(HandOverText("96", "a", "b"), "96\r\na\r\nb\r\n");
}

} // namespace
