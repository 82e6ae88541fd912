// Meter segments, gradient shapes and transparent pictures on a canvas.
#include "components/ComponentsGdi.h"

#include "classlib/Bitmap.h"
#include "classlib/Cp1251.h"

namespace gdi {

namespace {

void SetPen(TCanvas& canvas, TPenStyle style, int width, TColor color) {
  TPen* pen = canvas.Pen();
  pen->SetStyle(style);
  pen->SetWidth(width);
  pen->SetColor(color);
  pen->SetMode(R2_COPYPEN);
}

void SetSolidBrush(TCanvas& canvas, TColor color) {
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(color);
}

// Gives the canvas back its pen and brush when the drawing is done: a
// control's OnPaint, which runs next on the same canvas, finds them as it
// left them.
class KeepPenAndBrush {
 public:
  explicit KeepPenAndBrush(TCanvas& canvas) : canvas_(canvas) {
    pen_.Assign(canvas.Pen());
    brush_.Assign(canvas.Brush());
  }
  ~KeepPenAndBrush() {
    canvas_.Pen()->Assign(&pen_);
    canvas_.Brush()->Assign(&brush_);
  }
  KeepPenAndBrush(const KeepPenAndBrush&) = delete;
  KeepPenAndBrush& operator=(const KeepPenAndBrush&) = delete;

 private:
  TCanvas& canvas_;
  TPen pen_;
  TBrush brush_;
};

} // namespace

void DrawMeter(TCanvas& canvas, const std::vector<components::MeterSegment>& segments,
               TColor separator, TBevelCut bevel, int width, int height) {
  const KeepPenAndBrush keep(canvas);
  SetPen(canvas, psSolid, 1, separator);
  for (const components::MeterSegment& s : segments) {
    SetSolidBrush(canvas, s.Color);
    canvas.Rectangle(s.Box);
  }
  if (bevel != bvLowered && bevel != bvRaised) return;
  TRect r = Rect(0, 0, width, height);
  canvas.Bevel(r, bevel, 1);
  // The meter's frame runs from its top-right corner, so that corner takes
  // the top-left colour where a 3D frame gives it the bottom-right one.
  if (width > 1 && height > 1)
    canvas.SetPixel(width - 1, 0, bevel == bvLowered ? clBtnShadow : clBtnHighlight);
}

void DrawGradient(TCanvas& canvas, const std::vector<components::GradShape>& shapes) {
  const KeepPenAndBrush keep(canvas);
  for (const components::GradShape& s : shapes) {
    switch (s.Type) {
      case components::GradShape::Kind::FillRect: canvas.FillRect(s.Box(), s.Color); break;
      case components::GradShape::Kind::Polygon:
      case components::GradShape::Kind::Ellipse:
        SetPen(canvas, psClear, 1, clBlack);
        SetSolidBrush(canvas, s.Color);
        if (s.Type == components::GradShape::Kind::Ellipse)
          canvas.Ellipse(s.Box());
        else
          canvas.Polygon(s.Pts);
        break;
      case components::GradShape::Kind::Line:
        SetPen(canvas, psSolid, s.PenWidth, s.Color);
        canvas.MoveTo(s.Pts[0].X, s.Pts[0].Y);
        canvas.LineTo(s.Pts[1].X, s.Pts[1].Y);
        break;
    }
  }
}

void DrawResourceBitmap(TCanvas& canvas, int x, int y, const wchar_t* name, TColor transparent) {
  TBitmap picture;
  try {
    picture.LoadFromResourceName(nullptr, WideToCp1251(name));
  } catch (const EResNotFound&) { return; }
  picture.SetTransparentColor(transparent);
  picture.SetTransparent(true);
  canvas.Draw(x, y, &picture);
}

} // namespace gdi
