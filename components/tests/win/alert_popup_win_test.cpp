// The alert popup under Wine with real glyphs and a real pointer: each
// button's glyph drawn transparent at its place instead of the drawn shape;
// the grey copies of previous and next while they cannot move, remade when
// the glyph changes; the hover and pressed faces under the pointer (only
// while a button can move); picture number 0 of the image list at the top
// left; the automatic size taken from the widest message. Screenshot:
// alert_glyphs.bmp in the build folder.
#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/tests/controls_test_input.h"
#include "classlib/tests/support/BitmapPixels.h"
#include "components/AlertMarkupCanvas.h"
#include "components/AlertNotifier.h"
#include "components/tests/win/TestWindows.h"

namespace {

constexpr TColor kKey = 0xFF00FF; // the glyphs' transparent colour (bottom-left pixel)

// 16 x 16: the transparent colour round a 10 x 10 square of `c`.
void MakeGlyph(TBitmap& b, TColor c) {
  b.SetSize(16, 16);
  test_support::Fill(b, kKey);
  b.Canvas()->Brush()->SetColor(c);
  b.Canvas()->FillRect(Rect(3, 3, 13, 13));
}

TColor Grey(TColor c) {
  const int v = components::DisabledGrey(GetRValue(c), GetGValue(c), GetBValue(c));
  return static_cast<TColor>(RGB(v, v, v));
}

// The colour of a button face's gradient at row y (bands overlap: the
// later one is on top).
TColor FaceAt(TColor from, TColor to, const TRect& button, int y) {
  TRect face = button;
  face.Bottom -= 1;
  TColor c = clNone;
  for (const markup::GradientBand& b : markup::GradientBands(ColorToRGB(from), ColorToRGB(to),
                                                             false, face, 16, false))
    if (y >= b.Rect.Top && y < b.Rect.Bottom) c = b.BandColor;
  return c;
}

bool PumpUntil(const std::function<bool()>& done) {
  for (int t = 0; t < 5000; t += 10) {
    if (done()) return true;
    testinput::Pump(10);
  }
  return done();
}

class AlertPopupWin : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(50, 50, 300, 200);
    form_->SetVisible(true);
    alert_ = new TAlertNotifier(form_);
    for (const char* t : {"one", "two", "three"}) alert_->AlertMessages()->Add()->Text()->Add(t);
    alert_->AlphaEnd = 255; // opaque: the screen shows the popup's own colours
    alert_->DisplayTime = 100000;
    alert_->Font()->SetName("MS Sans Serif");
    alert_->Font()->SetHeight(-13);
    PointerAway();
  }
  void TearDown() override {
    PointerAway();
    form_->Free();
    testinput::Pump(50);
  }
  TAlertWindow* Show() {
    alert_->Show();
    EXPECT_TRUE(PumpUntil([&] { return alert_->Phase() == AlertPhase::Shown; }));
    testinput::Pump(50);
    return alert_->Popup();
  }
  // What the screen shows at a point of the popup.
  TColor At(int x, int y) {
    RECT r;
    GetWindowRect(alert_->Popup()->Handle(), &r);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, r.left + x, r.top + y);
    ReleaseDC(nullptr, screen);
    return static_cast<TColor>(c);
  }
  static void PointerAway() {
    SetCursorPos(1, 1);
    testinput::Pump(30);
  }
  TForm* form_ = nullptr;
  TAlertNotifier* alert_ = nullptr;
};

} // namespace

TEST_F(AlertPopupWin, GlyphsEnabledDisabledHoveredAndPressed) {
  const TColor close = RGB(0, 160, 0), prev = RGB(200, 0, 0), next = RGB(0, 0, 200),
               del = RGB(200, 200, 0), pop = RGB(0, 200, 200);
  TBitmap g;
  MakeGlyph(g, close);
  alert_->SetGlyphClose(&g);
  MakeGlyph(g, prev);
  alert_->SetGlyphPrev(&g);
  MakeGlyph(g, next);
  alert_->SetGlyphNext(&g);
  MakeGlyph(g, del);
  alert_->SetGlyphDelete(&g);
  MakeGlyph(g, pop);
  alert_->SetGlyphPopup(&g);
  g.SetSize(0, 0); // the component keeps its own copies
  ASSERT_FALSE(alert_->GlyphNext()->Empty());
  alert_->SetShowPopup(true);
  TAlertWindow* p = Show();
  ASSERT_EQ(p->Position(), 1);
  const AlertLayout l = p->Layout();
  // The close glyph at (L + 2, T + 2), the others at (L + 2, T + 4); the
  // transparent colour shows the background; no drawn shape remains.
  auto centre = [&](const TRect& b, int top) { return At(b.Left + 10, b.Top + top + 8); };
  EXPECT_EQ(centre(l.Close, 2), close);
  EXPECT_EQ(centre(l.Next, 4), next);
  EXPECT_EQ(centre(l.Delete, 4), del);
  EXPECT_EQ(centre(l.Popup, 4), pop);
  EXPECT_EQ(centre(l.Prev, 4), Grey(prev)); // cannot move back: the grey copy
  const TColor nextCorner = At(l.Next.Left + 2, l.Next.Top + 4);
  EXPECT_NE(nextCorner, kKey);
  EXPECT_NE(At(l.Prev.Left + 2, l.Prev.Top + 4), Grey(kKey));
  int black = 0;
  for (int y = l.Close.Top; y < l.Close.Bottom; ++y)
    for (int x = l.Close.Left + 1; x < l.Close.Right - 1; ++x) black += At(x, y) == clBlack;
  EXPECT_EQ(black, 0);
  testwin::SaveScreenBmp(L"alert_glyphs.bmp");

  // Hovered: the hover face behind the transparent corner, a black frame.
  HWND w = p->Handle();
  testinput::MoveTo(w, l.Next.Left + 10, l.Next.Top + 12);
  testinput::Pump(50);
  EXPECT_EQ(At(l.Next.Left + 2, l.Next.Top + 4),
            FaceAt(alert_->BtnHoverColor, alert_->BtnHoverColorTo, l.Next, l.Next.Top + 4));
  EXPECT_EQ(At(l.Next.Left, l.Next.Top + 4), clBlack);
  EXPECT_EQ(centre(l.Next, 4), next);
  // Previous cannot move: the pointer over it changes nothing.
  testinput::MoveTo(w, l.Prev.Left + 10, l.Prev.Top + 12);
  testinput::Pump(50);
  EXPECT_EQ(At(l.Next.Left + 2, l.Next.Top + 4), nextCorner);
  EXPECT_EQ(centre(l.Prev, 4), Grey(prev));
  EXPECT_NE(At(l.Prev.Left, l.Prev.Top + 4), clBlack);

  // Pressed: the down face until the release, which moves on.
  testinput::MouseDown(w, l.Next.Left + 10, l.Next.Top + 12);
  testinput::Pump(50);
  EXPECT_EQ(At(l.Next.Left + 2, l.Next.Top + 4),
            FaceAt(alert_->BtnDownColor, alert_->BtnDownColorTo, l.Next, l.Next.Top + 4));
  EXPECT_EQ(centre(l.Next, 4), next);
  testinput::MouseUp();
  EXPECT_EQ(p->Position(), 2);
  PointerAway();
  testinput::Pump(50);
  EXPECT_EQ(centre(l.Prev, 4), prev); // both can move now
  EXPECT_EQ(centre(l.Next, 4), next);
  p->NextMessage();
  testinput::Pump(50);
  EXPECT_EQ(centre(l.Next, 4), Grey(next)); // the last message

  // A new glyph remakes its grey copy (32 bits a pixel); none leaves none.
  const TColor other = RGB(240, 120, 0);
  MakeGlyph(g, other);
  p->SetGlyphNext(&g);
  ASSERT_EQ(p->DisabledNext()->PixelFormat(), pf32bit);
  EXPECT_EQ(test_support::PixelAt(*p->DisabledNext(), 8, 8), Grey(other));
  testinput::Pump(50);
  EXPECT_EQ(centre(l.Next, 4), Grey(other));
  p->SetGlyphNext(nullptr);
  EXPECT_TRUE(p->DisabledNext()->Empty());
  EXPECT_FALSE(p->DisabledPrev()->Empty());
}

TEST_F(AlertPopupWin, PictureNumberZeroAndTheOthersAtTheTopLeft) {
  auto* images = new TImageList(form_);
  images->SetSize(16, 16);
  TBitmap strip(32, 16);
  test_support::Fill(strip, RGB(220, 0, 0));
  strip.Canvas()->Brush()->SetColor(RGB(0, 220, 0));
  strip.Canvas()->FillRect(Rect(16, 0, 32, 16));
  images->AddMasked(&strip, clNone);
  alert_->SetImages(images);
  alert_->AlertMessages()->Items(0)->ImageIndex = 0;
  alert_->AlertMessages()->Items(1)->ImageIndex = 1;
  TAlertWindow* p = Show();
  EXPECT_EQ(At(5 + 8, 1 + 8), RGB(220, 0, 0));
  p->NextMessage();
  testinput::Pump(50);
  EXPECT_EQ(At(5 + 8, 1 + 8), RGB(0, 220, 0));
}

TEST_F(AlertPopupWin, AutoSizeTakesTheWidestMessageWithinTheCaps) {
  alert_->AutoSize = true;
  alert_->AlertMessages()->Items(1)->Text()->Clear();
  alert_->AlertMessages()->Items(1)->Text()->Add(
      "a message much wider than the others, <b>bold</b> in part");
  TAlertWindow* p = Show();
  ASSERT_EQ(p->Position(), 1); // the short one is shown, the wide one sizes it
  auto measure = [&](int i) {
    p->Canvas()->Font()->Assign(alert_->Font());
    TCanvasMarkupSurface s(p->Canvas());
    markup::MarkupParams mp;
    mp.MeasureOnly = true;
    markup::MarkupResult r;
    markup::DrawMarkup(s, p->AlertMessages()->Strings(i), Rect(0, 0, 4096, 4096), mp, r);
    return r;
  };
  AlertAutoSizeInput in;
  in.ScrollerVisible = true;
  in.ShowDelete = true;
  for (int i = 0; i < 3; ++i) {
    in.TextWidth = std::max(in.TextWidth, measure(i).TextWidth);
    in.TextHeight = std::max(in.TextHeight, measure(i).TextHeight);
  }
  EXPECT_GT(measure(1).TextWidth, 2 * measure(0).TextWidth);
  const TSize want = AlertAutoSize(in);
  EXPECT_EQ(p->Width(), want.cx);
  EXPECT_EQ(p->Height(), want.cy);
  p->CloseAlert();
  alert_->MaxWidth = 150;
  alert_->MaxHeight = 80;
  Show();
  EXPECT_EQ(p->Width(), 150);
  EXPECT_EQ(p->Height(), 80);
}

namespace {

void SendButton(DWORD flags) {
  testinput::SendMouse(flags);
  testinput::Pump(30);
}

} // namespace

TEST_F(AlertPopupWin, ACaptionDragEndsOnAnotherPressAndAClickBringsTheOwnerUp) {
  TAlertWindow* p = Show();
  HWND w = p->Handle();
  EXPECT_EQ(GetWindow(w, GW_OWNER), form_->Handle());
  RECT start;
  GetWindowRect(w, &start);
  // Dragged by the caption bar: the mouse is the popup's until released.
  testinput::MouseDown(w, 30, 3);
  EXPECT_EQ(GetCapture(), w);
  testinput::MoveTo(w, 10, 3);
  RECT moved;
  GetWindowRect(w, &moved);
  EXPECT_EQ(moved.left, start.left - 20);
  testinput::MouseUp();
  EXPECT_EQ(GetCapture(), nullptr);
  // A drag begun with the right button: the pointer moves off the caption
  // without moving the popup (no left button); a press there ends the drag,
  // and that press keeps the capture.
  testinput::MoveTo(w, 30, 3);
  SendButton(MOUSEEVENTF_RIGHTDOWN);
  EXPECT_EQ(GetCapture(), w);
  testinput::MoveTo(w, 100, 50);
  RECT still;
  GetWindowRect(w, &still);
  EXPECT_EQ(still.left, moved.left);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(GetCapture(), w);
  testinput::MoveTo(w, 120, 60);
  RECT after;
  GetWindowRect(w, &after);
  EXPECT_EQ(after.left, moved.left);
  EXPECT_EQ(after.top, moved.top);
  SendButton(MOUSEEVENTF_LEFTUP);
  SendButton(MOUSEEVENTF_RIGHTUP);
  EXPECT_EQ(GetCapture(), nullptr);
  // A click on the text while another window is in front brings the
  // owner up; the popup itself never becomes active.
  auto* other = new TForm(nullptr);
  other->SetBounds(400, 50, 200, 150);
  other->SetVisible(true);
  testinput::Activate(other->Handle());
  ASSERT_EQ(GetForegroundWindow(), other->Handle());
  testinput::Click(w, 100, 50);
  testinput::Pump(100);
  EXPECT_EQ(GetForegroundWindow(), form_->Handle());
  EXPECT_NE(GetActiveWindow(), w);
  other->Free();
}

TEST_F(AlertPopupWin, ThePointerHoldsItAndLeavingCountsTheDisplayTimeAnew) {
  alert_->AlphaEnd = 200;
  TAlertWindow* p = Show();
  HWND w = p->Handle();
  const AlertLayout l = p->Layout();
  testinput::MoveTo(w, l.Close.Left + 10, l.Close.Top + 10);
  EXPECT_EQ(alert_->Phase(), AlertPhase::Held);
  EXPECT_EQ(alert_->AlphaStart(), 255);
  EXPECT_EQ(p->Hint(), p->HintCloseBtn);
  PointerAway();
  ASSERT_TRUE(PumpUntil([&] { return alert_->Phase() == AlertPhase::Shown; }));
  EXPECT_EQ(alert_->AlphaStart(), 200);
  EXPECT_EQ(p->Hint(), "");
  EXPECT_EQ(alert_->DisplayCount() < 1000, true); // counted from the leave
  EXPECT_TRUE(IsWindowVisible(w));
}
