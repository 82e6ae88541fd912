// Plain types shared by the portable code and the window classes: TPoint,
// TSize, TRect (edges, right and bottom exclusive) and their helpers, the
// modal result of a dialog, and a slider's orientation and ticks (the stock
// and the skinned track bar share them).
#pragma once

struct TPoint {
  int X = 0, Y = 0;
  bool operator==(const TPoint& o) const { return X == o.X && Y == o.Y; }
  bool operator!=(const TPoint& o) const { return !(*this == o); }
};

struct TSize {
  int cx = 0, cy = 0;
};

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(const TPoint& p) const {
    return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
  }
  void Offset(int dx, int dy) {
    Left += dx;
    Right += dx;
    Top += dy;
    Bottom += dy;
  }
  bool operator==(const TRect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
  bool operator!=(const TRect& o) const { return !(*this == o); }
};

inline TPoint Point(int x, int y) { return TPoint{x, y}; }
inline TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }
inline TRect Bounds(int l, int t, int w, int h) { return TRect{l, t, l + w, t + h}; }
inline bool PtInRect(const TRect& r, const TPoint& p) { return r.Contains(p); }
// The overlap of a and b; false (and an empty rectangle) when they don't meet.
inline bool IntersectRect(TRect& out, const TRect& a, const TRect& b) {
  out = TRect{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
              a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
  if (out.IsEmpty()) {
    out = TRect{};
    return false;
  }
  return true;
}

// How a modal dialog ended; the values are the system's button ids (IDOK 1,
// IDCANCEL 2, ... IDNO 7).
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                       mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

// A slider's axis, the side its ticks and thumb point to, and which ticks it
// shows (every Frequency positions, only the ends, none).
enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };
