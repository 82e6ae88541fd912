// The background, hot-look and effect parts of the painted styles (see
// sStyleActiveCore.h).
#include "skins/sStyleActiveCore.h"

#include <algorithm>

#include "classlib/SysUtils.h"

namespace skins {

namespace {
TPercent ClampPercent(int v) { return static_cast<TPercent>(std::clamp(v, 0, 100)); }
}  // namespace

bool (*TsBGImage::LoadPicture)(const std::string& file, TsMemoryImage& into) = nullptr;

void TsBGAddon::Changed() {
  if (TsGenStyle* s = owner_->Style()) s->Invalidate();
}

void TsBGImage::SetImage(TsImage* picture) {
  image_.Assign(picture);
  Changed();
}

void TsBGImage::SetImageName(const std::string& v) {
  if (v == image_name_ || !FileExists(v)) return;
  image_name_ = v;
  // A file that does not load keeps the picture there was.
  if (LoadPicture && LoadPicture(v, image_)) Changed();
}

void TsBGImage::SetPercent(int v) {
  const TPercent p = ClampPercent(v);
  if (p == percent_) return;
  percent_ = p;
  TsBGGradient* g = owner_->Gradient();
  if (p + g->percent_ > 100) g->percent_ = static_cast<TPercent>(100 - p);
  Changed();
}

void TsBGGradient::SetData(const TsGradientData& v) {
  if (v == data_) return;
  SetGradientData(v, data_, gradient_);
  Changed();
}

void TsBGGradient::SetPercent(int v) {
  const TPercent p = ClampPercent(v);
  if (p == percent_) return;
  percent_ = p;
  TsBGImage* i = owner_->Image();
  if (p + i->percent_ > 100) i->percent_ = static_cast<TPercent>(100 - p);
  Changed();
}

void TsHotPainting::SetTransparency(int v) { transparency_ = ClampPercent(v); }

void TsFading::SetIterations(int v) { iterations_ = ClampPercent(v); }
// A timer interval cannot be negative: such a value is refused with the
// range error and the interval stays.
void TsFading::SetIntervalIn(int v) {
  if (v < 0) throw ERangeError();
  interval_in_ = ClampPercent(v);
}
void TsFading::SetIntervalOut(int v) {
  if (v < 0) throw ERangeError();
  interval_out_ = ClampPercent(v);
}

void TsMaskedBorders::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  style_->RegionDirty = true;
  style_->ForgetAppliedRegion();
  style_->UpdateRegion();
  style_->Invalidate();
}

void TsMaskedBorders::SetPredefined(TsPredefinedBorders v) {
  if (v == predefined_) return;
  predefined_ = v;
  style_->ForgetAppliedRegion();
  style_->UpdateRegion();
  style_->Invalidate();
  style_->RegionDirty = true;
}

void TsMaskedBorders::SetMask(TsImage* mask) {
  mask_.Assign(mask);
  style_->ForgetAppliedRegion();
  style_->UpdateRegion();
  style_->Invalidate();
  predefined_ = TsPredefinedBorders::pdCustom;
  style_->RegionDirty = true;
}

}  // namespace skins
