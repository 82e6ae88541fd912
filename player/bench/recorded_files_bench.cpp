// Cost of the recorded-files window, in one run under Wine:
//  1. 1000 files added one by one the way a recording adds them (a row with
//     its number, name and size, the last row scrolled to and selected, the
//     list file saved after each) against a stock report-style list view
//     doing the same, saved through the same file writer;
//  2. the GUI thread's CPU time per second while a 320 kbit/s recording's
//     size updates arrive from another thread (a block of 4000 bytes ten
//     times a second, as the audio library's download thread hands them),
//     against the same window idle for the same time.
// Usage: player_recorded_files_bench [files, default 1000] [seconds, default 10]
#include "classlib/WinApi.h"

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "classlib/Cp1251.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "grid/DgTextFile.h"
#include "grid/tests/win/RecordedStyleGrid.h"
#include "player/PlayerFolderCore.h"
#include "player/Unit1.h"
#include "player/Unit4.h"
#include "player/bench/WindowLoop.h"

namespace {

using windowbench::Clock;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

using windowbench::RunLoopFor;

// The GUI thread's CPU seconds per second of wall time while the loop runs.
double GuiCpuPerSecond(double seconds) { return windowbench::CpuShare(seconds, true); }

std::string FileName(int i) { return "Artist " + std::to_string(i) + " - Song title.mp3"; }

// The peer: the system's list view in report style, three columns, saved
// through the grid's own file writer.
class TListViewPeer : public TDgTextFileGrid {
 public:
  explicit TListViewPeer(HWND Parent) {
    list_ =
        CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0,
                        0, 381, 517, Parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    recorded_style::AddListViewColumns(list_);
  }
  ~TListViewPeer() override { DestroyWindow(list_); }

  void AddFile(const std::string& Name, const WideString& File) {
    const int row = RowCount();
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    std::wstring number = std::to_wstring(row + 1);
    item.pszText = &number[0];
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetCells(1, row, Cp1251ToUtf16(Name));
    SetCells(2, row, u"0.0");
    SendMessageW(list_, LVM_ENSUREVISIBLE, row, FALSE);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    UpdateWindow(list_);
    SaveToTextFile(*this, File, kRecordedListSeparator, kRecordedListDelimiter,
                   kRecordedListEncoding);
  }

  void ClearRows() override { SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0); }
  int AddRow(int Count) override { return RowCount() - 1; }
  int RowCount() const override {
    return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
  }
  int ColumnCount() const override { return 3; }
  WideString GetCells(int ACol, int ARow) override {
    wchar_t buf[512] = {};
    LVITEMW item{};
    item.iSubItem = ACol;
    item.pszText = buf;
    item.cchTextMax = 512;
    SendMessageW(list_, LVM_GETITEMTEXTW, ARow, reinterpret_cast<LPARAM>(&item));
    return WideString(buf, buf + wcslen(buf));
  }
  void SetCells(int ACol, int ARow, const WideString& Value) override {
    std::wstring text(Value.begin(), Value.end());
    LVITEMW item{};
    item.iSubItem = ACol;
    item.pszText = &text[0];
    SendMessageW(list_, LVM_SETITEMTEXTW, ARow, reinterpret_cast<LPARAM>(&item));
  }

 private:
  HWND list_ = nullptr;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
  const int files = argc > 1 ? _wtoi(argv[1]) : 1000;
  const double seconds = argc > 2 ? _wtof(argv[2]) : 10.0;
  SetPlayerFolder(IncludeTrailingPathDelimiter(GetTempDir() + "korvalis_recorded_bench"));
  ForceDirectories(PlayerFolder() + "INI");
  Application->Initialize();
  Application->CreateForm(Form1);
  Application->CreateForm(Form4);
  Form1->Show();
  PlaceBesideMain(Form4);
  Form4->Show();
  RunLoopFor(1.5); // the start-up load is behind us

  // 1. Adding files one by one.
  RecordedFiles().ClearRows();
  RunLoopFor(0.1);
  auto t0 = Clock::now();
  for (int i = 0; i < files; ++i) {
    Form4->AddRecordedFile(FileName(i));
    Form4->DataGrid1->Update();
  }
  const double grid = Seconds(t0);
  const WideString peerFile = Cp1251ToUtf16(IniFile("listview.ini"));
  double list = 0;
  {
    TListViewPeer peer(Form4->Handle());
    t0 = Clock::now();
    for (int i = 0; i < files; ++i) peer.AddFile(FileName(i), peerFile);
    list = Seconds(t0);
  }
  std::printf(
      "%d files added one by one, each saved: grid window %.3f s, list view %.3f s, "
      "grid / list view = %.2f\n",
      files, grid, list, grid / list);

  // 2. The GUI thread while a 320 kbit/s recording's sizes arrive.
  RecordedFiles().ClearRows();
  RunLoopFor(0.2);
  const double idle = GuiCpuPerSecond(seconds);
  Recorder().StationPicked("1 Bench Radio", "1 Bench Radio");
  Recorder().SetCurTitle("Bench");
  Recorder().Start(RecordChoice{});
  std::atomic<bool> stop{false};
  std::thread download([&] {
    std::vector<uint8_t> block(4000, 0x55);
    auto next = Clock::now();
    while (!stop) {
      Recorder().Block(block.data(), static_cast<uint32_t>(block.size()));
      next += std::chrono::milliseconds(100);
      std::this_thread::sleep_until(next);
    }
  });
  const double busy = GuiCpuPerSecond(seconds);
  stop = true;
  download.join();
  Recorder().Stop();
  RunLoopFor(0.2);
  std::printf(
      "GUI thread CPU per second: recording's size updates %.4f s, idle %.4f s, "
      "recording / idle = %.2f\n",
      busy, idle, idle > 0 ? busy / idle : 0.0);
  Form4->Free();
  Form1->Free();
  return 0;
}
