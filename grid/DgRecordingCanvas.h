// TDgRecordingCanvas: an TDgCanvas that remembers every call and paints a
// 24-bit buffer (0x00BBGGRR per pixel) for the shapes: fills, frames, lines,
// pixels, polygons, inversion and pixmaps, within the clip. Text is recorded
// but not painted; each character measures 6 by 13 pixels. Painters' tests
// check the calls and the pixels; the grid's own tests use it as the canvas.
#pragma once

#include <string>
#include <vector>

#include "grid/DgCanvas.h"

struct TDgCall {
  std::string Op; // "Line", "FillRect", "FrameRect", "Polygon", "Pixel", "Invert",
                  // "FocusRect", "Clip", "RemoveClip", "Font", "Escapement", "TextColor",
                  // "Brush", "BrushClear", "Text", "Pixmap"
  TRect R;
  TColor Color = 0, Color2 = 0;
  std::vector<TPoint> Points;
  WideString Text;
  unsigned Flags = 0;
  int Value = 0;
  bool Flag = false;
};

class TDgRecordingCanvas : public TDgCanvas {
 public:
  static constexpr int CharWidth = 6, LineHeight = 13;

  TDgRecordingCanvas(int Width = 256, int Height = 64, TColor Background = clWhite);

  // What was drawn.
  const std::vector<TDgCall>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  // The calls of one kind, in order.
  std::vector<TDgCall> CallsOf(const std::string& op) const;
  // Resolved colour at (x, y); -1 outside the buffer.
  TColor Pixel(int x, int y) const;
  int Width() const { return w_; }
  int Height() const { return h_; }
  const TDgFont& CurrentFont() const { return font_; }
  TColor TextColor() const override { return text_color_; }
  TColor BrushColor() const override { return brush_color_; }
  bool BrushClear() const { return brush_clear_; }
  int Escapement() const { return escapement_; }

  void Line(int x1, int y1, int x2, int y2, TColor color) override;
  void FillRect(const TRect& r, TColor color) override;
  void FrameRect(const TRect& r, TColor color) override;
  void Polygon(const std::vector<TPoint>& points, TColor pen, TColor fill) override;
  void SetPixel(int x, int y, TColor color) override;
  TColor GetPixel(int x, int y) override { return Pixel(x, y); }
  void InvertRect(const TRect& r) override;
  void DrawFocusRect(const TRect& r) override;
  TRect ClipBox() override { return clip_; }
  void SetClipRect(const TRect& r) override;
  void RemoveClip() override;
  void SetFont(const TDgFont& font) override;
  void SetEscapement(int tenths) override;
  void SetTextColor(TColor color) override;
  void SetBrushColor(TColor color) override;
  void SetBrushClear(bool clear) override;
  int DrawText(const WideString& text, TRect& r, unsigned flags) override;
  TSize TextExtent(const WideString& text) override;
  void DrawPixmap(int x, int y, const TDgPixmap& pixmap, bool transparent,
                  TColor transparentColor) override;
  TDgPixmap ReadPixmap(const TRect& r) override;

 private:
  void Put(int x, int y, TColor c); // within the clip
  void Record(TDgCall c) { calls_.push_back(std::move(c)); }
  void Plot(int x1, int y1, int x2, int y2, TColor c);

  int w_ = 0, h_ = 0;
  std::vector<TColor> pixels_;
  TRect clip_;
  std::vector<TDgCall> calls_;
  TDgFont font_;
  int escapement_ = 0;
  TColor text_color_ = clWindowText, brush_color_ = clWhite;
  bool brush_clear_ = false;
};
