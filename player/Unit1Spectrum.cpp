// The spectrum (80 bars with falling caps, drawn off screen and copied to
// PaintBox1) and the two level meters, driven by the main window's timers.
// The frame arithmetic and the picture are SpectrumCore's; the bitmap's
// rows are painted directly, so a frame costs a fill of the bitmap and a
// handful of bar rectangles, and the screen sees it through one block
// transfer when the paint box repaints.
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
} // namespace

void CreateSpectrumBitmap(TPaintBox* Box) {
  delete SpectrumBitmap; // a main window made again (tests) draws into a new one
  SpectrumBitmap = new TBitmap(Box->Width(), Box->Height());
  SpectrumBitmap->Canvas()->Brush()->SetColor(clBlack);
  SpectrumBitmap->Canvas()->FillRect(Rect(0, 0, Box->Width(), Box->Height()));
  BarMax = SpectrumBitmap->Height() - 2;
  BarWidth = kSpectrumBarWidth;
  BandCount = kSpectrumBands;
}

void TForm1::DrawSpectrum(bool Clear) {
  StepSpectrum(FftBuffer, Clear || SpectrumReset, BarMax, CapHeights, BarHeights);
  // Without the bitmap (the audio library failed at start-up) there is
  // nothing to show; the heights still follow, so they start from the floor.
  if (!SpectrumBitmap || SpectrumBitmap->Height() <= 0) return;
  PixelRows rows{SpectrumBitmap->ScanLine(0), SpectrumBitmap->RowBytes(), SpectrumBitmap->Width(),
                 SpectrumBitmap->Height()};
  PaintSpectrum(rows, CapHeights, BarHeights);
  g_recording_drawn = Recorder().RecordingUi();
  if (g_recording_drawn) {
    TCanvas* c = SpectrumBitmap->Canvas();
    c->Font()->SetColor(classlib::RGBColor(255, 128, 200));
    c->Brush()->SetStyle(bsClear);
    c->TextOut(380, 5, "Включена запись");
  }
  if (PaintBox1) PaintBox1->Invalidate();
}

void TForm1::PaintBox1Paint(TObject* Sender) {
  if (SpectrumBitmap) PaintBox1->Canvas()->Draw(0, 0, SpectrumBitmap);
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
