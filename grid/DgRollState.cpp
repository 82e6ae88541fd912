// Middle-button roll scrolling (see DgRollState.h).
#include "grid/DgRollState.h"

#include <cstdlib>

unsigned TDgRollState::IntervalFor(int DY) {
  const int v = 100 - std::abs(DY);
  return unsigned(v < 1 ? 1 : v);
}

void TDgRollState::ShowCursor(int c) {
  // Only changes reach the platform: setting the screen cursor may make the
  // system report the pointer again, and each report would set it anew.
  if (c == cursor_) return;
  cursor_ = c;
  platform_.SetRollCursor(c);
}

void TDgRollState::Start(const TPoint& P) {
  rolling_ = true;
  direction_ = TDgRollDirection::None;
  anchor_ = P;
  cursor_ = -1; // shown whatever was shown before
  ShowCursor(DgRollCursor::Roll);
  platform_.ShowRollIndicator(P);
  interval_ = 1;
  platform_.SetRollTimer(interval_);
  platform_.CaptureMouse(true);
}

void TDgRollState::MouseMove(const TPoint& P) {
  if (!rolling_) return;
  const int dy = P.Y - anchor_.Y;
  if (dy < -5) {
    direction_ = TDgRollDirection::Up;
    ShowCursor(DgRollCursor::RollUp);
  } else if (dy <= 5) {
    direction_ = TDgRollDirection::None;
    ShowCursor(DgRollCursor::Roll);
  } else {
    direction_ = TDgRollDirection::Down;
    ShowCursor(DgRollCursor::RollDown);
  }
}

void TDgRollState::TimerTick() {
  if (!rolling_) return;
  const int dy = platform_.CursorPos().Y - anchor_.Y;
  const unsigned next = IntervalFor(dy);
  if (next != interval_) {
    interval_ = next;
    platform_.SetRollTimer(interval_);
  }
  if (direction_ == TDgRollDirection::Up)
    platform_.RollLineUp();
  else if (direction_ == TDgRollDirection::Down)
    platform_.RollLineDown();
}

void TDgRollState::Stop() {
  if (!rolling_) return;
  // Cleared first: releasing the capture reports a lost capture back here.
  rolling_ = false;
  direction_ = TDgRollDirection::None;
  platform_.SetRollTimer(0);
  platform_.HideRollIndicator();
  ShowCursor(0);
  platform_.CaptureMouse(false);
}
