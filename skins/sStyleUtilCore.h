// The painted styles: TsPaintStyle (colour, bevel and transparency in
// TsPainting; the shadow painted into the parent's image), TsPassiveBGStyle
// (the background of panels and group boxes) and TsActiveBGStyle (buttons and
// track bars: a hot look, fading and masked borders). Portable: the painting
// works on 24-bit rows (TPixels) and reads the parent's image through the
// owner.
//
// Every look value goes through the getters (GetColor, GetBevel, ...), which
// an active style answers from its hot look while IsHot holds. A transparency
// of 0 paints the style's own background, 100 shows the parent's image under
// the control, values between blend the two; above 100 (a painting's
// transparency may be) the background is left as it stands.
#pragma once

#include "skins/sStyleActiveCore.h"
#include "skins/sStyleSimplyCore.h"

namespace skins {

class TsPaintStyle;

// The look of a painted style (named TsPainting where the look of an editor
// style is TsEditorPainting).
class TsPainting {
 public:
  explicit TsPainting(TsPaintStyle* style) : style_(style) {}
  TsControlBevel Bevel() const { return bevel_; }
  void SetBevel(TsControlBevel v);
  // Kept as given: above 100 the control paints no background of its own
  // over a skinned parent's and casts no shadow; 0 or below is opaque.
  int Transparency() const { return transparency_; }
  void SetTransparency(int v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool v);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int v) { bevel_width_ = v; }

 private:
  friend class TsPaintStyle;
  TsPaintStyle* style_;
  TsControlBevel bevel_ = TsControlBevel::cbRaisedSoft;
  int transparency_ = 0;
  TColor color_ = 0xCAC2B7;
  bool parent_color_ = true;
  int bevel_width_ = 0;
};

class TsPaintStyle : public TsGenStyle {
 public:
  explicit TsPaintStyle(TsStyleOwner* owner, bool with_cache = true);
  TsPainting* Painting() { return &painting_; }
  void WndProc(TsMessage& m) override;
  void PaintShadow(const TPixels& target, int dx, int dy) override;
  // The bevel of the painted styles into r of `bitmap`.
  void PaintStyleBevel(const TPixels& bitmap, const TRect& r, bool soft, TsControlBevel kind,
                       int width);

 private:
  TsPainting painting_{this};
};

class TsPassiveBGStyle : public TsPaintStyle {
 public:
  explicit TsPassiveBGStyle(TsStyleOwner* owner, bool with_cache = true);
  TsBackground* Background() { return &background_; }

  // The look, as painting uses it (RGB colour, 0x00BBGGRR).
  virtual uint32_t GetColor();
  virtual TsControlBevel GetBevel();
  virtual int GetBevelWidth();
  virtual int GetGradientPercent();
  virtual const TsGradArray& GetGradientData();
  virtual int GetImagePercent();
  // The background picture (empty when there is none).
  virtual TsImage* GetImage();

  void WndProc(TsMessage& m) override;
  // The control's whole background into `target` (the cache, normally):
  // own background, parent's pixels or a blend of both, then (for a shadow
  // host) the shadows of its children.
  virtual void PaintBG(const TPixels& target);

 protected:
  // The own background in r of b: picture, gradient and colour by their
  // percentages.
  void PaintOwnBackground(const TPixels& b, const TRect& r);
  // Own background and parent's pixels by transparency t (0..100).
  void PaintWithParent(const TPixels& target, const TRect& r, int t);

 private:
  TsBackground background_{this};
};

class TsActiveBGStyle : public TsPassiveBGStyle {
 public:
  explicit TsActiveBGStyle(TsStyleOwner* owner, bool with_cache = true);
  TsHotStyle* HotStyle() { return &hot_style_; }
  TsActiveEffects* BtnEffects() { return &btn_effects_; }

  uint32_t GetColor() override;
  TsControlBevel GetBevel() override;
  int GetBevelWidth() override;
  int GetGradientPercent() override;
  const TsGradArray& GetGradientData() override;
  int GetImagePercent() override;
  TsImage* GetImage() override;

  bool FadingEnabled() { return btn_effects_.Fading()->Enabled(); }
  int FadeIntervalIn() { return btn_effects_.Fading()->IntervalIn(); }
  int FadeIterations() { return btn_effects_.Fading()->Iterations(); }
  int FadeIntervalOut() { return btn_effects_.Fading()->IntervalOut(); }

  // While hot, the hot background always goes into the cache.
  void PaintBG(const TPixels& target) override;
  // The bevel (and a default button's frame) into the cache.
  void PaintBevel(const TRect& r);
  // Without masked borders the cut-corner region is checked on every call
  // (and applied only when it changed).
  void UpdateRegion() override;

 private:
  TsHotStyle hot_style_;
  TsActiveEffects btn_effects_{this};
};

}  // namespace skins
