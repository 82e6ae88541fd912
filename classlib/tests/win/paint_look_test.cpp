// The look of the stock controls, painted into 24-bit bitmaps and read back:
// the 3D frames of panels and bevels (which colour owns each corner), the
// engraved text of a disabled label, the group box's etched frame and the gap
// behind its caption, and the canvas calls they are drawn with.
//
// With PAINT_LOOK_DIR set, the program also writes sheets of every variant
// (labels, group boxes, panels, bevels, the hint window) as .bmp files into
// that folder, so that two builds can be compared pixel by pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/PanelCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/support/BitmapPixels.h"
#include "classlib/tests/app_pump.h"
#include "classlib/tests/controls_test_input.h"

namespace {

using test_support::Fill;
using test_support::PixelAt;

TColor Sys(TColor c) { return static_cast<TColor>(ColorToRGB(c)); }

// What does not belong to any control: shows where a control leaves pixels.
constexpr TColor kBackdrop = clFuchsia;

// Paints `c` with its top-left corner at (x, y) of the bitmap, clipped to the
// control, the way a parent paints it.
void PaintInto(TBitmap& b, TControl* c, int x, int y) {
  HDC dc = b.Canvas()->Handle();
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
  if (auto* g = dynamic_cast<TGraphicControl*>(c))
    g->PaintTo(dc);
  else
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
}

// One control painted alone on the backdrop.
struct Shot {
  explicit Shot(TControl* c) : bmp(c->Width(), c->Height()) {
    Fill(bmp, kBackdrop);
    PaintInto(bmp, c, 0, 0);
  }
  TColor operator()(int x, int y) { return PixelAt(bmp, x, y); }
  TBitmap bmp;
};

// The bounding box of the pixels of one colour (empty when there are none).
TRect BoxOf(TBitmap& b, TColor c) {
  TRect r = Rect(b.Width(), b.Height(), 0, 0);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (PixelAt(b, x, y) == c) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}

bool Has(TBitmap& b, TColor c) { return BoxOf(b, c).Width() > 0; }

class Look : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(Application);
    form_->SetBounds(0, 0, 640, 480);
  }
  void TearDown() override { form_->Free(); }

  template <class T>
  T* Make(int w, int h) {
    T* c = new T(form_);
    c->SetBounds(0, 0, w, h);
    c->SetParent(form_);
    if (auto* l = dynamic_cast<TLabel*>(c)) l->SetAutoSize(false);
    return c;
  }

  TForm* form_ = nullptr;
};

// --- The canvas's own frames and text ----------------------------------------------------------

TEST_F(Look, Frame3DGivesTheOuterCornersToTheBottomRightColour) {
  TBitmap b(10, 8);
  Fill(b, clWhite);
  TRect r = Rect(0, 0, 10, 8);
  b.Canvas()->Frame3D(r, clRed, clBlue, 2);
  EXPECT_EQ(r, Rect(2, 2, 8, 6));
  EXPECT_EQ(PixelAt(b, 0, 0), clRed);
  EXPECT_EQ(PixelAt(b, 8, 0), clRed);
  EXPECT_EQ(PixelAt(b, 9, 0), clBlue); // top-right
  EXPECT_EQ(PixelAt(b, 0, 7), clBlue); // bottom-left
  EXPECT_EQ(PixelAt(b, 0, 6), clRed);
  EXPECT_EQ(PixelAt(b, 1, 1), clRed); // second ring
  EXPECT_EQ(PixelAt(b, 8, 6), clBlue);
  EXPECT_EQ(PixelAt(b, 2, 2), clWhite); // inside untouched
  // A frame never draws on a rectangle too small to hold it.
  TRect thin = Rect(0, 0, 1, 5);
  Fill(b, clWhite);
  b.Canvas()->Frame3D(thin, clRed, clBlue, 3);
  EXPECT_EQ(thin, Rect(0, 0, 1, 5));
  EXPECT_EQ(PixelAt(b, 0, 0), clWhite);
}

TEST_F(Look, BevelCutsRaiseLowerOrOnlyMakeRoom) {
  TBitmap b(12, 12);
  Fill(b, clWhite);
  TCanvas* c = b.Canvas();
  TRect r = Rect(0, 0, 12, 12);
  c->Bevel(r, bvRaised, 1);
  c->Bevel(r, bvSpace, 2);
  c->Bevel(r, bvLowered, 1);
  c->Bevel(r, bvNone, 5);
  EXPECT_EQ(r, Rect(4, 4, 8, 8));
  EXPECT_EQ(PixelAt(b, 0, 0), Sys(clBtnHighlight));
  EXPECT_EQ(PixelAt(b, 11, 11), Sys(clBtnShadow));
  EXPECT_EQ(PixelAt(b, 1, 1), clWhite); // the space is left as it was
  EXPECT_EQ(PixelAt(b, 3, 3), Sys(clBtnShadow));
  EXPECT_EQ(PixelAt(b, 8, 8), Sys(clBtnHighlight));
}

TEST_F(Look, FillingWithAColourLeavesTheBrushAlone) {
  TBitmap b(6, 6);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clLime);
  c->FillRect(Rect(0, 0, 6, 6), clNavy);
  c->FillRect(Rect(3, 3, 6, 6), clBtnFace);
  EXPECT_EQ(PixelAt(b, 0, 0), clNavy);
  EXPECT_EQ(PixelAt(b, 5, 5), Sys(clBtnFace));
  EXPECT_EQ(c->Brush()->Color(), clLime);
  c->FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(PixelAt(b, 1, 1), clLime);
}

TEST_F(Look, EngravedTextIsAHighlightOneDownRightOfItsShadow) {
  TBitmap b(60, 30);
  Fill(b, clBtnFace);
  TCanvas* c = b.Canvas();
  c->Font()->SetHeight(-20);
  c->Font()->SetStyle({fsBold});
  c->Font()->SetColor(clRed);
  TRect r = Rect(0, 0, 60, 30);
  c->DrawEngravedText("Ш", r, DT_SINGLELINE);
  TRect shadow = BoxOf(b, Sys(clBtnShadow)), light = BoxOf(b, Sys(clBtnHighlight));
  ASSERT_GT(shadow.Width(), 0);
  // (Smoothed glyph edges may blend the last column of either colour.)
  EXPECT_EQ(light.Left, shadow.Left + 1);
  EXPECT_EQ(light.Top, shadow.Top + 1);
  EXPECT_GT(light.Right, shadow.Right);
  EXPECT_GT(light.Bottom, shadow.Bottom);
  EXPECT_FALSE(Has(b, clRed));                   // not in the font's colour
  EXPECT_EQ(c->Font()->Color(), clRed);          // which stays the font's
  EXPECT_EQ(PixelAt(b, 59, 29), Sys(clBtnFace)); // no background behind the text
}

// --- The controls ----------------------------------------------------------------------------

TEST_F(Look, PanelFramesNestBorderBevelsAndGap) {
  auto* p = Make<TPanel>(40, 30);
  p->SetBorderStyle(bsSingle);
  p->SetBevelOuter(bvRaised);
  p->SetBevelInner(bvLowered);
  p->SetBorderWidth(2);
  Shot s(p);
  EXPECT_EQ(s(0, 0), Sys(clWindowFrame));
  EXPECT_EQ(s(39, 29), Sys(clWindowFrame));
  EXPECT_EQ(s(1, 1), Sys(clBtnHighlight));
  EXPECT_EQ(s(38, 1), Sys(clBtnShadow)); // the outer bevel's top-right
  EXPECT_EQ(s(1, 28), Sys(clBtnShadow));
  EXPECT_EQ(s(2, 2), Sys(clBtnFace));   // the border gap
  EXPECT_EQ(s(4, 4), Sys(clBtnShadow)); // the inner, lowered bevel
  EXPECT_EQ(s(35, 25), Sys(clBtnHighlight));
  EXPECT_EQ(s(5, 5), Sys(clBtnFace));
  EXPECT_EQ(p->InnerRect(), Rect(5, 5, 35, 25));
}

TEST_F(Look, BevelShapesDrawTheirLinesInTheStylesColours) {
  auto* b = Make<TBevel>(20, 16);
  TColor hi = Sys(clBtnHighlight), lo = Sys(clBtnShadow);
  {
    Shot s(b); // a lowered box
    EXPECT_EQ(s(0, 0), lo);
    EXPECT_EQ(s(19, 0), hi);
    EXPECT_EQ(s(19, 15), hi);
    EXPECT_EQ(s(5, 5), kBackdrop); // a bevel paints no face
  }
  b->SetShape(bsFrame);
  {
    Shot s(b); // two nested one-colour frames
    EXPECT_EQ(s(0, 0), lo);
    EXPECT_EQ(s(18, 0), lo);
    EXPECT_EQ(s(0, 14), lo);
    EXPECT_EQ(s(1, 1), hi);
    EXPECT_EQ(s(19, 15), hi);
    EXPECT_EQ(s(19, 0), kBackdrop);
  }
  b->SetStyle(bsRaised);
  b->SetShape(bsBottomLine);
  {
    Shot s(b);
    EXPECT_EQ(s(10, 14), hi);
    EXPECT_EQ(s(10, 15), lo);
    EXPECT_EQ(s(10, 13), kBackdrop);
  }
  b->SetShape(bsRightLine);
  {
    Shot s(b);
    EXPECT_EQ(s(18, 0), hi);
    EXPECT_EQ(s(19, 15), lo);
    EXPECT_EQ(s(17, 8), kBackdrop);
  }
}

TEST_F(Look, DisabledLabelIsEngravedEnabledOneIsInItsFontColour) {
  auto* l = Make<TLabel>(60, 30);
  l->SetCaption("Ш");
  l->Font()->SetHeight(-20);
  l->Font()->SetStyle({fsBold});
  l->Font()->SetColor(clBlue);
  l->SetColor(clWhite);
  {
    Shot s(l);
    EXPECT_TRUE(Has(s.bmp, clBlue));
    EXPECT_EQ(s(59, 29), clWhite); // an opaque label fills itself
  }
  l->SetEnabled(false);
  l->SetTransparent(true);
  Shot s(l);
  TRect shadow = BoxOf(s.bmp, Sys(clBtnShadow)), light = BoxOf(s.bmp, Sys(clBtnHighlight));
  ASSERT_GT(shadow.Width(), 0);
  EXPECT_EQ(light.Right, shadow.Right + 1);
  EXPECT_EQ(light.Bottom, shadow.Bottom + 1);
  EXPECT_FALSE(Has(s.bmp, clBlue));
  EXPECT_EQ(s(59, 29), kBackdrop); // a transparent one does not
}

TEST_F(Look, LabelLayoutPlacesTheTextTopMiddleOrBottom) {
  auto* l = Make<TLabel>(60, 60);
  l->SetCaption("Ж");
  l->Font()->SetColor(clBlack);
  int tops[3] = {};
  for (TTextLayout t : {tlTop, tlCenter, tlBottom}) {
    l->SetLayout(t);
    Shot s(l);
    tops[t] = BoxOf(s.bmp, clBlack).Top;
  }
  EXPECT_LT(tops[tlTop], 10);
  EXPECT_GT(tops[tlCenter], tops[tlTop] + 15);
  EXPECT_GT(tops[tlBottom], tops[tlCenter] + 15);
}

TEST_F(Look, LabelLayoutMeasuresInTheLabelsFontNotTheOneTheDcHeld) {
  auto* l = Make<TLabel>(60, 60);
  l->SetCaption("Ж");
  l->Font()->SetHeight(-30);
  l->Font()->SetColor(clBlack);
  l->SetLayout(tlBottom);
  TBitmap b(60, 60);
  Fill(b, clWhite);
  b.Canvas()->Font()->SetHeight(-6); // what the parent's DC happens to hold
  b.Canvas()->TextOut(0, 0, "");
  PaintInto(b, l, 0, 0);
  TRect text = BoxOf(b, clBlack);
  EXPECT_GT(text.Height(), 18); // the whole letter, not a strip of it
  EXPECT_GT(text.Bottom, 50);
}

TEST_F(Look, GroupBoxWithoutCaptionStillRaisesOnPaint) {
  auto* g = Make<TGroupBox>(50, 40);
  int paints = 0;
  g->OnPaint = [&](TObject*) { ++paints; };
  Shot bare(g);
  g->SetCaption("Эфир");
  Shot titled(g);
  EXPECT_EQ(paints, 2);
}

TEST_F(Look, GroupBoxFrameIsEtchedAndBrokenBehindTheCaption) {
  auto* g = Make<TGroupBox>(120, 60);
  g->SetColor(clWhite);
  g->Font()->SetColor(clBlack);
  Shot bare(g);
  // The line row: the first row of the etched frame.
  int y = 0;
  while (y < 30 && bare(60, y) != Sys(clBtnShadow)) ++y;
  ASSERT_LT(y, 30);
  EXPECT_EQ(bare(60, y + 1), Sys(clBtnHighlight));
  EXPECT_EQ(bare(20, y), Sys(clBtnShadow)); // unbroken without a caption
  g->SetCaption("Запись");
  Shot s(g);
  EXPECT_EQ(s(8, y), clWhite); // the gap starts 7 pixels in
  EXPECT_EQ(s(6, y), Sys(clBtnShadow));
  EXPECT_EQ(s(110, y), Sys(clBtnShadow));
  EXPECT_TRUE(Has(s.bmp, clBlack));
  EXPECT_EQ(s(0, 59), Sys(clBtnHighlight)); // etched: the outer bottom-left
  g->SetEnabled(false);
  Shot off(g);
  EXPECT_FALSE(Has(off.bmp, clBlack));
  EXPECT_TRUE(Has(off.bmp, Sys(clGrayText)));
}

// --- Sheets of every variant, for comparing two builds ------------------------------------------

// Paints `n` variants in a grid of cells of the given size; `setup(i)` sets
// the control up as variant i.
void Sheet(const std::string& dir, const std::string& name, TControl* c, int n, int cols, int cw,
           int ch, const std::function<void(int)>& setup) {
  int rows = (n + cols - 1) / cols;
  TBitmap b(cols * cw, rows * ch);
  Fill(b, kBackdrop);
  for (int i = 0; i < n; ++i) {
    setup(i);
    PaintInto(b, c, (i % cols) * cw, (i / cols) * ch);
  }
  b.SaveToFile(dir + "\\" + name + ".bmp");
}

TEST_F(Look, SheetsOfEveryVariant) {
  const char* env = std::getenv("PAINT_LOOK_DIR");
  if (!env) GTEST_SKIP() << "PAINT_LOOK_DIR not set";
  std::string dir = env;

  auto* l = Make<TLabel>(80, 36);
  Sheet(dir, "label", l, 72, 9, 84, 40, [&](int i) {
    l->SetEnabled(i % 2 == 0);
    l->SetTransparent(i / 2 % 2 == 1);
    l->SetWordWrap(i / 4 % 2 == 1);
    l->SetAlignment(static_cast<TAlignment>(i / 8 % 3));
    l->SetLayout(static_cast<TTextLayout>(i / 24 % 3));
    l->SetColor(i / 8 % 2 == 1 ? clYellow : clBtnFace);
    l->SetCaption(l->WordWrap() ? "Громкость и &звук" : "Эфир &1");
  });

  auto* g = Make<TGroupBox>(110, 50);
  Sheet(dir, "groupbox", g, 4, 2, 114, 54, [&](int i) {
    g->SetCaption(i % 2 ? "Станции" : "");
    g->SetEnabled(i < 2);
  });

  auto* p = Make<TPanel>(70, 40);
  // 16 bevel combinations, then border styles and widths, then captions.
  Sheet(dir, "panel", p, 16 + 8 + 6, 8, 74, 44, [&](int i) {
    p->SetCaption("Панель");
    p->SetEnabled(true);
    p->SetAlignment(taCenter);
    if (i < 16) {
      p->SetBevelOuter(static_cast<TBevelCut>(i % 4));
      p->SetBevelInner(static_cast<TBevelCut>(i / 4));
      p->SetBorderWidth(2);
      p->SetBevelWidth(1);
      p->SetBorderStyle(bsNone);
    } else if (i < 24) {
      int k = i - 16;
      p->SetBorderStyle(k % 2 ? bsSingle : bsNone);
      p->SetBorderWidth(k / 2 % 2 ? 3 : 0);
      p->SetBevelWidth(k / 4 ? 3 : 1);
      p->SetBevelOuter(bvRaised);
      p->SetBevelInner(bvLowered);
    } else {
      int k = i - 24;
      p->SetBevelOuter(bvLowered);
      p->SetBevelInner(bvNone);
      p->SetBorderWidth(0);
      p->SetBevelWidth(1);
      p->SetBorderStyle(bsNone);
      p->SetAlignment(static_cast<TAlignment>(k % 3));
      p->SetEnabled(k < 3);
    }
  });

  auto* bv = Make<TBevel>(40, 30);
  Sheet(dir, "bevel", bv, 14, 7, 44, 34, [&](int i) {
    bv->SetShape(static_cast<TBevelShape>(i % 7));
    bv->SetStyle(static_cast<TBevelStyle>(i / 7));
  });

  // The hint window, as the screen shows it.
  auto* host = new TForm(Application);
  host->SetBounds(100, 100, 200, 100);
  auto* tip = new TLabel(host);
  tip->SetBounds(10, 10, 80, 20);
  tip->SetParent(host);
  tip->SetHint("Громкость звука: колесо мыши|длинная подсказка");
  tip->SetShowHint(true);
  host->Show();
  Pump(100);
  Application->HintPause = 1;
  Application->HintHidePause = 10000;
  tip->Perform(CM_MOUSEENTER);
  SendMessageW(Application->Handle(), WM_TIMER, 1, 0);
  Pump(200);
  HWND hint = FindWindowW(L"THintWindow", nullptr);
  ASSERT_TRUE(hint && IsWindowVisible(hint));
  UpdateWindow(hint);
  std::wstring wdir(dir.begin(), dir.end());
  EXPECT_TRUE(testinput::SaveScreenshot(hint, wdir + L"\\hint.bmp"));
  tip->Perform(CM_MOUSELEAVE);
  host->Free();
}

} // namespace
