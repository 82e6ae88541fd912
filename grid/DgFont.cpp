// TDgFont (see DgFont.h).
#include "grid/DgFont.h"

#include <cmath>

void TDgFont::Changed() {
  if (OnChange) OnChange(this);
}

void TDgFont::Assign(TPersistent* Source) {
  auto* f = dynamic_cast<TDgFont*>(Source);
  if (!f) {
    TPersistent::Assign(Source);
    return;
  }
  if (f == this) return;
  name_ = f->name_;
  height_ = f->height_;
  color_ = f->color_;
  style_ = f->style_;
  charset_ = f->charset_;
  Changed();
}

void TDgFont::SetName(const std::string& v) {
  if (v.empty() || v == name_) return;
  name_ = v;
  Changed();
}

void TDgFont::SetHeight(int v) {
  if (v == height_) return;
  height_ = v;
  Changed();
}

int TDgFont::Size() const {
  return -static_cast<int>(std::lround(height_ * 72.0 / PixelsPerInch));
}

void TDgFont::SetSize(int points) {
  SetHeight(-static_cast<int>(std::lround(points * static_cast<double>(PixelsPerInch) / 72.0)));
}

void TDgFont::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}

void TDgFont::SetStyle(TFontStyles v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TDgFont::SetCharset(int v) {
  if (v == charset_) return;
  charset_ = v;
  Changed();
}
