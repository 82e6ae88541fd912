// TsGroupBox: a skinned panel (kind 74) whose caption sits in a raised tab
// on its top edge. The outer bevel runs around the box and up over the tab;
// the inner bevel (lowered hard by default) frames the area below the
// caption, where the children go. Without a caption the box is a plain
// two-bevel frame whose client area still starts at the caption's height.
// A group box is never hot and never casts a shadow; it draws its
// children's shadows into its image.
#pragma once

#include "skins/sGroupBoxCore.h"
#include "skins/sPanel.h"

namespace skins {

class TsGroupBox : public TsCustomPanel {
 public:
  explicit TsGroupBox(TComponent* AOwner);

  TsGroupCaptionLayout CaptionLayout() const { return caption_layout_; }
  void SetCaptionLayout(TsGroupCaptionLayout v);
  int CaptionYOffset() const { return caption_y_offset_; }
  void SetCaptionYOffset(int v);
  // The caption tab (top 0; its height is the client area's top).
  TRect CaptionRect();
  TRect ClientRect() override;

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void PaintFace(TBitmap* image, TPixels px, bool soft) override;
  void PaintCaption(TCanvas* canvas, TRect r) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;

 private:
  TsGroupCaptionLayout caption_layout_ = TsGroupCaptionLayout::clTopLeft;
  int caption_y_offset_ = 0;
};

}  // namespace skins
