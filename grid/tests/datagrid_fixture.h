// A data grid in a fake window for TDataGrid's tests: text columns made on
// demand, rows named by their first cell, and the grid's events recorded.
#pragma once

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "grid/DgCellClasses.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgGrid.h"
#include "grid/tests/FakeGridHost.h"

struct DataGridFixture {
  TFakeGridHost host{250, 150};
  std::unique_ptr<TDataGrid> grid{new TDataGrid()};
  std::vector<std::tuple<TDataChange, int>> data_changes;
  std::vector<std::pair<int, int>> changes;

  explicit DataGridFixture(int Columns = 2) {
    for (int i = 0; i < Columns; ++i) AddColumn();
    host.Attach(grid.get());
    grid->OnDataChange = [this](TObject*, TDataChange k, int i) {
      data_changes.emplace_back(k, i);
    };
    grid->OnChange = [this](TObject*, int c, int r) { changes.emplace_back(c, r); };
  }
  ~DataGridFixture() {
    grid->SetHost(nullptr);
    grid.reset();
  }
  TDgTextColumn* AddColumn() {
    auto* c = new TDgTextColumn(nullptr);
    grid->Columns()->Add(c);
    return c;
  }
  // Rows named "0", "1", ... in column 0 (under the lock: no events).
  void Rows(int n) {
    grid->BeginUpdate();
    int first = grid->RowCount();
    grid->AddRow(n);
    for (int r = first; r < grid->RowCount(); ++r) grid->SetCells(0, r, Name(r));
    grid->EndUpdate();
    data_changes.clear();
    changes.clear();
    host.ClearRecords();
  }
  // Selecting a cell selects its row (and sets the anchor).
  void FullRowSelection() { grid->SetOptions(grid->Options() + TGridOptions{goSelectFullRow}); }
  static WideString Name(int r) { return DgCellText::Widen(std::to_string(r)); }
  WideString At(int r) { return grid->Cells(0, r); }
  // The first cells of all rows, separated by blanks.
  WideString Names() {
    WideString s;
    for (int r = 0; r < grid->RowCount(); ++r) s += (r ? u" " : u"") + At(r);
    return s;
  }
  WideString SelectedName() {
    int r = grid->SelectedRow();
    return r >= 0 ? At(r) : u"-";
  }
};
