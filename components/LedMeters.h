// TLEDMeter: a bar of coloured segments like a hardware level meter. The
// lower segments show the first colour, the middle the second, the top the
// third; segments up to the position are lit, the others dimmed (the dim
// colours come from the HLS model, see HlsColors.h).
#pragma once

#include "classlib/Controls.h"
#include "components/LedMeterCore.h"

class TLEDMeter : public TGraphicControl {
 public:
  explicit TLEDMeter(TComponent* AOwner);

  // bvNone, bvLowered or bvRaised (bvSpace is ignored).
  TBevelCut BevelStyle() const { return logic_.BevelStyle(); }
  void SetBevelStyle(TBevelCut v) { Apply(logic_.SetBevelStyle(v)); }
  TColor ColorLED1() const { return colors_[0]; }
  void SetColorLED1(TColor v) { SetColorLED(0, v); }
  TColor ColorLED2() const { return colors_[1]; }
  void SetColorLED2(TColor v) { SetColorLED(1, v); }
  TColor ColorLED3() const { return colors_[2]; }
  void SetColorLED3(TColor v) { SetColorLED(2, v); }
  TColor ColorSeperator() const { return separator_; }
  void SetColorSeperator(TColor v);
  TMeterDirection Direction() const { return logic_.Direction(); }
  void SetDirection(TMeterDirection v) { Apply(logic_.SetDirection(v)); }
  // 0..9; other values are ignored.
  int LEDContrast() const { return logic_.LEDContrast(); }
  void SetLEDContrast(int v) { Apply(logic_.SetLEDContrast(v)); }
  int Max() const { return logic_.Max(); }
  void SetMax(int v) { Apply(logic_.SetMax(v)); }
  int Min() const { return logic_.Min(); }
  void SetMin(int v) { Apply(logic_.SetMin(v)); }
  int NumDigits() const { return logic_.NumDigits(); }
  void SetNumDigits(int v) { Apply(logic_.SetNumDigits(v)); }
  int Position() const { return logic_.Position(); }
  // Clamped to Min..Max; paints at once and raises OnChange for any value
  // other than the stored one (even when clamping gives the stored one).
  void SetPosition(int v);
  bool SingleLED() const { return logic_.SingleLED(); }
  void SetSingleLED(bool v) { Apply(logic_.SetSingleLED(v)); }
  int StartColor2() const { return logic_.StartColor2(); }
  void SetStartColor2(int v) { Apply(logic_.SetStartColor2(v)); }
  int StartColor3() const { return logic_.StartColor3(); }
  void SetStartColor3(int v) { Apply(logic_.SetStartColor3(v)); }

  // The dimmed colours of the three bands (for diagnostics and tests).
  TColor DimColor(int band) const { return logic_.DimColor(band); }
  const components::LedMeterCore& Logic() const { return logic_; }

  TNotifyEvent OnChange;

 protected:
  void Paint() override;
  virtual void Change();

 private:
  void SetColorLED(int band, TColor v);
  void Apply(components::MeterEffect e);

  components::LedMeterCore logic_;
  TColor colors_[3] = {clLime, clYellow, clRed};
  TColor separator_ = clBlack;
};
