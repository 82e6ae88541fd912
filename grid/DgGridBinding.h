// What the grid answers its columns (TDgColumnsHost), kept apart from the
// grid's own public names.
#pragma once

#include "grid/DgCustomGridControl.h"

class TDgCustomGridControl::TColumnsBinding : public TDgColumnsHost {
 public:
  explicit TColumnsBinding(TDgCustomGridControl& Grid) : grid_(Grid) {}
  bool ColumnsLoading() const override { return grid_.ComponentState().Contains(csLoading); }
  bool ColumnsDesigning() const override { return grid_.ComponentState().Contains(csDesigning); }
  bool ColumnsDestroying() const override { return grid_.ComponentState().Contains(csDestroying); }
  const TDgFont* GridFont() const override { return &grid_.font_; }
  int ClientWidth() const override { return grid_.ClientWidth(); }
  bool HasIndicator() const override { return grid_.options_.Contains(goIndicator); }
  bool ReportStyle() const override { return grid_.grid_style_ == gsReport; }
  int ColumnsOrigin() const override { return grid_.IndicatorWidth(); }
  int HorzScrollPosition() const override { return grid_.HorzPos(); }
  int SelectedColumnIndex() const override { return grid_.selected_column_; }
  const TDgCustomColumn* PressedColumn() const override { return grid_.pressed_column_; }
  const TDgCustomColumn* HotColumn() const override { return grid_.hot_column_; }
  // Kind 0 the footer, 1 the header, 4 the input line.
  void BandSpan(int Kind, int& Top, int& Bottom) const override;
  int TextWidth(const TDgCustomColumn* Column, const WideString& Text) const override;

 private:
  TDgCustomGridControl& grid_;
};
