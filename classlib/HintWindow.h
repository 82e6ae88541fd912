// THintWindow: a top-level popup window that never takes activation
// (notifications, tips). Showing it leaves the foreground window and the
// keyboard focus where they are; a click on it does not activate it either.
// It has no taskbar button and no frame; descendants paint it themselves.
#pragma once

#include "classlib/Controls.h"

class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* AOwner);
  // Shown without activation, above the other windows of its band.
  void SetVisible(bool v) override;
  // Kept above every normal window.
  bool TopMost() const { return top_most_; }
  void SetTopMost(bool v);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleMessage(TMessage& Message) override;

 private:
  bool top_most_ = true;
};
