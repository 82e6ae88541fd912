// The style displays: each style's header band for every column place,
// pressed, hot, sorted, vertical, glyphs and themes, as recorded calls and
// pixels of the recording canvas.
#include "grid/DgDisplays.h"

#include <gtest/gtest.h>

#include <memory>

#include "grid/DgRecordingCanvas.h"
#include "grid/DgSharedDraw.h"

namespace {

struct FakeThemes : IDgThemes {
  struct Call {
    int part, state;
    TRect r;
  };
  std::vector<Call> calls;
  bool Active() override { return true; }
  void DrawBackground(TDgCanvas& c, const wchar_t*, int part, int state, const TRect& r) override {
    calls.push_back({part, state, r});
    c.FillRect(r, 0x00AA00);
  }
};

struct Fixture {
  TDgRecordingCanvas canvas{200, 40, 0x123456};
  std::unique_ptr<TStyleDisplay> d;
  explicit Fixture(THeaderStyle s) : d(CreateStyleDisplay(s, nullptr)) { d->Canvas = &canvas; }
  TColor At(int x, int y) const { return canvas.Pixel(x, y); }
};

TDgColumnLook Look(TDgColumnPlace place, const char16_t* caption = u"Имя") {
  TDgColumnLook c;
  c.Header.Caption = caption;
  c.Place = place;
  return c;
}

TColor Sys(TColor c) { return DgResolveColor(c); }

const TRect kCell{10, 0, 90, 20};

} // namespace

TEST(DgDisplays, BaseIndentCapabilitiesAndContentWidth) {
  Fixture f(hsFlatBorders);
  TDgColumnLook c = Look(TDgColumnPlace::Middle);
  EXPECT_EQ(f.d->HeaderIndent(c), 2);
  f.d->Themed = true;
  EXPECT_EQ(f.d->HeaderIndent(c), 11);
  c.Header.DisplayMode = dmTextAndImage;
  EXPECT_EQ(f.d->HeaderIndent(c), 2);
  f.d->SortArrows = false;
  EXPECT_EQ(f.d->HeaderIndent(c), 0);
  EXPECT_EQ(f.d->Capabilities(), 0u);
  TDgPixmap glyph(16, 16);
  c.Header.Glyph = &glyph;
  EXPECT_EQ(f.d->HeaderContentWidth(c), 16 + 18 + 2);
  c.Header.DisplayMode = dmImageOnly;
  EXPECT_EQ(f.d->HeaderContentWidth(c), 16);
  c.Header.DisplayMode = dmTextOnly;
  EXPECT_EQ(f.d->HeaderContentWidth(c), 18);
  c.Vertical = true;
  EXPECT_EQ(f.d->HeaderContentWidth(c), TDgRecordingCanvas::LineHeight);
}

TEST(DgDisplays, CaptionPlacementAndSortArrowRoom) {
  Fixture f(hsFlatBorders);
  TDgColumnLook c = Look(TDgColumnPlace::Middle, u"abc"); // 18 + 2 wide
  c.Header.Alignment = taRightJustify;
  f.d->DrawHeader(c, kCell);
  auto t = f.canvas.CallsOf("Text");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].R.Left, 90 - 20);
  EXPECT_EQ(t[0].Flags, 0x8A24u);
  c.Sorted = true;
  f.canvas.ClearCalls();
  f.d->DrawHeader(c, kCell);
  EXPECT_EQ(f.canvas.CallsOf("Text")[0].R.Left, 90 - 20 - 31); // room for the arrow
  c.Header.Alignment = taCenter;
  f.canvas.ClearCalls();
  f.d->DrawHeader(c, kCell);
  EXPECT_EQ(f.canvas.CallsOf("Text")[0].R.Left, 10 + (80 - 20) / 2);
  c.Header.Caption = std::u16string(30, u'x'); // wider than the cell
  f.canvas.ClearCalls();
  f.d->DrawHeader(c, kCell);
  EXPECT_EQ(f.canvas.CallsOf("Text")[0].R.Left, 12);
  // The footer of a sorted column leaves the arrow's room too (its text
  // width without the header's 2), and never starts left of its cell.
  c.Footer.Caption = u"abc";
  c.Footer.Alignment = taRightJustify;
  f.canvas.ClearCalls();
  f.d->DrawFooter(c, kCell, false);
  EXPECT_EQ(f.canvas.CallsOf("Text")[0].R.Left, 90 - 18 - 31);
  c.Footer.Caption = u"abcdefghij";
  f.canvas.ClearCalls();
  f.d->DrawFooter(c, kCell, false);
  EXPECT_EQ(f.canvas.CallsOf("Text")[0].R.Left, 10);
  c.Sorted = false;
  f.canvas.ClearCalls();
  f.d->DrawFooter(c, kCell, false);
  EXPECT_EQ(f.canvas.CallsOf("Text")[0].R.Left, 90 - 60);
}

TEST(DgDisplays, HideArrowHidesOnlyAnArrowThatDoesNotFit) {
  Fixture f(hsFlatBorders);
  TDgColumnLook c = Look(TDgColumnPlace::Middle, u"abcdefgh"); // w = 50, x = 12
  c.Sorted = true;
  f.d->DrawHeader(c, kCell); // arrow at 12 + 50 + 19 = 81: 89 >= 90? no, fits
  EXPECT_FALSE(f.canvas.CallsOf("Line").empty());
  const size_t fits = f.canvas.CallsOf("Line").size();
  c.Header.Caption = u"abcdefghij"; // arrow x = 93: does not fit
  f.canvas.ClearCalls();
  f.d->DrawHeader(c, kCell);
  EXPECT_EQ(f.canvas.CallsOf("Line").size(), fits - 3);
  c.HideArrow = false;
  f.canvas.ClearCalls();
  f.d->DrawHeader(c, kCell);
  EXPECT_EQ(f.canvas.CallsOf("Line").size(), fits);
}

TEST(DgDisplays, SortArrowsThemedEngravedAndOffice2010) {
  Fixture f(hsAuto);
  f.d->DrawSortArrow(20, 5, true);
  EXPECT_EQ(f.At(24, 11), Sys(clBtnShadow)); // ascending base along y + 6
  f.d->Themed = true;
  f.d->DrawSortArrow(40, 5, false);
  auto p = f.canvas.CallsOf("Polygon");
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].Points, (std::vector<TPoint>{{40, 5}, {44, 9}, {48, 5}}));
  EXPECT_EQ(p[0].Color2, clGrayText);
  Fixture g(hsOffice2010);
  g.d->DrawSortArrow(40, 5, true);
  auto q = g.canvas.CallsOf("Polygon");
  EXPECT_EQ(q[0].Points, (std::vector<TPoint>{{40, 9}, {44, 5}, {48, 9}}));
  EXPECT_EQ(q[0].Color, clBlack);
  EXPECT_EQ(q[0].Color2, 0xB5ADA5);
  // Vista draws its own arrow: none after the caption.
  Fixture v(hsVista);
  TDgColumnLook c = Look(TDgColumnPlace::Middle, u"a");
  c.Sorted = true;
  v.d->DrawHeader(c, kCell);
  EXPECT_EQ(v.canvas.CallsOf("Polygon").size(), 1u); // the triangle at the top only
  EXPECT_EQ(v.canvas.CallsOf("Polygon")[0].Points[0].Y, 0);
}

TEST(DgDisplays, WhichStylesInvertAPressedHeader) {
  const struct {
    THeaderStyle s;
    bool inverts;
  } cases[] = {{hsAuto, true},    {hsOffice2007, false},  {hsOffice2010, false}, {hsOldStyle, true},
               {hsOutlook, true}, {hsFlatBorders, false}, {hsVista, false}};
  for (const auto& k : cases) {
    Fixture f(k.s);
    TDgColumnLook c = Look(TDgColumnPlace::Middle);
    c.Pressed = true;
    f.d->DrawHeader(c, kCell);
    auto inv = f.canvas.CallsOf("Invert");
    EXPECT_EQ(!inv.empty(), k.inverts) << k.s;
    if (!inv.empty()) { EXPECT_EQ(inv[0].R, (TRect{10, 0, 89, 20})); }
  }
  Fixture f(hsOldStyle);
  TDgColumnLook only = Look(TDgColumnPlace::Only);
  only.Pressed = true;
  f.d->DrawHeader(only, kCell);
  EXPECT_EQ(f.canvas.CallsOf("Invert")[0].R, (TRect{9, -1, 90, 20}));
  // The themed default style shows hot headers instead.
  Fixture t(hsAuto);
  t.d->Themed = true;
  EXPECT_EQ(t.d->Capabilities(), DgStyleCaps::HotHeaders);
}

TEST(DgDisplays, DefaultHeaderByPlace) {
  Fixture f(hsAuto);
  TDgColumnLook c = Look(TDgColumnPlace::Only);
  c.Header.Color = 0x00C0FF;
  f.d->DrawHeaderBackground(c, kCell);
  // A single column gets a full frame.
  EXPECT_EQ(f.At(10, 10), Sys(clBtnHighlight));
  EXPECT_EQ(f.At(89, 10), Sys(clBtnShadow));
  EXPECT_EQ(f.At(50, 19), Sys(clBtnShadow));
  EXPECT_EQ(f.At(50, 10), 0x00C0FF);
  Fixture m(hsAuto);
  c.Place = TDgColumnPlace::Middle;
  m.d->DrawHeaderBackground(c, kCell);
  EXPECT_EQ(m.At(10, 1), 0x00C0FF); // notched corners
  EXPECT_EQ(m.At(10, 2), Sys(clBtnHighlight));
  EXPECT_EQ(m.At(89, 1), 0x00C0FF);
  EXPECT_EQ(m.At(89, 5), Sys(clBtnShadow));
  Fixture l(hsAuto);
  c.Place = TDgColumnPlace::Last;
  l.d->DrawHeaderBackground(c, kCell);
  EXPECT_EQ(l.At(89, 1), Sys(clBtnShadow)); // the last column's right edge runs full
  Fixture fi(hsAuto);
  c.Place = TDgColumnPlace::First;
  fi.d->DrawHeaderBackground(c, kCell);
  EXPECT_EQ(fi.At(10, 1), Sys(clBtnHighlight));
}

TEST(DgDisplays, ThemedDefaultUsesTheThemeStates) {
  Fixture f(hsAuto);
  FakeThemes th;
  f.d->Theme = &th;
  f.d->Themed = true;
  TDgColumnLook c = Look(TDgColumnPlace::Middle);
  f.d->DrawHeaderBackground(c, kCell);
  c.Hot = true;
  f.d->DrawHeaderBackground(c, kCell);
  c.Pressed = true;
  f.d->DrawHeaderBackground(c, kCell);
  f.d->DrawHeaderRest({90, 0, 200, 20});
  f.d->DrawIndicatorHeader({0, 0, 10, 20}, 0);
  ASSERT_EQ(th.calls.size(), 5u);
  EXPECT_EQ(th.calls[0].state, 1);
  EXPECT_EQ(th.calls[1].state, 2);
  EXPECT_EQ(th.calls[2].state, 3);
  EXPECT_EQ(th.calls[3].part, 2);
  EXPECT_EQ(th.calls[4].part, 1);
  EXPECT_EQ(f.At(100, 10), 0x00AA00);
  // Not themed: the rest is the grid's colour, the indicator a raised box.
  Fixture u(hsAuto);
  u.d->GridColor = 0x0000AA;
  u.d->DrawHeaderRest({90, 0, 200, 20});
  EXPECT_EQ(u.At(100, 10), 0x0000AA);
  u.d->DrawIndicatorHeader({0, 0, 10, 20}, 0);
  EXPECT_EQ(u.At(0, 5), Sys(clBtnHighlight));
  EXPECT_EQ(u.At(9, 5), Sys(clBtnShadow));
  u.d->DrawIndicatorHeader({0, 20, 10, 40}, 1); // footer box
  EXPECT_EQ(u.At(5, 20), Sys(clBtnShadow));
  EXPECT_EQ(u.At(5, 21), Sys(clBtnHighlight));
}

TEST(DgDisplays, OfficeGradientsAndEdges) {
  Fixture f(hsOffice2007);
  TDgColumnLook c = Look(TDgColumnPlace::Middle);
  f.d->DrawHeaderBackground(c, kCell);
  EXPECT_EQ(f.At(50, 0), 0xFFFFFF);
  EXPECT_EQ(f.At(50, 19), SchemeColor(2));
  EXPECT_EQ(f.At(89, 5), SchemeColor(10));
  EXPECT_EQ(f.At(50, 10), MixColors(clWhite, SchemeColor(11), 0.5));
  c.Pressed = true;
  c.Place = TDgColumnPlace::Last;
  f.d->DrawHeaderBackground(c, kCell);
  EXPECT_EQ(f.At(50, 0), SchemeColor(11));
  EXPECT_EQ(f.At(89, 5), SchemeColor(2));
  f.d->DrawBand({100, 0, 200, 20});
  EXPECT_EQ(f.At(150, 10), SchemeColor(11));
  Fixture g(hsOffice2010);
  g.d->DrawIndicatorHeader({0, 0, 10, 20}, 0);
  EXPECT_EQ(g.At(3, 0), SchemeColor(6));
  EXPECT_EQ(g.At(9, 3), SchemeColor(2));
  g.d->Scheme = 3; // the display's scheme picks the colours
  g.d->DrawIndicatorHeader({0, 0, 10, 20}, 0);
  EXPECT_EQ(g.At(9, 3), SchemeColor(2, 3));
  TDgColumnLook a = Look(TDgColumnPlace::First);
  TRect r = kCell;
  g.d->AdjustCaptionRect(r);
  EXPECT_EQ(r.Left, 12);
  (void)a;
}

TEST(DgDisplays, OldOutlookFlatAndVistaBoxes) {
  Fixture o(hsOldStyle);
  TDgColumnLook c = Look(TDgColumnPlace::Middle);
  c.Header.Color = 0x0000FF; // not used: old style boxes are button face
  o.d->DrawHeader(c, kCell);
  EXPECT_EQ(o.At(50, 5), Sys(clBtnFace));
  EXPECT_EQ(o.At(89, 5), Sys(clWindowFrame));
  Fixture k(hsOutlook);
  k.d->DrawHeaderBackground(c, kCell);
  EXPECT_EQ(k.At(50, 5), 0x0000FF);
  EXPECT_EQ(k.At(50, 17), BlendColor(clBtnShadow, 0x0000FF, 50));
  EXPECT_EQ(k.At(50, 19), BlendColor(clBtnShadow, 0x0000FF, 150));
  TRect r = kCell;
  k.d->AdjustCaptionRect(r);
  EXPECT_EQ(r.Bottom, 17);
  k.d->DrawIndicatorHeader({0, 20, 10, 40}, 0);
  EXPECT_EQ(k.At(4, 38), BlendColor(clBtnShadow, clBtnFace, 100));
  Fixture fl(hsFlatBorders);
  fl.d->DrawHeaderBackground(c, kCell);
  EXPECT_EQ(fl.At(89, 5), Sys(clGrayText));
  EXPECT_EQ(fl.At(50, 19), Sys(clGrayText));
  EXPECT_EQ(fl.At(50, 5), 0x0000FF);
  fl.d->DrawBand({100, 0, 200, 20});
  EXPECT_EQ(fl.At(150, 5), Sys(clBtnFace));
  Fixture v(hsVista);
  v.d->DrawHeaderBackground(c, kCell);
  EXPECT_EQ(v.At(10, 5), 0xFFFFFF);
  EXPECT_EQ(v.At(89, 5), Sys(clBtnFace));
  EXPECT_EQ(v.At(50, 5), 0xF0F0F0);
  c.Sorted = true;
  c.Ascending = false;
  v.d->DrawHeaderBackground(c, kCell);
  EXPECT_EQ(v.At(30, 0), 0xF0DCAF);
  EXPECT_EQ(v.At(30, 10), 0xFFFFFF);
  EXPECT_EQ(v.canvas.CallsOf("Polygon")[0].Points,
            (std::vector<TPoint>{{47, 0}, {50, 3}, {53, 0}}));
}

TEST(DgDisplays, IndicatorsAndRowPointer) {
  Fixture f(hsAuto);
  f.d->DrawIndicator({0, 0, 12, 20}, 0);
  EXPECT_EQ(f.At(1, 0), Sys(clBtnHighlight)); // the first row's top runs from x = 1
  EXPECT_EQ(f.At(11, 5), Sys(clBtnShadow));
  f.d->DrawIndicator({0, 20, 12, 40}, 3);
  EXPECT_EQ(f.At(1, 20), Sys(clBtnFace));
  EXPECT_EQ(f.At(5, 20), Sys(clBtnHighlight));
  f.d->DrawRowPointer({0, 0, 12, 21}, true, false);
  auto p = f.canvas.CallsOf("Polygon");
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].Points, (std::vector<TPoint>{{3, 5}, {8, 10}, {3, 15}}));
  f.d->DrawRowPointer({0, 0, 12, 21}, false, true);
  EXPECT_EQ(f.canvas.CallsOf("Invert").size(), 1u);
  Fixture v(hsVista);
  v.d->DrawIndicator({0, 0, 12, 20}, 1);
  EXPECT_EQ(v.At(5, 5), 0xF0F0F0);
  Fixture fl(hsFlatBorders);
  fl.d->DrawIndicator({0, 0, 12, 20}, 1);
  EXPECT_EQ(fl.At(11, 5), Sys(clGrayText));
}

TEST(DgDisplays, FooterAndInputCell) {
  Fixture f(hsAuto);
  TDgColumnLook c = Look(TDgColumnPlace::Middle);
  c.Footer.Caption = u"1234.5";
  c.Footer.Color = 0x00FFFF;
  c.FormatMask = "#,##0.00";
  c.FormatMaskKind = mkFloat;
  c.TextBefore = u"\u03A3 ";
  c.TextAfter = u" мб";
  f.d->DrawFooter(c, kCell, true);
  auto t = f.canvas.CallsOf("Text");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].Text, u"\u03A3 1 234.50 мб");
  EXPECT_EQ(f.At(50, 5), 0x00FFFF);
  EXPECT_EQ(f.At(89, 5), Sys(clBtnFace));                // grid lines
  EXPECT_EQ(f.canvas.ClipBox(), (TRect{0, 0, 200, 40})); // clip given back
  // Input cell: active and focused is highlighted; locked is framed grey.
  c.InputText = u"abc";
  f.canvas.ClearCalls();
  f.d->DrawInputCell(c, kCell, true, true, false);
  EXPECT_EQ(f.At(50, 5), Sys(clHighlight));
  EXPECT_EQ(f.canvas.CallsOf("Text")[0].Color, clHighlightText);
  c.InputLocked = true;
  c.Color = 0x00FF00;
  f.canvas.ClearCalls();
  f.d->DrawInputCell(c, kCell, true, true, false);
  EXPECT_EQ(f.canvas.CallsOf("FrameRect").size(), 1u);
  EXPECT_EQ(f.canvas.CallsOf("Text")[0].Color, clGrayText);
  c.InputLocked = false;
  c.InputText.clear();
  c.InputCaption = u"Ввод";
  f.canvas.ClearCalls();
  f.d->DrawInputCell(c, kCell, false, true, true);
  EXPECT_EQ(f.At(50, 5), Sys(clBtnFace));
  auto in = f.canvas.CallsOf("Text");
  EXPECT_EQ(in[0].Text, u"Ввод");
  EXPECT_EQ(in[0].Flags & 3u, 1u); // centred
  EXPECT_EQ(f.At(89, 5), Sys(clHighlight));
}

TEST(DgDisplays, GlyphsAndVerticalCaptions) {
  Fixture f(hsFlatBorders);
  TDgPixmap glyph(4, 4, 0x00FF00FF); // all of it the transparent colour...
  glyph.At(1, 1) = 0x00000000;       // ...but one pixel
  TDgColumnLook c = Look(TDgColumnPlace::Middle, u"ab");
  c.Header.Glyph = &glyph;
  c.Header.DisplayMode = dmTextAndImage;
  f.d->DrawHeaderContent(c, kCell);
  EXPECT_EQ(f.At(14, 9), 0x000000); // glyph at left + 3, vertically centred
  EXPECT_EQ(f.At(13, 8), 0x123456); // transparent pixels leave the background
  EXPECT_EQ(f.canvas.CallsOf("Text")[0].R.Left, 13 + 4 + 2);
  c.Header.DisplayMode = dmImageOnly;
  f.canvas.ClearCalls();
  f.d->DrawHeaderContent(c, kCell);
  EXPECT_TRUE(f.canvas.CallsOf("Text").empty());
  c.Header.DisplayMode = dmTextOnly;
  c.Vertical = true;
  f.canvas.ClearCalls();
  f.d->DrawHeaderContent(c, kCell);
  EXPECT_EQ(f.canvas.CallsOf("Text")[0].Value, 900);
  c.Vertical = false;
  c.MultiLine = true;
  f.d->RightToLeft = true;
  f.canvas.ClearCalls();
  f.d->DrawHeaderContent(c, kCell);
  EXPECT_EQ(f.canvas.CallsOf("Text")[0].Flags, 0x28A04u);
}
