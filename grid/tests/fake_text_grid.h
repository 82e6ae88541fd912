// A grid of plain texts with a fixed number of columns, for the text-file
// tests and the text-file fuzzer.
#pragma once

#include <utility>
#include <vector>

#include "classlib/SysUtils.h"
#include "grid/DgTextFile.h"

// A grid of plain texts with a fixed number of columns.
class FakeGrid : public TDgTextFileGrid {
 public:
  explicit FakeGrid(int columns) : columns_(columns) {}
  void ClearRows() override { rows.clear(); }
  int AddRow(int Count) override {
    for (int i = 0; i < Count; ++i) rows.emplace_back(static_cast<size_t>(columns_));
    return static_cast<int>(rows.size()) - 1;
  }
  int RowCount() const override { return static_cast<int>(rows.size()); }
  int ColumnCount() const override { return columns_; }
  WideString GetCells(int c, int r) override {
    return rows.at(static_cast<size_t>(r)).at(static_cast<size_t>(c));
  }
  void SetCells(int c, int r, const WideString& v) override {
    if (c < 0 || c >= columns_ || r < 0 || r >= RowCount())
      throw Exception(Format("Cell out of bounds (%d, %d)", {c, r}));
    rows[static_cast<size_t>(r)][static_cast<size_t>(c)] = v;
  }
  void BeginLoad() override { ++lock; }
  void EndLoad() override { --lock; }
  void LoadProgress(int c, int r) override { progress.emplace_back(c, r); }

  std::vector<std::vector<WideString>> rows;
  std::vector<std::pair<int, int>> progress;
  int lock = 0;

 private:
  int columns_;
};
