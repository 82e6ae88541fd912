// Dragging and docking with real input (SendInput) on a test form: an item
// dragged onto a control that accepts it, onto one that refuses it, and
// cancelled with Esc or a right click, with the cursor shown on the way and
// the events in their order; a click that never passes the threshold stays a
// click; a dkDock panel docked onto a dock site by the mouse (its dock
// manager aligning it by the side it was dropped on), floated in a small
// host window when dropped elsewhere, and held back by OnUnDock. Real input
// goes to the window in front, so it runs alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/DragDock.h"
#include "classlib/Forms.h"
#include "classlib/PanelCtrls.h"
#include "classlib/tests/controls_test_input.h"

using namespace testinput;

namespace {

std::string NameOf(TObject* o) {
  auto* c = dynamic_cast<TComponent*>(o);
  return c ? c->Name() : (o ? "?" : "-");
}

class DragDock : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    ProcessHook = [] { Application->ProcessMessages(); };
    form_ = New<TForm>(Application);
    form_->SetBounds(60, 60, 560, 300);
    form_->SetCaption("Перетаскивание");
    source_ = Panel("source", 10, 10);
    source_->SetDragMode(dmAutomatic);
    source_->SetDragCursor(crHandPoint);
    source_->OnClick = [this](TObject*) { log_.push_back("click"); };
    source_->OnStartDrag = [this](TObject* s, TDragObject*&) {
      log_.push_back("start " + NameOf(s));
    };
    source_->OnEndDrag = [this](TObject*, TObject* target, int X, int Y) {
      log_.push_back("end " + NameOf(target));
      end_at_ = Point(X, Y);
    };
    accepting_ = Panel("accepting", 150, 10);
    accepting_->OnDragOver = [this](TObject*, TObject* src, int, int, TDragState st, bool&) {
      if (st != dsDragMove) log_.push_back(std::string(st == dsDragEnter ? "enter " : "leave ") +
                                           NameOf(src));
      over_cursor_ = GetCursor();
    };
    accepting_->OnDragDrop = [this](TObject*, TObject* src, int X, int Y) {
      log_.push_back("drop " + NameOf(src));
      drop_at_ = Point(X, Y);
    };
    refusing_ = Panel("refusing", 290, 10);
    refusing_->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& accept) {
      accept = false;
    };
    refusing_->OnDragDrop = [this](TObject*, TObject*, int, int) { log_.push_back("drop refused"); };
    form_->Show();
    Activate(form_->Handle());
    Pump(150);
  }
  void TearDown() override {
    form_->Free();
    Pump(80);
  }
  TPanel* Panel(const std::string& name, int x, int y) {
    auto* p = new TPanel(form_);
    p->SetName(name);
    p->SetParent(form_);
    p->SetBounds(x, y, 120, 100);
    p->SetCaption(name);
    return p;
  }
  // Presses on `from`'s centre, moves over `to` in steps and lets go there
  // (or stops before letting go when release is false).
  void DragTo(TWinControl* from, TWinControl* to, bool release = true) {
    // A press soon after the last one at the same place is a double click,
    // which starts no drag.
    Pump(static_cast<int>(GetDoubleClickTime()) + 50);
    POINT a{60, 50}, b{40, 30};
    ClientToScreen(from->Handle(), &a);
    ClientToScreen(to->Handle(), &b);
    DragAlong(a, b, 6, release);
  }
  TForm* form_ = nullptr;
  TPanel *source_ = nullptr, *accepting_ = nullptr, *refusing_ = nullptr;
  std::vector<std::string> log_;
  TPoint drop_at_{}, end_at_{};
  HCURSOR over_cursor_ = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(DragDock, AnItemDroppedOnAControlThatAcceptsItIsDroppedThere) {
  DragTo(source_, accepting_, false);
  EXPECT_TRUE(source_->Dragging());
  EXPECT_EQ(over_cursor_, classlib::CursorHandleOf(crHandPoint));
  EXPECT_EQ(GetCapture() != nullptr, true);
  MouseUp();
  EXPECT_FALSE(source_->Dragging());
  EXPECT_EQ(log_, (Log{"start source", "enter source", "leave source", "drop source",
                       "end accepting"}));
  // Both in the target's own coordinates.
  EXPECT_EQ(drop_at_, Point(40, 30));
  EXPECT_EQ(end_at_, Point(40, 30));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragDock, ARefusalOrACancelEndsWithNoTargetAndNoDrop) {
  DragTo(source_, refusing_, false);
  EXPECT_EQ(GetCursor(), classlib::CursorHandleOf(crNoDrop));
  MouseUp();
  EXPECT_EQ(log_, (Log{"start source", "enter source", "leave source", "end -"}));

  log_.clear();
  DragTo(source_, accepting_, false);
  Key(VK_ESCAPE);
  EXPECT_FALSE(source_->Dragging());
  MouseUp(); // the button going up after Esc drops nothing
  EXPECT_EQ(log_, (Log{"start source", "enter source", "leave source", "end -"}));

  log_.clear();
  DragTo(source_, accepting_, false);
  Click(accepting_->Handle(), 40, 30, true); // a right click cancels
  MouseUp();
  EXPECT_EQ(log_, (Log{"start source", "enter source", "leave source", "end -"}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragDock, AClickThatStaysWithinTheThresholdIsAClick) {
  MouseDown(source_->Handle(), 60, 50);
  MoveTo(source_->Handle(), 63, 53); // 3 pixels: still a press
  MouseUp();
  EXPECT_EQ(log_, (Log{"click"}));
  // From code: BeginDrag with no threshold starts at once, EndDrag(false)
  // cancels it.
  log_.clear();
  MoveTo(accepting_->Handle(), 10, 10);
  source_->BeginDrag(true);
  Pump(50);
  EXPECT_TRUE(source_->Dragging());
  source_->EndDrag(false);
  EXPECT_EQ(log_, (Log{"start source", "enter source", "leave source", "end -"}));
}

TEST_F(DragDock, ADockControlDocksOntoASiteByItsSideAndFloatsElsewhere) {
  refusing_->Hide();
  auto* site = Panel("site", 290, 10);
  site->SetBounds(290, 10, 240, 200);
  site->SetDockSite(true);
  site->SetUseDockManager(true);
  std::vector<std::string> dockLog;
  site->OnDockOver = [&](TObject*, TDragDockObject* d, int, int, TDragState st, bool&) {
    if (st == dsDragEnter) dockLog.push_back("over " + NameOf(d->Control()));
  };
  site->OnDockDrop = [&](TObject*, TDragDockObject* d, int, int) {
    dockLog.push_back("dock " + NameOf(d->Control()));
  };
  source_->SetDragKind(dkDock);
  source_->OnEndDock = [&](TObject*, TObject* t, int, int) { dockLog.push_back("end " + NameOf(t)); };

  // Dropped near the site's left edge: docked there, taking the left side.
  MouseDown(source_->Handle(), 60, 50);
  for (int x : {80, 150, 250, 300}) MoveTo(form_->Handle(), x, 100);
  EXPECT_TRUE(IsWindowVisible(FindWindowW(L"Korvalis.DockRect", nullptr)));
  MouseUp();
  EXPECT_EQ(dockLog, (Log{"over source", "dock source", "end site"}));
  ASSERT_EQ(source_->HostDockSite(), site);
  EXPECT_EQ(source_->Parent(), site);
  EXPECT_EQ(source_->Align(), alLeft);
  EXPECT_GT(source_->Height(), site->ClientHeight() - 8); // the whole height, within the bevel
  EXPECT_EQ(site->DockClientCount(), 1);
  EXPECT_FALSE(source_->Floating());
  EXPECT_FALSE(IsWindowVisible(FindWindowW(L"Korvalis.DockRect", nullptr)));

  // The site may keep it.
  bool allow = false;
  site->OnUnDock = [&](TObject*, TControl*, TWinControl*, bool& a) { a = allow; };
  EXPECT_FALSE(source_->ManualFloat(Bounds(100, 400, 120, 100)));
  EXPECT_EQ(source_->HostDockSite(), site);

  // Dropped over no site, it floats in a tool window of its own.
  allow = true;
  dockLog.clear();
  POINT p{20, 20};
  ClientToScreen(source_->Handle(), &p);
  DragAlong(p, POINT{p.x, p.y + 200}, 4, false);
  MouseUp();
  Pump(100);
  EXPECT_EQ(dockLog, (Log{"over source", "end -"})); // it started over the site
  auto* host = dynamic_cast<TCustomForm*>(source_->HostDockSite());
  ASSERT_NE(host, nullptr);
  EXPECT_TRUE(source_->Floating());
  EXPECT_EQ(source_->Parent(), host);
  EXPECT_TRUE(IsWindowVisible(host->Handle()));
  EXPECT_EQ(host->Caption(), "source");
  EXPECT_EQ(site->DockClientCount(), 0);

  // Docked back by code, the host window goes away.
  ASSERT_TRUE(source_->ManualDock(site, nullptr, alTop));
  EXPECT_EQ(source_->Align(), alTop);
  Pump(100);
  EXPECT_EQ(site->DockClientCount(), 1);
}

} // namespace
