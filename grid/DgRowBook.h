// Row bookkeeping of a data grid, apart from the grid itself: where a row
// index that follows its row (the selection, the anchor, the top row) stands
// after rows are inserted, deleted, moved or swapped, and the tree shape of
// a store's rows (subtrees, siblings, parents).
//
// Tree rows stay whole: a subtree (a row and the deeper rows right after it)
// always moves as one block and only among its siblings, and a sort orders
// each group of siblings while every child stays under its parent.
#pragma once

#include <cstddef>
#include <vector>

class TCells;

namespace DgRows {

// A row index after one row was inserted at Pos (-1 stays -1).
int AfterInsert(int Index, int Pos);
// A row index after Count rows from First were deleted, leaving NewCount
// rows. A row that went gives the row now in its place, or the new last row
// (-1 when none are left); Gone tells which happened.
int AfterDelete(int Index, int First, int Count, int NewCount, bool* Gone = nullptr);
// A row index after the block of Size rows at From was moved so that it
// starts at To in the new order.
int AfterMove(int Index, int From, int Size, int To);
// A row index after the blocks [A, A + SizeA) and [B, B + SizeB) (A < B,
// not overlapping) swapped places.
int AfterSwap(int Index, int A, int SizeA, int B, int SizeB);

// The order (old index per new place) of moving a block, and of swapping two.
std::vector<size_t> MoveOrder(int Count, int From, int Size, int To);
std::vector<size_t> SwapOrder(int Count, int A, int SizeA, int B, int SizeB);

// The row and its descendants.
int SubtreeSize(const TCells& Cells, int Row);
// Both rows have the same parent (both roots, or children of one row).
bool Siblings(const TCells& Cells, int Row1, int Row2);
// Any row of the store is some row's child.
bool HasChildRows(const TCells& Cells);
// The parent's index; -1 for a root (or a row whose parent is gone).
int ParentOf(const TCells& Cells, int Row);
// The first later row of the same level before a row of a smaller level; -1 when none.
int NextSibling(const TCells& Cells, int Row);
// The current order regrouped so that every row is followed by its own
// children (in their current relative order), roots in their current order:
// applied after a flat sort it sorts each group of siblings.
std::vector<size_t> TreeOrder(const TCells& Cells);

// The first drawn row at or after From, and the last at or before From;
// -1 when there is none.
int FirstDrawnFrom(const TCells& Cells, int From);
int LastDrawnUpTo(const TCells& Cells, int From);

} // namespace DgRows
