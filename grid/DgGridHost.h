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
  virtual void ShowHint(const WideString& Text, const TRect& CellRect) = 0;
  virtual void HideHint() = 0;

  // --- Editing (in-place editor seam) ------------------------------------------------
  // Add members here with a default body so the fake and the window keep
  // compiling; override them in both.

  // --- Mouse (drag box, arrows) ------------------------------------------------------
  // Add members here with a default body so the fake and the window keep
  // compiling; override them in both.
};
