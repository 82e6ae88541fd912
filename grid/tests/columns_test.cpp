// Columns: defaults, widths and auto-size, the one-of rules (search column,
// sorted column), display texts and text flags, parts and their Assign, the
// change codes the grid hears, and the collection's orders.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include "classlib/SysUtils.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgColumns.h"

namespace {

struct FakeHost : TDgColumnsHost {
  int client_width = 0;
  bool indicator = false;
  bool loading = false;
  int scroll = 0;
  TDgFont font;
  bool ColumnsLoading() const override { return loading; }
  const TDgFont* GridFont() const override { return &font; }
  int ClientWidth() const override { return client_width; }
  bool HasIndicator() const override { return indicator; }
  int ColumnsOrigin() const override { return indicator ? TDgColumns::IndicatorWidth : 0; }
  int HorzScrollPosition() const override { return scroll; }
  void BandSpan(int Kind, int& Top, int& Bottom) const override {
    Top = 10;
    Bottom = 40;
  }
};

struct Grid {
  FakeHost host;
  std::unique_ptr<TDgColumns> cols{new TDgColumns(nullptr, &host)};
  std::vector<std::tuple<int, int, int>> changes; // (index, value, kind)
  std::vector<std::pair<int, int>> refreshes;     // (index, code)
  std::vector<std::pair<int, int>> collection;    // (kind, index)
  Grid() {
    cols->OnColumnChanged = [this](TDgCustomColumn* c, int v, int k) {
      changes.emplace_back(c->Index(), v, k);
    };
    cols->OnColumnRefresh = [this](TDgCustomColumn* c, int code) {
      refreshes.emplace_back(c->Index(), code);
    };
    cols->OnColumnsChanged = [this](int k, int i) { collection.emplace_back(k, i); };
  }
  TDgTextColumn* Add(int width = 80) {
    auto* c = new TDgTextColumn();
    cols->Add(c);
    c->SetWidth(width);
    return c;
  }
  bool Heard(int kind) const {
    for (auto& t : changes)
      if (std::get<2>(t) == kind) return true;
    return false;
  }
};

TEST(Columns, NewTextColumnDefaults) {
  TDgTextColumn c;
  EXPECT_EQ(c.Width(), 80);
  EXPECT_TRUE(c.Visible());
  EXPECT_EQ(c.Alignment(), taLeftJustify);
  EXPECT_EQ(c.VerticalAlignment(), taVerticalCenter);
  EXPECT_EQ(c.WrapKind(), wkEllipsis);
  EXPECT_EQ(c.SortType(), stAlphabetic);
  EXPECT_EQ(c.SortKind(), skAscending);
  EXPECT_TRUE(c.Options().Contains(coCanSort));
  EXPECT_TRUE(c.Options().Contains(coShowTextFitHint));
  EXPECT_EQ(c.Header()->Color(), clBtnFace);
  EXPECT_EQ(c.Footer()->Color(), clWindow);
  EXPECT_EQ(c.Color(), static_cast<TColor>(0xFF000005));
  EXPECT_EQ(c.CellKind(), DgCellKind::Text);
  EXPECT_EQ(c.MinWidth(), 8);
  EXPECT_EQ(c.Position(), -1);
  EXPECT_EQ(c.CapabilityFlags(), 42);
  TDgCustomColumn base;
  EXPECT_FALSE(base.Options().Contains(coShowTextFitHint));
  EXPECT_EQ(base.InputMode(), 0); // no editing capability, no editor
  EXPECT_EQ(c.InputMode(), 2);
  c.SetOptions(c.Options() + TColumnOptions{coEditing});
  EXPECT_EQ(c.InputMode(), 3);
  c.SetEnabled(false);
  EXPECT_EQ(c.InputMode(), 0);
}

TEST(Columns, WidthNeverBelowMinWidthNorZero) {
  Grid g;
  TDgTextColumn* c = g.Add();
  c->SetWidth(3);
  EXPECT_EQ(c->Width(), 8);
  EXPECT_EQ(std::get<1>(g.changes.back()), 8 - 80); // the real difference
  c->SetMinWidth(-5);
  c->SetWidth(-20);
  EXPECT_EQ(c->Width(), 0);
}

TEST(Columns, AutoSizeSharesFreeWidthByWidth) {
  Grid g;
  g.host.client_width = 800;
  TDgTextColumn* a = g.Add(100);
  TDgTextColumn* b = g.Add(300);
  g.host.loading = true; // set both options without sizing in between
  a->SetOptions(a->Options() + TColumnOptions{coAutoSize});
  b->SetOptions(b->Options() + TColumnOptions{coAutoSize});
  g.host.loading = false;
  g.cols->AutoSize(nullptr, false);
  EXPECT_EQ(a->Width(), 200);
  EXPECT_EQ(b->Width(), 600);
  EXPECT_EQ(b->Left(), 200);
}

TEST(Columns, AutoSizeWithNothingToShareLeavesWidths) {
  Grid g;
  g.host.client_width = 100;
  TDgTextColumn* a = g.Add(50);
  TDgTextColumn* fixed = g.Add(300);
  a->SetMinWidth(0);
  a->SetWidth(0);
  g.host.loading = true;
  a->SetOptions(a->Options() + TColumnOptions{coAutoSize});
  g.host.loading = false;
  g.cols->AutoSize(nullptr, false); // auto widths sum to 0: skipped
  EXPECT_EQ(a->Width(), 0);
  a->SetWidth(40); // free width 100 - 300 is negative: none below 0
  g.cols->AutoSize(nullptr, false);
  EXPECT_EQ(a->Width(), 0);
  EXPECT_EQ(fixed->Width(), 300);
}

TEST(Columns, OneSearchColumnAndOneSortedColumn) {
  Grid g;
  TDgTextColumn* a = g.Add();
  TDgTextColumn* b = g.Add();
  a->SetOptions(a->Options() + TColumnOptions{coSearchColumn});
  b->SetOptions(b->Options() + TColumnOptions{coSearchColumn});
  EXPECT_FALSE(a->Options().Contains(coSearchColumn));
  EXPECT_TRUE(b->Options().Contains(coSearchColumn));
  g.changes.clear();
  a->SetSorted(true);
  b->SetSorted(true);
  EXPECT_FALSE(a->Sorted());
  EXPECT_TRUE(b->Sorted());
  // a became sorted (4), then lost it (8) before b became sorted (4).
  ASSERT_EQ(g.changes.size(), 3u);
  EXPECT_EQ(g.changes[1], std::make_tuple(0, -1, DgColumnChange::Unsorted));
  EXPECT_EQ(g.changes[2], std::make_tuple(1, -1, DgColumnChange::BecameSorted));
}

TEST(Columns, PasswordCharHidesEveryShownCharacter) {
  TDgTextColumn c;
  c.SetTextBefore(u"<");
  c.SetTextAfter(u">");
  TDgCellValue v;
  v.Text = u"abc";
  EXPECT_EQ(c.DisplayText(v), u"<abc>");
  c.SetPasswordChar(u'*');
  EXPECT_EQ(c.DisplayText(v), u"*****");
  EXPECT_EQ(c.DisplayTextCopy(v), u"*****");
}

TEST(Columns, TextFlags) {
  TDgTextColumn c;
  EXPECT_EQ(c.TextFlags(true), 0x0800u + 0x0004u + 0x8000u + 0x0020u);
  EXPECT_EQ(c.TextFlags(false), 0x0800u + 0x0004u + 0x0020u);
  c.SetAlignment(taRightJustify);
  c.SetVerticalAlignment(taAlignTop);
  c.SetWrapKind(wkWordWrap);
  EXPECT_EQ(c.TextFlags(true), 0x0800u + 0x0002u + 0x0010u);
  c.SetWrapKind(wkPathEllipsis);
  c.SetMultiLine(true);
  c.SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(c.TextFlags(true), 0x20800u + 0x0002u + 0x4000u);
}

TEST(Columns, FooterAndHeaderAssignCopyEachFromItself) {
  TDgTextColumn a, b;
  a.Footer()->SetTextBefore(u"до");
  a.Footer()->SetTextAfter(u"после");
  a.Footer()->SetFormulaKind(fkSum);
  a.Footer()->SetFormatMask("0.00");
  a.Footer()->SetAlignment(taCenter);
  b.Footer()->Assign(a.Footer());
  EXPECT_EQ(b.Footer()->TextBefore(), u"до");
  EXPECT_EQ(b.Footer()->TextAfter(), u"после");
  EXPECT_EQ(b.Footer()->FormulaKind(), fkSum);
  EXPECT_EQ(b.Footer()->FormatMask(), "0.00");
  EXPECT_EQ(b.Footer()->Alignment(), taCenter);
  a.Header()->SetCaption(u"Название");
  a.Header()->SetOrientation(hoVertical);
  b.SetHeader(a.Header());
  EXPECT_EQ(b.Header()->Caption(), u"Название");
  EXPECT_EQ(b.Header()->Orientation(), hoVertical);
  EXPECT_NE(b.Header(), a.Header());
  EXPECT_THROW(b.Footer()->Assign(a.Header()), EConvertError);
}

TEST(Columns, ChangeRefreshAndListenerCodes) {
  Grid g;
  TDgTextColumn* c = g.Add();
  std::vector<int> heard;
  c->AddListener(
      [&](TDgCustomColumn*, int code, intptr_t data) {
        EXPECT_EQ(data, 7);
        heard.push_back(code);
      },
      7);
  g.changes.clear();
  c->SetAlignment(taCenter);
  c->SetColor(clRed);
  c->Header()->SetCaption(u"x");
  c->SetVisible(false);
  c->SetVisible(false); // unchanged: nothing
  EXPECT_EQ(heard, (std::vector<int>{0, 2, 1, 6}));
  c->RemoveListener(7);
  c->SetColor(clBlue);
  EXPECT_EQ(heard.size(), 4u);
  EXPECT_TRUE(g.Heard(DgColumnChange::Visibility));
  g.refreshes.clear();
  c->SetPadding(2);
  c->Header()->SetAlignment(taCenter);
  c->Footer()->SetAlignment(taCenter);
  c->SetSlideCaption("s");
  EXPECT_EQ(g.refreshes, (std::vector<std::pair<int, int>>{{0, 1}, {0, 3}, {0, 2}, {0, 0}}));
  g.changes.clear();
  c->SlideBounds()->SetWidth(80); // unchanged width: nothing
  c->SlideBounds()->SetLeft(8);   // left always
  c->SetInputValue(u"v");
  c->Footer()->SetTextAfter(u"a");
  c->SetSortType(stNumeric);
  EXPECT_EQ(g.changes, (std::vector<std::tuple<int, int, int>>{
                           {0, -1, 3}, {0, -1, 1}, {0, -1, 6}, {0, -1, 5}}));
}

// Setting what a column already has tells nobody; only the slide bounds'
// Left and Top tell on every assignment.
TEST(Columns, UnchangedValuesTellNothingButSlideLeftAndTop) {
  Grid g;
  TDgTextColumn* c = g.Add(8);
  int heard = 0;
  c->AddListener([&](TDgCustomColumn*, int, intptr_t) { ++heard; }, 1);
  g.changes.clear();
  g.refreshes.clear();
  c->SetAlignment(c->Alignment());
  c->SetColor(c->Color());
  c->SetOptions(c->Options());
  c->SetWidth(c->Width());
  c->SetWidth(3); // raised to MinWidth: the width it has
  c->SetPadding(c->Padding());
  c->SetWrapKind(c->WrapKind());
  c->SetSortKind(c->SortKind());
  c->SetSortType(c->SortType());
  c->SetSorted(false);
  c->SetVerticalAlignment(c->VerticalAlignment());
  c->SetInputValue(c->InputValue());
  c->SetMaxLength(c->MaxLength());
  c->SetTextBefore(c->TextBefore());
  c->Header()->SetCaption(c->Header()->Caption());
  c->Header()->SetAlignment(c->Header()->Alignment());
  c->Footer()->SetFormulaKind(c->Footer()->FormulaKind());
  c->Footer()->SetTextAfter(c->Footer()->TextAfter());
  c->SlideBounds()->SetHeight(c->SlideBounds()->Height());
  EXPECT_EQ(heard, 0);
  EXPECT_TRUE(g.changes.empty());
  EXPECT_TRUE(g.refreshes.empty());
  c->SlideBounds()->SetLeft(c->SlideBounds()->Left());
  c->SlideBounds()->SetTop(c->SlideBounds()->Top());
  EXPECT_EQ(g.changes, (std::vector<std::tuple<int, int, int>>{{0, -1, 3}, {0, -1, 3}}));
}

TEST(Columns, ParentFontFollowsTheGridUntilTheColumnsOwnFontChanges) {
  Grid g;
  g.host.font.SetHeight(-20);
  TDgTextColumn* c = g.Add();
  c->SetParentFont(true);
  EXPECT_EQ(c->Font()->Height(), -20);
  EXPECT_TRUE(c->ParentFont());
  g.host.font.SetStyle({fsBold});
  c->ParentFontChanged();
  EXPECT_TRUE(c->Font()->Style().Contains(fsBold));
  g.changes.clear();
  c->Font()->SetHeight(-9);
  EXPECT_FALSE(c->ParentFont());
  EXPECT_TRUE(g.Heard(DgColumnChange::Appearance));
}

TEST(Columns, OrdersLayoutAndMoves) {
  Grid g;
  g.host.indicator = true;
  TDgTextColumn* a = g.Add(10);
  TDgTextColumn* b = g.Add(20);
  TDgTextColumn* c = g.Add(30);
  EXPECT_EQ(g.collection.size(), 3u);
  EXPECT_EQ(a->Left(), 12);
  EXPECT_EQ(c->Left(), 42);
  EXPECT_EQ(g.cols->VisibleWidth(), 60);
  b->SetVisible(false);
  EXPECT_EQ(b->VisibleIndex(), -1);
  EXPECT_EQ(c->Left(), 22);
  EXPECT_EQ(c->VisibleIndex(), 1);
  EXPECT_EQ(g.cols->Next(a), c);
  EXPECT_EQ(g.cols->Previous(c), a);
  EXPECT_EQ(g.cols->Next(c), c);
  EXPECT_EQ(a->VisiblePlace(), 1);
  EXPECT_EQ(c->VisiblePlace(), 3);
  b->SetVisible(true);
  EXPECT_EQ(b->VisiblePlace(), 2);
  g.changes.clear();
  c->SetPosition(0);
  EXPECT_EQ(g.cols->PositionItem(0), c);
  EXPECT_EQ(c->Position(), 0);
  EXPECT_EQ(a->Position(), 1);
  EXPECT_EQ(c->Index(), 2); // the index order stays
  ASSERT_EQ(g.changes.size(), 1u);
  EXPECT_EQ(g.changes[0], std::make_tuple(2, 2, DgColumnChange::Position));
  g.cols->Move(-4, 99); // clamped: first to last
  EXPECT_EQ(g.cols->PositionItem(2), c);
  c->SetPosition(1000);
  EXPECT_EQ(c->Position(), 2);
  g.cols->SetFixedCols(1);
  EXPECT_EQ(g.cols->FixedWidth(), 10);
  g.host.scroll = 5;
  EXPECT_EQ(a->VisibleLeft(), 12); // fixed: not scrolled
  EXPECT_EQ(b->VisibleLeft(), 22 - 5);
  EXPECT_EQ(b->BandRect(0).Top, 14);
  EXPECT_EQ(b->BandRect(4).Bottom, 34);
  EXPECT_THROW(g.cols->Item(3), EListError);
  delete b; // a column freed on its own leaves the collection
  EXPECT_EQ(g.cols->Count(), 2);
  EXPECT_EQ(g.collection.back(), std::make_pair(DgColumnsKind::Deleted, 1));
  EXPECT_EQ(c->Index(), 1);
}

TEST(Columns, AtMostMaxColumns) {
  Grid g;
  for (int i = 0; i < TDgColumns::MaxColumns; ++i) g.cols->Add(new TDgTextColumn());
  auto* extra = new TDgTextColumn();
  EXPECT_THROW(g.cols->Add(extra), EListError);
  EXPECT_EQ(g.cols->Count(), TDgColumns::MaxColumns);
  EXPECT_EQ(extra->Columns(), nullptr);
  delete extra;
}

TEST(Columns, StreamedColumnWithAKnownNameJoinsThatColumn) {
  Grid g;
  TDgTextColumn* a = g.Add();
  a->SetName("Title");
  auto* again = new TDgTextColumn();
  again->SetName("Title");
  again->SetWidth(123);
  g.cols->AddStreamed(again);
  EXPECT_EQ(g.cols->Count(), 2);
  g.cols->PlaceStreamed(again);
  EXPECT_EQ(a->Width(), 123);
  EXPECT_EQ(g.cols->Count(), 1);
  EXPECT_EQ(again->Columns(), nullptr);
  EXPECT_EQ(g.collection.back(), std::make_pair(DgColumnsKind::Deleted, 1));
  delete again;
  // A streamed column with another name goes before the first larger Position.
  auto* first = new TDgTextColumn();
  first->SetPosition(-5);
  g.cols->AddStreamed(first);
  g.cols->PlaceStreamed(first);
  EXPECT_EQ(g.cols->PositionItem(0), first);
  EXPECT_EQ(first->Index(), 1);
}

} // namespace

TEST(Columns, PartGlyphsAreOwnedTransparentByTheirBottomLeftPixelAndCopiedByHeaderAssign) {
  Grid g;
  TDgTextColumn* c = g.Add();
  EXPECT_TRUE(c->Header()->Glyph()->Empty());
  EXPECT_EQ(c->Header()->Glyph()->TransparentColor(), clNone);
  TDgPixmap p(3, 2, 0x00112233);
  p.At(0, 1) = 0x00FF00FF; // bottom left
  TDgBitmap b;
  b.SetPixmap(p);
  g.changes.clear();
  c->Header()->SetGlyph(&b);
  EXPECT_NE(c->Header()->Glyph(), &b); // a copy, kept by the part
  EXPECT_TRUE(c->Header()->Glyph()->Transparent());
  EXPECT_EQ(c->Header()->Glyph()->TransparentColor(), TColor(0xFF00FF));
  c->Footer()->Glyph()->SetPixmap(p);
  EXPECT_EQ(g.changes, (std::vector<std::tuple<int, int, int>>{{0, -1, 6}, {0, -1, 6}}));

  // A header's Assign copies the glyph, heard as one change; a footer's
  // copies what its Assign lists, which is not the glyph.
  TDgTextColumn* d = g.Add();
  g.changes.clear();
  d->Header()->Assign(c->Header());
  EXPECT_EQ(d->Header()->Glyph()->Width(), 3);
  EXPECT_EQ(d->Header()->Glyph()->Pixmap().At(2, 0), 0x00112233u);
  EXPECT_EQ(g.changes.size(), 1u);
  d->Footer()->Assign(c->Footer());
  EXPECT_TRUE(d->Footer()->Glyph()->Empty());
  // The copy is the header's own: clearing the source leaves it.
  c->Header()->SetGlyph(nullptr);
  EXPECT_TRUE(c->Header()->Glyph()->Empty());
  EXPECT_FALSE(d->Header()->Glyph()->Empty());
  EXPECT_THROW(d->Header()->Glyph()->Assign(c->Header()), EConvertError);
}
