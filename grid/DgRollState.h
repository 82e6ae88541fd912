// Middle-button roll scrolling: press the middle button, and the content
// scrolls up or down while the pointer stays above or below the press point,
// the faster the farther away. TDgRollState holds the rules; the scroll
// control gives it the platform (cursor, indicator, timer, capture) through
// IDgRollPlatform. Rolling ends on any button release and when the mouse
// capture goes elsewhere (another window, a message box, a task switch).
#pragma once

#include "classlib/Types.h"

namespace DgRollCursor {
constexpr int Roll = 4003, RollUp = 4004, RollDown = 4005;
}

class IDgRollPlatform {
 public:
  virtual ~IDgRollPlatform() = default;
  // The screen cursor and the indicator's cursor (0: the default cursor).
  virtual void SetRollCursor(int Cursor) = 0;
  // The indicator centred on Anchor (client coordinates), or hidden.
  virtual void ShowRollIndicator(const TPoint& Anchor) = 0;
  virtual void HideRollIndicator() = 0;
  // Interval 0 stops the timer.
  virtual void SetRollTimer(unsigned IntervalMs) = 0;
  virtual void CaptureMouse(bool Capture) = 0;
  // The pointer in client coordinates.
  virtual TPoint CursorPos() = 0;
  virtual void RollLineUp() = 0;
  virtual void RollLineDown() = 0;
};

enum class TDgRollDirection { None, Up, Down };

class TDgRollState {
 public:
  explicit TDgRollState(IDgRollPlatform& Platform) : platform_(Platform) {}

  bool Rolling() const { return rolling_; }
  TDgRollDirection Direction() const { return direction_; }
  TPoint Anchor() const { return anchor_; }
  unsigned Interval() const { return interval_; }
  int Cursor() const { return cursor_; }

  // The middle button went down at P (the caller checks RollEnabled).
  void Start(const TPoint& P);
  void MouseMove(const TPoint& P);
  void TimerTick();
  // A button went up, or the capture was lost: rolling ends.
  void Stop();

  // The tick interval for a pointer DY pixels from the anchor.
  static unsigned IntervalFor(int DY);

 private:
  void ShowCursor(int c);
  IDgRollPlatform& platform_;
  bool rolling_ = false;
  TDgRollDirection direction_ = TDgRollDirection::None;
  TPoint anchor_;
  unsigned interval_ = 1;
  int cursor_ = 0;
};
