// The LED level meter's properties, their setter rules and the segment layout
// it paints, free of Windows. The control (LedMeters.h) forwards its setters
// here and draws what Segments() lists.
#pragma once

#include <vector>

#include "classlib/DrawTypes.h"
#include "classlib/Types.h"
#include "components/HlsColors.h"

enum TMeterDirection { mdDown, mdLeft, mdRight, mdUp };

namespace components {

// What the control has to do after a setter.
enum class MeterEffect { None, Repaint, Invalidate };

struct MeterSegment {
  TRect Box; // the Rectangle() box: outline and fill inside it
  TColor Color = 0; // brush; the outline is the separator colour
  bool Lit = false;
  int Band = 0; // 0, 1 or 2
};

class LedMeterCore {
 public:
  LedMeterCore();

  TBevelCut BevelStyle() const { return bevelStyle_; }
  // bvNone, bvLowered or bvRaised; bvSpace is ignored.
  MeterEffect SetBevelStyle(TBevelCut v);
  TColor ColorLED(int band) const { return colorLED_[band]; }
  // band 0..2: ColorLED1..3; a new colour derives its dim colour.
  MeterEffect SetColorLED(int band, TColor v);
  TColor DimColor(int band) const { return dimColor_[band]; }
  TColor ColorSeperator() const { return colorSeperator_; }
  MeterEffect SetColorSeperator(TColor v);
  TMeterDirection Direction() const { return direction_; }
  MeterEffect SetDirection(TMeterDirection v);
  int LEDContrast() const { return ledContrast_; }
  MeterEffect SetLEDContrast(int v); // 0..9; others ignored
  int Max() const { return max_; }
  MeterEffect SetMax(int v);
  int Min() const { return min_; }
  MeterEffect SetMin(int v);
  int NumDigits() const { return numDigits_; }
  MeterEffect SetNumDigits(int v);
  int Position() const { return position_; }
  // Repaint means "painted, and OnChange is due" for the position.
  MeterEffect SetPosition(int v);
  bool SingleLED() const { return singleLED_; }
  MeterEffect SetSingleLED(bool v);
  int StartColor2() const { return startColor2_; }
  MeterEffect SetStartColor2(int v);
  int StartColor3() const { return startColor3_; }
  MeterEffect SetStartColor3(int v);

  // Segments up to this count (from the start of the meter) are lit /
  // in the first colour / in the first or second colour.
  int LitCount() const { return Scaled(position_); }
  int Band2Count() const { return Scaled(startColor2_); }
  int Band3Count() const { return Scaled(startColor3_); }

  // Border width: 1 with a bevel, else 0.
  int Border() const { return bevelStyle_ == bvNone ? 0 : 1; }
  // The segments of a meter of this size, in drawing order; none when the
  // size leaves no room or NumDigits is not positive.
  std::vector<MeterSegment> Segments(int width, int height) const;

 private:
  int Scaled(int value) const;

  TBevelCut bevelStyle_ = bvLowered;
  TColor colorLED_[3] = {clLime, clYellow, clRed};
  TColor dimColor_[3] = {};
  TColor colorSeperator_ = 0;
  TMeterDirection direction_ = mdRight;
  int ledContrast_ = 6;
  int max_ = 100;
  int min_ = 0;
  int numDigits_ = 20;
  int position_ = 0;
  bool singleLED_ = false;
  int startColor2_ = 75;
  int startColor3_ = 90;
};

} // namespace components
