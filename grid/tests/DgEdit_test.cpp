// The editors' portable rules: margins with a glyph and a preview, the left
// strip, typed values of the text; and the grid's incremental search.
#include "grid/DgEdit.h"

#include <gtest/gtest.h>

#include <vector>

#include "grid/DgGridKeysSearch.h"

namespace {

TEST(EditMargins, PreviewAndGlyphWidenTheLeftMargin) {
  int l = 0, r = 3;
  DgEditLayout::AdjustMargins(true, 0, l, r);
  EXPECT_EQ(25, l);
  EXPECT_EQ(3, r); // the right margin is the edit's own
  l = 1;           // a text column's editor
  DgEditLayout::AdjustMargins(true, 0, l, r);
  EXPECT_EQ(27, l);
  l = 1;
  DgEditLayout::AdjustMargins(false, 16, l, r);
  EXPECT_EQ(21, l); // 16 + 4 of air + the edit's own 1
  l = 0;
  DgEditLayout::AdjustMargins(false, 0, l, r);
  EXPECT_EQ(0, l);
}

TEST(EditMargins, ChangesReachTheOwner) {
  TDgEditMargins m;
  int changes = 0;
  m.OnChange = [&] { ++changes; };
  m.SetLeft(4);
  m.SetRight(2);
  TDgEditMargins copy;
  copy.Assign(&m);
  EXPECT_EQ(2, changes);
  EXPECT_EQ(4, copy.Left());
  EXPECT_EQ(2, copy.Right());
}

TEST(EditLayout, InfoStripFollowsGlyphAndPreview) {
  EXPECT_FALSE(DgEditLayout::InfoShown(false, 0));
  EXPECT_EQ(0, DgEditLayout::InfoBounds(false, 0, 18).Width());
  EXPECT_EQ(20, DgEditLayout::InfoBounds(false, 16, 18).Width());
  EXPECT_EQ(40, DgEditLayout::InfoBounds(true, 16, 18).Width());
  EXPECT_EQ(18, DgEditLayout::InfoBounds(true, 0, 18).Height());
  // The preview box stands right of the glyph, 20 wide.
  TRect p = DgEditLayout::PreviewRect(TRect{0, 0, 100, 18}, 16);
  EXPECT_EQ(20, p.Left);
  EXPECT_EQ(40, p.Right);
  // A 16-pixel glyph in an 18-pixel strip starts one pixel down.
  EXPECT_EQ(1, DgEditLayout::GlyphTop(18, 16));
  // The strip counts two pixels past the info control's right edge, and
  // only those two without a visible one.
  EXPECT_TRUE(DgEditLayout::InLeftStrip(22, true, TRect{0, 0, 20, 18}));
  EXPECT_FALSE(DgEditLayout::InLeftStrip(23, true, TRect{0, 0, 20, 18}));
  EXPECT_TRUE(DgEditLayout::InLeftStrip(2, false, TRect{0, 0, 20, 18}));
  EXPECT_FALSE(DgEditLayout::InLeftStrip(3, false, TRect{0, 0, 20, 18}));
  EXPECT_EQ(2u, DgEditLayout::AlignmentStyle(taRightJustify));
  EXPECT_EQ(1u, DgEditLayout::AlignmentStyle(taCenter));
  EXPECT_EQ(0u, DgEditLayout::AlignmentStyle(taLeftJustify));
}

TEST(EditValue, ConversionsAndTheirFailures) {
  EXPECT_EQ(0, DgEditValue::AsDateTime(u""));
  EXPECT_THROW(DgEditValue::AsInteger(u"abc"), EConvertError);
  EXPECT_THROW(DgEditValue::AsFloat(u"1,2,3"), EConvertError);
  EXPECT_EQ(-42, DgEditValue::AsInteger(u"-42"));
  EXPECT_TRUE(DgEditValue::AsBoolean(u"True"));
  EXPECT_EQ(u"False", DgEditValue::FromBoolean(false));
  EXPECT_EQ(u"17", DgEditValue::FromInteger(17));
  EXPECT_DOUBLE_EQ(2.5, DgEditValue::AsFloat(DgEditValue::FromFloat(2.5)));
}

struct Rows {
  std::vector<WideString> text;
  std::vector<bool> shown;
  int Find(const TDgIncrementalSearch& s, int from) const {
    return s.Find(
        static_cast<int>(text.size()), from, [&](int r) { return shown[r]; },
        [&](int r) { return text[r]; });
  }
};

TEST(IncrementalSearch, FindsAfterTheSelectionThenWraps) {
  Rows rows{{u"alpha", u"beta", u"almond", u"gamma"}, {true, true, true, true}};
  TDgIncrementalSearch s;
  EXPECT_EQ(-1, rows.Find(s, 0)); // nothing typed yet
  s.Append(u'a');
  EXPECT_EQ(2, rows.Find(s, 0));  // after the selected row first
  EXPECT_EQ(0, rows.Find(s, 2));  // then from the top
  EXPECT_EQ(0, rows.Find(s, -1)); // no selection: from the top
  s.Append(u'L');
  s.Append(u'p');
  EXPECT_EQ(0, rows.Find(s, 0)); // the selected row itself comes last
  s.Append(u'x');
  EXPECT_EQ(-1, rows.Find(s, 0));
  s.Clear();
  EXPECT_TRUE(s.Text().empty());
}

TEST(IncrementalSearch, FoldsCaseOnUtf16AndSkipsHiddenRows) {
  Rows rows{{u"Юпитер", u"юла", u"Ёлка", u"Émile"}, {true, false, true, true}};
  TDgIncrementalSearch s;
  s.Append(u'ю');
  EXPECT_EQ(0, rows.Find(s, 0)); // row 1 also matches but is hidden
  s.Clear();
  s.Append(u'ё');
  EXPECT_EQ(2, rows.Find(s, 0));
  s.Clear();
  s.Append(u'é');
  EXPECT_EQ(3, rows.Find(s, 0));
  EXPECT_FALSE(TDgIncrementalSearch::BeginsWith(u"a", u"ab"));
}

} // namespace
