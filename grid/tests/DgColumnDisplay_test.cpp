// Column displays and plays: where and how a text cell is painted (flags,
// placement, brush, background, hint mark, clip) and how it measures, on the
// recording canvas.
#include "grid/DgColumnDisplay.h"

#include <gtest/gtest.h>

#include "grid/DgColumnClasses.h"
#include "grid/DgRecordingCanvas.h"

namespace {

struct Cell {
  TDgRecordingCanvas canvas{200, 60, clWhite};
  TDgTextColumn column;
  TColumnDisplay* display = nullptr;

  Cell() {
    display = dynamic_cast<TColumnDisplay*>(column.Display());
    display->Canvas = &canvas;
    display->CellRect = TRect{10, 5, 110, 45};
    display->BackColor = 0x00C0FFEE;
  }
  void Paint(const WideString& text) {
    display->Value.Text = text;
    display->Paint();
  }
  TDgCall Text() const {
    auto t = canvas.CallsOf("Text");
    EXPECT_EQ(t.size(), 1u);
    return t.empty() ? TDgCall{} : t.back();
  }
};

TEST(ColumnDisplay, TextColumnMakesOneTextDisplayAndNoPlay) {
  TDgTextColumn column;
  auto* d = column.Display();
  ASSERT_NE(dynamic_cast<TTextColumnDisplay*>(d), nullptr);
  EXPECT_EQ(d, column.Display());
  EXPECT_EQ(d->Column, &column);
  EXPECT_EQ(column.Play(), nullptr);
}

TEST(ColumnDisplay, DefaultCellIsCentredSingleLineWithEllipsisOnClearBrush) {
  Cell c;
  c.Paint(u"Радио");
  auto t = c.Text();
  EXPECT_EQ(t.Flags, 0x0800u | 0x0004u | 0x8000u | 0x0020u);
  EXPECT_EQ(t.Text, u"Радио");
  EXPECT_EQ(t.R.Left, 12);
  EXPECT_EQ(t.R.Right, 108);
  EXPECT_EQ(t.R.Top, 5);
  EXPECT_EQ(t.R.Bottom, 45);
  EXPECT_TRUE(t.Flag) << "text is drawn on a clear brush";
  EXPECT_FALSE(c.canvas.BrushClear()) << "the brush is solid again afterwards";
  EXPECT_EQ(t.Flags & DgText::NoClip, 0u) << "drawn text stays within its rectangle";
}

TEST(ColumnDisplay, AlignmentAndWrapFlags) {
  Cell c;
  c.column.SetAlignment(taRightJustify);
  c.column.SetVerticalAlignment(taAlignTop);
  c.column.SetWrapKind(wkWordWrap);
  c.Paint(u"abc");
  EXPECT_EQ(c.Text().Flags, 0x0800u | 0x0002u | 0x0010u);

  Cell p;
  p.column.SetAlignment(taCenter);
  p.column.SetVerticalAlignment(taAlignBottom);
  p.column.SetWrapKind(wkPathEllipsis);
  p.Paint(u"c:\\a\\b");
  EXPECT_EQ(p.Text().Flags, 0x0800u | 0x0001u | 0x0008u | 0x4000u | 0x0020u);

  Cell r;
  r.column.SetBiDiMode(bdRightToLeft);
  r.Paint(u"x");
  EXPECT_EQ(r.Text().Flags & 0x20800u, 0x20800u);
}

TEST(ColumnDisplay, WrappedTextIsPlacedByItsMeasuredHeight) {
  // Two lines of 13 pixels in a 40 pixel high cell.
  Cell b;
  b.column.SetWrapKind(wkWordWrap);
  b.column.SetVerticalAlignment(taAlignBottom);
  b.Paint(u"one\ntwo");
  EXPECT_EQ(b.Text().R.Top, 45 - 26);
  EXPECT_EQ(b.Text().R.Bottom, 45);

  Cell m;
  m.column.SetWrapKind(wkWordWrap);
  m.column.SetVerticalAlignment(taVerticalCenter);
  m.Paint(u"one\ntwo");
  EXPECT_EQ(m.Text().R.Top, 5 + 7); // (45 - 31) / 2

  // An odd remainder halves to even: (45 - 18) / 2 = 13.5 -> 14; cell 41: 12.5 -> 12.
  Cell h;
  h.column.SetWrapKind(wkWordWrap);
  h.column.SetVerticalAlignment(taVerticalCenter);
  h.Paint(u"one");
  EXPECT_EQ(h.Text().R.Top, 5 + 14);
  Cell h2;
  h2.display->CellRect.Bottom = 43;
  h2.column.SetWrapKind(wkWordWrap);
  h2.column.SetVerticalAlignment(taVerticalCenter);
  h2.Paint(u"one");
  EXPECT_EQ(h2.Text().R.Top, 5 + 12);

  Cell t;
  t.column.SetWrapKind(wkWordWrap);
  t.column.SetVerticalAlignment(taAlignTop);
  t.Paint(u"one\ntwo");
  EXPECT_EQ(t.Text().R.Top, 5);
}

TEST(ColumnDisplay, PaintFillsTheWholeCellThenShowsTheDisplayText) {
  Cell c;
  c.column.SetTextBefore(u"<");
  c.column.SetTextAfter(u">");
  c.Paint(u"ab");
  EXPECT_EQ(c.Text().Text, u"<ab>");
  ASSERT_FALSE(c.canvas.Calls().empty());
  EXPECT_EQ(c.canvas.Calls().front().Op, "FillRect");
  EXPECT_EQ(c.canvas.Pixel(10, 5), 0x00C0FFEE);
  EXPECT_EQ(c.canvas.Pixel(109, 44), 0x00C0FFEE);
  EXPECT_EQ(c.canvas.Pixel(110, 44), clWhite);
  EXPECT_EQ(c.canvas.Pixel(9, 5), clWhite);

  Cell pw;
  pw.column.SetPasswordChar(u'*');
  pw.Paint(u"abcde");
  EXPECT_EQ(pw.Text().Text, u"*****");
}

TEST(ColumnDisplay, PaintKeepsWithinTheClip) {
  Cell c;
  c.canvas.SetClipRect(TRect{10, 5, 60, 45});
  c.Paint(u"x");
  EXPECT_EQ(c.canvas.Pixel(59, 20), 0x00C0FFEE);
  EXPECT_EQ(c.canvas.Pixel(60, 20), clWhite);
}

TEST(ColumnDisplay, HintCornerIsTheRedTopRightTriangle) {
  Cell c;
  c.display->DrawHintCorner();
  auto p = c.canvas.CallsOf("Polygon");
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].Color, TColor(0x0000FF));
  EXPECT_EQ(p[0].Color2, TColor(0x0000FF));
  ASSERT_EQ(p[0].Points.size(), 3u);
  EXPECT_EQ(p[0].Points[0].X, 105);
  EXPECT_EQ(p[0].Points[0].Y, 5);
  EXPECT_EQ(p[0].Points[2].X, 109);
  EXPECT_EQ(p[0].Points[2].Y, 9);
  // Inside the cell's top-right corner, nothing outside it.
  EXPECT_EQ(c.canvas.Pixel(108, 5), TColor(0x0000FF));
  EXPECT_EQ(c.canvas.Pixel(108, 6), TColor(0x0000FF));
  EXPECT_EQ(c.canvas.Pixel(110, 5), clWhite);
  EXPECT_EQ(c.canvas.Pixel(104, 5), clWhite);
  EXPECT_EQ(c.canvas.Pixel(106, 9), clWhite);
}

TEST(ColumnDisplay, MeasureUsesTheDisplayTextWithoutEllipsisOrDrawing) {
  Cell c;
  c.column.SetTextBefore(u"[");
  c.display->Value.Text = u"abcd";
  TSize s;
  c.display->Measure(s);
  EXPECT_EQ(s.cx, 5 * TDgRecordingCanvas::CharWidth);
  EXPECT_EQ(s.cy, TDgRecordingCanvas::LineHeight);
  EXPECT_EQ(c.display->TextWidth(), s.cx);
  EXPECT_TRUE(c.canvas.CallsOf("Text").empty());
  EXPECT_EQ(c.display->QueryValue(), 0);

  c.column.SetMultiLine(true);
  c.display->Value.Text = u"a\nbb";
  c.display->Measure(s);
  EXPECT_EQ(s.cy, 2 * TDgRecordingCanvas::LineHeight);
}

TEST(ColumnDisplay, WithoutACanvasNothingIsDrawnOrMeasured) {
  TDgTextColumn column;
  auto* d = dynamic_cast<TColumnDisplay*>(column.Display());
  d->Value.Text = u"abc";
  d->Paint();
  d->DrawHintCorner();
  TSize s{7, 7};
  d->Measure(s);
  EXPECT_EQ(s.cx, 0);
  EXPECT_EQ(s.cy, 0);
}

struct CountingDisplay : TColumnDisplay {
  using TColumnDisplay::TColumnDisplay;
  int recomputed = 0;
  void Paint() override {}
  void Recompute() override { ++recomputed; }
};

struct PlayColumn : TDgTextColumn {
  TVirtualColElement* CreateDisplay() override { return new CountingDisplay(this); }
  TVirtualColElement* CreatePlay() override { return new TColumnPlay(this); }
};

struct NotifyingPlay : TColumnPlay {
  using TColumnPlay::TColumnPlay;
  void MouseUp(int, int, int) override { DoClick(); }
  void KeyPress(char16_t&) override { DoChange(); }
};

TEST(ColumnPlay, RefreshTakesTheDisplaysBooleanAndRecomputes) {
  PlayColumn column;
  auto* play = dynamic_cast<TColumnPlay*>(column.Play());
  auto* display = dynamic_cast<CountingDisplay*>(column.Display());
  ASSERT_NE(play, nullptr);
  ASSERT_NE(display, nullptr);
  display->Value.Boolean = true;
  play->Refresh();
  EXPECT_TRUE(play->Value.Boolean);
  EXPECT_EQ(display->recomputed, 1);
  display->Value.Boolean = false;
  play->Refresh();
  EXPECT_FALSE(play->Value.Boolean);

  // The base hooks ignore input.
  unsigned key = 13;
  char16_t ch = u'a';
  play->MouseDown(0, 1, 1);
  play->KeyDown(key);
  play->KeyPress(ch);
  EXPECT_EQ(key, 13u);
  EXPECT_EQ(ch, u'a');
}

TEST(ColumnPlay, HandlersRaiseTheirNotifications) {
  TDgTextColumn column;
  NotifyingPlay play(&column);
  TObject* clicked = nullptr;
  int changes = 0;
  play.MouseUp(0, 1, 1); // unbound: nothing happens
  play.OnClick = [&](TObject* s) { clicked = s; };
  play.OnChange = [&](TObject*) { ++changes; };
  play.MouseUp(0, 1, 1);
  char16_t ch = u' ';
  play.KeyPress(ch);
  EXPECT_EQ(clicked, &play);
  EXPECT_EQ(changes, 1);
}

} // namespace
