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
  TColor EndColor() const { return end_color_; }
  void SetEndColor(TColor v);
  TColor StartColor() const { return start_color_; }
  void SetStartColor(TColor v);
  // 1..10; other values are ignored.
  int StepWidth() const { return step_width_; }
  void SetStepWidth(int v);
  TGradStyle Style() const { return style_; }
  void SetStyle(TGradStyle v);

  const components::GradientColors& Colors() const { return colors_; }
  // Times the gradient was drawn (into the cache or, unbuffered, the screen).
  int DrawCount() const { return draw_count_; }

 protected:
  void Paint() override;

 private:
  void BuildColors();
  void Redraw(); // forget the cached picture and invalidate
  void DrawGradient(TCanvas& canvas, int w, int h);

  bool buffered_ = true;
  TGradDirection direction_ = gdDownRight;
  TColor end_color_ = clBlack;
  TColor start_color_ = clBlue;
  int step_width_ = 1;
  TGradStyle style_ = gsVertical;
  components::GradientColors colors_{};
  std::unique_ptr<TBitmap> cache_;
  int cached_width_ = 0, cached_height_ = 0;
  int draw_count_ = 0;
};
