// Snapping geometry and glue bookkeeping of the window-snapping component.
#include "components/MagneticCore.h"

#include <algorithm>
#include <cstdlib>

bool RectsAdjoin(const TRect& A, const TRect& B) {
  const std::int64_t uw = std::max(A.Right, B.Right) - std::int64_t{std::min(A.Left, B.Left)};
  const std::int64_t uh = std::max(A.Bottom, B.Bottom) - std::int64_t{std::min(A.Top, B.Top)};
  if (std::int64_t{A.Width()} + B.Width() < uw) return false;   // gap in x
  if (std::int64_t{A.Height()} + B.Height() < uh) return false; // gap in y
  return A.Left == B.Left || A.Left == B.Right || A.Right == B.Left || A.Right == B.Right ||
         A.Top == B.Top || A.Top == B.Bottom || A.Bottom == B.Top || A.Bottom == B.Bottom;
}

namespace components {

bool NearInY(const TRect& M, const TRect& R, std::int32_t sw) {
  return M.Top < R.Bottom + sw && R.Top - sw < M.Bottom;
}

bool NearInX(const TRect& M, const TRect& R, std::int32_t sw) {
  return M.Left < R.Right + sw && R.Left - sw < M.Right;
}

int MagneticCore::IndexOfWindow(WindowId wnd) const {
  for (int i = 1; i <= Count(); ++i)
    if (items_[i].Wnd == wnd) return i;
  return -1;
}

bool MagneticCore::AddWindow(WindowId wnd, WindowId glueParent) {
  if (IndexOfWindow(wnd) != -1 || !windows_.IsWindow(wnd)) return false;
  if (glueParent != 0 && !windows_.IsWindow(glueParent)) return false;
  Entry e;
  e.Wnd = wnd;
  e.GlueParent = glueParent == wnd ? 0 : glueParent;
  items_.push_back(e);
  rects_.emplace_back();
  RefreshGlue();
  return true;
}

bool MagneticCore::RemoveWindow(WindowId wnd) {
  const int i = IndexOfWindow(wnd);
  if (i < 0) return false;
  items_.erase(items_.begin() + i);
  rects_.pop_back();
  for (auto& e : items_)
    if (e.GlueParent == wnd) e.GlueParent = 0;
  RefreshGlue();
  return true;
}

void MagneticCore::RefreshGlue() {
  const int n = Count();
  for (int i = 1; i <= n; ++i) {
    rects_[i] = windows_.WindowRect(items_[i].Wnd);
    items_[i].Glued = false;
  }
  std::vector<bool> visible(static_cast<size_t>(n) + 1, false);
  for (int i = 1; i <= n; ++i) visible[i] = windows_.IsVisible(items_[i].Wnd);
  for (int i = 1; i <= n; ++i) {
    if (!visible[i] || items_[i].GlueParent == 0) continue;
    const int p = IndexOfWindow(items_[i].GlueParent);
    if (p > 0) items_[i].Glued = RectsAdjoin(rects_[p], rects_[i]);
  }
  // A chain of touching windows with one glue parent sticks together.
  for (int pass = 0; pass < n; ++pass)
    for (int j = 1; j <= n; ++j) {
      if (!visible[j] || !items_[j].Glued) continue;
      for (int k = 1; k <= n; ++k) {
        if (k == j || !visible[k] || items_[k].Glued) continue;
        if (items_[k].GlueParent != items_[j].GlueParent) continue;
        items_[k].Glued = RectsAdjoin(rects_[j], rects_[k]);
      }
    }
}

void MagneticCore::EnterSizeMove(WindowId wnd) {
  const TRect work = windows_.WorkArea();
  rects_[0] = work;
  for (int i = 1; i <= Count(); ++i) {
    const WindowId w = items_[i].Wnd;
    rects_[i] = windows_.IsMaximized(w) ? work : windows_.WindowRect(w);
    if (w == wnd) {
      start_cursor_ = windows_.CursorPos();
      drag_offset_ = {rects_[i].Left - start_cursor_.X, rects_[i].Top - start_cursor_.Y};
    }
  }
}

bool MagneticCore::Candidate(int i, WindowId wnd) const {
  if (i == 0) return true; // the work area
  return items_[i].Wnd != wnd && windows_.IsVisible(items_[i].Wnd);
}

bool MagneticCore::GluedTo(int i, WindowId wnd) const {
  return i > 0 && items_[i].Glued && items_[i].GlueParent == wnd;
}

void MagneticCore::SnapSizing(WindowId wnd, TRect& S, SizingEdge edge) const {
  const TRect S0 = S;
  const std::int32_t sw = snap_width_;
  auto snap = [sw](std::int32_t from, std::int32_t& to, const TRect& R, bool horizontal) {
    const std::int32_t a = horizontal ? R.Left : R.Top;
    const std::int32_t b = horizontal ? R.Right : R.Bottom;
    if (std::abs(from - a) < sw) to = a;
    if (std::abs(from - b) < sw) to = b;
  };
  using E = SizingEdge;
  const bool left = edge == E::Left || edge == E::TopLeft || edge == E::BottomLeft;
  const bool right = edge == E::Right || edge == E::TopRight || edge == E::BottomRight;
  const bool top = edge == E::Top || edge == E::TopLeft || edge == E::TopRight;
  const bool bottom = edge == E::Bottom || edge == E::BottomLeft || edge == E::BottomRight;
  for (int i = 0; i <= Count(); ++i) {
    if (!Candidate(i, wnd)) continue;
    const TRect& R = rects_[i];
    if (NearInY(S, R, sw)) {
      if (left) snap(S0.Left, S.Left, R, true);
      if (right) snap(S0.Right, S.Right, R, true);
    }
    if (NearInX(S, R, sw)) {
      if (top) snap(S0.Top, S.Top, R, false);
      if (bottom) snap(S0.Bottom, S.Bottom, R, false);
    }
  }
}

namespace {

// One axis: the shift that lays an edge of [low, high] within sw of an edge of
// [rLow, rHigh] onto it. Each pair checked later wins over an earlier one.
void SnapEdges(std::int32_t low, std::int32_t high, std::int32_t rLow, std::int32_t rHigh,
               std::int32_t sw, std::int32_t& d) {
  if (std::abs(low - rLow) < sw) d = rLow - low;
  if (std::abs(low - rHigh) < sw) d = rHigh - low;
  if (std::abs(high - rLow) < sw) d = rLow - high;
  if (std::abs(high - rHigh) < sw) d = rHigh - high;
}

} // namespace

void MagneticCore::SnapX(const TRect& M, const TRect& R, std::int32_t& DX) const {
  SnapEdges(M.Left, M.Right, R.Left, R.Right, snap_width_, DX);
}

void MagneticCore::SnapY(const TRect& M, const TRect& R, std::int32_t& DY) const {
  SnapEdges(M.Top, M.Bottom, R.Top, R.Bottom, snap_width_, DY);
}

void MagneticCore::SnapMoving(WindowId wnd, TRect& M) {
  const int w = IndexOfWindow(wnd);
  if (w < 0) return;
  const std::int32_t sw = snap_width_;
  // The window follows the cursor; the system's proposal is ignored.
  cur_cursor_ = windows_.CursorPos();
  const std::int32_t width = M.Width(), height = M.Height();
  M = Bounds(cur_cursor_.X + drag_offset_.X, cur_cursor_.Y + drag_offset_.Y, width, height);

  std::int32_t DX = 0, DY = 0;
  for (int i = 0; i <= Count(); ++i) {
    if (!Candidate(i, wnd) || GluedTo(i, wnd)) continue;
    const TRect& R = rects_[i];
    if (NearInY(M, R, sw)) SnapX(M, R, DX);
    if (NearInX(M, R, sw)) SnapY(M, R, DY);
  }

  // The glued windows snap too, where they would go.
  const std::int32_t cx = cur_cursor_.X - start_cursor_.X, cy = cur_cursor_.Y - start_cursor_.Y;
  std::vector<int> glued;
  for (int c = 1; c <= Count(); ++c)
    if (GluedTo(c, wnd) && windows_.IsVisible(items_[c].Wnd)) glued.push_back(c);
  for (int c : glued) {
    TRect C = rects_[c];
    C.Offset(cx, cy);
    for (int j = 1; j <= Count(); ++j) {
      if (j == c || items_[j].Glued || items_[j].Wnd == wnd) continue;
      if (!windows_.IsVisible(items_[j].Wnd)) continue;
      const TRect& R = rects_[j];
      if (NearInY(C, R, sw)) SnapX(C, R, DX);
      if (NearInX(C, R, sw)) SnapY(C, R, DY);
    }
  }

  M.Offset(DX, DY);

  if (glued.empty()) return;
  std::vector<WindowMove> moves;
  for (int c : glued)
    moves.push_back({items_[c].Wnd, rects_[c].Left + M.Left - rects_[w].Left,
                     rects_[c].Top + M.Top - rects_[w].Top});
  windows_.MoveWindows(moves);
}

} // namespace components
