// TDgCanvas: the one drawing surface of the grid. Every painter of the grid
// (scroll control, displays, drag feedback, cells) draws through it, so the
// painting can be checked against a recording canvas natively and runs on GDI
// in the programs (DgCanvasWin.h).
//
// Coordinates are pixels; rectangles leave out their right and bottom edges;
// a line leaves out its end point (as GDI's LineTo). Colours may be system
// colours (resolved by the canvas). Text is UTF-16 (WideString).
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/DrawTypes.h"
#include "classlib/Types.h"
#include "grid/DgFont.h"
#include "grid/DgTypes.h"

// The text-drawing flags (the platform's DT_ values).
namespace DgText {
constexpr unsigned Left = 0x0, Center = 0x1, Right = 0x2, VCenter = 0x4, Bottom = 0x8,
                   WordBreak = 0x10, SingleLine = 0x20, NoClip = 0x100, ExternalLeading = 0x200,
                   CalcRect = 0x400, NoPrefix = 0x800, PathEllipsis = 0x4000, EndEllipsis = 0x8000,
                   RtlReading = 0x20000;
}

// 32-bit pixels, top-down rows: colour 0x00BBGGRR in the low bytes, alpha in
// the top byte (meaningful when Alpha is set: a 32-bit picture).
struct TDgPixmap {
  int Width = 0, Height = 0;
  bool Alpha = false;
  std::vector<uint32_t> Pixels;

  TDgPixmap() = default;
  TDgPixmap(int w, int h, uint32_t fill = 0)
      : Width(w < 0 ? 0 : w), Height(h < 0 ? 0 : h), Pixels(size_t(Width) * size_t(Height), fill) {}
  bool Empty() const { return Width <= 0 || Height <= 0; }
  uint32_t At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
  uint32_t& At(int x, int y) { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
};

class TDgCanvas {
 public:
  virtual ~TDgCanvas() = default;

  virtual void Line(int x1, int y1, int x2, int y2, TColor color) = 0;
  virtual void FillRect(const TRect& r, TColor color) = 0;
  // A one-pixel frame just inside r.
  virtual void FrameRect(const TRect& r, TColor color) = 0;
  // Outlined in pen (clNone: no outline) and filled by the winding rule.
  virtual void Polygon(const std::vector<TPoint>& points, TColor pen, TColor fill) = 0;
  virtual void SetPixel(int x, int y, TColor color) = 0;
  virtual TColor GetPixel(int x, int y) = 0;
  // Every pixel of r inverted (destination invert).
  virtual void InvertRect(const TRect& r) = 0;
  // The platform's dotted focus rectangle (alternate pixels inverted).
  virtual void DrawFocusRect(const TRect& r) = 0;

  // The bounds of what may be drawn now; SetClipRect makes the clip exactly
  // r; RemoveClip lets the whole surface be drawn again.
  virtual TRect ClipBox() = 0;
  virtual void SetClipRect(const TRect& r) = 0;
  virtual void RemoveClip() = 0;

  virtual void SetFont(const TDgFont& font) = 0;
  // Tenths of a degree counter-clockwise (900: text running upwards).
  virtual void SetEscapement(int tenths) = 0;
  virtual void SetTextColor(TColor color) = 0;
  virtual TColor TextColor() const = 0;
  // Text background: the brush colour, or nothing while the brush is clear.
  virtual void SetBrushColor(TColor color) = 0;
  virtual TColor BrushColor() const = 0;
  virtual void SetBrushClear(bool clear) = 0;
  // Draws text in r with DgText flags; with CalcRect nothing is drawn and r
  // becomes the text's bounds. Returns the text height.
  virtual int DrawText(const WideString& text, TRect& r, unsigned flags) = 0;
  virtual TSize TextExtent(const WideString& text) = 0;

  // The pixels copied at (x, y); with transparent set, pixels of the
  // transparent colour are left out. Alpha is not applied here (see
  // DrawAlphaBitmap).
  virtual void DrawPixmap(int x, int y, const TDgPixmap& pixmap, bool transparent = false,
                          TColor transparentColor = clNone) = 0;
  // The pixels of r as they are on the surface (alpha 0).
  virtual TDgPixmap ReadPixmap(const TRect& r) = 0;

  // The platform's drawing handle (the HDC on Windows), null on a fake.
  virtual void* Native() { return nullptr; }

  // Every text drawn reads right to left while set (the grid sets it from
  // its BiDiMode before it paints).
  bool RightToLeft() const { return right_to_left_; }
  void SetRightToLeft(bool v) { right_to_left_ = v; }

 protected:
  // The flags DrawText draws with: right-to-left reading added while set.
  unsigned ReadingFlags(unsigned flags) const {
    return right_to_left_ ? flags | DgText::RtlReading : flags;
  }

 private:
  bool right_to_left_ = false;
};
