// TSwitchLed: a 13 x 13 round LED picture in one of nine colours, with an
// own colour for each of its three states. The player blinks its record
// indicator by switching the off-state colour.
#pragma once

#include "classlib/Controls.h"
#include "components/SwitchLedCore.h"

class TSwitchLed : public TGraphicControl {
 public:
  // A windowed owner becomes the LED's parent as well.
  explicit TSwitchLed(TComponent* AOwner);

  // The setters work only while AllowChanges is set; each paints at once,
  // also when the value is unchanged.
  TLedColor OnColor() const { return on_color_; }
  void SetOnColor(TLedColor v);
  TLedColor OffColor() const { return off_color_; }
  void SetOffColor(TLedColor v);
  TLedColor DisabledColor() const { return disabled_color_; }
  void SetDisabledColor(TLedColor v);
  TLedState LedState() const { return led_state_; }
  void SetLedState(TLedState v);
  bool AllowChanges = true;

  // The colour shown now.
  TLedColor ShownColor() const {
    return components::LedShownColor(led_state_, on_color_, off_color_, disabled_color_);
  }
  // Times the picture was drawn (for tests).
  int PaintCount() const { return paint_count_; }

 protected:
  void Paint() override;

 private:
  void Changed(TLedColor& field, TLedColor v);
  void PaintNow();

  TLedColor on_color_ = Green, off_color_ = Red, disabled_color_ = Black;
  TLedState led_state_ = LedOff;
  int paint_count_ = 0;
};
