// The built-in pictures as the program carries them, and the masked borders
// on real windows: a window with one child per predefined border (six) and
// state (normal, hot, pressed), each child's image painted with its border
// and its window region cut by the mask's magenta corners. A screenshot of
// the window is kept in the build folder as skins_borders.bmp.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/tests/support/MessagePump.h"
#include "classlib/tests/support/Screenshot.h"
#include "skins/sBorders.h"
#include "skins/sPictures.h"

namespace {

const TColor kFace = static_cast<TColor>(RGB(236, 233, 216));
const TColor kBehind = static_cast<TColor>(RGB(0, 90, 110));

// A control showing one border in one state over a plain face.
class TBorderSample : public TCustomControl {
 public:
  TBorderSample(TComponent* owner, skins::TsPredefinedBorders kind, int state)
      : TCustomControl(owner), kind_(kind), state_(state) {}

  // Paints the image and gives the window its region.
  void Prepare() {
    image_.SetSize(Width(), Height());
    image_.Canvas()->Brush()->SetColor(kFace);
    image_.Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    HRGN region = CreateRectRgn(0, 0, Width(), Height());
    skins::PaintMaskedBorder(&image_, skins::BorderMask(kind_), state_, true, 0xFF00FF, region);
    SetWindowRgn(Handle(), region, TRUE);  // the window owns the region now
  }

 protected:
  void Paint() override {
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), image_.Canvas()->Handle(), 0, 0, SRCCOPY);
  }

 private:
  skins::TsPredefinedBorders kind_;
  int state_;
  TBitmap image_;
};

class BordersWindow : public testing::Test {
 protected:
  skins::TsPicturesUse use_;
};

}  // namespace

TEST(Pictures, EachLoadsAtItsSizeAndGoesWithTheLastUse) {
  const struct { const char* name; int w, h; } pictures[] = {
      {"BORD1", 90, 60}, {"BORD2", 90, 60}, {"BORD3", 90, 60}, {"BORD4", 90, 60},
      {"BORD5", 54, 36}, {"BORD6", 450, 96}, {"RCC", 14, 14}, {"RUC", 14, 14},
      {"RCH", 14, 14}, {"RUH", 14, 14}, {"CCC", 16, 16}, {"CUC", 16, 16},
      {"CCH", 16, 16}, {"CUH", 16, 16}, {"SF", 60, 34}, {"SR", 60, 34},
      {"SD", 48, 34}, {"SE", 54, 34}, {"SC", 57, 34}, {"COMBO", 57, 34}};
  EXPECT_EQ(skins::LoadedPictureCount(), 0) << "nothing loads before it is asked for";
  {
    skins::TsPicturesUse use;
    for (const auto& p : pictures) {
      TBitmap* b = skins::BuiltinPicture(p.name);
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(b->Width(), p.w) << p.name;
      EXPECT_EQ(b->Height(), p.h) << p.name;
      EXPECT_EQ(skins::BuiltinPicture(p.name), b) << "loaded once";
    }
    TBitmap* missing = skins::BuiltinPicture("NOSUCHPICTURE");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->Width(), 0);
    EXPECT_EQ(skins::BorderMask(skins::TsPredefinedBorders::pdCustom),
              skins::BuiltinPicture("BORD1"));
    TBitmap custom(9, 6);
    EXPECT_EQ(skins::BorderMask(skins::TsPredefinedBorders::pdCustom, &custom), &custom);
    EXPECT_EQ(skins::BorderMask(skins::TsPredefinedBorders::pdBorder5),
              skins::BuiltinPicture("BORD5"));
    skins::TsPicturesUse second;
  }
  EXPECT_EQ(skins::LoadedPictureCount(), 0);
}

TEST(MaskedBorderRegion, TheRegionLosesExactlyTheCutPixels) {
  skins::TsPicturesUse use;
  TBitmap* mask = skins::BuiltinPicture("BORD1");
  for (auto [w, h] : {std::pair{22, 150}, {84, 22}, {15, 15}}) {
    TBitmap image(w, h), copy(w, h);
    std::vector<TRect> cut;
    skins::PaintMaskedBorder(skins::BitmapPixels(&copy), skins::BitmapPixels(mask), 1, false,
                             skins::TRgb{255, 0, 255}, &cut);
    std::set<std::pair<int, int>> holes;
    for (const TRect& r : cut)
      for (int x = r.Left; x < r.Right; ++x) holes.insert({x, r.Top});
    ASSERT_FALSE(holes.empty());
    HRGN region = CreateRectRgn(0, 0, w, h);
    skins::PaintMaskedBorder(&image, mask, 1, false, clFuchsia, region);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(PtInRegion(region, x, y) != 0, holes.count({x, y}) == 0) << x << "," << y;
    DeleteObject(region);
    // The picture is the core's.
    for (int y = 0; y < h; ++y)
      ASSERT_EQ(0, memcmp(image.ScanLine(y), copy.ScanLine(y), w * 3)) << y;
  }
  // An empty mask leaves the region whole.
  TBitmap image(30, 30), empty;
  HRGN region = CreateRectRgn(0, 0, 30, 30);
  skins::PaintMaskedBorder(&image, &empty, 0, true, clFuchsia, region);
  EXPECT_TRUE(PtInRegion(region, 0, 0));
  DeleteObject(region);
}

TEST_F(BordersWindow, SixBordersInThreeStatesWithTheirCornersCut) {
  TForm* form = new TForm(nullptr);
  form->SetBorderStyle(bsSingle);
  form->SetCaption("Korvalis — рамки");
  form->SetColor(kBehind);
  form->SetBounds(40, 40, 100, 100);
  form->SetClientSize(3 * 130 + 14, 6 * 48 + 14);
  TBorderSample* samples[6][3] = {};
  for (int b = 0; b < 6; ++b)
    for (int s = 0; s < 3; ++s) {
      auto* c = new TBorderSample(form, static_cast<skins::TsPredefinedBorders>(b), s);
      c->SetParent(form);
      c->SetBounds(12 + s * 130, 12 + b * 48, 120, 38);
      samples[b][s] = c;
    }
  form->Show();
  for (auto& row : samples)
    for (TBorderSample* c : row) c->Prepare();
  test_support::Pump(300);

  for (int b = 0; b < 6; ++b)
    for (int s = 0; s < 3; ++s) {
      SCOPED_TRACE(testing::Message() << "BORD" << b + 1 << " state " << s);
      TBorderSample* c = samples[b][s];
      HRGN region = CreateRectRgn(0, 0, 0, 0);
      ASSERT_NE(GetWindowRgn(c->Handle(), region), ERROR);
      const int w = c->Width(), h = c->Height();
      EXPECT_FALSE(PtInRegion(region, 0, 0));
      EXPECT_FALSE(PtInRegion(region, w - 1, 0));
      EXPECT_FALSE(PtInRegion(region, 0, h - 1));
      EXPECT_FALSE(PtInRegion(region, w - 1, h - 1));
      EXPECT_TRUE(PtInRegion(region, w / 2, h / 2));
      EXPECT_TRUE(PtInRegion(region, w / 2, 0)) << "the outline stays";
      DeleteObject(region);
      // On screen: the form shows through a cut corner.
      HDC dc = GetDC(form->Handle());
      EXPECT_EQ(GetPixel(dc, c->Left(), c->Top()), ColorToRGB(kBehind));
      ReleaseDC(form->Handle(), dc);
    }
  HDC screen = GetDC(nullptr);
  EXPECT_TRUE(test_support::SaveDcBmp(screen, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                      GetSystemMetrics(SM_CYSCREEN), L"skins_borders.bmp"));
  ReleaseDC(nullptr, screen);
  form->Free();
}

TEST(Disabled, HalfWayToTheParentsColourResolvedFromASystemColour) {
  TForm* form = new TForm(nullptr);
  form->SetColor(clBtnFace);
  TBitmap image(12, 8);
  image.Canvas()->Brush()->SetColor(clWhite);
  image.Canvas()->FillRect(Rect(0, 0, 12, 8));
  skins::PaintDisabled(&image, skins::TsDisabledKind{skins::TsDisabledKindItem::dkBlended}, form,
                       TPoint{5, 5}, skins::kNoParentBackground);
  const COLORREF face = ColorToRGB(clBtnFace);
  const uint8_t* p = image.ScanLine(4) + 6 * 3;
  EXPECT_LE(std::abs(2 * p[0] - (255 + GetBValue(face))), 4);
  EXPECT_LE(std::abs(2 * p[1] - (255 + GetGValue(face))), 4);
  EXPECT_LE(std::abs(2 * p[2] - (255 + GetRValue(face))), 4);
  form->Free();
}
