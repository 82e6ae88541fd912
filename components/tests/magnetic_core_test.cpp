// Snapping and gluing of registered windows against a table of fake windows.
#include <gtest/gtest.h>

#include <map>

#include "components/MagneticCore.h"

using namespace components;

namespace {

struct FakeWindow {
  TRect rect;
  bool visible = true;
  bool maximized = false;
};

class FakeWindows : public IWindowSystem {
 public:
  std::map<WindowId, FakeWindow> table;
  TRect work{0, 0, 1280, 1000};
  TPoint cursor;
  std::vector<WindowMove> moved;
  int batches = 0;

  WindowId Add(TRect r, bool visible = true) {
    const WindowId id = next_++;
    table[id] = {r, visible, false};
    return id;
  }
  bool IsWindow(WindowId w) const override { return table.count(w) != 0; }
  bool IsVisible(WindowId w) const override { return table.at(w).visible; }
  bool IsMaximized(WindowId w) const override { return table.at(w).maximized; }
  TRect WindowRect(WindowId w) const override { return table.at(w).rect; }
  TRect WorkArea() const override { return work; }
  TPoint CursorPos() const override { return cursor; }
  void MoveWindows(const std::vector<WindowMove>& moves) override {
    ++batches;
    for (const auto& m : moves) {
      moved.push_back(m);
      TRect& r = table.at(m.Wnd).rect;
      r = {m.X, m.Y, m.X + r.Width(), m.Y + r.Height()};
    }
  }

 private:
  WindowId next_ = 0x1000;
};

// Drags wnd so that its top-left lands on (x, y), as the system's move loop
// would: enter, one moving step with the cursor moved by the same amount.
TRect Drag(MagneticCore& m, FakeWindows& ws, WindowId wnd, int x, int y) {
  const TRect r = ws.table.at(wnd).rect;
  ws.cursor = {r.Left + 10, r.Top + 5};
  m.EnterSizeMove(wnd);
  ws.cursor = {x + 10, y + 5};
  TRect proposed = Bounds(x + 3, y - 7, r.Width(), r.Height()); // ignored
  m.SnapMoving(wnd, proposed);
  return proposed;
}

} // namespace

TEST(RectsAdjoin, TouchingEdgesAndGaps) {
  EXPECT_TRUE(RectsAdjoin(Bounds(0, 0, 100, 50), Bounds(100, 0, 40, 50)));
  EXPECT_FALSE(RectsAdjoin(Bounds(0, 0, 100, 50), Bounds(101, 0, 40, 50))); // 1-pixel gap
  EXPECT_TRUE(
      RectsAdjoin(Bounds(0, 0, 100, 50), Bounds(20, 50, 40, 50))); // below, overlapping in x
  EXPECT_FALSE(RectsAdjoin(Bounds(0, 0, 100, 50), Bounds(20, 51, 40, 50)));
  EXPECT_TRUE(RectsAdjoin(Bounds(0, 0, 100, 50), Bounds(100, 50, 10, 10))); // corner to corner
  // Overlapping without one shared coordinate is not touching.
  EXPECT_FALSE(RectsAdjoin(Bounds(0, 0, 100, 50), Bounds(10, 10, 20, 20)));
  EXPECT_TRUE(RectsAdjoin(Bounds(0, 0, 100, 50), Bounds(0, 10, 20, 20))); // shared left edge
  // Edge to edge in x but far apart in y.
  EXPECT_FALSE(RectsAdjoin(Bounds(0, 0, 100, 50), Bounds(100, 300, 40, 50)));
}

TEST(RectsAdjoin, NearTestsAreStrict) {
  const TRect R = Bounds(100, 100, 100, 100);
  EXPECT_TRUE(NearInY(Bounds(0, 224, 10, 10), R, 25)); // top 224 < 200 + 25
  EXPECT_FALSE(NearInY(Bounds(0, 225, 10, 10), R, 25));
  EXPECT_TRUE(NearInX(Bounds(66, 0, 10, 10), R, 25)); // right 76 > 100 - 25
  EXPECT_FALSE(NearInX(Bounds(65, 0, 10, 10), R, 25));
}

TEST(MagneticCore, AddAndRemoveBookkeeping) {
  FakeWindows ws;
  MagneticCore m(ws);
  EXPECT_EQ(m.SnapWidth(), 15);
  const WindowId main = ws.Add(Bounds(100, 100, 506, 290));
  const WindowId side = ws.Add(Bounds(606, 100, 200, 290));
  const WindowId other = ws.Add(Bounds(0, 600, 200, 100));
  EXPECT_TRUE(m.AddWindow(main, 0));
  EXPECT_FALSE(m.AddWindow(main, 0));      // twice
  EXPECT_FALSE(m.AddWindow(0xDEAD, 0));    // not a window
  EXPECT_FALSE(m.AddWindow(side, 0xBEEF)); // glue parent not a window
  EXPECT_EQ(m.Count(), 1);
  EXPECT_TRUE(m.AddWindow(side, main));
  EXPECT_TRUE(m.AddWindow(other, other)); // itself as glue parent: none
  EXPECT_EQ(m.Item(3).GlueParent, 0u);
  EXPECT_EQ(m.Count(), 3);
  EXPECT_TRUE(m.Item(2).Glued);
  EXPECT_EQ(m.Rects(2), Bounds(606, 100, 200, 290));
  EXPECT_EQ(m.IndexOfWindow(other), 3);
  EXPECT_EQ(m.IndexOfWindow(0x42), -1);

  EXPECT_TRUE(m.RemoveWindow(main));
  EXPECT_FALSE(m.RemoveWindow(main));
  EXPECT_EQ(m.Count(), 2);
  EXPECT_EQ(m.Item(1).Wnd, side); // later entries shifted down
  EXPECT_EQ(m.Item(1).GlueParent, 0u);
  EXPECT_FALSE(m.Item(1).Glued);
  EXPECT_EQ(m.Rects(2), Bounds(0, 600, 200, 100));
}

TEST(MagneticCore, GlueNeedsTouchingVisibleWindowsAndPropagatesAlongChains) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(Bounds(100, 100, 500, 300));
  const WindowId a = ws.Add(Bounds(600, 100, 200, 300));        // touches main
  const WindowId b = ws.Add(Bounds(800, 100, 200, 300));        // touches a only
  const WindowId c = ws.Add(Bounds(1001, 100, 100, 300));       // 1-pixel gap to b
  const WindowId d = ws.Add(Bounds(100, 400, 500, 100), false); // touches, hidden
  m.AddWindow(main, 0);
  m.AddWindow(a, main);
  m.AddWindow(b, main);
  m.AddWindow(c, main);
  m.AddWindow(d, main);
  EXPECT_TRUE(m.Item(2).Glued);
  EXPECT_TRUE(m.Item(3).Glued); // through a
  EXPECT_FALSE(m.Item(4).Glued);
  EXPECT_FALSE(m.Item(5).Glued);

  ws.table[c].rect = Bounds(1000, 100, 100, 300);
  ws.table[d].visible = true;
  m.RefreshGlue();
  EXPECT_TRUE(m.Item(4).Glued);
  EXPECT_TRUE(m.Item(5).Glued);

  // The glue parent's own visibility is not asked.
  ws.table[main].visible = false;
  m.RefreshGlue();
  EXPECT_TRUE(m.Item(2).Glued);
}

TEST(MagneticCore, SnapsToTheWorkAreaAt24PixelsNotAt25) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(Bounds(300, 300, 506, 290));
  m.AddWindow(main, 0);
  m.SetSnapWidth(25);
  EXPECT_EQ(Drag(m, ws, main, 24, 300).Left, 0);
  EXPECT_EQ(Drag(m, ws, main, 25, 300).Left, 25);
  EXPECT_EQ(Drag(m, ws, main, -24, 300).Left, 0);
  // Right edge against the work area's right edge.
  EXPECT_EQ(Drag(m, ws, main, 1280 - 506 - 20, 300).Right, 1280);
  // The position follows the cursor, not the system's proposal.
  const TRect r = Drag(m, ws, main, 400, 333);
  EXPECT_EQ(r, Bounds(400, 333, 506, 290));
}

TEST(MagneticCore, SnapsToAnotherVisibleWindowOnlyWhenNear) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId a = ws.Add(Bounds(500, 300, 200, 200));
  const WindowId b = ws.Add(Bounds(100, 300, 200, 200));
  m.AddWindow(a, 0);
  m.AddWindow(b, 0);
  EXPECT_EQ(Drag(m, ws, b, 290, 310).Right, 500); // right edge to a's left
  EXPECT_EQ(Drag(m, ws, b, 290, 490).Top, 500);   // below a's band: top to a's bottom
  ws.table[a].visible = false;
  EXPECT_EQ(Drag(m, ws, b, 290, 310).Right, 490); // hidden windows don't attract
}

TEST(MagneticCore, DraggingMovesGluedSideWindowsOnly) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(Bounds(100, 100, 506, 290));
  const WindowId glued = ws.Add(Bounds(606, 100, 300, 290));
  const WindowId apart = ws.Add(Bounds(100, 500, 300, 200)); // 110 pixels below
  m.AddWindow(main, 0);
  m.AddWindow(glued, main);
  m.AddWindow(apart, main);
  m.SetSnapWidth(25);
  ASSERT_TRUE(m.Item(2).Glued);
  ASSERT_FALSE(m.Item(3).Glued);

  const TRect r = Drag(m, ws, main, 200, 150);
  EXPECT_EQ(r, Bounds(200, 150, 506, 290));
  EXPECT_EQ(ws.batches, 1);
  ASSERT_EQ(ws.moved.size(), 1u);
  EXPECT_EQ(ws.moved[0].Wnd, glued);
  EXPECT_EQ(ws.table[glued].rect, Bounds(706, 150, 300, 290));
  EXPECT_EQ(ws.table[apart].rect, Bounds(100, 500, 300, 200));
}

TEST(MagneticCore, ASmallDragIsNotHeldBackByTheWindowsGluedToIt) {
  // Moved by 5 pixels, the main window's right edge comes 5 from where its
  // glued side window stands now; that window moves along, so it must not
  // pull the main window back.
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(Bounds(300, 300, 300, 200));
  const WindowId glued = ws.Add(Bounds(600, 300, 200, 200));
  m.AddWindow(main, 0);
  m.AddWindow(glued, main);
  m.SetSnapWidth(25);
  ASSERT_TRUE(m.Item(2).Glued);
  EXPECT_EQ(Drag(m, ws, main, 305, 300), Bounds(305, 300, 300, 200));
  EXPECT_EQ(ws.table[glued].rect, Bounds(605, 300, 200, 200));
  EXPECT_EQ(Drag(m, ws, main, 305, 290), Bounds(305, 290, 300, 200));
}

TEST(MagneticCore, AGluedWindowDoesNotSnapToAnotherGluedOne) {
  // A chain: main, then a window glued to its right, then one glued to that.
  // Moved by 5, the middle window's right edge comes 5 from where the last
  // one stands now; both move along, so nothing snaps.
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(Bounds(100, 300, 300, 200));
  const WindowId middle = ws.Add(Bounds(400, 300, 200, 200));
  const WindowId last = ws.Add(Bounds(600, 300, 200, 200));
  m.AddWindow(main, 0);
  m.AddWindow(middle, main);
  m.AddWindow(last, main);
  m.SetSnapWidth(25);
  ASSERT_TRUE(m.Item(2).Glued);
  ASSERT_TRUE(m.Item(3).Glued);
  EXPECT_EQ(Drag(m, ws, main, 105, 300), Bounds(105, 300, 300, 200));
  EXPECT_EQ(ws.table[middle].rect, Bounds(405, 300, 200, 200));
  EXPECT_EQ(ws.table[last].rect, Bounds(605, 300, 200, 200));
}

TEST(MagneticCore, GluedWindowsSnapForTheirParent) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(Bounds(100, 100, 300, 200));
  const WindowId glued = ws.Add(Bounds(400, 100, 200, 200));
  const WindowId target = ws.Add(Bounds(700, 600, 200, 200));
  m.AddWindow(main, 0);
  m.AddWindow(glued, main);
  m.AddWindow(target, 0);
  m.SetSnapWidth(25);
  // Moving by +90 brings the glued window's right edge (690) within 10 of
  // target's left (700): the whole group shifts 10 more.
  const TRect r = Drag(m, ws, main, 190, 450);
  EXPECT_EQ(r.Left, 200);
  EXPECT_EQ(ws.table[glued].rect.Right, 700);
  EXPECT_EQ(ws.table[glued].rect.Top, r.Top);
}

TEST(MagneticCore, WindowsGluedToAChildDoNotMoveWithTheParent) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(Bounds(100, 100, 300, 200));
  const WindowId child = ws.Add(Bounds(400, 100, 200, 200));
  const WindowId grandchild = ws.Add(Bounds(600, 100, 100, 200));
  m.AddWindow(main, 0);
  m.AddWindow(child, main);
  m.AddWindow(grandchild, child);
  ASSERT_TRUE(m.Item(3).Glued);
  Drag(m, ws, main, 150, 150);
  EXPECT_EQ(ws.table[child].rect.Left, 450);
  EXPECT_EQ(ws.table[grandchild].rect.Left, 600);
}

TEST(MagneticCore, SizingSnapsOnlyTheDraggedEdges) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId a = ws.Add(Bounds(100, 100, 300, 200));
  const WindowId b = ws.Add(Bounds(600, 80, 200, 300));
  m.AddWindow(a, 0);
  m.AddWindow(b, 0);
  m.SetSnapWidth(25);
  ws.cursor = {400, 200};
  m.EnterSizeMove(a);
  TRect s{100, 90, 590, 300}; // right edge 10 short of b, top 10 from b's top
  m.SnapSizing(a, s, SizingEdge::Right);
  EXPECT_EQ(s.Right, 600);
  EXPECT_EQ(s.Top, 90); // the top stays where the user put it
  TRect t{100, 90, 590, 300};
  m.SnapSizing(a, t, SizingEdge::TopRight);
  EXPECT_EQ(t.Right, 600);
  EXPECT_EQ(t.Top, 80);
  TRect u{12, 100, 400, 300};
  m.SnapSizing(a, u, SizingEdge::Left); // work area
  EXPECT_EQ(u.Left, 0);
  TRect v{100, 100, 400, 995};
  m.SnapSizing(a, v, SizingEdge::Bottom);
  EXPECT_EQ(v.Bottom, 1000);
}

TEST(MagneticCore, MaximisedWindowsCountAsTheWorkArea) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId big = ws.Add(Bounds(50, 50, 100, 100));
  const WindowId mover = ws.Add(Bounds(500, 500, 100, 100));
  ws.table[big].maximized = true;
  m.AddWindow(big, 0);
  m.AddWindow(mover, 0);
  ws.cursor = {0, 0};
  m.EnterSizeMove(mover);
  EXPECT_EQ(m.Rects(1), ws.work);
  EXPECT_EQ(m.DragOffset().X, 500);
}
