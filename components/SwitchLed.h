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
  TLedColor OnColor() const { return onColor_; }
  void SetOnColor(TLedColor v);
  TLedColor OffColor() const { return offColor_; }
  void SetOffColor(TLedColor v);
  TLedColor DisabledColor() const { return disabledColor_; }
  void SetDisabledColor(TLedColor v);
  TLedState LedState() const { return ledState_; }
  void SetLedState(TLedState v);
  bool AllowChanges = true;

  // The colour shown now.
  TLedColor ShownColor() const {
    return components::LedShownColor(ledState_, onColor_, offColor_, disabledColor_);
  }
  // Times the picture was drawn (for tests).
  int PaintCount() const { return paintCount_; }

 protected:
  void Paint() override;

 private:
  void Changed(TLedColor& field, TLedColor v);
  void PaintNow();

  TLedColor onColor_ = Green, offColor_ = Red, disabledColor_ = Black;
  TLedState ledState_ = LedOff;
  int paintCount_ = 0;
};
