// Scroll bar arithmetic, the scroll request rules and the roll state machine,
// against fakes of the window they belong to.
#include "grid/DgScrollBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/DgRollState.h"

namespace {

struct FakeHost : IDgScrollHost {
  bool handle = true, enabled = true;
  int track = 0;
  std::vector<std::string> log;
  std::vector<int> sent;
  TDgScrollInfo last;
  bool shown = false;
  int arrows = -1;
  int dx = 0, dy = 0;
  bool HandleAllocated() override { return handle; }
  bool HostEnabled() override { return enabled; }
  void SetBarInfo(TDgScrollBarKind, const TDgScrollInfo& i, bool) override { last = i; }
  void EnableArrows(TDgScrollBarKind, int a) override { arrows = a; }
  void ShowBar(TDgScrollBarKind, bool s) override { shown = s; }
  int TrackPos(TDgScrollBarKind) override { return track; }
  void SendScroll(TDgScrollBarKind, int code) override { sent.push_back(code); }
  int HorzScrollDelta(int o, int n) override { return (o - n) * 10; }
  int VertScrollDelta(int o, int n) override { return (o - n) * 16; }
  void ScrollContent(TDgCustomScrollBar*, int x, int y) override {
    dx += x;
    dy += y;
    log.push_back("scroll");
  }
};

TDgScrollBar MakeBar(FakeHost& h, int max, int page) {
  TDgScrollBar b(&h, TDgScrollBarKind::Vertical);
  b.SetPageSize(page);
  b.SetMax(max);
  return b;
}

} // namespace

TEST(DgScrollBar, BottomAndThumbStopAtTheLastPage) {
  FakeHost h;
  TDgScrollBar b(&h, TDgScrollBarKind::Vertical);
  b.SetPageSize(10);
  b.SetMax(100);
  EXPECT_TRUE(DgApplyScrollRequest(b, DgScrollCode::Bottom));
  EXPECT_EQ(b.Position(), 91);
  EXPECT_EQ(b.ScrollKind, 4);
  b.SetPosition(0);
  h.track = 95;
  DgApplyScrollRequest(b, DgScrollCode::ThumbTrack);
  EXPECT_EQ(b.Position(), 91);
  EXPECT_EQ(b.ScrollKind, 3);
  DgApplyScrollRequest(b, DgScrollCode::Top);
  EXPECT_EQ(b.Position(), 0);
  b.LargeChange = 10;
  DgApplyScrollRequest(b, DgScrollCode::PageDown);
  EXPECT_EQ(b.Position(), 10);
  EXPECT_EQ(b.ScrollKind, 2);
  DgApplyScrollRequest(b, DgScrollCode::LineUp);
  EXPECT_EQ(b.Position(), 9);
  EXPECT_FALSE(DgApplyScrollRequest(b, DgScrollCode::EndScroll));
  EXPECT_EQ(b.Position(), 9);
  EXPECT_EQ(b.ScrollKind, 1);
}

TEST(DgScrollBar, PositionIsClampedAndMovesTheContent) {
  FakeHost h;
  TDgScrollBar b(&h, TDgScrollBarKind::Vertical);
  b.SetMax(100);
  b.SetPosition(-3);
  EXPECT_EQ(b.Position(), 0);
  b.SetPosition(500);
  EXPECT_EQ(b.Position(), 100);
  EXPECT_EQ(h.dy, -1600);
  EXPECT_EQ(h.last.Pos, 100);
  EXPECT_EQ(b.OldPosition(), 0);
  b.BeginUpdate();
  b.SetPosition(50);
  b.EndUpdate();
  b.ManualScroll = true;
  b.SetPosition(40);
  EXPECT_EQ(h.log.size(), 2u); // neither moved the content
  TDgScrollBar horz(&h, TDgScrollBarKind::Horizontal);
  horz.SetMax(10);
  horz.SetPosition(3);
  EXPECT_EQ(h.dx, -30);
  // A smaller Max pulls the position back.
  b.SetMax(20);
  EXPECT_EQ(b.Position(), 20);
  b.SetMax(-5);
  EXPECT_EQ(b.Max(), 0);
  b.SetPageSize(0);
  EXPECT_EQ(b.PageSize(), 1);
}

TEST(DgScrollBar, AutoHideShowsABarWithARangeAndMaxHidesByThePage) {
  FakeHost h;
  TDgScrollBar b(&h, TDgScrollBarKind::Vertical);
  b.SetPageSize(50);
  b.SetMax(40);
  EXPECT_FALSE(b.Visible());
  EXPECT_FALSE(h.shown);
  b.SetAutoHide(false);
  EXPECT_TRUE(b.Visible());
  EXPECT_EQ(h.last.Mask, 15u);
  // Switched on again, a bar with any range shows (the Max setter alone
  // weighs the page).
  b.SetAutoHide(true);
  EXPECT_TRUE(b.Visible());
  EXPECT_EQ(h.last.Mask, 7u);
  b.SetMax(0);
  EXPECT_FALSE(b.Visible());
  b.SetAutoHide(true);
  EXPECT_FALSE(b.Visible());
  b.SetMax(100);
  EXPECT_TRUE(b.Visible());
  EXPECT_TRUE(h.shown);
}

TEST(DgScrollBar, PlatformStateAndArrows) {
  FakeHost h;
  TDgScrollBar b = MakeBar(h, 100, 10);
  EXPECT_EQ(h.last.Max, 100);
  EXPECT_EQ(h.last.Page, 10);
  EXPECT_EQ(h.arrows, DgScrollArrows::EnableBoth);
  b.SetEnabled(false);
  EXPECT_EQ(h.arrows, DgScrollArrows::DisableBoth);
  b.SetEnabled(true);
  h.enabled = false;
  b.SetPosition(1);
  EXPECT_EQ(h.arrows, DgScrollArrows::DisableBoth);
  // Without a window nothing reaches the platform.
  FakeHost none;
  none.handle = false;
  TDgScrollBar c = MakeBar(none, 100, 10);
  EXPECT_EQ(none.last.Max, 0);
  EXPECT_FALSE(none.shown);
}

TEST(DgScrollBar, StepsSendTheUsersRequests) {
  FakeHost h;
  TDgScrollBar b(&h, TDgScrollBarKind::Vertical);
  b.LineDown();
  EXPECT_TRUE(h.sent.empty()); // Max 0: nothing to scroll
  b.SetMax(100);
  b.LineUp(); // at 0
  EXPECT_TRUE(h.sent.empty());
  b.LineDown();
  b.PageDown();
  b.PageUp();
  b.SetPosition(5);
  b.LineUp();
  EXPECT_EQ(h.sent, (std::vector<int>{1, 3, 2, 0}));
  b.SetPageSize(10);
  b.Last();
  EXPECT_EQ(b.Position(), 91);
  EXPECT_TRUE(b.IsLast());
  b.First();
  EXPECT_TRUE(b.IsFirst());
  b.MoveBy(7);
  EXPECT_EQ(b.Position(), 7);
}

TEST(DgScrollBar, AssignFromAnotherBarCopiesNothing) {
  FakeHost h;
  TDgScrollBar a = MakeBar(h, 100, 10), b = MakeBar(h, 30, 5);
  a.Assign(&b);
  EXPECT_EQ(a.Max(), 100);
}

namespace {

struct FakeRoll : IDgRollPlatform {
  int cursor = 0;
  bool indicator = false, captured = false;
  TPoint indicatorAt;
  unsigned timer = 0;
  TPoint pos;
  int up = 0, down = 0;
  void SetRollCursor(int c) override { cursor = c; }
  void ShowRollIndicator(const TPoint& p) override {
    indicator = true;
    indicatorAt = p;
  }
  void HideRollIndicator() override { indicator = false; }
  void SetRollTimer(unsigned ms) override { timer = ms; }
  void CaptureMouse(bool c) override { captured = c; }
  TPoint CursorPos() override { return pos; }
  void RollLineUp() override { ++up; }
  void RollLineDown() override { ++down; }
};

} // namespace

TEST(DgRoll, IntervalShrinksWithDistance) {
  EXPECT_EQ(TDgRollState::IntervalFor(50), 50u);
  EXPECT_EQ(TDgRollState::IntervalFor(-50), 50u);
  EXPECT_EQ(TDgRollState::IntervalFor(100), 1u);
  EXPECT_EQ(TDgRollState::IntervalFor(250), 1u);
  EXPECT_EQ(TDgRollState::IntervalFor(0), 100u);
}

TEST(DgRoll, CursorStatesAndScrolling) {
  FakeRoll p;
  TDgRollState r(p);
  r.Start({40, 100});
  EXPECT_TRUE(r.Rolling());
  EXPECT_EQ(p.cursor, DgRollCursor::Roll);
  EXPECT_TRUE(p.indicator);
  EXPECT_EQ(p.indicatorAt, Point(40, 100));
  EXPECT_EQ(p.timer, 1u);
  EXPECT_TRUE(p.captured);
  // Within 5 pixels: no direction, no scrolling.
  p.pos = {40, 105};
  r.MouseMove(p.pos);
  EXPECT_EQ(p.cursor, DgRollCursor::Roll);
  r.TimerTick();
  EXPECT_EQ(p.up + p.down, 0);
  // 50 pixels below: down, every 50 ms.
  p.pos = {40, 150};
  r.MouseMove(p.pos);
  EXPECT_EQ(p.cursor, DgRollCursor::RollDown);
  r.TimerTick();
  EXPECT_EQ(p.down, 1);
  EXPECT_EQ(p.timer, 50u);
  // Six pixels above: up.
  p.pos = {40, 94};
  r.MouseMove(p.pos);
  EXPECT_EQ(p.cursor, DgRollCursor::RollUp);
  r.TimerTick();
  EXPECT_EQ(p.up, 1);
  EXPECT_EQ(p.timer, 94u);
  p.pos = {40, 6};
  r.TimerTick();
  EXPECT_EQ(p.timer, 6u);
  p.pos = {40, -300};
  r.TimerTick();
  EXPECT_EQ(p.timer, 1u);
  r.Stop();
  EXPECT_FALSE(r.Rolling());
  EXPECT_EQ(p.timer, 0u);
  EXPECT_FALSE(p.indicator);
  EXPECT_FALSE(p.captured);
  EXPECT_EQ(p.cursor, 0);
  // Ticks and moves after the end do nothing.
  r.TimerTick();
  r.MouseMove({0, 500});
  EXPECT_EQ(p.up, 3); // the two far ticks above scrolled too
  EXPECT_EQ(p.cursor, 0);
}
