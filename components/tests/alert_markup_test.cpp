// The markup renderer on a surface of fixed metrics (7 x 13 pixels a
// character): entities, tags, wrapping, measuring, hit tests and escaping.
#include <gtest/gtest.h>

#include <random>

#include "components/AlertMarkup.h"
#include "components/tests/FakeMarkupSurface.h"

using namespace markup;

namespace {

struct Render {
  FakeMarkupSurface s;
  MarkupParams p;
  MarkupResult r;
  bool hit = false;
  // Bounds 0..101 wide: the text starts at x 1, so 100 pixels (14 characters) a line.
  TRect bounds = Rect(0, 0, 101, 1000);
  Render& Go(const std::string& text) {
    hit = DrawMarkup(s, text, bounds, p, r);
    return *this;
  }
  std::vector<int> LineTops() const {
    std::vector<int> tops;
    for (const auto& d : s.Runs)
      if (tops.empty() || tops.back() != d.R.Top) tops.push_back(d.R.Top);
    return tops;
  }
};

} // namespace

TEST(AlertMarkupEntities, DecodedOnceAndNeverReadAsMarkup) {
  Render a;
  a.Go("&lt;b&gt;x");
  EXPECT_EQ(a.r.PlainText, "<b>x");
  ASSERT_EQ(a.s.Runs.size(), 1u);
  EXPECT_FALSE(a.s.Runs[0].F.Bold);
  Render b;
  b.Go("&amp;lt; &amp;amp;");
  EXPECT_EQ(b.r.PlainText, "&lt; &amp;");
  EXPECT_EQ(b.s.Text(), "&&lt; &&amp;"); // the ampersand is drawn, not a prefix
  Render c;
  c.Go("&EURO;&sect;&permil;&reg;&copy;&para;&trade;&quot;&nbsp;");
  EXPECT_EQ(c.r.PlainText, "\x88\xA7\x89\xAE\xA9\xB6\x99\" ");
}

TEST(AlertMarkupEntities, BareAmpersandUnderlinesTheNextCharacter) {
  Render a;
  a.Go("a&b &&c");
  EXPECT_EQ(a.s.Text(), "a&b &&c"); // passed on for the platform to underline
  EXPECT_EQ(a.r.PlainText, "ab &c");
  EXPECT_EQ(a.r.TextWidth, 5 * 7);
}

TEST(AlertMarkupEscape, AnyTextShowsExactlyAsGiven) {
  EXPECT_EQ(EscapeMarkup("Ария & <live>\r\n"), "Ария &amp; &lt;live&gt;  ");
  std::mt19937 rng(7);
  const std::string pool = "ab &<>\"'#;\x80\xC0\xFF\xE9/=";
  for (int round = 0; round < 300; ++round) {
    std::string s;
    const int n = static_cast<int>(rng() % 60);
    for (int i = 0; i < n; ++i) {
      unsigned pick = rng() % 3;
      char c = pick == 0 ? static_cast<char>(0x80 + rng() % 0x80) : pool[rng() % pool.size()];
      if (pick == 2) c = static_cast<char>(rng() % 256);
      if (c == '\r' || c == '\n') c = 'x';
      s.push_back(c);
    }
    Render m;
    m.p.MeasureOnly = true;
    m.Go(EscapeMarkup(s));
    ASSERT_EQ(m.r.PlainText, s) << "round " << round;
  }
}

TEST(AlertMarkupLines, WordsWrapAtSpacesOnExactWidths) {
  Render a;
  // 14 characters a line. "aaaa bbbb cccc " would end at 105 with its
  // trailing space: "cccc" opens the second line, which it fills exactly.
  a.Go("aaaa bbbb cccc dddd eeee");
  EXPECT_EQ(a.LineTops(), (std::vector<int>{0, 13}));
  ASSERT_EQ(a.s.Runs.size(), 5u);
  EXPECT_EQ(a.s.Runs[2].Run, "cccc ");
  EXPECT_EQ(a.s.Runs[2].R.Top, 13);
  EXPECT_EQ(a.r.TextHeight, 26);
  EXPECT_EQ(a.r.TextWidth, 14 * 7);
  EXPECT_EQ(a.r.PlainText, "aaaa bbbb cccc dddd eeee"); // each line once
}

TEST(AlertMarkupLines, ARunAtLeastAsWideAsTheLineStaysWhereItStands) {
  Render a;
  a.Go("ab cdefghijklmnopqrstuvw xy");
  ASSERT_EQ(a.s.Runs.size(), 3u);
  EXPECT_EQ(a.s.Runs[1].Run, "cdefghijklmnopqrstuvw ");
  EXPECT_EQ(a.s.Runs[1].R.Top, 0); // after "ab ", not on a line of its own
  EXPECT_EQ(a.s.Runs[1].R.Left, 1 + 3 * 7);
  EXPECT_EQ(a.s.Runs[2].R.Top, 13);
  // An image as wide as the line, too; a narrower one that does not fit
  // what is left goes to the next line.
  Render b;
  b.s.Images["wide"] = ImageInfo{false, 100, 20, 0, 0};
  b.s.Images["half"] = ImageInfo{false, 60, 20, 0, 0};
  b.Go("ab <IMG src=\"wide\"><IMG src=\"half\">");
  ASSERT_EQ(b.s.ImagesDrawn.size(), 2u);
  EXPECT_EQ(b.s.ImagesDrawn[0], Rect(1 + 21, 0, 1 + 121, 20));
  EXPECT_EQ(b.s.ImagesDrawn[1], Rect(1, 20, 61, 40));
}

TEST(AlertMarkupLines, BreaksAndLineFeeds) {
  Render a;
  a.Go("one\r\ntwo\nthree<BR>four");
  EXPECT_EQ(a.LineTops(), (std::vector<int>{0, 13, 26}));
  EXPECT_EQ(a.r.PlainText, "one\rtwothree\rfour");
}

TEST(AlertMarkupLines, EmptyTextMeasuresOneLineHigh) {
  Render a;
  a.Go("");
  EXPECT_EQ(a.r.TextHeight, 13);
  EXPECT_EQ(a.r.TextWidth, 0);
  EXPECT_TRUE(a.s.Runs.empty());
}

TEST(AlertMarkupLines, ZeroAndNegativeBoundsEnd) {
  for (TRect b : {Rect(0, 0, 0, 0), Rect(50, 50, 10, 10), Rect(0, 0, 1, 1000)}) {
    for (bool measure : {false, true}) {
      Render a;
      a.bounds = b;
      a.p.MeasureOnly = measure;
      a.Go("some words <b>in bold</b> and <UL><LI>a list</UL> end");
      EXPECT_GE(a.r.TextHeight, 13);
    }
  }
}

TEST(AlertMarkupLines, WithoutWrapTheLineIsCutWithAnEllipsis) {
  Render a;
  a.p.WordWrap = false;
  a.Go("a very long line of text here <b>dropped</b><BR>next");
  ASSERT_GE(a.s.Runs.size(), 2u);
  EXPECT_TRUE(a.s.Runs[0].Ellipsis);
  EXPECT_EQ(a.s.Runs[0].R.Right, 101);
  EXPECT_EQ(a.s.Runs.back().Run, "next");
  EXPECT_EQ(a.s.Runs.back().R.Top, 13);
  for (const auto& d : a.s.Runs) EXPECT_NE(d.Run, "dropped");
}

TEST(AlertMarkupLines, RightAndCentreAlignment) {
  Render a;
  a.Go("<P align=\"right\">abc</P><P align=\"center\">abcd</P>");
  ASSERT_EQ(a.s.Runs.size(), 2u);
  EXPECT_EQ(a.s.Runs[0].R.Left, 101 - 21);
  EXPECT_EQ(a.s.Runs[1].R.Left, 1 + (100 - 28) / 2);
}

TEST(AlertMarkupTags, FontsStylesAndColours) {
  Render a;
  a.Go(
      "<b>b</b><i>i</i><u>u</u><s>s</s><font size=\"3\">x</font><font size=\"9\">y</font>"
      "<font color=\"#ff0000\">r</font><font color=\"#F\">k</font><font "
      "color=\"clBtnFace\">f</font>");
  ASSERT_EQ(a.s.Runs.size(), 9u);
  EXPECT_TRUE(a.s.Runs[0].F.Bold);
  EXPECT_TRUE(a.s.Runs[1].F.Italic);
  EXPECT_TRUE(a.s.Runs[2].F.Underline);
  EXPECT_TRUE(a.s.Runs[3].F.StrikeOut);
  EXPECT_EQ(a.s.Runs[4].F.Height, -16); // 12 points
  EXPECT_EQ(a.s.Runs[5].F.Height, -12); // 9 points
  EXPECT_EQ(a.s.Runs[6].Text, 0x0000FF);
  EXPECT_EQ(a.s.Runs[7].Text, 0);
  EXPECT_EQ(a.s.Runs[8].Text, static_cast<Color>(0xFF00000F));
  EXPECT_FALSE(a.s.Runs[8].F.Bold);
}

TEST(AlertMarkupTags, ColourHelpers) {
  EXPECT_EQ(ParseHexColor("#FF0000"), 0x0000FF);
  EXPECT_EQ(ParseHexColor("#00ff80"), 0x80FF00);
  EXPECT_EQ(ParseHexColor("#"), 0);
  EXPECT_EQ(ParseHexColor("#F"), 0);
  EXPECT_EQ(ParseHexColor("#GG0000"), 0);
  // Missing pairs read as 0.
  EXPECT_EQ(ParseHexColor("#FF"), 0x0000FF);
  EXPECT_EQ(ParseHexColor("#00FF"), 0x00FF00);
  EXPECT_EQ(ParseHexColor("#FFF"), 0x0000FF);
  EXPECT_EQ(ParseHexColor("#0000FF"), 0xFF0000);
  EXPECT_EQ(ParseColorName("CLRED"), 0x0000FF);
  EXPECT_EQ(ParseColorName("clinfobk"), static_cast<Color>(0xFF000018));
  EXPECT_EQ(ParseColorName("\xC0\xE1"), 0);
  EXPECT_EQ(PosNoCase("COLOR", "font color="), 6);
  EXPECT_EQ(SaturatedNumber("99999999999999"), 2147483647);
  EXPECT_EQ(SaturatedNumber("-99999999999999"), -2147483647 - 1);
}

TEST(AlertMarkupTags, SizeZeroAndHiddenText) {
  Render a;
  a.Go("<font size=\"0\">x</font>a<Z>hidden</Z>b");
  ASSERT_EQ(a.s.Runs.size(), 3u);
  EXPECT_EQ(a.s.Runs[0].F.Height, 0); // the font mapper's own size
  EXPECT_EQ(a.s.Runs[2].Run, "b");
  EXPECT_EQ(a.s.Runs[2].R.Left, 1 + 2 * 7); // the hidden text takes no room
  EXPECT_EQ(a.r.PlainText, "xahiddenb");
  EXPECT_EQ(a.r.TextWidth, 3 * 7);
}

TEST(AlertMarkupTags, RotatedFontsNestAndTheCanvasFontComesBack) {
  Render a;
  a.Go("<R A=\"90\">x<R A=\"45\">y</R>z</R>w<R A=\"30\">unclosed<R A=\"60\">");
  ASSERT_EQ(a.s.Runs.size(), 5u);
  EXPECT_EQ(a.s.Runs[0].F.Escapement, 900);
  EXPECT_EQ(a.s.Runs[1].F.Escapement, 450);
  EXPECT_EQ(a.s.Runs[2].F.Escapement, 900);
  EXPECT_EQ(a.s.Runs[3].F.Escapement, 0);
  EXPECT_EQ(a.s.Current, a.s.Base); // RestoreFont ran
}

TEST(AlertMarkupTags, NumbersSaturateAndNegativeIndexesDrawNothing) {
  Render a;
  a.s.Images["IDX:0"] = ImageInfo{false, 16, 16, 0, 0};
  a.Go(
      "<font size=\"99999999999\">x</font><IMG src=\"IDX:-1\"><IMG src=\"idx:0\" "
      "width=\"99999999999\" height=\"99999999999\"><IND x=\"99999999999\">y<P indent=\"-5\">z");
  EXPECT_EQ(a.s.ImagesDrawn.size(), 1u);
}

TEST(AlertMarkupTags, ListsIndentAndBullet) {
  Render a;
  a.Go("<UL><LI>one<LI>two</UL>after");
  // Bullet glyph, then the item, per line.
  ASSERT_GE(a.s.Runs.size(), 5u);
  EXPECT_EQ(a.s.Runs[0].Run, "\xB7");
  EXPECT_EQ(a.s.Runs[0].F.Name, "Symbol");
  EXPECT_EQ(a.s.Runs[1].Run, "one");
  EXPECT_EQ(a.s.Runs[1].R.Left, 1 + 12);
  EXPECT_EQ(a.s.Runs[3].Run, "two");
  EXPECT_GT(a.s.Runs[3].R.Top, a.s.Runs[1].R.Top);
  EXPECT_EQ(a.s.Runs.back().Run, "after");
}

TEST(AlertMarkupAnchors, HoverStyleUnderlinesOnlyTheHoveredAnchor) {
  Render a;
  a.p.HoverStyle = true;
  a.p.HoverAnchorIndex = 2;
  a.Go("<A href=\"1\">one</A> <A href=\"2\">two</A>");
  ASSERT_EQ(a.s.Runs.size(), 3u);
  EXPECT_FALSE(a.s.Runs[0].F.Underline);
  EXPECT_TRUE(a.s.Runs[2].F.Underline);
  EXPECT_EQ(a.r.AnchorCount, 2);
}

TEST(AlertMarkupAnchors, AnchorCountIsTheAnchorsMetInEveryMode) {
  const std::string text = "<A href=\"1\">one</A> and <A href=\"2\">two</A><BR><A href=\"3\">x</A>";
  Render measure;
  measure.p.MeasureOnly = true;
  EXPECT_EQ(measure.Go(text).r.AnchorCount, 3);
  Render hitTest;
  hitTest.p.HitTestOnly = true;
  EXPECT_EQ(hitTest.Go(text).r.AnchorCount, 3);
  // Drawing stops below the bounds: only the anchors of the lines shown count.
  Render oneLine;
  oneLine.bounds = Rect(0, 0, 101, 20);
  EXPECT_EQ(oneLine.Go(text).r.AnchorCount, 2);
  // Counted anew by each render, not added to the last one.
  EXPECT_EQ(oneLine.Go("no anchors").r.AnchorCount, 0);
}

TEST(AlertMarkupAnchors, HitTestFindsTheAnchorAndItsRectangle) {
  Render a;
  a.p.HitTestOnly = true;
  a.p.MouseX = 1 + 7 * 5 + 3; // over "link"
  a.p.MouseY = 5;
  a.Go("text <A href=\"go:here\">link</A> more");
  EXPECT_TRUE(a.hit);
  EXPECT_EQ(a.r.HitAnchor, "go:here");
  EXPECT_EQ(a.r.HitAnchorIndex, 1);
  EXPECT_EQ(a.r.HitAnchorRect, Rect(36, 0, 64, 13));
  EXPECT_TRUE(a.s.Runs.empty());
  Render miss;
  miss.p.HitTestOnly = true;
  miss.p.MouseX = 3;
  miss.p.MouseY = 5;
  miss.Go("text <A href=\"go:here\">link</A> more");
  EXPECT_FALSE(miss.hit);
  EXPECT_EQ(miss.r.HitAnchorIndex, -1);
}

TEST(AlertMarkupAnchors, TheTextHitBandIsAsHighAsGhAboveTheLineBottom) {
  // Runs of a large font are 30 high; "gh" in the line's font is 13.
  struct Tall : FakeMarkupSurface {
    TSize MeasureRun(const std::string& run) override {
      TSize size = FakeMarkupSurface::MeasureRun(run);
      if (Current.Height < -20) size.cy = 30;
      return size;
    }
  };
  const std::string text = "<A href=\"go\"><font size=\"30\">big</font></A>";
  for (int y : {10, 20}) {
    Tall s;
    MarkupParams p;
    p.HitTestOnly = true;
    p.MouseX = 5;
    p.MouseY = y;
    MarkupResult r;
    EXPECT_EQ(DrawMarkup(s, text, Rect(0, 0, 101, 1000), p, r), y > 30 - 13) << y;
  }
}

TEST(AlertMarkupImages, PlacedScaledAndWrapped) {
  Render a;
  a.s.Images["cat"] = ImageInfo{false, 40, 30, 2, 3};
  a.Go("ab<IMG src=\"cat\">cd<IMG src=\"missing\"><IMG src=\"cat\"><IMG src=\"cat\">");
  ASSERT_EQ(a.s.ImagesDrawn.size(), 3u);
  EXPECT_EQ(a.s.ImagesDrawn[0], Rect(15 + 2, 3, 15 + 42, 33));
  // The third picture does not fit after the second: next line, 30 high.
  EXPECT_EQ(a.s.ImagesDrawn[2].Top, 30 + 3);
  EXPECT_EQ(a.r.TextHeight, 60);
}

TEST(AlertMarkupImages, AltUnderTheMouseAndPrintScaled) {
  const std::string text = "<A href=\"go\"><IMG src=\"small\" alt=\"big\"></A>";
  Render hit;
  hit.s.Images["small"] = ImageInfo{false, 20, 10, 0, 0};
  hit.s.Images["big"] = ImageInfo{false, 40, 30, 0, 0};
  hit.p.HitTestOnly = true;
  hit.p.MouseX = 5;
  hit.p.MouseY = 5;
  hit.Go(text);
  EXPECT_TRUE(hit.hit);
  EXPECT_EQ(hit.r.HitImageIndex, 1);
  Render shown;
  shown.s.Images = hit.s.Images;
  shown.p.ImageUnderMouse = hit.r.HitImageIndex;
  shown.Go(text);
  ASSERT_EQ(shown.s.ImagesDrawn.size(), 1u);
  EXPECT_EQ(shown.s.ImagesDrawn[0], Rect(1, 0, 41, 30)); // the "ALT" picture
  // Printing: list pictures drawn ImageScale times their size; the layout
  // keeps their own size.
  Render print;
  print.s.Images["IDX:0"] = ImageInfo{false, 16, 16, 0, 0};
  print.p.PrintScaled = true;
  print.p.ImageScale = 2.0;
  print.Go("<IMG src=\"IDX:0\">x");
  ASSERT_EQ(print.s.ImagesDrawn.size(), 1u);
  EXPECT_EQ(print.s.ImagesDrawn[0], Rect(1, 0, 33, 32));
  EXPECT_EQ(print.s.Runs[0].R.Left, 1 + 16);
}

TEST(AlertMarkupGradient, BandsFromStartToEndColour) {
  auto bands = GradientBands(0x000000, 0xFFFFFF, false, Rect(0, 0, 300, 100), 80, false);
  ASSERT_EQ(bands.size(), 80u);
  EXPECT_EQ(bands[0].BandColor, 0);
  EXPECT_EQ(bands[0].Rect, Rect(0, 0, 300, 2));
  EXPECT_EQ(bands[79].BandColor & 0xFF, 252);
  EXPECT_EQ(bands[79].Rect.Top, 99);
  auto clipped = GradientBands(0, 0xFF, true, Rect(10, 0, 74, 8), 64, true);
  EXPECT_EQ(clipped.back().Rect.Right, 74);
  EXPECT_EQ(GradientBands(0, 0, true, Rect(0, 0, 10, 10), 0, false).size(), 1u);
}

TEST(AlertMarkupGradient, FramedFillOutlinesTheRectangleOnlyWithAColour) {
  FakeMarkupSurface plain;
  GradientFillFramed(plain, 0x000000, 0xFFFFFF, true, Rect(10, 20, 74, 28), 64, kNone);
  ASSERT_EQ(plain.Fills.size(), 64u);
  EXPECT_EQ(plain.Fills.front().Left, 10);
  EXPECT_EQ(plain.Fills.back().Right, 74); // clipped to the far edge
  EXPECT_EQ(plain.FillColors.back(), GradientBands(0, 0xFFFFFF, true, Rect(10, 20, 74, 28), 64,
                                                   true).back().BandColor);
  EXPECT_TRUE(plain.Lines.empty());

  FakeMarkupSurface framed;
  GradientFillFramed(framed, 0x000000, 0xFFFFFF, false, Rect(10, 20, 74, 28), 8, kRed);
  EXPECT_EQ(framed.Fills.size(), 8u);
  // Drawn after the bands, over the outermost pixels: (10, 20) to (73, 27).
  using Seg = std::pair<TPoint, TPoint>;
  EXPECT_EQ(framed.Lines, (std::vector<Seg>{{TPoint{10, 20}, TPoint{73, 20}},
                                             {TPoint{73, 20}, TPoint{73, 27}},
                                             {TPoint{73, 27}, TPoint{10, 27}},
                                             {TPoint{10, 27}, TPoint{10, 20}}}));
  EXPECT_EQ(framed.LineColors, std::vector<Color>(4, kRed));

  FakeMarkupSurface empty;
  GradientFillFramed(empty, 0, 0, true, Rect(5, 5, 5, 9), 4, kRed);
  EXPECT_TRUE(empty.Lines.empty()); // no pixels, no frame
}
