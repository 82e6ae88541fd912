// Two things a person sees of overlapping windows and controls, read back
// from the screen:
// - a form shown again while another window lies over it comes to the front
//   (a click on a link to a side window that is already open must show it);
// - an opaque control that covers the area being repainted hides all beneath
//   it: the controls under it are not painted, and a window's buffer is not
//   used when it paints alone, while a control above it still lands on top.
// Reads the screen, so it runs alone.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/Forms.h"
#include "classlib/PanelCtrls.h"
#include "classlib/tests/app_pump.h"

namespace {

COLORREF ScreenPixel(int x, int y) {
  HDC dc = GetDC(nullptr);
  const COLORREF p = GetPixel(dc, x, y);
  ReleaseDC(nullptr, dc);
  return p;
}

TForm* ColouredForm(int left, int top, TColor colour) {
  auto* f = New<TForm>(Application);
  f->SetBounds(left, top, 300, 200);
  f->SetColor(colour);
  return f;
}

class Forms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void TearDown() override {
    for (TForm* f : forms_) f->Free();
    Pump(50);
  }
  TForm* Make(int left, int top, TColor colour) {
    forms_.push_back(ColouredForm(left, top, colour));
    return forms_.back();
  }
  std::vector<TForm*> forms_;
};

TEST_F(Forms, ShowBringsAFormAlreadyShownUnderAnotherToTheFront) {
  TForm* a = Make(100, 100, clRed);
  TForm* b = Make(180, 160, clBlue);
  a->Show();
  Pump(100);
  b->Show();
  Pump(200);
  const POINT overlap{260, 240}; // inside both client areas
  ASSERT_EQ(GetAncestor(WindowFromPoint(overlap), GA_ROOT), b->Handle());
  EXPECT_EQ(ScreenPixel(overlap.x, overlap.y), ColorToRGB(clBlue));

  a->Show(); // already shown: it must still come up
  Pump(200);
  EXPECT_EQ(GetAncestor(WindowFromPoint(overlap), GA_ROOT), a->Handle());
  EXPECT_EQ(ScreenPixel(overlap.x, overlap.y), ColorToRGB(clRed));
  EXPECT_TRUE(b->Visible());

  b->Show();
  Pump(200);
  EXPECT_EQ(GetAncestor(WindowFromPoint(overlap), GA_ROOT), b->Handle());
  EXPECT_EQ(ScreenPixel(overlap.x, overlap.y), ColorToRGB(clBlue));
}

TEST_F(Forms, AHiddenFormStaysHiddenWhenItsOwnShowHandlerHidesIt) {
  TForm* a = Make(100, 100, clRed);
  a->OnShow = [a](TObject*) { a->Hide(); };
  a->Show();
  Pump(100);
  EXPECT_FALSE(a->Visible());
  EXPECT_FALSE(IsWindowVisible(a->Handle()));
}

// A control that counts its paints and fills its area with one colour.
struct Filler {
  TPaintBox* box = nullptr;
  int paints = 0;
  Filler(TForm* f, const TRect& r, TColor colour, bool opaque) {
    box = new TPaintBox(f);
    box->SetParent(f);
    box->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    if (opaque) box->ControlStyle.Include(csOpaque);
    box->OnPaint = [this, colour](TObject*) {
      ++paints;
      box->Canvas()->Brush()->SetColor(colour);
      box->Canvas()->FillRect(Rect(0, 0, box->Width(), box->Height()));
    };
  }
};

TEST_F(Forms, AnOpaqueControlCoveringTheRepaintHidesWhatLiesBeneath) {
  for (bool buffered : {true, false}) {
    SCOPED_TRACE(buffered ? "double-buffered" : "painted directly");
    TForm* f = Make(60, 60, clWhite);
    f->SetFormStyle(fsStayOnTop);
    f->SetDoubleBuffered(buffered);
    Filler back(f, Rect(0, 0, 300, 200), clGreen, true); // a background
    Filler picture(f, Rect(20, 20, 120, 80), clBlue, true);
    Filler label(f, Rect(100, 60, 160, 100), clYellow, false); // over the picture's corner
    f->Show();
    Pump(150);
    HDC dc = GetDC(f->Handle());
    EXPECT_EQ(GetPixel(dc, 5, 5), ColorToRGB(clGreen));
    EXPECT_EQ(GetPixel(dc, 50, 50), ColorToRGB(clBlue));
    EXPECT_EQ(GetPixel(dc, 110, 70), ColorToRGB(clYellow));

    // Inside the picture, away from the label: the picture alone.
    back.paints = picture.paints = label.paints = 0;
    RECT inside{30, 30, 90, 50};
    InvalidateRect(f->Handle(), &inside, TRUE);
    UpdateWindow(f->Handle());
    EXPECT_EQ(back.paints, 0);
    EXPECT_EQ(picture.paints, 1);
    EXPECT_EQ(label.paints, 0);
    EXPECT_EQ(GetPixel(dc, 50, 40), ColorToRGB(clBlue));

    // Where the label lies over the picture: both, the label on top.
    back.paints = picture.paints = label.paints = 0;
    RECT corner{100, 60, 120, 80};
    InvalidateRect(f->Handle(), &corner, TRUE);
    UpdateWindow(f->Handle());
    EXPECT_EQ(back.paints, 0);
    EXPECT_EQ(picture.paints, 1);
    EXPECT_EQ(label.paints, 1);
    EXPECT_EQ(GetPixel(dc, 110, 70), ColorToRGB(clYellow));

    // Past the picture's edge: the background is painted again.
    back.paints = 0;
    RECT across{110, 10, 140, 30};
    InvalidateRect(f->Handle(), &across, TRUE);
    UpdateWindow(f->Handle());
    EXPECT_EQ(back.paints, 1);
    EXPECT_EQ(GetPixel(dc, 130, 15), ColorToRGB(clGreen));
    EXPECT_EQ(GetPixel(dc, 115, 25), ColorToRGB(clBlue));
    ReleaseDC(f->Handle(), dc);
  }
}

} // namespace
