// The player records the test station under Wine: the real main window,
// bass.dll and the recording engine on a scratch player folder, the station
// serving a scripted schedule of Latin and Cyrillic titles. Checks what lands
// on disk: folders, names and every kept file's bytes against the stream,
// the small file dropped, and that closing is refused while recording and
// cleans up only unfinished saves.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <thread>

#include "classlib/Cp1251.h"
#include "classlib/tests/support/ScratchFolder.h"
#include "tests/support/Mp3Frames.h"
#include "player/Unit1.h"
#include "player/Unit5.h"
#include "player/tests/RecordingFakes.h"
#include "player/tests/win/PlayerTestFolder.h"
#include "player/tests/win/RecordingE2e.h"
#include "tools/station/StationStream.h"
#include "tools/station/TestStation.h"

namespace {

using namespace rece2e;
using teststation::StationConfig;

class RecordingEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    folder_ = new PlayerTestFolder("korvalis_recording_e2e");
    test_support::RemoveTree(PlayerFolder() + "AUDIO\\");
    std::wstring dir = Cp1251ToWide(PlayerFolder());
    CopyFileW(HostPath(TAMZO_EXE).c_str(), (dir + L"Tamzo.exe").c_str(), FALSE);
    CopyFileW(HostPath(LAME_EXE).c_str(), (dir + L"Lame.exe").c_str(), FALSE);
    // A companion beside this test program too (scripts/run leaves one in the
    // build folder): it would read that folder's hand-over file, so the player
    // must start the one in its own folder.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring beside(self);
    beside.erase(beside.find_last_of(L'\\') + 1);
    CopyFileW(HostPath(TAMZO_EXE).c_str(), (beside + L"Tamzo.exe").c_str(), FALSE);
    SetCurrentDirectoryW(dir.c_str());
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
  // The recording-settings window as the program creates it, from "zap.ini".
  static void Settings(const std::string& zap) {
    if (Form5) Form5->Free();
    folder_->Put("zap.ini", zap);
    Form5 = New<TForm5>(Application);
  }
  // Opens the station as a pick from the main list would, and records.
  void PlayAndRecord(const std::string& url) {
    TStationEntry entry{0, "1 Test Radio", url};
    StationAt = [entry](int, int) { return entry; };
    Form1->PlayStation(1, entry);
    ASSERT_NE(CurrentStream.load(), 0u);
    std::thread closer = CloseSettingsWhenShown();
    Form1->Label6Click(nullptr);
    closer.join();
    ASSERT_TRUE(Recorder().RecordingUi());
  }
  std::string Station() { return PlayerFolder() + "AUDIO\\Test Radio\\" + Today() + "\\"; }

  static PlayerTestFolder* folder_;
  rectest::TRowsView rows_;
};
PlayerTestFolder* RecordingEndToEnd::folder_ = nullptr;

StationConfig Config(std::vector<std::string> titles, std::vector<double> seconds) {
  StationConfig cfg;
  static std::vector<uint8_t> mp3 = teststation::MakeSineMp3(3.0, 320);
  cfg.mp3 = mp3;
  cfg.bitrate_kbps = 320;
  cfg.metaint = 8192;
  // Faster than the output plays, so the download buffer stays full and
  // the bytes arrive as fast as playback takes them.
  cfg.pace = 4;
  cfg.titles = std::move(titles);
  cfg.title_schedule = std::move(seconds);
  return cfg;
}

TEST_F(RecordingEndToEnd, AsReceivedOneFilePerTitleAcrossADroppedConnection) {
  StationConfig cfg = Config({"Latin: One", u8"Короткая", u8"Вторая песня"}, {50, 15, 600});
  cfg.drop_after_bytes = 1000000;
  teststation::TestStation station(cfg);
  ASSERT_NE(station.Start(), 0);
  PlayAndRecord(station.Url("/drop-once"));

  // The connection drops 25 s into the first title; the watchdog reopens
  // the station, which starts its schedule again, so the title goes on.
  Pump(90, [&] { return station.connections() >= 2; });
  ASSERT_GE(station.connections(), 2);
  EXPECT_EQ(rows_.rows.size(), 1u);
  // The short title's file is dropped, the long one's is split once it is
  // big enough to keep, by split ticks given at a fast pace.
  Pump(150, [&] {
    return rows_.rows.size() == 2 && rows_.rows[1].Name == "Вторая песня.mp3" &&
           Recorder().FileBytes() > 2200000;
  });
  ASSERT_EQ(rows_.rows.size(), 2u);
  for (int i = 0; i < 1201; ++i) Form1->Timer10Timer(nullptr);
  Pump(30, [&] { return rows_.rows.size() == 3; });
  ASSERT_EQ(rows_.rows.size(), 3u);
  EXPECT_EQ(rows_.rows[0].Name, "Latin_ One.mp3");
  EXPECT_EQ(rows_.rows[2].Name.size(), 12u); // "hh-mm-ss.mp3", the time of the split
  Pump(3);
  Form1->Label5Click(nullptr);

  std::map<std::string, int64_t> files;
  ListFiles(PlayerFolder() + "AUDIO\\", "", files);
  ASSERT_EQ(files.size(), 2u);
  std::string latin, russian;
  for (auto& f : files) {
    if (f.first.find("\\ЗАРУБЕЖКА\\") != std::string::npos) latin = f.first;
    if (f.first.find("\\РУССКОЕ\\") != std::string::npos) russian = f.first;
  }
  const std::string day = "Test Radio\\" + Today();
  ASSERT_EQ(latin.substr(0, day.size() + 11), day + "\\ЗАРУБЕЖКА\\");
  EXPECT_EQ(latin.substr(latin.size() - 15), "_Latin_ One.mp3");
  ASSERT_EQ(russian.substr(0, day.size() + 9), day + "\\РУССКОЕ\\");
  EXPECT_EQ(russian.substr(russian.size() - 17), "_Вторая песня.mp3");

  std::vector<uint8_t> a = ReadAll(PlayerFolder() + "AUDIO\\" + latin);
  std::vector<uint8_t> c = ReadAll(PlayerFolder() + "AUDIO\\" + russian);
  EXPECT_GE(a.size(), 2000000u);
  EXPECT_GE(c.size(), 2000000u);
  // The first title's file holds the part before the drop and, after the
  // new start, the whole title up to its change and the tail.
  EXPECT_EQ(StreamRestarts(a, cfg.mp3), 1);
  EXPECT_EQ(StreamRestarts(c, cfg.mp3), 0);
  EXPECT_TRUE(FramesIntact(c));
}

TEST_F(RecordingEndToEnd, OwnSettingsTheCompanionReencodesIntoTheFinalPlace) {
  Settings("FALSE\r\n2\r\n\r\n");
  ASSERT_FALSE(CurrentRecordChoice().AsReceived);
  ASSERT_EQ(CurrentRecordChoice().Bitrate, "192");
  StationConfig cfg = Config({"Own Latin", u8"Дальше"}, {62, 600});
  teststation::TestStation station(cfg);
  ASSERT_NE(station.Start(), 0);
  PlayAndRecord(station.Url());
  const std::string temp = PlayerFolder() + "AUDIO\\TEMP\\";
  Pump(150, [&] { return FileExists(temp + "kdr.ini"); });
  ASSERT_TRUE(FileExists(temp + "kdr.ini"));
  Pump(2);
  Form1->Label5Click(nullptr);

  std::vector<uint8_t> raw = ReadAll(temp + "kdr.ini");
  std::string kdr(raw.begin(), raw.end());
  size_t a = kdr.find("\r\n"), b = kdr.find("\r\n", a + 2), c = kdr.find("\r\n", b + 2);
  ASSERT_NE(c, std::string::npos) << kdr;
  EXPECT_EQ(c + 2, kdr.size()) << "exactly three lines";
  EXPECT_EQ(kdr.substr(0, a), "192");
  std::string tempFile = kdr.substr(a + 2, b - a - 2), finalFile = kdr.substr(b + 2, c - b - 2);
  EXPECT_EQ(tempFile.substr(0, temp.size()), temp);
  EXPECT_EQ(tempFile.substr(tempFile.size() - 14), "_Own Latin.mp3");
  const std::string finalFolder =
      PlayerFolder() + "AUDIO\\\\Test Radio\\" + Today() + "\\ЗАРУБЕЖКА\\";
  EXPECT_EQ(finalFile, finalFolder + ExtractFileName(tempFile));
  EXPECT_NE(FileGetAttr(ExcludeTrailingPathDelimiter(temp)) & faHidden, 0);
  EXPECT_GE(FileSize(tempFile), 2000000);

  // The companion fades and re-encodes at 192 kbit/s into the final place.
  auto finished = [&] {
    std::map<std::string, int64_t> left;
    ListFiles(finalFolder, "", left);
    return left.size() == 1 && left.count(ExtractFileName(tempFile)) && left.begin()->second > 0;
  };
  Pump(180, finished);
  ASSERT_TRUE(finished());
  Pump(3);
  std::vector<TMp3Frame> frames = Mp3Frames(ReadAll(finalFile));
  ASSERT_GT(frames.size(), 1000u);
  size_t at192 = std::count_if(frames.begin(), frames.end(),
                               [](const TMp3Frame& f) { return f.bitrate == 192; });
  EXPECT_EQ(at192, frames.size());
  // The temporary folder holds the hand-over file and the last handed recording.
  std::map<std::string, int64_t> inTemp;
  ListFiles(temp, "", inTemp);
  EXPECT_EQ(inTemp.size(), 2u);
  EXPECT_TRUE(inTemp.count("kdr.ini"));
  EXPECT_TRUE(inTemp.count(ExtractFileName(tempFile)));
}

TEST_F(RecordingEndToEnd, CloseIsRefusedWhileRecordingThenAllowedAfterStop) {
  Settings("TRUE\r\n0\r\n\r\n");
  teststation::TestStation station(Config({"Close"}, {600}));
  ASSERT_NE(station.Start(), 0);
  PlayAndRecord(station.Url());
  Pump(5, [] { return Recorder().FileInProgress(); });
  ASSERT_TRUE(Recorder().FileInProgress());
  // A small recording (the companion's re-encode) and what a save cut
  // short by a crash left.
  const std::string small = PlayerFolder() + "AUDIO\\small.mp3";
  const std::string part = PlayerFolder() + "AUDIO\\crash.mp3.part";
  ForceDirectories(PlayerFolder() + "AUDIO");
  for (const std::string& name : {small, part}) {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("xxxx", 4);
  }
  {
    BoxRecorder boxes;
    Form1->Close();
    Pump(0.5);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Включена запись,выключите запись,затем закрывайте программу");
  }
  EXPECT_TRUE(Recorder().RecordingUi());
  EXPECT_TRUE(FileExists(small));
  EXPECT_TRUE(FileExists(part));
  Form1->Label5Click(nullptr);
  Form1->Close();
  Pump(1);
  EXPECT_TRUE(FileExists(small));
  EXPECT_FALSE(FileExists(part));
  EXPECT_EQ(CurrentStream.load(), 0u);
}

} // namespace
