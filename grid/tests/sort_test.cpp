// Sorting the store: each comparison in both directions, equal keys, the
// reversing shortcut and when it may not be taken, and comparisons that
// raise or contradict themselves.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "grid/tests/cell_fixture.h"

namespace {

using namespace DgCellKind;

// Column 0 holds the keys, column 1 the row's original number.
struct Sorting : Store {
  explicit Sorting(std::vector<WideString> keys, uint8_t kind = DgCellKind::Text) {
    Add(kind);
    Add(Integer);
    cells->AddRows(static_cast<int>(keys.size()));
    for (size_t i = 0; i < keys.size(); ++i) {
      At(0, static_cast<int>(i))->SetAsString(keys[i]);
      At(1, static_cast<int>(i))->SetAsInteger(static_cast<int>(i));
    }
  }
  std::vector<int> Order() {
    std::vector<int> o;
    for (int r = 0; r < cells->RowCount(); ++r) o.push_back(At(1, r)->AsInteger());
    return o;
  }
};

using Order = std::vector<int>;

TEST(Sort, AlphabeticAndCaseInsensitive) {
  Sorting s({u"b", u"B", u"a", u"Я", u"а", u"б"});
  s.cells->Sort(0, stAlphabetic, false, false);
  EXPECT_EQ(s.Order(), (Order{1, 2, 0, 3, 4, 5})); // B a b Я а б (by units)
  s.cells->Sort(0, stCaseInsensitive, true, false);
  EXPECT_EQ(s.Order(), (Order{2, 1, 0, 4, 5, 3})); // a B b а б Я; B before b as before
  s.cells->Sort(0, stCaseInsensitive, true, true);
  EXPECT_EQ(s.Order(), (Order{3, 5, 4, 1, 0, 2})); // equal keys keep their order
  // Windows-1251 bytes: ё (0xB8) comes before а (0xE0), Ё lower-cased with it.
  Sorting y({u"я", u"Ё", u"а", u"ё"});
  y.cells->Sort(0, stCaseInsensitive, false, false);
  EXPECT_EQ(y.Order(), (Order{1, 3, 2, 0}));
}

TEST(Sort, NumericDateAndBoolean) {
  Sorting n({u"10", u"9", u"-1.5", u"9"});
  n.cells->Sort(0, stNumeric, false, false);
  EXPECT_EQ(n.Order(), (Order{2, 1, 3, 0}));
  n.cells->Sort(0, stNumeric, true, true);
  EXPECT_EQ(n.Order(), (Order{0, 1, 3, 2}));

  Sorting d({u"02.01.2026", u"", u"01.01.2026 12:00:00", u"31.12.2025"});
  d.cells->Sort(0, stDate, false, false);
  EXPECT_EQ(d.Order(), (Order{1, 3, 2, 0}));

  Sorting b({u"True", u"False", u"1", u"0"}, Boolean);
  b.cells->Sort(0, stBoolean, false, false);
  EXPECT_EQ(b.Order(), (Order{1, 3, 0, 2}));
  b.cells->Sort(0, stBoolean, true, true);
  EXPECT_EQ(b.Order(), (Order{0, 2, 1, 3}));
}

// Keys compare from the fourth number back, and ascending puts the larger
// key first.
TEST(Sort, AddressesFromTheFourthNumberLargerFirst) {
  Sorting s({u"10.0.0.2", u"9.0.0.3", u"10.0.0.10", u"192.168.1.1", u"1.2.3", u"9.0.0.3.1"});
  s.cells->Sort(0, stIP, false, false);
  EXPECT_EQ(s.Order(), (Order{2, 1, 5, 0, 3, 4})); // a fifth number is not kept
  s.cells->Sort(0, stIP, true, true);
  EXPECT_EQ(s.Order(), (Order{4, 3, 0, 1, 5, 2}));
  // An empty number is the integer conversion's error: no row moves.
  for (const char16_t* bad : {u"not an address", u"1..2", u".1"}) {
    SCOPED_TRACE(DgCellText::Narrow(bad));
    Sorting e({u"9.0.0.1", u"9.0.0.2", bad});
    EXPECT_THROW(e.cells->Sort(0, stIP, false, false), EConvertError);
    EXPECT_EQ(e.Order(), (Order{0, 1, 2}));
    EXPECT_FALSE(e.cells->Sorted());
  }
}

TEST(Sort, CustomAskesTheHandler) {
  Sorting s({u"ccc", u"a", u"bb"});
  s.cells->OnCompare = [](TCells*, TCell* a, TCell* b, int& c) {
    c = static_cast<int>(a->AsString().size()) - static_cast<int>(b->AsString().size());
  };
  s.cells->Sort(0, stCustom, false, false);
  EXPECT_EQ(s.Order(), (Order{1, 2, 0}));
  s.cells->OnCompare = nullptr; // without a handler every row is equal
  s.cells->Sort(0, stCustom, true, true);
  EXPECT_EQ(s.Order(), (Order{1, 2, 0}));
}

TEST(Sort, ReversesWithoutComparingUntilSomethingChanges) {
  Sorting s({u"b", u"c", u"a", u"b"});
  int compared = 0;
  s.cells->OnCompare = [&](TCells*, TCell* a, TCell* b, int& c) {
    ++compared;
    c = a->AsString().compare(b->AsString());
  };
  s.cells->Sort(0, stCustom, false, false);
  EXPECT_EQ(s.Order(), (Order{2, 0, 3, 1}));
  compared = 0;
  s.cells->Sort(0, stCustom, false, true);
  EXPECT_EQ(compared, 0);
  EXPECT_EQ(s.Order(), (Order{1, 3, 0, 2}));
  s.cells->Sort(0, stCustom, false, true); // same direction again: a real sort
  EXPECT_GT(compared, 0);
  compared = 0;
  s.cells->Sort(0, stCustom, true, false); // full resort
  EXPECT_GT(compared, 0);
  EXPECT_EQ(s.Order(), (Order{2, 3, 0, 1}));
  // A write in between: sorts anew.
  s.At(0, 0)->SetAsString(u"z");
  compared = 0;
  s.cells->Sort(0, stCustom, false, true);
  EXPECT_GT(compared, 0);
  EXPECT_EQ(s.Order(), (Order{2, 1, 3, 0}));
  // An exchange in between: the order is no longer sorted, no shortcut.
  s.cells->ExchangeRows(0, 3);
  compared = 0;
  s.cells->Sort(0, stCustom, false, false);
  EXPECT_GT(compared, 0);
  EXPECT_EQ(s.Order(), (Order{0, 3, 1, 2}));
}

TEST(Sort, EmptyStoreSortsAndReversesWithoutEffect) {
  Sorting s({});
  s.cells->Sort(0, stNumeric, false, false);
  s.cells->Sort(0, stNumeric, false, true);
  EXPECT_EQ(s.cells->RowCount(), 0);
  s.cells->Sort(5, stNumeric, false, false); // no such column
}

TEST(Sort, AComparisonThatRaisesLeavesTheRows) {
  Sorting s({u"3", u"x", u"1", u"2"});
  EXPECT_THROW(s.cells->Sort(0, stNumeric, false, false), EConvertError);
  EXPECT_EQ(s.Order(), (Order{0, 1, 2, 3}));
  EXPECT_FALSE(s.cells->Sorted());
  int calls = 0;
  s.cells->OnCompare = [&](TCells*, TCell*, TCell*, int& c) {
    if (++calls == 3) throw Exception("handler failed");
    c = 1;
  };
  EXPECT_THROW(s.cells->Sort(0, stCustom, false, false), Exception);
  EXPECT_EQ(s.Order(), (Order{0, 1, 2, 3}));
}

TEST(Sort, InconsistentComparisonsStayInsideTheRows) {
  std::vector<WideString> keys;
  for (int i = 0; i < 500; ++i) keys.push_back(i % 2 ? u"1" : u"2");
  Sorting s(keys, Float);
  for (int r = 0; r < 500; r += 3) s.At(0, r)->SetAsFloat(std::nan(""));
  s.cells->Sort(0, stNumeric, false, false);
  std::mt19937 rng(5);
  s.cells->OnCompare = [&](TCells*, TCell*, TCell*, int& c) {
    c = static_cast<int>(rng() % 3) - 1;
  };
  s.cells->Sort(0, stCustom, true, false);
  Order o = s.Order();
  EXPECT_EQ(std::set<int>(o.begin(), o.end()).size(), 500u); // still every row once
  for (int r = 0; r < 500; ++r) ASSERT_EQ(s.At(0, r)->RowIndex(), r);
}

TEST(Sort, NaNSortsFirstAndTogether) {
  Sorting s({u"2", u"1", u"3"}, Float);
  s.At(0, 2)->SetAsFloat(std::nan(""));
  s.cells->Sort(0, stNumeric, false, false);
  EXPECT_EQ(s.Order(), (Order{2, 1, 0}));
}

} // namespace
