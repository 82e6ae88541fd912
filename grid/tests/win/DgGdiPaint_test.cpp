// The grid's painters on GDI: the canvas's shapes, clip, pixmaps and alpha
// drawing, and one header band per style painted into a memory bitmap and
// checked by its pixels (system and scheme colours at chosen points).
#include <gtest/gtest.h>

#include <memory>

#include "grid/DgCanvasWin.h"
#include "grid/DgDisplays.h"
#include "grid/DgSharedDraw.h"
#include "grid/DgThemesSupportWin.h"

namespace {

// A 24-bit memory bitmap to paint on.
struct Surface {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
  int w, h;
  Surface(int W, int H) : w(W), h(H) {
    HDC screen = GetDC(nullptr);
    bmp = CreateCompatibleBitmap(screen, W, H);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bmp);
    RECT r{0, 0, W, H};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  ~Surface() {
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  TColor At(int x, int y) const { return TColor(GetPixel(dc, x, y)); }
};

TColor Sys(TColor c) { return TColor(GetSysColor(int(uint32_t(c) & 0xFF))); }

TDgColumnLook Column(TDgColumnPlace place, const char16_t* caption) {
  TDgColumnLook c;
  c.Header.Caption = caption;
  c.Place = place;
  return c;
}

// Three columns of a band at y 0..20, 60 pixels each, the middle one sorted.
void PaintBand(TStyleDisplay& d, int y) {
  const TDgColumnPlace places[3] = {TDgColumnPlace::First, TDgColumnPlace::Middle,
                                    TDgColumnPlace::Last};
  const char16_t* names[3] = {u"№", u"Название", u"Размер"};
  for (int i = 0; i < 3; ++i) {
    TDgColumnLook c = Column(places[i], names[i]);
    c.Sorted = i == 1;
    d.DrawHeader(c, TRect{i * 60, y, i * 60 + 60, y + 20});
  }
  d.DrawHeaderRest(TRect{180, y, 240, y + 20});
}

} // namespace

TEST(DgGdiCanvas, ShapesClipAndPixmaps) {
  Surface s(64, 64);
  {
    TDgGdiCanvas c(s.dc);
    c.FillRect({0, 0, 10, 10}, clRed);
    c.Line(0, 20, 10, 20, clBtnShadow);
    c.FrameRect({20, 0, 30, 10}, clLime);
    c.Polygon({{40, 0}, {50, 0}, {45, 8}}, clBlue, clBlue);
    c.SetPixel(60, 60, clWhite);
    c.SetClipRect({0, 30, 5, 40});
    c.FillRect({0, 30, 20, 40}, clYellow);
    c.RemoveClip();
    TDgPixmap p(2, 2, 0x00FF00FF);
    p.At(0, 0) = 0x00123456;
    c.DrawPixmap(30, 50, p, true, 0xFF00FF);
    c.InvertRect({50, 50, 52, 52});
  }
  EXPECT_EQ(s.At(5, 5), 0x0000FF);
  EXPECT_EQ(s.At(9, 20), Sys(clBtnShadow));
  EXPECT_EQ(s.At(10, 20), 0); // the end point is left out
  EXPECT_EQ(s.At(20, 5), 0x00FF00);
  EXPECT_EQ(s.At(25, 5), 0);
  EXPECT_EQ(s.At(45, 3), 0xFF0000);
  EXPECT_EQ(s.At(60, 60), 0xFFFFFF);
  EXPECT_EQ(s.At(4, 35), 0x00FFFF);
  EXPECT_EQ(s.At(6, 35), 0); // clipped
  EXPECT_EQ(s.At(30, 50), 0x123456);
  EXPECT_EQ(s.At(31, 50), 0); // transparent
  EXPECT_EQ(s.At(51, 51), 0xFFFFFF);
}

TEST(DgGdiCanvas, AlphaBitmapAndTextMeasure) {
  Surface s(64, 64);
  TDgGdiCanvas c(s.dc);
  c.FillRect({0, 0, 64, 64}, clWhite);
  TDgPixmap p(4, 4, 0x800000FF); // half red over white
  p.Alpha = true;
  DrawAlphaBitmap(c, 10, 10, p);
  EXPECT_EQ(c.ReadPixmap({10, 10, 11, 11}).At(0, 0), uint32_t(BlendColor(0xFF, 0xFFFFFF, 0x80)));
  TDgFont f;
  c.SetFont(f);
  const TSize one = c.TextExtent(u"Ж"), three = c.TextExtent(u"ЖЖЖ");
  EXPECT_GT(one.cx, 0);
  EXPECT_EQ(three.cx, one.cx * 3);
  TRect r{0, 0, 0, 0};
  c.DrawText(u"Строка", r, DgText::CalcRect | DgText::SingleLine);
  EXPECT_EQ(r.Width(), c.TextExtent(u"Строка").cx);
}

TEST(DgGdiPaint, OneHeaderBandPerStyle) {
  const THeaderStyle styles[7] = {hsAuto,     hsFlatBorders, hsOffice2007, hsOffice2010,
                                  hsOldStyle, hsOutlook,     hsVista};
  Surface s(240, 7 * 20);
  {
    TDgGdiCanvas c(s.dc);
    for (int i = 0; i < 7; ++i) {
      std::unique_ptr<TStyleDisplay> d(CreateStyleDisplay(styles[i], nullptr));
      d->Canvas = &c;
      d->GridColor = clWindow;
      PaintBand(*d, i * 20);
    }
  }
  // Default: raised headers in button face, highlight on top, shadow below.
  EXPECT_EQ(s.At(30, 0), Sys(clBtnHighlight));
  EXPECT_EQ(s.At(30, 19), Sys(clBtnShadow));
  EXPECT_EQ(s.At(200, 10), Sys(clWindow)); // the rest
  // Flat: grey lines at the right and the bottom.
  EXPECT_EQ(s.At(59, 30), Sys(clGrayText));
  EXPECT_EQ(s.At(30, 39), Sys(clGrayText));
  // Office 2007: white at the top toward scheme 11; scheme 2 along the bottom,
  // scheme 10 between columns.
  EXPECT_EQ(s.At(5, 40), 0xFFFFFF);
  EXPECT_EQ(s.At(5, 59), SchemeColor(2));
  EXPECT_EQ(s.At(59, 45), SchemeColor(10));
  EXPECT_EQ(s.At(179, 45), SchemeColor(2));
  // Office 2010: scheme 6 toward scheme 7; its sort arrow filled grey-blue.
  EXPECT_EQ(s.At(5, 60), SchemeColor(6));
  EXPECT_EQ(s.At(5, 78), MixColors(SchemeColor(6), SchemeColor(7), 18.0 / 20));
  // Old style: window-frame edges.
  EXPECT_EQ(s.At(59, 90), Sys(clWindowFrame));
  EXPECT_EQ(s.At(30, 90), Sys(clBtnFace));
  // Outlook: the three shaded rows at the bottom.
  EXPECT_EQ(s.At(30, 117), BlendColor(clBtnShadow, clBtnFace, 50));
  EXPECT_EQ(s.At(30, 119), BlendColor(clBtnShadow, clBtnFace, 150));
  // Vista: the unsorted face, the sorted column's white with its blue top.
  EXPECT_EQ(s.At(30, 137), 0xF0F0F0);
  EXPECT_EQ(s.At(70, 137), 0xFFFFFF); // below the caption
  EXPECT_EQ(s.At(70, 121), MixColors(0xF0DCAF, 0xFFFFFF, 1.0 / 6));
}

TEST(DgThemes, AbsentVisualStyleIsOff) {
  // A fresh prefix has no visual style; asking must not fail.
  EXPECT_NO_THROW(ThemesEnabled());
  Surface s(20, 20);
  RECT r{0, 0, 20, 20};
  EXPECT_NO_THROW(DrawThemed(nullptr, s.dc, r, L"header", 1, 1));
}
