// The rules of a control's place and size: anchor arithmetic when the parent
// is resized, the constraints' clamping and the order of the size events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/ControlLayoutCore.h"

using classlib::AnchoredBounds;
using classlib::CheckNewSize;

namespace {
const TRect kBase = Bounds(10, 20, 100, 50); // at a parent of 400 x 300
const TSize kParent{400, 300};

TRect Grown(TAnchors a, int dw, int dh) {
  return AnchoredBounds(a, kBase, kParent, TSize{kParent.cx + dw, kParent.cy + dh});
}

void ExpectRect(const TRect& r, int l, int t, int w, int h) {
  EXPECT_EQ(r.Left, l);
  EXPECT_EQ(r.Top, t);
  EXPECT_EQ(r.Width(), w);
  EXPECT_EQ(r.Height(), h);
}
} // namespace

TEST(Anchors, EachEdgeKeepsItsDistanceAndBothEdgesStretch) {
  ExpectRect(Grown({akLeft, akTop}, 60, 40), 10, 20, 100, 50);
  ExpectRect(Grown({akRight, akBottom}, 60, 40), 70, 60, 100, 50);
  ExpectRect(Grown({akLeft, akRight, akTop}, 60, 40), 10, 20, 160, 50);
  ExpectRect(Grown({akLeft, akTop, akBottom}, -30, 40), 10, 20, 100, 90);
  ExpectRect(Grown({akLeft, akTop, akRight, akBottom}, -60, -40), 10, 20, 40, 10);
  // Shrinking past the control leaves it empty, never negative.
  ExpectRect(Grown({akLeft, akRight, akTop}, -150, 0), 10, 20, 0, 50);
}

TEST(Anchors, WithNeitherEdgeTheCentreKeepsItsRelativePlace) {
  // Centre at 60 of 400: at 800 it is at 120; the size stays.
  ExpectRect(Grown({akTop}, 400, 0), 70, 20, 100, 50);
  // Centre at 45 of 300, at 150: 22.5 rounds to 23.
  ExpectRect(Grown({akLeft}, 0, -150), 10, -2, 100, 50);
  // At the base size nothing moves, and an empty base parent moves nothing.
  ExpectRect(Grown({}, 0, 0), 10, 20, 100, 50);
  ExpectRect(AnchoredBounds({}, kBase, TSize{0, 0}, TSize{500, 500}), 10, 20, 100, 50);
}

TEST(Anchors, GrowingAndShrinkingBackReturnsToTheStart) {
  // Every place is worked out from the base, so no rounding accumulates.
  for (TAnchors a : {TAnchors{}, TAnchors{akRight, akBottom}, TAnchors{akLeft, akRight}}) {
    const TRect back = AnchoredBounds(a, kBase, kParent, kParent);
    ExpectRect(back, 10, 20, 100, 50);
  }
}

TEST(SizeConstraints, LimitsNeverCrossAndNegativesCountAsNone) {
  TSizeConstraints c;
  int changes = 0;
  c.OnChange = [&](TObject*) { ++changes; };
  c.SetMaxWidth(200);
  c.SetMinWidth(300); // pulls the maximum up
  EXPECT_EQ(c.MaxWidth(), 300);
  c.SetMinHeight(80);
  c.SetMaxHeight(50); // pulls the minimum down
  EXPECT_EQ(c.MinHeight(), 50);
  c.SetMaxHeight(0); // no limit: the minimum stays
  EXPECT_EQ(c.MinHeight(), 50);
  c.SetMinWidth(-5);
  EXPECT_EQ(c.MinWidth(), 0);
  const int before = changes;
  c.SetMinWidth(0); // unchanged: nobody hears of it
  EXPECT_EQ(changes, before);
  TSizeConstraints copy;
  copy.Assign(&c);
  EXPECT_EQ(copy.MaxWidth(), 300);
  EXPECT_EQ(copy.MinHeight(), 50);
}

TEST(SizeRule, ClampsToTheLimitsWithZeroAsNoLimit) {
  TSizeConstraints c;
  int w = 5, h = 5000;
  EXPECT_TRUE(CheckNewSize(nullptr, w, h, c, nullptr, nullptr));
  EXPECT_EQ(w, 5);
  EXPECT_EQ(h, 5000);
  c.SetMinWidth(50);
  c.SetMaxHeight(400);
  EXPECT_TRUE(CheckNewSize(nullptr, w, h, c, nullptr, nullptr));
  EXPECT_EQ(w, 50);
  EXPECT_EQ(h, 400);
  w = -10; // a negative size is an empty one
  h = -10;
  c.SetMinWidth(0);
  EXPECT_TRUE(CheckNewSize(nullptr, w, h, c, nullptr, nullptr));
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
}

TEST(SizeRule, AsksCanResizeFirstThenConstrainedResizeThenClamps) {
  TSizeConstraints c;
  c.SetMaxWidth(300);
  std::vector<std::string> log;
  TCanResizeEvent can = [&](TObject*, int& nw, int& nh, bool& resize) {
    log.push_back("can " + std::to_string(nw) + "x" + std::to_string(nh));
    EXPECT_TRUE(resize);
    nw += 500; // the handler's size is what gets clamped
  };
  TConstrainedResizeEvent constrained = [&](TObject*, int& minW, int&, int& maxW, int& maxH) {
    log.push_back("constrained max " + std::to_string(maxW));
    EXPECT_EQ(minW, 0);
    maxW = 350; // the handler's limits are the ones applied
    maxH = 60;
  };
  int w = 100, h = 100;
  EXPECT_TRUE(CheckNewSize(nullptr, w, h, c, can, constrained));
  EXPECT_EQ(log, (std::vector<std::string>{"can 100x100", "constrained max 300"}));
  EXPECT_EQ(w, 350);
  EXPECT_EQ(h, 60);
  EXPECT_EQ(c.MaxWidth(), 300); // the constraints themselves are untouched
}

TEST(SizeRule, ARefusedSizeAsksNoFurtherAndChangesNothing) {
  TSizeConstraints c;
  c.SetMinWidth(500);
  bool constrainedAsked = false;
  int w = 100, h = 100;
  EXPECT_FALSE(CheckNewSize(
      nullptr, w, h, c,
      [](TObject*, int& nw, int&, bool& resize) {
        nw = 1;
        resize = false;
      },
      [&](TObject*, int&, int&, int&, int&) { constrainedAsked = true; }));
  EXPECT_FALSE(constrainedAsked);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 100);
}

TEST(SizeRule, ACrossedMinimumFromTheHandlerWins) {
  TSizeConstraints c;
  int w = 1000, h = 10;
  EXPECT_TRUE(CheckNewSize(nullptr, w, h, c, nullptr,
                           [](TObject*, int& minW, int& minH, int& maxW, int& maxH) {
                             minW = 200;
                             maxW = 100;
                             minH = 50;
                             maxH = 20;
                           }));
  EXPECT_EQ(w, 200);
  EXPECT_EQ(h, 50);
}
