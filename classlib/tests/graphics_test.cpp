// Drawing into 24-bit (and 32-bit) bitmaps and reading the pixels back: canvas
// operations, colours (system colours included), text, copies with and
// without a transparent colour, files, icons and image lists.
#include <gtest/gtest.h>

#include "classlib/Bitmap.h"
#include "classlib/ImgList.h"
#include "classlib/SysUtils.h"
#include "classlib/tests/support/BitmapPixels.h"

using test_support::Fill;
using test_support::PixelAt;

TEST(Bitmap, ScanLineRowsAreBlueGreenRedTopDown) {
  TBitmap b(5, 3);
  EXPECT_EQ(b.RowBytes(), 16);
  uint8_t* row = b.ScanLine(2);
  row[3] = 10; // pixel (1, 2): blue 10, green 20, red 30
  row[4] = 20;
  row[5] = 30;
  EXPECT_EQ(b.Canvas()->Pixels(1, 2), classlib::RGBColor(30, 20, 10));
  b.Canvas()->SetPixel(4, 0, clRed);
  EXPECT_EQ(b.ScanLine(0)[14], 0xFF); // red byte of pixel (4, 0)
  EXPECT_THROW(b.ScanLine(3), EListError);
  EXPECT_THROW(b.ScanLine(-1), EListError);
}

TEST(Bitmap, ResizeKeepsTheOverlapAndStartsBlack) {
  TBitmap b(4, 4);
  Fill(b, clLime);
  b.SetSize(6, 2);
  EXPECT_EQ(PixelAt(b, 3, 1), clLime);
  EXPECT_EQ(PixelAt(b, 5, 1), clBlack);
  b.SetSize(0, 0);
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, ThirtyTwoBitPixelsKeepTheirColoursThroughFormatCopiesAndFiles) {
  TBitmap b(3, 2);
  Fill(b, clTeal);
  b.Canvas()->SetPixel(2, 1, clYellow);
  b.SetPixelFormat(pf32bit); // the pixels move over, colour for colour
  ASSERT_EQ(b.PixelFormat(), pf32bit);
  EXPECT_EQ(b.RowBytes(), 12);
  EXPECT_EQ(PixelAt(b, 2, 1), clYellow);
  EXPECT_EQ(PixelAt(b, 0, 0), clTeal);
  b.ScanLine(0)[4 + 2] = 0x80; // red byte of pixel (1, 0)
  EXPECT_EQ(b.Canvas()->Pixels(1, 0), static_cast<TColor>(clTeal | 0x80));
  EXPECT_EQ(b.TransparentColor(), clTeal); // the bottom-left pixel
  b.SetSize(4, 2);
  EXPECT_EQ(PixelAt(b, 2, 1), clYellow);
  EXPECT_EQ(PixelAt(b, 3, 1), clBlack);
  TBitmap c;
  c.Assign(&b);
  EXPECT_EQ(c.PixelFormat(), pf32bit);
  EXPECT_EQ(PixelAt(c, 2, 1), clYellow);
  TBitmap onto(4, 2);
  onto.Canvas()->Draw(0, 0, &b);
  EXPECT_EQ(PixelAt(onto, 2, 1), clYellow);
  const std::string name = GetTempDir() + "classlib_bitmap32_test.bmp";
  b.SaveToFile(name);
  TBitmap d;
  d.LoadFromFile(name);
  DeleteFile(name);
  EXPECT_EQ(PixelAt(d, 2, 1), clYellow);
  b.SetPixelFormat(pf24bit);
  EXPECT_EQ(PixelAt(b, 2, 1), clYellow);
  EXPECT_EQ(b.RowBytes(), 12);
}

TEST(Canvas, ShapesUsePenAndBrush) {
  TBitmap b(40, 40);
  Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  c->Pen()->SetColor(clBlue);
  c->Brush()->SetColor(clYellow);
  c->Rectangle(5, 5, 20, 20);
  EXPECT_EQ(PixelAt(b, 5, 5), clBlue);     // outline
  EXPECT_EQ(PixelAt(b, 12, 12), clYellow); // inside
  EXPECT_EQ(PixelAt(b, 20, 20), clWhite);  // right and bottom are exclusive
  c->Brush()->SetStyle(bsClear);
  c->Pen()->SetColor(clRed);
  c->Ellipse(22, 22, 38, 38);
  EXPECT_EQ(PixelAt(b, 30, 30), clWhite); // a clear brush leaves the inside
  c->Brush()->SetColor(clGreen);          // a colour makes the brush solid again
  c->Polygon({Point(0, 39), Point(10, 29), Point(20, 39)});
  EXPECT_EQ(PixelAt(b, 10, 36), clGreen);
  c->Pen()->SetColor(clBlack);
  c->MoveTo(0, 25);
  c->LineTo(10, 25);
  EXPECT_EQ(PixelAt(b, 5, 25), clBlack);
  EXPECT_EQ(c->PenPos(), Point(10, 25));
  c->Brush()->SetColor(clFuchsia);
  c->FrameRect(Rect(30, 0, 40, 10));
  EXPECT_EQ(PixelAt(b, 30, 5), clFuchsia);
  EXPECT_EQ(PixelAt(b, 35, 5), clWhite);
  c->RoundRect(0, 0, 4, 4, 2, 2);
}

TEST(Canvas, SystemColoursResolveThroughTheSystem) {
  TBitmap b(4, 4);
  Fill(b, clBtnFace);
  EXPECT_EQ(static_cast<COLORREF>(PixelAt(b, 1, 1)), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clRed), static_cast<COLORREF>(0x0000FF));
  EXPECT_EQ(clWindow, static_cast<TColor>(0xFF000005));
  EXPECT_EQ(ColorToRGB(clWindow), GetSysColor(COLOR_WINDOW));
}

TEST(Canvas, TextIsDrawnMeasuredAndClipped) {
  TBitmap b(200, 30);
  Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  c->Font()->SetName("Arial");
  c->Font()->SetHeight(-16);
  c->Font()->SetColor(clBlack);
  c->Brush()->SetStyle(bsClear);
  std::string text = "Композиция";
  int w = c->TextWidth(text);
  EXPECT_GT(w, 40);
  EXPECT_GT(c->TextHeight(text), 10);
  c->TextOut(2, 2, text);
  int dark = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 200; ++x) dark += PixelAt(b, x, y) != clWhite;
  EXPECT_GT(dark, 30);
  // Bold text is wider.
  c->Font()->SetStyle({fsBold});
  EXPECT_GE(c->TextWidth(text), w);
  // TextRect clips: nothing right of the rectangle changes.
  Fill(b, clWhite);
  c->Brush()->SetStyle(bsClear);
  c->TextRect(Rect(0, 0, 20, 30), 0, 0, "WWWWWWWWWW");
  for (int y = 0; y < 30; ++y)
    for (int x = 20; x < 200; ++x) ASSERT_EQ(PixelAt(b, x, y), clWhite) << x << "," << y;
}

TEST(Canvas, FontPenBrushChangesAreAnnounced) {
  TFont f;
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetSize(10);
  f.SetSize(10); // unchanged: silent
  f.SetStyle({fsBold, fsUnderline});
  f.SetColor(clRed);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(f.Size(), 10);
  EXPECT_EQ(f.Height(), -13);
  TFont g;
  g.Assign(&f);
  EXPECT_TRUE(g.Style().Contains(fsUnderline));
  EXPECT_EQ(g.Color(), clRed);
  TPen p;
  p.SetWidth(3);
  TPen q;
  q.Assign(&p);
  EXPECT_EQ(q.Width(), 3);
  EXPECT_THROW(q.Assign(&f), EConvertError);
}

TEST(Canvas, EachChangedObjectIsReselectedAndTheDcGetsItsOwnBack) {
  TBitmap target(80, 40);
  Fill(target, clWhite);
  HDC dc = target.Canvas()->Handle();
  target.Canvas()->SetHandle(nullptr); // the bitmap's DC, lent to a plain canvas
  HGDIOBJ font0 = GetCurrentObject(dc, OBJ_FONT), pen0 = GetCurrentObject(dc, OBJ_PEN),
          brush0 = GetCurrentObject(dc, OBJ_BRUSH);
  {
    TCanvas c;
    c.SetHandle(dc);
    c.Font()->SetHeight(-30);
    int big = c.TextHeight("Ж");
    c.Pen()->SetColor(clRed); // the pen alone is remade
    c.MoveTo(0, 39);
    c.LineTo(80, 39);
    EXPECT_EQ(c.TextHeight("Ж"), big);
    c.Font()->SetHeight(-10); // after the pen was selected again
    EXPECT_LT(c.TextHeight("Ж"), big);
    c.Brush()->SetColor(clYellow);
    c.Font()->SetColor(clBlue); // keeps its handle, still takes effect
    c.Brush()->SetStyle(bsClear);
    c.TextOut(2, 2, "ЖЖЖ");
    c.Pen()->SetColor(clGreen);
    c.MoveTo(0, 37);
    c.LineTo(80, 37);
    c.SetHandle(nullptr);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush0);
  bool blue = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) blue |= PixelAt(target, x, y) == clBlue;
  EXPECT_TRUE(blue);
  EXPECT_EQ(PixelAt(target, 40, 39), clRed);
  EXPECT_EQ(PixelAt(target, 40, 37), clGreen);
  EXPECT_EQ(PixelAt(target, 60, 20), clWhite); // a clear brush: no box behind the text
}

TEST(Canvas, CopiesPlainStretchedAndTransparent) {
  TBitmap src(10, 10);
  Fill(src, clRed);
  src.Canvas()->Brush()->SetColor(clLime);
  src.Canvas()->FillRect(Rect(0, 0, 5, 10)); // left half lime
  TBitmap dst(20, 20);
  Fill(dst, clBlue);
  dst.Canvas()->Draw(0, 0, &src);
  EXPECT_EQ(PixelAt(dst, 2, 2), clLime);
  EXPECT_EQ(PixelAt(dst, 7, 2), clRed);
  dst.Canvas()->StretchDraw(Rect(0, 10, 20, 20), &src);
  EXPECT_EQ(PixelAt(dst, 9, 15), clLime);
  EXPECT_EQ(PixelAt(dst, 11, 15), clRed);
  // Transparent by a fixed colour: the lime half lets the blue through.
  Fill(dst, clBlue);
  src.SetTransparent(true);
  src.SetTransparentColor(clLime);
  dst.Canvas()->Draw(5, 5, &src);
  EXPECT_EQ(PixelAt(dst, 7, 7), clBlue);
  EXPECT_EQ(PixelAt(dst, 12, 7), clRed);
  // Automatic transparent colour: the bottom-left pixel (lime).
  src.SetTransparentColor(clDefault);
  EXPECT_EQ(src.TransparentColor(), clLime);
  Fill(dst, clBlue);
  dst.Canvas()->TransparentCopy(Rect(0, 0, 10, 10), src.Canvas(), Rect(0, 0, 10, 10), clRed);
  EXPECT_EQ(PixelAt(dst, 2, 2), clLime);
  EXPECT_EQ(PixelAt(dst, 7, 2), clBlue);
  dst.Canvas()->CopyRect(Rect(0, 0, 20, 20), src.Canvas(), Rect(5, 0, 10, 5));
  EXPECT_EQ(PixelAt(dst, 19, 19), clRed);
}

TEST(Bitmap, FileRoundTripAndCopies) {
  TBitmap b(7, 5);
  Fill(b, clNavy);
  b.Canvas()->SetPixel(6, 4, clYellow);
  std::string name = GetTempDir() + "classlib_bitmap_test.bmp";
  b.SaveToFile(name);
  TBitmap c;
  c.LoadFromFile(name);
  DeleteFile(name);
  ASSERT_EQ(c.Width(), 7);
  ASSERT_EQ(c.Height(), 5);
  EXPECT_EQ(PixelAt(c, 6, 4), clYellow);
  EXPECT_EQ(PixelAt(c, 0, 0), clNavy);
  TBitmap d;
  d.Assign(&c);
  EXPECT_EQ(PixelAt(d, 6, 4), clYellow);
  EXPECT_THROW(d.LoadFromFile(name), EInOutError);
  EXPECT_THROW(d.LoadFromResourceName(nullptr, "NO_SUCH_BITMAP"), EResNotFound);
  TPicture pic;
  int changes = 0;
  pic.OnChange = [&](TObject*) { ++changes; };
  pic.Bitmap()->Assign(&c);
  EXPECT_EQ(pic.Width(), 7);
  EXPECT_GE(changes, 2);
  EXPECT_THROW(pic.LoadFromFile("x.png"), EInOutError);
}

TEST(Icon, MissingFileOrResourceRaisesNamingIt) {
  TIcon icon;
  std::string name = GetTempDir() + "classlib_no_such_icon.ico";
  try {
    icon.LoadFromFile(name);
    ADD_FAILURE() << "no exception";
  } catch (const EInOutError& e) { EXPECT_EQ(e.Message(), "Cannot load icon \"" + name + "\""); }
  try {
    icon.LoadFromResourceName(nullptr, "NO_SUCH_ICON");
    ADD_FAILURE() << "no exception";
  } catch (const EResNotFound& e) { EXPECT_EQ(e.Message(), "Resource NO_SUCH_ICON not found"); }
  EXPECT_TRUE(icon.Empty());
}

TEST(ImageList, KeepsImagesAndIcons) {
  TImageList list(nullptr);
  list.SetSize(8, 8);
  TBitmap strip(16, 8);
  Fill(strip, clRed);
  strip.Canvas()->Brush()->SetColor(clLime);
  strip.Canvas()->FillRect(Rect(8, 0, 16, 8));
  EXPECT_EQ(list.AddMasked(&strip, clNone), 0);
  EXPECT_EQ(list.Count(), 2);
  TBitmap out;
  list.GetBitmap(1, &out);
  EXPECT_EQ(PixelAt(out, 3, 3), clLime);
  TIcon icon;
  list.GetIcon(0, &icon);
  EXPECT_FALSE(icon.Empty());
  EXPECT_EQ(icon.Width(), 8);
  EXPECT_EQ(list.AddIcon(&icon), 2);
  TBitmap target(8, 8);
  Fill(target, clWhite);
  target.Canvas()->Draw(0, 0, &icon);
  EXPECT_EQ(PixelAt(target, 4, 4), clRed);
  EXPECT_THROW(list.GetBitmap(5, &out), EListError);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 2);
}
