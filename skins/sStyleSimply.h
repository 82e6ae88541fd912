// The Windows side of the style model: what binds a style to its control.
//
// - ISkinnedControl: what every skinned control is. A control answers the
//   style query (0xA000) by message, and callers that need its style or
//   common data find them through this typed interface (dynamic_cast), never
//   through a pointer in LParam.
// - ISkinnedLabel: the caption labels (TsLabel), which skinned containers
//   repaint after themselves.
// - TsWinOwner: TsStyleOwner on a TWinControl (place, state, parent's
//   image, children's styles, invalidation, the window region). A control
//   with more state (buttons, combo boxes) derives from it.
// - TsBitmapImage: a style's cache on a TBitmap, so text can be drawn on it.
// - OfferToStyle: a control's WndProc hands each message to its style
//   first; CopyToDC puts the cache on the screen.
#pragma once

#include "classlib/WinApi.h"

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "skins/sStyleSimplyCore.h"

namespace skins {

class TsCommonData;

class ISkinnedControl {
 public:
  virtual ~ISkinnedControl() = default;
  // The control's style (null for a control with common data only).
  virtual TsGenStyle* SkinStyle() { return nullptr; }
  virtual TsCommonData* SkinCommonData() { return nullptr; }
  // The image a child reads as its parent's background: the style's or the
  // common data's image while it is up to date. A tab sheet has none of its
  // own and lends its page control's, offset by the sheet's place in it.
  virtual TParentBackground ImageForChild(TControl* child);
  // A child's look changed and the parent already heard it (0xA401); a tab
  // sheet also tells its page control, whose image is then out of date.
  virtual void ChildChanged();
};

// Marks the skinned labels (TsCustomLabel and what derives from it).
class ISkinnedLabel {
 public:
  virtual ~ISkinnedLabel() = default;
};

// The skinned control behind a control, if it is one.
ISkinnedControl* SkinnedOf(TControl* c);
// Its style, if it has one.
TsGenStyle* StyleOf(TControl* c);

class TsBitmapImage : public TsImage {
 public:
  void SetSize(int w, int h) override { bitmap_.SetSize(std::max(w, 0), std::max(h, 0)); }
  TPixels Pixels() override;
  TBitmap* Bitmap() { return &bitmap_; }

 private:
  TBitmap bitmap_;
};

// The TBitmap behind a style's cache (null without a cache).
TBitmap* CacheBitmap(TsGenStyle* style);
TBitmap* ImageBitmap(TsImage* image);

class TsWinOwner : public TsStyleOwner {
 public:
  explicit TsWinOwner(TWinControl* control) : control_(control) {}
  TWinControl* Control() const { return control_; }

  TRect BoundsRect() override { return control_->BoundsRect(); }
  // Without the namespace: "TsPanel".
  std::string ClassName() override;
  std::string Name() override { return control_->Name(); }
  bool Visible() override { return control_->Visible(); }
  bool Enabled() override { return control_->Enabled(); }
  bool Creating() override;
  bool Destroying() override;
  bool HasFocus() override { return control_->Focused(); }
  TColor Color() override { return control_->Color(); }
  void SetColor(TColor c) override { control_->SetColor(c); }
  void SetParentColor(bool v) override { control_->SetParentColor(v); }
  TColor ParentsColor() override;
  uint32_t ColorToRgb(TColor c) override;
  void InvalidateControl() override { control_->Invalidate(); }
  void RepaintControl() override { control_->Invalidate(); }
  bool ApplyRegion(const std::vector<TRect>& rects, bool redraw) override;
  std::unique_ptr<TsImage> NewImage() override { return std::make_unique<TsBitmapImage>(); }
  bool HasParent() override;
  bool ParentSkinned() override;
  TParentBackground ParentBackground() override;
  void RefreshParent() override;
  std::vector<TsGenStyle*> ChildStyles() override;
  std::unique_ptr<TsCaptionLabel> NewCaptionLabel() override;
  void SendToControl(unsigned message, uintptr_t wparam, intptr_t lparam) override;
  void RepaintLabels() override;
  std::vector<TsTabStop> TabOrder() override;
  const void* Self() override { return control_; }
  void FocusControl(const void* id) override;

 private:
  TWinControl* control_;
};

// Hands a message to the style first: true when the style consumed it
// (Result 1). The answer's WParam (the style query's) is copied back.
bool OfferToStyle(TsGenStyle* style, TMessage& m);

// Copies rectangle (x, y, w, h) of the style's cache to the same place on dc
// and marks the cache up to date.
void CopyToDC(TsGenStyle* style, HDC dc, int x, int y, int w, int h);

}  // namespace skins
