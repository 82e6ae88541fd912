// Pixels of what the components draw into memory bitmaps: the meter bevel,
// ellipse and pyramid gradients, the LED pictures and PNG images from the
// program's resources. (Meters and gradients on a form: controls_win_test.)
#include <gtest/gtest.h>

#include "components/ComponentsGdi.h"
#include "classlib/Bitmap.h"
#include "components/SwitchLedCore.h"
#include "components/PngResource.h"

namespace {

// A 32-bit memory bitmap to draw into and read back.
class Surface {
 public:
  Surface(int w, int h, COLORREF fill = RGB(1, 2, 3)) : w_(w), h_(h) {
    dc_ = CreateCompatibleDC(nullptr);
    bmp_ = classlib::CreateTopDownDib(w, h, 32, nullptr);
    old_ = SelectObject(dc_, bmp_);
    RECT r{0, 0, w, h};
    HBRUSH b = CreateSolidBrush(fill);
    FillRect(dc_, &r, b);
    DeleteObject(b);
    canvas_.SetHandle(dc_);
  }
  ~Surface() {
    canvas_.SetHandle(nullptr);
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  TCanvas& canvas() { return canvas_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  int w_, h_;
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
  TCanvas canvas_;
};

} // namespace

TEST(GdiPaint, MeterBevelLowered) {
  components::LedMeterCore m;
  m.SetNumDigits(10);
  Surface s(102, 12);
  gdi::DrawMeter(s.canvas(), m.Segments(102, 12), 0, bvLowered, 102, 12);
  EXPECT_EQ(s.At(50, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(s.At(0, 6), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(s.At(50, 11), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(s.At(101, 6), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(GdiPaint, MeterBevelCornersFollowItsLines) {
  // The frame's first line runs from the top-right corner over the top and
  // down the left side; the second from the bottom-left corner along the
  // bottom and up the right side.
  struct Case {
    TBevelCut cut;
    int first, second;
  };
  for (const Case& c : {Case{bvLowered, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT},
                        Case{bvRaised, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}}) {
    components::LedMeterCore m;
    m.SetNumDigits(4);
    m.SetBevelStyle(c.cut);
    Surface s(42, 10);
    gdi::DrawMeter(s.canvas(), m.Segments(42, 10), RGB(0, 0, 255), c.cut, 42, 10);
    EXPECT_EQ(s.At(0, 0), GetSysColor(c.first)) << c.cut;
    EXPECT_EQ(s.At(41, 0), GetSysColor(c.first)) << c.cut;
    EXPECT_EQ(s.At(0, 9), GetSysColor(c.second)) << c.cut;
    EXPECT_EQ(s.At(41, 9), GetSysColor(c.second)) << c.cut;
    EXPECT_EQ(s.At(1, 1), RGB(0, 0, 255)) << c.cut; // the first segment's outline
  }
  // Without a bevel the segments reach the edge and nothing frames them.
  components::LedMeterCore m;
  m.SetNumDigits(4);
  m.SetBevelStyle(bvNone);
  Surface s(40, 10);
  gdi::DrawMeter(s.canvas(), m.Segments(40, 10), RGB(0, 0, 255), bvNone, 40, 10);
  EXPECT_EQ(s.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(s.At(5, 5), static_cast<COLORREF>(m.DimColor(0)));
}

TEST(GdiPaint, BufferedEllipseLeavesSilverCorners) {
  const components::GradientColors c = BuildColors(RGB(0, 0, 255), RGB(255, 255, 0), gdDownRight);
  Surface s(100, 80);
  gdi::DrawGradient(s.canvas(), components::DrawGradientShapes(gsEllipse, c, 100, 80, 1, true));
  EXPECT_EQ(s.At(0, 0), RGB(192, 192, 192));
  EXPECT_EQ(s.At(99, 79), RGB(192, 192, 192));
  EXPECT_NE(s.At(50, 40), RGB(192, 192, 192));
  EXPECT_NE(s.At(50, 40), RGB(1, 2, 3));
}

TEST(GdiPaint, PyramidDrawsEveryPixelFromTheTable) {
  const TColor k = classlib::RGBColor(10, 200, 30);
  Surface s(60, 40);
  gdi::DrawGradient(s.canvas(), components::DrawGradientShapes(
                                    gsPyramid, BuildColors(k, k, gdDownRight), 60, 40, 1, false));
  int painted = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) painted += static_cast<TColor>(s.At(x, y)) == k;
  EXPECT_GT(painted, 60 * 40 * 9 / 10);
}

TEST(GdiPaint, LedPicturesComeFromTheResources) {
  for (int c = Aqua; c <= Black; ++c) {
    HBITMAP bmp = static_cast<HBITMAP>(LoadImageW(
        GetModuleHandleW(nullptr), components::LedResourceName(static_cast<TLedColor>(c)),
        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bmp, nullptr) << c;
    BITMAP bm{};
    GetObjectW(bmp, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 13);
    EXPECT_EQ(bm.bmHeight, 13);
    EXPECT_EQ(bm.bmBitsPixel, 24);
    Surface s(13, 13, RGB(255, 0, 255));
    gdi::DrawResourceBitmap(s.canvas(), 0, 0,
                            components::LedResourceName(static_cast<TLedColor>(c)),
                            components::kLedTransparent);
    EXPECT_EQ(s.At(0, 0), RGB(255, 0, 255)) << c; // corner: transparent
    EXPECT_NE(s.At(6, 8), RGB(255, 0, 255)) << c;
    DeleteObject(bmp);
  }
  // Red is red, aqua is aqua.
  Surface s(13, 13);
  gdi::DrawResourceBitmap(s.canvas(), 0, 0, L"RED", components::kLedTransparent);
  const COLORREF px = s.At(7, 7);
  EXPECT_GT(GetRValue(px), 150);
  EXPECT_LT(GetGValue(px), 60);
  // A picture that is not there draws nothing.
  Surface none(13, 13);
  gdi::DrawResourceBitmap(none.canvas(), 0, 0, L"NOSUCHLED", components::kLedTransparent);
  EXPECT_EQ(none.At(7, 7), RGB(1, 2, 3));
}

TEST(GdiPaint, PngPicturesFromTheResourcesAreBlended) {
  for (const wchar_t* name : {L"PNGIMAGE0", L"PNGIMAGE1", L"PNGIMAGE2"}) {
    TPngImage png;
    components::LoadPngResource(png, name);
    EXPECT_EQ(png.Width(), 32);
    Surface s(40, 40, RGB(0, 0, 0));
    components::DrawPng(s.dc(), 4, 4, png);
    EXPECT_EQ(s.At(4, 4), RGB(0, 0, 0));          // transparent corner
    EXPECT_NE(s.At(4 + 4, 4 + 16), RGB(0, 0, 0)); // inside the disc
  }
  TPngImage png;
  EXPECT_THROW(components::LoadPngResource(png, L"NOSUCHPNG"), EPngError);
}
