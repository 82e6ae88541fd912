// TsCustomLabel and TsLabel: a text label that is a window of its own, so it
// can sit above skinned containers and show their painted image through
// itself.
//
// Transparent (the default): the label copies the part of its parent's
// image that lies under it, when the parent is a skinned container with an
// image; on any other parent it fills itself with Color. AutoSize fits the
// label to its caption as the class library's TLabel measures it; a
// right-aligned label keeps its right edge. Every sizing sends the label
// behind its siblings. A value set before the label has a parent is kept and
// takes effect once it has one. A left press, and the caption's accelerator
// (Alt with it, or the key alone where the focused control takes no
// characters), move the focus to FocusControl, while ShowAccelChar is on.
//
// NewStyleCaptionLabel makes the caption label of a skinned editor's style: a
// TsLabel owned by the control, in the control's parent, focusing the control.
// It may be freed with the parent before the style lets it go; the style's
// handle then does nothing.
#pragma once

#include <memory>

#include "classlib/Controls.h"
#include "classlib/StdCtrls.h"
#include "skins/sCustomLabelCore.h"
#include "skins/sStyleSimplyCore.h"

namespace skins {

class TsCustomLabel : public TCustomControl {
 public:
  explicit TsCustomLabel(TComponent* AOwner);

  TWinControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(TWinControl* v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout v);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v);
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  void SetParent(TWinControl* AParent) override;

  // Fits the bounds to the caption (with AutoSize) and sends the label back.
  virtual void AdjustBounds();

 protected:
  virtual std::string LabelText() { return Caption(); }
  // Draws the label's text into r with the draw-text flags (DT_CALCRECT
  // measures into r instead).
  virtual void DoDrawText(TRect& r, uint32_t flags);
  void Paint() override;
  void HandleMessage(TMessage& Message) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  // Parented, not loading, not being destroyed.
  bool Ready() const;
  // Copies the parent's image under the label; false when there is none.
  bool PaintParentImage();
  void Changed(bool adjust);
  TWinControl* focus_control_ = nullptr;
  TAlignment alignment_ = taLeftJustify;
  bool auto_size_ = true;
  TTextLayout layout_ = tlTop;
  bool word_wrap_ = false, show_accel_char_ = true, transparent_ = true;
  bool hot_ = false;
};

class TsLabel : public TsCustomLabel {
 public:
  using TsCustomLabel::TsCustomLabel;
};

// The caption label beside `control`, named after it ("sEdit1Label").
std::unique_ptr<TsCaptionLabel> NewStyleCaptionLabel(TWinControl* control);

} // namespace skins
