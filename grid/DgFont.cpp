// TDgFont (see DgFont.h).
#include "grid/DgFont.h"

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
  desc_ = f->desc_;
  Changed();
}

void TDgFont::SetName(const std::string& v) {
  if (v.empty() || v == desc_.Name) return;
  desc_.Name = v;
  Changed();
}

void TDgFont::SetHeight(int v) {
  if (v == desc_.Height) return;
  desc_.Height = v;
  Changed();
}

void TDgFont::SetColor(TColor v) {
  if (v == desc_.Color) return;
  desc_.Color = v;
  Changed();
}

void TDgFont::SetStyle(TFontStyles v) {
  if (v == desc_.Style) return;
  desc_.Style = v;
  Changed();
}

void TDgFont::SetCharset(int v) {
  if (v == desc_.Charset) return;
  desc_.Charset = v;
  Changed();
}
