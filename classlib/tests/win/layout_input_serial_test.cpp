// Anchors, constraints and context menus driven as a person drives them:
// the mouse drags a form's border and right-clicks its controls (SendInput),
// and the test reads where the controls went and what was raised.
// Drives the mouse, so it runs alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/PanelCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/tests/app_pump.h"
#include "classlib/tests/controls_test_input.h"

namespace {

// A mouse event; with a point, the pointer goes there first.
void Mouse(DWORD flags, const POINT* at = nullptr) {
  if (at) SetCursorPos(at->x, at->y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags; // a zero move makes the system see the pointer's place
  SendInput(1, &in, sizeof(INPUT));
}

// Drags the bottom-right corner of a window's frame by (dx, dy), in steps.
// The system's sizing loop holds this thread until the button goes up, so
// the mouse moves on a thread of its own.
void DragCorner(HWND wnd, int dx, int dy) {
  RECT r;
  GetWindowRect(wnd, &r);
  const POINT from{r.right - 2, r.bottom - 2};
  std::atomic<bool> done{false};
  std::thread mouse([&] {
    Mouse(MOUSEEVENTF_MOVE, &from);
    Sleep(60);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= 8; ++i) {
      Sleep(40);
      const POINT p{from.x + dx * i / 8, from.y + dy * i / 8};
      Mouse(MOUSEEVENTF_MOVE, &p);
    }
    Sleep(40);
    Mouse(MOUSEEVENTF_LEFTUP);
    Sleep(60);
    done = true;
  });
  while (!done) Pump(20);
  mouse.join();
  Pump(150);
}

TSize ClientSize(TForm* f) { return TSize{f->ClientWidth(), f->ClientHeight()}; }

class LayoutInput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    form_ = New<TForm>(Application);
    form_->SetBounds(60, 60, 420, 320);
    form_->SetCaption("layout");
  }
  void TearDown() override {
    form_->Free();
    Pump(50);
  }
  template <class T>
  T* Make(int l, int t, int w, int h) {
    return PlaceOn<T>(form_, l, t, w, h);
  }
  void ShowForm() {
    form_->Show();
    Pump(200);
    testinput::Activate(form_->Handle());
    Pump(100);
  }
  TForm* form_ = nullptr;
};

TEST_F(LayoutInput, DraggingTheBorderMovesAndStretchesAnchoredControls) {
  auto* stretched = Make<TButton>(10, 10, 200, 25);
  stretched->SetAnchors({akLeft, akTop, akRight});
  auto* corner = Make<TButton>(300, 240, 80, 25);
  corner->SetAnchors({akRight, akBottom});
  auto* both = Make<TPanel>(10, 50, 100, 100);
  both->SetAnchors({akLeft, akTop, akRight, akBottom});
  auto* floating = Make<TLabel>(150, 100, 60, 20); // a graphic control follows too
  floating->SetAutoSize(false);
  floating->SetAnchors({});
  auto* fixed = Make<TButton>(10, 200, 80, 25); // the default: stays
  auto* aligned = Make<TPanel>(0, 0, 50, 30);
  aligned->SetAnchors({akRight, akBottom});
  aligned->SetAlign(alBottom); // Align wins over the anchors
  ShowForm();
  const TSize before = ClientSize(form_);
  const TRect floatingBefore = floating->BoundsRect();

  DragCorner(form_->Handle(), 120, 80);
  const TSize after = ClientSize(form_);
  const int dw = after.cx - before.cx, dh = after.cy - before.cy;
  ASSERT_GT(dw, 60) << "the border drag did not size the form";
  ASSERT_GT(dh, 40);

  EXPECT_EQ(stretched->Left(), 10);
  EXPECT_EQ(stretched->Width(), 200 + dw);
  EXPECT_EQ(stretched->Height(), 25);
  EXPECT_EQ(corner->Left(), 300 + dw);
  EXPECT_EQ(corner->Top(), 240 + dh);
  EXPECT_EQ(corner->Width(), 80);
  EXPECT_EQ(both->Width(), 100 + dw);
  EXPECT_EQ(both->Height(), 100 + dh);
  // The label's centre keeps its share of the client area.
  const double share = (floatingBefore.Left + 30) / double(before.cx);
  EXPECT_NEAR(floating->Left() + 30, share * after.cx, 1.0);
  EXPECT_EQ(floating->Width(), 60);
  EXPECT_EQ(fixed->Left(), 10);
  EXPECT_EQ(fixed->Top(), 200);
  EXPECT_EQ(aligned->Top(), after.cy - 30);
  EXPECT_EQ(aligned->Width(), after.cx);

  // Back to the first size: every control is where it started.
  DragCorner(form_->Handle(), -120, -80);
  ASSERT_EQ(ClientSize(form_).cx, before.cx);
  EXPECT_EQ(stretched->Width(), 200);
  EXPECT_EQ(corner->Left(), 300);
  EXPECT_EQ(corner->Top(), 240);
  EXPECT_EQ(floating->Left(), floatingBefore.Left);
}

TEST_F(LayoutInput, DraggingTheBorderStopsAtTheConstraints) {
  form_->Constraints()->SetMaxWidth(480);
  form_->Constraints()->SetMinHeight(250);
  std::vector<std::string> log;
  form_->OnCanResize = [&](TObject*, int&, int&, bool&) {
    if (log.empty() || log.back() != "can") log.push_back("can");
  };
  form_->OnConstrainedResize = [&](TObject*, int&, int&, int&, int&) {
    if (log.empty() || log.back() != "constrained") log.push_back("constrained");
  };
  ShowForm();
  log.clear();
  DragCorner(form_->Handle(), 200, -150);
  // Wine's sizing loop may stop a pixel short of a limit; never past it.
  EXPECT_LE(form_->Width(), 480);
  EXPECT_GE(form_->Width(), 478);
  EXPECT_GE(form_->Height(), 250);
  EXPECT_LE(form_->Height(), 252);
  RECT r;
  GetWindowRect(form_->Handle(), &r);
  EXPECT_EQ(r.right - r.left, form_->Width());
  EXPECT_EQ(r.bottom - r.top, form_->Height());
  const RECT limited = r;
  // Every change of size asked OnCanResize before OnConstrainedResize.
  const auto can = std::find(log.begin(), log.end(), "can");
  ASSERT_NE(can, log.end());
  ASSERT_NE(can + 1, log.end());
  EXPECT_EQ(*(can + 1), "constrained");

  // A handler that refuses keeps the size whatever the mouse does.
  form_->OnCanResize = [](TObject*, int&, int&, bool& resize) { resize = false; };
  DragCorner(form_->Handle(), -100, 100);
  GetWindowRect(form_->Handle(), &r);
  EXPECT_EQ(r.right - r.left, limited.right - limited.left);
  EXPECT_EQ(r.bottom - r.top, limited.bottom - limited.top);
  EXPECT_EQ(r.left, limited.left); // and the refused sizing did not move it
}

// Waits up to `ms` for a menu on screen; chooses its first item, or closes
// it. `seen` tells whether one showed.
std::thread OnMenu(std::atomic<bool>& seen, bool choose, int ms) {
  return std::thread([&seen, choose, ms] {
    for (int i = 0; i < ms / 10; ++i, Sleep(10)) {
      HWND m = FindWindowW(L"#32768", nullptr);
      if (!m || !IsWindowVisible(m)) continue;
      seen = true;
      Sleep(100);
      if (choose) PostMessageW(m, WM_KEYDOWN, VK_DOWN, 0);
      Sleep(50);
      PostMessageW(m, WM_KEYDOWN, choose ? VK_RETURN : VK_ESCAPE, 0);
      return;
    }
  });
}

TEST_F(LayoutInput, ARightClickRaisesOnContextPopupBeforeThePopupMenu) {
  auto* panel = Make<TPanel>(20, 20, 200, 120);
  auto* label = Make<TLabel>(240, 20, 100, 30);
  label->SetAutoSize(false);
  auto* menu = New<TPopupMenu>(form_);
  auto* item = New<TMenuItem>(menu);
  item->Caption = "item";
  menu->Items()->Add(item);
  int chosen = 0, popups = 0;
  item->OnClick = [&](TObject*) { ++chosen; };
  menu->OnPopup = [&](TObject*) { ++popups; };
  panel->SetPopupMenu(menu);
  std::vector<std::string> log;
  TPoint at;
  bool handle = true;
  panel->OnContextPopup = [&](TObject*, const TPoint& p, bool& handled) {
    log.push_back("panel");
    at = p;
    handled = handle;
  };
  label->OnContextPopup = [&](TObject*, const TPoint& p, bool& handled) {
    log.push_back("label");
    at = p;
    handled = true;
  };
  ShowForm();

  // Handled: no menu.
  std::atomic<bool> seen{false};
  std::thread watch = OnMenu(seen, false, 800);
  testinput::Click(panel->Handle(), 30, 40, true);
  Pump(300);
  watch.join();
  EXPECT_EQ(log, std::vector<std::string>{"panel"});
  EXPECT_EQ(at, Point(30, 40));
  EXPECT_FALSE(seen);
  EXPECT_EQ(popups, 0);

  // Left alone: the menu shows and its item can be chosen.
  handle = false;
  watch = OnMenu(seen, true, 2000);
  testinput::Click(panel->Handle(), 50, 60, true);
  Pump(300);
  watch.join();
  EXPECT_TRUE(seen);
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(at, Point(50, 60));
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(chosen, 1);

  // A graphic control hears of a click on itself, in its own coordinates.
  testinput::Click(form_->Handle(), 250, 35, true);
  Pump(200);
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log.back(), "label");
  EXPECT_EQ(at, Point(10, 15));
}

TEST_F(LayoutInput, TheContextMenuKeyRaisesOnContextPopupWithNoPoint) {
  auto* edit = Make<TEdit>(20, 20, 150, 22);
  TPoint at = Point(0, 0);
  int calls = 0;
  edit->OnContextPopup = [&](TObject*, const TPoint& p, bool& handled) {
    ++calls;
    at = p;
    handled = true; // and the edit's own menu stays away
  };
  ShowForm();
  edit->SetFocus();
  Pump(100);
  std::atomic<bool> seen{false};
  std::thread watch = OnMenu(seen, false, 800);
  testinput::Key(VK_APPS);
  Pump(300);
  watch.join();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(at, Point(-1, -1));
  EXPECT_FALSE(seen);
}

} // namespace
