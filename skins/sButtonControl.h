// TsButtonControl: the painted push button of the skinned controls. It
// draws its face (the "BORD1" mask's normal, hot or pressed state, which
// also rounds its window), an image-list glyph and its caption into its
// style's image (a TsActiveBGStyle, kind 91), copies that to the window,
// and cross-fades between its normal and hot images with a TFadeTimer.
//
// A press with the left button shows the pressed face; the release clicks
// when the pointer is still over the button. Losing the focus releases it.
// Only the push kind exists: grouped, drop-down and separator kinds have no
// way in. Glyphs come from image lists that code sets, or from the list of
// the button's action when it has none of its own (TsButtonActionLink: the
// button follows its action's caption, hint, enabled state, checked state
// as Down, and image index). An enabled glyph shows in grey while the
// button is not hot when GrayHot is set, and lets GlyphBlend percent of
// the face show through it while not hot; a disabled one is greyed and/or
// blended half-way with the face as DisabledGlyphKind says. The glyph's
// bottom-left pixel gives its transparent colour, which greying keeps. While
// a fade runs, painting shows the image as it stands; the disabled look is
// laid on an image only when it is rebuilt.
#pragma once

#include "classlib/WinApi.h"

#include <memory>

#include "classlib/ActnList.h"
#include "classlib/Controls.h"
#include "classlib/ImgList.h"
#include "skins/sButtonControlCore.h"
#include "skins/sControlLook.h"
#include "skins/sFadeTimer.h"
#include "skins/sPictures.h"
#include "skins/sStyleSimply.h"
#include "skins/sStyleUtilCore.h"

namespace skins {

// How a disabled button's glyph is drawn: blended half-way with the face,
// turned grey, both, or as it is.
enum class TsDisabledGlyphKindItem { dgBlended, dgGrayed };
using TsDisabledGlyphKind = TSet<TsDisabledGlyphKindItem>;

class TsButtonControl;

// Ties a TsButtonControl to its action: the caption and image index follow
// the action's, its Checked becomes the button's Down.
class TsButtonActionLink : public TControlActionLink {
 public:
  explicit TsButtonActionLink(TsButtonControl* AClient);
  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsImageIndexLinked() override;
  void SetCaption(const std::string& Value) override;
  void SetChecked(bool Value) override;
  void SetImageIndex(int Value) override;

 private:
  TsButtonControl* button_;
};

class TsButtonControl : public TCustomControl, public ISkinnedControl, public IFadeTarget {
 public:
  explicit TsButtonControl(TComponent* AOwner);
  ~TsButtonControl() override;

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int v);
  int Margin() const { return margin_; }
  void SetMargin(int v);
  TsDisabledKind DisabledKind() const { return disabled_kind_; }
  void SetDisabledKind(TsDisabledKind v);
  TsActiveBGStyle* sStyle() { return style_.get(); }
  // The glyph's lists (normal, hot, disabled) and index; none by default.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* v);
  TImageList* HotImages() const { return hot_images_; }
  void SetHotImages(TImageList* v);
  TImageList* DisabledImages() const { return disabled_images_; }
  void SetDisabledImages(TImageList* v);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int v);
  TsDisabledGlyphKind DisabledGlyphKind() const { return disabled_glyph_kind_; }
  void SetDisabledGlyphKind(TsDisabledGlyphKind v);
  bool GrayHot() const { return gray_hot_; }
  void SetGrayHot(bool v);
  // 0..100 (held there).
  int GlyphBlend() const { return glyph_blend_; }
  void SetGlyphBlend(int v);

  bool Down() const { return down_; }
  void SetDown(bool v);
  // Whether the caption shows (always for the control itself).
  virtual bool ShowCaption() const { return true; }
  // Acts as the form's default button now (TsButton).
  virtual bool ActsAsDefault() const { return false; }
  // Is the form's default button by its Default property (TsButton).
  virtual bool Default() const { return false; }
  TFadeTimer* FadeTimer() { return timer_.get(); }
  int RegionApplications() const { return region_.Applications(); }
  // How many times the image was built (a test seam).
  int ImageBuilds() const { return image_builds_; }

  void Invalidate() override;
  TsGenStyle* SkinStyle() override { return style_.get(); }
  void AfterConstruction() override;
  void Loaded() override;

 protected:
  void WndProc(TMessage& Message) override;
  void BeforeDestruction() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  TControlActionLink* CreateActionLink() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The caption's focus mark (TsButton).
  virtual void PaintFocus(TCanvas* canvas, const TRect& captionRect) {}
  // Background, face, glyph and caption into the image.
  void BuildImage();
  TButtonGeometry Geometry(TCanvas* canvas, TSize& caption);
  void AdjustSize();

  std::unique_ptr<TsWinOwner> owner_;
  std::unique_ptr<TsActiveBGStyle> style_;

 private:
  friend class TsButtonOwner;
  friend class TsButtonActionLink;
  TImageList* CurrentImages();
  void ForgetList(TImageList* old);
  void PaintGlyph(TBitmap* image, TPoint at);
  void PaintCaption(TCanvas* canvas, const TRect& r);
  bool FadeTargetAlive() override;
  void FadeSwapImages() override;
  void FadeRepaint() override;
  void FadePaintStep(TFadeMode direction, int weight) override;

  TsPicturesUse pictures_;
  std::unique_ptr<TFadeTimer> timer_;
  TBitmap previous_;
  TBitmap fade_blend_;  // the fade step's scratch image, kept between steps
  TMaskRegion region_;
  TChangeLink images_link_;  // repaints when the normal list changes
  TImageList *images_ = nullptr, *hot_images_ = nullptr, *disabled_images_ = nullptr;
  TsDisabledGlyphKind disabled_glyph_kind_{TsDisabledGlyphKindItem::dgBlended};
  int image_index_ = -1;
  bool gray_hot_ = false;
  int glyph_blend_ = 0;
  bool auto_size_ = false;
  int bevel_width_ = 2, margin_ = 0;
  TsDisabledKind disabled_kind_{TsDisabledKindItem::dkBlended};
  bool down_ = false;
  int image_builds_ = 0;
};

}  // namespace skins
