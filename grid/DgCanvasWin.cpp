// The grid's canvas on GDI (see DgCanvasWin.h).
#include "grid/DgCanvasWin.h"

#include "classlib/Bitmap.h"

#include "classlib/Cp1251.h"
#include "grid/DgSharedDraw.h"

static_assert(DgText::SingleLine == DT_SINGLELINE && DgText::EndEllipsis == DT_END_ELLIPSIS &&
                  DgText::CalcRect == DT_CALCRECT && DgText::RtlReading == DT_RTLREADING &&
                  DgText::NoPrefix == DT_NOPREFIX && DgText::VCenter == DT_VCENTER &&
                  DgText::PathEllipsis == DT_PATH_ELLIPSIS && DgText::WordBreak == DT_WORDBREAK,
              "text flags are the platform's");

namespace {

COLORREF Rgb(TColor c) { return COLORREF(DgResolveColor(c)) & 0xFFFFFF; }

const wchar_t* W(const WideString& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

struct MemoryBitmap {
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
  MemoryBitmap(HDC ref, int w, int h) {
    void* p = nullptr;
    bmp = classlib::CreateTopDownDib(w, h, 32, &p);
    bits = static_cast<uint32_t*>(p);
    dc = CreateCompatibleDC(ref);
    if (bmp && dc) old = SelectObject(dc, bmp);
  }
  ~MemoryBitmap() {
    if (dc) {
      if (old) SelectObject(dc, old);
      DeleteDC(dc);
    }
    if (bmp) DeleteObject(bmp);
  }
  bool Ok() const { return dc && bmp && bits; }
};

} // namespace

uint32_t DgPixelToDib(uint32_t p) {
  return (p & 0xFF00FF00u) | ((p & 0xFF) << 16) | ((p >> 16) & 0xFF);
}

TDgGdiCanvas::TDgGdiCanvas(HDC dc) : dc_(dc) {
  saved_ = SaveDC(dc_);
  // The brush colour is the DC's text background until set.
  const COLORREF bk = ::GetBkColor(dc_);
  if (bk != CLR_INVALID) brush_color_ = TColor(bk);
}

TDgGdiCanvas::~TDgGdiCanvas() {
  if (saved_) RestoreDC(dc_, saved_);
  if (font_) DeleteObject(font_);
}

void TDgGdiCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
  SelectObject(dc_, GetStockObject(DC_PEN));
  SetDCPenColor(dc_, Rgb(color));
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
}

void TDgGdiCanvas::FillRect(const TRect& r, TColor color) {
  SetDCBrushColor(dc_, Rgb(color));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TDgGdiCanvas::FrameRect(const TRect& r, TColor color) {
  SetDCBrushColor(dc_, Rgb(color));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FrameRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TDgGdiCanvas::Polygon(const std::vector<TPoint>& points, TColor pen, TColor fill) {
  if (points.empty()) return;
  std::vector<POINT> pts;
  pts.reserve(points.size());
  for (const TPoint& p : points) pts.push_back(POINT{p.X, p.Y});
  SelectObject(dc_, GetStockObject(pen == clNone ? NULL_PEN : DC_PEN));
  SelectObject(dc_, GetStockObject(fill == clNone ? NULL_BRUSH : DC_BRUSH));
  if (pen != clNone) SetDCPenColor(dc_, Rgb(pen));
  if (fill != clNone) SetDCBrushColor(dc_, Rgb(fill));
  SetPolyFillMode(dc_, WINDING);
  ::Polygon(dc_, pts.data(), int(pts.size()));
}

void TDgGdiCanvas::SetPixel(int x, int y, TColor color) { SetPixelV(dc_, x, y, Rgb(color)); }

TColor TDgGdiCanvas::GetPixel(int x, int y) { return TColor(::GetPixel(dc_, x, y)); }

void TDgGdiCanvas::InvertRect(const TRect& r) {
  PatBlt(dc_, r.Left, r.Top, r.Width(), r.Height(), DSTINVERT);
}

void TDgGdiCanvas::DrawFocusRect(const TRect& r) {
  const COLORREF bk = ::SetBkColor(dc_, Rgb(brush_color_));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::DrawFocusRect(dc_, &rc);
  ::SetBkColor(dc_, bk);
}

TRect TDgGdiCanvas::ClipBox() {
  RECT rc{};
  ::GetClipBox(dc_, &rc);
  return TRect{rc.left, rc.top, rc.right, rc.bottom};
}

void TDgGdiCanvas::SetClipRect(const TRect& r) {
  POINT pts[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
  LPtoDP(dc_, pts, 2); // regions are in device pixels
  HRGN rgn = CreateRectRgn(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
  SelectClipRgn(dc_, rgn);
  DeleteObject(rgn);
}

void TDgGdiCanvas::RemoveClip() { SelectClipRgn(dc_, nullptr); }

void TDgGdiCanvas::SelectFont() {
  const TFontStyles st = font_desc_.Style();
  const std::wstring face = Cp1251ToWide(font_desc_.Name());
  HFONT f = CreateFontW(
      font_desc_.Height(), 0, escapement_, escapement_, st.Contains(fsBold) ? FW_BOLD : FW_NORMAL,
      st.Contains(fsItalic), st.Contains(fsUnderline), st.Contains(fsStrikeOut),
      DWORD(font_desc_.Charset()), escapement_ ? OUT_TT_ONLY_PRECIS : OUT_DEFAULT_PRECIS,
      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
  if (!f) return;
  SelectObject(dc_, f);
  if (font_) DeleteObject(font_);
  font_ = f;
}

void DgAssignFont(TFont& To, const TDgFont& From) {
  To.SetName(From.Name());
  To.SetHeight(From.Height());
  To.SetColor(From.Color());
  To.SetStyle(From.Style());
  To.SetCharset(From.Charset());
}

void TDgGdiCanvas::SetFont(const TDgFont& font) {
  if (have_font_ && font_desc_.SameAs(font)) {
    ::SetTextColor(dc_, Rgb(font.Color()));
    return;
  }
  font_desc_.Assign(const_cast<TDgFont*>(&font));
  have_font_ = true;
  SelectFont();
  ::SetTextColor(dc_, Rgb(font.Color()));
}

void TDgGdiCanvas::SetEscapement(int tenths) {
  if (tenths == escapement_) return;
  escapement_ = tenths;
  if (!have_font_) {
    // The DC's own font turned: take its description first.
    LOGFONTW lf{};
    if (GetObjectW(GetCurrentObject(dc_, OBJ_FONT), sizeof lf, &lf)) {
      font_desc_.SetName(WideToCp1251(lf.lfFaceName));
      font_desc_.SetHeight(lf.lfHeight);
      font_desc_.SetCharset(lf.lfCharSet);
    }
    have_font_ = true;
  }
  SelectFont();
}

void TDgGdiCanvas::SetTextColor(TColor color) { ::SetTextColor(dc_, Rgb(color)); }

void TDgGdiCanvas::SetBrushColor(TColor color) {
  brush_color_ = color;
  ::SetBkColor(dc_, Rgb(color));
}

void TDgGdiCanvas::SetBrushClear(bool clear) { SetBkMode(dc_, clear ? TRANSPARENT : OPAQUE); }

int TDgGdiCanvas::DrawText(const WideString& text, TRect& r, unsigned flags) {
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  const int h = ::DrawTextW(dc_, W(text), int(text.size()), &rc, ReadingFlags(flags));
  if (flags & DgText::CalcRect) r = TRect{rc.left, rc.top, rc.right, rc.bottom};
  return h;
}

TSize TDgGdiCanvas::TextExtent(const WideString& text) {
  SIZE s{0, 0};
  GetTextExtentPoint32W(dc_, W(text), int(text.size()), &s);
  return TSize{s.cx, s.cy};
}

void TDgGdiCanvas::DrawPixmap(int x, int y, const TDgPixmap& p, bool transparent,
                              TColor transparentColor) {
  if (p.Empty()) return;
  MemoryBitmap m(dc_, p.Width, p.Height);
  if (!m.Ok()) return;
  for (size_t i = 0; i < p.Pixels.size(); ++i) m.bits[i] = DgPixelToDib(p.Pixels[i]);
  GdiFlush();
  if (transparent)
    TransparentBlt(dc_, x, y, p.Width, p.Height, m.dc, 0, 0, p.Width, p.Height,
                   Rgb(transparentColor));
  else
    BitBlt(dc_, x, y, p.Width, p.Height, m.dc, 0, 0, SRCCOPY);
}

TDgPixmap TDgGdiCanvas::ReadPixmap(const TRect& r) {
  TDgPixmap out(r.Width(), r.Height());
  if (out.Empty()) return out;
  MemoryBitmap m(dc_, out.Width, out.Height);
  if (!m.Ok()) return out;
  BitBlt(m.dc, 0, 0, out.Width, out.Height, dc_, r.Left, r.Top, SRCCOPY);
  GdiFlush();
  for (size_t i = 0; i < out.Pixels.size(); ++i) out.Pixels[i] = DgDibToPixel(m.bits[i]) & 0xFFFFFF;
  return out;
}
