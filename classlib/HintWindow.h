// THintWindow: a top-level popup window that never takes activation
// (notifications, tips). Showing it leaves the foreground window and the
// keyboard focus where they are; a click on it does not activate it either.
// It has no taskbar button and no frame of the platform's.
//
// As a tip it holds a text (Windows-1251): CalcHintRect says how much room
// the text takes in the window's font, broken into lines that fit a width,
// and ActivateHint shows it there; the window paints it on its Color inside
// a one-pixel frame in the font's colour. Descendants may paint themselves.
#pragma once

#include <string>

#include "classlib/Controls.h"

class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* AOwner);
  // Shown without activation, above the other windows of its band.
  void SetVisible(bool v) override;
  // Kept above every normal window.
  bool TopMost() const { return top_most_; }
  void SetTopMost(bool v);

  // The text's rectangle from (0, 0), margins included, at most MaxWidth
  // wide: lines break between words, and inside a word too long for a line.
  // AData is for descendants that lay out more than text (unused here).
  virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);
  // Shows AHint in Rect (screen coordinates), without activation; moved in
  // where Rect crosses the right or bottom edge of the screen's work area.
  virtual void ActivateHint(const TRect& Rect, const std::string& AHint);
  const std::string& HintText() const { return hint_text_; }
  // Gives up the window; the next ActivateHint makes it again.
  void ReleaseHandle();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleMessage(TMessage& Message) override;
  void Paint() override;

 private:
  bool top_most_ = true;
  std::string hint_text_;
};
