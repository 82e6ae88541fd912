// The grid model's picture (see DgBitmap.h).
#include "grid/DgBitmap.h"

void TDgBitmap::SetPixmap(TDgPixmap Pixmap) {
  if (Pixmap.Empty()) Pixmap = TDgPixmap();
  pixmap_ = std::move(Pixmap);
  if (OnChange) OnChange(this);
}

TColor TDgBitmap::TransparentColor() const {
  if (pixmap_.Empty()) return clNone;
  return TColor(pixmap_.At(0, pixmap_.Height - 1) & 0xFFFFFF);
}

void TDgBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    return;
  }
  auto* b = dynamic_cast<TDgBitmap*>(Source);
  if (!b) {
    TPersistent::Assign(Source);
    return;
  }
  if (b != this) SetPixmap(b->pixmap_);
}
