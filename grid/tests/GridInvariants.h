// Test helper: what holds of any grid between two operations, whatever came
// before. Callers wrap it in ASSERT_NO_FATAL_FAILURE, since later checks
// index rows by what it checks.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "grid/DgCustomGridControl.h"

// The selected row and the anchor are rows the grid has, or -1; the top row
// is a row it has, or 0 when it has none.
inline void CheckRowIndices(TDgCustomGridControl& g) {
  const int n = g.RowCount();
  ASSERT_GE(g.SelectedRow(), -1);
  ASSERT_LT(g.SelectedRow(), n);
  ASSERT_GE(g.Anchor(), -1);
  ASSERT_LT(g.Anchor(), n);
  ASSERT_GE(g.TopRow(), 0);
  ASSERT_LE(g.TopRow(), std::max(0, n - 1));
}
