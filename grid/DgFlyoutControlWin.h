// TDgFlyoutControl: the borderless, top-most popup the grid shows over
// itself (the roll indicator, the column drag box and drop arrows). It is a
// child control of its owner in the class library, but its window is a
// tool-window popup owned by the owner's window, placed in screen
// coordinates, that never takes the activation.
//
// TRollShadow: the roll indicator, two arrows and a dot in gray text.
#pragma once

#include "classlib/Controls.h"

class TDgFlyoutControl : public TCustomControl {
 public:
  // Owner and parent: the control it flies over.
  explicit TDgFlyoutControl(TWinControl* AOwner);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  // Gives the window its outline (the whole rectangle here).
  virtual void CreateShape() {}
  // Replaces the window's outline (the window keeps the region).
  void SetShape(HRGN Region);
};

class TRollShadow : public TDgFlyoutControl {
 public:
  explicit TRollShadow(TWinControl* AOwner);
  // Centres the indicator on P (screen coordinates).
  void SetAnchor(const TPoint& P);
  TPoint Anchor() const { return anchor_; }

 protected:
  void CreateShape() override;
  void Paint() override;

 private:
  TPoint anchor_;
};
