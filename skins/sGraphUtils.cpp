// The kernel's device-context routines. Lines are drawn with pens selected
// into a saved DC state; anything per pixel goes through the bitmaps' rows
// and the portable core.
#include "skins/sGraphUtils.h"

#include <algorithm>

#include "classlib/Cp1251.h"
#include "classlib/SysUtils.h"
#include "skins/sBorders.h"
#include "skins/sJpeg.h"

namespace skins {

namespace {

// Saves the DC's state for the lifetime of the scope.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~TSavedDC() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// A one-pixel pen of the colour, selected until the scope ends (inside a
// saved state: the old pen comes back with it).
class TLinePen {
 public:
  TLinePen(HDC dc, COLORREF c) : dc_(dc), pen_(CreatePen(PS_SOLID, 1, c)) {
    SelectObject(dc_, pen_);
  }
  ~TLinePen() {
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    DeleteObject(pen_);
  }
  TLinePen(const TLinePen&) = delete;
  TLinePen& operator=(const TLinePen&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
};

COLORREF ToColorRef(uint32_t rgb) { return static_cast<COLORREF>(rgb & 0xFFFFFFu); }

}  // namespace

void FillColor(HDC dc, const TRect& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc, &rc, brush);
  DeleteObject(brush);
}

void ShadowRect(TCanvas* source, const TRect& r, HDC target, int radius, TShadowShape shape,
                int blur, TColor color, int transparency, TPoint at) {
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0 || !target) return;
  transparency = std::clamp(transparency, 0, 100);
  if (transparency == 0) {
    FillColor(target, Bounds(at.X, at.Y, w, h), color);
    return;
  }
  if (!source) return;
  if (transparency == 100) {
    BitBlt(target, at.X, at.Y, w, h, source->Handle(), r.Left, r.Top, SRCCOPY);
    return;
  }
  TBitmap work(w, h);
  if (work.Empty()) return;
  BitBlt(work.Canvas()->Handle(), 0, 0, w, h, source->Handle(), r.Left, r.Top, SRCCOPY);
  GdiFlush();
  ShadowPixels(BitmapPixels(&work), shape, radius, blur, RgbOfColor(color), transparency);
  BitBlt(target, at.X, at.Y, w, h, work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void CopyArea(TCanvas* source, const TRect& r, HDC target, TShadowShape shape, int blur,
              TColor color, int transparency, TPoint at) {
  ShadowRect(source, r, target, 0, shape, blur, color, transparency, at);
}

void Draw3DFrame(HDC dc, const TRect& r, TColor light, int& count, TColor dark) {
  if (dc && count > 0) {
    TSavedDC saved(dc);
    TCanvas canvas;
    canvas.SetHandle(dc);
    TRect inner = r;
    canvas.Frame3D(inner, light, dark, count);
    canvas.SetHandle(nullptr);
  }
  count = 0;
}

void DrawBevelLines(HDC dc, TColor first, TColor second, bool soft, int kind, int width,
                    const TRect& r) {
  if (!dc) return;
  TSavedDC saved(dc);
  const uint32_t a = RgbValue(first), b = RgbValue(second);
  const int lines = std::max(width, 1);
  for (int line = 0; line < lines; ++line) {
    const int l = r.Left + line, t = r.Top + line, rr = r.Right - 1 - line, bb = r.Bottom - 1 - line;
    if (rr < l || bb < t) break;
    // Each side from its start corner, its end pixel left to the next side
    // (the pen does not draw a line's last point).
    const struct {
      TBevelSide side;
      int x0, y0, x1, y1;
    } sides[] = {{TBevelSide::Left, l, bb, l, t},
                 {TBevelSide::Top, l, t, rr, t},
                 {TBevelSide::Right, rr, t, rr, bb},
                 {TBevelSide::Bottom, rr, bb, l, bb}};
    for (const auto& s : sides) {
      TLinePen pen(dc, ToColorRef(BevelLineColor(a, b, soft, kind, width, line, s.side)));
      MoveToEx(dc, s.x0, s.y0, nullptr);
      ::LineTo(dc, s.x1, s.y1);
    }
  }
}

void PaintControlBevel(TBitmap* bitmap, const TRect& r, int width, bool soft, TsControlBevel kind) {
  if (!bitmap || bitmap->Empty()) return;
  GdiFlush();
  PaintControlBevel(BitmapPixels(bitmap), r, width, soft, kind);
}

void DrawDottedFrame(TCanvas* canvas, const TRect& r) {
  if (!canvas || r.IsEmpty()) return;
  // White first along each edge, then black, so no white lands on a dot.
  for (int pass = 0; pass < 2; ++pass) {
    auto put = [&](int x, int y) {
      if (pass == 0)
        canvas->SetPixel(x - 1, y - 1, clWhite);
      else
        canvas->SetPixel(x, y, clBlack);
    };
    for (int x = r.Left; x < r.Right; x += 3) {
      put(x, r.Top);
      put(x, r.Bottom - 1);
    }
    for (int y = r.Top; y < r.Bottom; y += 3) {
      put(r.Left, y);
      put(r.Right - 1, y);
    }
  }
}

void TileGraphic(TCanvas* canvas, const TRect& r, TGraphic* graphic) {
  if (!canvas || !graphic || graphic->Empty() || r.IsEmpty()) return;
  const int gw = graphic->Width(), gh = graphic->Height();
  if (gw <= 0 || gh <= 0) return;
  HDC dc = canvas->Handle();
  if (auto* bmp = dynamic_cast<TBitmap*>(graphic)) {
    HDC src = bmp->Canvas()->Handle();
    for (int y = r.Top; y < r.Bottom; y += gh)
      for (int x = r.Left; x < r.Right; x += gw)
        BitBlt(dc, x, y, std::min(gw, r.Right - x), std::min(gh, r.Bottom - y), src, 0, 0,
               SRCCOPY);
    return;
  }
  // Other graphics (a JPEG) are drawn whole, in a grid one beyond the
  // rectangle's size, kept inside the rectangle.
  TSavedDC saved(dc);
  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  const int across = r.Width() / gw + 1, down = r.Height() / gh + 1;
  for (int j = 0; j < down; ++j)
    for (int i = 0; i < across; ++i) canvas->Draw(r.Left + i * gw, r.Top + j * gh, graphic);
}

void WriteText(TCanvas* canvas, const std::string& text, bool enabled, UINT format, TRect& r) {
  if (!canvas || text.empty()) return;
  TRect box = r;
  if (!(format & DT_WORDBREAK)) {
    const TSize ext = canvas->TextExtent(text);
    const int top = r.Top + (r.Height() - ext.cy) / 2;
    int left = r.Left;
    if (format & DT_CENTER)
      left = r.Left + (r.Width() - ext.cx) / 2;
    else if (format & DT_RIGHT)
      left = r.Right - ext.cx;
    box = Bounds(left, top, ext.cx, ext.cy);
    r = TRect{box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1};
  }
  if (enabled)
    canvas->DrawTextTransparent(text, box, format, canvas->Font()->Color());
  else
    canvas->DrawEngravedText(text, box, format);
}

void WriteTextEx(TCanvas* canvas, const std::string& text, bool enabled, bool hot,
                 int skin_index, UINT format, TRect& r) {
  WriteText(canvas, text, enabled, format, r);
}

int TextHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  if (!dc) return 6;
  HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight + 6;
}

bool LoadPictureFile(TPicture* picture, const std::string& file_name, bool grey) {
  if (!picture) return false;
  if (!FileExists(file_name)) {
    picture->Assign(nullptr);
    return false;
  }
  const std::string ext = AnsiUpperCase(ExtractFileExt(file_name));
  try {
    if (ext == ".JPG" || ext == ".JPEG") {
      TJPEGImage jpeg;
      jpeg.SetGrayscale(grey);
      jpeg.LoadFromFile(file_name);
      picture->Assign(&jpeg);
      return true;
    }
    if (ext == ".BMP") {
      // Loaded aside first: a file that fails to load leaves the picture.
      TBitmap loaded;
      loaded.LoadFromFile(file_name);
      if (grey) {
        GdiFlush();
        MakeGray(BitmapPixels(&loaded));
      }
      picture->Assign(&loaded);
      return true;
    }
  } catch (const Exception&) {
    // A file that cannot be read leaves the picture as it was.
  }
  return false;
}

}  // namespace skins
