// The text-fit hint of a data grid: a cell's text is measured in the font it
// is drawn in (the column's font as the formatting handler leaves it, bold
// included), the hint offers the whole text no wider than the grid's client
// area, and an automatic column width measures the same way.
#include <gtest/gtest.h>

#include "grid/DgColumnClasses.h"
#include "grid/DgGrid.h"
#include "grid/tests/FakeGridHost.h"

namespace {

// Bold letters are wider, as on a real canvas: 6 pixels a letter, 8 in bold.
struct BoldCanvas : TDgRecordingCanvas {
  using TDgRecordingCanvas::TDgRecordingCanvas;
  TSize TextExtent(const WideString& Text) override {
    const int w = CurrentFont().Style().Contains(fsBold) ? 8 : 6;
    return TSize{static_cast<int>(Text.size()) * w, LineHeight};
  }
};

struct HintHost : TFakeGridHost {
  BoldCanvas bold{400, 300};
  TRect place;
  TDgCanvas* Canvas() override { return &bold; }
  void ShowHint(const WideString& Text, const TRect& R) override {
    TFakeGridHost::ShowHint(Text, R);
    place = R;
  }
};

// One text column 100 wide; rows of 16 under a header of 18. Its 15-letter
// name takes 90 pixels (fits with its 5 of margin), 120 in bold.
struct TextFit : ::testing::Test {
  HintHost host;
  TDataGrid grid;
  TDgTextColumn* column = new TDgTextColumn();
  const WideString name = u"Кино - Звезда.";
  TextFit() {
    grid.Columns()->Add(column);
    column->SetWidth(100);
    grid.AddRow(4);
    for (int r = 0; r < 4; ++r) grid.SetCells(0, r, name + WideString(1, char16_t(u'0' + r)));
    host.Attach(&grid);
  }
  ~TextFit() override { grid.SetHost(nullptr); }
  void Hover(int Row) {
    grid.MouseMove(TShiftState(), 150, 5); // away first: a new cell each time
    grid.MouseMove(TShiftState(), 40, 18 + 16 * Row + 6);
  }
};

TEST_F(TextFit, MeasuredInTheFontTheFormattingHandlerSets) {
  Hover(1);
  EXPECT_FALSE(host.hint_shown); // fits in the regular font
  grid.OnCellFormating = [](TObject*, int, int ARow, TColor&, TFontStyles& Style, TCellState) {
    if (ARow == 1) Style.Include(fsBold);
  };
  Hover(1);
  ASSERT_TRUE(host.hint_shown);
  EXPECT_EQ(host.hint, name + u"1");
  EXPECT_TRUE(host.bold.CurrentFont().Style().Contains(fsBold));
  // At the cell's top-left, offered the client width and no more.
  EXPECT_EQ(host.place.Left, 0);
  EXPECT_EQ(host.place.Top, 18 + 16);
  EXPECT_EQ(host.place.Width(), host.width);
  Hover(2);
  EXPECT_FALSE(host.hint_shown);
  // The bold of a selected row counts as well, and so does a bold column font.
  grid.OnCellFormating = nullptr;
  grid.SetAppearanceOptions(grid.AppearanceOptions() + TAppearanceOptions{aoBoldTextSelection});
  grid.SetOptions(grid.Options() + TGridOptions{goSelectFullRow});
  host.focused = true; // the selection shows
  grid.SetSelectedRow(3);
  Hover(3);
  EXPECT_TRUE(host.hint_shown);
  Hover(2);
  EXPECT_FALSE(host.hint_shown);
  // Cells take their style from the column's font when they are made.
  TDgFont bold = *column->Font();
  bold.SetStyle(TFontStyles{fsBold});
  column->SetFont(&bold);
  grid.AddRow(1);
  grid.SetCells(0, 4, name + u"4");
  Hover(2);
  EXPECT_FALSE(host.hint_shown);
  Hover(4);
  EXPECT_TRUE(host.hint_shown);
}

TEST_F(TextFit, AnAutomaticWidthMeasuresTheFormattedText) {
  grid.OnCellFormating = [](TObject*, int, int ARow, TColor&, TFontStyles& Style, TCellState) {
    if (ARow == 2) Style.Include(fsBold);
  };
  grid.AutoSizeColumn(0, 1, false);
  EXPECT_EQ(column->Width(), 15 * 8 + 2 * column->Padding() + 5);
}

} // namespace
