// A cell store over a column collection, wired as a grid wires them, for the
// store's tests.
#pragma once

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "grid/DgCellClasses.h"
#include "grid/DgCells.h"
#include "grid/DgColumns.h"

// A column of any cell kind; kind 11 keeps its texts in a map by place.
class KindColumn : public TDgCustomColumn {
 public:
  explicit KindColumn(uint8_t kind) { SetCellKind(kind); }
  WideString VirtualText(int ACol, int ARow) const override {
    auto it = texts.find({ACol, ARow});
    return it == texts.end() ? WideString() : it->second;
  }
  void SetVirtualText(int ACol, int ARow, const WideString& Text) override {
    texts[{ACol, ARow}] = Text;
  }
  std::map<std::pair<int, int>, WideString> texts;
};

struct Store {
  std::unique_ptr<TDgColumns> cols{new TDgColumns()};
  std::unique_ptr<TCells> cells{new TCells(cols.get())};
  std::vector<std::pair<int, int>> changes;
  Store() {
    cols->OnColumnsChanged = [this](int kind, int index) {
      cells->ColumnsChanged(kind, index, -1);
    };
    cells->OnCellChange = [this](TCells*, int c, int r) { changes.emplace_back(c, r); };
  }
  ~Store() {
    cells.reset(); // the grid frees its store before its columns
    cols.reset();
  }
  KindColumn* Add(uint8_t kind) {
    auto* c = new KindColumn(kind);
    cols->Add(c);
    return c;
  }
  TCell* At(int c, int r) { return cells->Cell(c, r); }
  WideString Str(int c, int r) { return cells->Cell(c, r)->AsString(); }
};
