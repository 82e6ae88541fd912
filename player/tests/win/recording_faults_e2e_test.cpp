// The recording keeps what it recorded when the station misbehaves, under
// Wine against the test station: a quiet passage is no reason to reconnect,
// a reconnect after a forced split continues the time-named file, a stop
// during a tail saves the file, and a stop ends a pause.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <map>
#include <thread>

#include "classlib/tests/support/ScratchFolder.h"
#include "player/Unit1.h"
#include "player/Unit5.h"
#include "player/tests/RecordingFakes.h"
#include "player/tests/win/PlayerTestFolder.h"
#include "player/tests/win/RecordingE2e.h"
#include "tools/station/TestStation.h"

namespace {

using namespace rece2e;
using teststation::StationConfig;

class RecordingFaultsEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    folder_ = new PlayerTestFolder("korvalis_recording_faults_e2e");
    folder_->Put("zap.ini", "TRUE\r\n0\r\n\r\n");
    Application->CreateForm(Form1);
    Application->CreateForm(Form5);
  }
  void SetUp() override {
    test_support::RemoveTree(PlayerFolder() + "AUDIO\\");
    SetRecordedFilesTarget(&rows_);
  }
  void TearDown() override {
    SetRecordedFilesTarget(nullptr);
    if (CurrentStream && Recorder().RecordingUi()) Form1->Label5Click(nullptr);
  }
  void PlayAndRecord(const std::string& url) {
    TStationEntry entry{0, "1 Test Radio", url};
    StationAt = [entry](int, int) { return entry; };
    Form1->PlayStation(1, entry);
    ASSERT_NE(CurrentStream.load(), 0u);
    Record();
  }
  void Record() {
    std::thread closer = CloseSettingsWhenShown();
    Form1->Label6Click(nullptr);
    closer.join();
    ASSERT_TRUE(Recorder().RecordingUi());
  }
  // Every file the recording kept, by path under "AUDIO\" (not those
  // still being written).
  std::map<std::string, int64_t> Kept() {
    std::map<std::string, int64_t> files, kept;
    ListFiles(PlayerFolder() + "AUDIO\\", "", files);
    for (const auto& f : files)
      if (f.first.size() > 4 && f.first.compare(f.first.size() - 4, 4, ".mp3") == 0) kept.insert(f);
    return kept;
  }

  static PlayerTestFolder* folder_;
  rectest::TRowsView rows_;
};
PlayerTestFolder* RecordingFaultsEndToEnd::folder_ = nullptr;

StationConfig Config(std::vector<uint8_t> mp3, std::vector<std::string> titles,
                     std::vector<double> seconds) {
  StationConfig cfg;
  cfg.mp3 = std::move(mp3);
  cfg.bitrate_kbps = 320;
  cfg.metaint = 8192;
  // Faster than the output plays: the bytes arrive as fast as it takes them.
  cfg.pace = 4;
  cfg.titles = std::move(titles);
  cfg.title_schedule = std::move(seconds);
  return cfg;
}

const std::vector<uint8_t>& Sine() {
  static std::vector<uint8_t> mp3 = teststation::MakeSineMp3(3.0, 320);
  return mp3;
}

TEST_F(RecordingFaultsEndToEnd, AQuietPassageIsNoReasonToReconnect) {
  // Five seconds of tone, then 80 all but silent (a faint tone, so that no
  // two frames are alike), in a loop. The output plays at real time, so the
  // station, though it could send faster, runs only a few seconds ahead of
  // it: the quiet passage lasts some 80 s of the test's time while the bytes
  // keep coming, and the title changes after 100 s of stream.
  std::vector<uint8_t> mp3 = teststation::MakeSineMp3(5.0, 320);
  std::vector<uint8_t> quiet = teststation::MakeSineMp3(80.0, 320, 44100, 2, 441.0, 0.0005);
  mp3.insert(mp3.end(), quiet.begin(), quiet.end());
  StationConfig cfg = Config(mp3, {"Quiet One", "After"}, {100, 600});
  teststation::TestStation station(cfg);
  ASSERT_NE(station.Start(), 0);
  PlayAndRecord(station.Url());
  int quietSeconds = 0, longestQuiet = 0;
  auto next = std::chrono::steady_clock::now();
  Pump(200, [&] {
    if (std::chrono::steady_clock::now() >= next) {
      next += std::chrono::seconds(1);
      quietSeconds = Form1->LEDMeter1->Position() < 5 ? quietSeconds + 1 : 0;
      longestQuiet = std::max(longestQuiet, quietSeconds);
    }
    return !Kept().empty();
  });
  EXPECT_GE(longestQuiet, 15) << "the passage was not quiet on the level meter";
  EXPECT_EQ(station.connections(), 1);
  std::map<std::string, int64_t> kept = Kept();
  ASSERT_EQ(kept.size(), 1u);
  std::vector<uint8_t> file = ReadAll(PlayerFolder() + "AUDIO\\" + kept.begin()->first);
  EXPECT_GE(file.size(), 2000000u);
  EXPECT_EQ(StreamRestarts(file, cfg.mp3), 0); // no gap, nothing twice
  EXPECT_TRUE(FramesIntact(file));
}

TEST_F(RecordingFaultsEndToEnd, AReconnectAfterASplitContinuesTheTimeNamedFile) {
  teststation::TestStation station(Config(Sine(), {"Split Song"}, {600}));
  ASSERT_NE(station.Start(), 0);
  PlayAndRecord(station.Url());
  Pump(60, [] { return Recorder().FileBytes() > 400000; });
  for (int i = 0; i < 1201; ++i) Form1->Timer10Timer(nullptr);
  Pump(60, [] { return Recorder().FileInProgress() && Recorder().FileTitle() != "Split Song"; });
  const std::string timeTitle = Recorder().FileTitle();
  ASSERT_EQ(timeTitle.size(), 8u); // "hh-mm-ss"
  // The engine hands the row changes over by posted messages after it has
  // begun the new file: give them their turn.
  Pump(5, [&] {
    return rows_.rows.size() == 1u && rows_.rows[0].Name.find(timeTitle) != std::string::npos;
  });
  ASSERT_EQ(rows_.rows.size(), 1u); // the short first file dropped
  Pump(3);
  // The watchdog's reopening: the station sends its title again.
  const int64_t before = Recorder().FileBytes();
  ASSERT_TRUE(Form1->OpenStationUrl(PlayingAddress));
  Pump(15);
  EXPECT_EQ(station.connections(), 2);
  EXPECT_EQ(Recorder().CurTitle(), timeTitle);
  EXPECT_EQ(Recorder().FileTitle(), timeTitle);
  EXPECT_TRUE(Recorder().FileInProgress());
  EXPECT_EQ(Recorder().TailCounter(), 0);
  EXPECT_GT(Recorder().FileBytes(), before + 200000);
  EXPECT_EQ(rows_.rows.size(), 1u);
}

TEST_F(RecordingFaultsEndToEnd, AStopDuringATailSavesTheFile) {
  // The station falls silent a few blocks after its title changes, so the
  // tail stands still until the stop (which comes long before the watchdog
  // would reopen the station).
  StationConfig cfg = Config(Sine(), {"Tail One", "Tail Two"}, {62, 600});
  cfg.stall_after_bytes = 62 * 40000 + 40000;
  teststation::TestStation station(cfg);
  ASSERT_NE(station.Start(), 0);
  PlayAndRecord(station.Url("/stall"));
  Pump(120, [] { return Recorder().TailCounter() > 0; });
  ASSERT_GT(Recorder().TailCounter(), 0);
  Form1->Label5Click(nullptr);
  Recorder().Flush(); // saved by the engine's saving thread
  std::map<std::string, int64_t> kept = Kept();
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept.begin()->first.substr(kept.begin()->first.size() - 13), "_Tail One.mp3");
  std::vector<uint8_t> file = ReadAll(PlayerFolder() + "AUDIO\\" + kept.begin()->first);
  EXPECT_GE(file.size(), 2000000u);
  EXPECT_EQ(StreamRestarts(file, cfg.mp3), 0);
  EXPECT_TRUE(FramesIntact(file));
}

TEST_F(RecordingFaultsEndToEnd, AStopEndsThePause) {
  teststation::TestStation station(Config(Sine(), {"Paused"}, {600}));
  ASSERT_NE(station.Start(), 0);
  PlayAndRecord(station.Url());
  Form1->Label4Click(nullptr);
  ASSERT_TRUE(Recorder().Paused());
  ASSERT_TRUE(Form1->Timer9->Enabled());
  Pump(1);
  Form1->Label5Click(nullptr);
  EXPECT_FALSE(Recorder().Paused());
  EXPECT_FALSE(Form1->Timer9->Enabled());
  EXPECT_EQ(Form1->Label4->Font()->Color(), classlib::RGBColor(90, 170, 255));
  Record();
  Pump(10, [] { return Recorder().FileBytes() > 100000; });
  EXPECT_GT(Recorder().FileBytes(), 100000);
}

} // namespace
