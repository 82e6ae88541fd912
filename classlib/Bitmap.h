// Pictures: TGraphic, the 24-bit TBitmap with its ScanLine rows, TIcon and
// TPicture (a holder of either).
#pragma once

#include "classlib/WinApi.h"

#include <cstdint>
#include <string>

#include "classlib/Graphics.h"
#include "classlib/SysUtils.h"

class TGraphic : public TPersistent {
 public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int w) = 0;
  virtual void SetHeight(int h) = 0;
  virtual void LoadFromFile(const std::string& FileName) = 0;
  // Draws itself stretched into r of the canvas.
  virtual void DrawTo(TCanvas* canvas, const TRect& r) = 0;
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool v);
  TNotifyEvent OnChange;

 protected:
  void Changed();
  bool transparent_ = false;
};

// The canvas of a bitmap: a memory DC with the bitmap selected.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(class TBitmap* owner) : bitmap_(owner) {}
  ~TBitmapCanvas() override;
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  class TBitmap* bitmap_;
  HGDIOBJ old_bitmap_ = nullptr;
};

enum TPixelFormat { pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };

// A top-down DIB section of 24 bits a pixel (or 32 with pf32bit): ScanLine(y)
// gives row y as blue, green, red (and a fourth, unused) bytes, left to
// right. Resizing and a change of format keep the overlapping pixels.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;

  bool Empty() const override { return !handle_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int w) override { SetSize(w, height_); }
  void SetHeight(int h) override { SetSize(width_, h); }
  void SetSize(int w, int h);
  TPixelFormat PixelFormat() const { return pixel_format_; }
  void SetPixelFormat(TPixelFormat f);
  // Row y (0 = top) of the pixels; raises EListError for a row outside.
  uint8_t* ScanLine(int y);
  int PixelBytes() const { return pixel_format_ == pf32bit ? 4 : 3; }
  int RowBytes() const { return (width_ * PixelBytes() + 3) & ~3; }
  TCanvas* Canvas();
  HBITMAP Handle() const { return handle_; }
  // Takes over a bitmap handle (converted to 24 bits; the given one is
  // deleted).
  void SetHandle(HBITMAP h);

  // tmAuto: the colour of the bottom-left pixel; tmFixed: TransparentColor.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor c);
  TTransparentMode TransparentMode() const { return transparent_mode_; }
  void SetTransparentMode(TTransparentMode m) { transparent_mode_ = m; }

  // A BITMAP resource of the module (the program when null). Raises
  // EInOutError (EResNotFound) when missing.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void LoadFromFile(const std::string& FileName) override; // .bmp
  void SaveToFile(const std::string& FileName);            // .bmp of its format
  void Assign(TPersistent* Source) override;
  void DrawTo(TCanvas* canvas, const TRect& r) override;

 private:
  friend class TBitmapCanvas;
  void FreeImage();
  HBITMAP handle_ = nullptr;
  uint8_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
  TBitmapCanvas* canvas_ = nullptr;
  TColor transparent_color_ = clDefault;
  TTransparentMode transparent_mode_ = tmAuto;
  TPixelFormat pixel_format_ = pf24bit;
};

class EResNotFound : public EInOutError {
 public:
  explicit EResNotFound(std::string m) : EInOutError(std::move(m), 1814) {}
};

class TIcon : public TGraphic {
 public:
  ~TIcon() override;
  bool Empty() const override { return !handle_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int w) override { width_ = w; }
  void SetHeight(int h) override { height_ = h; }
  HICON Handle() const { return handle_; }
  // Takes ownership of the icon.
  void SetHandle(HICON h);
  // Gives the handle away; the icon becomes empty.
  HICON ReleaseHandle();
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void LoadFromFile(const std::string& FileName) override; // .ico
  void Assign(TPersistent* Source) override;
  void DrawTo(TCanvas* canvas, const TRect& r) override;

 private:
  HICON handle_ = nullptr;
  int width_ = 0, height_ = 0;
};

// Holds one graphic (a bitmap or an icon).
class TPicture : public TPersistent {
 public:
  ~TPicture() override;
  TGraphic* Graphic() const { return graphic_; }
  // Takes a copy of the graphic.
  void SetGraphic(TGraphic* g);
  // The picture as a bitmap / icon (replacing another kind).
  TBitmap* Bitmap();
  TIcon* Icon();
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  // By extension: .bmp or .ico; anything else raises EInOutError.
  void LoadFromFile(const std::string& FileName);
  void Assign(TPersistent* Source) override;
  TNotifyEvent OnChange;

 private:
  void Replace(TGraphic* g);
  TGraphic* graphic_ = nullptr;
};

namespace classlib {

// A width x height DIB section of `bit_count` (24 or 32) bits a pixel, top row
// first; *bits (when asked) receives its memory. nullptr on failure.
HBITMAP CreateTopDownDib(int width, int height, int bit_count, void** bits);

} // namespace classlib
