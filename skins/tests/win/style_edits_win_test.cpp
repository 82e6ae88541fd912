// The editor styles' bevel on a bitmap's DC and their frame on a real
// window: one line of the bottom colour by default, the selection's lowered
// border with its two inner frames while hot, nothing for ebNone, and the
// three pixels of the style's colour under the bevel on the window's DC.
#include <gtest/gtest.h>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/PanelCtrls.h"
#include "classlib/tests/support/BitmapPixels.h"
#include "classlib/tests/support/MessagePump.h"
#include "skins/sStyleEdits.h"
#include "skins/tests/FakeOwner.h"

namespace {

using skins::TsEditorBevel;
using test_support::PixelAt;

TColor Rgb(TColor c) { return static_cast<TColor>(ColorToRGB(c)); }

struct Sample {
  Sample() : bmp(30, 20) {
    test_support::Fill(bmp, clWhite);
    owner.bounds = Rect(0, 0, 30, 20);
    style.KindCode = skins::kind::Edit;
  }
  void Paint() { skins::PaintBevel(&style, bmp.Canvas()->Handle(), Rect(0, 0, 30, 20)); }
  TBitmap bmp;
  skins::test::FakeOwner owner;
  skins::TsStyle style{&owner};
};

}  // namespace

TEST(EditorBevel, DefaultIsOneLineOfTheBottomColour) {
  Sample s;
  s.Paint();
  GdiFlush();
  const TColor bottom = Rgb(0x7E756B);
  EXPECT_EQ(PixelAt(s.bmp, 0, 10), bottom);
  EXPECT_EQ(PixelAt(s.bmp, 15, 0), bottom);
  EXPECT_EQ(PixelAt(s.bmp, 29, 10), bottom);
  EXPECT_EQ(PixelAt(s.bmp, 15, 19), bottom);
  EXPECT_EQ(PixelAt(s.bmp, 1, 10), clWhite);
  EXPECT_EQ(PixelAt(s.bmp, 15, 10), clWhite);
}

TEST(EditorBevel, HotLoweredBorderHasTwoInnerFrames) {
  Sample s;
  s.style.Selection()->Border()->SetBevel(TsEditorBevel::ebLowered);
  s.style.MouseOver = true;
  ASSERT_TRUE(s.style.IsHot());
  s.Paint();
  GdiFlush();
  EXPECT_EQ(PixelAt(s.bmp, 1, 10), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(s.bmp, 28, 10), clWhite);
  EXPECT_EQ(PixelAt(s.bmp, 2, 10), Rgb(cl3DDkShadow));
  EXPECT_EQ(PixelAt(s.bmp, 27, 10), Rgb(cl3DLight));
  EXPECT_EQ(PixelAt(s.bmp, 15, 10), clWhite);
  // Without msBorder the hot look keeps the painting's bevel.
  Sample plain;
  plain.style.Selection()->Border()->SetBevel(TsEditorBevel::ebLowered);
  plain.style.Selection()->SetMode(skins::TModeSelectionItem::msColor);
  plain.style.MouseOver = true;
  plain.Paint();
  GdiFlush();
  EXPECT_EQ(PixelAt(plain.bmp, 1, 10), clWhite);
}

TEST(EditorBevel, NoneDrawsNothing) {
  Sample s;
  s.style.Painting()->SetBevel(TsEditorBevel::ebNone);
  s.Paint();
  GdiFlush();
  for (int x : {0, 15, 29}) EXPECT_EQ(PixelAt(s.bmp, x, 0), clWhite);
}

TEST(EditorBorder, FrameOfTheStyleColourUnderTheBevel) {
  TForm* form = new TForm(nullptr);
  form->SetBounds(40, 40, 200, 120);
  auto* box = new TPanel(form);
  box->SetParent(form);
  box->SetBounds(10, 10, 80, 30);
  form->Show();
  test_support::Pump(200);
  skins::test::FakeOwner owner;
  owner.bounds = box->BoundsRect();
  skins::TsStyle style(&owner);
  style.KindCode = skins::kind::Edit;
  skins::PaintBorder(&style, box);
  HDC dc = GetWindowDC(box->Handle());
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 0, 15)), Rgb(0x7E756B));
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 1, 15)), Rgb(0xECFFFF));
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 2, 15)), Rgb(0xECFFFF));
  ReleaseDC(box->Handle(), dc);
  form->Free();
}
