// The markup surface on a canvas: GDI calls only, the layout is the engine's.
#include "components/AlertMarkupCanvas.h"

#include <shellapi.h>

#include "classlib/Cp1251.h"

namespace {

constexpr UINT kRunFlags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS;

bool AllDigits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// A path whose lookup could reach another machine.
bool RemotePath(const std::wstring& w) {
  if (w.size() >= 2 && (w[0] == L'\\' || w[0] == L'/') && (w[1] == L'\\' || w[1] == L'/'))
    return true;
  if (w.size() >= 2 && w[1] == L':') {
    const wchar_t root[] = {w[0], L':', L'\\', 0};
    return GetDriveTypeW(root) == DRIVE_REMOTE;
  }
  return false;
}

} // namespace

namespace components {

int SystemIconIndex(const std::string& source, bool large, HIMAGELIST& list) {
  SHFILEINFOW info{};
  UINT flags = SHGFI_SYSICONINDEX | (large ? 0 : SHGFI_SMALLICON);
  if (AllDigits(source)) {
    list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
        L"x", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, flags | SHGFI_USEFILEATTRIBUTES));
    return markup::SaturatedNumber(source);
  }
  const std::wstring path = Cp1251ToWide(source);
  DWORD attrs = INVALID_FILE_ATTRIBUTES;
  if (!RemotePath(path)) attrs = GetFileAttributesW(path.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) {
    flags |= SHGFI_USEFILEATTRIBUTES;
    attrs = FILE_ATTRIBUTE_NORMAL;
  }
  list =
      reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(path.c_str(), attrs, &info, sizeof info, flags));
  return list ? info.iIcon : -1;
}

} // namespace components

TCanvasMarkupSurface::TCanvasMarkupSurface(TCanvas* canvas, TImageList* images)
    : canvas_(canvas), images_(images) {
  // Selects the canvas' own font, pen and brush, which RestoreFont gives back.
  canvas_->TextWidth("");
  dc_ = canvas_->Handle();
}

TCanvasMarkupSurface::~TCanvasMarkupSurface() { RestoreFont(); }

markup::Font TCanvasMarkupSurface::BaseFont() {
  TFont* f = canvas_->Font();
  markup::Font m;
  m.Name = f->Name();
  m.Height = f->Height();
  m.Bold = f->Style().Contains(fsBold);
  m.Italic = f->Style().Contains(fsItalic);
  m.Underline = f->Style().Contains(fsUnderline);
  m.StrikeOut = f->Style().Contains(fsStrikeOut);
  m.FontColor = f->Color();
  return m;
}

markup::Color TCanvasMarkupSurface::BaseBrush() {
  return canvas_->Brush()->Style() == bsClear ? markup::kNone : canvas_->Brush()->Color();
}

void TCanvasMarkupSurface::SetFont(const markup::Font& f) {
  HFONT h = nullptr;
  for (auto& held : fonts_)
    if (held.first == f) h = held.second;
  if (!h) {
    LOGFONTW lf{};
    lf.lfHeight = f.Height;
    lf.lfWeight = f.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.Italic;
    lf.lfUnderline = f.Underline;
    lf.lfStrikeOut = f.StrikeOut;
    lf.lfEscapement = lf.lfOrientation = f.Escapement;
    lf.lfCharSet = f.Name == "Symbol" ? SYMBOL_CHARSET : RUSSIAN_CHARSET;
    const std::wstring face = Cp1251ToWide(f.Name).substr(0, LF_FACESIZE - 1);
    wcscpy(lf.lfFaceName, face.c_str());
    h = CreateFontIndirectW(&lf);
    if (!h) return;
    fonts_.push_back({f, h});
  }
  HGDIOBJ old = SelectObject(dc_, h);
  if (!original_) original_ = old;
}

void TCanvasMarkupSurface::RestoreFont() {
  if (original_) SelectObject(dc_, original_);
  original_ = nullptr;
  for (auto& held : fonts_) DeleteObject(held.second);
  fonts_.clear();
}

TSize TCanvasMarkupSurface::MeasureRun(const std::string& run) {
  const std::wstring w = Cp1251ToWide(run);
  RECT r{0, 0, 0, 0};
  DrawTextExW(dc_, const_cast<wchar_t*>(w.c_str()), static_cast<int>(w.size()), &r,
              DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_CALCRECT, nullptr);
  return TSize{r.right - r.left, r.bottom - r.top};
}

void TCanvasMarkupSurface::DrawRun(const std::string& run, const TRect& r, markup::Color text,
                                   markup::Color back, bool endEllipsis) {
  const std::wstring w = Cp1251ToWide(run);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  SetTextColor(dc_, ColorToRGB(text));
  if (back == markup::kNone) {
    SetBkMode(dc_, TRANSPARENT);
  } else {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ColorToRGB(back));
  }
  DrawTextExW(dc_, const_cast<wchar_t*>(w.c_str()), static_cast<int>(w.size()), &rc,
              kRunFlags | (endEllipsis ? DT_END_ELLIPSIS : 0), nullptr);
  SetBkMode(dc_, TRANSPARENT);
}

void TCanvasMarkupSurface::Line(int x1, int y1, int x2, int y2, markup::Color c) {
  HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(c));
  HGDIOBJ old = SelectObject(dc_, pen);
  MoveToEx(dc_, x1, y1, nullptr);
  ::LineTo(dc_, x2, y2);
  SelectObject(dc_, old);
  DeleteObject(pen);
}

void TCanvasMarkupSurface::Fill(const TRect& r, markup::Color c) {
  if (c == markup::kNone) return;
  HBRUSH b = CreateSolidBrush(ColorToRGB(c));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  FillRect(dc_, &rc, b);
  DeleteObject(b);
}

void TCanvasMarkupSurface::FocusRect(const TRect& r) {
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  DrawFocusRect(dc_, &rc);
}

int TCanvasMarkupSurface::PixelsPerInch() { return GetDeviceCaps(dc_, LOGPIXELSY); }

markup::Color TCanvasMarkupSurface::ResolveColor(markup::Color c) {
  return static_cast<markup::Color>(ColorToRGB(c));
}

HIMAGELIST TCanvasMarkupSurface::SystemList(const markup::ImageRef& ref, int& index) {
  HIMAGELIST list = nullptr;
  index =
      components::SystemIconIndex(ref.Source, ref.Kind == markup::ImageKind::LargeSystemIcon, list);
  return index >= 0 ? list : nullptr;
}

THTMLPicture* TCanvasMarkupSurface::Picture(const markup::ImageRef& ref) {
  if (ref.Kind == markup::ImageKind::Named)
    return container_ ? container_->FindPicture(ref.Source) : nullptr;
  if (ref.Kind != markup::ImageKind::Address || !cache_) return nullptr;
  if (THTMLPicture* known = cache_->FindPicture(ref.Source)) return known;
  THTMLPicture* pic = cache_->AddPicture();
  pic->Asynchronous = false;
  try {
    pic->LoadFromURL(ref.Source);
  } catch (const std::exception&) {
    // A picture that cannot be decoded stays empty and takes no room.
  }
  return pic;
}

markup::ImageInfo TCanvasMarkupSurface::FindImage(const markup::ImageRef& ref) {
  markup::ImageInfo info;
  const int ppi = PixelsPerInch();
  int w = 0, h = 0;
  switch (ref.Kind) {
    case markup::ImageKind::ListIndex:
      if (!images_ || ref.Index < 0 || ref.Index >= images_->Count()) return info;
      w = images_->Width();
      h = images_->Height();
      break;
    case markup::ImageKind::SmallSystemIcon:
    case markup::ImageKind::LargeSystemIcon: {
      int index = 0;
      HIMAGELIST list = SystemList(ref, index);
      if (!list || !ImageList_GetIconSize(list, &w, &h)) return info;
      break;
    }
    default: {
      THTMLPicture* pic = Picture(ref);
      if (!pic || pic->Empty()) return info;
      info.Empty = false;
      info.Width = MulDiv(pic->FrameWidth(), ppi, 96);
      info.Height = MulDiv(pic->FrameHeight(), ppi, 96);
      info.OffsetX = pic->FrameLeft();
      info.OffsetY = pic->FrameTop();
      return info;
    }
  }
  info.Empty = false;
  info.Width = MulDiv(w, ppi, 96);
  info.Height = MulDiv(h, ppi, 96);
  return info;
}

void TCanvasMarkupSurface::DrawImage(const markup::ImageRef& ref, const TRect& r, bool stretch) {
  switch (ref.Kind) {
    case markup::ImageKind::ListIndex:
      if (images_ && ref.Index >= 0 && ref.Index < images_->Count())
        ImageList_Draw(images_->Handle(), ref.Index, dc_, r.Left, r.Top, ILD_TRANSPARENT);
      break;
    case markup::ImageKind::SmallSystemIcon:
    case markup::ImageKind::LargeSystemIcon: {
      int index = 0;
      if (HIMAGELIST list = SystemList(ref, index))
        ImageList_Draw(list, index, dc_, r.Left, r.Top, ILD_TRANSPARENT);
      break;
    }
    default:
      if (THTMLPicture* pic = Picture(ref)) {
        pic->Stretch = stretch;
        pic->Draw(dc_, r);
      }
  }
}

void TCanvasMarkupSurface::DrawImageScaled(const markup::ImageRef& ref, const TRect& r) {
  const markup::ImageInfo info = FindImage(ref);
  if (info.Empty || info.Width <= 0 || info.Height <= 0) return;
  TBitmap bitmap(info.Width, info.Height);
  // What lies under the picture, so its transparent parts stay so.
  BitBlt(bitmap.Canvas()->Handle(), 0, 0, info.Width, info.Height, dc_, r.Left, r.Top, SRCCOPY);
  TCanvasMarkupSurface inner(bitmap.Canvas(), images_);
  inner.DrawImage(ref, Rect(0, 0, info.Width, info.Height), false);
  components::StretchBitmap(dc_, r, bitmap);
}

void components::StretchBitmap(HDC dc, const TRect& r, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = bitmap.Width();
  bi.bmiHeader.biHeight = -bitmap.Height(); // top-down rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(bitmap.PixelBytes() * 8);
  bi.bmiHeader.biCompression = BI_RGB;
  GdiFlush();
  StretchDIBits(dc, r.Left, r.Top, r.Width(), r.Height(), 0, 0, bitmap.Width(), bitmap.Height(),
                bitmap.ScanLine(0), &bi, DIB_RGB_COLORS, SRCCOPY);
}

void TCanvasMarkupSurface::TileImage(const markup::ImageRef& ref, const TRect& r) {
  const markup::ImageInfo info = FindImage(ref);
  if (info.Empty || info.Width <= 0 || info.Height <= 0) return;
  const int saved = SaveDC(dc_);
  IntersectClipRect(dc_, r.Left, r.Top, r.Right, r.Bottom);
  for (int y = r.Top; y < r.Bottom; y += info.Height)
    for (int x = r.Left; x < r.Right; x += info.Width)
      DrawImage(ref, Rect(x, y, x + info.Width, y + info.Height), false);
  RestoreDC(dc_, saved);
}
