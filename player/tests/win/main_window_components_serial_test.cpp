// The main window's tray icon and picture collection as its layout makes
// them: the icon object in the tray with the player's hint, back in the tray
// after the shell restarts, and the three pictures with their backgrounds.
// Broadcasts to every window of the prefix, so it runs alone. Screenshot:
// player_main.bmp in the build folder.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <shellapi.h>

#include "components/tests/win/TestWindows.h"
#include "player/tests/win/PlayerStation.h"

namespace {

class MainWindowComponents : public MainWindowFixture {};

// Whether the shell holds the icon: only an icon it has can be modified.
bool InShell(const TTrayIcon* tray) {
  NOTIFYICONDATAW data = tray->IconData();
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

} // namespace

TEST_F(MainWindowComponents, ThePicturesKeepTheirBackgrounds) {
  TPngCollectionItems* items = Form1->PngCollection1->Items();
  ASSERT_EQ(items->Count(), 3);
  EXPECT_EQ(items->Items(0)->Name(), "PngImage0");
  EXPECT_EQ(items->Items(2)->Name(), "PngImage2");
  EXPECT_EQ(items->Items(0)->Background(), clWindow);
  EXPECT_EQ(items->Items(1)->Background(), cl3DDkShadow);
  EXPECT_EQ(items->Items(2)->Background(), clWindow);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(items->Items(i)->PngImage()->Empty()) << i;
  Pump(300);
  testwin::SaveScreenBmp(L"player_main.bmp");
}

TEST_F(MainWindowComponents, TheTrayIconComesBackWhenTheShellRestarts) {
  TTrayIcon* tray = Form1->TrayIcon1;
  ASSERT_FALSE(tray->Icon()->Empty());
  EXPECT_EQ(tray->Icon()->Width(), 16);
  EXPECT_EQ(tray->IconData().hIcon, tray->Icon()->Handle());
  EXPECT_EQ(std::wstring(tray->IconData().szTip), L"Korvalis 7.1");
  // A shell still starting refuses icons for a while; the icon tries again.
  ASSERT_TRUE(PumpUntil([&] { return InShell(tray); }, 15)) << "the shell never took the icon";
  // A restarted shell knows none of the old icons.
  NOTIFYICONDATAW gone = tray->IconData();
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));
  ASSERT_FALSE(InShell(tray));
  const UINT msg = TTrayIcon::TaskbarCreatedMessage();
  ASSERT_NE(msg, 0u);
  PostMessageW(HWND_BROADCAST, msg, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return InShell(tray); }, 5));
  // The icon object's changes reach the shell.
  tray->Icon()->SetHandle(CopyIcon(LoadIcon(nullptr, IDI_INFORMATION)));
  EXPECT_EQ(tray->IconData().hIcon, tray->Icon()->Handle());
}
