// Row bookkeeping: indices following their rows through every reordering,
// tree shape queries and the regrouping of a sorted tree; footer formulas.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "grid/DgFooterValue.h"
#include "grid/DgRowBook.h"
#include "grid/tests/cell_fixture.h"

namespace {

using namespace DgRows;

// Every index of a list, followed through a block move or swap, lands where
// the reordered list holds the same item.
TEST(RowBook, IndicesFollowTheirRowsThroughMovesAndSwaps) {
  std::mt19937 rng(7);
  for (int round = 0; round < 400; ++round) {
    int n = 1 + static_cast<int>(rng() % 12);
    std::vector<int> items(static_cast<size_t>(n));
    std::iota(items.begin(), items.end(), 0);
    int from = static_cast<int>(rng() % static_cast<unsigned>(n));
    int size = 1 + static_cast<int>(rng() % static_cast<unsigned>(n - from));
    int to = static_cast<int>(rng() % static_cast<unsigned>(n - size + 1));
    auto order = MoveOrder(n, from, size, to);
    // The same move done by hand on the list.
    std::vector<int> moved(items);
    std::vector<int> block(moved.begin() + from, moved.begin() + from + size);
    moved.erase(moved.begin() + from, moved.begin() + from + size);
    moved.insert(moved.begin() + to, block.begin(), block.end());
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(static_cast<int>(order[static_cast<size_t>(i)]), moved[static_cast<size_t>(i)]);
      EXPECT_EQ(moved[static_cast<size_t>(AfterMove(i, from, size, to))], i);
    }
    if (n >= 2) {
      int a = static_cast<int>(rng() % static_cast<unsigned>(n - 1));
      int sa = 1 + static_cast<int>(rng() % static_cast<unsigned>(n - a - 1));
      int b = a + sa + static_cast<int>(rng() % static_cast<unsigned>(n - a - sa));
      int sb = 1 + static_cast<int>(rng() % static_cast<unsigned>(n - b));
      auto swap = SwapOrder(n, a, sa, b, sb);
      std::vector<int> sw;
      sw.insert(sw.end(), items.begin(), items.begin() + a);
      sw.insert(sw.end(), items.begin() + b, items.begin() + b + sb);
      sw.insert(sw.end(), items.begin() + a + sa, items.begin() + b);
      sw.insert(sw.end(), items.begin() + a, items.begin() + a + sa);
      sw.insert(sw.end(), items.begin() + b + sb, items.end());
      for (int i = 0; i < n; ++i) {
        EXPECT_EQ(static_cast<int>(swap[static_cast<size_t>(i)]), sw[static_cast<size_t>(i)]);
        EXPECT_EQ(sw[static_cast<size_t>(AfterSwap(i, a, sa, b, sb))], i);
      }
    }
  }
}

TEST(RowBook, InsertAndDeleteKeepOrReplaceTheRow) {
  EXPECT_EQ(AfterInsert(-1, 0), -1); // nothing selected stays so
  EXPECT_EQ(AfterInsert(3, 4), 3);   // a row below the selection
  EXPECT_EQ(AfterInsert(3, 3), 4);
  bool gone = true;
  EXPECT_EQ(AfterDelete(2, 5, 1, 9, &gone), 2);
  EXPECT_FALSE(gone);
  EXPECT_EQ(AfterDelete(7, 5, 2, 8, &gone), 5);
  EXPECT_FALSE(gone);
  // The selected row goes: the row taking its place, else the new last one.
  EXPECT_EQ(AfterDelete(5, 4, 3, 7, &gone), 4);
  EXPECT_TRUE(gone);
  EXPECT_EQ(AfterDelete(9, 8, 2, 8, &gone), 7);
  EXPECT_TRUE(gone);
  EXPECT_EQ(AfterDelete(0, 0, 1, 0, &gone), -1);
  EXPECT_EQ(AfterDelete(-1, 0, 1, 3, &gone), -1);
  EXPECT_FALSE(gone);
}

// A store holding a small tree: a(a1, a2(a21)), b, c(c1).
struct Tree : Store {
  Tree() {
    Add(DgCellKind::Text);
    cells->AddRows(3);           // a b c
    cells->InsertChildRow(0, 1); // a1
    cells->InsertChildRow(0, 2); // a2
    cells->InsertChildRow(2, 3); // a21
    cells->InsertChildRow(5, 6); // c1
    const char16_t* names[] = {u"a", u"a1", u"a2", u"a21", u"b", u"c", u"c1"};
    for (int i = 0; i < 7; ++i) At(0, i)->SetAsString(names[i]);
  }
  WideString Names() {
    WideString s;
    for (int i = 0; i < cells->RowCount(); ++i) s += At(0, i)->AsString() + u" ";
    return s;
  }
};

TEST(RowBook, TreeShapeQueries) {
  Tree t;
  ASSERT_EQ(t.Names(), u"a a1 a2 a21 b c c1 ");
  EXPECT_EQ(SubtreeSize(*t.cells, 0), 4);
  EXPECT_EQ(SubtreeSize(*t.cells, 2), 2);
  EXPECT_EQ(SubtreeSize(*t.cells, 4), 1);
  EXPECT_EQ(ParentOf(*t.cells, 3), 2);
  EXPECT_EQ(ParentOf(*t.cells, 1), 0);
  EXPECT_EQ(ParentOf(*t.cells, 4), -1);
  EXPECT_EQ(NextSibling(*t.cells, 1), 2);
  EXPECT_EQ(NextSibling(*t.cells, 2), -1); // stops at b, a shallower row
  EXPECT_EQ(NextSibling(*t.cells, 0), 4);
  EXPECT_TRUE(Siblings(*t.cells, 0, 5));
  EXPECT_FALSE(Siblings(*t.cells, 1, 6)); // same level, other parents
  EXPECT_TRUE(HasChildRows(*t.cells));
}

TEST(RowBook, SortedTreeRegroupsEveryChildUnderItsParent) {
  Tree t;
  t.cells->Sort(0, stAlphabetic, false, true); // flat: c1 c b a21 a2 a1 a
  t.cells->Reorder(TreeOrder(*t.cells), true);
  EXPECT_EQ(t.Names(), u"c c1 b a a2 a21 a1 ");
  EXPECT_TRUE(t.cells->Sorted());
  // The other way round again reverses without comparing, and regroups.
  int compared = 0;
  t.cells->OnCompare = [&](TCells*, TCell*, TCell*, int&) { ++compared; };
  t.cells->Sort(0, stAlphabetic, false, false);
  t.cells->Reorder(TreeOrder(*t.cells), true);
  EXPECT_EQ(t.Names(), u"a a1 a2 a21 b c c1 ");
  EXPECT_EQ(compared, 0);
  EXPECT_EQ(ParentOf(*t.cells, 3), 2);
}

TEST(RowBook, ReorderRefusesWhatIsNoPermutation) {
  Tree t;
  EXPECT_THROW(t.cells->Reorder({0, 1, 2}, false), EListError);
  EXPECT_THROW(t.cells->Reorder({0, 0, 1, 2, 3, 4, 5}, false), EListError);
  EXPECT_EQ(t.Names(), u"a a1 a2 a21 b c c1 ");
}

// Footers over one text column holding the given texts; Hidden rows made invisible.
struct Footer : Store {
  Footer(std::initializer_list<const char16_t*> texts, std::initializer_list<int> hidden = {}) {
    Add(DgCellKind::Text);
    cells->AddRows(static_cast<int>(texts.size()));
    int r = 0;
    for (auto t : texts) At(0, r++)->SetAsString(t);
    for (int h : hidden) cells->SetVisible(h, false);
  }
  double V(TFormulaKind k, bool visibleOnly) { return DgFooterValue(*cells, 0, k, visibleOnly); }
};

TEST(Footers, AverageCountsOnlyTheRowsSummed) {
  Footer f({u"2", u"4", u"9"}, {2});
  EXPECT_DOUBLE_EQ(f.V(fkAverage, true), 3); // (2 + 4) / 2, not / 3
  EXPECT_DOUBLE_EQ(f.V(fkAverage, false), 5);
  EXPECT_DOUBLE_EQ(f.V(fkSum, true), 6);
  EXPECT_DOUBLE_EQ(f.V(fkCount, true), 2);
  EXPECT_DOUBLE_EQ(f.V(fkCount, false), 3);
  Footer none({u"x", u""});
  EXPECT_DOUBLE_EQ(none.V(fkAverage, false), 0); // nothing summed
}

TEST(Footers, ExtremesStartFromTheFirstCountedRow) {
  Footer f({u"-50", u"7", u"12"}, {0});
  EXPECT_DOUBLE_EQ(f.V(fkMinimum, true), 7); // not 0 from the hidden first row
  EXPECT_DOUBLE_EQ(f.V(fkMaximum, true), 12);
  Footer neg({u"-3", u"-8"});
  EXPECT_DOUBLE_EQ(neg.V(fkMaximum, false), -3);
  EXPECT_DOUBLE_EQ(neg.V(fkMinimum, false), -8);
}

TEST(Footers, CellsThatHoldNoNumberAreSkipped) {
  Footer f({u"1,5", u"abc", u"2.5", u""});
  EXPECT_DOUBLE_EQ(f.V(fkSum, false), 4);
  EXPECT_DOUBLE_EQ(f.V(fkAverage, false), 2);
  EXPECT_DOUBLE_EQ(f.V(fkMaximum, false), 2.5);
}

TEST(Footers, DistinctComparesTheWindows1251Texts) {
  // Case counts; letters Windows-1251 lacks become '?' each, so two such
  // texts of one length are one text.
  Footer f({u"日本", u"中国", u"日本", u"Дом", u"дом"});
  EXPECT_DOUBLE_EQ(f.V(fkDistinct, false), 3);
  Footer h({u"a", u"b", u"a"}, {1});
  EXPECT_DOUBLE_EQ(h.V(fkDistinct, true), 1);
}

} // namespace
