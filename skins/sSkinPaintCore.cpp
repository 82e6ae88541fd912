// Painting a section of the skin: what the controls would show with a
// loaded skin. Reached only while the skin is active.
#include <algorithm>

#include "classlib/SysUtils.h"
#include "skins/sBordersCore.h"
#include "skins/sGradientCore.h"
#include "skins/sSkinDataCore.h"

namespace skins {

namespace {

void FillPixels(const TPixels& p, TRgb c) {
  for (int y = 0; y < p.height; ++y) {
    uint8_t* d = p.Row(y);
    for (int x = 0; x < p.width; ++x, d += 3) {
      d[0] = c.b;
      d[1] = c.g;
      d[2] = c.r;
    }
  }
}

// The section's picture for the state: a mask (its picture half drawn
// through its weights) or else a pattern (copied as it is), tiled over the
// whole of `target`. False when the section has none.
bool TilePicture(int section, const std::string& name, bool hot, const TPixels& target) {
  const TsSkinData& skin = SkinData();
  const char* property = hot ? kHotImageFile : kImageFile;
  const int m = MaskIndex(section, name, property);
  if (MaskValid(m)) {
    const TPixels mask = skin.MaskData[m].bitmap.View();
    const int w = mask.width, h = mask.height / 2;
    if (w <= 0 || h <= 0) return false;
    for (int y = 0; y < target.height; y += h)
      for (int x = 0; x < target.width; x += w)
        MaskedDraw(TRect{x, y, x + w, y + h}, TRect{0, 0, w, h}, target, kNoParentBackground,
                   mask);
    return true;
  }
  const int p = PatternIndex(section, name, property);
  if (p < 0 || static_cast<size_t>(p) >= skin.PatternData.size()) return false;
  const TPixels pattern = skin.PatternData[p].bitmap.View();
  if (pattern.Empty()) return false;
  for (int y = 0; y < target.height; y += pattern.height)
    for (int x = 0; x < target.width; x += pattern.width)
      CopyExceptColor(target, pattern, x, y, kNoTransparentColor);
  return true;
}

// The section's own background over the whole of `b`.
void PaintBackground(int section, const std::string& name, const TsSectionLook& look, bool hot,
                     const TPixels& b) {
  const int ip = look.image_percent, gp = look.gradient_percent;
  const bool picture = ip > 0 && TilePicture(section, name, hot, b);
  // A picture asked for but missing leaves the colour, as the style's own
  // background does.
  if (ip > 0 && !picture) FillPixels(b, look.color);
  if (gp > 0) {
    TsGradArray bands;
    try {
      bands = ParseGradient(look.gradient);
    } catch (const Exception&) {
      // A section's bad gradient paints as no gradient.
    }
    if (picture) {
      TsSkinBitmap gradient(b.width, b.height);
      const TPixels g = gradient.View();
      if (bands.empty())
        FillPixels(g, look.color);
      else
        PaintGradient(g, TRect{0, 0, b.width, b.height}, bands);
      BlendBitmaps(b, g, static_cast<uint32_t>(std::min(ip * 256 / 100, 255)));
    } else if (bands.empty()) {
      FillPixels(b, look.color);
    } else {
      PaintGradient(b, TRect{0, 0, b.width, b.height}, bands);
    }
  }
  const int sum = ip + gp;
  if (sum >= 1 && sum <= 99)
    BlendRectToColor(b, TRect{0, 0, b.width - 1, b.height - 1}, sum, look.color);
  else if (sum != 100)
    FillPixels(b, look.color);
}

// The parent's pixels under `area` of the bitmap copied into `target` (the
// same area, already clipped to the bitmap).
void CopyParent(const TParentBackground& parent, const TRect& area, const TPixels& target) {
  CopyExceptColor(target, parent.bitmap, -(area.Left + parent.x), -(area.Top + parent.y),
                  kNoTransparentColor);
}

}  // namespace

void PaintSection(int section, const std::string& section_name, const TParentBackground& parent,
                  const TPixels& bitmap, TPoint offset, const TRect& r, bool hot) {
  if (!SectionValid(section) || bitmap.Empty()) return;
  TRect area;
  if (!IntersectRect(area, r, TRect{0, 0, bitmap.width, bitmap.height})) return;
  const TsSkinSection& s = SkinData().Sections[section];
  const TsSectionLook& look = hot ? s.hot : s.normal;
  TParentBackground under = parent;
  under.x += offset.X;
  under.y += offset.Y;
  const bool has_parent = under.valid && !under.bitmap.Empty();
  const TPixels target = SubPixels(bitmap, area);
  const int t = std::clamp(look.transparency, 0, 100);
  if (!has_parent || t == 0) {
    PaintBackground(section, section_name, look, hot, target);
    return;
  }
  // Where the parent's picture does not reach, the own background stands
  // alone; elsewhere the parent keeps t percent.
  TsSkinBitmap own(area.Width(), area.Height());
  PaintBackground(section, section_name, look, hot, own.View());
  CopyExceptColor(target, own.View(), 0, 0, kNoTransparentColor);
  CopyParent(under, area, target);
  if (t == 100) return;
  const uint32_t w = static_cast<uint32_t>(t * 255 / 100);
  BlendOffset(bitmap, own.View(), w | w << 8 | w << 16, TPoint{area.Left, area.Top},
              TRect{0, 0, area.Width(), area.Height()});
}

void PaintSectionWithBorders(int section, const std::string& section_name,
                             const TParentBackground& parent, const TPixels& bitmap, TPoint offset,
                             const TRect& r, bool hot, int state, bool fill_centre) {
  if (!SectionValid(section) || bitmap.Empty()) return;
  TRect area;
  if (!IntersectRect(area, r, TRect{0, 0, bitmap.width, bitmap.height})) return;
  PaintSection(section, section_name, parent, bitmap, offset, area, hot);
  const int m = MaskIndex(section, section_name, kBordersMask);
  if (!MaskValid(m)) return;
  TParentBackground under = parent;
  under.x += offset.X;
  under.y += offset.Y;
  DrawBorderCells(bitmap, SkinData().MaskData[m].bitmap.View(), state, under, fill_centre, area);
}

}  // namespace skins
