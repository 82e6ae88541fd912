// The painted styles' background, shadow and bevel on 24-bit rows, with
// fake controls: own background by picture, gradient and colour shares,
// parent's pixels by transparency, the hot look, the children's shadows of
// a shadow host, and the group box's bevel edges.
#include <gtest/gtest.h>

#include <cstdlib>

#include "skins/sGroupBoxCore.h"
#include "skins/sStyleUtilCore.h"
#include "skins/tests/FakeOwner.h"

namespace skins {
namespace {

using test::FakeOwner;
using test::FillImage;
using test::PixelAt;

constexpr TColor kParent = 0x204080;  // r 0x80, g 0x40, b 0x20
constexpr TRgb kParentRgb{0x80, 0x40, 0x20};
constexpr TColor kOwn = 0xC0A060;
constexpr TRgb kOwnRgb{0x60, 0xA0, 0xC0};

bool Near(TRgb a, TRgb b, int tol = 1) {
  return std::abs(a.r - b.r) <= tol && std::abs(a.g - b.g) <= tol && std::abs(a.b - b.b) <= tol;
}

// A skinned parent painted in one colour and a child panel inside it.
struct Scene {
  FakeOwner parent_owner, child_owner;
  TsPassiveBGStyle parent{&parent_owner};
  TsPassiveBGStyle child{&child_owner};
  Scene() {
    parent_owner.bounds = Rect(0, 0, 60, 50);
    parent.SizeCache();
    parent.KindCode = kind::Panel;
    parent.Painting()->SetColor(kParent);
    parent.Background()->Gradient()->SetPercent(0);
    parent_owner.style = &parent;
    child_owner.bounds = Bounds(10, 8, 20, 12);
    child_owner.parent = &parent_owner;
    child_owner.style = &child;
    child.SizeCache();
    child.KindCode = kind::Panel;
    child.Painting()->SetColor(kOwn);
    child.Background()->Gradient()->SetPercent(0);
    parent_owner.children.push_back(&child_owner);
  }
  void PaintParent() {
    parent.PaintBG(parent.Cache()->Pixels());
    parent.CacheShown();
  }
  TRgb Child(int x, int y) {
    child.PaintBG(child.Cache()->Pixels());
    return PixelAt(child.Cache(), x, y);
  }
};

TEST(StylePaint, EmptyDataPaintsPlainColour) {
  // A panel at gradient 70 % with empty data: all its colour.
  FakeOwner o;
  TsPassiveBGStyle s(&o);
  s.KindCode = kind::Panel;
  FillImage(s.Cache(), TRgb{1, 2, 3});
  s.PaintBG(s.Cache()->Pixels());
  const TRgb c = RgbOf(0xCAC2B7);
  for (int y = 0; y < 30; y += 7)
    for (int x = 0; x < 40; x += 9) EXPECT_EQ(PixelAt(s.Cache(), x, y), c) << x << "," << y;
}

TEST(StylePaint, TransparencyAgainstTheParent) {
  Scene s;
  s.PaintParent();
  EXPECT_EQ(s.Child(0, 0), kOwnRgb);  // 0: own background
  s.child.Painting()->SetTransparency(100);
  s.PaintParent();  // the child's change refreshed the parent
  EXPECT_EQ(s.Child(0, 0), kParentRgb);
  EXPECT_EQ(s.Child(19, 11), kParentRgb);
  s.child.Painting()->SetTransparency(50);
  s.PaintParent();
  const TRgb half = s.Child(5, 5);
  EXPECT_TRUE(Near(half, TRgb{0x70, 0x70, 0x70}, 2)) << int(half.r) << " " << int(half.g);
  // A parent whose image is out of date lends nothing: own background.
  s.child.Painting()->SetTransparency(100);
  s.parent.Invalidate();
  EXPECT_EQ(s.Child(0, 0), kOwnRgb);
}

TEST(StylePaint, TransparencyOnAStockParentPaintsTheOwnBackground) {
  FakeOwner stock, o;
  o.parent = &stock;
  TsPassiveBGStyle s(&o);
  s.Painting()->SetColor(kOwn);
  s.Background()->Gradient()->SetPercent(0);
  s.Painting()->SetTransparency(100);
  s.PaintBG(s.Cache()->Pixels());
  EXPECT_EQ(PixelAt(s.Cache(), 3, 3), kOwnRgb);
}

TEST(StylePaint, AChildReachingPastTheParentsImageIsClipped) {
  Scene s;
  s.child_owner.bounds = Bounds(50, 40, 20, 12);  // half outside the parent
  s.child.SizeCache();
  s.child.Painting()->SetTransparency(100);
  s.PaintParent();
  EXPECT_EQ(s.Child(0, 0), kParentRgb);
  EXPECT_EQ(s.Child(15, 11), kOwnRgb);  // where the parent has no pixels
}

TEST(StylePaint, PictureGradientAndColourShares) {
  FakeOwner o;
  o.bounds = Rect(0, 0, 10, 101);
  TsPassiveBGStyle s(&o);
  s.SizeCache();
  s.Painting()->SetColor(0x000000);
  // Black to white from top to bottom.
  s.Background()->Gradient()->SetData("0;16777215;100;0;0");
  s.Background()->Gradient()->SetPercent(100);
  s.PaintBG(s.Cache()->Pixels());
  EXPECT_EQ(PixelAt(s.Cache(), 0, 0), (TRgb{0, 0, 0}));
  EXPECT_EQ(PixelAt(s.Cache(), 0, 100), (TRgb{255, 255, 255}));
  const TRgb mid100 = PixelAt(s.Cache(), 0, 50);
  // 30 %: the gradient keeps 30 %, the colour (black) the rest.
  s.Background()->Gradient()->SetPercent(30);
  s.PaintBG(s.Cache()->Pixels());
  EXPECT_TRUE(Near(PixelAt(s.Cache(), 0, 100), TRgb{77, 77, 77}));
  EXPECT_TRUE(Near(PixelAt(s.Cache(), 0, 50), TRgb{uint8_t(mid100.r * 3 / 10), uint8_t(mid100.g * 3 / 10), uint8_t(mid100.b * 3 / 10)}));
  // 0 %: the colour only.
  s.Background()->Gradient()->SetPercent(0);
  s.PaintBG(s.Cache()->Pixels());
  EXPECT_EQ(PixelAt(s.Cache(), 0, 100), (TRgb{0, 0, 0}));

  // A picture at 100 % is tiled from the corner.
  TsMemoryImage pic(2, 2);
  FillImage(&pic, TRgb{10, 20, 30});
  pic.Pixels().At(1, 1)[2] = 200;
  s.Background()->Image()->SetImage(&pic);
  s.Background()->Image()->SetPercent(100);
  s.PaintBG(s.Cache()->Pixels());
  EXPECT_EQ(PixelAt(s.Cache(), 0, 0), (TRgb{10, 20, 30}));
  EXPECT_EQ(PixelAt(s.Cache(), 3, 5).r, 200);
  EXPECT_EQ(PixelAt(s.Cache(), 2, 5).r, 10);
  // Picture percent without a picture fills the colour.
  s.Background()->Image()->SetImage(nullptr);
  s.Background()->Image()->SetPercent(100);
  FillImage(s.Cache(), TRgb{9, 9, 9});
  s.PaintBG(s.Cache()->Pixels());
  EXPECT_EQ(PixelAt(s.Cache(), 4, 4), (TRgb{0, 0, 0}));
}

TEST(StylePaint, HotBackground) {
  FakeOwner o;
  o.bounds = Rect(0, 0, 20, 10);
  TsActiveBGStyle s(&o);
  s.SizeCache();
  s.KindCode = kind::Button;
  s.Background()->Gradient()->SetPercent(0);
  s.HotStyle()->HotBackground()->Gradient()->SetPercent(0);
  s.HotStyle()->HotPainting()->SetColor(0x00FF00);
  s.PaintBG(s.Cache()->Pixels());
  EXPECT_EQ(PixelAt(s.Cache(), 5, 5), RgbOf(0xCAC2B7));
  s.MouseOver = true;
  // Hot: always into the cache, whatever the caller passed.
  TsMemoryImage other(20, 10);
  FillImage(&other, TRgb{1, 1, 1});
  s.PaintBG(other.Pixels());
  EXPECT_EQ(PixelAt(s.Cache(), 5, 5), (TRgb{0, 255, 0}));
  EXPECT_EQ(PixelAt(&other, 5, 5), (TRgb{1, 1, 1}));
  // Hot picture share without a picture fills the hot colour, not the old image.
  s.HotStyle()->HotBackground()->Image()->SetPercent(100);
  FillImage(s.Cache(), TRgb{7, 7, 7});
  s.PaintBG(s.Cache()->Pixels());
  EXPECT_EQ(PixelAt(s.Cache(), 5, 5), (TRgb{0, 255, 0}));
}

TEST(StylePaint, ShadowHostPaintsChildrensShadows) {
  Scene s;
  s.child.Effects()->Shadow()->SetEnabled(true);
  s.PaintParent();
  // Right of and below the child by the offset (8): darker than the
  // background; far from it: the background.
  const TRgb shadow = PixelAt(s.parent.Cache(), 32, 22);
  EXPECT_LT(shadow.r + shadow.g + shadow.b, kParentRgb.r + kParentRgb.g + kParentRgb.b);
  EXPECT_EQ(PixelAt(s.parent.Cache(), 55, 2), kParentRgb);
  // Disabled, or the child invisible: no shadow.
  s.child_owner.visible = false;
  s.PaintParent();
  EXPECT_EQ(PixelAt(s.parent.Cache(), 32, 22), kParentRgb);
  s.child_owner.visible = true;
  s.child.Effects()->Shadow()->SetEnabled(false);
  s.PaintParent();
  EXPECT_EQ(PixelAt(s.parent.Cache(), 32, 22), kParentRgb);
  // A see-through child's transparency lightens its shadow.
  s.child.Effects()->Shadow()->SetEnabled(true);
  s.PaintParent();
  const TRgb dark = PixelAt(s.parent.Cache(), 32, 22);
  s.child.Painting()->SetTransparency(80);
  s.PaintParent();
  const TRgb light = PixelAt(s.parent.Cache(), 32, 22);
  EXPECT_GT(light.r + light.g + light.b, dark.r + dark.g + dark.b);
}

TEST(StylePaint, TransparencyAboveAHundredPaintsNothingAndCastsNoShadow) {
  Scene s;
  s.child.Effects()->Shadow()->SetEnabled(true);
  s.child.Painting()->SetTransparency(101);
  s.PaintParent();
  EXPECT_EQ(PixelAt(s.parent.Cache(), 32, 22), kParentRgb);
  FillImage(s.child.Cache(), TRgb{1, 2, 3});
  EXPECT_EQ(s.Child(5, 5), (TRgb{1, 2, 3})); // what the image held stays
  // Over a stock parent there is nothing to show through: the own background.
  s.child_owner.parent = nullptr;
  EXPECT_EQ(s.Child(5, 5), kOwnRgb);
}

TEST(StylePaint, AnOpaqueShadowIsASolidFillOfItsColour) {
  Scene s;
  TsShadow* sh = s.child.Effects()->Shadow();
  sh->SetEnabled(true);
  sh->SetColor(0x0000FF);
  sh->SetTransparency(0);
  s.PaintParent();
  // The child's bounds moved by the offset (8): (18, 16)-(38, 28), corners
  // and blurred edge included, in the colour itself.
  for (const TPoint p : {Point(18, 16), Point(37, 16), Point(18, 27), Point(37, 27), Point(30, 20)})
    EXPECT_EQ(PixelAt(s.parent.Cache(), p.X, p.Y), (TRgb{255, 0, 0})) << p.X << "," << p.Y;
  EXPECT_EQ(PixelAt(s.parent.Cache(), 38, 28), kParentRgb);
  // Fully transparent: nothing shows.
  sh->SetTransparency(100);
  s.PaintParent();
  EXPECT_EQ(PixelAt(s.parent.Cache(), 30, 20), kParentRgb);
}

TEST(StylePaint, BevelOfAnActiveStyle) {
  FakeOwner o;
  o.bounds = Rect(0, 0, 20, 10);
  TsActiveBGStyle s(&o);
  s.SizeCache();
  s.KindCode = kind::TrackBar;
  FillImage(s.Cache(), TRgb{128, 128, 128});
  s.PaintBevel(Rect(0, 0, 20, 10));
  // Width 1 raised: white top-left, black bottom-right, middle untouched.
  EXPECT_EQ(PixelAt(s.Cache(), 5, 0), (TRgb{255, 255, 255}));
  EXPECT_EQ(PixelAt(s.Cache(), 5, 9), (TRgb{0, 0, 0}));
  EXPECT_EQ(PixelAt(s.Cache(), 5, 5), (TRgb{128, 128, 128}));
}

TEST(StylePaint, GroupBoxEdges) {
  TsMemoryImage img(20, 20);
  FillImage(&img, TRgb{128, 128, 128});
  PaintBevelEdge(img.Pixels(), Rect(0, 0, 4, 20), TsEdge::Left, true, TsControlBevel::cbRaisedSoft);
  // Soft raised: the outer column takes the light grey, inner ones less.
  EXPECT_EQ(PixelAt(&img, 0, 5).r, 240);
  EXPECT_LT(PixelAt(&img, 3, 5).r, 240);
  EXPECT_GT(PixelAt(&img, 3, 5).r, 128);
  EXPECT_EQ(PixelAt(&img, 4, 5).r, 128);
  PaintBevelEdge(img.Pixels(), Rect(0, 16, 20, 20), TsEdge::Bottom, true, TsControlBevel::cbRaisedSoft);
  EXPECT_EQ(PixelAt(&img, 10, 19).r, 0);
  // Strips past the picture are clipped.
  PaintBevelEdge(img.Pixels(), Rect(-5, -5, 40, 2), TsEdge::Top, false, TsControlBevel::cbLoweredHard);
  const auto strips = GroupOuterStrips(100, 80, Rect(6, 0, 56, 19), 2);
  ASSERT_EQ(strips.size(), 8u);
  EXPECT_EQ(strips[0].r, Rect(0, 19, 2, 80));
  EXPECT_EQ(strips[5].r, Rect(53, 0, 56, 19));
  EXPECT_EQ(strips[7].r, Rect(97, 19, 100, 80));
}

}  // namespace
}  // namespace skins
