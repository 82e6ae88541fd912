// A grid of three text columns for the recorded-files list: rows are objects
// that keep their identity when the rows are sorted, as a real grid's rows do.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "grid/DgTextFile.h"
#include "player/RecordedListCore.h"

namespace listtest {

class TFakeRows : public TRecordedRows, public TDgTextFileGrid {
 public:
  struct TRow {
    WideString Cells[3];
  };

  // TRecordedRows
  int RowCount() override { return static_cast<int>(rows.size()); }
  int AddRow() override { return AddRow(1); }
  WideString Text(int Col, int Row) override { return GetCells(Col, Row); }
  void SetText(int Col, int Row, const WideString& Value) override { SetCells(Col, Row, Value); }
  void DeleteRow(int Row) override { rows.erase(rows.begin() + Place(Row)); }
  void ClearRows() override { rows.clear(); }
  const void* RowKey(int Row) override { return rows.at(Place(Row)).get(); }
  int RowOfKey(const void* Key) override {
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].get() == Key) return static_cast<int>(i);
    return -1;
  }
  void ShowRow(int Row) override {
    shown.push_back(Row);
    selected = Row;
  }
  void Repaint() override { ++repaints; }
  void SaveText(const WideString& FileName, char16_t Separator, char16_t Delimiter,
                uint8_t Encoding) override {
    SaveToTextFile(*this, FileName, Separator, Delimiter, Encoding);
  }
  void LoadText(const WideString& FileName, char16_t Separator, char16_t Delimiter) override {
    LoadFromTextFile(*this, FileName, Separator, Delimiter);
  }

  // TDgTextFileGrid
  int AddRow(int Count) override {
    for (int i = 0; i < Count; ++i) rows.push_back(std::make_unique<TRow>());
    return RowCount() - 1;
  }
  int RowCount() const override { return static_cast<int>(rows.size()); }
  int ColumnCount() const override { return 3; }
  WideString GetCells(int Col, int Row) override { return Cell(Col, Row); }
  void SetCells(int Col, int Row, const WideString& Value) override { Cell(Col, Row) = Value; }

  // A header click: the rows ordered by one column's text.
  void Sort(int Col, bool Ascending) {
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
      return Ascending ? a->Cells[Col] < b->Cells[Col] : b->Cells[Col] < a->Cells[Col];
    });
  }
  // The names from the first row down.
  std::vector<WideString> Column(int Col) {
    std::vector<WideString> out;
    for (auto& r : rows) out.push_back(r->Cells[Col]);
    return out;
  }

  std::vector<std::unique_ptr<TRow>> rows;
  std::vector<int> shown;
  int selected = -1;
  int repaints = 0;

 private:
  size_t Place(int Row) const {
    if (Row < 0 || Row >= static_cast<int>(rows.size()))
      throw Exception(Format("Row out of bounds (%d)", {Row}));
    return static_cast<size_t>(Row);
  }
  WideString& Cell(int Col, int Row) {
    if (Col < 0 || Col > 2 || Row < 0 || Row >= RowCount())
      throw Exception(Format("Cell out of bounds (%d, %d)", {Col, Row}));
    return rows[static_cast<size_t>(Row)]->Cells[Col];
  }
};

} // namespace listtest
