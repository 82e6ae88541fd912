// Fonts, pens, brushes and TCanvas (see Graphics.h).
#include "classlib/Graphics.h"

#include "classlib/Bitmap.h"
#include "classlib/Cp1251.h"

COLORREF ColorToRGB(TColor c) {
  if (c < 0) return GetSysColor(c & 0xFF);
  return static_cast<COLORREF>(c) & 0x00FFFFFF;
}

// --- Graphics objects ---------------------------------------------------------------

TGraphicsObject::~TGraphicsObject() { FreeHandle(); }

void TGraphicsObject::FreeHandle() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
}

void TGraphicsObject::Changed() {
  // Listeners (a canvas) deselect the old object before it is deleted.
  HGDIOBJ old = handle_;
  handle_ = nullptr;
  if (OnChange) OnChange(this);
  if (old) DeleteObject(old);
}

TFont::TFont() = default;

HFONT TFont::Handle() {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = Desc().Height;
    lf.lfWeight = Desc().Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = Desc().Style.Contains(fsItalic);
    lf.lfUnderline = Desc().Style.Contains(fsUnderline);
    lf.lfStrikeOut = Desc().Style.Contains(fsStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(Desc().Charset);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    std::wstring face = Cp1251ToWide(Desc().Name).substr(0, LF_FACESIZE - 1);
    wcscpy(lf.lfFaceName, face.c_str());
    handle_ = CreateFontIndirectW(&lf);
  }
  return static_cast<HFONT>(handle_);
}

void TFont::Assign(TPersistent* Source) {
  auto* f = dynamic_cast<TFont*>(Source);
  if (!f) return TPersistent::Assign(Source);
  if (f != this) SetDesc(f->Desc());
}

void TFont::FontChanged(bool face) {
  if (face) {
    Changed();
  } else if (OnChange) {
    OnChange(this);
  }
}

HPEN TPen::Handle() {
  if (!handle_) {
    static const int kStyles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                  PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    handle_ = CreatePen(kStyles[style_], width_, ColorToRGB(color_));
  }
  return static_cast<HPEN>(handle_);
}

void TPen::Assign(TPersistent* Source) {
  auto* p = dynamic_cast<TPen*>(Source);
  if (!p) return TPersistent::Assign(Source);
  if (p == this) return;
  color_ = p->color_;
  width_ = p->width_;
  style_ = p->style_;
  mode_ = p->mode_;
  Changed();
}

void TPen::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}

void TPen::SetWidth(int v) {
  if (v < 0 || v == width_) return;
  width_ = v;
  Changed();
}

void TPen::SetStyle(TPenStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TPen::SetMode(int v) {
  if (v == mode_) return;
  mode_ = v;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (!handle_) {
    static const int kHatch[] = {
        0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
    if (style_ == bsClear)
      handle_ = GetStockObject(NULL_BRUSH);
    else if (style_ == bsSolid)
      handle_ = CreateSolidBrush(ColorToRGB(color_));
    else
      handle_ = CreateHatchBrush(kHatch[style_], ColorToRGB(color_));
  }
  return static_cast<HBRUSH>(handle_);
}

void TBrush::Assign(TPersistent* Source) {
  auto* b = dynamic_cast<TBrush*>(Source);
  if (!b) return TPersistent::Assign(Source);
  if (b == this) return;
  color_ = b->color_;
  style_ = b->style_;
  Changed();
}

void TBrush::SetColor(TColor v) {
  if (v == color_ && style_ != bsClear) return;
  color_ = v;
  // Giving a clear brush a colour makes it solid again.
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

// --- TCanvas -------------------------------------------------------------------------

TCanvas::TCanvas() {
  // A change of a drawing object takes effect at the next drawing call. Only
  // the object whose GDI handle is remade leaves the DC (a font's colour, say,
  // keeps its handle), so changing a pen for each line costs no font select.
  font_.OnChange = [this](TObject*) { Deselect(font_, kFont); };
  pen_.OnChange = [this](TObject*) { Deselect(pen_, kPen); };
  brush_.OnChange = [this](TObject*) { Deselect(brush_, kBrush); };
}

TCanvas::~TCanvas() { DeselectHandles(); }

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  return dc_;
}

void TCanvas::CreateHandle() { throw EOutOfResources("Canvas does not allow drawing"); }

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  DeselectHandles();
  dc_ = dc;
}

void TCanvas::Deselect(const TGraphicsObject& changed, unsigned which) {
  if (!changed.HandleAllocated()) Restore(which);
}

void TCanvas::Restore(unsigned which) {
  which &= selected_;
  if (dc_) {
    if (which & kFont) SelectObject(dc_, old_font_);
    if (which & kPen) SelectObject(dc_, old_pen_);
    if (which & kBrush) SelectObject(dc_, old_brush_);
  }
  selected_ &= ~which;
}

void TCanvas::DeselectHandles() { Restore(kFont | kPen | kBrush); }

void TCanvas::SelectObjects() {
  // What the DC held before is what goes back into it.
  if (!(selected_ & kFont)) old_font_ = SelectObject(dc_, font_.Handle());
  if (!(selected_ & kPen)) old_pen_ = SelectObject(dc_, pen_.Handle());
  if (!(selected_ & kBrush)) old_brush_ = SelectObject(dc_, brush_.Handle());
  selected_ = kFont | kPen | kBrush;
}

void TCanvas::RequireState() {
  Handle();
  if (selected_ != (kFont | kPen | kBrush)) SelectObjects();
  SetTextColor(dc_, ColorToRGB(font_.Color()));
  SetBkColor(dc_, ColorToRGB(brush_.Color()));
  SetBkMode(dc_, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
  SetROP2(dc_, pen_.Mode());
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

void TCanvas::MoveTo(int x, int y) {
  RequireState();
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequireState();
  ::LineTo(dc_, x, y);
  Changed();
}

TPoint TCanvas::PenPos() {
  POINT p{};
  GetCurrentPositionEx(Handle(), &p);
  return TPoint{p.x, p.y};
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Changing();
  RequireState();
  ::Rectangle(dc_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  Changing();
  RequireState();
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc_, &rc, brush_.Handle());
  Changed();
}

void TCanvas::FillRect(const TRect& r, TColor color) {
  Changing();
  RequireState();
  FillSolid(r, color);
  Changed();
}

void TCanvas::FillSolid(const TRect& r, TColor color) {
  // The DC's own brush: no GDI object made for a passing colour.
  SetDCBrushColor(dc_, ColorToRGB(color));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TCanvas::Frame3D(TRect& r, TColor topLeft, TColor bottomRight, int width) {
  Changing();
  RequireState();
  for (int i = 0; i < width && r.Width() > 1 && r.Height() > 1; ++i) {
    FillSolid(Rect(r.Left, r.Top, r.Right - 1, r.Top + 1), topLeft);
    FillSolid(Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1), topLeft);
    FillSolid(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), bottomRight);
    FillSolid(Rect(r.Right - 1, r.Top, r.Right, r.Bottom), bottomRight);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  Changed();
}

void TCanvas::Bevel(TRect& r, TBevelCut cut, int width) {
  switch (cut) {
    case bvNone: return;
    case bvSpace:
      r = Rect(r.Left + width, r.Top + width, r.Right - width, r.Bottom - width);
      return;
    case bvRaised: return Frame3D(r, clBtnHighlight, clBtnShadow, width);
    case bvLowered: return Frame3D(r, clBtnShadow, clBtnHighlight, width);
  }
}

void TCanvas::EtchedFrame(const TRect& r) {
  Changing();
  RequireState();
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  DrawEdge(dc_, &rc, EDGE_ETCHED, BF_RECT);
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  Changing();
  RequireState();
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FrameRect(dc_, &rc, brush_.Handle());
  Changed();
}

namespace {
std::vector<POINT> ToPoints(const std::vector<TPoint>& pts) {
  std::vector<POINT> v(pts.size());
  for (size_t i = 0; i < pts.size(); ++i) v[i] = POINT{pts[i].X, pts[i].Y};
  return v;
}
} // namespace

void TCanvas::Polygon(const std::vector<TPoint>& pts) {
  if (pts.empty()) return;
  Changing();
  RequireState();
  auto v = ToPoints(pts);
  ::Polygon(dc_, v.data(), static_cast<int>(v.size()));
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& pts) {
  if (pts.empty()) return;
  Changing();
  RequireState();
  auto v = ToPoints(pts);
  ::Polyline(dc_, v.data(), static_cast<int>(v.size()));
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Changing();
  RequireState();
  ::Ellipse(dc_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
  Changing();
  RequireState();
  ::RoundRect(dc_, x1, y1, x2, y2, w, h);
  Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  Changing();
  RequireState();
  std::wstring w = Cp1251ToWide(text);
  ExtTextOutW(dc_, x, y, 0, nullptr, w.c_str(), static_cast<UINT>(w.size()), nullptr);
  MoveToEx(dc_, x + TextWidth(text), y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  Changing();
  RequireState();
  std::wstring w = Cp1251ToWide(text);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  UINT opts = ETO_CLIPPED | (brush_.Style() != bsClear ? ETO_OPAQUE : 0);
  ExtTextOutW(dc_, x, y, opts, &rc, w.c_str(), static_cast<UINT>(w.size()), nullptr);
  Changed();
}

int TCanvas::DrawWide(const std::wstring& text, TRect& r, UINT flags) {
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  int h = ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rc, flags);
  r = TRect{rc.left, rc.top, rc.right, rc.bottom};
  return h;
}

int TCanvas::DrawText(const std::string& text, TRect& r, UINT flags) {
  Changing();
  RequireState();
  int h = DrawWide(Cp1251ToWide(text), r, flags);
  Changed();
  return h;
}

int TCanvas::DrawWideIn(const std::wstring& text, TRect r, UINT flags, TColor color) {
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, ColorToRGB(color));
  return DrawWide(text, r, flags);
}

int TCanvas::DrawTextTransparent(const std::string& text, const TRect& r, UINT flags,
                                 TColor color) {
  Changing();
  RequireState();
  int h = DrawWideIn(Cp1251ToWide(text), r, flags, color);
  Changed();
  return h;
}

void TCanvas::DrawEngravedText(const std::string& text, const TRect& r, UINT flags) {
  Changing();
  RequireState();
  std::wstring w = Cp1251ToWide(text);
  DrawWideIn(w, Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1), flags, clBtnHighlight);
  DrawWideIn(w, r, flags, clBtnShadow);
  Changed();
}

TSize TCanvas::TextExtent(const std::string& text) {
  RequireState();
  std::wstring w = Cp1251ToWide(text);
  SIZE s{};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &s);
  return TSize{s.cx, s.cy};
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequireState();
  graphic->DrawTo(this, r);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src) {
  Changing();
  RequireState();
  HDC sdc = source->Handle();
  SetStretchBltMode(dc_, COLORONCOLOR);
  StretchBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), sdc, src.Left, src.Top,
             src.Width(), src.Height(), CopyMode);
  Changed();
}

void TCanvas::TransparentCopy(const TRect& dest, TCanvas* source, const TRect& src,
                              TColor transparent) {
  Changing();
  RequireState();
  ::TransparentBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), source->Handle(),
                   src.Left, src.Top, src.Width(), src.Height(), ColorToRGB(transparent));
  Changed();
}

TColor TCanvas::Pixels(int x, int y) {
  RequireState();
  return static_cast<TColor>(GetPixel(dc_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor c) {
  Changing();
  RequireState();
  ::SetPixel(dc_, x, y, ColorToRGB(c));
  Changed();
}

TRect TCanvas::ClipRect() {
  RECT r{};
  GetClipBox(Handle(), &r);
  return TRect{r.left, r.top, r.right, r.bottom};
}
