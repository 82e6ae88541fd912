// The grid's painting on a recording canvas: which rows and cells are drawn
// for a scroll position and a clip, fillers and the caption of a grid
// without rows, grid-line styles, the highlight rule with its colours, sorted
// columns, custom background drawing, the indicator, the focus rectangle,
// the slides style, and grids that lost their columns.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "grid/DgColumnClasses.h"
#include "grid/DgGrid.h"
#include "grid/DgRecordingCanvas.h"
#include "grid/DgSharedDraw.h"
#include "grid/tests/FakeGridHost.h"

namespace {

constexpr int kW = 300, kH = 200;
constexpr TColor kPink = 0xFF00FF;

WideString U(const std::string& s) { return WideString(s.begin(), s.end()); }

struct Painted {
  TFakeGridHost host{kW, kH};
  TDataGrid grid;
  TDgRecordingCanvas canvas{kW, kH, kPink};

  explicit Painted(int Rows = 0, int Columns = 3) {
    host.Attach(&grid);
    for (int c = 0; c < Columns; ++c) {
      auto* col = new TDgTextColumn(nullptr);
      col->SetWidth(c == 1 ? 100 : 60);
      grid.Columns()->Add(col);
    }
    AddRows(Rows);
  }
  void AddRows(int n) {
    grid.BeginUpdate();
    for (int i = 0; i < n; ++i) {
      const int r = grid.AddRow(1);
      for (int c = 0; c < grid.Columns()->Count(); ++c)
        grid.Cell(c, r)->SetAsString(U("r" + std::to_string(r) + "c" + std::to_string(c)));
    }
    grid.EndUpdate();
  }
  void Paint(const TRect& clip = TRect{0, 0, kW, kH}) {
    canvas.ClearCalls();
    grid.Paint(canvas, clip);
  }
  // The texts drawn, in order.
  std::vector<WideString> Texts() const {
    std::vector<WideString> t;
    for (const TDgCall& c : canvas.CallsOf("Text"))
      if (!c.Text.empty()) t.push_back(c.Text);
    return t;
  }
  const TDgCall* TextCall(const WideString& text) const {
    for (const TDgCall& c : canvas.Calls())
      if (c.Op == "Text" && c.Text == text) return &c;
    return nullptr;
  }
  // The middle of a cell.
  TPoint Mid(int c, int r) {
    TRect rc;
    grid.GetCellRect(c, r, rc);
    return TPoint{(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
  }
  TColor At(const TPoint& p) const { return canvas.Pixel(p.X, p.Y); }
  TColor CellPixel(int c, int r) { return At(Mid(c, r)); }
  // A pixel of the cell's own area away from its text (the recording canvas
  // paints no text anyway).
  TRect Rect(int c, int r) {
    TRect rc;
    grid.GetCellRect(c, r, rc);
    return rc;
  }
};

} // namespace

// --- What is drawn for a scroll position and a clip ---------------------------------

TEST(GridPaint, DrawsOnlyTheRowsFromTopRowDownToTheBottom) {
  Painted p(1000);
  p.host.vert.SetPosition(100);
  ASSERT_EQ(p.grid.TopRow(), 100);
  p.Paint();
  const auto texts = p.Texts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), U("r100c0"));
  std::set<int> rows;
  for (const WideString& t : texts) {
    const std::string s(t.begin(), t.end());
    rows.insert(std::stoi(s.substr(1, s.find('c') - 1)));
  }
  // Rows of 16 pixels under an 18-pixel header in 200 pixels: 12 rows,
  // the last one cut.
  EXPECT_EQ(*rows.begin(), 100);
  EXPECT_EQ(*rows.rbegin(), 111);
  EXPECT_EQ(texts.size(), rows.size() * 3);
}

TEST(GridPaint, DrawsOnlyTheCellsMeetingTheClip) {
  Painted p(20);
  const TRect cell = p.Rect(1, 4);
  p.Paint(cell);
  EXPECT_EQ(p.Texts(), std::vector<WideString>{U("r4c1")});
  // Outside the clip nothing changed.
  EXPECT_EQ(p.canvas.Pixel(cell.Left - 5, cell.Top + 3), kPink);
  EXPECT_EQ(p.canvas.Pixel(cell.Left + 3, cell.Bottom + 3), kPink);
  EXPECT_NE(p.canvas.Pixel(cell.Left + 3, cell.Top + 3), kPink);
  // The clip left at the end is the paint's.
  EXPECT_EQ(p.canvas.ClipBox(), cell);
}

TEST(GridPaint, AGridWithoutRowsShowsFillersAndItsCaption) {
  Painted p(0);
  p.grid.SetCaption(u"Нет записей");
  p.grid.SetOptions(TGridOptions{goHeader, goGrid});
  p.Paint();
  const TDgCall* caption = p.TextCall(u"Нет записей");
  ASSERT_NE(caption, nullptr);
  EXPECT_TRUE(caption->Flags & DgText::Center);
  EXPECT_TRUE(caption->Flags & DgText::EndEllipsis);
  EXPECT_TRUE(caption->Flags & DgText::SingleLine);
  EXPECT_EQ(caption->R.Top, p.grid.CellAreaRect().Top + 4);
  // Filler cells down to the bottom, in the grid's colour with its lines.
  const TRect last = p.Rect(0, 5);
  EXPECT_EQ(p.canvas.Pixel(last.Left + 5, last.Top + 5), DgResolveColor(p.grid.Color()));
  EXPECT_EQ(p.canvas.Pixel(last.Left + 5, last.Bottom), DgResolveColor(p.grid.GridLinesColor()));
  EXPECT_NE(p.canvas.Pixel(30, kH - 1), kPink);
  // The strip right of the columns is the grid's colour too.
  EXPECT_EQ(p.canvas.Pixel(kW - 5, kH / 2), DgResolveColor(p.grid.Color()));
  EXPECT_EQ(caption->Color, p.grid.Font()->Color());
  // A disabled grid greys it.
  p.grid.SetEnabled(false);
  p.Paint();
  EXPECT_EQ(p.TextCall(u"Нет записей")->Color, clGrayText);
  p.grid.SetEnabled(true);
  // With rows the caption goes.
  p.AddRows(1);
  p.Paint();
  EXPECT_EQ(p.TextCall(u"Нет записей"), nullptr);
}

TEST(GridPaint, GridsWithoutColumnsOrLosingOneWhileRowsExistPaint) {
  Painted none(0, 0);
  none.grid.SetOptions(TGridOptions{goHeader, goGrid, goIndicator, goFooter, goInput});
  EXPECT_NO_THROW(none.Paint());
  EXPECT_EQ(none.canvas.Pixel(kW / 2, kH / 2), DgResolveColor(none.grid.Color()));

  Painted p(5);
  p.grid.SetOptions(TGridOptions{goHeader, goGrid, goIndicator, goSelectFullRow});
  p.host.focused = true;
  p.grid.SetSelectedRow(2);
  p.grid.SelectCell(2, 2, true, TShiftState());
  delete p.grid.Columns()->Item(2);
  EXPECT_NO_THROW(p.Paint());
  EXPECT_NE(p.TextCall(U("r1c1")), nullptr);
  while (p.grid.Columns()->Count() > 0) delete p.grid.Columns()->Item(0);
  EXPECT_NO_THROW(p.Paint());
  EXPECT_TRUE(p.Texts().empty());
}

// --- Grid lines -----------------------------------------------------------------------

TEST(GridPaint, GridLineStyles) {
  Painted p(3);
  p.grid.SetOptions(TGridOptions{goHeader, goGrid});
  p.grid.SetGridLinesColor(0x00C0C0);
  p.Paint();
  const TRect r0 = p.Rect(0, 0);
  EXPECT_EQ(p.canvas.Pixel(r0.Left + 3, r0.Bottom), 0x00C0C0);   // bottom line
  EXPECT_EQ(p.canvas.Pixel(r0.Right - 1, r0.Top + 3), 0x00C0C0); // right line
  // Fillers under the last row show the lines in lsNormal...
  const TRect f = p.Rect(0, 5);
  EXPECT_EQ(p.canvas.Pixel(f.Left + 3, f.Bottom), 0x00C0C0);

  // ...but not with lsActiveRows.
  p.grid.SetGridLinesStyle(lsActiveRows);
  p.Paint();
  const TColor back = DgResolveColor(p.grid.Color());
  EXPECT_EQ(p.canvas.Pixel(f.Left + 3, f.Bottom), back);
  EXPECT_EQ(p.canvas.Pixel(f.Right - 1, f.Top + 3), back);
  EXPECT_EQ(p.canvas.Pixel(r0.Left + 3, r0.Bottom), 0x00C0C0);

  // lsFramed: the last row's bottom and the last column's right line black.
  p.grid.SetGridLinesStyle(lsFramed);
  p.Paint();
  const TRect last = p.Rect(2, 2), mid = p.Rect(1, 1);
  EXPECT_EQ(p.canvas.Pixel(last.Left + 3, last.Bottom), 0);
  EXPECT_EQ(p.canvas.Pixel(p.Rect(0, 2).Left + 3, last.Bottom), 0);
  EXPECT_EQ(p.canvas.Pixel(last.Right - 1, p.Rect(2, 0).Top + 3), 0);
  EXPECT_EQ(p.canvas.Pixel(mid.Left + 3, mid.Bottom), 0x00C0C0);
  EXPECT_EQ(p.canvas.Pixel(mid.Right - 1, mid.Top + 3), 0x00C0C0);
  // Fillers keep the grid's colour on their right edge.
  EXPECT_NE(p.canvas.Pixel(p.Rect(2, 4).Right - 1, p.Rect(2, 4).Top + 3), 0);

  // 3-D lines add highlight lines at the top and left.
  p.grid.SetGridLinesStyle(lsNormal);
  p.grid.SetAppearanceOptions(TAppearanceOptions{ao3DGridLines});
  p.Paint();
  const TRect r1 = p.Rect(1, 1);
  EXPECT_EQ(p.canvas.Pixel(r1.Left, r1.Top + 3), DgResolveColor(clBtnHighlight));
  EXPECT_EQ(p.canvas.Pixel(r1.Left + 3, r1.Top - 1), DgResolveColor(clBtnHighlight));
}

// --- Highlight and colours ----------------------------------------------------------------

TEST(GridPaint, WholeRowSelectionWithTheFocusedCellSetApart) {
  Painted p(4);
  p.grid.SetOptions(TGridOptions{goHeader, goSelectFullRow});
  p.grid.SetSelectionColor(0xF0C000);
  p.grid.SetHighlightedTextColor(0x0000F0);
  p.host.focused = true;
  p.grid.SelectCell(1, 2, true, TShiftState());
  p.Paint();
  for (int c = 0; c < 3; ++c) EXPECT_EQ(p.CellPixel(c, 2), 0xF0C000) << c;
  EXPECT_EQ(p.TextCall(U("r2c0"))->Color, 0x0000F0);
  EXPECT_NE(p.CellPixel(0, 1), 0xF0C000);

  p.grid.SetAppearanceOptions(TAppearanceOptions{aoIndicateSelectedCell});
  p.Paint();
  EXPECT_EQ(p.CellPixel(0, 2), 0xF0C000);
  EXPECT_EQ(p.CellPixel(2, 2), 0xF0C000);
  EXPECT_EQ(p.CellPixel(1, 2), DgResolveColor(clWindow));
  EXPECT_NE(p.TextCall(U("r2c1"))->Color, 0x0000F0);
  // The focus rectangle goes round the whole row.
  const auto focus = p.canvas.CallsOf("FocusRect");
  ASSERT_EQ(focus.size(), 1u);
  EXPECT_EQ(focus[0].R.Top, p.Rect(0, 2).Top);
  EXPECT_EQ(focus[0].R.Left, p.grid.CellAreaRect().Left);
}

TEST(GridPaint, SelectionOfAnUnfocusedGridIsHiddenOrInactive) {
  Painted p(4);
  p.grid.SetOptions(TGridOptions{goHeader, goSelectFullRow});
  p.grid.SetSelectionColor(0xF0C000);
  p.grid.SetInactiveSelectionColor(0x00F000);
  p.grid.SelectCell(0, 1, true, TShiftState());
  p.host.focused = false;
  p.grid.SetAppearanceOptions(TAppearanceOptions{aoHideSelection});
  p.Paint();
  EXPECT_EQ(p.CellPixel(0, 1), DgResolveColor(clWindow));
  EXPECT_TRUE(p.canvas.CallsOf("FocusRect").empty());

  p.grid.SetAppearanceOptions(TAppearanceOptions());
  p.Paint();
  EXPECT_EQ(p.CellPixel(0, 1), 0x00F000);
  // An unfocused grid keeps the column's text colour on its selection.
  EXPECT_EQ(p.TextCall(U("r1c0"))->Color, p.grid.Columns()->Item(0)->Font()->Color());
  EXPECT_NE(p.TextCall(U("r1c0"))->Color, p.grid.HighlightedTextColor());

  // Focused again: the selection colour, and the blend when asked for.
  p.host.focused = true;
  p.grid.SetAppearanceOptions(TAppearanceOptions{aoAlphaBlendedSelection});
  p.Paint();
  EXPECT_EQ(p.CellPixel(0, 1), DgResolveColor(BlendColor(clWindow, clHighlight, 64)));
  // Its focus frame is the solid one.
  EXPECT_TRUE(p.canvas.CallsOf("FocusRect").empty());
}

TEST(GridPaint, SingleCellSelectionAndTheCellFocusRectangle) {
  Painted p(4);
  p.grid.SetOptions(TGridOptions{goHeader});
  p.grid.SetSelectionColor(0xF0C000);
  p.host.focused = true;
  p.grid.SelectCell(2, 3, true, TShiftState());
  p.Paint();
  EXPECT_EQ(p.CellPixel(2, 3), 0xF0C000);
  EXPECT_NE(p.CellPixel(1, 3), 0xF0C000);
  const auto focus = p.canvas.CallsOf("FocusRect");
  ASSERT_EQ(focus.size(), 1u);
  EXPECT_EQ(focus[0].R, p.Rect(2, 3));
  // The state handed to the colouring event.
  std::vector<TCellState> states;
  p.grid.OnCellColoring = [&](TObject*, int c, int r, TColor&, TColor&, TCellState s) {
    if (r == 3) states.push_back(s);
  };
  p.grid.SetAppearanceOptions(TAppearanceOptions{aoBoldTextSelection});
  p.Paint();
  ASSERT_EQ(states.size(), 3u);
  EXPECT_TRUE(states[2].Contains(csSelected) && states[2].Contains(csBoldTextSelection));
  EXPECT_TRUE(states[2].Contains(csFocused));
  EXPECT_FALSE(states[0].Contains(csSelected));
}

TEST(GridPaint, SortedColumnsAndColouringEvents) {
  Painted p(3);
  p.grid.SetSelectionColor(0xF0C000);
  TDgCustomColumn* col = p.grid.Columns()->Item(1);
  col->SetParentCellColor(true);
  col->SetColor(0x808080);
  col->SetSorted(true);
  p.grid.SetSortedStyle(soWhite);
  p.host.focused = true;
  p.grid.SelectCell(1, 0, true, TShiftState());
  p.Paint();
  EXPECT_EQ(p.CellPixel(1, 1), 0xFFFFFF);
  EXPECT_EQ(p.CellPixel(1, 0), 0xF0C000); // the highlight stays
  p.grid.SetSortedStyle(soDarker);
  p.Paint();
  EXPECT_EQ(p.CellPixel(1, 1), 0x767676);
  // Indicating the sorted column darkens it, fillers too.
  p.grid.SetSortedStyle(soDefault);
  p.grid.SetAppearanceOptions(TAppearanceOptions{aoIndicateSortedColumn});
  p.Paint();
  EXPECT_EQ(p.CellPixel(1, 2), 0x767676);
  const TColor back = DgResolveColor(p.grid.Color());
  EXPECT_NE(p.CellPixel(1, 6), back);
  EXPECT_EQ(p.CellPixel(0, 6), back);
  // OnCellColoring chooses the background.
  p.grid.OnCellColoring = [](TObject*, int c, int r, TColor& cell, TColor&, TCellState) {
    if (c == 0 && r == 2) cell = 0x0000FF;
  };
  p.Paint();
  EXPECT_EQ(p.CellPixel(0, 2), 0x0000FF);
}

TEST(GridPaint, WithoutDefaultDrawingTheBackgroundStaysButTheTextIsDrawn) {
  Painted p(3);
  p.grid.OnDrawCellBackground = [](TObject*, int c, int r, const TRect&, TCellState, bool& def) {
    if (c == 1 && r == 1) def = false;
  };
  p.Paint();
  EXPECT_EQ(p.CellPixel(1, 1), kPink);
  EXPECT_NE(p.CellPixel(1, 2), kPink);
  EXPECT_NE(p.TextCall(U("r1c1")), nullptr);
  // aoDontFillCells leaves every cell unfilled.
  p.canvas = TDgRecordingCanvas(kW, kH, kPink);
  p.grid.SetAppearanceOptions(TAppearanceOptions{aoDontFillCells});
  p.Paint();
  EXPECT_EQ(p.CellPixel(0, 0), kPink);
  EXPECT_NE(p.TextCall(U("r0c0")), nullptr);
}

TEST(GridPaint, CustomDrawingOptionsAndHintMarks) {
  Painted p(2);
  std::vector<std::pair<int, int>> custom;
  p.grid.OnCustomDrawCell = [&](TObject*, int c, int r, const TRect&, TCellState) {
    custom.emplace_back(c, r);
  };
  p.grid.Columns()->Item(2)->SetDrawingOptions(doCustomOnly);
  p.grid.Columns()->Item(1)->SetDrawingOptions(doBackgroundOnly);
  p.grid.OnCellHint = [](TObject*, int c, int r, WideString& v) {
    if (c == 0 && r == 1) v = u"hint";
  };
  p.grid.SetAppearanceOptions(TAppearanceOptions{aoHintMarks});
  p.Paint();
  EXPECT_EQ(custom, (std::vector<std::pair<int, int>>{{1, 0}, {2, 0}, {1, 1}, {2, 1}}));
  EXPECT_EQ(p.TextCall(U("r0c1")), nullptr); // background only
  EXPECT_EQ(p.TextCall(U("r0c2")), nullptr); // custom only
  EXPECT_EQ(p.CellPixel(2, 0), kPink);       // and not filled
  ASSERT_EQ(p.canvas.CallsOf("Polygon").size(), 1u);
  EXPECT_EQ(p.canvas.CallsOf("Polygon")[0].Points[1].X, p.Rect(0, 1).Right - 1);
}

// --- Indicator, regions, events --------------------------------------------------------

TEST(GridPaint, IndicatorHeadersFootersAndThePostDrawEvent) {
  Painted p(3);
  p.grid.SetOptions(TGridOptions{goHeader, goIndicator, goFooter, goInput, goGrid});
  p.host.focused = true;
  p.grid.SelectCell(0, 1, true, TShiftState());
  int posts = 0;
  p.grid.OnPostDraw = [&](TObject*) { ++posts; };
  p.Paint();
  EXPECT_EQ(posts, 1);
  // The indicator column's cells sit beside the rows.
  const TRect row1 = p.Rect(0, 1);
  EXPECT_NE(p.canvas.Pixel(5, row1.Top + 5), kPink);
  // Headers of the three columns, the footer band and the input line.
  EXPECT_NE(p.canvas.Pixel(p.Rect(1, 0).Left + 5, 5), kPink);
  EXPECT_NE(p.canvas.Pixel(p.Rect(1, 0).Left + 5, p.grid.FooterRect().Top + 1), kPink);
  EXPECT_NE(p.canvas.Pixel(p.Rect(1, 0).Left + 5, p.grid.InputRect().Top + 2), kPink);
  // The header rest and nothing left unpainted.
  for (int y = 0; y < kH; y += 7)
    for (int x = 0; x < kW; x += 7) ASSERT_NE(p.canvas.Pixel(x, y), kPink) << x << "," << y;
  // The scroll areas the bars shift.
  EXPECT_EQ(p.host.vert_area.Top, p.grid.CellAreaRect().Top);
  EXPECT_EQ(p.host.vert_area.Bottom, p.grid.CellAreaRect().Bottom);
  EXPECT_EQ(p.host.horz_area.Left, p.grid.FixedLeft());
}

TEST(GridPaint, SlidesStyle) {
  Painted p(3);
  p.grid.SetGridStyle(gsSlides);
  p.grid.SetSlideSize(40);
  for (int c = 0; c < 3; ++c) {
    TDgSlideBounds* b = p.grid.Columns()->Item(c)->SlideBounds();
    b->SetLeft(10 + c * 90);
    b->SetTop(15);
    b->SetWidth(80);
    b->SetHeight(16);
  }
  p.grid.Columns()->Item(0)->SetSlideCaption("Name");
  p.grid.SetOptions(TGridOptions{goHeader, goGrid, goSelectFullRow});
  p.grid.SetSlidesOptions(TSlideOptions{soFrame});
  p.grid.SetSlideSelectionColor(0x00F0F0);
  p.grid.SetSelectionColor(0xF00000);
  p.host.focused = true;
  p.grid.SelectCell(0, 1, true, TShiftState());
  p.Paint();
  const TRect cell = p.Rect(1, 1);
  // The selected slide in its colour, the focused frame inside its edge.
  EXPECT_EQ(p.canvas.Pixel(cell.Right + 5, cell.Top + 2), 0x00F0F0);
  const int slideTop = p.grid.CellAreaRect().Top + 41;
  EXPECT_EQ(p.canvas.Pixel(kW / 2, slideTop + 1), 0xF00000);
  EXPECT_EQ(p.canvas.Pixel(kW / 2, slideTop + 2), 0xF00000);
  EXPECT_NE(p.TextCall(U("r2c2")), nullptr);
  const TDgCall* caption = p.TextCall(u"Name");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->Color, clGrayText);
  EXPECT_EQ(caption->R.Bottom, p.Rect(0, 0).Top - 2);
  // Below the last slide the grid's colour.
  EXPECT_EQ(p.canvas.Pixel(kW / 2, kH - 2), DgResolveColor(p.grid.Color()));
  // Hiding the selection keeps the slide in the grid's colour, frame and all.
  p.grid.SetSlidesOptions(TSlideOptions{soFrame, soHideSelection});
  p.Paint();
  EXPECT_EQ(p.canvas.Pixel(cell.Right + 5, cell.Top + 2), DgResolveColor(p.grid.Color()));
  EXPECT_EQ(p.canvas.Pixel(kW / 2, slideTop + 1), 0xF00000);
}

// A hidden row takes no slide: the rows below it are placed, and found by a
// click, where they are painted, below the upper half of a 3-D line.
TEST(GridPaint, SlidesAreFoundWherePaintedPastAHiddenRow) {
  Painted p(4);
  p.grid.SetGridStyle(gsSlides);
  p.grid.SetSlideSize(40);
  p.grid.SetOptions(TGridOptions{goHeader, goGrid, goSelectFullRow});
  p.grid.SetAppearanceOptions(p.grid.AppearanceOptions() + TAppearanceOptions{ao3DGridLines});
  for (int c = 0; c < 3; ++c) p.grid.Columns()->Item(c)->SlideBounds()->SetLeft(10 + c * 90);
  p.grid.SetSlidesOptions(TSlideOptions());
  p.grid.SetSlideSelectionColor(0x00F0F0);
  p.host.focused = true;
  p.grid.SetRowVisible(1, false);
  p.grid.SelectCell(0, 2, true, TShiftState());
  p.Paint();
  const int top = p.grid.RowTop(2);
  EXPECT_EQ(top, p.grid.CellAreaRect().Top + 1 + 40 + 2);
  EXPECT_EQ(p.canvas.Pixel(kW - 5, top), 0x00F0F0);
  EXPECT_EQ(p.canvas.Pixel(kW - 5, top + 39), 0x00F0F0);
  EXPECT_NE(p.canvas.Pixel(kW - 5, top - 1), 0x00F0F0);
  EXPECT_NE(p.canvas.Pixel(kW - 5, top + 40), 0x00F0F0);
  int col = -1, row = -1;
  const TPoint mid = p.Mid(1, 3);
  p.grid.PointToCell(mid.X, mid.Y, col, row);
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 3);
}

TEST(GridPaint, BorderFollowsTheHeaderStyleAndThemes) {
  Painted p;
  EXPECT_EQ(p.grid.BorderLook(false).Kind, TDgCustomGridControl::TBorderKind::Platform);
  EXPECT_EQ(p.grid.BorderLook(true).Kind, TDgCustomGridControl::TBorderKind::Themed);
  p.grid.SetEnableVisualStyles(false);
  EXPECT_EQ(p.grid.BorderLook(true).Kind, TDgCustomGridControl::TBorderKind::Platform);
  p.grid.SetHeaderStyle(hsOffice2007);
  const auto look = p.grid.BorderLook(true);
  EXPECT_EQ(look.Kind, TDgCustomGridControl::TBorderKind::Frame);
  EXPECT_EQ(look.Color, SchemeColor(2, 0));
  p.grid.SetBorderStyle(bsNone);
  EXPECT_EQ(p.grid.BorderLook(true).Kind, TDgCustomGridControl::TBorderKind::Platform);
}
