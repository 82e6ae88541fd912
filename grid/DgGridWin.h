// TDataGridWindow: the window a form places to show a grid. The grid itself
// (TDataGrid, Grid()) is portable and reaches the window only through
// IDgGridHost; this class is that host on Windows: it paints the grid
// double-buffered on GDI, hands it every key, character, mouse, wheel, focus,
// capture, timer and posted message, scrolls its pixels with the window's own
// bars and draws the border the grid chooses.
#pragma once

#include <deque>
#include <memory>

#include "classlib/Controls.h"
#include "grid/DgCanvasWin.h"
#include "grid/DgGrid.h"
#include "grid/DgGridHost.h"
#include "grid/DgGridMouseWin.h"
#include "grid/DgScrollControlWin.h"
#include "grid/DgThemesSupportWin.h"

class THintWindow;

class TDataGridWindow : public TDgScrollControl, public IDgGridHost {
 public:
  explicit TDataGridWindow(TComponent* AOwner);
  ~TDataGridWindow() override;

  TDataGrid* Grid() { return grid_.get(); }

  // --- IDgGridHost -----------------------------------------------------------------
  bool HandleAllocated() override { return TDgScrollControl::HandleAllocated(); }
  int ClientWidth() override { return ClientRect().Width(); }
  int ClientHeight() override { return ClientRect().Height(); }
  void SetBorder(bool StaticEdge) override;
  void RepaintBorder() override;
  TBiDiMode BiDiMode() override { return TDgScrollControl::BiDiMode(); }
  bool GetParentFont(TDgFont& Font) override;
  void SetParent(TWinControl* AParent) override;
  void Invalidate() override { TDgScrollControl::Invalidate(); }
  void InvalidateRect(const TRect& R) override;
  void ScrollPixels(int DX, int DY, const TRect& Area) override;
  void SetScrollAreas(const TRect& Horz, const TRect& Vert) override;
  TDgScrollBar& HorzScrollBar() override { return *TDgScrollControl::HorzScrollBar(); }
  TDgScrollBar& VertScrollBar() override { return *TDgScrollControl::VertScrollBar(); }
  TDgCanvas* Canvas() override;
  IDgThemes* Themes() override;
  void SetCaptureMouse(bool Capture) override;
  bool HasCapture() override;
  void SetCursorShape(TCursor Cursor) override;
  TPoint CursorPos() override;
  TPoint ClientToScreen(const TPoint& P) override { return TDgScrollControl::ClientToScreen(P); }
  // The window or a window inside it (the in-place editor) has the focus.
  bool Focused() override;
  void SetFocus() override;
  void PostKeyToParent(int Key) override;
  void StartTimer(int Id, int Ms) override;
  void StopTimer(int Id) override;
  unsigned long long TickCount() override;
  void PostGridMessage(int Msg, intptr_t W, intptr_t L) override;
  // The hint at Place's top-left, at most Place's width wide.
  void ShowHint(const WideString& Text, const TRect& Place) override;
  void HideHint() override;
  // A text the edited column could not take, shown once the message that
  // found it is over (never from inside a focus change or a key).
  void ReportEditError(const WideString& Message) override;

  // --- The scroll control's distances come from the grid ----------------------------
  int HorzScrollDelta(int OldPos, int NewPos) override;
  int VertScrollDelta(int OldPos, int NewPos) override;
  void BeforeScroll(int ScrollKind) override;
  void AfterScroll(int ScrollKind) override;

  // ===== mouse (gridmouse) =====
  void StartColumnDrag(TDgCustomColumn* Column, const TRect& ScreenRect,
                       const TPoint& ScreenMouse) override;
  void EndColumnDrag() override;
  void ShowDropArrows(bool Show, const TPoint& Upper, const TPoint& Lower) override;
  void SetColumnDragCursor(TCursor Cursor) override;
  bool Rolling() override { return TDgScrollControl::Rolling(); }
  // The grid's form is the active window.
  bool FormActive() override;
  bool ApplicationShowHint() override;
  TDgColumnDragFeedback* DragFeedback() const { return drag_.get(); }
  // The hint window, once a hint was shown (null before).
  THintWindow* HintWindow() const;
  // ===== end of mouse =====

  // The window's id of a grid timer (WM_TIMER's wParam).
  // Clear of the scroll control's roll timer (0x4752), which must reach it.
  static constexpr UINT_PTR TimerBase = 0x4900;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Resize() override;
  void WheelStep(int Delta, TShiftState Shift) override;

 private:
  void PaintBorder();
  void DeliverPosted();

  std::unique_ptr<TDataGrid> grid_;
  // A memory surface for measuring text while nothing is painted.
  HDC measure_dc_ = nullptr;
  HBITMAP measure_bmp_ = nullptr;
  HGDIOBJ measure_old_ = nullptr;
  std::unique_ptr<TDgGdiCanvas> measure_canvas_;
  TDgUxThemes themes_;
  bool static_edge_ = true;
  TCursor cursor_shape_ = crDefault;
  struct Posted {
    int Msg = 0;
    intptr_t W = 0, L = 0;
  };
  std::deque<Posted> posted_;
  std::deque<WideString> edit_errors_;
  THintWindow* hint_ = nullptr;
  // ===== mouse state (gridmouse) =====
  std::unique_ptr<TDgColumnDragFeedback> drag_;
  // ===== end of mouse state =====
  // A button-up is being handled (its capture release is our own).
  bool releasing_ = false;
};
