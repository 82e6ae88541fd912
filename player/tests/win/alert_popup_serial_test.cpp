// The title popup of the main window under a real pointer: hovering its
// close button shows that button's hint, leaving it takes the hint away;
// a real click on an anchor in the popup raises OnAnchorClick with the
// anchor's value while the main window keeps the foreground, the activation
// and the keyboard. Screenshots in the build folder: player_alert_text.bmp
// (pointer over the title) and player_alert_hover.bmp (pointer on the close
// button, its hint shown).
#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include "classlib/tests/controls_test_input.h"
#include "components/tests/win/TestWindows.h"
#include "player/tests/win/PlayerStation.h"

namespace {

// The application's tip window while it shows, else null.
HWND ShownTip() {
  HWND tip = FindWindowW(L"THintWindow", nullptr);
  return tip && IsWindowVisible(tip) ? tip : nullptr;
}

std::wstring TextOf(HWND w) {
  wchar_t buf[256] = {};
  GetWindowTextW(w, buf, 256);
  return buf;
}

class AlertPopup : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    testinput::ProcessHook = [] { Application->ProcessMessages(); };
    SetCursorPos(1, 1);
  }
  void TearDown() override {
    SetCursorPos(1, 1);
    Pump(50);
    testinput::ProcessHook = nullptr;
    MainWindowFixture::TearDown();
  }
};

} // namespace

TEST_F(AlertPopup, TheCloseButtonShowsItsHintUnderThePointer) {
  teststation::StationConfig cfg;
  cfg.mp3 = teststation::MakeMelodyMp3(6.0, 128);
  cfg.pace = 4;
  cfg.titles = {"Test - Song"};
  teststation::TestStation st(cfg);
  ASSERT_NE(st.Start(), 0);
  ASSERT_TRUE(Play(st.Url()));
  ASSERT_TRUE(
      PumpUntil([] { return Form1->Alert1->Popup() && Form1->Alert1->Popup()->Visible(); }, 10));
  TAlertWindow* p = Form1->Alert1->Popup();
  HWND w = p->Handle();
  const TRect close = p->Layout().Close;
  testinput::MoveTo(w, 150, 50); // over the text first: no hint
  Pump(Application->HintPause + 200);
  EXPECT_EQ(p->Hint(), "");
  EXPECT_EQ(ShownTip(), nullptr);
  testwin::SaveScreenBmp(L"player_alert_text.bmp");
  testinput::MoveTo(w, close.Left + 8, close.Top + 10);
  testinput::MoveTo(w, close.Left + 10, close.Top + 10);
  EXPECT_EQ(p->Hint(), "Close");
  ASSERT_TRUE(PumpUntil([] { return ShownTip() != nullptr; }, 5));
  EXPECT_EQ(TextOf(ShownTip()), L"Close");
  Pump(100);
  testwin::SaveScreenBmp(L"player_alert_hover.bmp");
  testinput::MoveTo(w, 150, 50); // off the button, still over the popup
  EXPECT_EQ(p->Hint(), "");
  EXPECT_EQ(ShownTip(), nullptr);
  Pump(Application->HintPause + 200);
  EXPECT_EQ(ShownTip(), nullptr);
  EXPECT_TRUE(p->Visible()); // held while the pointer is over it
}

TEST_F(AlertPopup, AClickOnAnAnchorIsToldAndThePlayerKeepsTheFocus) {
  testinput::Activate(Form1->Handle());
  const HWND fg = GetForegroundWindow(), active = GetActiveWindow(), focus = GetFocus();
  ASSERT_EQ(fg, Form1->Handle());
  std::string anchor;
  TMsgCollectionItem* item = nullptr;
  int clicks = 0;
  Form1->Alert1->OnAnchorClick = [&](TObject*, const std::string& a, TMsgCollectionItem* i) {
    anchor = a;
    item = i;
    ++clicks;
  };
  TStringList text;
  text.Add("<a href=\"station:42\">Station</a> and more words after it");
  Form1->Alert1->AlertMessages()->Items(0)->SetText(&text);
  Form1->Alert1->Show();
  TAlertWindow* p = Form1->Alert1->Popup();
  ASSERT_TRUE(p && p->Visible());
  HWND w = p->Handle();
  const TRect t = p->Layout().Text;
  testinput::Click(w, t.Right - 20, t.Top + 8); // words, not the anchor
  EXPECT_EQ(clicks, 0);
  testinput::Click(w, t.Left + 12, t.Top + 8);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(anchor, "station:42");
  EXPECT_EQ(item, Form1->Alert1->AlertMessages()->Items(0));
  EXPECT_EQ(GetForegroundWindow(), fg);
  EXPECT_EQ(GetActiveWindow(), active);
  EXPECT_EQ(GetFocus(), focus);
  EXPECT_TRUE(p->Visible());
  Form1->Alert1->OnAnchorClick = nullptr;
}
