// The skinned track bar's rules: the range setter, the channel's turn, where
// ticks go for the counts a slider reports, the thumb outline per tick side
// and the packed selection.
#include <gtest/gtest.h>

#include <vector>

#include "skins/sTrackBarCore.h"

using namespace skins;

TEST(TrackRange, SetterClampsAndReportsOnlyWhatChanged) {
  TTrackRange r{0, 30, 15};
  // The same position: nothing to send, nothing to fire.
  EXPECT_FALSE(SetTrackRange(r, 15, 0, 30).Any());
  // Outside the range: the clamped value is stored.
  TRangeUpdate u = SetTrackRange(r, 99, 0, 30);
  EXPECT_TRUE(u.PositionChanged);
  EXPECT_FALSE(u.MinChanged || u.MaxChanged);
  EXPECT_EQ(r.Position, 30);
  // Narrowing below the position clamps it and reports the move.
  u = SetTrackRange(r, r.Position, 0, 10);
  EXPECT_TRUE(u.MaxChanged);
  EXPECT_TRUE(u.PositionChanged);
  EXPECT_EQ(r.Position, 10);
  // Widening leaves the position.
  u = SetTrackRange(r, r.Position, -5, 10);
  EXPECT_TRUE(u.MinChanged);
  EXPECT_FALSE(u.PositionChanged);
  EXPECT_EQ(r.Min, -5);
}

TEST(TrackChannel, VerticalTurnedOnlyWhenReportedLyingDown) {
  // Upright as reported (measured: 22 x 150 vertical gives (4,6)-(13,144)).
  TRect upright = Rect(4, 6, 13, 144);
  EXPECT_EQ(TrackChannel(upright, trVertical), upright);
  // As if horizontal: x and y exchanged.
  EXPECT_EQ(TrackChannel(Rect(6, 4, 144, 13), trVertical), upright);
  TRect flat = Rect(8, 8, 142, 12);
  EXPECT_EQ(TrackChannel(flat, trHorizontal), flat);
}

TEST(TrackTicks, PositionsForTheReportedCounts) {
  const TRect channel = Rect(8, 10, 142, 14); // 134 long
  const TRect thumb = Rect(60, 4, 70, 20);    // 10 wide
  // Fewer than two reported ticks: nothing (the step would divide by 0).
  EXPECT_TRUE(TickPositions(channel, thumb, trHorizontal, tsAuto, 0).empty());
  EXPECT_TRUE(TickPositions(channel, thumb, trHorizontal, tsAuto, 1).empty());
  EXPECT_EQ(TickPositions(channel, thumb, trHorizontal, tsAuto, 2), (std::vector<int>{13, 137}));
  // Seven: step 124 / 6 = 20.67, rounded from channel start + 5.
  EXPECT_EQ(TickPositions(channel, thumb, trHorizontal, tsAuto, 7),
            (std::vector<int>{13, 34, 54, 75, 96, 116, 137}));
  // tsManual: only the two ends, whatever the count.
  EXPECT_EQ(TickPositions(channel, thumb, trHorizontal, tsManual, 7), (std::vector<int>{13, 34}));
  EXPECT_EQ(TickPositions(channel, thumb, trHorizontal, tsManual, 2), (std::vector<int>{13, 137}));
}

TEST(TrackTicks, RectanglesPerSideAndOrientation) {
  // The equaliser's bar: 22 x 150, vertical, thumb 15 long, ticks right.
  const TRect channel = Rect(4, 6, 13, 144);
  const TRect thumb = Rect(2, 60, 20, 75); // 18 wide, 15 high
  auto right = TickRects(channel, thumb, trVertical, tsAuto, tmBottomRight, 7);
  ASSERT_EQ(right.size(), 7u);
  const int d = (18 - 9) / 2 + 2;
  for (const TRect& r : right) {
    EXPECT_EQ(r.Left, 13 + d);
    EXPECT_EQ(r.Width(), 5);
    EXPECT_EQ(r.Height(), 2);
  }
  EXPECT_EQ(right.front().Top, 6 + 7);
  EXPECT_EQ(right.back().Top, 144 - 15 + 7);
  auto both = TickRects(channel, thumb, trVertical, tsAuto, tmBoth, 7);
  ASSERT_EQ(both.size(), 14u);
  EXPECT_EQ(both[0].Right, 4 - d);
  // A vertical bar shows ticks only with tsAuto; a horizontal one also
  // shows the manual end ticks.
  EXPECT_TRUE(TickRects(channel, thumb, trVertical, tsManual, tmBottomRight, 2).empty());
  EXPECT_TRUE(TickRects(channel, thumb, trVertical, tsNone, tmBottomRight, 7).empty());
  const TRect hchannel = Rect(8, 10, 142, 14), hthumb = Rect(60, 4, 70, 20);
  auto ends = TickRects(hchannel, hthumb, trHorizontal, tsManual, tmTopLeft, 2);
  ASSERT_EQ(ends.size(), 2u);
  const int hd = (16 - 4) / 2 + 2;
  EXPECT_EQ(ends[0], Rect(13, 10 - hd - 5, 15, 10 - hd));
  auto below = TickRects(hchannel, hthumb, trHorizontal, tsAuto, tmBottomRight, 3);
  ASSERT_EQ(below.size(), 3u);
  EXPECT_EQ(below[1], Rect(75, 14 + hd, 77, 14 + hd + 5));
  EXPECT_TRUE(TickRects(hchannel, hthumb, trHorizontal, tsNone, tmBoth, 3).empty());
}

TEST(TrackThumb, OutlinePointsTowardsTheTicks) {
  const TRect v = Rect(2, 60, 20, 75); // vertical thumb, a = 7
  TThumbOutline o = ThumbOutline(v, trVertical, tmBottomRight);
  EXPECT_EQ(o.Light, (std::vector<TPoint>{{2, 74}, {2, 60}, {12, 60}, {19, 67}}));
  EXPECT_EQ(o.Dark, (std::vector<TPoint>{{2, 74}, {12, 74}, {19, 67}}));
  o = ThumbOutline(v, trVertical, tmTopLeft);
  EXPECT_EQ(o.Light, (std::vector<TPoint>{{2, 67}, {9, 60}, {19, 60}}));
  EXPECT_EQ(o.Dark, (std::vector<TPoint>{{19, 60}, {19, 74}, {9, 74}, {2, 67}}));

  const TRect h = Rect(60, 4, 70, 20); // horizontal thumb, a = 5
  o = ThumbOutline(h, trHorizontal, tmBottomRight);
  EXPECT_EQ(o.Light, (std::vector<TPoint>{{65, 19}, {60, 14}, {60, 4}, {70, 4}}));
  EXPECT_EQ(o.Dark, (std::vector<TPoint>{{69, 4}, {69, 14}, {65, 19}}));
  o = ThumbOutline(h, trHorizontal, tmTopLeft);
  EXPECT_EQ(o.Light, (std::vector<TPoint>{{60, 19}, {60, 9}, {65, 4}}));
  EXPECT_EQ(o.Dark, (std::vector<TPoint>{{65, 4}, {69, 9}, {69, 19}, {60, 19}}));

  o = ThumbOutline(v, trVertical, tmBoth);
  EXPECT_TRUE(o.Light.empty() && o.Dark.empty());
}

TEST(TrackSelection, PackedIntoSixteenBitsClampedNotWrapped) {
  EXPECT_EQ(PackSelection(3, 12), 3u | (12u << 16));
  EXPECT_EQ(PackSelection(70000, 100000), 0x7FFFu | (0x7FFFu << 16));
  EXPECT_EQ(PackSelection(-40000, -1), 0x8000u | (0xFFFFu << 16));
}
