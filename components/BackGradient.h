// TBackGradient: fills its area with a colour gradient in one of ten shapes,
// 256 bands from a colour table, optionally through a cached bitmap that is
// redrawn only when the size or a property changes.
#pragma once

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "components/BackGradientCore.h"

class TBackGradient : public TGraphicControl {
 public:
  explicit TBackGradient(TComponent* AOwner);
  ~TBackGradient() override;

  bool Buffered() const { return buffered_; }
  void SetBuffered(bool v);
  TGradDirection Direction() const { return direction_; }
  void SetDirection(TGradDirection v);
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor v);
  TColor StartColor() const { return startColor_; }
  void SetStartColor(TColor v);
  // 1..10; other values are ignored.
  int StepWidth() const { return stepWidth_; }
  void SetStepWidth(int v);
  TGradStyle Style() const { return style_; }
  void SetStyle(TGradStyle v);

  const components::GradientColors& Colors() const { return colors_; }
  // Times the gradient was drawn (into the cache or, unbuffered, the screen).
  int DrawCount() const { return drawCount_; }

 protected:
  void Paint() override;

 private:
  void BuildColors();
  void Redraw(); // forget the cached picture and invalidate
  void DrawGradient(TCanvas& canvas, int w, int h);

  bool buffered_ = true;
  TGradDirection direction_ = gdDownRight;
  TColor endColor_ = clBlack;
  TColor startColor_ = clBlue;
  int stepWidth_ = 1;
  TGradStyle style_ = gsVertical;
  components::GradientColors colors_{};
  std::unique_ptr<TBitmap> cache_;
  int cachedWidth_ = 0, cachedHeight_ = 0;
  int drawCount_ = 0;
};
