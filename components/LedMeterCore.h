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
  TRect Box;        // the Rectangle() box: outline and fill inside it
  TColor Color = 0; // brush; the outline is the separator colour
  bool Lit = false;
  int Band = 0; // 0, 1 or 2
};

class LedMeterCore {
 public:
  LedMeterCore();

  TBevelCut BevelStyle() const { return bevel_style_; }
  // bvNone, bvLowered or bvRaised; bvSpace is ignored.
  MeterEffect SetBevelStyle(TBevelCut v);
  TColor ColorLED(int band) const { return color_led_[band]; }
  // band 0..2: ColorLED1..3; a new colour derives its dim colour.
  MeterEffect SetColorLED(int band, TColor v);
  TColor DimColor(int band) const { return dim_color_[band]; }
  TColor ColorSeperator() const { return color_seperator_; }
  MeterEffect SetColorSeperator(TColor v);
  TMeterDirection Direction() const { return direction_; }
  MeterEffect SetDirection(TMeterDirection v);
  int LEDContrast() const { return led_contrast_; }
  MeterEffect SetLEDContrast(int v); // 0..9; others ignored
  int Max() const { return max_; }
  MeterEffect SetMax(int v);
  int Min() const { return min_; }
  MeterEffect SetMin(int v);
  int NumDigits() const { return num_digits_; }
  MeterEffect SetNumDigits(int v);
  int Position() const { return position_; }
  // Repaint means "painted, and OnChange is due" for the position.
  MeterEffect SetPosition(int v);
  bool SingleLED() const { return single_led_; }
  MeterEffect SetSingleLED(bool v);
  int StartColor2() const { return start_color2_; }
  MeterEffect SetStartColor2(int v);
  int StartColor3() const { return start_color3_; }
  MeterEffect SetStartColor3(int v);

  // Segments up to this count (from the start of the meter) are lit /
  // in the first colour / in the first or second colour.
  int LitCount() const { return Scaled(position_); }
  int Band2Count() const { return Scaled(start_color2_); }
  int Band3Count() const { return Scaled(start_color3_); }

  // Border width: 1 with a bevel, else 0.
  int Border() const { return bevel_style_ == bvNone ? 0 : 1; }
  // The segments of a meter of this size, in drawing order; none when the
  // size leaves no room or NumDigits is not positive.
  std::vector<MeterSegment> Segments(int width, int height) const;

 private:
  int Scaled(int value) const;

  TBevelCut bevel_style_ = bvLowered;
  TColor color_led_[3] = {clLime, clYellow, clRed};
  TColor dim_color_[3] = {};
  TColor color_seperator_ = 0;
  TMeterDirection direction_ = mdRight;
  int led_contrast_ = 6;
  int max_ = 100;
  int min_ = 0;
  int num_digits_ = 20;
  int position_ = 0;
  bool single_led_ = false;
  int start_color2_ = 75;
  int start_color3_ = 90;
};

} // namespace components
