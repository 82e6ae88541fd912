// TsCheckedControl: the painted base of the skinned check-style controls: a
// glyph (built-in "RCC".."CUH" pictures, an image list, or custom strips of
// three frames: normal, hot, pressed) and a caption, drawn into its style's
// image (a TsStyle, kind 31) and copied to the window. TsRadioButton
// (sRadioButton.h) makes checking exclusive among its siblings.
//
// A press by the left button or Space completes on release, wherever the
// pointer is then, and toggles through the checked filter; OnChange follows
// every completed press (also when the filter kept the value) and never a
// change made by code. ReadOnly and disabled controls change nothing. The
// three-valued state follows Checked. Bound to an action (Action), the
// control shows its caption, hint, enabled and visible state, and a click
// runs it unless OnClick is set. OnKeyDown is the style's key handler
// (KeysNextControl and KeysPrevControl move the focus) until the form binds
// its own.
#pragma once

#include "classlib/WinApi.h"

#include <memory>

#include "classlib/Controls.h"
#include "classlib/ImgList.h"
#include "skins/sCheckedControlCore.h"
#include "skins/sControlLook.h"
#include "skins/sPictures.h"
#include "skins/sStyleEditsCore.h"
#include "skins/sStyleSimply.h"

namespace skins {

class TsCheckedControl : public TCustomControl, public ISkinnedControl {
 public:
  explicit TsCheckedControl(TComponent* AOwner);
  ~TsCheckedControl() override;

  bool Checked() const { return checked_; }
  virtual void SetChecked(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TCheckAreaLayout Layout() const { return layout_; }
  void SetLayout(TCheckAreaLayout v);
  bool MultiLine() const { return multi_line_; }
  void SetMultiLine(bool v);
  bool ShowFocus() const { return show_focus_; }
  void SetShowFocus(bool v);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v) { read_only_ = v; }
  virtual bool GetReadOnly() const { return read_only_; }
  TsDisabledKind DisabledKind() const { return disabled_kind_; }
  void SetDisabledKind(TsDisabledKind v);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* v);
  int ImgChecked() const { return img_checked_; }
  void SetImgChecked(int v);
  int ImgUnchecked() const { return img_unchecked_; }
  void SetImgUnchecked(int v);
  int ImgCheckedHot() const { return img_checked_hot_; }
  void SetImgCheckedHot(int v) { img_checked_hot_ = v; }
  int ImgUncheckedHot() const { return img_unchecked_hot_; }
  void SetImgUncheckedHot(int v) { img_unchecked_hot_ = v; }
  TBitmap* GlyphChecked() { return &glyph_checked_; }
  void SetGlyphChecked(TBitmap* v);
  TBitmap* GlyphUnChecked() { return &glyph_unchecked_; }
  void SetGlyphUnChecked(TBitmap* v);
  TsStyle* sStyle() { return style_.get(); }
  // The three-valued state is the control's own: no form streams it and
  // nothing outside sets it; Checked is what the windows use.
  TCheckState State() const { return state_; }
  void SetState(TCheckState v);
  bool Pressed() const { return press_.Pressed(); }

  TNotifyEvent OnChange;

  void Invalidate() override;
  TsGenStyle* SkinStyle() override { return style_.get(); }
  void AfterConstruction() override;
  void Loaded() override;

 protected:
  // The value to store when `requested` is asked of the checked setter.
  virtual bool CheckedFilter(bool requested) { return requested; }
  virtual void ToggleState();
  void WndProc(TMessage& Message) override;
  void HandleMessage(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // An enabled shadow goes first and the parent repaints without it.
  void BeforeDestruction() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  std::unique_ptr<TsWinOwner> owner_;
  std::unique_ptr<TsStyle> style_;
  bool checked_ = false;
  TCheckState state_ = TCheckState::Unchecked;

 private:
  friend class TsCheckedOwner;
  void Toggle();
  void BuildImage();
  TSize GlyphSize();
  TBitmap* CustomGlyph();
  TRect GlyphRect();
  void PaintGlyph(TBitmap* image, const TRect& r);

  TsPicturesUse pictures_;
  TCheckPress press_;
  TAlignment alignment_ = taLeftJustify;
  TCheckAreaLayout layout_ = TCheckAreaLayout::calLeft;
  bool multi_line_ = false, show_focus_ = false, read_only_ = false;
  TsDisabledKind disabled_kind_{TsDisabledKindItem::dkBlended};
  TImageList* images_ = nullptr;
  int img_checked_ = 0, img_unchecked_ = 0, img_checked_hot_ = 0, img_unchecked_hot_ = 0;
  TBitmap glyph_checked_, glyph_unchecked_;
  static constexpr int kTextMargin = 3;
};

}  // namespace skins
