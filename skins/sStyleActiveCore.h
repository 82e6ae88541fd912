// The parts of the painted styles: the background (picture and gradient with
// their shares in percent), the hot look of active controls (hot background
// and hot painting), and the effects of buttons and track bars (fading and
// masked borders). Portable.
//
// A background's picture and gradient share at most 100 %: raising one
// lowers the other to what is left. Changes under the style's Background
// invalidate the style; the hot background belongs to no style this way and
// its changes invalidate nothing (the hot look is painted fresh each time).
#pragma once

#include <string>

#include "classlib/DrawTypes.h"
#include "skins/sConst.h"
#include "skins/sGradientCore.h"
#include "skins/sStyleSimplyCore.h"

namespace skins {

class TsHotBackground;

// What the picture and the gradient of a background share: their background.
class TsBGAddon {
 public:
  explicit TsBGAddon(TsHotBackground* owner) : owner_(owner) {}
  TsHotBackground* Background() const { return owner_; }

 protected:
  void Changed();
  TsHotBackground* owner_;
};

class TsBGImage : public TsBGAddon {
 public:
  using TsBGAddon::TsBGAddon;
  TsMemoryImage* Image() { return &image_; }
  // Copies the picture (null empties it).
  void SetImage(TsImage* picture);
  const std::string& ImageName() const { return image_name_; }
  // Taken only when the file exists; the picture is loaded from it by its
  // extension (.bmp, .jpg, .jpeg). A file that does not load leaves the
  // picture as it was.
  void SetImageName(const std::string& v);
  TPercent Percent() const { return percent_; }
  void SetPercent(int v);

  // Loads a picture file into `into`, touching it only on success (set by
  // the Windows side; none natively).
  static bool (*LoadPicture)(const std::string& file, TsMemoryImage& into);

 private:
  friend class TsBGGradient;
  TsMemoryImage image_;
  std::string image_name_;
  TPercent percent_ = 0;
};

class TsBGGradient : public TsBGAddon {
 public:
  using TsBGAddon::TsBGAddon;
  const TsGradientData& Data() const { return data_; }
  // Parses, then stores; a malformed number raises the conversion error and
  // keeps the text and bands that were there.
  void SetData(const TsGradientData& v);
  TPercent Percent() const { return percent_; }
  void SetPercent(int v);
  const TsGradArray& Gradient() const { return gradient_; }

 private:
  friend class TsBGImage;
  TsGradientData data_;
  TPercent percent_ = 70;
  TsGradArray gradient_;
};

class TsHotBackground {
 public:
  // `style`: the style its changes invalidate (none for a hot background).
  explicit TsHotBackground(TsGenStyle* style = nullptr) : style_(style) {}
  virtual ~TsHotBackground() = default;
  TsBGImage* Image() { return &image_; }
  TsBGGradient* Gradient() { return &gradient_; }
  TsGenStyle* Style() const { return style_; }

 private:
  TsGenStyle* style_;
  TsBGImage image_{this};
  TsBGGradient gradient_{this};
};

class TsBackground : public TsHotBackground {
 public:
  using TsHotBackground::TsHotBackground;
  // Takes pictures sent by a group component (none exists here).
  bool ListenMSG() const { return listen_msg_; }
  void SetListenMSG(bool v) { listen_msg_ = v; }

 private:
  bool listen_msg_ = false;
};

class TsHotPainting {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  TColor FontColor() const { return font_color_; }
  void SetFontColor(TColor v) { font_color_ = v; }
  TFontStyles FontStyle() const { return font_style_; }
  void SetFontStyle(TFontStyles v) { font_style_ = v; }
  TPercent Transparency() const { return transparency_; }
  void SetTransparency(int v);
  TsControlBevel Bevel() const { return bevel_; }
  void SetBevel(TsControlBevel v) { bevel_ = v; }
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int v) { bevel_width_ = v; }

 private:
  TColor color_ = 0xCFB78F, font_color_ = 0;
  TFontStyles font_style_;
  TPercent transparency_ = 0;
  TsControlBevel bevel_ = TsControlBevel::cbRaisedSoft;
  int bevel_width_ = 5;
};

class TsHotStyle {
 public:
  TsHotBackground* HotBackground() { return &hot_background_; }
  TsHotPainting* HotPainting() { return &hot_painting_; }

 private:
  TsHotBackground hot_background_;
  TsHotPainting hot_painting_;
};

class TsFading {
 public:
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  TPercent Iterations() const { return iterations_; }
  void SetIterations(int v);
  // Milliseconds between fade steps, at most 100; a negative value raises
  // ERangeError.
  TPercent IntervalIn() const { return interval_in_; }
  void SetIntervalIn(int v);
  TPercent IntervalOut() const { return interval_out_; }
  void SetIntervalOut(int v);

 private:
  bool enabled_ = true;
  TPercent iterations_ = 5, interval_in_ = 5, interval_out_ = 5;
};

class TsMaskedBorders {
 public:
  explicit TsMaskedBorders(TsGenStyle* style) : style_(style) {}
  // A mask of its own; used while Predefined is pdCustom and it has a width.
  TsMemoryImage* Mask() { return &mask_; }
  // Copies the mask in; Predefined becomes pdCustom.
  void SetMask(TsImage* mask);
  TsPredefinedBorders Predefined() const { return predefined_; }
  void SetPredefined(TsPredefinedBorders v);
  TColor TransparentColor() const { return transparent_color_; }
  void SetTransparentColor(TColor v) { transparent_color_ = v; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

 private:
  TsGenStyle* style_;
  TsMemoryImage mask_;
  TsPredefinedBorders predefined_ = TsPredefinedBorders::pdBorder1;
  TColor transparent_color_ = 0xFF00FF;
  bool enabled_ = true;
};

class TsActiveEffects {
 public:
  explicit TsActiveEffects(TsGenStyle* style) : masked_borders_(style) {}
  TsFading* Fading() { return &fading_; }
  TsMaskedBorders* MaskedBorders() { return &masked_borders_; }

 private:
  TsFading fading_;
  TsMaskedBorders masked_borders_;
};

}  // namespace skins
