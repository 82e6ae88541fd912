// The painting of the painted styles: background (own, parent's pixels or a
// blend), the children's shadows of a shadow host, the control's own shadow
// into its parent's image, and the bevel of active styles (see
// sStyleUtilCore.h). Everything works on 24-bit rows and clips every read of
// another picture (the parent's image, a background picture) to it.
#include <algorithm>
#include <cstring>

#include "skins/sGradientCore.h"
#include "skins/sGraphUtilsCore.h"
#include "skins/sStyleUtilCore.h"

namespace skins {

namespace {

void Fill(const TPixels& p, const TRect& r, uint32_t rgb) {
  TPixels s = SubPixels(p, r);
  if (s.Empty()) return;
  const uint8_t b = static_cast<uint8_t>(rgb >> 16), g = static_cast<uint8_t>(rgb >> 8),
                red = static_cast<uint8_t>(rgb);
  for (int y = 0; y < s.height; ++y) {
    uint8_t* q = s.Row(y);
    for (int x = 0; x < s.width; ++x, q += 3) {
      q[0] = b;
      q[1] = g;
      q[2] = red;
    }
  }
}

// The picture repeated over r from its top-left corner; the last row and
// column of tiles are cut.
void Tile(const TPixels& target, const TRect& r, const TPixels& picture) {
  if (picture.Empty()) return;
  TPixels s = SubPixels(target, r);
  if (s.Empty()) return;
  // Tiles are anchored at r's corner even where r starts outside the target.
  const int ox = std::max(0, -r.Left), oy = std::max(0, -r.Top);
  for (int y = 0; y < s.height; ++y) {
    const uint8_t* src = picture.Row((y + oy) % picture.height);
    uint8_t* d = s.Row(y);
    for (int x = 0; x < s.width; ++x) std::memcpy(d + x * 3, src + ((x + ox) % picture.width) * 3, 3);
  }
}

// Keeps s percent of every pixel and mixes the colour in for the rest.
void MixOver(const TPixels& p, int s, uint32_t rgb) {
  const int c[3] = {static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                    static_cast<int>(rgb & 0xFF)};
  for (int y = 0; y < p.height; ++y) {
    uint8_t* q = p.Row(y);
    for (int x = 0; x < p.width; ++x, q += 3)
      for (int k = 0; k < 3; ++k) q[k] = static_cast<uint8_t>((q[k] * s + c[k] * (100 - s) + 50) / 100);
  }
}

// The parent's pixels under the control (its bounds b) into `into`; parts
// the parent's image does not cover are left as they are.
void CopyParent(const TPixels& into, const TParentBackground& p, const TRect& b) {
  const TRect src = Bounds(b.Left + p.x, b.Top + p.y, b.Width(), b.Height());
  TRect inside;
  if (!IntersectRect(inside, src, Rect(0, 0, p.bitmap.width, p.bitmap.height))) return;
  for (int y = inside.Top; y < inside.Bottom; ++y) {
    const int ty = y - src.Top;
    if (ty < 0 || ty >= into.height) continue;
    const int x0 = inside.Left, tx = x0 - src.Left;
    const int n = std::min(inside.Right, src.Left + into.width) - x0;
    if (n <= 0 || tx < 0) continue;
    std::memcpy(into.At(tx, ty), p.bitmap.At(x0, y), static_cast<size_t>(n) * 3);
  }
}

void CopyPixels(const TPixels& to, const TPixels& from) {
  const int rows = std::min(to.height, from.height), bytes = std::min(to.width, from.width) * 3;
  for (int y = 0; y < rows; ++y) std::memcpy(to.Row(y), from.Row(y), bytes);
}

}  // namespace

void PaintShadowRect(const TPixels& target, const TRect& r, TShadowShape shape, int radius,
                     int blur, TRgb color, int transparency) {
  TRect inside;
  if (target.Empty() || r.IsEmpty() || !IntersectRect(inside, r, Rect(0, 0, target.width, target.height)))
    return;
  // An opaque shadow is a plain fill of its colour; a fully transparent one
  // leaves the pixels.
  if (transparency <= 0) {
    Fill(target, inside, ColorOf(color));
    return;
  }
  if (transparency >= 100) return;
  // Shade a copy of the whole rectangle, then put back the part inside.
  TsMemoryImage work(r.Width(), r.Height());
  TPixels w = work.Pixels();
  CopyParent(w, TParentBackground{target, r.Left, r.Top, true}, Rect(0, 0, r.Width(), r.Height()));
  ShadowPixels(w, shape, radius, blur, color, transparency);
  for (int y = inside.Top; y < inside.Bottom; ++y)
    std::memcpy(target.At(inside.Left, y), w.At(inside.Left - r.Left, y - r.Top),
                static_cast<size_t>(inside.Width()) * 3);
}

// --- TsPaintStyle -----------------------------------------------------------------------

void TsPaintStyle::PaintStyleBevel(const TPixels& bitmap, const TRect& r, bool soft,
                                   TsControlBevel kind, int width) {
  PaintControlBevel(bitmap, r, width, soft, kind);
}

void TsPaintStyle::PaintShadow(const TPixels& target, int dx, int dy) {
  if (!owner_ || target.Empty() || painting_.Transparency() > 100) return;
  TsShadow* sh = Effects()->Shadow();
  TRect r = owner_->BoundsRect();
  r.Offset(sh->Offset(), sh->Offset());
  if (KindCode == kind::TabControl) r.Top += owner_->CaptionOffset();
  r.Offset(dx, dy);
  const int a = kind::SeeThrough(KindCode) && painting_.Transparency() > 0 ? painting_.Transparency() : 0;
  const int t = SumTransparency(a, sh->Transparency());
  PaintShadowRect(target, r, TShadowShape::RoundRect, SoftControl() ? 6 : 0, sh->Blur(),
                  RgbOf(owner_->ColorToRgb(sh->Color())), t);
}

// --- TsPassiveBGStyle -------------------------------------------------------------------

void TsPassiveBGStyle::PaintOwnBackground(const TPixels& b, const TRect& r) {
  const int ip = GetImagePercent(), gp = GetGradientPercent();
  const uint32_t c = GetColor();
  bool picture = false;
  if (ip > 0) {
    TsImage* image = GetImage();
    TPixels pic = image ? image->Pixels() : TPixels{};
    if (!pic.Empty()) {
      Tile(b, r, pic);
      picture = true;
    } else {
      Fill(b, r, c);
    }
  }
  if (gp > 0) {
    const TsGradArray& bands = GetGradientData();
    if (picture) {
      TsMemoryImage second(b.width, b.height);
      TPixels s = second.Pixels();
      CopyPixels(s, b);
      if (bands.empty())
        Fill(s, r, c);
      else
        PaintGradient(s, r, bands);
      BlendBitmaps(b, s, static_cast<uint32_t>(std::min(ip * 256 / 100, 255)));
    } else if (bands.empty()) {
      Fill(b, r, c);
    } else {
      PaintGradient(b, r, bands);
    }
  }
  const int s = ip + gp;
  if (s >= 1 && s <= 99)
    MixOver(b, s, c);
  else if (s != 100)
    Fill(b, r, c);
}

void TsPassiveBGStyle::PaintWithParent(const TPixels& target, const TRect& r, int t) {
  const TParentBackground p = GetParentBackground();
  const bool parent = p.valid && !p.bitmap.Empty();
  const TRect b = owner_->BoundsRect();
  if (!parent || t <= 0) {
    PaintOwnBackground(target, r);
    return;
  }
  // Beyond fully transparent nothing is painted: what the image holds stays.
  if (t > 100) return;
  if (t == 100) {
    // Where the parent's image does not reach, the own background shows.
    const TRect src = Bounds(b.Left + p.x, b.Top + p.y, b.Width(), b.Height());
    TRect inside;
    IntersectRect(inside, src, Rect(0, 0, p.bitmap.width, p.bitmap.height));
    if (inside != src) PaintOwnBackground(target, r);
    CopyParent(target, p, b);
    return;
  }
  PaintOwnBackground(target, r);
  TsMemoryImage temp(target.width, target.height);
  TPixels tp = temp.Pixels();
  CopyPixels(tp, target);
  CopyParent(tp, p, b);
  BlendBitmaps(target, tp, static_cast<uint32_t>((100 - t) * 255 / 100));
}

void TsPassiveBGStyle::PaintBG(const TPixels& target) {
  if (!owner_ || target.Empty()) return;
  PaintScope scope(this);
  const TRect b = owner_->BoundsRect();
  PaintWithParent(target, Rect(0, 0, b.Width(), b.Height()), Painting()->Transparency());
  if (kind::ShadowHost(KindCode)) {
    for (TsGenStyle* child : owner_->ChildStyles()) {
      if (child->KindCode > 0 && child->Effects()->Shadow()->Enabled() && child->Owner() &&
          child->Owner()->Visible())
        child->PaintShadow(target, 0, 0);
    }
  }
  if (Cache() && target.bits == Cache()->Pixels().bits) MarkPainted();
}

// --- TsActiveBGStyle --------------------------------------------------------------------

void TsActiveBGStyle::PaintBG(const TPixels& target) {
  if (!owner_ || !IsHot()) {
    TsPassiveBGStyle::PaintBG(target);
    return;
  }
  TPixels cache = Cache() ? Cache()->Pixels() : TPixels{};
  if (cache.Empty()) return;
  PaintScope scope(this);
  const TRect b = owner_->BoundsRect();
  TRect r = Rect(0, 0, b.Width(), b.Height());
  if (kind::IsButton(KindCode) && owner_->Down()) {
    // A pressed button's face moves one pixel right and down.
    Fill(cache, r, GetColor());
    r.Offset(1, 1);
  }
  // The hot background takes the same steps as the normal one, the colour
  // filled where a picture share has no picture included: a hot look never
  // shows the pixels left over from the image before.
  PaintWithParent(cache, r, hot_style_.HotPainting()->Transparency());
  MarkPainted();
}

void TsActiveBGStyle::PaintBevel(const TRect& r) {
  TPixels cache = Cache() ? Cache()->Pixels() : TPixels{};
  if (!owner_ || cache.Empty()) return;
  const bool soft = SoftControl();
  const bool button = kind::IsButton(KindCode), down = button && owner_->Down();
  if (IsHot()) {
    if (down && owner_->DownBevelApplies(r)) {
      const int w = GetBevelWidth() / 4 + 1;
      PaintStyleBevel(cache, r, soft, TsControlBevel::cbLoweredSoft, w);
      const TRect strip = owner_->DownBevelStrip(r);
      if (!strip.IsEmpty()) PaintStyleBevel(cache, strip, soft, TsControlBevel::cbLoweredSoft, w);
    } else {
      PaintStyleBevel(cache, r, soft, GetBevel(), GetBevelWidth());
    }
  } else {
    const int width = button ? owner_->ButtonBevelWidth() : 1;
    TsControlBevel k = GetBevel();
    if (k != TsControlBevel::cbNone) {
      if (down && k == TsControlBevel::cbRaisedSoft) k = TsControlBevel::cbLoweredSoft;
      if (down && k == TsControlBevel::cbRaisedHard) k = TsControlBevel::cbLoweredHard;
      PaintStyleBevel(cache, r, soft, k, width);
    }
  }
  if (owner_->ActsAsDefault()) DrawBevelLinesPixels(cache, 0, 0, false, 0, 1, r);
}

}  // namespace skins
