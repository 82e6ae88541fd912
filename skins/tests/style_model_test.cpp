// The style model's rules with a fake control: initial values, setters that
// compare first, the percent coupling, clamps, kind sets, the hot look, the
// messages, the region, the parent's image, the caption label's place and
// the focus keys, and the common data of controls without a style.
#include <gtest/gtest.h>

#include "classlib/SysUtils.h"
#include "skins/sCommonDataCore.h"
#include "skins/sGroupBoxCore.h"
#include "skins/sStyleEditsCore.h"
#include "skins/sStyleUtilCore.h"
#include "skins/tests/FakeOwner.h"

namespace skins {
namespace {

using test::FakeOwner;

TEST(StyleModel, InitialValues) {
  FakeOwner o;
  TsActiveBGStyle s(&o);
  EXPECT_TRUE(s.SoftControl());
  EXPECT_EQ(s.GroupIndex(), 0);
  EXPECT_EQ(s.SkinSection(), "");
  EXPECT_EQ(s.SkinIndex(), -1);
  EXPECT_EQ(s.BorderIndex(), -1);
  EXPECT_TRUE(s.RegionDirty);
  EXPECT_TRUE(s.CacheDirty);
  EXPECT_FALSE(s.Focused);
  EXPECT_FALSE(s.MouseOver);
  ASSERT_NE(s.Cache(), nullptr);
  EXPECT_EQ(s.Cache()->Width(), 40);
  EXPECT_EQ(s.Cache()->Height(), 30);
  TsShadow* sh = s.Effects()->Shadow();
  EXPECT_EQ(sh->Transparency(), 60);
  EXPECT_TRUE(sh->DontUse());
  EXPECT_FALSE(sh->Enabled());
  EXPECT_EQ(sh->Color(), 0);
  EXPECT_EQ(sh->Offset(), 8);
  EXPECT_EQ(sh->Blur(), 4);
  EXPECT_EQ(s.Painting()->Bevel(), TsControlBevel::cbRaisedSoft);
  EXPECT_EQ(s.Painting()->Transparency(), 0);
  EXPECT_EQ(s.Painting()->Color(), 0xCAC2B7);
  EXPECT_TRUE(s.Painting()->ParentColor());
  EXPECT_EQ(s.Painting()->BevelWidth(), 0);
  EXPECT_FALSE(s.Background()->ListenMSG());
  EXPECT_EQ(s.Background()->Image()->Percent(), 0);
  EXPECT_EQ(s.Background()->Gradient()->Percent(), 70);
  EXPECT_EQ(s.Background()->Gradient()->Data(), "");
  EXPECT_TRUE(s.Background()->Gradient()->Gradient().empty());
  TsHotPainting* hp = s.HotStyle()->HotPainting();
  EXPECT_EQ(hp->Color(), 0xCFB78F);
  EXPECT_EQ(hp->FontColor(), 0);
  EXPECT_TRUE(hp->FontStyle().Empty());
  EXPECT_EQ(hp->Transparency(), 0);
  EXPECT_EQ(hp->Bevel(), TsControlBevel::cbRaisedSoft);
  EXPECT_EQ(hp->BevelWidth(), 5);
  EXPECT_EQ(s.HotStyle()->HotBackground()->Gradient()->Percent(), 70);
  TsFading* f = s.BtnEffects()->Fading();
  EXPECT_TRUE(f->Enabled());
  EXPECT_EQ(f->Iterations(), 5);
  EXPECT_EQ(f->IntervalIn(), 5);
  EXPECT_EQ(f->IntervalOut(), 5);
  TsMaskedBorders* mb = s.BtnEffects()->MaskedBorders();
  EXPECT_TRUE(mb->Mask()->Empty());
  EXPECT_EQ(mb->Predefined(), TsPredefinedBorders::pdBorder1);
  EXPECT_EQ(mb->TransparentColor(), 0xFF00FF);
  EXPECT_TRUE(mb->Enabled());

  TsStyle e(&o);
  EXPECT_EQ(e.Painting()->Bevel(), TsEditorBevel::ebAsBottomBorder);
  EXPECT_EQ(e.Painting()->ColorBorderTop(), clBtnHighlight);
  EXPECT_EQ(e.Painting()->ColorBorderBottom(), 0x7E756B);
  EXPECT_EQ(e.Painting()->Color(), 0xECFFFF);
  EXPECT_FALSE(e.Painting()->ParentColor());
  EXPECT_EQ(e.Selection()->Color(), clWindow);
  EXPECT_EQ(e.Selection()->Mode(),
            TModeSelection({TModeSelectionItem::msBorder, TModeSelectionItem::msColor}));
  EXPECT_EQ(e.Selection()->Border()->Width(), 2);
  EXPECT_EQ(e.Selection()->Border()->Bevel(), TsEditorBevel::ebAsBottomBorder);
  EXPECT_EQ(e.Caption()->Layout(), TsCaptionLayout::sclLeft);
  EXPECT_EQ(e.Caption()->MaxWidth(), 0);
  EXPECT_FALSE(e.Caption()->Active());
  EXPECT_EQ(e.KeysNextControl(), "");
  EXPECT_EQ(e.StyleCode(), 15u);
  EXPECT_EQ(TsCustomStyle(&o).StyleCode(), 14u);
  EXPECT_EQ(s.StyleCode(), 1u);
  // A layout that sets white keeps white.
  e.Painting()->SetColorBorderTop(clWhite);
  EXPECT_EQ(e.Painting()->ColorBorderTop(), clWhite);
}

TEST(StyleModel, UnchangedValuesInvalidateNothing) {
  FakeOwner parent, o;
  TsPassiveBGStyle ps(&parent);
  parent.style = &ps;
  o.parent = &parent;
  TsActiveBGStyle s(&o);
  s.Effects()->Shadow()->SetEnabled(true);
  o.invalidated = o.parent_refreshed = 0;
  s.SetSoftControl(true);
  s.Painting()->SetColor(0xCAC2B7);
  s.Painting()->SetTransparency(0);
  s.Painting()->SetBevel(TsControlBevel::cbRaisedSoft);
  s.Painting()->SetParentColor(true);
  s.Background()->Gradient()->SetPercent(70);
  s.Background()->Gradient()->SetData("");
  s.Background()->Image()->SetPercent(0);
  s.Effects()->Shadow()->SetTransparency(60);
  s.Effects()->Shadow()->SetOffset(8);
  s.Effects()->Shadow()->SetBlur(4);
  s.Effects()->Shadow()->SetColor(0);
  s.Effects()->Shadow()->SetEnabled(true);
  s.BtnEffects()->MaskedBorders()->SetEnabled(true);
  s.BtnEffects()->MaskedBorders()->SetPredefined(TsPredefinedBorders::pdBorder1);
  TsStyle e(&o);
  e.Painting()->SetColor(0xECFFFF);
  e.Painting()->SetBevel(TsEditorBevel::ebAsBottomBorder);
  e.Painting()->SetColorBorderBottom(0x7E756B);
  EXPECT_EQ(o.invalidated, 0);
  EXPECT_EQ(o.parent_refreshed, 0);
  // A change does both.
  s.Painting()->SetTransparency(30);
  EXPECT_EQ(o.invalidated, 1);
  EXPECT_EQ(o.parent_refreshed, 1);
}

TEST(StyleModel, PercentsShareAHundred) {
  FakeOwner o;
  TsPassiveBGStyle s(&o);
  TsBackground* bg = s.Background();
  bg->Image()->SetPercent(40);
  EXPECT_EQ(bg->Gradient()->Percent(), 60);  // 70 + 40 > 100
  bg->Gradient()->SetPercent(80);
  EXPECT_EQ(bg->Image()->Percent(), 20);
  bg->Gradient()->SetPercent(250);
  EXPECT_EQ(bg->Gradient()->Percent(), 100);
  EXPECT_EQ(bg->Image()->Percent(), 0);
  // The hot background couples the same way but invalidates nothing.
  TsActiveBGStyle a(&o);
  o.invalidated = 0;
  a.HotStyle()->HotBackground()->Image()->SetPercent(50);
  EXPECT_EQ(a.HotStyle()->HotBackground()->Gradient()->Percent(), 50);
  EXPECT_EQ(o.invalidated, 0);
  a.Background()->Image()->SetPercent(50);
  EXPECT_EQ(o.invalidated, 1);
}

TEST(StyleModel, ValuesAreHeldInRange) {
  FakeOwner o;
  TsPassiveBGStyle s(&o);
  TsShadow* sh = s.Effects()->Shadow();
  sh->SetTransparency(150);
  EXPECT_EQ(sh->Transparency(), 100);
  sh->SetTransparency(-5);
  EXPECT_EQ(sh->Transparency(), 0);
  sh->SetBlur(-3);
  EXPECT_EQ(sh->Blur(), 0);
  // A painting's transparency is kept as given (above 100 paints nothing).
  s.Painting()->SetTransparency(140);
  EXPECT_EQ(s.Painting()->Transparency(), 140);
  // A negative fade interval is refused and the interval stays.
  FakeOwner b;
  TsActiveBGStyle a(&b);
  TsFading* f = a.BtnEffects()->Fading();
  EXPECT_THROW(f->SetIntervalIn(-1), ERangeError);
  EXPECT_THROW(f->SetIntervalOut(-20), ERangeError);
  EXPECT_EQ(f->IntervalIn(), 5);
  EXPECT_EQ(f->IntervalOut(), 5);
  f->SetIntervalIn(0);
  EXPECT_EQ(f->IntervalIn(), 0);
}

TEST(StyleModel, KindSets) {
  for (unsigned k : {51u, 60u, 74u, 110u, 141u, 161u}) EXPECT_TRUE(kind::NeverHot(k)) << k;
  for (unsigned k : {50u, 75u, 109u, 140u, 162u, 300u}) EXPECT_FALSE(kind::NeverHot(k)) << k;
  for (unsigned k : {57u, 74u, 110u, 141u, 151u}) EXPECT_TRUE(kind::NoShadow(k)) << k;
  for (unsigned k : {51u, 68u, 93u, 165u}) EXPECT_FALSE(kind::NoShadow(k)) << k;
  for (unsigned k : {51u, 68u, 151u}) EXPECT_TRUE(kind::ShadowHost(k)) << k;
  for (unsigned k : {50u, 69u, 74u, 150u}) EXPECT_FALSE(kind::ShadowHost(k)) << k;
  for (unsigned k : {1u, 140u, 150u, 200u}) EXPECT_TRUE(kind::SoftCorners(k)) << k;
  for (unsigned k : {0u, 141u, 149u, 201u, 256u}) EXPECT_FALSE(kind::SoftCorners(k)) << k;
  for (unsigned k : {51u, 68u, 91u, 95u, 141u, 151u, 161u, 165u}) EXPECT_TRUE(kind::SeeThrough(k)) << k;
  for (unsigned k : {50u, 69u, 90u, 96u, 164u, 1000u}) EXPECT_FALSE(kind::SeeThrough(k)) << k;
}

TEST(StyleModel, IsHotInItsOrder) {
  FakeOwner o;
  TsActiveBGStyle s(&o);
  s.KindCode = kind::Button;
  EXPECT_FALSE(s.IsHot());
  s.MouseOver = true;
  EXPECT_TRUE(s.IsHot());
  o.enabled = false;
  EXPECT_FALSE(s.IsHot());  // disabled beats mouse-over
  o.default_button = true;
  EXPECT_TRUE(s.IsHot());  // the default button beats disabled
  o.destroying = true;
  EXPECT_FALSE(s.IsHot());
  o = FakeOwner{};
  s.MouseOver = false;
  o.down = true;
  EXPECT_TRUE(s.IsHot());
  o.down = false;
  o.focus = true;
  EXPECT_TRUE(s.IsHot());
  // A group box never.
  s.KindCode = kind::GroupBox;
  s.MouseOver = s.Focused = true;
  EXPECT_FALSE(s.IsHot());
}

TEST(StyleModel, Messages) {
  FakeOwner parent, o;
  TsPassiveBGStyle ps(&parent);
  parent.style = &ps;
  o.parent = &parent;
  TsActiveBGStyle s(&o);
  s.KindCode = kind::Button;

  TsMessage q{msg::GetStyle};
  s.WndProc(q);
  EXPECT_EQ(q.Result, 1);
  EXPECT_EQ(q.WParam, 1u);

  o.bounds = Rect(0, 0, 50, 20);
  TsMessage size{msg::Size};
  s.WndProc(size);
  EXPECT_TRUE(s.CacheDirty);
  EXPECT_TRUE(s.RegionDirty);
  EXPECT_EQ(o.parent_refreshed, 1);
  EXPECT_EQ(o.repainted, 1);  // a button repaints after a move
  EXPECT_EQ(o.region.size(), 2u);

  TsMessage focus{msg::SetFocus};
  s.WndProc(focus);
  EXPECT_TRUE(s.Focused);
  TsMessage kill{msg::KillFocus};
  o.invalidated = 0;
  s.WndProc(kill);
  EXPECT_FALSE(s.Focused);
  EXPECT_EQ(o.invalidated, 1);

  // Enter and leave track the mouse and leave the control's own handling
  // (hint, events) to run.
  TsMessage enter{msg::MouseEnter};
  s.WndProc(enter);
  EXPECT_TRUE(s.MouseOver);
  EXPECT_EQ(enter.Result, 0);
  TsMessage leave{msg::MouseLeave};
  s.WndProc(leave);
  EXPECT_FALSE(s.MouseOver);
  EXPECT_EQ(leave.Result, 0);
  s.KindCode = kind::GroupBox;
  TsMessage enter2{msg::MouseEnter};
  s.WndProc(enter2);
  EXPECT_FALSE(s.MouseOver);
  EXPECT_EQ(enter2.Result, 0);

  // The parent-image messages, whatever the group.
  s.CacheDirty = false;
  TsMessage changed{msg::ParentImageChanged, 0, -1};
  s.WndProc(changed);
  EXPECT_TRUE(s.CacheDirty);
  TsMessage unchanged{msg::ParentImageChanged, 0, 0};
  s.WndProc(unchanged);
  EXPECT_TRUE(s.CacheDirty);  // still out of date for its own reasons
  s.CacheDirty = false;
  s.WndProc(unchanged);
  EXPECT_FALSE(s.CacheDirty);
  TsMessage image{msg::ParentImage};
  s.WndProc(image);
  EXPECT_EQ(image.Result, 1);
  // Other group messages only for the style's group.
  s.CacheDirty = false;
  TsMessage other{msg::Refresh, 3, 0};
  s.WndProc(other);
  EXPECT_FALSE(s.CacheDirty);
  TsMessage mine{msg::Refresh, 0, 0};
  s.WndProc(mine);
  EXPECT_TRUE(s.CacheDirty);
}

TEST(StyleModel, ShadowNeedsASkinnedParentAndAKindThatMayHaveOne) {
  FakeOwner stock, o;
  o.parent = &stock;  // a parent without a style
  TsPassiveBGStyle s(&o);
  s.KindCode = kind::Panel;
  s.Effects()->Shadow()->SetEnabled(true);
  EXPECT_FALSE(s.Effects()->Shadow()->Enabled());

  FakeOwner skinned;
  TsPassiveBGStyle ps(&skinned);
  skinned.style = &ps;
  o.parent = &skinned;
  s.Effects()->Shadow()->SetEnabled(true);
  EXPECT_TRUE(s.Effects()->Shadow()->Enabled());
  EXPECT_FALSE(s.Effects()->Shadow()->DontUse());

  TsPassiveBGStyle g(&o);
  g.KindCode = kind::GroupBox;
  g.Effects()->Shadow()->SetEnabled(true);
  EXPECT_FALSE(g.Effects()->Shadow()->Enabled());
}

TEST(StyleModel, RegionCutsCornersOnlyForSoftKinds) {
  FakeOwner o;
  o.bounds = Rect(0, 0, 10, 6);
  TsPassiveBGStyle s(&o);
  s.KindCode = kind::Panel;
  s.UpdateRegion();
  ASSERT_EQ(o.region.size(), 2u);
  EXPECT_EQ(o.region[0], Rect(1, 0, 9, 6));
  EXPECT_EQ(o.region[1], Rect(0, 1, 10, 5));
  EXPECT_FALSE(s.RegionDirty);
  EXPECT_TRUE(o.region_redraw);
  s.SetSoftControl(false);
  s.UpdateRegion();
  EXPECT_TRUE(o.region.empty());
  EXPECT_TRUE(s.RegionRects(10, 6).empty());
  s.SetSoftControl(true);
  s.KindCode = kind::TabControl;  // outside the soft-corner set
  EXPECT_TRUE(s.RegionRects(10, 6).empty());

  // Active styles without masked borders and editors check each time but
  // apply only a change, and never with a redraw from inside painting.
  FakeOwner b;
  b.bounds = Rect(0, 0, 20, 10);
  TsActiveBGStyle a(&b);
  a.KindCode = kind::Button;
  a.BtnEffects()->MaskedBorders()->SetEnabled(false);
  const int calls = b.region_calls;
  a.UpdateRegion();
  a.UpdateRegion();
  EXPECT_EQ(b.region_calls, calls);
  {
    TsGenStyle::PaintScope scope(&a);
    b.bounds = Rect(0, 0, 22, 10);
    a.UpdateRegion();
  }
  EXPECT_EQ(b.region_calls, calls + 1);
  EXPECT_FALSE(b.region_redraw);

  // No window yet: tried again later.
  FakeOwner w;
  w.has_window = false;
  TsStyle e(&w);
  e.KindCode = kind::Edit;
  e.UpdateRegion();
  EXPECT_EQ(w.region_calls, 0);
  w.has_window = true;
  e.UpdateRegion();
  EXPECT_EQ(w.region_calls, 1);
}

TEST(StyleModel, ParentImageIsLentOnlyWhenWholeAndCurrent) {
  FakeOwner parent;
  parent.bounds = Rect(0, 0, 30, 20);
  TsPassiveBGStyle ps(&parent);
  EXPECT_FALSE(ps.ImageForChildren().valid);  // never painted
  ps.PaintBG(ps.Cache()->Pixels());
  EXPECT_FALSE(ps.ImageForChildren().valid);  // not yet shown: still out of date
  ps.CacheShown();
  EXPECT_TRUE(ps.ImageForChildren().valid);
  parent.bounds = Rect(0, 0, 40, 20);  // the parent grew: the image is smaller
  EXPECT_FALSE(ps.ImageForChildren().valid);
  ps.SizeCache();
  EXPECT_FALSE(ps.ImageForChildren().valid);  // the right size but not painted
  ps.PaintBG(ps.Cache()->Pixels());
  ps.CacheShown();
  EXPECT_TRUE(ps.ImageForChildren().valid);
  ps.Invalidate();
  EXPECT_FALSE(ps.ImageForChildren().valid);
}

TEST(StyleModel, CaptionLabelPlacement) {
  const TRect c = Bounds(100, 50, 80, 21);
  TsCaptionPlace p = PlaceCaption(TsCaptionLayout::sclLeft, c, 40, 19);
  EXPECT_EQ(p.left, 100 - 40 - 4);
  EXPECT_EQ(p.top, 50 - (19 + 6 - 21) / 2 + 6);
  EXPECT_EQ(p.alignment, taRightJustify);
  p = PlaceCaption(TsCaptionLayout::sclTopLeft, c, 40, 19);
  EXPECT_EQ(p.left, 100);
  EXPECT_EQ(p.top, 50 - 19 + 5);
  EXPECT_EQ(p.alignment, taLeftJustify);
  p = PlaceCaption(TsCaptionLayout::sclTopCenter, c, 41, 19);
  EXPECT_EQ(p.left, 100 + (80 - 41) / 2);
  EXPECT_EQ(p.alignment, taCenter);
  p = PlaceCaption(TsCaptionLayout::sclTopRight, c, 40, 19);
  EXPECT_EQ(p.left, 100 + 80 - 40);
}

TEST(StyleModel, KeysMoveTheFocus) {
  FakeOwner o;
  o.class_name = "TsEdit";
  int a = 0, b = 0, c = 0;
  o.tab_order = {{&a}, {o.Self()}, {&b}, {&c}};
  TsStyle s(&o);
  s.KindCode = kind::Edit;
  s.SetKeysNextControl("9, 13");
  s.SetKeysPrevControl("38 ,40");
  uint16_t key = 13;
  s.ProcessKeys(key, {});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(o.focused_to, &b);
  key = 40;
  s.ProcessKeys(key, {});
  EXPECT_EQ(o.focused_to, &a);
  key = 13;
  s.ProcessKeys(key, TShiftState(ssShift));
  EXPECT_EQ(key, 13);  // with Shift nothing happens
  key = 1;
  s.ProcessKeys(key, {});
  EXPECT_EQ(key, 1);  // "1" is not a word of "9, 13"
  // Skipped controls, wrap-around.
  o.tab_order = {{&a}, {&b, true, false}, {o.Self()}, {&c, false}};
  key = 9;
  o.focused_to = nullptr;
  s.ProcessKeys(key, {});
  EXPECT_EQ(o.focused_to, &a);
  EXPECT_TRUE(s.WrappedToFirst());
  // A combo box with its list open keeps the key.
  s.KindCode = kind::ComboBox;
  o.list_open = true;
  key = 9;
  s.ProcessKeys(key, {});
  EXPECT_EQ(key, 9);
}

TEST(StyleModel, NextTabStopWrapsAndSkips) {
  bool wrapped = false;
  std::vector<TsTabStop> order(3);
  order[1].enabled = false;
  EXPECT_EQ(NextTabStop(order, 0, true, wrapped), 2);
  EXPECT_FALSE(wrapped);
  EXPECT_EQ(NextTabStop(order, 2, true, wrapped), 0);
  EXPECT_TRUE(wrapped);
  EXPECT_EQ(NextTabStop(order, 0, false, wrapped), 2);
  EXPECT_EQ(NextTabStop({}, -1, true, wrapped), -1);
  order[0].visible = order[2].visible = false;
  EXPECT_EQ(NextTabStop(order, 0, true, wrapped), -1);
}

TEST(CommonData, SectionMessagesAndParentImage) {
  FakeOwner o;
  o.class_name = "TsPageControl";
  TsCommonData d(&o, true);
  d.ResolveSection();
  EXPECT_EQ(d.SkinSection(), "TsPageControl");
  d.SetSkinSection("");
  EXPECT_EQ(d.SkinSection(), "TsPageControl");
  EXPECT_FALSE(d.ParentImage().valid);  // no parent
  FakeOwner stock;
  o.parent = &stock;
  EXPECT_FALSE(d.ParentImage().valid);  // a parent without a style
  TsMessage q{msg::GetStyle};
  d.WndProc(q);
  EXPECT_EQ(q.Result, 1);
  EXPECT_EQ(q.WParam, 1u);
  d.ImageOutOfDate = false;
  TsMessage changed{msg::ParentImageChanged, 0, -1};
  d.WndProc(changed);
  EXPECT_EQ(changed.Result, 2);
  EXPECT_TRUE(d.ImageOutOfDate);
  TsMessage enter{msg::MouseEnter};
  d.WndProc(enter);
  EXPECT_TRUE(d.MouseOver);
  EXPECT_EQ(enter.Result, 0);
  ASSERT_NE(d.Image(), nullptr);
  EXPECT_EQ(d.Image()->Width(), 40);
}

TEST(CommonData, AnswersTheLibraryRangeWithTwoAndLeavesTheRestToTheControl) {
  FakeOwner o;
  o.class_name = "TsTabSheet";
  FakeOwner page;
  o.parent = &page;
  TsCommonData d(&o, false);
  d.KindCode = kind::TabSheet;
  EXPECT_EQ(d.Image(), nullptr);  // a sheet's image is its page control's
  TsMessage q{msg::GetStyle, 0, 0};
  d.WndProc(q);
  EXPECT_EQ(q.LParam, 0);  // never a pointer a style could be read from
  for (unsigned m = msg::ParentImageChanged; m <= msg::Layout; ++m) {
    TsMessage t{m};
    d.WndProc(t);
    EXPECT_EQ(t.Result, 2) << std::hex << m;
  }
  for (unsigned m : {msg::GetStyle + 1, msg::Layout + 1, msg::SetText, msg::Paint}) {
    TsMessage t{m};
    d.WndProc(t);
    EXPECT_EQ(t.Result, 0) << std::hex << m;
  }
  // Focus and mouse-over are noted, and the control handles them as well.
  d.ImageOutOfDate = false;
  TsMessage focus{msg::SetFocus};
  d.WndProc(focus);
  EXPECT_EQ(focus.Result, 0);
  EXPECT_TRUE(d.Focused);
  EXPECT_TRUE(d.ImageOutOfDate);
  TsMessage enter{msg::MouseEnter};
  d.WndProc(enter);
  EXPECT_FALSE(d.MouseOver);  // not while focused
  TsMessage exit{msg::Exit};
  d.WndProc(exit);
  EXPECT_FALSE(d.Focused);
  d.WndProc(enter);
  EXPECT_TRUE(d.MouseOver);
  TsMessage leave{msg::MouseLeave};
  d.WndProc(leave);
  EXPECT_FALSE(d.MouseOver);
  // A moved or resized control lays out again, its image out of date.
  d.ImageOutOfDate = false;
  TsMessage pos{msg::WindowPosChanged};
  d.WndProc(pos);
  EXPECT_EQ(pos.Result, 0);
  EXPECT_TRUE(d.ImageOutOfDate);
  EXPECT_EQ(o.sent, std::vector<unsigned>{msg::Layout});
  // Enabled and font changes refresh: out of date and invalidated.
  d.ImageOutOfDate = false;
  const int before = o.invalidated;
  TsMessage enabled{msg::EnabledChanged};
  d.WndProc(enabled);
  TsMessage font{msg::FontChange};
  d.WndProc(font);
  EXPECT_TRUE(d.ImageOutOfDate);
  EXPECT_EQ(o.invalidated, before + 2);
}

TEST(GroupBoxGeometry, CaptionTab) {
  // clTopRight: 18 pixels plus the caption's width from the right edge.
  TRect r = GroupCaptionRect(TsGroupCaptionLayout::clTopRight, 200, 2, 13, 50, 2);
  EXPECT_EQ(r.Left, 200 - 50 - 18);
  EXPECT_EQ(r.Right, r.Left + 62);
  EXPECT_EQ(r.Bottom, 19);
  r = GroupCaptionRect(TsGroupCaptionLayout::clTopLeft, 200, 20, 13, 50, 2);
  EXPECT_EQ(r.Left, 6);
  EXPECT_EQ(r.Bottom, 26);  // the frame is higher than the text
  r = GroupCaptionRect(TsGroupCaptionLayout::clTopCenter, 201, 2, 13, 50, 2);
  EXPECT_EQ(r.Left, (201 - 62) / 2);
  // Wider than the box: from 0, clipped to the width.
  r = GroupCaptionRect(TsGroupCaptionLayout::clTopRight, 60, 2, 13, 100, 2);
  EXPECT_EQ(r.Left, 0);
  EXPECT_EQ(r.Right, 60);
  // Too narrow for its bevels: widened by a bevel width each side.
  r = GroupCaptionRect(TsGroupCaptionLayout::clTopLeft, 8, 2, 13, 0, 4);
  EXPECT_EQ(r.Left, 2);
  EXPECT_EQ(r.Right, 12);
  EXPECT_EQ(GroupClientRect(100, 80, 19), Rect(0, 19, 100, 80));
  EXPECT_EQ(PanelFrameWidth(1, 2, true, true), 5);
  EXPECT_EQ(PanelFrameWidth(1, 2, true, false), 3);
}

}  // namespace
}  // namespace skins
