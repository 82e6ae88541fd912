// The skinned panels.
//
// - TsTransparentPanel: the class library's panel, opaque, with no
//   background erase, bevel width 2 and an OnPaint that gets the canvas.
// - TsCustomPanel: adds the style (a TsPassiveBGStyle, kind 68) and paints
//   background, bevels and caption into the style's image, copies it to the
//   window and then makes its skinned children repaint. OnPaint draws on
//   the image after background and bevels, so what it draws stays.
// - TsPanel: kind 51, the panel the windows use.
//
// Every message is offered to the style first; any invalidation of the
// panel marks its image out of date.
#pragma once

#include <functional>
#include <memory>

#include "classlib/PanelCtrls.h"
#include "skins/sStyleSimply.h"
#include "skins/sStyleUtilCore.h"

namespace skins {

using TPaintEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;

class TsTransparentPanel : public TPanel {
 public:
  explicit TsTransparentPanel(TComponent* AOwner);
  // Drawn on the canvas the panel paints with (its image for skinned ones).
  TPaintEvent OnPaint;
  // The width the frame takes: border and bevels.
  virtual int FrameBorderWidth() { return BorderWidth(); }

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;
  // Writes the caption in r of the canvas (one text line, centred
  // vertically), greyed when the panel is disabled.
  virtual void PaintCaption(TCanvas* canvas, TRect r);
};

class TsCustomPanel : public TsTransparentPanel, public ISkinnedControl {
 public:
  explicit TsCustomPanel(TComponent* AOwner);
  ~TsCustomPanel() override;

  TsControlBevel BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TsControlBevel v);
  TsControlBevel BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TsControlBevel v);
  TsPassiveBGStyle* sStyle() { return style_.get(); }

  int FrameBorderWidth() override;
  void Invalidate() override;
  TsGenStyle* SkinStyle() override { return style_.get(); }
  void Loaded() override;
  void AfterConstruction() override;

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void BeforeDestruction() override;
  // Background, region, face (PaintFace) and OnPaint into the image.
  void PaintImage();
  // The bevels and the caption onto `image` (its pixels `px`), the
  // background already there; `soft` is the style's SoftControl.
  virtual void PaintFace(TBitmap* image, TPixels px, bool soft);
  std::unique_ptr<TsWinOwner> owner_;
  std::unique_ptr<TsPassiveBGStyle> style_;

 private:
  TsControlBevel bevel_outer_ = TsControlBevel::cbRaisedSoft, bevel_inner_ = TsControlBevel::cbNone;
};

class TsPanel : public TsCustomPanel {
 public:
  explicit TsPanel(TComponent* AOwner);
};

// The bevel cut the class library's panel lays out with for a style bevel.
TBevelCut BevelCutOf(TsControlBevel b);

}  // namespace skins
