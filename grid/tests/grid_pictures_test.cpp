// Header and footer pictures and the grid's reading order, painted on a
// recording canvas: glyphs by display mode in the header and the footer
// (their bottom-left colour left out), a column fitted to its header by
// caption, glyph, orientation and style, and a right-to-left grid whose
// headers, footers, input line and cells read right to left and whose
// in-place editor takes the grid's reading order with WantTabs.
#include <gtest/gtest.h>

#include "grid/DgColumnClasses.h"
#include "grid/DgGrid.h"
#include "grid/DgRecordingCanvas.h"
#include "grid/tests/FakeGridHost.h"
#include "grid/tests/FakeInplaceEditor.h"

namespace {

constexpr int kW = 300, kH = 200;
constexpr uint32_t kKey = 0x00FF00FF, kInk = 0x00123456;

// 6 x 6: the ink with a key-coloured ring, the bottom-left pixel keyed.
TDgPixmap Glyph() {
  TDgPixmap p(6, 6, kKey);
  for (int y = 1; y < 5; ++y)
    for (int x = 1; x < 5; ++x) p.At(x, y) = kInk;
  return p;
}

struct Pictured {
  TFakeGridHost host{kW, kH};
  TDataGrid grid;
  TDgRecordingCanvas canvas{kW, kH, clWhite};
  Pictured() {
    host.Attach(&grid);
    for (int c = 0; c < 2; ++c) {
      auto* col = new TDgTextColumn(nullptr);
      col->SetWidth(100);
      col->Header()->SetCaption(u"Имя");
      col->Footer()->SetCaption(u"итог");
      grid.Columns()->Add(col);
    }
    grid.SetOptions(TGridOptions{goHeader, goFooter});
    grid.AddRow(2);
    grid.SetCells(0, 0, u"a");
  }
  TDgCustomColumn* Col(int i) { return grid.Columns()->Item(i); }
  void Paint() {
    canvas.ClearCalls();
    grid.Paint(canvas, TRect{0, 0, kW, kH});
  }
  // Ink pixels within a rectangle, and the left-most one's x.
  int Ink(const TRect& r, int* left = nullptr) const {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (canvas.Pixel(x, y) == TColor(kInk)) {
          if (left && (n == 0 || x < *left)) *left = x;
          ++n;
        }
    return n;
  }
  int Keyed(const TRect& r) const {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += canvas.Pixel(x, y) == TColor(kKey);
    return n;
  }
  const TDgCall* Text(const WideString& t) const {
    for (const TDgCall& c : canvas.Calls())
      if (c.Op == "Text" && c.Text == t) return &c;
    return nullptr;
  }
};

} // namespace

TEST(GridPictures, HeaderAndFooterShowTheirGlyphsByDisplayMode) {
  Pictured p;
  const TRect header0{0, 0, 100, 18}, header1{100, 0, 200, 18};
  const TRect footer0{0, kH - 18, 100, kH}, footer1{100, kH - 18, 200, kH};
  p.Col(0)->Header()->Glyph()->SetPixmap(Glyph());
  p.Col(0)->Footer()->Glyph()->SetPixmap(Glyph());
  p.Col(1)->Header()->Glyph()->SetPixmap(Glyph());
  p.Col(1)->Footer()->Glyph()->SetPixmap(Glyph());
  p.Paint(); // dmTextOnly: the pictures stay out
  EXPECT_EQ(p.Ink(header0) + p.Ink(header1) + p.Ink(footer0) + p.Ink(footer1), 0);

  p.Col(0)->Header()->SetDisplayMode(dmImageOnly);
  p.Col(0)->Footer()->SetDisplayMode(dmImageOnly);
  p.Col(1)->Header()->SetDisplayMode(dmTextAndImage);
  p.Col(1)->Footer()->SetDisplayMode(dmTextAndImage);
  p.Paint();
  int left = -1;
  // The whole ink, none of the key colour; left aligned at left + 3.
  EXPECT_EQ(p.Ink(header0, &left), 16);
  EXPECT_EQ(left, 4);
  EXPECT_EQ(p.Keyed(header0), 0);
  EXPECT_EQ(p.Ink(footer0), 16);
  EXPECT_EQ(p.Keyed(footer0), 0);
  EXPECT_EQ(p.Ink(header1, &left), 16);
  EXPECT_EQ(left, 104);
  EXPECT_EQ(p.Ink(footer1), 16);
  // Only the text-and-image column writes its caption, after the glyph.
  int headers = 0;
  for (const TDgCall& c : p.canvas.CallsOf("Text"))
    if (c.Text == u"Имя") {
      ++headers;
      EXPECT_EQ(c.R.Left, 100 + 3 + 6 + 2); // after the glyph and 2 of air
    }
  EXPECT_EQ(headers, 1);
  ASSERT_NE(p.Text(u"итог"), nullptr);
  EXPECT_EQ(p.Text(u"итог")->R.Left, 100 + 3 + 6 + 2);
}

TEST(GridPictures, FittingAColumnToItsHeaderCountsGlyphsOrientationAndStyle) {
  Pictured p;
  TDgCustomColumn* c = p.Col(0);
  auto fit = [&] {
    p.grid.AutoSizeColumn(0, 2, false);
    return c->Width() - 5; // less the air every fit adds
  };
  EXPECT_EQ(fit(), 2 + 3 * 6); // the style's indent and the caption
  c->Header()->Glyph()->SetPixmap(Glyph());
  EXPECT_EQ(fit(), 2 + 3 * 6); // text only: the glyph is not shown
  c->Header()->SetDisplayMode(dmTextAndImage);
  EXPECT_EQ(fit(), 2 + 6 + 3 * 6 + 2);
  c->Header()->SetDisplayMode(dmImageOnly);
  EXPECT_EQ(fit(), 2 + 6);
  c->Header()->SetDisplayMode(dmTextOnly);
  c->Header()->SetOrientation(hoVertical);
  EXPECT_EQ(fit(), 2 + TDgRecordingCanvas::LineHeight);
  // The cells still count when they are wider.
  p.grid.SetCells(0, 1, u"a long file name.mp3");
  p.grid.AutoSizeColumn(0, 0, false);
  EXPECT_EQ(c->Width(), 20 * 6 + 5);
}

TEST(GridPictures, ARightToLeftGridReadsRightToLeftEverywhere) {
  Pictured p;
  p.grid.SetOptions(TGridOptions{goHeader, goFooter, goInput});
  p.Col(0)->SetInputCaption(u"ввод");
  p.Paint();
  for (const TDgCall& c : p.canvas.CallsOf("Text"))
    EXPECT_EQ(c.Flags & DgText::RtlReading, 0u) << "left to right: " << c.Text.size();

  for (TBiDiMode mode : {bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly}) {
    p.host.bidi_mode = mode;
    EXPECT_TRUE(p.grid.UseRightToLeftReading());
    p.Paint();
    for (const WideString& t : {WideString(u"Имя"), WideString(u"итог"), WideString(u"ввод"),
                                WideString(u"a")}) {
      const TDgCall* c = p.Text(t);
      ASSERT_NE(c, nullptr);
      EXPECT_NE(c->Flags & DgText::RtlReading, 0u) << int(mode);
    }
    EXPECT_TRUE(p.grid.CurrentDisplay()->RightToLeft);
  }
  p.host.bidi_mode = bdLeftToRight;
  p.Paint();
  EXPECT_EQ(p.Text(u"a")->Flags & DgText::RtlReading, 0u);
  EXPECT_FALSE(p.grid.CurrentDisplay()->RightToLeft);
}

TEST(GridPictures, TheAttachedEditorTakesTheGridsReadingOrderAndWantTabs) {
  DgSetTextEditorFactory([](TDgCustomColumn*) -> TComponent* { return new TFakeInplaceEditor; });
  {
    Pictured p;
    TDgCustomColumn* c = p.Col(0);
    c->SetOptions(c->Options() + TColumnOptions{coEditing});
    p.host.bidi_mode = bdRightToLeft;
    p.grid.SetWantTabs(true);
    p.grid.BeginEdit(0, 0, WideString());
    auto* ed = dynamic_cast<TFakeInplaceEditor*>(p.grid.AttachedEditor());
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->BiDiMode(), bdRightToLeft);
    EXPECT_TRUE(ed->WantTabs());
    p.grid.EndEdit();
    p.host.bidi_mode = bdLeftToRight;
    p.grid.SetWantTabs(false);
    p.grid.BeginEdit(0, 1, WideString());
    EXPECT_EQ(ed->BiDiMode(), bdLeftToRight);
    EXPECT_FALSE(ed->WantTabs());
  }
  DgSetTextEditorFactory(nullptr);
}
