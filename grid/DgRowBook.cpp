// Row bookkeeping of a data grid (see DgRowBook.h).
#include "grid/DgRowBook.h"

#include "grid/DgCells.h"

namespace DgRows {

int AfterInsert(int Index, int Pos) { return Index >= 0 && Index >= Pos ? Index + 1 : Index; }

int AfterDelete(int Index, int First, int Count, int NewCount, bool* Gone) {
  if (Gone) *Gone = false;
  if (Index < 0 || Index < First) return Index;
  if (Index >= First + Count) return Index - Count;
  if (Gone) *Gone = true;
  return First < NewCount ? First : NewCount - 1;
}

int AfterMove(int Index, int From, int Size, int To) {
  if (Index < 0) return Index;
  if (Index >= From && Index < From + Size) return To + (Index - From);
  int rest = Index < From ? Index : Index - Size;
  return rest >= To ? rest + Size : rest;
}

int AfterSwap(int Index, int A, int SizeA, int B, int SizeB) {
  if (Index < A) return Index;
  if (Index < A + SizeA) return Index + (B + SizeB) - (A + SizeA);
  if (Index < B) return Index + SizeB - SizeA;
  if (Index < B + SizeB) return A + (Index - B);
  return Index;
}

namespace {
template <class Map>
std::vector<size_t> OrderOf(int Count, Map NewPlace) {
  std::vector<size_t> order(static_cast<size_t>(Count));
  for (int i = 0; i < Count; ++i) order[static_cast<size_t>(NewPlace(i))] = static_cast<size_t>(i);
  return order;
}
} // namespace

std::vector<size_t> MoveOrder(int Count, int From, int Size, int To) {
  return OrderOf(Count, [&](int i) { return AfterMove(i, From, Size, To); });
}

std::vector<size_t> SwapOrder(int Count, int A, int SizeA, int B, int SizeB) {
  return OrderOf(Count, [&](int i) { return AfterSwap(i, A, SizeA, B, SizeB); });
}

int SubtreeSize(const TCells& Cells, int Row) { return 1 + Cells.DescendantCount(Row); }

bool Siblings(const TCells& Cells, int Row1, int Row2) {
  const TRow* a = Cells.Row(Row1);
  const TRow* b = Cells.Row(Row2);
  return a->Level == b->Level && ParentOf(Cells, Row1) == ParentOf(Cells, Row2);
}

bool HasChildRows(const TCells& Cells) {
  for (int i = 0, n = Cells.RowCount(); i < n; ++i)
    if (Cells.Row(i)->Level > 0) return true;
  return false;
}

int ParentOf(const TCells& Cells, int Row) {
  const TRow* r = Cells.Row(Row);
  if (r->Level == 0 || !r->Parent) return -1;
  return Cells.IndexOfRow(r->Parent);
}

int NextSibling(const TCells& Cells, int Row) {
  int level = Cells.Row(Row)->Level;
  for (int i = Row + 1, n = Cells.RowCount(); i < n; ++i) {
    int l = Cells.Row(i)->Level;
    if (l < level) return -1;
    if (l == level) return i;
  }
  return -1;
}

std::vector<size_t> TreeOrder(const TCells& Cells) {
  int n = Cells.RowCount();
  std::vector<std::vector<size_t>> children(static_cast<size_t>(n));
  std::vector<size_t> roots;
  for (int i = 0; i < n; ++i) {
    int p = ParentOf(Cells, i);
    (p >= 0 ? children[static_cast<size_t>(p)] : roots).push_back(static_cast<size_t>(i));
  }
  std::vector<size_t> order;
  order.reserve(static_cast<size_t>(n));
  // Depth first, children in their current order: a stack of pending rows,
  // pushed in reverse so the first child comes out first.
  std::vector<size_t> stack(roots.rbegin(), roots.rend());
  while (!stack.empty()) {
    size_t r = stack.back();
    stack.pop_back();
    order.push_back(r);
    const auto& c = children[r];
    stack.insert(stack.end(), c.rbegin(), c.rend());
  }
  return order;
}

int FirstDrawnFrom(const TCells& Cells, int From) {
  for (int i = From < 0 ? 0 : From, n = Cells.RowCount(); i < n; ++i)
    if (Cells.Row(i)->Drawn()) return i;
  return -1;
}

int LastDrawnUpTo(const TCells& Cells, int From) {
  if (From >= Cells.RowCount()) From = Cells.RowCount() - 1;
  for (int i = From; i >= 0; --i)
    if (Cells.Row(i)->Drawn()) return i;
  return -1;
}

} // namespace DgRows
