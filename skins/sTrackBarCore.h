// The skinned track bar's rules, free of Windows: the range setter, where
// the channel, the ticks and the thumb's outline go, and the selection as
// the slider window takes it.
//
// The slider window reports its channel, thumb and tick count; these
// functions turn them into what the control paints. A vertical slider may
// report its channel as if it lay horizontally (some systems do, others
// report it upright): it is turned only when it comes wider than tall.
// Ticks are spread evenly between the thumb's centre at either end, so they
// need at least two reported ticks; with fewer none are drawn.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/Types.h"

namespace skins {

// Min <= Position <= Max always holds.
struct TTrackRange {
  int Min = 0, Max = 100, Position = 0;
};

// What the range setter changed, in the order the window must be told.
struct TRangeUpdate {
  bool MinChanged = false, MaxChanged = false, PositionChanged = false;
  bool Any() const { return MinChanged || MaxChanged || PositionChanged; }
};

// The range setter: the position is clamped into [min, max] (the caller
// keeps min <= max), then each part that differs from `r` is stored.
TRangeUpdate SetTrackRange(TTrackRange& r, int position, int min, int max);

// The channel to paint from the one the window reports.
TRect TrackChannel(const TRect& reported, TTrackBarOrientation o);

// Ticks along the slider's axis (x for horizontal, y for vertical): `count`
// ticks (the window's count for tsAuto, 2 otherwise) at round(i * step +
// channel start + thumb length / 2), step = (channel length - thumb length)
// / (reported - 1). Empty below two reported ticks.
std::vector<int> TickPositions(const TRect& channel, const TRect& thumb, TTrackBarOrientation o,
                               TTickStyle style, int reported);

// The tick rectangles to frame: 2 x 5 pixels beside the channel on the
// tick-mark side(s), as far out as the thumb reaches plus 2. A horizontal
// slider shows ticks unless tsNone; a vertical one only with tsAuto.
std::vector<TRect> TickRects(const TRect& channel, const TRect& thumb, TTrackBarOrientation o,
                             TTickStyle style, TTickMark marks, int reported);

// The thumb's outline: a light polyline (up and left) and a dark one (down
// and right), pointed towards the tick side. tmBoth has none.
struct TThumbOutline {
  std::vector<TPoint> Light, Dark;
};
TThumbOutline ThumbOutline(const TRect& thumb, TTrackBarOrientation o, TTickMark marks);

// The selection as TBM_SETSEL packs it: start in the low, end in the high
// 16 bits, each clamped to a signed 16-bit value (the slider reads them so)
// rather than wrapped.
uint32_t PackSelection(int start, int end);

} // namespace skins
