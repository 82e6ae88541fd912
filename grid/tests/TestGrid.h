// A small data grid for the core's tests: rows of texts with their own
// visible, selected and height values, columns made on demand.
#pragma once

#include <vector>

#include "classlib/SysUtils.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgCustomGrid.h"

class TTestGrid : public TDgCustomGrid {
 public:
  explicit TTestGrid(int Columns = 0, int Rows = 0) {
    for (int i = 0; i < Columns; ++i) AddColumn();
    if (Rows > 0) AddRow(Rows);
  }
  TDgCustomColumn* AddColumn(int Width = 80) {
    auto* c = new TDgTextColumn(nullptr);
    Columns()->Add(c);
    c->SetWidth(Width);
    for (auto& r : rows) r.cells.resize(static_cast<size_t>(Columns()->Count()));
    return c;
  }

  struct Row {
    std::vector<WideString> cells;
    bool visible = true, selected = false;
    int height = -1; // -1: RowSize
  };
  std::vector<Row> rows;

  void GetCellInfo(int ACol, int ARow, TDgCellValue& Value) override {
    Value.Text = Cells(ACol, ARow);
  }
  WideString Cells(int ACol, int ARow) override { return At(ACol, ARow); }
  void SetCells(int ACol, int ARow, const WideString& Value) override { At(ACol, ARow) = Value; }
  void GetDisplayText(int ACol, int ARow, WideString& Text) override { Text = Cells(ACol, ARow); }
  void GetHintText(int ACol, int ARow, WideString& Text) override { Text = Cells(ACol, ARow); }
  int FirstVisibleRow() override { return first_visible_row_; }
  int LastVisibleRow() override { return last_visible_row_; }
  int RowCount() const override { return static_cast<int>(rows.size()); }
  int VisibleRowCount() override {
    int n = 0;
    for (auto& r : rows) n += r.visible ? 1 : 0;
    return n;
  }
  bool GetRowSelected(int ARow) override { return ValidRow(ARow) && rows[size_t(ARow)].selected; }
  void SetRowSelected(int ARow, bool Selected) override {
    if (ValidRow(ARow)) rows[size_t(ARow)].selected = Selected;
  }
  bool GetRowVisible(int ARow) override { return ValidRow(ARow) && rows[size_t(ARow)].visible; }
  void SetRowVisible(int ARow, bool Visible) override {
    if (!ValidRow(ARow)) return;
    rows[size_t(ARow)].visible = Visible;
    TDgCustomGrid::SetRowVisible(ARow, Visible);
    UpdateVertScrollBar();
  }
  int GetRowHeight(int ARow) override {
    if (!ValidRow(ARow) || rows[size_t(ARow)].height < 0) return RowSize();
    return rows[size_t(ARow)].height;
  }
  void SetRowHeight(int ARow, int Height) override {
    if (!ValidRow(ARow) || Height < 0) return;
    rows[size_t(ARow)].height = Height;
    TDgCustomGrid::SetRowHeight(ARow, Height);
    UpdateVertScrollBar();
  }
  int AddRow(int Count) override {
    for (int i = 0; i < Count; ++i) {
      rows.emplace_back();
      rows.back().cells.resize(static_cast<size_t>(Columns()->Count()));
      TDgCustomGrid::SetRowVisible(RowCount() - 1, true);
    }
    UpdateVertScrollBar();
    return RowCount() - 1;
  }
  void ClearRows() override {
    TDgCustomGrid::ClearRows();
    rows.clear();
    UpdateVertScrollBar();
  }
  void DeleteRow(int ARow) override {
    if (!ValidRow(ARow)) return;
    TDgCustomGrid::DeleteRow(ARow);
    rows.erase(rows.begin() + ARow);
    if (selected_row_ >= RowCount()) selected_row_ = RowCount() - 1;
    if (anchor_ >= RowCount()) anchor_ = RowCount() - 1;
    RecountVisible();
    UpdateVertScrollBar();
  }
  void RecalculateFooters(bool) override {}
  void SelectRowRange(int FromRow, int ToRow, bool Selected) override {
    for (int r = FromRow; r <= ToRow; ++r) SetRowSelected(r, Selected);
  }
  void ExchangeRows(int Row1, int Row2) override {
    if (!ValidRow(Row1) || !ValidRow(Row2)) return;
    std::swap(rows[size_t(Row1)], rows[size_t(Row2)]);
    EditRowsExchanged(Row1, Row2);
  }
  void PreparePlay(TDgCustomColumn*, int, TVirtualColElement*) override {}

  void RecountVisible() {
    first_visible_row_ = last_visible_row_ = 0;
    bool any = false;
    for (int r = 0; r < RowCount(); ++r)
      if (rows[size_t(r)].visible) {
        if (!any) first_visible_row_ = r;
        last_visible_row_ = r;
        any = true;
      }
  }

 private:
  WideString& At(int ACol, int ARow) {
    if (!ValidRow(ARow) || !ValidColumn(ACol))
      throw Exception(Format("Cell out of bounds (%d, %d)", {ACol, ARow}));
    return rows[size_t(ARow)].cells[size_t(ACol)];
  }
};
