// TsTrackBar: a slider on the system's "msctls_trackbar32" window that
// paints itself from its style (a TsActiveBGStyle, kind 165): background
// and gradient, the "BORD1" outline with rounded corners cut from the
// window, the channel, the ticks and the thumb's outline, and a cross-fade
// to the hot look while the pointer is over it.
//
// The window keeps the range, position, keyboard and mouse; the control
// keeps the stored values (pushed again whenever the window is made) and
// paints every pixel itself. OnChange runs for every effective change of
// Position, by the user or by code (an equaliser applies either), but not
// while a layout is loading. The window's region is set when the outline's
// shape changes, never from painting with a redraw (which would only ask
// for another paint).
#pragma once

#include "classlib/WinApi.h"

#include <memory>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "skins/sControlLook.h"
#include "skins/sFadeTimer.h"
#include "skins/sPictures.h"
#include "skins/sStyleSimply.h"
#include "skins/sStyleUtilCore.h"
#include "skins/sTrackBarCore.h"

namespace skins {

class TsTrackBar : public TCustomControl, public ISkinnedControl, public IFadeTarget {
 public:
  explicit TsTrackBar(TComponent* AOwner);
  ~TsTrackBar() override;

  int Min() const { return range_.Min; }
  // Ignored above Max.
  void SetMin(int v);
  int Max() const { return range_.Max; }
  // Ignored below Min.
  void SetMax(int v);
  int Position() const { return range_.Position; }
  void SetPosition(int v);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation v);
  TTickStyle TickStyle() const { return tick_style_; }
  void SetTickStyle(TTickStyle v);
  TTickMark TickMarks() const { return tick_marks_; }
  void SetTickMarks(TTickMark v);
  int Frequency() const { return frequency_; }
  void SetFrequency(int v);
  int PageSize() const { return page_size_; }
  void SetPageSize(int v);
  // The window's thumb length while it exists.
  int ThumbLength();
  void SetThumbLength(int v);
  bool SliderVisible() const { return slider_visible_; }
  void SetSliderVisible(bool v);
  int SelStart() const { return sel_start_; }
  void SetSelStart(int v);
  int SelEnd() const { return sel_end_; }
  void SetSelEnd(int v);
  TsDisabledKind DisabledKind() const { return disabled_kind_; }
  void SetDisabledKind(TsDisabledKind v);
  TsActiveBGStyle* sStyle() { return style_.get(); }
  TFadeTimer* FadeTimer() { return timer_.get(); }

  TNotifyEvent OnChange;

  void Invalidate() override;
  TsGenStyle* SkinStyle() override { return style_.get(); }
  void AfterConstruction() override;
  void Loaded() override;
  // How many times painting gave the window a new region (a test seam).
  int RegionApplications() const { return region_.Applications(); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void HandleMessage(TMessage& Message) override;
  void BeforeDestruction() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  virtual void Changed();

 private:
  friend class TsTrackBarOwner;
  void SetRangeAll(int position, int min, int max);
  void UpdateSelection();
  LRESULT Send(UINT msg, WPARAM w, LPARAM l);
  void PushThumbLength();
  // The whole image: background, outline (and the region), channel, ticks, thumb.
  void BuildImage();
  void PaintChannel(TCanvas* canvas);
  void PaintTicks(TCanvas* canvas);
  void PaintThumb(TCanvas* canvas);
  bool Ready() const;
  // The fade's target.
  bool FadeTargetAlive() override;
  void FadeSwapImages() override;
  void FadeRepaint() override;
  void FadePaintStep(TFadeMode direction, int weight) override;

  TsPicturesUse pictures_;
  std::unique_ptr<TsWinOwner> owner_;
  std::unique_ptr<TsActiveBGStyle> style_;
  std::unique_ptr<TFadeTimer> timer_;
  TBitmap previous_;
  TBitmap fade_blend_;  // the fade step's scratch image, kept between steps
  TTrackRange range_{0, 100, 0};
  TTrackBarOrientation orientation_ = trHorizontal;
  TTickStyle tick_style_ = tsAuto;
  TTickMark tick_marks_ = tmBottomRight;
  int frequency_ = 5, page_size_ = 1, thumb_length_ = 9;
  static constexpr int kLineSize = 1;
  bool slider_visible_ = true;
  int sel_start_ = 0, sel_end_ = 0;
  TsDisabledKind disabled_kind_{TsDisabledKindItem::dkBlended};
  TMaskRegion region_;
};

}  // namespace skins
