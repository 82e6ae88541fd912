// The spectrum (80 bars with falling caps, drawn off screen and copied to
// PaintBox1) and the two level meters, driven by the main window's timers.
#include "player/Unit1.h"

TBitmap* SpectrumBitmap = nullptr;
int BarMax = 0, BarWidth = 0, BandCount = 0;
float FftBuffer[2049] = {};
int CapHeights[80] = {}, BarHeights[80] = {};

void CreateSpectrumBitmap(TPaintBox* Box) {
  SpectrumBitmap = new TBitmap(Box->Width(), Box->Height());
  SpectrumBitmap->Canvas()->Brush()->SetColor(clBlack);
  SpectrumBitmap->Canvas()->FillRect(Rect(0, 0, Box->Width(), Box->Height()));
  BarMax = SpectrumBitmap->Height() - 2;
  BarWidth = 6;
  BandCount = 80;
}

void TForm1::DrawSpectrum(bool Clear) {}

void TForm1::PaintBox1Paint(TObject* Sender) {
  if (SpectrumBitmap) PaintBox1->Canvas()->Draw(0, 0, SpectrumBitmap);
}

void TForm1::Timer2Timer(TObject* Sender) {}

void TForm1::Timer4Timer(TObject* Sender) {
  int left = 0, right = 0;
  if (CurrentStream && BASS_ChannelIsActive(CurrentStream) == BASS_ACTIVE_PLAYING) {
    const DWORD level = BASS_ChannelGetLevel(CurrentStream);
    left = LOWORD(level) / 300;
    right = HIWORD(level) / 300;
  }
  LEDMeter1->SetPosition(left);
  LEDMeter2->SetPosition(right);
}
