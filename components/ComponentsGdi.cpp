// GDI drawing of meter segments, gradient shapes and transparent bitmaps.
#include "components/ComponentsGdi.h"

namespace gdi {

namespace {

// Selects a pen and brush for the lifetime of the object.
class Tools {
 public:
  Tools(HDC dc, HPEN pen, HBRUSH brush)
      : dc_(dc),
        pen_(pen),
        brush_(brush),
        oldPen_(SelectObject(dc, pen)),
        oldBrush_(SelectObject(dc, brush)) {}
  ~Tools() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    DeleteObject(pen_);
    DeleteObject(brush_);
  }
  Tools(const Tools&) = delete;
  Tools& operator=(const Tools&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ oldPen_, oldBrush_;
};

void Line(HDC dc, COLORREF color, std::initializer_list<POINT> pts) {
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(dc, pen);
  auto it = pts.begin();
  MoveToEx(dc, it->x, it->y, nullptr);
  for (++it; it != pts.end(); ++it) LineTo(dc, it->x, it->y);
  SelectObject(dc, old);
  DeleteObject(pen);
}

} // namespace

void DrawMeter(HDC dc, const std::vector<MeterSegment>& segments, TColor separator,
               MeterBevel bevel, int width, int height) {
  for (const MeterSegment& s : segments) {
    Tools t(dc, CreatePen(PS_SOLID, 1, separator), CreateSolidBrush(s.Color));
    Rectangle(dc, s.Box.Left, s.Box.Top, s.Box.Right, s.Box.Bottom);
  }
  if (bevel == MeterBevel::None) return;
  const COLORREF first = bevel == MeterBevel::Lowered ? BtnShadow() : BtnHighlight();
  const COLORREF second = bevel == MeterBevel::Lowered ? BtnHighlight() : BtnShadow();
  Line(dc, first, {{width - 1, 0}, {0, 0}, {0, height - 1}});
  Line(dc, second, {{0, height - 1}, {width - 1, height - 1}, {width - 1, 0}});
}

void DrawGradient(HDC dc, const std::vector<GradShape>& shapes) {
  for (const GradShape& s : shapes) {
    switch (s.Type) {
      case GradShape::FillRect: {
        RECT r{s.Pts[0].X, s.Pts[0].Y, s.Pts[1].X, s.Pts[1].Y};
        HBRUSH b = CreateSolidBrush(s.Color);
        FillRect(dc, &r, b);
        DeleteObject(b);
        break;
      }
      case GradShape::Polygon:
      case GradShape::Ellipse: {
        Tools t(dc, CreatePen(PS_NULL, 1, 0), CreateSolidBrush(s.Color));
        if (s.Type == GradShape::Ellipse) {
          Ellipse(dc, s.Pts[0].X, s.Pts[0].Y, s.Pts[1].X, s.Pts[1].Y);
        } else {
          std::vector<POINT> pts;
          for (const TPoint& p : s.Pts) pts.push_back({p.X, p.Y});
          Polygon(dc, pts.data(), static_cast<int>(pts.size()));
        }
        break;
      }
      case GradShape::Line: {
        HPEN pen = CreatePen(PS_SOLID, s.PenWidth, s.Color);
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, s.Pts[0].X, s.Pts[0].Y, nullptr);
        LineTo(dc, s.Pts[1].X, s.Pts[1].Y);
        SelectObject(dc, old);
        DeleteObject(pen);
        break;
      }
    }
  }
}

void DrawTransparent(HDC dc, int x, int y, HBITMAP bitmap, COLORREF transparent) {
  if (!bitmap) return;
  BITMAP bm{};
  GetObjectW(bitmap, sizeof bm, &bm);
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, bitmap);
  TransparentBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, bm.bmWidth, bm.bmHeight,
                 transparent);
  SelectObject(mem, old);
  DeleteDC(mem);
}

HBITMAP LoadBitmapResource(const wchar_t* name) {
  return static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

} // namespace gdi
