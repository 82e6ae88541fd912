// Cost of the main window's live display while the test station plays, in
// one run under Wine:
//  1. one spectrum frame (Timer2Timer: FFT read, DrawSpectrum, and the paint
//     box's repaint with its block transfer) against the timer's 10 ms;
//     beside it the same frame drawn with the canvas's pen and brush calls
//     band by band, as a peer;
//  2. the player's CPU share (user + kernel time of the process over wall
//     time) with the display's timers running, against the same stretch with
//     them off; the stream is checked to be playing after each.
// Usage: player_display_bench [seconds per CPU stretch, default 10]
#include "classlib/WinApi.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

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

} // namespace

int main(int argc, char** argv) {
  const double stretch = argc > 1 ? std::atof(argv[1]) : 10.0;
  SetPlayerFolder(IncludeTrailingPathDelimiter(GetTempDir() + "korvalis_display_bench"));
  ForceDirectories(PlayerFolder() + "INI");

  teststation::StationConfig cfg;
  cfg.mp3 = teststation::MakeMelodyMp3(20.0, 128);
  cfg.titles = {"Bench - Melody"};
  // Wine's null sound device takes samples as fast as they come: served in
  // real time the stream would stall at once (and the display sink), so the
  // station runs ahead; the decoding then costs more than on a sound card,
  // in both stretches alike.
  cfg.pace = 4;
  teststation::TestStation station(cfg);
  if (!station.Start()) {
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
  BASS_StreamFree(CurrentStream.exchange(0));
  BASS_Free();
  station.Stop();
  return 0;
}
