// The LED meter control: forwards its properties to LedMeterCore and draws
// the segments it lists.
#include "components/LedMeters.h"

#include "components/ComponentsGdi.h"

TLEDMeter::TLEDMeter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(Left(), Top(), 143, 16);
}

void TLEDMeter::SetColorLED(int band, TColor v) {
  if (v == colors_[band]) return;
  colors_[band] = v;
  Apply(logic_.SetColorLED(band, ColorToRGB(v)));
}

void TLEDMeter::SetColorSeperator(TColor v) {
  if (v == separator_) return;
  separator_ = v;
  Apply(logic_.SetColorSeperator(ColorToRGB(v)));
}

void TLEDMeter::SetPosition(int v) {
  if (logic_.SetPosition(v) == components::MeterEffect::None) return;
  Apply(components::MeterEffect::Repaint);
  Change();
}

void TLEDMeter::Change() {
  if (OnChange) OnChange(this);
}

void TLEDMeter::Apply(components::MeterEffect e) {
  if (e == components::MeterEffect::Invalidate) {
    Invalidate();
  } else if (e == components::MeterEffect::Repaint) {
    // Drawn at once (the meters move every 50 ms); only where it can be seen.
    if (Showing() && !ComponentState().Contains(csLoading)) Paint();
  }
}

void TLEDMeter::Paint() {
  const int w = Width(), h = Height();
  gdi::DrawMeter(*Canvas(), logic_.Segments(w, h), ColorToRGB(separator_), logic_.BevelStyle(), w,
                 h);
  if (OnPaint) OnPaint(this);
}
