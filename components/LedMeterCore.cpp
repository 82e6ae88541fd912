// Setter rules and segment layout of the LED level meter.
#include "components/LedMeterCore.h"

#include <algorithm>
#include <cmath>

namespace components {

LedMeterCore::LedMeterCore() {
  // Created with the dimming of contrast 4 although LEDContrast reads 6; the
  // factor changes only when a colour or the contrast is set.
  for (int i = 0; i < 3; ++i) dim_color_[i] = DimColors(color_led_[i], 5, 4);
}

MeterEffect LedMeterCore::SetBevelStyle(TBevelCut v) {
  if (v == bevel_style_ || v == bvSpace) return MeterEffect::None;
  bevel_style_ = v;
  return MeterEffect::Repaint;
}

MeterEffect LedMeterCore::SetColorLED(int band, TColor v) {
  if (band < 0 || band > 2 || v == color_led_[band]) return MeterEffect::None;
  color_led_[band] = v;
  dim_color_[band] = DimColors(v, led_contrast_, led_contrast_);
  return MeterEffect::Repaint;
}

MeterEffect LedMeterCore::SetColorSeperator(TColor v) {
  if (v == color_seperator_) return MeterEffect::None;
  color_seperator_ = v;
  return MeterEffect::Repaint;
}

MeterEffect LedMeterCore::SetDirection(TMeterDirection v) {
  if (v == direction_) return MeterEffect::None;
  direction_ = v;
  return MeterEffect::Repaint;
}

MeterEffect LedMeterCore::SetLEDContrast(int v) {
  if (v == led_contrast_ || v < 0 || v > 9) return MeterEffect::None;
  led_contrast_ = v;
  for (int i = 0; i < 3; ++i) dim_color_[i] = DimColors(color_led_[i], v, v);
  return MeterEffect::Invalidate;
}

MeterEffect LedMeterCore::SetMax(int v) {
  if (v == max_) return MeterEffect::None;
  max_ = v;
  start_color2_ = std::min(start_color2_, v);
  start_color3_ = std::min(start_color3_, v);
  return MeterEffect::Repaint;
}

MeterEffect LedMeterCore::SetMin(int v) {
  if (v == min_) return MeterEffect::None;
  min_ = v;
  start_color2_ = std::max(start_color2_, v);
  start_color3_ = std::max(start_color3_, v);
  return MeterEffect::Repaint;
}

MeterEffect LedMeterCore::SetNumDigits(int v) {
  if (v == num_digits_) return MeterEffect::None;
  num_digits_ = v;
  return MeterEffect::Repaint;
}

MeterEffect LedMeterCore::SetPosition(int v) {
  // Compared before clamping: an out-of-range value repaints and reports a
  // change even when the clamped value is the one already shown.
  if (v == position_) return MeterEffect::None;
  position_ = std::max(std::min(v, max_), min_);
  return MeterEffect::Repaint;
}

MeterEffect LedMeterCore::SetSingleLED(bool v) {
  if (v == single_led_) return MeterEffect::None;
  single_led_ = v;
  return MeterEffect::Repaint;
}

MeterEffect LedMeterCore::SetStartColor2(int v) {
  if (v == start_color2_) return MeterEffect::None;
  start_color2_ = std::min(std::max(std::min(v, max_), min_), start_color3_);
  return MeterEffect::Repaint;
}

MeterEffect LedMeterCore::SetStartColor3(int v) {
  if (v == start_color3_) return MeterEffect::None;
  start_color3_ = std::max(std::max(std::min(v, max_), min_), start_color2_);
  return MeterEffect::Repaint;
}

int LedMeterCore::Scaled(int value) const {
  // Relative to 0, not to Min; halves round to even.
  const double range = static_cast<double>(max_) - min_;
  if (range <= 0 || value <= 0) return 0;
  return static_cast<int>(std::nearbyint(num_digits_ / (range / value)));
}

std::vector<MeterSegment> LedMeterCore::Segments(int width, int height) const {
  std::vector<MeterSegment> out;
  if (num_digits_ <= 0) return out; // nothing to divide the length into
  const int B = Border();
  const bool horizontal = direction_ == mdRight || direction_ == mdLeft;
  const int W = horizontal ? (width - 2 * B) / num_digits_ : width - 2 * B - 1;
  const int H = horizontal ? height - 2 * B : (height - 2 * B) / num_digits_;
  if (W <= 0 || H <= 0) return out;
  const int lit = LitCount(), band2 = Band2Count(), band3 = Band3Count();
  out.reserve(static_cast<size_t>(num_digits_));
  for (int i = 0; i < num_digits_; ++i) {
    MeterSegment s;
    s.Band = i < band2 ? 0 : (i < band3 ? 1 : 2);
    s.Lit = single_led_ ? i == lit - 1 : i < lit;
    s.Color = s.Lit ? color_led_[s.Band] : dim_color_[s.Band];
    int X = B, Y = B;
    switch (direction_) {
      case mdRight: X = B + i * W; break;
      case mdLeft: X = width - B - (i + 1) * W - 1; break;
      case mdUp: Y = height - B - (i + 1) * H; break;
      case mdDown: Y = B + i * H; break;
    }
    s.Box = Rect(X, Y, X + W + 1, Y + H);
    out.push_back(s);
  }
  return out;
}

} // namespace components
