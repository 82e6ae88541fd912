// Sorting the rows of a TCells by one column (see DgCells.h).
//
// The keys of the column are read first, so a reader that raises (a text
// that is no number under stNumeric, an address with an empty number) stops
// the sort before any row moves: no half-sorted rows are left that would
// look sorted. The rows are then ordered by a stable sort of their positions,
// so rows that compare equal keep the order they had (a randomly pivoted
// quicksort would shuffle them, under stCustom with no handler all of them).
// NaN counts as the smallest number, so the keys stay in a total order; a
// handler's answers go through a merge sort that stays inside the rows
// whatever it says or raises. The new order is applied at the end.
#include <algorithm>
#include <array>
#include <cmath>

#include "grid/DgCellClasses.h"
#include "grid/DgCells.h"

namespace {

// Keys of one type compare as a total order: the library's stable sort.
template <class Cmp>
void StableSort(std::vector<size_t>& order, Cmp cmp) {
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return cmp(a, b) < 0; });
}

// For a handler's answers, which need not be consistent: a merge sort that
// stays inside the rows whatever it is told. Stable as well. Cmp(a, b) < 0
// when a goes first.
template <class Cmp>
void MergeSort(std::vector<size_t>& order, Cmp cmp) {
  size_t n = order.size();
  std::vector<size_t> buf(n);
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
      size_t i = lo, j = mid, k = lo;
      while (i < mid && j < hi) buf[k++] = cmp(order[j], order[i]) < 0 ? order[j++] : order[i++];
      while (i < mid) buf[k++] = order[i++];
      while (j < hi) buf[k++] = order[j++];
    }
    order.swap(buf);
  }
}

template <class T>
int Compare3(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// NaN counts as smaller than every number and equal to itself, so the
// order stays total.
int CompareFloat(double a, double b) {
  bool na = std::isnan(a), nb = std::isnan(b);
  if (na || nb) return na == nb ? 0 : (na ? -1 : 1);
  return Compare3(a, b);
}

using IpKey = std::array<int, 4>;

// Up to four numbers of a dotted address, walked over its 8-bit text: digits
// are collected and every other character is skipped; at each "." and at the
// last character the digits collected become the next number, through the
// integer conversion (an empty number raises EConvertError). Numbers past
// the fourth are not kept.
IpKey AddressKey(const WideString& text) {
  IpKey key{};
  const std::string bytes = DgCellText::Narrow(text);
  std::string digits;
  size_t count = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c >= '0' && c <= '9') digits += c;
    if (c == '.' || i + 1 == bytes.size()) {
      const int number = StrToInt(digits);
      if (count < 4) key[count] = number;
      ++count;
      digits.clear();
    }
  }
  return key;
}

// From the fourth number back to the first, the first difference decides.
int CompareAddresses(const IpKey& a, const IpKey& b) {
  for (int i = 3; i >= 0; --i)
    if (a[size_t(i)] != b[size_t(i)]) return a[size_t(i)] < b[size_t(i)] ? -1 : 1;
  return 0;
}

} // namespace

void TCells::ApplyOrder(const std::vector<size_t>& Order) {
  std::vector<TRow*> rows(Order.size());
  for (size_t i = 0; i < Order.size(); ++i) rows[i] = rows_[Order[i]];
  std::vector<TCell*> items(Order.size());
  for (auto& l : lists_) {
    for (size_t i = 0; i < Order.size(); ++i) items[i] = l->Items[Order[i]];
    l->Items.swap(items);
  }
  rows_.swap(rows);
  Renumber(0);
}

void TCells::Reorder(const std::vector<size_t>& Order, bool KeepSorted) {
  if (Order.size() != rows_.size()) throw EListError("The new order does not hold every row");
  std::vector<bool> seen(Order.size());
  for (size_t i : Order) {
    if (i >= Order.size() || seen[i]) throw EListError("The new order does not hold every row");
    seen[i] = true;
  }
  ApplyOrder(Order);
  if (!KeepSorted) sorted_ = false;
}

void TCells::Sort(int ACol, TSortType SortType, bool FullResort, bool Descending) {
  if (ACol < 0 || ACol >= ColumnCount()) return;
  size_t n = rows_.size();
  if (ACol == last_sort_column_ && sorted_ && Descending != last_sort_descending_ && !FullResort) {
    last_sort_descending_ = Descending;
    std::reverse(rows_.begin(), rows_.end());
    for (auto& l : lists_) std::reverse(l->Items.begin(), l->Items.end());
    Renumber(0);
    return;
  }
  std::vector<TCell*>& cells = lists_[static_cast<size_t>(ACol)]->Items;
  std::vector<size_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = i;
  int sign = Descending ? -1 : 1;

  switch (SortType) {
    case stAlphabetic: {
      std::vector<WideString> held;
      std::vector<const WideString*> keys(n);
      held.reserve(n);
      for (size_t i = 0; i < n; ++i) {
        keys[i] = cells[i]->TextRef();
        if (!keys[i]) {
          held.push_back(cells[i]->AsString());
          keys[i] = nullptr;
        }
      }
      for (size_t i = 0, h = 0; i < n; ++i)
        if (!keys[i]) keys[i] = &held[h++];
      StableSort(order, [&](size_t a, size_t b) { return sign * keys[a]->compare(*keys[b]); });
      break;
    }
    case stCaseInsensitive: {
      // Windows-1251 bytes, lower-cased, compared as unsigned bytes.
      std::vector<std::string> keys(n);
      for (size_t i = 0; i < n; ++i) {
        const WideString* t = cells[i]->TextRef();
        keys[i] = AnsiLowerCase(DgCellText::Narrow(t ? *t : cells[i]->AsString()));
      }
      StableSort(order, [&](size_t a, size_t b) { return sign * keys[a].compare(keys[b]); });
      break;
    }
    case stBoolean: {
      std::vector<int> keys(n);
      for (size_t i = 0; i < n; ++i) keys[i] = cells[i]->AsBoolean() ? 1 : 0;
      StableSort(order, [&](size_t a, size_t b) { return sign * Compare3(keys[a], keys[b]); });
      break;
    }
    case stNumeric:
    case stDate: {
      std::vector<double> keys(n);
      for (size_t i = 0; i < n; ++i)
        keys[i] = SortType == stNumeric ? cells[i]->AsFloat() : cells[i]->AsDateTime();
      StableSort(order, [&](size_t a, size_t b) { return sign * CompareFloat(keys[a], keys[b]); });
      break;
    }
    case stIP: {
      std::vector<IpKey> keys(n);
      for (size_t i = 0; i < n; ++i) keys[i] = AddressKey(cells[i]->AsString());
      // Addresses go the other way round: ascending puts the larger keys first.
      StableSort(order,
                 [&](size_t a, size_t b) { return -sign * CompareAddresses(keys[a], keys[b]); });
      break;
    }
    case stCustom: {
      MergeSort(order, [&](size_t a, size_t b) {
        int c = 0;
        if (OnCompare) OnCompare(this, cells[a], cells[b], c);
        return sign * (c < 0 ? -1 : (c > 0 ? 1 : 0));
      });
      break;
    }
  }
  ApplyOrder(order);
  last_sort_descending_ = Descending;
  last_sort_column_ = ACol;
  sorted_ = true;
}
