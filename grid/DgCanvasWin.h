// TDgGdiCanvas: the grid's canvas on a GDI device context (a paint DC, a
// memory bitmap's DC or a class-library canvas). The DC stays its caller's;
// the canvas selects its own font while it lives and gives back the DC's
// font, clip and colours when it is destroyed.
#pragma once

#include "classlib/Graphics.h"
#include "grid/DgCanvas.h"

// A class-library font takes the grid's (a window of the grid drawn in it).
void DgAssignFont(TFont& To, const TDgFont& From);

class TDgGdiCanvas : public TDgCanvas {
 public:
  explicit TDgGdiCanvas(HDC dc);
  explicit TDgGdiCanvas(TCanvas* canvas) : TDgGdiCanvas(canvas->Handle()) {}
  ~TDgGdiCanvas() override;
  TDgGdiCanvas(const TDgGdiCanvas&) = delete;
  TDgGdiCanvas& operator=(const TDgGdiCanvas&) = delete;

  HDC Handle() const { return dc_; }

  void Line(int x1, int y1, int x2, int y2, TColor color) override;
  void FillRect(const TRect& r, TColor color) override;
  void FrameRect(const TRect& r, TColor color) override;
  void Polygon(const std::vector<TPoint>& points, TColor pen, TColor fill) override;
  void SetPixel(int x, int y, TColor color) override;
  TColor GetPixel(int x, int y) override;
  void InvertRect(const TRect& r) override;
  void DrawFocusRect(const TRect& r) override;
  TRect ClipBox() override;
  void SetClipRect(const TRect& r) override;
  void RemoveClip() override;
  void SetFont(const TDgFont& font) override;
  void SetEscapement(int tenths) override;
  void SetTextColor(TColor color) override;
  TColor TextColor() const override { return TColor(::GetTextColor(dc_)); }
  void SetBrushColor(TColor color) override;
  TColor BrushColor() const override { return brush_color_; }
  void SetBrushClear(bool clear) override;
  int DrawText(const WideString& text, TRect& r, unsigned flags) override;
  TSize TextExtent(const WideString& text) override;
  void DrawPixmap(int x, int y, const TDgPixmap& pixmap, bool transparent,
                  TColor transparentColor) override;
  TDgPixmap ReadPixmap(const TRect& r) override;
  void* Native() override { return dc_; }

 private:
  void SelectFont();
  HDC dc_ = nullptr;
  int saved_ = 0;
  HFONT font_ = nullptr;
  TDgFont font_desc_;
  bool have_font_ = false;
  int escapement_ = 0;
  TColor brush_color_ = clWhite;
};

// The 32-bit pixels of a pixmap as a top-down DIB section's (blue, green,
// red, alpha in memory) and back.
uint32_t DgPixelToDib(uint32_t p);
inline uint32_t DgDibToPixel(uint32_t p) { return DgPixelToDib(p); }
