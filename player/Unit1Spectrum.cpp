// The spectrum (80 bars with falling caps, drawn off screen and copied to
// PaintBox1) and the two level meters, driven by the main window's timers.
// The frame arithmetic and the picture are SpectrumCore's; the bitmap's
// rows are painted directly, so a frame costs a fill of the bitmap and a
// handful of bar rectangles, and the screen sees it through one block
// transfer when the paint box repaints. The timer runs a hundred times a
// second, so the screen is asked to show only what changed: a frame that
// looks like the last one is not shown again, and of the others only the
// columns from the first band that moved to the last.
#include <algorithm>

#include "player/SpectrumCore.h"
#include "player/Unit1.h"

TBitmap* SpectrumBitmap = nullptr;
int BarMax = 0, BarWidth = 0, BandCount = 0;
float FftBuffer[2049] = {};
int CapHeights[80] = {}, BarHeights[80] = {};

namespace {
static_assert(sizeof(FftBuffer) / sizeof(FftBuffer[0]) == kFftBufferSize, "FFT buffer size");
static_assert(sizeof(CapHeights) / sizeof(CapHeights[0]) == kSpectrumBands, "band count");

bool g_recording_drawn = false; // the picture shows "Включена запись"
bool g_picture_drawn = false;   // the bitmap holds a frame (not only its first black)
SpectrumHeights g_shown;        // the heights the bitmap shows

// Asks for the columns [Left, Right) of the paint box to be shown again.
void InvalidateColumns(TPaintBox* Box, const ColumnSpan& Span) {
  TWinControl* parent = Box->Parent();
  if (!parent || !parent->HandleAllocated()) return;
  const RECT r{Box->Left() + Span.Left, Box->Top(), Box->Left() + Span.Right,
               Box->Top() + Box->Height()};
  // No erasing: the bitmap covers the box.
  InvalidateRect(parent->Handle(), &r, FALSE);
}
} // namespace

void CreateSpectrumBitmap(TPaintBox* Box) {
  delete SpectrumBitmap; // a main window made again (tests) draws into a new one
  SpectrumBitmap = new TBitmap(Box->Width(), Box->Height());
  SpectrumBitmap->Canvas()->Brush()->SetColor(clBlack);
  SpectrumBitmap->Canvas()->FillRect(Rect(0, 0, Box->Width(), Box->Height()));
  BarMax = SpectrumBitmap->Height() - 2;
  BarWidth = kSpectrumBarWidth;
  BandCount = kSpectrumBands;
  g_picture_drawn = false;
  // The bitmap covers the whole box: what lies beneath is never seen, so
  // the window paints the box alone.
  Box->ControlStyle.Include(csOpaque);
}

void TForm1::DrawSpectrum(bool Clear) {
  StepSpectrum(FftBuffer, Clear || SpectrumReset, BarMax, CapHeights, BarHeights);
  // Without the bitmap (the audio library failed at start-up) there is
  // nothing to show; the heights still follow, so they start from the floor.
  if (!SpectrumBitmap || SpectrumBitmap->Height() <= 0) return;
  const bool recording = Recorder().RecordingUi();
  const int w = SpectrumBitmap->Width();
  ColumnSpan changed{0, w};
  if (g_picture_drawn && recording == g_recording_drawn)
    changed = ChangedColumns(g_shown, CapHeights, BarHeights, w);
  if (changed.Empty()) return; // the picture would come out the same
  PixelRows rows{SpectrumBitmap->ScanLine(0), SpectrumBitmap->RowBytes(), w,
                 SpectrumBitmap->Height()};
  PaintSpectrum(rows, CapHeights, BarHeights);
  std::copy(CapHeights, CapHeights + kSpectrumBands, g_shown.Caps);
  std::copy(BarHeights, BarHeights + kSpectrumBands, g_shown.Bars);
  g_picture_drawn = true;
  g_recording_drawn = recording;
  if (g_recording_drawn) {
    TCanvas* c = SpectrumBitmap->Canvas();
    c->Font()->SetColor(classlib::RGBColor(255, 128, 200));
    c->Brush()->SetStyle(bsClear);
    c->TextOut(380, 5, "Включена запись");
  }
  if (PaintBox1) InvalidateColumns(PaintBox1, changed);
}

void TForm1::PaintBox1Paint(TObject* Sender) {
  if (!SpectrumBitmap) return;
  // One block transfer of the part being repainted; the rest of the box
  // already shows the bitmap.
  TCanvas* c = PaintBox1->Canvas();
  TRect r = c->ClipRect();
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, SpectrumBitmap->Width());
  r.Bottom = std::min(r.Bottom, SpectrumBitmap->Height());
  if (r.Left < r.Right && r.Top < r.Bottom)
    BitBlt(c->Handle(), r.Left, r.Top, r.Width(), r.Height(), SpectrumBitmap->Canvas()->Handle(),
           r.Left, r.Top, SRCCOPY);
}

void TForm1::Timer2Timer(TObject* Sender) {
  // One handle for the whole tick: the station road may replace the stream
  // between ticks, and a freed stream's magnitudes must not be drawn.
  const HSTREAM stream = CurrentStream;
  bool playing = false, read = false;
  if (stream) {
    playing = BASS_ChannelIsActive(stream) == BASS_ACTIVE_PLAYING;
    if (playing) read = BASS_ChannelGetData(stream, FftBuffer, BASS_DATA_FFT2048) != DWORD(-1);
  }
  const bool stale =
      SpectrumRaised(CapHeights, BarHeights) || g_recording_drawn != Recorder().RecordingUi();
  switch (DecideSpectrumTick(stream != 0, playing, read, stale)) {
    case SpectrumTick::Idle: break;
    case SpectrumTick::Draw: DrawSpectrum(false); break;
    case SpectrumTick::Clear: DrawSpectrum(true); break;
  }
}

void TForm1::Timer4Timer(TObject* Sender) {
  const HSTREAM stream = CurrentStream;
  MeterLevels levels;
  if (stream && BASS_ChannelIsActive(stream) == BASS_ACTIVE_PLAYING)
    levels = SplitLevel(BASS_ChannelGetLevel(stream));
  LEDMeter1->SetPosition(levels.Left);
  LEDMeter2->SetPosition(levels.Right);
}
