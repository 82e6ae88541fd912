// The player as a user runs it, under Wine with the clocked sound output, in
// one run:
//  1. one spectrum frame (Timer2Timer: FFT read, DrawSpectrum, and the paint
//     box's repaint with its block transfer) against the timer's 10 ms;
//     beside it the same frame drawn with the canvas's pen and brush calls
//     band by band, as a peer;
//  2. the player's CPU share (user + kernel time of the process over wall
//     time) while the test station plays at real pace, with the display's
//     timers running, against the same stretch with them off; the stream is
//     checked to be playing after each;
//  3. the program's start (command to main window shown), against Wine's own
//     notepad as a peer, and a station pick to its title shown, against the
//     audio library opening the same station and reading its first title;
//     medians of five.
// Usage: player_display_bench [seconds per CPU stretch, default 30]
#include "classlib/WinApi.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "classlib/Cp1251.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "player/PlayerFolderCore.h"
#include "player/SpectrumCore.h"
#include "player/Unit1.h"
#include "player/Unit2.h"
#include "player/bench/WindowLoop.h"
#include "tools/station/TestStation.h"

namespace {

using Clock = std::chrono::steady_clock;

using windowbench::CpuShare;
using windowbench::RunLoopFor;

// The peer: the frame drawn through the canvas, a pen and a brush per band.
void CanvasFrame(TCanvas* c, int w, int h) {
  c->Pen()->SetColor(clSilver);
  c->Brush()->SetColor(clBlack);
  c->Brush()->SetStyle(bsSolid);
  c->Rectangle(0, 0, w, h);
  for (int i = 0; i < kSpectrumBands; ++i) {
    const int x = SpectrumBandLeft(i);
    c->Pen()->SetColor(classlib::RGBColor(255, 255, 0));
    c->MoveTo(x, h - CapHeights[i]);
    c->LineTo(x + kSpectrumBarWidth, h - CapHeights[i]);
    c->Brush()->SetColor(classlib::RGBColor(128, 200, 255));
    c->Pen()->SetColor(classlib::RGBColor(128, 200, 255));
    c->Rectangle(x, h - BarHeights[i], x + kSpectrumBarWidth, h);
  }
}

template <class F>
double MicrosPerFrame(int n, F f) {
  const auto t0 = Clock::now();
  for (int i = 0; i < n; ++i) f();
  GdiFlush();
  return std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / n;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double MillisSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Starts `cmd` and waits until the process shows a visible top-level window
// whose caption is `caption`; milliseconds, or -1. The process is ended after.
struct Shown {
  DWORD pid;
  const wchar_t* caption;
  bool found;
};
BOOL CALLBACK FindShown(HWND h, LPARAM l) {
  auto* s = reinterpret_cast<Shown*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  wchar_t text[128] = {};
  GetWindowTextW(h, text, 128);
  if (pid == s->pid && IsWindowVisible(h) && std::wstring(text) == s->caption) s->found = true;
  return !s->found;
}
double StartToWindow(std::wstring cmd, const std::wstring& folder, const wchar_t* caption) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const auto t0 = Clock::now();
  if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi))
    return -1;
  double ms = -1;
  while (MillisSince(t0) < 30000) {
    Shown s{pi.dwProcessId, caption, false};
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&s));
    if (s.found) {
      ms = MillisSince(t0);
      break;
    }
    Sleep(5);
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return ms;
}

std::wstring ExeFolder() {
  wchar_t buf[MAX_PATH];
  GetModuleFileNameW(nullptr, buf, MAX_PATH);
  std::wstring s = buf;
  return s.substr(0, s.find_last_of(L'\\') + 1);
}

} // namespace

int main(int argc, char** argv) {
  const double stretch = argc > 1 ? std::atof(argv[1]) : 30.0;
  SetPlayerFolder(IncludeTrailingPathDelimiter(GetTempDir() + "korvalis_display_bench"));
  ForceDirectories(PlayerFolder() + "INI");

  teststation::StationConfig cfg;
  cfg.mp3 = teststation::MakeMelodyMp3(20.0, 128);
  cfg.titles = {"Bench - Melody"};
  cfg.pace = 1; // as a real station: the sound output takes it at real time
  teststation::TestStation station(cfg);
  cfg.titles = {"Bench - Other"};
  teststation::TestStation other(cfg);
  if (!station.Start() || !other.Start()) {
    std::printf("station did not start\n");
    return 1;
  }

  Application->Initialize();
  Application->CreateForm(Form1);
  Application->CreateForm(Form2);
  Form1->Show();
  Form1->PlayStation(1, TStationEntry{0, "1 Bench", station.Url()});
  RunLoopFor(1.0);
  if (BASS_ChannelIsActive(CurrentStream) != BASS_ACTIVE_PLAYING) {
    std::printf("the station does not play\n");
    return 1;
  }

  // 1. One frame, timers off so that only the measured calls run.
  Form1->Timer2->SetEnabled(false);
  Form1->Timer4->SetEnabled(false);
  const int frames = 3000;
  const double frame = MicrosPerFrame(frames, [] {
    Form1->Timer2Timer(Form1->Timer2);
    UpdateWindow(Form1->Handle()); // the paint box's repaint, now
  });
  const double tick = MicrosPerFrame(frames, [] { Form1->Timer2Timer(Form1->Timer2); });
  ValidateRect(Form1->Handle(), nullptr);
  const double paint = MicrosPerFrame(frames, [] {
    Form1->PaintBox1->Invalidate();
    UpdateWindow(Form1->Handle());
  });
  const double fft = MicrosPerFrame(
      frames, [] { BASS_ChannelGetData(CurrentStream, FftBuffer, BASS_DATA_FFT2048); });
  HDC wdc = GetDC(Form1->Handle());
  const double blit = MicrosPerFrame(frames, [&] {
    BitBlt(wdc, 12, 24, 484, 99, SpectrumBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
  });
  ReleaseDC(Form1->Handle(), wdc);
  std::printf("one bare block transfer of the bitmap to the window: %.1f us\n", blit);
  TBitmap peer(Form1->PaintBox1->Width(), Form1->PaintBox1->Height());
  const double canvas = MicrosPerFrame(frames, [&] {
    StepSpectrum(FftBuffer, false, BarMax, CapHeights, BarHeights);
    CanvasFrame(peer.Canvas(), peer.Width(), peer.Height());
  });
  const double pixels = MicrosPerFrame(frames, [] {
    StepSpectrum(FftBuffer, false, BarMax, CapHeights, BarHeights);
    PixelRows rows{SpectrumBitmap->ScanLine(0), SpectrumBitmap->RowBytes(), SpectrumBitmap->Width(),
                   SpectrumBitmap->Height()};
    PaintSpectrum(rows, CapHeights, BarHeights);
  });
  std::printf("one frame (tick + paint): %.1f us = %.4f of the 10 ms budget\n", frame,
              frame / 10000.0);
  std::printf("parts: tick alone %.1f us (FFT read %.1f us), repaint alone %.1f us\n", tick, fft,
              paint);
  std::printf("drawing alone: pixel rows %.1f us, canvas calls %.1f us (ratio %.3f)\n", pixels,
              canvas, pixels / canvas);

  // 2. CPU share, display on, then off, same stream.
  Form1->Timer2->SetEnabled(true);
  Form1->Timer4->SetEnabled(true);
  const double on = CpuShare(stretch);
  Form1->Timer2->SetEnabled(false);
  Form1->Timer4->SetEnabled(false);
  const double off = CpuShare(stretch);
  if (BASS_ChannelIsActive(CurrentStream) != BASS_ACTIVE_PLAYING)
    std::printf("(the stream stalled)\n");
  std::printf(
      "player CPU, one core: display on %.2f%%, off %.2f%%, display's share %.2f%% "
      "(on/off %.2f)\n",
      on * 100, off * 100, (on - off) * 100, off > 0 ? on / off : 0.0);
  std::fflush(stdout);

  // 3. Pick to title shown, the two stations in turn; the peer opens the
  // same station through the library alone and waits for its first title.
  Form1->Timer2->SetEnabled(true);
  Form1->Timer4->SetEnabled(true);
  std::vector<double> picks, opens, starts, notepads;
  for (int i = 0; i < 5; ++i) {
    teststation::TestStation& st = i % 2 ? station : other;
    const std::string title = i % 2 ? "Bench - Melody" : "Bench - Other";
    const auto t0 = Clock::now();
    Form1->PlayStation(1, TStationEntry{0, "1 Bench", st.Url()});
    while (Form1->Label2->Caption().find(title) == std::string::npos && MillisSince(t0) < 20000)
      RunLoopFor(0.005);
    picks.push_back(MillisSince(t0));
  }
  BASS_StreamFree(CurrentStream.exchange(0));
  for (int i = 0; i < 5; ++i) {
    const auto t0 = Clock::now();
    HSTREAM h = BASS_StreamCreateURL(station.Url().c_str(), 0, 0, nullptr, nullptr);
    while (h && !BASS_ChannelGetTags(h, BASS_TAG_META) && MillisSince(t0) < 20000) Sleep(2);
    opens.push_back(MillisSince(t0));
    if (h) BASS_StreamFree(h);
  }
  std::printf("pick to title shown: median %.0f ms; library open to first title %.0f ms "
              "(ratio %.2f)\n",
              Median(picks), Median(opens), Median(opens) > 0 ? Median(picks) / Median(opens) : 0);
  std::fflush(stdout);

  // The program's start in a folder of its own, against Wine's notepad.
  const std::wstring folder = Cp1251ToWide(GetTempDir()) + L"korvalis_start_bench\\";
  ForceDirectories(WideToCp1251(folder + L"INI"));
  CopyFileW((ExeFolder() + L"Korvalis.exe").c_str(), (folder + L"Korvalis.exe").c_str(), FALSE);
  CopyFileW((ExeFolder() + L"bass.dll").c_str(), (folder + L"bass.dll").c_str(), FALSE);
  for (const wchar_t* ini : {L"INI\\zap.ini", L"INI\\k1.ini", L"INI\\favoritkanel.ini"}) {
    const std::string bytes = std::wstring(ini) == L"INI\\zap.ini" ? "TRUE\r\n0\r\n\r\n" : "";
    HANDLE h = CreateFileW((folder + ini).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                           nullptr);
    DWORD n = 0;
    if (h != INVALID_HANDLE_VALUE) {
      WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
      CloseHandle(h);
    }
  }
  for (int i = 0; i < 5; ++i) {
    starts.push_back(
        StartToWindow(L"\"" + folder + L"Korvalis.exe\"", folder, L"Korvalis  7.5"));
    notepads.push_back(StartToWindow(L"notepad.exe", L"", L"Untitled - Notepad"));
  }
  std::printf("command to main window: median %.0f ms; notepad %.0f ms (ratio %.2f)\n",
              Median(starts), Median(notepads),
              Median(notepads) > 0 ? Median(starts) / Median(notepads) : 0);
  std::fflush(stdout);
  other.Stop();
  BASS_StreamFree(CurrentStream.exchange(0));
  BASS_Free();
  station.Stop();
  return 0;
}
