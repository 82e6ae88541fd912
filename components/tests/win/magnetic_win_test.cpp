// Window snapping with real windows: the subclass chain, moves and resizes
// through the windows' own message handling, glued side windows following.
#include <gtest/gtest.h>

#include "components/Magnetic.h"
#include "components/tests/win/TestWindows.h"

#include <commctrl.h>

using testwin::MakeWindow;
using testwin::Pump;
using testwin::WindowRectOf;

namespace {

// Runs the system's move protocol on wnd: the cursor grabs the window at
// (10, 5), moves so that the window would land at (x, y); returns the
// rectangle the window procedure chain answers with, and applies it.
RECT MoveThroughMessages(HWND wnd, int x, int y) {
  RECT r = WindowRectOf(wnd);
  SetCursorPos(r.left + 10, r.top + 5);
  SendMessageW(wnd, WM_ENTERSIZEMOVE, 0, 0);
  SetCursorPos(x + 10, y + 5);
  RECT proposed{x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
  EXPECT_EQ(SendMessageW(wnd, WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&proposed)), TRUE);
  SetWindowPos(wnd, nullptr, proposed.left, proposed.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(wnd, WM_EXITSIZEMOVE, 0, 0);
  Pump();
  return proposed;
}

bool CursorWorks() {
  SetCursorPos(321, 123);
  POINT p{};
  GetCursorPos(&p);
  return p.x == 321 && p.y == 123;
}

LRESULT CALLBACK TraySubclass(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  testwin::OwnLog().push_back({nullptr, m}); // null marks the middle subclass
  return DefSubclassProc(w, m, wp, lp);
}

class MagneticWin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(MagneticInstance, nullptr);
    ASSERT_TRUE(CursorWorks()) << "the cursor cannot be placed on this display";
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    work_ = work;
    MagneticInstance->SetSnapWidth(25);
  }
  void TearDown() override {
    for (HWND w : made_) DestroyWindow(w);
    Pump();
    EXPECT_EQ(MagneticInstance->Count(), 0); // WM_DESTROY unregistered them
  }
  HWND Make(int x, int y, int w, int h, bool visible = true) {
    made_.push_back(MakeWindow(x, y, w, h, visible));
    return made_.back();
  }
  RECT work_{};
  std::vector<HWND> made_;
};

} // namespace

TEST_F(MagneticWin, SnapsToTheWorkAreaAt24PixelsAndNotAt25) {
  HWND main = Make(300, 300, 506, 290);
  ASSERT_TRUE(MagneticInstance->AddWindow(main, nullptr));
  EXPECT_EQ(MoveThroughMessages(main, work_.left + 24, 400).left, work_.left);
  EXPECT_EQ(WindowRectOf(main).left, work_.left);
  EXPECT_EQ(MoveThroughMessages(main, work_.left + 25, 400).left, work_.left + 25);
  EXPECT_EQ(MoveThroughMessages(main, 500, work_.top + 10).top, work_.top);
}

TEST_F(MagneticWin, GluedSideWindowFollowsTheMainWindow) {
  HWND main = Make(200, 200, 506, 290);
  HWND side = Make(706, 200, 300, 290);  // touching the right edge
  HWND apart = Make(200, 600, 300, 100); // 110 pixels below
  ASSERT_TRUE(MagneticInstance->AddWindow(main, nullptr));
  ASSERT_TRUE(MagneticInstance->AddWindow(side, main));
  ASSERT_TRUE(MagneticInstance->AddWindow(apart, main));
  EXPECT_FALSE(MagneticInstance->AddWindow(side, main)); // twice
  EXPECT_TRUE(MagneticInstance->Core().Item(2).Glued);
  EXPECT_FALSE(MagneticInstance->Core().Item(3).Glued);

  MoveThroughMessages(main, 150, 170);
  EXPECT_EQ(WindowRectOf(main).left, 150);
  EXPECT_EQ(WindowRectOf(side).left, 656);
  EXPECT_EQ(WindowRectOf(side).top, 170);
  EXPECT_EQ(WindowRectOf(apart).left, 200);
  EXPECT_EQ(WindowRectOf(apart).top, 600);

  // Hidden side windows come loose; shown again (touching), they stick.
  ShowWindow(side, SW_HIDE);
  EXPECT_FALSE(MagneticInstance->Core().Item(2).Glued);
  ShowWindow(side, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(MagneticInstance->Core().Item(2).Glued);
}

TEST_F(MagneticWin, ResizingSnapsOnlyTheDraggedEdge) {
  HWND a = Make(200, 200, 300, 200);
  HWND b = Make(600, 190, 200, 300);
  ASSERT_TRUE(MagneticInstance->AddWindow(a, nullptr));
  ASSERT_TRUE(MagneticInstance->AddWindow(b, nullptr));
  SendMessageW(a, WM_ENTERSIZEMOVE, 0, 0);
  RECT s{200, 180, 590, 400};
  EXPECT_EQ(SendMessageW(a, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&s)), TRUE);
  EXPECT_EQ(s.right, 600);
  EXPECT_EQ(s.top, 180);
  SendMessageW(a, WM_EXITSIZEMOVE, 0, 0);
}

TEST_F(MagneticWin, SubclassOrderAndItsUndoingInAnyOrder) {
  HWND wnd = Make(300, 300, 200, 200);
  // The tray icon subclasses the window first, the snapping afterwards.
  ASSERT_TRUE(SetWindowSubclass(wnd, TraySubclass, 7, 0));
  ASSERT_TRUE(MagneticInstance->AddWindow(wnd, nullptr));
  auto& log = testwin::OwnLog();

  log.clear();
  SendMessageW(wnd, WM_COMMAND, 0, 0);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].first, nullptr); // the middle subclass, then the window's own
  EXPECT_EQ(log[1].first, wnd);

  // Snapping answers moves itself: neither later procedure sees them.
  log.clear();
  SendMessageW(wnd, WM_ENTERSIZEMOVE, 0, 0);
  RECT r{310, 310, 510, 510};
  SendMessageW(wnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
  SendMessageW(wnd, WM_EXITSIZEMOVE, 0, 0);
  for (const auto& e : log) EXPECT_NE(e.second, static_cast<UINT>(WM_MOVING));

  // The tray icon goes first (freed before the window): snapping still runs
  // and the window's own procedure is reached.
  ASSERT_TRUE(RemoveWindowSubclass(wnd, TraySubclass, 7));
  log.clear();
  SendMessageW(wnd, WM_COMMAND, 0, 0);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].first, wnd);
  r = RECT{310, 310, 510, 510};
  EXPECT_EQ(SendMessageW(wnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r)), TRUE);

  // Unregistering undoes the snapping: moves reach the window again.
  ASSERT_TRUE(MagneticInstance->RemoveWindow(wnd));
  EXPECT_FALSE(MagneticInstance->RemoveWindow(wnd));
  log.clear();
  SendMessageW(wnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].second, static_cast<UINT>(WM_MOVING));
}

TEST_F(MagneticWin, DestroyingAWindowUnregistersIt) {
  HWND main = Make(100, 100, 200, 200);
  HWND side = MakeWindow(300, 100, 200, 200);
  ASSERT_TRUE(MagneticInstance->AddWindow(main, nullptr));
  ASSERT_TRUE(MagneticInstance->AddWindow(side, main));
  DestroyWindow(side);
  EXPECT_EQ(MagneticInstance->Count(), 1);
  EXPECT_EQ(MagneticInstance->IndexOfWindow(side), -1);
}
