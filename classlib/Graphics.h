// Colours, fonts, pens, brushes and the canvas: the drawing half of the
// library, on GDI.
//
// Colours are 0x00BBGGRR; 0xFF000000 + n is system colour n (COLOR_xxx),
// resolved through GetSysColor when drawn. Bitmaps, icons and pictures are
// in Bitmap.h.
#pragma once

#include "classlib/WinApi.h"

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/DrawTypes.h"
#include "classlib/Types.h"

// The RGB value GDI draws with (system colours resolved).
COLORREF ColorToRGB(TColor c);

// Base of fonts, pens and brushes: a GDI object made on demand and remade
// after each change, and OnChange for whoever draws with it.
class TGraphicsObject : public TPersistent {
 public:
  ~TGraphicsObject() override;
  // Whether the GDI object exists (during OnChange: false when it is being remade).
  bool HandleAllocated() const { return handle_ != nullptr; }
  TNotifyEvent OnChange;

 protected:
  void Changed();
  void FreeHandle();
  HGDIOBJ handle_ = nullptr;
};

class TFont : public TFontValues<TGraphicsObject> {
 public:
  TFont();
  HFONT Handle();
  void Assign(TPersistent* Source) override;

 private:
  // The colour is not part of the GDI font: only a face change remakes it.
  void FontChanged(bool face) override;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
 public:
  HPEN Handle();
  void Assign(TPersistent* Source) override;
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  int Width() const { return width_; }
  void SetWidth(int v);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle v);
  // The raster operation (R2_COPYPEN, R2_XORPEN, R2_NOT, ...).
  int Mode() const { return mode_; }
  void SetMode(int v);

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  int mode_ = R2_COPYPEN;
};

enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

class TBrush : public TGraphicsObject {
 public:
  HBRUSH Handle();
  void Assign(TPersistent* Source) override;
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle v);

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

class TGraphic;

// Drawing on a device context. A plain canvas draws on the DC given to
// SetHandle; control and bitmap canvases make their DC when first used.
class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;

  HDC Handle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }
  TFont* Font() { return &font_; }
  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  void SetFont(TFont* f) { font_.Assign(f); }
  void SetPen(TPen* p) { pen_.Assign(p); }
  void SetBrush(TBrush* b) { brush_.Assign(b); }
  // SRCCOPY and friends, for Draw/StretchDraw/CopyRect.
  DWORD CopyMode = SRCCOPY;

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  TPoint PenPos();
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void FillRect(const TRect& r);
  // Fills r with one colour; the brush stays as it is.
  void FillRect(const TRect& r, TColor color);
  void FrameRect(const TRect& r);
  // A frame `width` pixels wide inside r: the top and left lines in topLeft,
  // the bottom and right lines in bottomRight, which also owns the top-right
  // and bottom-left corners. r shrinks to the inside of each ring drawn; a
  // ring stops the frame once r is no more than a pixel wide or high.
  void Frame3D(TRect& r, TColor topLeft, TColor bottomRight, int width);
  // A bevel cut of `width` in the button colours (raised: light top-left,
  // lowered: shadow top-left; bvSpace draws nothing); r shrinks past it.
  void Bevel(TRect& r, TBevelCut cut, int width);
  // The etched line around r (a shadow line with a light one inside it and
  // the reverse on the bottom-right), as group boxes are framed.
  void EtchedFrame(const TRect& r);
  void Polygon(const std::vector<TPoint>& pts);
  void Polyline(const std::vector<TPoint>& pts);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
  // Text in the canvas font; behind it the brush colour, or nothing when the
  // brush style is bsClear.
  void TextOut(int x, int y, const std::string& text);
  // Text clipped to r, starting at (x, y).
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  // DrawText with DT_ flags inside r (r is updated with DT_CALCRECT).
  int DrawText(const std::string& text, TRect& r, UINT flags);
  // DrawText in `color` with nothing behind it, whatever the brush; the
  // brush and the font's colour stay as they are.
  int DrawTextTransparent(const std::string& text, const TRect& r, UINT flags, TColor color);
  // Disabled text as Windows draws it: engraved, the text in the highlight
  // colour one pixel down and right, then in the shadow colour, with nothing
  // behind it; the brush and the font's colour stay as they are.
  void DrawEngravedText(const std::string& text, const TRect& r, UINT flags);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);
  // Copies src from source, leaving out the pixels of the given colour.
  void TransparentCopy(const TRect& dest, TCanvas* source, const TRect& src, TColor transparent);
  TColor Pixels(int x, int y);
  void SetPixel(int x, int y, TColor c);
  TRect ClipRect();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  // Makes the DC on demand; a plain canvas raises (no DC given).
  virtual void CreateHandle();
  // The DC is about to be taken away: deselect our objects.
  void DeselectHandles();
  void RequireState();
  void Changing();
  void Changed();
  HDC dc_ = nullptr;

 private:
  void SelectObjects();
  enum : unsigned { kFont = 1, kPen = 2, kBrush = 4 };
  // Puts back the DC's own objects in place of ours named in `which`.
  void Restore(unsigned which);
  // `changed` told of a change: out of the DC if its handle is being remade.
  void Deselect(const TGraphicsObject& changed, unsigned which);
  void FillSolid(const TRect& r, TColor color);
  // ::DrawTextW into r (updated as DrawText updates it); the state is set.
  int DrawWide(const std::wstring& text, TRect& r, UINT flags);
  // DrawWide in a colour, transparently (the next RequireState undoes both).
  int DrawWideIn(const std::wstring& text, TRect r, UINT flags, TColor color);
  TFont font_;
  TPen pen_;
  TBrush brush_;
  HGDIOBJ old_font_ = nullptr, old_pen_ = nullptr, old_brush_ = nullptr;
  unsigned selected_ = 0; // kFont | kPen | kBrush: ours in the DC
};
