// The LED switch: state and colour setters and the transparent picture.
#include "components/SwitchLed.h"

#include "components/ComponentsGdi.h"

TSwitchLed::TSwitchLed(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(Left(), Top(), components::kLedSize, components::kLedSize);
  if (auto* parent = dynamic_cast<TWinControl*>(AOwner)) SetParent(parent);
}

void TSwitchLed::Changed(TLedColor& field, TLedColor v) {
  if (!AllowChanges) return;
  field = v;
  PaintNow();
}

void TSwitchLed::SetOnColor(TLedColor v) { Changed(on_color_, v); }
void TSwitchLed::SetOffColor(TLedColor v) { Changed(off_color_, v); }
void TSwitchLed::SetDisabledColor(TLedColor v) { Changed(disabled_color_, v); }

void TSwitchLed::SetLedState(TLedState v) {
  if (!AllowChanges) return;
  led_state_ = v;
  PaintNow();
}

void TSwitchLed::PaintNow() {
  if (Showing()) Paint();
}

void TSwitchLed::Paint() {
  if (Width() != components::kLedSize || Height() != components::kLedSize)
    SetBounds(Left(), Top(), components::kLedSize, components::kLedSize);
  // The picture is read from the resources at each paint; it is tiny.
  gdi::DrawResourceBitmap(*Canvas(), 0, 0, components::LedResourceName(ShownColor()),
                          components::kLedTransparent);
  ++paint_count_;
  if (OnPaint) OnPaint(this);
}
