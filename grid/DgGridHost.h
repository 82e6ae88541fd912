// What the grid needs of the window it lives in. The grid's classes are
// portable: every repaint, scroll, capture, cursor, timer, focus and message
// goes through this interface. The Windows window implements it; tests use
// a fake that records what the grid asked for. Without a host ("no window
// yet") the grid keeps its state and asks for nothing.
//
// Coordinates are client coordinates of the grid's window.
#pragma once

#include <cstdint>

#include "classlib/DrawTypes.h"
#include "classlib/Types.h"
#include "grid/DgTypes.h"

class TDgCanvas;
class TDgCustomColumn;
class TDgFont;
class TDgScrollBar;
class IDgThemes;

class IDgGridHost {
 public:
  virtual ~IDgGridHost() = default;

  // --- The window -----------------------------------------------------------------
  virtual bool HandleAllocated() = 0;
  virtual int ClientWidth() = 0;
  virtual int ClientHeight() = 0;
  // The window was made again with its border as given (static edge on or
  // off); the host keeps the grid's state.
  virtual void SetBorder(bool StaticEdge) = 0;
  // The non-client border is drawn again (themes, options).
  virtual void RepaintBorder() = 0;
  // The window's reading order (its own, or its parent's with ParentBiDiMode).
  virtual TBiDiMode BiDiMode() { return bdLeftToRight; }
  // The font of the window's parent into Font; false without a parent.
  virtual bool GetParentFont(TDgFont& Font) { return false; }

  // --- Repaints and scrolling -------------------------------------------------------
  virtual void Invalidate() = 0;
  virtual void InvalidateRect(const TRect& R) = 0;
  // Moves the pixels of Area by (DX, DY) and repaints the uncovered strip.
  virtual void ScrollPixels(int DX, int DY, const TRect& Area) = 0;
  // The areas a horizontal and a vertical bar movement shift.
  virtual void SetScrollAreas(const TRect& Horz, const TRect& Vert) = 0;
  // The window's own bars; they ask the grid for scroll distances (the
  // grid's HorzScrollDelta / VertScrollDelta) and call back
  // BeforeScroll / AfterScroll around a shift.
  virtual TDgScrollBar& HorzScrollBar() = 0;
  virtual TDgScrollBar& VertScrollBar() = 0;
  // For measuring outside painting (null when there is none).
  virtual TDgCanvas* Canvas() = 0;
  // The visual themes in use, null when off.
  virtual IDgThemes* Themes() = 0;

  // --- Input ---------------------------------------------------------------------
  virtual void SetCaptureMouse(bool Capture) = 0;
  virtual bool HasCapture() = 0;
  virtual void SetCursorShape(TCursor Cursor) = 0;
  virtual TPoint CursorPos() = 0;
  virtual TPoint ClientToScreen(const TPoint& P) = 0;
  virtual bool Focused() = 0;
  virtual void SetFocus() = 0;
  // Hands the key (a Tab) to the parent window, moving the focus on.
  virtual void PostKeyToParent(int Key) = 0;

  // --- Time and messages ------------------------------------------------------------
  // The host calls the grid's TimerFired(Id) every Ms until stopped.
  virtual void StartTimer(int Id, int Ms) = 0;
  virtual void StopTimer(int Id) = 0;
  // Milliseconds of a steady clock (a fake clock in tests).
  virtual unsigned long long TickCount() = 0;
  // Queued; the host later calls the grid's HandlePosted(Msg, W, L).
  virtual void PostGridMessage(int Msg, intptr_t W, intptr_t L) = 0;

  // --- Hints ---------------------------------------------------------------------
  // Text at Place's top-left corner, no wider than Place (lines break past
  // that) and at least as high.
  virtual void ShowHint(const WideString& Text, const TRect& Place) = 0;
  virtual void HideHint() = 0;

  // --- Editing (in-place editor seam) ------------------------------------------------
  // Add members here with a default body so the fake and the window keep
  // compiling; override them in both.
  // A text the edited column cannot take (the cell keeps its value): shown
  // to the person once the current message is over.
  virtual void ReportEditError(const WideString& Message) {}

  // --- Mouse (drag box, arrows) ------------------------------------------------------
  // The column's header image appears at ScreenRect and follows the mouse
  // from ScreenMouse; the host then reports each move and the drop to the
  // grid's ColumnDragMove / ColumnDragDrop (screen coordinates), or
  // ColumnDragCancelled when the drag ends without a drop.
  virtual void StartColumnDrag(TDgCustomColumn* Column, const TRect& ScreenRect,
                               const TPoint& ScreenMouse) {}
  // Hides the box and stops its tracking (the grid ended the drag itself).
  virtual void EndColumnDrag() {}
  // The two drop arrows at their top-left corners (screen); Show false
  // hides both.
  virtual void ShowDropArrows(bool Show, const TPoint& Upper, const TPoint& Lower) {}
  // The cursor while a column is dragged (the box holds the mouse then).
  virtual void SetColumnDragCursor(TCursor Cursor) {}
  // Middle-button roll scrolling is under way (the grid ignores the mouse).
  virtual bool Rolling() { return false; }
  // Hints show only while the grid's form is the active form; cell, header
  // and footer hints also need the application's hint switch.
  virtual bool FormActive() { return true; }
  virtual bool ApplicationShowHint() { return true; }
};
