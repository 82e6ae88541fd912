// The skinned track bar's rules (see sTrackBarCore.h).
#include "skins/sTrackBarCore.h"

#include <cmath>

namespace skins {

TRangeUpdate SetTrackRange(TTrackRange& r, int position, int min, int max) {
  TRangeUpdate u;
  if (position < min) position = min;
  if (position > max) position = max;
  if (min != r.Min) {
    r.Min = min;
    u.MinChanged = true;
  }
  if (max != r.Max) {
    r.Max = max;
    u.MaxChanged = true;
  }
  if (position != r.Position) {
    r.Position = position;
    u.PositionChanged = true;
  }
  return u;
}

TRect TrackChannel(const TRect& reported, TTrackBarOrientation o) {
  if (o != trVertical || reported.Width() <= reported.Height()) return reported;
  return Rect(reported.Top, reported.Left, reported.Bottom, reported.Right);
}

std::vector<int> TickPositions(const TRect& channel, const TRect& thumb, TTrackBarOrientation o,
                               TTickStyle style, int reported) {
  std::vector<int> out;
  if (reported < 2) return out;
  const bool vertical = o == trVertical;
  const int start = vertical ? channel.Top : channel.Left;
  const int length = vertical ? channel.Height() : channel.Width();
  const int thumb_length = vertical ? thumb.Height() : thumb.Width();
  const double step = static_cast<double>(length - thumb_length) / (reported - 1);
  const int count = style == tsAuto ? reported : 2;
  for (int i = 0; i < count; ++i)
    out.push_back(static_cast<int>(std::lround(i * step + start + thumb_length / 2)));
  return out;
}

std::vector<TRect> TickRects(const TRect& channel, const TRect& thumb, TTrackBarOrientation o,
                             TTickStyle style, TTickMark marks, int reported) {
  std::vector<TRect> out;
  const bool vertical = o == trVertical;
  if (style == tsNone || (vertical && style != tsAuto)) return out;
  const bool before = marks == tmTopLeft || marks == tmBoth;
  const bool after = marks == tmBottomRight || marks == tmBoth;
  constexpr int kLength = 5, kThickness = 2;
  for (int p : TickPositions(channel, thumb, o, style, reported)) {
    if (vertical) {
      const int d = (thumb.Width() - channel.Width()) / 2 + 2;
      if (before)
        out.push_back(Rect(channel.Left - d - kLength, p, channel.Left - d, p + kThickness));
      if (after)
        out.push_back(Rect(channel.Right + d, p, channel.Right + d + kLength, p + kThickness));
    } else {
      const int d = (thumb.Height() - channel.Height()) / 2 + 2;
      if (before) out.push_back(Rect(p, channel.Top - d - kLength, p + kThickness, channel.Top - d));
      if (after)
        out.push_back(Rect(p, channel.Bottom + d, p + kThickness, channel.Bottom + d + kLength));
    }
  }
  return out;
}

TThumbOutline ThumbOutline(const TRect& t, TTrackBarOrientation o, TTickMark marks) {
  const int L = t.Left, T = t.Top, R = t.Right, B = t.Bottom;
  const bool vertical = o == trVertical;
  const int a = vertical ? t.Height() / 2 : t.Width() / 2;
  switch (marks) {
    case tmBottomRight:
      if (vertical)
        return {{{L, B - 1}, {L, T}, {R - a - 1, T}, {R - 1, T + a}},
                {{L, B - 1}, {R - a - 1, B - 1}, {R - 1, B - 1 - a}}};
      return {{{L + a, B - 1}, {L, B - 1 - a}, {L, T}, {R, T}},
              {{R - 1, T}, {R - 1, B - a - 1}, {L + a, B - 1}}};
    case tmTopLeft:
      if (vertical)
        return {{{L, T + a}, {L + a, T}, {R - 1, T}},
                {{R - 1, T}, {R - 1, B - 1}, {L + a, B - 1}, {L, B - a - 1}}};
      return {{{L, B - 1}, {L, T + a}, {L + a, T}},
              {{L + a, T}, {R - 1, T + a}, {R - 1, B - 1}, {L, B - 1}}};
    case tmBoth: break;
  }
  return {};
}

uint32_t PackSelection(int start, int end) {
  auto clamp16 = [](int v) -> uint32_t {
    if (v < -32768) v = -32768;
    if (v > 32767) v = 32767;
    return static_cast<uint16_t>(static_cast<int16_t>(v));
  };
  return clamp16(start) | (clamp16(end) << 16);
}

} // namespace skins
