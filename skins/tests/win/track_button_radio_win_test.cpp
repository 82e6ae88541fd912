// The skinned track bar, buttons and radio buttons on real windows, driven
// with real input (SendInput): a form with a horizontal and a vertical bar,
// a default and a cancel button and three radio buttons. Pixels are read
// from the screen on the faces, away from text. A screenshot of the form is
// kept in the build folder as skins_track_button_radio.bmp.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/tests/app_pump.h"
#include "classlib/tests/controls_test_input.h"
#include "skins/sCustomButton.h"
#include "skins/sFadeTimer.h"
#include "skins/sRadioButton.h"
#include "skins/sTrackBar.h"

namespace {

using skins::TsButton;
using skins::TsRadioButton;
using skins::TsTrackBar;

const char kBarGradient[] =
    "12632256;8421504;67;0;0;8421504;12632256;31;0;0;12632256;12632256;0;0;0";
const char kBarHot[] =
    "16777215;10127749;6;0;0;10127749;16777215;42;0;0;16777215;9798519;42;0;0;9798519;"
    "16777215;8;0;0;16777215;16777215;0;0;0";

const char kButtonGradient[] = "8421504;16777215;99;0;0;16777215;16777215;0;0;0";
const char kButtonHot[] =
    "8421504;8421504;10;0;0;8421504;16777215;43;0;0;16777215;10658466;28;0;0;10658466;"
    "13816530;18;0;0;13816530;13816530;0;0;0";

struct Counts {
  int change = 0, click = 0;
};

// A form laid out as a form's layout does: properties while loading, then
// the handlers, then Loaded.
class TestForm : public TForm {
 public:
  using TForm::TForm;
  TsTrackBar *hbar = nullptr, *vbar = nullptr;
  TsButton *ok = nullptr, *cancel = nullptr;
  TsRadioButton* radio[3] = {};
  Counts hbar_n, vbar_n, ok_n, cancel_n, radio_n[3];
  int loading_changes = 0;

 protected:
  void CreateLayout() override {
    SetCaption("Korvalis — ползунки и кнопки");
    SetBorderStyle(bsSingle);
    SetBounds(30, 30, 100, 100);
    SetClientSize(360, 220);
    hbar = new TsTrackBar(this);
    hbar->SetParent(this);
    hbar->SetBounds(10, 10, 200, 30);
    hbar->SetMax(30);
    hbar->SetPageSize(5);
    vbar = new TsTrackBar(this);
    vbar->SetParent(this);
    vbar->SetBounds(300, 10, 22, 150);
    vbar->SetOrientation(trVertical);
    // Bound before the values on purpose: loading must not fire it.
    vbar->OnChange = [this](TObject*) { ++loading_changes; };
    vbar->SetMax(30);
    vbar->SetPosition(15);
    vbar->SetThumbLength(15);
    vbar->SetHint("310\xE3\xF6");
    vbar->SetShowHint(true);
    for (TsTrackBar* b : {hbar, vbar}) {
      b->sStyle()->Background()->Gradient()->SetData(kBarGradient);
      b->sStyle()->HotStyle()->HotBackground()->Gradient()->SetData(kBarHot);
    }
    ok = new TsButton(this);
    ok->SetParent(this);
    ok->SetBounds(10, 60, 84, 22);
    ok->SetCaption("Применить");
    ok->SetDefault(true);
    cancel = new TsButton(this);
    cancel->SetParent(this);
    cancel->SetBounds(110, 60, 84, 22);
    cancel->SetCaption("Закрыть");
    cancel->SetCancel(true);
    for (TsButton* b : {ok, cancel}) {
      b->sStyle()->Background()->Gradient()->SetData(kButtonGradient);
      b->sStyle()->HotStyle()->HotBackground()->Gradient()->SetData(kButtonHot);
    }
    for (int i = 0; i < 3; ++i) {
      radio[i] = new TsRadioButton(this);
      radio[i]->SetParent(this);
      radio[i]->SetBounds(10, 100 + 24 * i, 150, 18);
      radio[i]->SetCaption("Режим " + std::to_string(i + 1));
    }
    radio[0]->SetChecked(true);
  }
  void Loaded() override {
    TForm::Loaded();
    hbar->OnChange = [this](TObject*) { ++hbar_n.change; };
    vbar->OnChange = [this](TObject*) { ++vbar_n.change; };
    ok->OnClick = [this](TObject*) { ++ok_n.click; };
    cancel->OnClick = [this](TObject*) { ++cancel_n.click; };
    for (int i = 0; i < 3; ++i) {
      radio[i]->OnChange = [this, i](TObject*) { ++radio_n[i].change; };
    }
  }
};

struct Rgb {
  int r, g, b;
  int Sum() const { return r + g + b; }
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

// A pixel of control c as the screen shows it.
Rgb ScreenAt(TControl* c, int x, int y) {
  const TPoint p = c->ClientToScreen(Point(x, y));
  HDC dc = GetDC(nullptr);
  const COLORREF v = GetPixel(dc, p.X, p.Y);
  ReleaseDC(nullptr, dc);
  return Rgb{GetRValue(v), GetGValue(v), GetBValue(v)};
}

bool Differs(Rgb a, Rgb b) {
  return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 24;
}

void FillBitmap(TBitmap& b, uint8_t v) {
  GdiFlush();
  for (int y = 0; y < b.Height(); ++y) std::memset(b.ScanLine(y), v, static_cast<size_t>(b.RowBytes()));
}

// A fade step blends into the control's kept scratch image: made once for
// a size, reused by the following steps, made anew for a new size; the
// blend reaches the target either way.
TEST(FadeStep, KeepsItsScratchImageUntilTheSizeChanges) {
  TBitmap previous(8, 4), current(8, 4), target(12, 6), blend;
  FillBitmap(previous, 0);
  FillBitmap(current, 255);
  skins::PaintFadeStep(&current, &previous, skins::TFadeMode::In, 128, blend, target.Canvas()->Handle());
  const HBITMAP made = blend.Handle();
  ASSERT_NE(made, nullptr);
  GdiFlush();
  EXPECT_NEAR(target.ScanLine(1)[3], 128, 2); // previous keeps half
  EXPECT_EQ(target.ScanLine(5)[3 * 10], 0);   // outside the images: untouched
  skins::PaintFadeStep(&current, &previous, skins::TFadeMode::Out, 0, blend, target.Canvas()->Handle());
  EXPECT_EQ(blend.Handle(), made);
  GdiFlush();
  EXPECT_EQ(target.ScanLine(1)[3], 0); // back at the previous image
  previous.SetSize(10, 5);
  current.SetSize(10, 5);
  FillBitmap(previous, 0);
  FillBitmap(current, 255);
  skins::PaintFadeStep(&current, &previous, skins::TFadeMode::In, 0, blend, target.Canvas()->Handle());
  EXPECT_EQ(blend.Width(), 10);
  EXPECT_EQ(blend.Height(), 5);
  GdiFlush();
  EXPECT_EQ(target.ScanLine(4)[3 * 9], 255);
}

class TrackButtonRadio : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    testinput::ProcessHook = [] { Application->ProcessMessages(); };
    form_ = New<TestForm>(Application);
    form_->Show();
    testinput::Activate(form_->Handle());
    Pump(500);
  }
  static void TearDownTestSuite() {
    if (form_) form_->Free();
    form_ = nullptr;
  }
  void SetUp() override {
    testinput::MoveTo(form_->Handle(), 240, 200); // over nothing
    Pump(200);
  }
  static TestForm* form_;
};
TestForm* TrackButtonRadio::form_ = nullptr;

TEST_F(TrackButtonRadio, LoadingFiresNoChangeAndKeepsTheValues) {
  EXPECT_EQ(form_->loading_changes, 0);
  EXPECT_EQ(form_->vbar->Max(), 30);
  EXPECT_EQ(form_->vbar->Position(), 15);
  EXPECT_EQ(form_->vbar->ThumbLength(), 15);
  EXPECT_EQ(SendMessageW(form_->vbar->Handle(), TBM_GETPOS, 0, 0), 15);
}

// The window works its geometry out from the pushed thumb length, not its
// default one: each channel is thinner across the bar than the thumb, and
// its frame (dark top, light bottom) is painted where it is reported.
TEST_F(TrackButtonRadio, ChannelsFollowTheThumbLength) {
  for (TsTrackBar* bar : {form_->hbar, form_->vbar}) {
    SCOPED_TRACE(bar == form_->hbar ? "horizontal" : "vertical");
    RECT rc{}, rt{};
    SendMessageW(bar->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rc));
    SendMessageW(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rt));
    const TRect ch = skins::TrackChannel(Rect(rc.left, rc.top, rc.right, rc.bottom), bar->Orientation());
    const bool vertical = bar->Orientation() == trVertical;
    const int across = vertical ? ch.Width() : ch.Height();
    const int thumb = vertical ? rt.right - rt.left : rt.bottom - rt.top;
    EXPECT_EQ(thumb, bar->ThumbLength());
    EXPECT_GT(across, 0);
    EXPECT_LT(across, bar->ThumbLength());
    if (!vertical) {
      const int x = ch.Left + ch.Width() * 3 / 4; // away from the thumb at 0
      EXPECT_LT(ScreenAt(bar, x, ch.Top).Sum(), 120) << ScreenAt(bar, x, ch.Top);
      EXPECT_GT(ScreenAt(bar, x, ch.Bottom - 1).Sum(), 600) << ScreenAt(bar, x, ch.Bottom - 1);
    }
  }
}

TEST_F(TrackButtonRadio, KeysAndDragMoveThePositionOneChangeEach) {
  TsTrackBar* bar = form_->hbar;
  bar->SetFocus();
  Pump(100);
  const int start = bar->Position();
  const int n0 = form_->hbar_n.change;
  testinput::Key(VK_RIGHT);
  Pump(150);
  EXPECT_EQ(bar->Position(), start + 1);
  EXPECT_EQ(form_->hbar_n.change, n0 + 1);
  testinput::Key(VK_NEXT); // PageDown: a page further
  Pump(150);
  EXPECT_EQ(bar->Position(), start + 6);
  EXPECT_EQ(form_->hbar_n.change, n0 + 2);
  testinput::Key(VK_PRIOR);
  Pump(150);
  EXPECT_EQ(bar->Position(), start + 1);
  EXPECT_EQ(form_->hbar_n.change, n0 + 3);

  // Drag the thumb to the far right.
  RECT t{};
  SendMessageW(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
  const int y = (t.top + t.bottom) / 2;
  const int n1 = form_->hbar_n.change;
  testinput::MouseDown(bar->Handle(), (t.left + t.right) / 2, y);
  Pump(80);
  for (int x = (t.left + t.right) / 2; x <= bar->Width() + 20; x += 20) {
    testinput::MoveTo(bar->Handle(), x, y);
    Pump(40);
  }
  testinput::MouseUp();
  Pump(150);
  EXPECT_EQ(bar->Position(), 30);
  EXPECT_GT(form_->hbar_n.change, n1);
  // Every change was a move: no more events than positions passed.
  EXPECT_LE(form_->hbar_n.change - n1, 30 - (start + 1));

  // Code sets it: one change; the same value again: none.
  const int n2 = form_->hbar_n.change;
  bar->SetPosition(3);
  bar->SetPosition(3);
  EXPECT_EQ(form_->hbar_n.change, n2 + 1);
  bar->SetMax(2); // narrowing clamps and reports
  EXPECT_EQ(bar->Position(), 2);
  EXPECT_EQ(form_->hbar_n.change, n2 + 2);
  bar->SetMin(5); // above Max: ignored
  EXPECT_EQ(bar->Min(), 0);
  bar->SetMax(30);
}

TEST_F(TrackButtonRadio, HotFadeReachesTheHotImageAndLeavesBack) {
  TsTrackBar* bar = form_->vbar;
  const Rgb normal = ScreenAt(bar, 1, 30); // the face, left of the channel
  testinput::MoveTo(bar->Handle(), 1, 30);
  Pump(400);
  const Rgb hot = ScreenAt(bar, 1, 30);
  EXPECT_TRUE(Differs(normal, hot)) << normal << " " << hot;
  EXPECT_FALSE(bar->FadeTimer()->Enabled());
  testinput::MoveTo(form_->Handle(), 240, 200);
  Pump(400);
  const Rgb back = ScreenAt(bar, 1, 30);
  EXPECT_FALSE(Differs(normal, back)) << normal << " " << back;

  TsButton* b = form_->cancel;
  const Rgb bn = ScreenAt(b, 5, 11);
  testinput::MoveTo(b->Handle(), 5, 11);
  Pump(400);
  EXPECT_TRUE(Differs(bn, ScreenAt(b, 5, 11))) << bn << " " << ScreenAt(b, 5, 11);
  testinput::MoveTo(form_->Handle(), 240, 200);
  Pump(400);
  EXPECT_FALSE(Differs(bn, ScreenAt(b, 5, 11)));
}

TEST_F(TrackButtonRadio, CornersLeaveTheWindowAndTheRegionIsSetOnce) {
  for (TWinControl* c : std::initializer_list<TWinControl*>{form_->vbar, form_->ok}) {
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(c->Handle(), r), ERROR);
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    EXPECT_FALSE(PtInRegion(r, c->Width() - 1, c->Height() - 1));
    EXPECT_TRUE(PtInRegion(r, c->Width() / 2, c->Height() / 2));
    DeleteObject(r);
  }
  const int bar_before = form_->vbar->RegionApplications();
  const int ok_before = form_->ok->RegionApplications();
  for (int i = 0; i < 5; ++i) {
    form_->vbar->Invalidate();
    form_->ok->Invalidate();
    Pump(60);
  }
  EXPECT_EQ(form_->vbar->RegionApplications(), bar_before);
  EXPECT_EQ(form_->ok->RegionApplications(), ok_before);
}

TEST_F(TrackButtonRadio, EnterEscAndSpaceClick) {
  form_->hbar->SetFocus();
  Pump(100);
  const Counts ok0 = form_->ok_n, cancel0 = form_->cancel_n;
  testinput::Key(VK_RETURN);
  Pump(100);
  EXPECT_EQ(form_->ok_n.click, ok0.click + 1);
  testinput::Key(VK_ESCAPE);
  Pump(100);
  EXPECT_EQ(form_->cancel_n.click, cancel0.click + 1);
  EXPECT_EQ(form_->ModalResult(), mrNone); // ModalResult 0 given to the form too
  // A focused button acts as the default instead.
  form_->cancel->SetFocus();
  Pump(100);
  EXPECT_TRUE(form_->cancel->ActsAsDefault());
  EXPECT_FALSE(form_->ok->ActsAsDefault());
  testinput::Key(VK_RETURN);
  Pump(100);
  EXPECT_EQ(form_->cancel_n.click, cancel0.click + 2);
  EXPECT_EQ(form_->ok_n.click, ok0.click + 1);
  // Space: pressed when the character comes, clicked on release.
  INPUT down{};
  down.type = INPUT_KEYBOARD;
  down.ki.wVk = VK_SPACE;
  SendInput(1, &down, sizeof down);
  Pump(100);
  EXPECT_TRUE(form_->cancel->Down());
  EXPECT_EQ(form_->cancel_n.click, cancel0.click + 2);
  INPUT up = down;
  up.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &up, sizeof up);
  Pump(100);
  EXPECT_FALSE(form_->cancel->Down());
  EXPECT_EQ(form_->cancel_n.click, cancel0.click + 3);
  // Focus elsewhere gives the default look back.
  form_->hbar->SetFocus();
  Pump(100);
  EXPECT_TRUE(form_->ok->ActsAsDefault());
  EXPECT_FALSE(form_->cancel->ActsAsDefault());
}

TEST_F(TrackButtonRadio, MouseClicksOnlyWhenReleasedInside) {
  TsButton* b = form_->ok;
  const int n = form_->ok_n.click;
  testinput::Click(b->Handle(), 40, 11);
  Pump(150);
  EXPECT_EQ(form_->ok_n.click, n + 1);
  testinput::MouseDown(b->Handle(), 40, 11);
  Pump(100);
  EXPECT_TRUE(b->Down());
  testinput::MoveTo(b->Handle(), 40, 80);
  Pump(60);
  testinput::MouseUp();
  Pump(150);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(form_->ok_n.click, n + 1);
  b->SetEnabled(false);
  Pump(60);
  testinput::Click(b->Handle(), 40, 11);
  Pump(150);
  EXPECT_EQ(form_->ok_n.click, n + 1);
  b->SetEnabled(true);
  Pump(60);
}

TEST_F(TrackButtonRadio, RadioChecksExclusively) {
  TsRadioButton** r = form_->radio;
  r[0]->SetChecked(true);
  const Counts c0 = form_->radio_n[0], c1 = form_->radio_n[1], c2 = form_->radio_n[2];
  testinput::Click(r[1]->Handle(), 7, 9);
  Pump(150);
  EXPECT_TRUE(r[1]->Checked());
  EXPECT_FALSE(r[0]->Checked());
  EXPECT_FALSE(r[2]->Checked());
  EXPECT_EQ(form_->radio_n[1].change, c1.change + 1);
  EXPECT_EQ(form_->radio_n[0].change, c0.change);
  // A click on the checked one keeps it and reports again.
  testinput::Click(r[1]->Handle(), 7, 9);
  Pump(150);
  EXPECT_TRUE(r[1]->Checked());
  EXPECT_EQ(form_->radio_n[1].change, c1.change + 2);
  // Released outside: it still toggles.
  testinput::MouseDown(r[2]->Handle(), 7, 9);
  Pump(60);
  testinput::MoveTo(form_->Handle(), 240, 200);
  Pump(60);
  testinput::MouseUp();
  Pump(150);
  EXPECT_TRUE(r[2]->Checked());
  EXPECT_FALSE(r[1]->Checked());
  EXPECT_EQ(form_->radio_n[2].change, c2.change + 1);
  // Code cannot uncheck it, and fires nothing.
  r[2]->SetChecked(false);
  EXPECT_TRUE(r[2]->Checked());
  EXPECT_EQ(form_->radio_n[2].change, c2.change + 1);
  // ReadOnly and disabled ones ignore input.
  r[0]->SetReadOnly(true);
  testinput::Click(r[0]->Handle(), 7, 9);
  Pump(150);
  EXPECT_FALSE(r[0]->Checked());
  EXPECT_EQ(form_->radio_n[0].change, c0.change);
  r[0]->SetReadOnly(false);
  r[1]->SetEnabled(false);
  testinput::Click(r[1]->Handle(), 7, 9);
  Pump(150);
  EXPECT_FALSE(r[1]->Checked());
  r[1]->SetEnabled(true);
  Pump(60);
  form_->hbar->SetFocus();
  Pump(60);
  testinput::SaveScreenshot(form_->Handle(), L"skins_track_button_radio.bmp");
}

} // namespace
