// The grid as text (GetGridText and the text files), and sizes taken from
// the cells' texts: a column's width, a row's height.
#include <algorithm>

#include "classlib/Cp1251.h"

#include "grid/DgColumnDisplay.h"
#include "grid/DgColumnLook.h"
#include "grid/DgCustomGridControl.h"
#include "grid/DgGridBinding.h"
#include "grid/DgTextFile.h"

void TDgCustomGridControl::GetGridText(char Separator, std::string& Text) {
  CheckThread();
  const int rows = RowCount(), cols = columns_->Count();
  // A line break inside a cell stays readable as one: "%" marks it.
  auto field = [this](int c, int r) {
    std::string t = Utf16ToCp1251(Cells(c, r));
    for (size_t p = t.find("\r\n"); p != std::string::npos; p = t.find("\r\n", p + 3))
      t.insert(p, 1, '%');
    return t;
  };
  // Two passes: the first measures, so the text is built in one allocation.
  size_t size = 1;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) size += field(c, r).size() + 3;
  Text.clear();
  Text.reserve(size);
  Text += Separator;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      Text += field(c, r);
      if (c + 1 < cols)
        Text += Separator;
      else if (r + 1 < rows)
        Text += std::string{Separator, '\r', '\n'};
    }
}

void TDgCustomGridControl::AutoSizeColumn(int ACol, int Mode, bool VisibleOnly) {
  CheckThread();
  if (!ValidColumn(ACol)) return;
  TDgCustomColumn* column = columns_->Item(ACol);
  int width = 0;
  bool measured = false;
  if (Mode != 1) {
    width = HeaderNeededWidth(column);
    measured = true;
  }
  if (Mode != 2) {
    // OnApplyCell and OnCellFormating may free the column, or the grid.
    const TLifeToken life = LifeToken();
    const int rows = RowCount();
    for (int r = 0; r < rows; ++r) {
      if (VisibleOnly && !GetRowVisible(r)) continue;
      WideString text;
      GetDisplayText(ACol, r, text);
      DoApplyCell(ACol, r, text);
      if (!life) return;
      PrepareCellFont(ACol, r, TCellState());
      CellFormatting(ACol, r, TCellState());
      if (!life || columns_->IndexOf(column) != ACol) return;
      width = std::max(width, CellTextWidth(text));
      measured = true;
    }
  }
  if (!measured) width = 8;
  column->SetWidth(width + 2 * column->Padding() + 5);
}

int TDgCustomGridControl::HeaderNeededWidth(TDgCustomColumn* Column) {
  CheckThread();
  // Inside a paint the paint's canvas measures; else the window's.
  const bool painting = canvas_ != nullptr;
  TDgCanvas* canvas = painting ? canvas_ : host_ ? host_->Canvas() : nullptr;
  // Without a window to measure on, the column's own measure of the caption.
  if (!canvas || !display_) return Column->NeededWidth(Column->Header()->Caption());
  if (!painting) PrepareDisplay(); // the style's themed state, as it paints
  TStyleDisplay& d = *display_;
  TDgCanvas* const saved = d.Canvas;
  d.Canvas = canvas;
  canvas->SetFont(font_); // headers are drawn in the grid's font
  const TDgColumnLook look = LookOf(*Column);
  const int width = d.HeaderIndent(look) + d.HeaderContentWidth(look);
  d.Canvas = saved;
  return width;
}

void TDgCustomGridControl::FitRowHeight(int ARow) {
  CheckThread();
  if (!ValidRow(ARow)) return;
  int height = row_size_;
  TDgCanvas* canvas = host_ ? host_->Canvas() : nullptr;
  for (int i = 0; i < columns_->Count(); ++i) {
    TDgCustomColumn* column = columns_->Item(i);
    if (!column->Visible()) continue;
    auto* display = dynamic_cast<TColumnDisplay*>(column->Display());
    if (!display || !canvas) continue;
    GetCellInfo(i, ARow, display->Value);
    display->Canvas = canvas;
    GetCellRect(i, ARow, display->CellRect);
    canvas->SetFont(*column->Font());
    TSize size;
    display->Measure(size);
    height = std::max(height, size.cy);
  }
  DoMeasuringRowHeight(ARow, height);
  SetRowHeight(ARow, height);
}

namespace {
// The grid as the text-file code sees it. A handler the loading raises
// (OnDataChange, OnChange, OnLoadProgress, OnEditExit) may free the grid:
// the rest of the file then goes nowhere, and the grid is not touched again.
class TGridTextFile : public TDgTextFileGrid {
 public:
  explicit TGridTextFile(TDgCustomGridControl& Grid, std::function<void(int, int)> Progress)
      : grid_(Grid), life_(Grid.LifeToken()), progress_(std::move(Progress)) {}
  void ClearRows() override {
    if (life_) grid_.ClearRows();
  }
  int AddRow(int Count) override { return life_ ? grid_.AddRow(Count) : 0; }
  int RowCount() const override { return life_ ? grid_.RowCount() : 0; }
  int ColumnCount() const override { return life_ ? grid_.Columns()->Count() : 0; }
  WideString GetCells(int ACol, int ARow) override {
    return life_ ? grid_.Cells(ACol, ARow) : WideString();
  }
  void SetCells(int ACol, int ARow, const WideString& Value) override {
    if (life_) grid_.SetCells(ACol, ARow, Value);
  }
  // A hold the grid already has (a load from inside its own batch) stays
  // its holder's.
  void BeginLoad() override {
    if (!life_ || grid_.FootersHeld()) return;
    grid_.HoldFooters(true);
    holding_ = true;
  }
  void EndLoad() override {
    if (!life_ || !holding_) return;
    holding_ = false;
    grid_.HoldFooters(false);
  }
  void LoadProgress(int ACol, int ARow) override {
    if (life_) progress_(ACol, ARow);
  }

 private:
  TDgCustomGridControl& grid_;
  const TLifeToken life_;
  std::function<void(int, int)> progress_;
  bool holding_ = false;
};
} // namespace

void TDgCustomGridControl::LoadFromTextFile(const WideString& FileName, char16_t Separator,
                                            char16_t Delimiter) {
  CheckThread();
  TGridTextFile file(*this, [this](int c, int r) { DoLoadProgress(c, r); });
  ::LoadFromTextFile(file, FileName, Separator, Delimiter);
}

void TDgCustomGridControl::SaveToTextFile(const WideString& FileName, char16_t Separator,
                                          char16_t Delimiter, uint8_t Encoding) {
  CheckThread();
  TGridTextFile file(*this, [](int, int) {});
  ::SaveToTextFile(file, FileName, Separator, Delimiter, Encoding);
}
