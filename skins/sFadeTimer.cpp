// The fade timer of the skinned controls (see sFadeTimer.h).
#include "skins/sFadeTimer.h"

#include <cstring>

#include "classlib/Forms.h"
#include "skins/sBorders.h"

namespace skins {

TFadeTimer::TFadeTimer(TComponent* AOwner, IFadeTarget& target, TsActiveBGStyle* style)
    : TTimer(AOwner), style_(style), engine_(target, *this) {
  SetEnabled(false);
  SetInterval(5);
}

TFadeSettings TFadeTimer::Settings() const {
  TFadeSettings s;
  s.Enabled = style_->FadingEnabled();
  s.Iterations = style_->FadeIterations();
  s.IntervalIn = style_->FadeIntervalIn();
  s.IntervalOut = style_->FadeIntervalOut();
  return s;
}

void TFadeTimer::Timer() { engine_.Tick(Settings()); }

void PaintFadeStep(TBitmap* current, TBitmap* previous, TFadeMode direction, int weight,
                   TBitmap& blend, HDC dc) {
  if (!current || !previous || current->Width() != previous->Width() ||
      current->Height() != previous->Height() || current->Empty() || previous->Empty())
    return;
  // Copied row by row into the kept image: Assign would make a new one.
  blend.SetSize(current->Width(), current->Height());
  TBitmap* base = direction == TFadeMode::In ? previous : current;
  GdiFlush();
  for (int y = 0; y < blend.Height(); ++y)
    std::memcpy(blend.ScanLine(y), base->ScanLine(y), static_cast<size_t>(blend.RowBytes()));
  BlendBitmaps(BitmapPixels(&blend), BitmapPixels(direction == TFadeMode::In ? current : previous),
               static_cast<uint32_t>(weight));
  BitBlt(dc, 0, 0, blend.Width(), blend.Height(), blend.Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace skins
