// The player records the test station served at the pace of a real one
// (the sound going to an output that takes it at real time too): a title
// change splits the recording into one file per title, on the first
// connection, with every byte of the stream in place. A player that ran
// ahead of the station stalled here, its watchdog reopened the station
// every few seconds and the titles never changed.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <thread>

#include "classlib/Cp1251.h"
#include "classlib/tests/support/ScratchFolder.h"
#include "player/Unit1.h"
#include "player/Unit5.h"
#include "player/tests/RecordingFakes.h"
#include "player/tests/win/PlayerTestFolder.h"
#include "player/tests/win/RecordingE2e.h"
#include "tests/support/Mp3Frames.h"
#include "tools/station/TestStation.h"

namespace {

void PumpFor(double seconds, const std::function<bool()>& until) {
  const auto start = std::chrono::steady_clock::now();
  auto report = start + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() - start < std::chrono::duration<double>(seconds)) {
    Application->ProcessMessages();
    if (until()) return;
    if (std::chrono::steady_clock::now() > report) {
      std::printf("[rec] title '%s' bytes %lld\n", Recorder().CurTitle().c_str(),
                  static_cast<long long>(Recorder().FileBytes()));
      std::fflush(stdout);
      report += std::chrono::seconds(10);
    }
    Sleep(5);
  }
}



// Whether `file` is a run of the station's looped audio, unbroken.
bool OneRunOfTheLoop(const std::vector<uint8_t>& file, const std::vector<uint8_t>& loop) {
  if (file.size() < 4096 || loop.empty()) return false;
  for (size_t o = 0; o < loop.size(); ++o) {
    size_t k = 0;
    while (k < file.size() && file[k] == loop[(o + k) % loop.size()]) ++k;
    if (k == file.size()) return true;
  }
  return false;
}

TEST(RecordingAtRealPace, ATitleChangeSplitsTheRecordingOnTheFirstConnection) {
  Application->Initialize();
  PlayerTestFolder folder("korvalis_recording_real_pace");
  test_support::RemoveTree(PlayerFolder() + "AUDIO\\");
  folder.Put("zap.ini", "TRUE\r\n0\r\n\r\n"); // as received: no companion
  Application->CreateForm(Form1);
  Application->CreateForm(Form5);
  rectest::TRowsView rows;
  SetRecordedFilesTarget(&rows);

  // 320 kbit/s: the first title's 55 s make a file big enough to keep.
  teststation::StationConfig cfg;
  cfg.mp3 = teststation::MakeSineMp3(3.0, 320);
  cfg.bitrate_kbps = 320;
  cfg.metaint = 8192;
  cfg.pace = 1;
  cfg.titles = {"Real One", "Real Two"};
  cfg.title_schedule = {55, 600};
  teststation::TestStation station(cfg);
  ASSERT_NE(station.Start(), 0);
  TStationEntry entry{0, "1 Test Radio", station.Url()};
  StationAt = [entry](int, int) { return entry; };
  Form1->PlayStation(1, entry);
  ASSERT_NE(CurrentStream.load(), 0u);
  HWND dialog = Form5->Handle();
  std::thread closer([dialog] {
    for (int i = 0; i < 1000 && !IsWindowVisible(dialog); ++i) Sleep(10);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  Form1->Label6Click(nullptr);
  closer.join();
  ASSERT_TRUE(Recorder().RecordingUi());

  PumpFor(120, [&] { return rows.rows.size() == 2; });
  ASSERT_EQ(rows.rows.size(), 2u);
  EXPECT_EQ(rows.rows[0].Name, "Real One.mp3");
  EXPECT_EQ(rows.rows[1].Name, "Real Two.mp3");
  PumpFor(3, [] { return false; });
  Form1->Label5Click(nullptr);
  EXPECT_EQ(station.connections(), 1);

  std::map<std::string, int64_t> files;
  rece2e::ListFiles(PlayerFolder() + "AUDIO\\", "", files);
  std::string first;
  for (auto& f : files)
    if (f.first.size() > 12 && f.first.substr(f.first.size() - 12) == "Real One.mp3") first = f.first;
  ASSERT_FALSE(first.empty());
  const std::vector<uint8_t> bytes = rece2e::ReadAll(PlayerFolder() + "AUDIO\\" + first);
  EXPECT_GE(bytes.size(), 2000000u);
  EXPECT_TRUE(OneRunOfTheLoop(bytes, cfg.mp3)) << "the file holds a gap or a new start";

  SetRecordedFilesTarget(nullptr);
  BASS_StreamFree(CurrentStream.exchange(0));
  BASS_Free();
}

} // namespace
