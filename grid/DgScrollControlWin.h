// The grid's window with its own scroll-bar objects.
//
// TDgCustomScrollControl scrolls two areas of its client separately
// (HorzScrollRect, VertScrollRect) when a bar moves; the distances come from
// HorzScrollDelta / VertScrollDelta, which the grid overrides.
// TDgScrollControl adds the two bars, the scroll requests of the user's
// clicks (WM_HSCROLL / WM_VSCROLL), the wheel switch and middle-button roll
// scrolling with its indicator. The rules are portable (DgScrollBar.h,
// DgRollState.h); this is their platform.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Controls.h"
#include "grid/DgCursors.h"
#include "grid/DgFlyoutControlWin.h"
#include "grid/DgRollState.h"
#include "grid/DgScrollBar.h"

class TDgCustomScrollControl : public TCustomControl, public IDgScrollHost {
 public:
  explicit TDgCustomScrollControl(TComponent* AOwner);

  TRect HorzScrollRect;
  TRect VertScrollRect;

  virtual int HorzScrollDelta(int OldPos, int NewPos) override { return 0; }
  virtual int VertScrollDelta(int OldPos, int NewPos) override { return 0; }
  virtual void BeforeScroll(int ScrollKind) {}
  virtual void AfterScroll(int ScrollKind) {}
  void ScrollContent(TDgCustomScrollBar* Bar, int DX, int DY) override;

  // Takes the keyboard focus when the control sits on a form.
  void FocusSelf();
  // Moves the focus on as the Tab key would.
  void TabToNext();

  // IDgScrollHost: the window's own bars.
  bool HandleAllocated() override { return TCustomControl::HandleAllocated(); }
  bool HostEnabled() override { return Enabled(); }
  void SetBarInfo(TDgScrollBarKind Bar, const TDgScrollInfo& Info, bool Redraw) override;
  void EnableArrows(TDgScrollBarKind Bar, int Arrows) override;
  void ShowBar(TDgScrollBarKind Bar, bool Show) override;
  int TrackPos(TDgScrollBarKind Bar) override;
  void SendScroll(TDgScrollBarKind Bar, int Code) override;

 protected:
  // The thumb position a scroll request carried.
  int message_thumb_ = 0;
  void CreateParams(TCreateParams& Params) override;
};

class TDgScrollControl : public TDgCustomScrollControl, private IDgRollPlatform {
 public:
  explicit TDgScrollControl(TComponent* AOwner);
  ~TDgScrollControl() override;

  TDgScrollBar* HorzScrollBar() { return &horz_; }
  TDgScrollBar* VertScrollBar() { return &vert_; }
  bool MouseWheelEnabled = true;
  bool RollEnabled = true;
  bool Rolling() const { return roll_.Rolling(); }
  TRollShadow* RollIndicator() const { return indicator_; }
  // The roll's current tick interval (ms).
  unsigned RollInterval() const { return roll_.Interval(); }

  TScrollEvent OnHorizontalScroll;
  TScrollEvent OnVerticalScroll;

 protected:
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // A wheel step while MouseWheelEnabled (the grid scrolls by it).
  virtual void WheelStep(int Delta, TShiftState Shift) {}
  // The mouse captured or let go; the pointer in client coordinates.
  void CaptureMouse(bool Capture) override;
  TPoint CursorPos() override;

 private:
  void ScrollRequest(TDgScrollBar& Bar, int Code);
  // IDgRollPlatform
  void SetRollCursor(int Cursor) override;
  void ShowRollIndicator(const TPoint& Anchor) override;
  void HideRollIndicator() override;
  void SetRollTimer(unsigned IntervalMs) override;
  void RollLineUp() override { vert_.LineUp(); }
  void RollLineDown() override { vert_.LineDown(); }

  TDgScrollBar horz_{this, TDgScrollBarKind::Horizontal};
  TDgScrollBar vert_{this, TDgScrollBarKind::Vertical};
  TRollShadow* indicator_ = nullptr;
  TDgRollState roll_{*this};
  bool timer_on_ = false;
};

// Loads the grid's cursors from the program's resources into the screen's
// cursor table (once); a missing one falls back to a standard cursor.
void DgRegisterCursors();
