// The rules of a control's place and size: anchor arithmetic when the parent
// is resized, the constraints' clamping and the order of the size events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/ControlLayoutCore.h"

using classlib::AnchoredBounds;
using classlib::CheckNewSize;

namespace {
const TRect kBase = Bounds(10, 20, 100, 50); // placed at a parent of 400 x 300

TRect Grown(TAnchors a, int dw, int dh) {
  return AnchoredBounds(a, kBase, TSize{400, 300}, TSize{400 + dw, 300 + dh});
}
} // namespace

TEST(Anchors, EdgesKeepTheirDistanceBothEdgesStretchNeitherKeepsTheCentresShare) {
  EXPECT_EQ(Grown({akLeft, akTop}, 60, 40), Bounds(10, 20, 100, 50));
  EXPECT_EQ(Grown({akRight, akBottom}, 60, 40), Bounds(70, 60, 100, 50));
  EXPECT_EQ(Grown({akLeft, akRight, akTop, akBottom}, -60, -40), Bounds(10, 20, 40, 10));
  // Shrinking past the control leaves it empty, never negative.
  EXPECT_EQ(Grown({akLeft, akRight, akTop}, -150, 0), Bounds(10, 20, 0, 50));
  // Centre 60 of 400 goes to 120 of 800; centre 45 of 300 to 22.5 (rounded) of 150.
  EXPECT_EQ(Grown({akTop}, 400, 0), Bounds(70, 20, 100, 50));
  EXPECT_EQ(Grown({akLeft}, 0, -150), Bounds(10, -2, 100, 50));
  // Back at the base size every kind of anchoring gives the base again.
  for (TAnchors a : {TAnchors{}, TAnchors{akRight, akBottom}, TAnchors{akLeft, akRight}})
    EXPECT_EQ(Grown(a, 0, 0), kBase);
  EXPECT_EQ(AnchoredBounds({}, kBase, TSize{0, 0}, TSize{500, 500}), kBase);
}

TEST(SizeRule, LimitsClampWithZeroAsNoneAndNeverCross) {
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
  // A limit set across the other pulls it along.
  c.SetMaxWidth(30);
  EXPECT_EQ(c.MinWidth(), 30);
  c.SetMinHeight(500);
  EXPECT_EQ(c.MaxHeight(), 500);
  // Limits crossed by OnConstrainedResize: the minimum holds.
  w = 1000;
  h = 10;
  EXPECT_TRUE(CheckNewSize(nullptr, w, h, c, nullptr,
                           [](TObject*, int& minW, int&, int& maxW, int&) {
                             minW = 200;
                             maxW = 100;
                           }));
  EXPECT_EQ(w, 200);
  EXPECT_EQ(h, 500);
}

TEST(SizeRule, AsksCanResizeThenConstrainedResizeAndARefusalEndsIt) {
  TSizeConstraints c;
  c.SetMaxWidth(300);
  std::vector<std::string> log;
  bool refuse = false;
  TCanResizeEvent can = [&](TObject*, int& nw, int& nh, bool& resize) {
    log.push_back("can " + std::to_string(nw) + "x" + std::to_string(nh));
    nw += 500; // the handler's size is what gets clamped
    resize = !refuse;
  };
  TConstrainedResizeEvent constrained = [&](TObject*, int&, int&, int& maxW, int& maxH) {
    log.push_back("constrained max " + std::to_string(maxW));
    maxW = 350; // the handler's limits are the ones applied
    maxH = 60;
  };
  int w = 100, h = 100;
  EXPECT_TRUE(CheckNewSize(nullptr, w, h, c, can, constrained));
  EXPECT_EQ(log, (std::vector<std::string>{"can 100x100", "constrained max 300"}));
  EXPECT_EQ(w, 350);
  EXPECT_EQ(h, 60);
  EXPECT_EQ(c.MaxWidth(), 300); // the constraints themselves are untouched
  refuse = true;
  log.clear();
  w = h = 100;
  EXPECT_FALSE(CheckNewSize(nullptr, w, h, c, can, constrained));
  EXPECT_EQ(log, std::vector<std::string>{"can 100x100"});
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 100);
}
