// The LED meter, LED switch and gradient background on a real form: what
// they paint (read back from the screen) and when they paint it.
#include <gtest/gtest.h>

#include "components/BackGradient.h"
#include "classlib/Forms.h"
#include "components/LedMeters.h"
#include "components/SwitchLed.h"
#include "components/tests/win/TestMeters.h"
#include "components/tests/win/TestWindows.h"

namespace {

// One form serves all cases (showing a form under Wine takes a while); each
// case frees the controls it made.
class ControlsWin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    form_ = new TForm(nullptr);
    form_->SetBounds(200, 150, 560, 320);
    form_->SetColor(clBlack);
    form_->Show();
    Settle();
  }
  static void TearDownTestSuite() { form_->Free(); }
  void TearDown() override {
    while (form_->ComponentCount() > 0) form_->Components(form_->ComponentCount() - 1)->Free();
    // Freed graphic controls leave their pixels until the form repaints.
    InvalidateRect(form_->Handle(), nullptr, TRUE);
    Settle();
  }

  static void Settle() { testwin::Pump(50); }
  // A pixel of the form's client area, as on the screen.
  COLORREF Screen(int x, int y) {
    HDC dc = GetDC(form_->Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(form_->Handle(), dc);
    return c;
  }
  static TForm* form_;
};
TForm* ControlsWin::form_ = nullptr;

} // namespace

TEST_F(ControlsWin, MeterPaintsLitAndDimSegments) {
  TLEDMeter* m = testwin::PlayerMeter(form_, 12, 128);
  int changes = 0;
  m->OnChange = [&](TObject* s) {
    EXPECT_EQ(s, m);
    ++changes;
  };
  Settle();
  m->SetPosition(50);
  EXPECT_EQ(changes, 1);
  // Drawn at once, without waiting for WM_PAINT.
  EXPECT_EQ(Screen(12 + 4, 130), RGB(0, 255, 0));
  EXPECT_EQ(Screen(12 + 29 * 8 + 4, 130), RGB(0, 255, 0));
  EXPECT_EQ(Screen(12 + 30 * 8 + 4, 130), RGB(0, 153, 0));
  EXPECT_EQ(Screen(12 + 45 * 8 + 4, 130), RGB(153, 153, 0));
  m->SetPosition(100);
  EXPECT_EQ(Screen(12 + 59 * 8 + 4, 130), RGB(255, 0, 0));
  m->SetPosition(-5);
  EXPECT_EQ(m->Position(), 0);
  EXPECT_EQ(Screen(12 + 4, 130), RGB(0, 153, 0));
  EXPECT_EQ(changes, 3);
  m->SetPosition(0);
  EXPECT_EQ(changes, 3);
  // A full repaint of the form shows the same.
  m->SetPosition(50);
  InvalidateRect(form_->Handle(), nullptr, TRUE);
  Settle();
  EXPECT_EQ(Screen(12 + 29 * 8 + 4, 130), RGB(0, 255, 0));
  EXPECT_EQ(Screen(12 + 30 * 8 + 4, 130), RGB(0, 153, 0));
}

TEST_F(ControlsWin, MeterWithoutDigitsDrawsNothing) {
  TLEDMeter* m = testwin::PlayerMeter(form_, 12, 40);
  m->SetNumDigits(0);
  m->SetPosition(50); // must not divide by zero
  Settle();
  EXPECT_EQ(Screen(12 + 4, 42), RGB(0, 0, 0));
}

TEST_F(ControlsWin, SwitchShowsTheColourOfItsState) {
  auto* led = new TSwitchLed(form_);
  EXPECT_EQ(led->Parent(), form_);
  led->SetBounds(480, 8, 13, 13);
  Settle();
  // Off: red by default.
  COLORREF c = Screen(480 + 7, 8 + 7);
  EXPECT_GT(GetRValue(c), 150);
  EXPECT_LT(GetGValue(c), 80);
  EXPECT_EQ(Screen(480, 8), RGB(0, 0, 0)); // transparent corner shows the form
  led->SetOffColor(Aqua);
  c = Screen(480 + 7, 8 + 7);
  EXPECT_GT(GetBValue(c), 150);
  EXPECT_GT(GetGValue(c), 150);
  EXPECT_LT(GetRValue(c), 80);
  led->SetLedState(LedOn);
  c = Screen(480 + 7, 8 + 7);
  EXPECT_GT(GetGValue(c), 150);
  EXPECT_LT(GetRValue(c), 80);

  // Unchanged values still repaint.
  const int painted = led->PaintCount();
  led->SetOnColor(Green);
  EXPECT_EQ(led->PaintCount(), painted + 1);

  // With AllowChanges off nothing changes, not even the picture.
  led->AllowChanges = false;
  led->SetLedState(LedOff);
  EXPECT_EQ(led->LedState(), LedOn);
  EXPECT_EQ(led->PaintCount(), painted + 1);
  led->AllowChanges = true;

  // A width of 20 is undone at the next paint.
  led->SetWidth(20);
  Settle();
  EXPECT_EQ(led->Width(), 13);
}

TEST_F(ControlsWin, BufferedGradientIsDrawnOncePerSize) {
  auto* g = new TBackGradient(form_);
  g->SetParent(form_);
  g->SetBounds(0, 0, 300, 256);
  g->SetStartColor(clBlack);
  g->SetEndColor(clWhite);
  Settle();
  const int first = g->DrawCount();
  EXPECT_EQ(first, 1);
  for (int i = 0; i < 3; ++i) {
    g->Invalidate();
    Settle();
  }
  EXPECT_EQ(g->DrawCount(), 1); // repaints are copies of the cache
  EXPECT_EQ(Screen(150, 255), RGB(255, 255, 255));
  EXPECT_NEAR(GetRValue(Screen(150, 128)), 128, 2);

  g->SetStartColor(clBlack); // unchanged: nothing
  g->SetStepWidth(11);       // ignored
  g->SetStepWidth(0);
  Settle();
  EXPECT_EQ(g->DrawCount(), 1);
  EXPECT_EQ(g->StepWidth(), 1);

  g->SetBounds(0, 0, 200, 100);
  Settle();
  Settle();
  EXPECT_EQ(g->DrawCount(), 2);
  g->SetDirection(gdUpLeft);
  Settle();
  EXPECT_EQ(g->DrawCount(), 3);
  EXPECT_EQ(Screen(100, 99), RGB(0, 0, 0));

  g->SetBuffered(false);
  Settle();
  const int n = g->DrawCount();
  g->Invalidate();
  Settle();
  EXPECT_EQ(g->DrawCount(), n + 1); // unbuffered: drawn at every paint
}

TEST_F(ControlsWin, BufferedEllipseLetsTheFormShowInTheCorners) {
  auto* g = new TBackGradient(form_);
  g->SetParent(form_);
  g->SetBounds(10, 10, 200, 120);
  g->SetStyle(gsEllipse);
  g->SetStartColor(clRed);
  g->SetEndColor(clYellow);
  Settle();
  EXPECT_EQ(Screen(11, 11), RGB(0, 0, 0)); // the form's black, not silver
  EXPECT_NE(Screen(110, 70), RGB(0, 0, 0));
  g->SetBounds(10, 10, 4, 3); // tiny: no division by zero
  Settle();
}
