// The portable rules of dragging and docking: when a press becomes a drag,
// what the controls under the mouse hear and in which order, how a drag
// ends (drop, refusal, cancel, a handler ending it), a target that goes away,
// and the dock zones.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "classlib/DragDockCore.h"

using namespace classlib;

namespace {

struct Target : TObject {
  explicit Target(std::string n, bool accepts = true) : name(std::move(n)), accepts(accepts) {}
  std::string name;
  bool accepts;
};

// Targets are columns of the screen: x < 100 none, 100..199 a, 200.. b.
class Host : public TDragHost {
 public:
  Target a{"a"}, b{"b", false};
  std::vector<std::string> log;
  TDragSession* session = nullptr;
  std::function<void()> onStart, onOver;

  TObject* TargetAt(const TPoint& p) override {
    if (p.X < 100) return nullptr;
    return p.X < 200 ? &a : &b;
  }
  void Started() override {
    log.push_back("start");
    if (onStart) onStart();
  }
  bool Over(TObject* t, const TPoint&, TDragState s) override {
    auto* x = static_cast<Target*>(t);
    static const char* names[] = {"enter", "leave", "move"};
    log.push_back(std::string(names[s]) + " " + x->name);
    if (onOver) onOver();
    return x->accepts;
  }
  void Feedback(TObject* t, bool accepted) override {
    log.push_back(std::string("cursor ") + (t ? static_cast<Target*>(t)->name : "-") +
                  (accepted ? " yes" : " no"));
  }
  void Drop(TObject* t, const TPoint&) override {
    log.push_back("drop " + static_cast<Target*>(t)->name);
  }
  void Finished(TObject* t, const TPoint&, TDragEnd how) override {
    static const char* names[] = {"dropped", "refused", "cancelled"};
    log.push_back(std::string("end ") + (t ? static_cast<Target*>(t)->name : "-") + " " +
                  names[static_cast<int>(how)]);
  }
};

using Log = std::vector<std::string>;

TEST(DragThreshold, APressBecomesADragOnlyPastTheThresholdInEitherDirection) {
  const TPoint s{50, 50};
  EXPECT_FALSE(PastDragThreshold(s, {55, 55}, -1)); // 5 is the default, and not past it
  EXPECT_TRUE(PastDragThreshold(s, {56, 50}, -1));
  EXPECT_TRUE(PastDragThreshold(s, {50, 44}, -1));
  EXPECT_FALSE(PastDragThreshold(s, {52, 48}, 2));
  EXPECT_TRUE(PastDragThreshold(s, {50, 50 + 3}, 2));
  EXPECT_TRUE(PastDragThreshold(s, {51, 50}, 0));

  Host h;
  TDragSession d(h);
  d.Begin(s, false, -1);
  d.Move({54, 46});
  EXPECT_TRUE(d.Pending());
  EXPECT_TRUE(h.log.empty());
  // Released before the threshold: nothing at all is heard.
  d.End({54, 46}, true);
  EXPECT_FALSE(d.Active());
  EXPECT_TRUE(h.log.empty());

  d.Begin(s, false, 10);
  d.Move({60, 50});
  EXPECT_TRUE(d.Pending());
  d.Move({61, 50});
  EXPECT_TRUE(d.Dragging());
  EXPECT_EQ(h.log, (Log{"start", "cursor - no"}));
}

TEST(DragSession, TargetsHearEnterMoveAndLeaveAndADropOnAnAcceptingOne) {
  Host h;
  TDragSession d(h);
  d.Begin({10, 10}, true, -1);
  d.Move({150, 10});
  d.Move({160, 10});
  d.Move({250, 10}); // b refuses
  d.Move({150, 10});
  d.End({150, 10}, true);
  EXPECT_EQ(h.log, (Log{"start", "cursor - no", "enter a", "cursor a yes", "move a",
                        "cursor a yes", "leave a", "enter b", "cursor b no", "leave b", "enter a",
                        "cursor a yes", "move a", "cursor a yes", "cursor - no", "leave a", "drop a",
                        "end a dropped"}));
  EXPECT_FALSE(d.Active());
}

TEST(DragSession, ARefusalOrACancelEndsWithNoTarget) {
  Host h;
  TDragSession d(h);
  d.Begin({10, 10}, true, -1);
  d.Move({250, 10});
  h.log.clear();
  d.End({250, 10}, true); // dropped on b, which refuses
  EXPECT_EQ(h.log, (Log{"move b", "cursor b no", "cursor - no", "leave b", "end - refused"}));

  h.log.clear();
  d.Begin({10, 10}, true, -1);
  d.Move({150, 10});
  h.log.clear();
  d.End({150, 10}, false); // Esc over a, which accepts
  EXPECT_EQ(h.log, (Log{"cursor - no", "leave a", "end - cancelled"}));

  h.log.clear();
  d.Begin({10, 10}, true, -1);
  d.End({20, 10}, true); // dropped over no control
  EXPECT_EQ(h.log, (Log{"start", "cursor - no", "cursor - no", "cursor - no", "end - refused"}));
}

TEST(DragSession, AHandlerMayEndTheDragAndATargetMayGoAway) {
  Host h;
  TDragSession d(h);
  h.session = &d;
  // OnStartDrag ends it at once: the drag hears nothing more of the mouse.
  h.onStart = [&] { d.End({0, 0}, false); };
  d.Begin({10, 10}, true, -1);
  EXPECT_EQ(h.log, (Log{"start", "cursor - no", "end - cancelled"}));
  EXPECT_FALSE(d.Active());
  d.Move({150, 10});
  d.End({150, 10}, true);
  EXPECT_EQ(h.log.size(), 3u);

  // A drop ending the drag again from inside its own handlers changes nothing.
  h.onStart = nullptr;
  h.log.clear();
  d.Begin({10, 10}, true, -1);
  d.Move({150, 10});
  h.onOver = [&] { d.End({150, 10}, true); };
  d.End({150, 10}, true);
  EXPECT_EQ(h.log.back(), "end a dropped");
  EXPECT_EQ(std::count(h.log.begin(), h.log.end(), "drop a"), 1);

  // The target under the mouse is freed: it hears no leave, and a drop there
  // goes nowhere.
  h.onOver = nullptr;
  h.log.clear();
  d.Begin({10, 10}, true, -1);
  d.Move({150, 10});
  d.Forget(&h.a);
  EXPECT_EQ(d.Target(), nullptr);
  h.log.clear();
  d.End({50, 10}, true);
  EXPECT_EQ(h.log, (Log{"cursor - no", "cursor - no", "end - refused"}));
}

TEST(DockRules, ZonesNearAnEdgeTakeThatSideAndTheMiddleTakesAll) {
  const TRect site{100, 100, 300, 200}; // 200 x 100
  EXPECT_EQ(DockZoneAt(site, {105, 150}), TDockZone::Left);
  EXPECT_EQ(DockZoneAt(site, {295, 150}), TDockZone::Right);
  EXPECT_EQ(DockZoneAt(site, {200, 110}), TDockZone::Top);
  EXPECT_EQ(DockZoneAt(site, {200, 190}), TDockZone::Bottom);
  EXPECT_EQ(DockZoneAt(site, {200, 150}), TDockZone::Client);
  // In a corner the nearer edge wins.
  EXPECT_EQ(DockZoneAt(site, {102, 120}), TDockZone::Left);
  EXPECT_EQ(DockZoneAt(site, {130, 102}), TDockZone::Top);
  EXPECT_EQ(DockZoneAt(TRect{0, 0, 0, 0}, {0, 0}), TDockZone::Client);

  EXPECT_EQ(DockZoneRect(site, TDockZone::Left).Right, 200);
  EXPECT_EQ(DockZoneRect(site, TDockZone::Bottom).Top, 150);
  EXPECT_EQ(DockZoneRect(site, TDockZone::Right).Left, 200);
  EXPECT_EQ(DockZoneRect(site, TDockZone::Client).Width(), 200);
}

} // namespace
