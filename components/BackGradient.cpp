// The gradient background control: colour table, cache bitmap and painting.
#include "components/BackGradient.h"

#include "components/ComponentsGdi.h"

TBackGradient::TBackGradient(TComponent* AOwner) : TGraphicControl(AOwner) {
  ControlStyle.Include(csOpaque);
  SetBounds(Left(), Top(), 100, 80);
  cache_.reset(new TBitmap());
  BuildColors();
  // The whole area is painted: nothing to erase first.
  SetMessageHandler(WM_ERASEBKGND, [](TMessage& m) { m.Result = 1; });
}

TBackGradient::~TBackGradient() = default;

void TBackGradient::BuildColors() {
  colors_ = ::BuildColors(ColorToRGB(start_color_), ColorToRGB(end_color_), direction_);
}

void TBackGradient::Redraw() {
  cached_width_ = cached_height_ = 0;
  Invalidate();
}

void TBackGradient::SetBuffered(bool v) {
  if (v == buffered_) return;
  buffered_ = v;
  if (v)
    cache_.reset(new TBitmap());
  else
    cache_.reset();
  Redraw();
}

void TBackGradient::SetDirection(TGradDirection v) {
  if (v == direction_) return;
  direction_ = v;
  BuildColors();
  Redraw();
}

void TBackGradient::SetEndColor(TColor v) {
  if (v == end_color_) return;
  end_color_ = v;
  BuildColors();
  Redraw();
}

void TBackGradient::SetStartColor(TColor v) {
  if (v == start_color_) return;
  start_color_ = v;
  BuildColors();
  Redraw();
}

void TBackGradient::SetStepWidth(int v) {
  if (v == step_width_ || v < 1 || v > 10) return;
  step_width_ = v;
  Redraw();
}

void TBackGradient::SetStyle(TGradStyle v) {
  if (v == style_) return;
  style_ = v;
  // An ellipse leaves its corners to what lies behind; every other style
  // covers the whole area, so nothing beneath needs painting.
  if (v == gsEllipse)
    ControlStyle.Exclude(csOpaque);
  else
    ControlStyle.Include(csOpaque);
  Redraw();
}

void TBackGradient::DrawGradient(TCanvas& canvas, int w, int h) {
  gdi::DrawGradient(canvas,
                    components::DrawGradientShapes(style_, colors_, w, h, step_width_, buffered_));
  ++draw_count_;
}

void TBackGradient::Paint() {
  const int w = Width(), h = Height();
  TCanvas& canvas = *Canvas();
  if (buffered_ && cache_) {
    if (w != cached_width_ || h != cached_height_) {
      cache_->SetSize(w, h);
      DrawGradient(*cache_->Canvas(), w, h);
      cached_width_ = w;
      cached_height_ = h;
    }
    if (style_ == gsEllipse) {
      // The corners outside the ellipse show what lies behind.
      const TRect all = Rect(0, 0, w, h);
      if (w > 0 && h > 0)
        canvas.TransparentCopy(all, cache_->Canvas(), all, components::kGradientSilver);
    } else {
      canvas.Draw(0, 0, cache_.get());
    }
  } else {
    DrawGradient(canvas, w, h);
  }
  if (OnPaint) OnPaint(this);
}
