// Snapping and gluing of registered windows against a table of fake windows.
#include <gtest/gtest.h>

#include <map>

#include "components/MagneticCore.h"

namespace {

struct FakeWindow {
  MagRect rect;
  bool visible = true;
  bool maximized = false;
};

class FakeWindows : public IWindowSystem {
 public:
  std::map<WindowId, FakeWindow> table;
  MagRect work{0, 0, 1280, 1000};
  MagPoint cursor;
  std::vector<WindowMove> moved;
  int batches = 0;

  WindowId Add(MagRect r, bool visible = true) {
    const WindowId id = next_++;
    table[id] = {r, visible, false};
    return id;
  }
  bool IsWindow(WindowId w) const override { return table.count(w) != 0; }
  bool IsVisible(WindowId w) const override { return table.at(w).visible; }
  bool IsMaximized(WindowId w) const override { return table.at(w).maximized; }
  MagRect WindowRect(WindowId w) const override { return table.at(w).rect; }
  MagRect WorkArea() const override { return work; }
  MagPoint CursorPos() const override { return cursor; }
  void MoveWindows(const std::vector<WindowMove>& moves) override {
    ++batches;
    for (const auto& m : moves) {
      moved.push_back(m);
      MagRect& r = table.at(m.Wnd).rect;
      r = {m.X, m.Y, m.X + r.Width(), m.Y + r.Height()};
    }
  }

 private:
  WindowId next_ = 0x1000;
};

MagRect At(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

// Drags wnd so that its top-left lands on (x, y), as the system's move loop
// would: enter, one moving step with the cursor moved by the same amount.
MagRect Drag(MagneticCore& m, FakeWindows& ws, WindowId wnd, int x, int y) {
  const MagRect r = ws.table.at(wnd).rect;
  ws.cursor = {r.left + 10, r.top + 5};
  m.EnterSizeMove(wnd);
  ws.cursor = {x + 10, y + 5};
  MagRect proposed = At(x + 3, y - 7, r.Width(), r.Height()); // ignored
  m.SnapMoving(wnd, proposed);
  return proposed;
}

} // namespace

TEST(RectsAdjoin, TouchingEdgesAndGaps) {
  EXPECT_TRUE(RectsAdjoin(At(0, 0, 100, 50), At(100, 0, 40, 50)));
  EXPECT_FALSE(RectsAdjoin(At(0, 0, 100, 50), At(101, 0, 40, 50))); // 1-pixel gap
  EXPECT_TRUE(RectsAdjoin(At(0, 0, 100, 50), At(20, 50, 40, 50)));  // below, overlapping in x
  EXPECT_FALSE(RectsAdjoin(At(0, 0, 100, 50), At(20, 51, 40, 50)));
  EXPECT_TRUE(RectsAdjoin(At(0, 0, 100, 50), At(100, 50, 10, 10))); // corner to corner
  // Overlapping without one shared coordinate is not touching.
  EXPECT_FALSE(RectsAdjoin(At(0, 0, 100, 50), At(10, 10, 20, 20)));
  EXPECT_TRUE(RectsAdjoin(At(0, 0, 100, 50), At(0, 10, 20, 20))); // shared left edge
  // Edge to edge in x but far apart in y.
  EXPECT_FALSE(RectsAdjoin(At(0, 0, 100, 50), At(100, 300, 40, 50)));
}

TEST(RectsAdjoin, NearTestsAreStrict) {
  const MagRect R = At(100, 100, 100, 100);
  EXPECT_TRUE(NearInY(At(0, 224, 10, 10), R, 25)); // top 224 < 200 + 25
  EXPECT_FALSE(NearInY(At(0, 225, 10, 10), R, 25));
  EXPECT_TRUE(NearInX(At(66, 0, 10, 10), R, 25)); // right 76 > 100 - 25
  EXPECT_FALSE(NearInX(At(65, 0, 10, 10), R, 25));
}

TEST(MagneticCore, AddAndRemoveBookkeeping) {
  FakeWindows ws;
  MagneticCore m(ws);
  EXPECT_EQ(m.SnapWidth(), 15);
  const WindowId main = ws.Add(At(100, 100, 506, 290));
  const WindowId side = ws.Add(At(606, 100, 200, 290));
  const WindowId other = ws.Add(At(0, 600, 200, 100));
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
  EXPECT_EQ(m.Rects(2), At(606, 100, 200, 290));
  EXPECT_EQ(m.IndexOfWindow(other), 3);
  EXPECT_EQ(m.IndexOfWindow(0x42), -1);

  EXPECT_TRUE(m.RemoveWindow(main));
  EXPECT_FALSE(m.RemoveWindow(main));
  EXPECT_EQ(m.Count(), 2);
  EXPECT_EQ(m.Item(1).Wnd, side); // later entries shifted down
  EXPECT_EQ(m.Item(1).GlueParent, 0u);
  EXPECT_FALSE(m.Item(1).Glued);
  EXPECT_EQ(m.Rects(2), At(0, 600, 200, 100));
}

TEST(MagneticCore, GlueNeedsTouchingVisibleWindowsAndPropagatesAlongChains) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(At(100, 100, 500, 300));
  const WindowId a = ws.Add(At(600, 100, 200, 300));        // touches main
  const WindowId b = ws.Add(At(800, 100, 200, 300));        // touches a only
  const WindowId c = ws.Add(At(1001, 100, 100, 300));       // 1-pixel gap to b
  const WindowId d = ws.Add(At(100, 400, 500, 100), false); // touches, hidden
  m.AddWindow(main, 0);
  m.AddWindow(a, main);
  m.AddWindow(b, main);
  m.AddWindow(c, main);
  m.AddWindow(d, main);
  EXPECT_TRUE(m.Item(2).Glued);
  EXPECT_TRUE(m.Item(3).Glued); // through a
  EXPECT_FALSE(m.Item(4).Glued);
  EXPECT_FALSE(m.Item(5).Glued);

  ws.table[c].rect = At(1000, 100, 100, 300);
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
  const WindowId main = ws.Add(At(300, 300, 506, 290));
  m.AddWindow(main, 0);
  m.SetSnapWidth(25);
  EXPECT_EQ(Drag(m, ws, main, 24, 300).left, 0);
  EXPECT_EQ(Drag(m, ws, main, 25, 300).left, 25);
  EXPECT_EQ(Drag(m, ws, main, -24, 300).left, 0);
  // Right edge against the work area's right edge.
  EXPECT_EQ(Drag(m, ws, main, 1280 - 506 - 20, 300).right, 1280);
  // The position follows the cursor, not the system's proposal.
  const MagRect r = Drag(m, ws, main, 400, 333);
  EXPECT_EQ(r, At(400, 333, 506, 290));
}

TEST(MagneticCore, SnapsToAnotherVisibleWindowOnlyWhenNear) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId a = ws.Add(At(500, 300, 200, 200));
  const WindowId b = ws.Add(At(100, 300, 200, 200));
  m.AddWindow(a, 0);
  m.AddWindow(b, 0);
  EXPECT_EQ(Drag(m, ws, b, 290, 310).right, 500); // right edge to a's left
  EXPECT_EQ(Drag(m, ws, b, 290, 490).top, 500);   // below a's band: top to a's bottom
  ws.table[a].visible = false;
  EXPECT_EQ(Drag(m, ws, b, 290, 310).right, 490); // hidden windows don't attract
}

TEST(MagneticCore, DraggingMovesGluedSideWindowsOnly) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(At(100, 100, 506, 290));
  const WindowId glued = ws.Add(At(606, 100, 300, 290));
  const WindowId apart = ws.Add(At(100, 500, 300, 200)); // 110 pixels below
  m.AddWindow(main, 0);
  m.AddWindow(glued, main);
  m.AddWindow(apart, main);
  m.SetSnapWidth(25);
  ASSERT_TRUE(m.Item(2).Glued);
  ASSERT_FALSE(m.Item(3).Glued);

  const MagRect r = Drag(m, ws, main, 200, 150);
  EXPECT_EQ(r, At(200, 150, 506, 290));
  EXPECT_EQ(ws.batches, 1);
  ASSERT_EQ(ws.moved.size(), 1u);
  EXPECT_EQ(ws.moved[0].Wnd, glued);
  EXPECT_EQ(ws.table[glued].rect, At(706, 150, 300, 290));
  EXPECT_EQ(ws.table[apart].rect, At(100, 500, 300, 200));
}

TEST(MagneticCore, ASmallDragIsNotHeldBackByTheWindowsGluedToIt) {
  // Moved by 5 pixels, the main window's right edge comes 5 from where its
  // glued side window stands now; that window moves along, so it must not
  // pull the main window back.
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(At(300, 300, 300, 200));
  const WindowId glued = ws.Add(At(600, 300, 200, 200));
  m.AddWindow(main, 0);
  m.AddWindow(glued, main);
  m.SetSnapWidth(25);
  ASSERT_TRUE(m.Item(2).Glued);
  EXPECT_EQ(Drag(m, ws, main, 305, 300), At(305, 300, 300, 200));
  EXPECT_EQ(ws.table[glued].rect, At(605, 300, 200, 200));
  EXPECT_EQ(Drag(m, ws, main, 305, 290), At(305, 290, 300, 200));
}

TEST(MagneticCore, AGluedWindowDoesNotSnapToAnotherGluedOne) {
  // A chain: main, then a window glued to its right, then one glued to that.
  // Moved by 5, the middle window's right edge comes 5 from where the last
  // one stands now; both move along, so nothing snaps.
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(At(100, 300, 300, 200));
  const WindowId middle = ws.Add(At(400, 300, 200, 200));
  const WindowId last = ws.Add(At(600, 300, 200, 200));
  m.AddWindow(main, 0);
  m.AddWindow(middle, main);
  m.AddWindow(last, main);
  m.SetSnapWidth(25);
  ASSERT_TRUE(m.Item(2).Glued);
  ASSERT_TRUE(m.Item(3).Glued);
  EXPECT_EQ(Drag(m, ws, main, 105, 300), At(105, 300, 300, 200));
  EXPECT_EQ(ws.table[middle].rect, At(405, 300, 200, 200));
  EXPECT_EQ(ws.table[last].rect, At(605, 300, 200, 200));
}

TEST(MagneticCore, GluedWindowsSnapForTheirParent) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(At(100, 100, 300, 200));
  const WindowId glued = ws.Add(At(400, 100, 200, 200));
  const WindowId target = ws.Add(At(700, 600, 200, 200));
  m.AddWindow(main, 0);
  m.AddWindow(glued, main);
  m.AddWindow(target, 0);
  m.SetSnapWidth(25);
  // Moving by +90 brings the glued window's right edge (690) within 10 of
  // target's left (700): the whole group shifts 10 more.
  const MagRect r = Drag(m, ws, main, 190, 450);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(ws.table[glued].rect.right, 700);
  EXPECT_EQ(ws.table[glued].rect.top, r.top);
}

TEST(MagneticCore, WindowsGluedToAChildDoNotMoveWithTheParent) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId main = ws.Add(At(100, 100, 300, 200));
  const WindowId child = ws.Add(At(400, 100, 200, 200));
  const WindowId grandchild = ws.Add(At(600, 100, 100, 200));
  m.AddWindow(main, 0);
  m.AddWindow(child, main);
  m.AddWindow(grandchild, child);
  ASSERT_TRUE(m.Item(3).Glued);
  Drag(m, ws, main, 150, 150);
  EXPECT_EQ(ws.table[child].rect.left, 450);
  EXPECT_EQ(ws.table[grandchild].rect.left, 600);
}

TEST(MagneticCore, SizingSnapsOnlyTheDraggedEdges) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId a = ws.Add(At(100, 100, 300, 200));
  const WindowId b = ws.Add(At(600, 80, 200, 300));
  m.AddWindow(a, 0);
  m.AddWindow(b, 0);
  m.SetSnapWidth(25);
  ws.cursor = {400, 200};
  m.EnterSizeMove(a);
  MagRect s{100, 90, 590, 300}; // right edge 10 short of b, top 10 from b's top
  m.SnapSizing(a, s, EdgeRight);
  EXPECT_EQ(s.right, 600);
  EXPECT_EQ(s.top, 90); // the top stays where the user put it
  MagRect t{100, 90, 590, 300};
  m.SnapSizing(a, t, EdgeTopRight);
  EXPECT_EQ(t.right, 600);
  EXPECT_EQ(t.top, 80);
  MagRect u{12, 100, 400, 300};
  m.SnapSizing(a, u, EdgeLeft); // work area
  EXPECT_EQ(u.left, 0);
  MagRect v{100, 100, 400, 995};
  m.SnapSizing(a, v, EdgeBottom);
  EXPECT_EQ(v.bottom, 1000);
}

TEST(MagneticCore, MaximisedWindowsCountAsTheWorkArea) {
  FakeWindows ws;
  MagneticCore m(ws);
  const WindowId big = ws.Add(At(50, 50, 100, 100));
  const WindowId mover = ws.Add(At(500, 500, 100, 100));
  ws.table[big].maximized = true;
  m.AddWindow(big, 0);
  m.AddWindow(mover, 0);
  ws.cursor = {0, 0};
  m.EnterSizeMove(mover);
  EXPECT_EQ(m.Rects(1), ws.work);
  EXPECT_EQ(m.DragOffset().x, 500);
}
