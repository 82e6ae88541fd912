// The main window pops up each new title of the test station in Alert1,
// exactly as sent (a title with "&" and "<" included), also while the
// window sits in the tray. Screenshot: player_alert.bmp in the build folder.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include "classlib/Cp1251.h"
#include "components/AlertMarkupCanvas.h"
#include "components/tests/win/TestWindows.h"
#include "player/tests/win/PlayerStation.h"

namespace {

// What the popup shows of its message, measured by the renderer.
std::string Shown(TAlertWindow* p) {
  markup::MarkupParams mp;
  mp.MeasureOnly = true;
  markup::MarkupResult r;
  TCanvasMarkupSurface s(p->Canvas());
  markup::DrawMarkup(s, p->AlertMessages()->Strings(0), p->Layout().Text, mp, r);
  return r.PlainText;
}

class AlertTitles : public MainWindowFixture {};

} // namespace

TEST_F(AlertTitles, EachNewTitlePopsUpAsSentAlsoFromTheTray) {
  teststation::StationConfig cfg;
  cfg.mp3 = teststation::MakeMelodyMp3(6.0, 128);
  cfg.pace = 4;
  cfg.titles = {u8"Ария & <live>", u8"Кино - Группа крови"};
  cfg.title_seconds = 2;
  teststation::TestStation st(cfg);
  ASSERT_NE(st.Start(), 0);
  ASSERT_TRUE(Play(st.Url()));
  const std::string first = Utf8ToCp1251(u8"Ария & <live>");
  const std::string second = Utf8ToCp1251(u8"Кино - Группа крови");
  ASSERT_TRUE(
      PumpUntil([] { return Form1->Alert1->Popup() && Form1->Alert1->Popup()->Visible(); }, 10));
  TAlertWindow* p = Form1->Alert1->Popup();
  ASSERT_TRUE(PumpUntil([&] { return Shown(p) == first; }, 10)) << Shown(p);
  Pump(300);
  testwin::SaveScreenBmp(L"player_alert.bmp");
  Form1->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0); // to the tray
  ASSERT_FALSE(IsWindowVisible(Form1->Handle()));
  ASSERT_TRUE(PumpUntil([&] { return Shown(p) == second; }, 10)) << Shown(p);
  EXPECT_TRUE(IsWindowVisible(p->Handle()));
  Form1->N1Click(nullptr);
}
