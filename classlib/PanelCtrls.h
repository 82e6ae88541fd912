// Panels, bevels and paint boxes: TPanel (a container with a caption, a
// colour and raised or lowered bevels), TBevel (a frame or a line drawn on
// the parent) and TPaintBox (an area whose OnPaint draws on its canvas).
#pragma once

#include "classlib/Controls.h"
#include "classlib/StdCtrls.h"

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* AOwner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut v);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int v);
  // Space between the outer and the inner bevel, in the panel's colour.
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int v);
  // bsSingle adds a one-pixel black frame around everything.
  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle v);
  // The area inside the bevels, where aligned children go.
  TRect InnerRect();
  // Resizing repaints the whole panel (the default); without it only the
  // bevels at the moving edges and the uncovered area are repainted, unless
  // there is a caption, which moves with the size.
  bool FullRepaint() const { return full_repaint_; }
  void SetFullRepaint(bool v);
  // Kept for the form's description; nothing in this system docks into a
  // panel for it to refuse.
  bool Locked() const { return locked_; }
  void SetLocked(bool v) { locked_ = v; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void HandleMessage(TMessage& Message) override;

 private:
  int FrameWidth() const;
  void Changed();
  TAlignment alignment_ = taCenter;
  TBevelCut bevel_inner_ = bvNone, bevel_outer_ = bvRaised;
  int bevel_width_ = 1, border_width_ = 0;
  TFormBorderStyle border_style_ = bsNone;
  bool full_repaint_ = true, locked_ = false;
  int sized_width_ = -1, sized_height_ = -1; // the size the last WM_SIZE told
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape v);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle v);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

// OnPaint draws on Canvas(), whose origin is the box's top-left corner; the
// canvas starts with the box's font and colour.
class TPaintBox : public TGraphicControl {
 public:
  explicit TPaintBox(TComponent* AOwner);

 protected:
  void Paint() override;
};
