// Pictures decoded by the platform under Wine: a bitmap drawn at its size and
// stretched (upright), the frames of a two-frame GIF, and a GIF taken from
// the test program's own RCDATA resource.
#include <gtest/gtest.h>

#include "classlib/Bitmap.h"
#include "components/PictureContainer.h"

namespace {

TBitmap* White(int w, int h) {
  auto* b = new TBitmap(w, h);
  b->Canvas()->Brush()->SetColor(clWhite);
  b->Canvas()->FillRect(Rect(0, 0, w, h));
  return b;
}

bool Near(TColor c, TColor want) {
  auto d = [](int a, int b) { return a > b ? a - b : b - a; };
  return d(c & 0xFF, want & 0xFF) < 40 && d((c >> 8) & 0xFF, (want >> 8) & 0xFF) < 40 &&
         d((c >> 16) & 0xFF, (want >> 16) & 0xFF) < 40;
}

} // namespace

TEST(PictureWin, BitmapDrawnAtItsSizeAndStretchedUpright) {
  TBitmap src(4, 4);
  src.Canvas()->Brush()->SetColor(clRed);
  src.Canvas()->FillRect(Rect(0, 0, 4, 2));
  src.Canvas()->Brush()->SetColor(clBlue);
  src.Canvas()->FillRect(Rect(0, 2, 4, 4));
  src.SaveToFile("picture_win_test.bmp");
  THTMLPicture p;
  p.LoadFromFile("picture_win_test.bmp");
  ASSERT_FALSE(p.Empty());
  EXPECT_EQ(p.Width(), 4);
  EXPECT_EQ(p.Height(), 4);
  TBitmap* dst = White(40, 40);
  p.Draw(dst->Canvas()->Handle(), Rect(10, 10, 30, 30));
  EXPECT_TRUE(Near(dst->Canvas()->Pixels(11, 10), clRed));
  EXPECT_TRUE(Near(dst->Canvas()->Pixels(11, 13), clBlue));
  EXPECT_TRUE(Near(dst->Canvas()->Pixels(15, 11), clWhite));
  p.Stretch = true;
  p.Draw(dst->Canvas()->Handle(), Rect(0, 20, 40, 40));
  EXPECT_TRUE(Near(dst->Canvas()->Pixels(35, 22), clRed));
  EXPECT_TRUE(Near(dst->Canvas()->Pixels(35, 38), clBlue));
  delete dst;
  THTMLPicture bad;
  EXPECT_THROW(bad.LoadFromBytes("not a picture at all"), Exception);
  EXPECT_TRUE(bad.Empty());
}

TEST(PictureWin, TwoFrameGifShowsTheChosenFrame) {
  THTMLPicture p;
  p.LoadFromURL("RES://ALERTGIF");
  ASSERT_FALSE(p.Empty());
  EXPECT_EQ(p.ID(), "RES://ALERTGIF");
  EXPECT_EQ(p.FrameCount(), 2);
  p.Stretch = true;
  TBitmap* dst = White(20, 20);
  p.Draw(dst->Canvas()->Handle(), Rect(0, 0, 10, 10));
  EXPECT_TRUE(Near(dst->Canvas()->Pixels(5, 5), clBlack));
  p.SetFrame(2);
  p.Draw(dst->Canvas()->Handle(), Rect(0, 0, 10, 10));
  EXPECT_TRUE(Near(dst->Canvas()->Pixels(5, 5), clRed));
  EXPECT_TRUE(Near(dst->Canvas()->Pixels(15, 15), clWhite));
  delete dst;
  THTMLPicture missing;
  missing.LoadFromURL("res://NOSUCHRESOURCE");
  EXPECT_TRUE(missing.Empty());
}
