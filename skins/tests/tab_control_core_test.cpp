// The tab list over a tab window (messages of refused operations), the tab
// options' rules and window style, and the tab cache's row layout and hit
// test from given tab rectangles.
#include <gtest/gtest.h>

#include "classlib/SysUtils.h"
#include "skins/sTabControlCore.h"
#include "skins/tests/FakeTabWindow.h"

namespace skins {
namespace {

template <class F>
std::string MessageOf(F f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(nothing raised)";
}

TEST(TabStrings, ReadsAndWritesTheWindowsItems) {
  test::FakeTabWindow w;
  TsTabStrings tabs(&w);
  TObject page;
  tabs.AddObject("Основные каналы", &page);
  tabs.Add("Мои каналы");
  ASSERT_EQ(tabs.Count(), 2);
  EXPECT_EQ(tabs.Strings(0), "Основные каналы");
  EXPECT_EQ(tabs.Objects(0), &page);
  EXPECT_EQ(w.tabs[1].image, 1); // the control's image index went with the text
  tabs.Put(1, "Мои");
  EXPECT_EQ(w.tabs[1].text, "Мои");
  tabs.Delete(0);
  EXPECT_EQ(tabs.Count(), 1);
  EXPECT_EQ(w.changed, 4); // insert, insert, put, delete
  tabs.Clear();
  EXPECT_EQ(tabs.Count(), 0);
}

TEST(TabStrings, RefusedOperationsRaiseTheirMessagesAndKeepTheTabs) {
  test::FakeTabWindow w;
  TsTabStrings tabs(&w);
  tabs.Add("A");
  w.fail_get = w.fail_object = w.fail_set = w.fail_set_object = w.fail_insert = true;
  w.fail_delete = w.fail_clear = true;
  EXPECT_EQ(MessageOf([&] { (void)tabs.Get(0); }), "Failed to retrieve tab at index 0");
  EXPECT_EQ(MessageOf([&] { tabs.GetObject(5); }), "Failed to get object at index 5");
  EXPECT_EQ(MessageOf([&] { tabs.Put(0, "B"); }), "Failed to set tab \"B\" at index 0");
  EXPECT_EQ(MessageOf([&] { tabs.PutObject(0, nullptr); }), "Failed to set object at index 0");
  EXPECT_EQ(MessageOf([&] { tabs.Insert(1, "C"); }), "Failed to set tab \"C\" at index 1");
  EXPECT_EQ(MessageOf([&] { tabs.Delete(0); }), "Failed to delete tab at index 0");
  EXPECT_EQ(MessageOf([&] { tabs.Clear(); }), "Failed to clear tab control");
  ASSERT_EQ(w.tabs.size(), 1u);
  EXPECT_EQ(w.tabs[0].text, "A");
  EXPECT_EQ(w.changed, 1); // only the first insert
  EXPECT_THROW(tabs.Delete(0), EListError);
}

TEST(TabStrings, AnUpdateStopsRedrawingAndEndsWithOneRefresh) {
  test::FakeTabWindow w;
  TsTabStrings tabs(&w);
  tabs.BeginUpdate();
  tabs.BeginUpdate();
  EXPECT_TRUE(tabs.Updating());
  tabs.Add("A");
  tabs.EndUpdate();
  EXPECT_EQ(w.updated, 0);
  tabs.EndUpdate();
  EXPECT_FALSE(tabs.Updating());
  EXPECT_EQ(w.redraws, (std::vector<bool>{false, true}));
  EXPECT_EQ(w.updated, 1);
}

TEST(TabOptions, RulesAndTheirMessages) {
  EXPECT_NO_THROW(CheckMultiLine(false, TTabPosition::tpTop));
  EXPECT_NO_THROW(CheckMultiLine(false, TTabPosition::tpBottom));
  for (TTabPosition p : {TTabPosition::tpLeft, TTabPosition::tpRight}) {
    EXPECT_EQ(MessageOf([&] { CheckMultiLine(false, p); }),
              "MultiLine must be True when TabPosition is tpLeft or tpRight");
    EXPECT_NO_THROW(CheckMultiLine(true, p));
  }
  EXPECT_NO_THROW(CheckTabPosition(TTabPosition::tpTop, TTabStyle::tsButtons));
  EXPECT_EQ(MessageOf([] { CheckTabPosition(TTabPosition::tpBottom, TTabStyle::tsFlatButtons); }),
            "Tab position incompatible with current tab style");
  EXPECT_NO_THROW(CheckTabSize(0, "TsPageControl"));
  EXPECT_EQ(MessageOf([] { CheckTabSize(-1, "TsPageControl"); }),
            "TsPageControl property out of range");
  EXPECT_THROW(CheckTabSize(-1, "X"), EInvalidOperation);
}

TEST(TabOptions, WindowStyleBits) {
  TTabWindowOptions o;
  EXPECT_EQ(TabWindowStyle(o), 0u);
  o.TabStop = false;
  EXPECT_EQ(TabWindowStyle(o), 0x8000u);
  o = {};
  const std::pair<TTabPosition, uint32_t> ltr[] = {{TTabPosition::tpBottom, 0x2},
                                                   {TTabPosition::tpLeft, 0x80},
                                                   {TTabPosition::tpRight, 0x82}};
  for (auto [p, bits] : ltr) {
    o.Position = p;
    EXPECT_EQ(TabWindowStyle(o), bits);
  }
  o.RightToLeft = true;
  o.Position = TTabPosition::tpLeft;
  EXPECT_EQ(TabWindowStyle(o), 0x82u);
  o.Position = TTabPosition::tpRight;
  EXPECT_EQ(TabWindowStyle(o), 0x80u);
  o = {};
  o.MultiLine = o.OwnerDraw = true;
  o.TabWidth = 40;
  o.Style = TTabStyle::tsFlatButtons;
  EXPECT_EQ(TabWindowStyle(o), 0x200u | 0x2000u | 0x400u | 0x108u);
  o = {};
  o.HotTrack = true;
  EXPECT_EQ(TabWindowStyle(o), 0x40u);
  o.Designing = true;
  EXPECT_EQ(TabWindowStyle(o), 0u);
}

TTabCache CacheOf(int n) {
  TTabCache c(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) c[static_cast<size_t>(i)].Index = i;
  return c;
}

std::vector<int> Order(const TTabCache& c) {
  std::vector<int> v;
  for (const TTabRecord& t : c) v.push_back(t.Index);
  return v;
}

TEST(TabRows, OneRowAtEveryPosition) {
  // Two tabs 58 x 18 of a 200 x 100 control, as the window reports them.
  const std::vector<TRect> across = {Rect(2, 2, 60, 20), Rect(60, 2, 118, 20)};
  const std::vector<TRect> down = {Rect(2, 2, 20, 60), Rect(2, 60, 20, 118)};
  struct Case {
    TTabPosition pos;
    const std::vector<TRect>& rects;
    TRect first;
  } cases[] = {{TTabPosition::tpTop, across, Rect(2, 1, 60, 19)},
               {TTabPosition::tpBottom, across, Rect(2, 81, 60, 99)},
               {TTabPosition::tpLeft, down, Rect(1, 2, 19, 60)},
               {TTabPosition::tpRight, down, Rect(181, 2, 199, 60)}};
  for (const Case& k : cases) {
    TTabCache c = CacheOf(2);
    LayoutRows(c, k.rects, 1, k.pos, 200, 100, 1);
    EXPECT_EQ(c[0].R, k.first) << static_cast<int>(k.pos);
    EXPECT_EQ(c[0].Row, 1);
    EXPECT_EQ(c[1].Row, 1);
    EXPECT_TRUE(c[1].Placed);
    EXPECT_EQ(c[0].Width, 58 + (k.pos == TTabPosition::tpTop || k.pos == TTabPosition::tpBottom ? 0 : -40));
    EXPECT_EQ(Order(c), (std::vector<int>{0, 1}));
  }
}

TEST(TabRows, TwoAndThreeRowsBringTheSelectedRowToTheEnd) {
  // Top tabs in two rows of 18: tabs 0, 1 in the upper row, 2, 3 below.
  const std::vector<TRect> two = {Rect(2, 2, 60, 20), Rect(60, 2, 118, 20), Rect(2, 20, 60, 38),
                                  Rect(60, 21, 118, 39)}; // within 2 pixels: same row
  TTabCache c = CacheOf(4);
  LayoutRows(c, two, 2, TTabPosition::tpTop, 200, 100, 3);
  EXPECT_EQ(c[0].Row, 2);
  EXPECT_EQ(c[0].R.Top, 1);
  EXPECT_EQ(c[2].Row, 1);
  EXPECT_EQ(c[2].R.Top, 19);
  EXPECT_EQ(c[3].R.Top, 19);
  EXPECT_EQ(Order(c), (std::vector<int>{0, 1, 2, 3})); // selected row is row 1 already

  c = CacheOf(4);
  LayoutRows(c, two, 2, TTabPosition::tpTop, 200, 100, 1);
  EXPECT_EQ(Order(c), (std::vector<int>{2, 3, 0, 1}));
  EXPECT_EQ(c[2].Row, 1);
  EXPECT_EQ(c[3].Row, 1);

  // Three rows of left tabs (width 20): columns at x 2, 22, 42.
  const std::vector<TRect> three = {Rect(2, 2, 22, 50),  Rect(22, 2, 42, 50),
                                    Rect(42, 2, 62, 50), Rect(2, 50, 22, 98),
                                    Rect(22, 50, 42, 98), Rect(42, 50, 62, 98)};
  c = CacheOf(6);
  LayoutRows(c, three, 3, TTabPosition::tpLeft, 300, 100, 0);
  // Tab 0 starts row 3 at x 1 and takes tab 3; tab 1 row 2 at x 21; tab 2 row 1 at x 41.
  auto tab = [&](int index) { return c[static_cast<size_t>(CacheIndexOf(c, index))]; };
  EXPECT_EQ(tab(0).R.Left, 1);
  EXPECT_EQ(tab(3).R.Left, 1);
  EXPECT_EQ(tab(3).R.Top, 50); // only the offset across the rows changes
  EXPECT_EQ(tab(4).R.Left, 21);
  EXPECT_EQ(tab(4).Row, 2);
  EXPECT_EQ(tab(5).R.Left, 41);
  EXPECT_EQ(Order(c), (std::vector<int>{1, 2, 4, 5, 0, 3}));
}

TEST(TabRows, HitTestUsesThePlacedRectangles) {
  const std::vector<TRect> rects = {Rect(2, 2, 60, 20), Rect(60, 2, 118, 20)};
  TTabCache c = CacheOf(2);
  LayoutRows(c, rects, 1, TTabPosition::tpBottom, 200, 100, 0);
  EXPECT_EQ(HitTest(c, Point(70, 90)), 1);
  EXPECT_EQ(HitTest(c, Point(10, 82)), 0);
  EXPECT_EQ(HitTest(c, Point(10, 10)), -1); // where the window had it before placing
  EXPECT_EQ(HitTest(c, Point(118, 90)), -1); // right edges are outside
  EXPECT_EQ(HitTest({}, Point(0, 0)), -1);
  EXPECT_EQ(CacheIndexOf(c, 1), 1);
  EXPECT_EQ(CacheIndexOf(c, 7), -1);
}

TEST(TabAreas, PageAreaAndTabStripAroundTheDisplayRectangle) {
  const TRect b = Rect(0, 0, 200, 100);
  EXPECT_EQ(PageArea(b, Rect(4, 26, 196, 96), TTabPosition::tpTop, true), Rect(0, 22, 200, 100));
  EXPECT_EQ(PageArea(b, Rect(4, 26, 196, 96), TTabPosition::tpTop, false), b);
  EXPECT_EQ(PageArea(b, Rect(4, 4, 196, 74), TTabPosition::tpBottom, true), Rect(0, 0, 200, 75));
  EXPECT_EQ(PageArea(b, Rect(24, 4, 196, 96), TTabPosition::tpLeft, true), Rect(23, 0, 200, 100));
  EXPECT_EQ(PageArea(b, Rect(4, 4, 176, 96), TTabPosition::tpRight, true), Rect(0, 0, 177, 100));
  EXPECT_EQ(TabStripArea(b, Rect(4, 26, 196, 96), TTabPosition::tpTop), Rect(0, 0, 200, 22));
  EXPECT_EQ(TabStripArea(b, Rect(4, 4, 196, 74), TTabPosition::tpBottom), Rect(0, 75, 200, 100));
  EXPECT_EQ(TabStripArea(b, Rect(24, 4, 196, 96), TTabPosition::tpLeft), Rect(0, 0, 23, 100));
  EXPECT_EQ(TabStripArea(b, Rect(4, 4, 176, 96), TTabPosition::tpRight), Rect(177, 0, 200, 100));
}

} // namespace
} // namespace skins
