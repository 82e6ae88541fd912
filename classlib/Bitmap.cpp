// TGraphic, TBitmap, TIcon and TPicture (see Bitmap.h).
#include "classlib/Bitmap.h"

#include <cstring>
#include <vector>

#include "classlib/Cp1251.h"
#include "classlib/Streams.h"

void TGraphic::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Changed();
}

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

// --- TBitmapCanvas ------------------------------------------------------------------

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  if (!bitmap_->handle_) bitmap_->SetSize(1, 1); // drawing needs some surface
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) throw EOutOfResources("Out of system resources");
  old_bitmap_ = SelectObject(dc, bitmap_->handle_);
  dc_ = dc;
}

void TBitmapCanvas::FreeContext() {
  if (!dc_) return;
  HDC dc = dc_;
  DeselectHandles();
  SelectObject(dc, old_bitmap_);
  DeleteDC(dc);
  dc_ = nullptr;
}

// --- TBitmap ----------------------------------------------------------------------------

namespace {

HBITMAP CreateDib(int w, int h, int bytesPerPixel, uint8_t** bits) {
  void* p = nullptr;
  HBITMAP b = classlib::CreateTopDownDib(w, h, 8 * bytesPerPixel, &p);
  if (!b)
    throw EOutOfResources("Out of system resources (bitmap " + IntToStr(w) + " x " + IntToStr(h) +
                          ")");
  *bits = static_cast<uint8_t*>(p);
  return b;
}

// A bitmap or icon (`type`) from the resources of `instance` (the program's
// when null); EResNotFound when there is none of that name.
HANDLE LoadImageResource(HINSTANCE instance, const std::string& name, UINT type, UINT flags) {
  HANDLE h = LoadImageW(instance ? instance : GetModuleHandleW(nullptr), Cp1251ToWide(name).c_str(),
                        type, 0, 0, flags);
  if (!h) throw EResNotFound("Resource " + name + " not found");
  return h;
}

// A bitmap or icon (`type`, called `what` in the error) from a file;
// EInOutError with the system's code when it cannot be loaded.
HANDLE LoadImageFile(const std::string& FileName, UINT type, UINT flags, const char* what) {
  HANDLE h =
      LoadImageW(nullptr, Cp1251ToWide(FileName).c_str(), type, 0, 0, LR_LOADFROMFILE | flags);
  if (!h)
    throw EInOutError(std::string("Cannot load ") + what + " \"" + FileName + "\"",
                      GetLastOSError());
  return h;
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() {
  delete canvas_;
  FreeImage();
}

void TBitmap::FreeImage() {
  if (canvas_) canvas_->FreeContext();
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

void TBitmap::SetSize(int w, int h) {
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (w == width_ && h == height_ && (handle_ || w == 0 || h == 0)) return;
  if (w == 0 || h == 0) {
    FreeImage();
    width_ = w;
    height_ = h;
    Changed();
    return;
  }
  uint8_t* bits = nullptr;
  const int bpp = PixelBytes();
  HBITMAP b = CreateDib(w, h, bpp, &bits);
  GdiFlush();
  int stride = (w * bpp + 3) & ~3;
  std::memset(bits, 0, static_cast<size_t>(stride) * h);
  if (handle_) {
    int keepRows = h < height_ ? h : height_, keepBytes = (w < width_ ? w : width_) * bpp;
    for (int y = 0; y < keepRows; ++y)
      std::memcpy(bits + static_cast<size_t>(y) * stride,
                  bits_ + static_cast<size_t>(y) * RowBytes(), static_cast<size_t>(keepBytes));
  }
  FreeImage();
  handle_ = b;
  bits_ = bits;
  width_ = w;
  height_ = h;
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat f) {
  if (f == pixel_format_) return;
  if (!handle_) {
    pixel_format_ = f;
    return;
  }
  // The pixels move to a section of the new format, colour for colour.
  const int w = width_, h = height_;
  std::vector<uint8_t> rows(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y) {
    const uint8_t* p = ScanLine(y);
    for (int x = 0; x < w; ++x)
      std::memcpy(&rows[(static_cast<size_t>(y) * w + x) * 3], p + x * PixelBytes(), 3);
  }
  FreeImage();
  pixel_format_ = f;
  SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    uint8_t* p = ScanLine(y);
    for (int x = 0; x < w; ++x)
      std::memcpy(p + x * PixelBytes(), &rows[(static_cast<size_t>(y) * w + x) * 3], 3);
  }
  Changed();
}

uint8_t* TBitmap::ScanLine(int y) {
  if (!handle_ || y < 0 || y >= height_)
    throw EListError("Scan line index out of range (" + IntToStr(y) + ")");
  GdiFlush(); // GDI may still be drawing into the section
  return bits_ + static_cast<size_t>(y) * RowBytes();
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) canvas_ = new TBitmapCanvas(this);
  return canvas_;
}

void TBitmap::SetHandle(HBITMAP h) {
  if (!h) {
    FreeImage();
    Changed();
    return;
  }
  BITMAP info{};
  GetObjectW(h, sizeof info, &info);
  FreeImage();
  SetSize(info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(src, h);
  BitBlt(Canvas()->Handle(), 0, 0, width_, height_, src, 0, 0, SRCCOPY);
  SelectObject(src, old);
  DeleteDC(src);
  DeleteObject(h);
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (transparent_mode_ == tmFixed && transparent_color_ != clDefault) return transparent_color_;
  if (!handle_) return clDefault;
  GdiFlush();
  const uint8_t* p = bits_ + static_cast<size_t>(height_ - 1) * RowBytes();
  return static_cast<TColor>(RGB(p[2], p[1], p[0]));
}

void TBitmap::SetTransparentColor(TColor c) {
  transparent_color_ = c;
  transparent_mode_ = c == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HANDLE h = LoadImageResource(instance, name, IMAGE_BITMAP, LR_CREATEDIBSECTION);
  SetHandle(static_cast<HBITMAP>(h));
}

void TBitmap::LoadFromFile(const std::string& FileName) {
  HANDLE h = LoadImageFile(FileName, IMAGE_BITMAP, LR_CREATEDIBSECTION, "bitmap");
  SetHandle(static_cast<HBITMAP>(h));
}

void TBitmap::SaveToFile(const std::string& FileName) {
  int stride = RowBytes();
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = width_;
  ih.biHeight = height_; // bottom-up, the usual file layout
  ih.biPlanes = 1;
  ih.biBitCount = static_cast<WORD>(8 * PixelBytes());
  ih.biSizeImage = static_cast<DWORD>(stride) * height_;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + ih.biSizeImage;
  TFileStream f(FileName, fmCreate);
  f.WriteBuffer(&fh, sizeof fh);
  f.WriteBuffer(&ih, sizeof ih);
  for (int y = height_ - 1; y >= 0; --y) f.WriteBuffer(ScanLine(y), stride);
}

void TBitmap::Assign(TPersistent* Source) {
  auto* b = dynamic_cast<TBitmap*>(Source);
  if (!b) return TPersistent::Assign(Source);
  if (b == this) return;
  FreeImage();
  pixel_format_ = b->pixel_format_;
  SetSize(b->width_, b->height_);
  if (b->handle_) {
    GdiFlush();
    std::memcpy(bits_, b->bits_, static_cast<size_t>(RowBytes()) * height_);
  }
  transparent_ = b->transparent_;
  transparent_color_ = b->transparent_color_;
  transparent_mode_ = b->transparent_mode_;
  Changed();
}

void TBitmap::DrawTo(TCanvas* canvas, const TRect& r) {
  if (!handle_) return;
  HDC src = Canvas()->Handle();
  HDC dst = canvas->Handle();
  if (transparent_) {
    ::TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_,
                     ColorToRGB(TransparentColor()));
  } else if (r.Width() == width_ && r.Height() == height_) {
    // Unscaled: a plain block transfer, the cheap road of a picture drawn
    // again and again at its own size.
    BitBlt(dst, r.Left, r.Top, width_, height_, src, 0, 0, canvas->CopyMode);
  } else {
    SetStretchBltMode(dst, COLORONCOLOR);
    StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_,
               canvas->CopyMode);
  }
}

// --- TIcon --------------------------------------------------------------------------------

TIcon::~TIcon() {
  if (handle_) DestroyIcon(handle_);
}

void TIcon::SetHandle(HICON h) {
  if (h == handle_) return;
  if (handle_) DestroyIcon(handle_);
  handle_ = h;
  width_ = height_ = 0;
  if (h) {
    ICONINFO ii{};
    if (GetIconInfo(h, &ii)) {
      BITMAP bm{};
      GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
      width_ = bm.bmWidth;
      height_ = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
      if (ii.hbmColor) DeleteObject(ii.hbmColor);
      if (ii.hbmMask) DeleteObject(ii.hbmMask);
    }
  }
  Changed();
}

HICON TIcon::ReleaseHandle() {
  HICON h = handle_;
  handle_ = nullptr;
  width_ = height_ = 0;
  return h;
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  SetHandle(static_cast<HICON>(LoadImageResource(instance, name, IMAGE_ICON, LR_DEFAULTSIZE)));
}

void TIcon::LoadFromFile(const std::string& FileName) {
  SetHandle(static_cast<HICON>(LoadImageFile(FileName, IMAGE_ICON, LR_DEFAULTSIZE, "icon")));
}

void TIcon::Assign(TPersistent* Source) {
  auto* i = dynamic_cast<TIcon*>(Source);
  if (!i) return TPersistent::Assign(Source);
  if (i == this) return;
  SetHandle(i->handle_ ? CopyIcon(i->handle_) : nullptr);
}

void TIcon::DrawTo(TCanvas* canvas, const TRect& r) {
  if (handle_)
    DrawIconEx(canvas->Handle(), r.Left, r.Top, handle_, r.Width(), r.Height(), 0, nullptr,
               DI_NORMAL);
}

// --- TPicture -------------------------------------------------------------------------

TPicture::~TPicture() { delete graphic_; }

void TPicture::Replace(TGraphic* g) {
  delete graphic_;
  graphic_ = g;
  if (g)
    g->OnChange = [this](TObject*) {
      if (OnChange) OnChange(this);
    };
  if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(TGraphic* g) {
  if (!g) return Replace(nullptr);
  TGraphic* copy = dynamic_cast<TIcon*>(g) ? static_cast<TGraphic*>(new TIcon) : new TBitmap;
  copy->Assign(g);
  Replace(copy);
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(graphic_)) Replace(new TBitmap);
  return static_cast<TBitmap*>(graphic_);
}

TIcon* TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(graphic_)) Replace(new TIcon);
  return static_cast<TIcon*>(graphic_);
}

void TPicture::LoadFromFile(const std::string& FileName) {
  std::string ext = AnsiLowerCase(ExtractFileExt(FileName));
  if (ext == ".bmp") {
    auto* b = new TBitmap;
    try {
      b->LoadFromFile(FileName);
    } catch (...) {
      delete b;
      throw;
    }
    Replace(b);
  } else if (ext == ".ico") {
    auto* i = new TIcon;
    try {
      i->LoadFromFile(FileName);
    } catch (...) {
      delete i;
      throw;
    }
    Replace(i);
  } else {
    throw EInOutError("Unknown picture file extension (" + ext + ")", 0);
  }
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) return Replace(nullptr);
  if (auto* p = dynamic_cast<TPicture*>(Source)) return SetGraphic(p->graphic_);
  if (auto* g = dynamic_cast<TGraphic*>(Source)) return SetGraphic(g);
  TPersistent::Assign(Source);
}

HBITMAP classlib::CreateTopDownDib(int width, int height, int bit_count, void** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height; // top-down: row 0 is the top
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(bit_count);
  bi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  // RGB colours: the section takes nothing of a device context.
  HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
  if (bits) *bits = p;
  return b;
}
