// The snapping and gluing rules of the window-snapping component, free of
// Windows: registered windows snap to each other and to the work area while
// moved or resized, and side windows touching their glue parent follow it.
// The windowing system is reached through IWindowSystem, so tests can run the
// rules against a table of fake windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/Types.h"

namespace components {

using WindowId = std::uintptr_t; // a window handle; pointer-sized

struct WindowMove {
  WindowId Wnd = 0;
  std::int32_t X = 0, Y = 0;
};

// What snapping needs to know about, and do to, the windows.
class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;
  virtual bool IsWindow(WindowId wnd) const = 0;
  virtual bool IsVisible(WindowId wnd) const = 0;
  virtual bool IsMaximized(WindowId wnd) const = 0;
  virtual TRect WindowRect(WindowId wnd) const = 0;
  virtual TRect WorkArea() const = 0;
  virtual TPoint CursorPos() const = 0;
  // Moves the windows to new top-left positions (size and z-order kept),
  // all in one batch.
  virtual void MoveWindows(const std::vector<WindowMove>& moves) = 0;
};

} // namespace components

// A and B touch: no gap between them in x or y, and one edge coordinate shared.
bool RectsAdjoin(const TRect& A, const TRect& B);
namespace components {

// M's vertical extent comes within snapWidth of R's (strictly).
bool NearInY(const TRect& M, const TRect& R, std::int32_t snapWidth);
// M's horizontal extent comes within snapWidth of R's (strictly).
bool NearInX(const TRect& M, const TRect& R, std::int32_t snapWidth);

// Edge codes of a resize (WM_SIZING's WPARAM).
enum class SizingEdge : int {
  Left = 1,
  Right = 2,
  Top = 3,
  TopLeft = 4,
  TopRight = 5,
  Bottom = 6,
  BottomLeft = 7,
  BottomRight = 8
};

class MagneticCore {
 public:
  struct Entry {
    WindowId Wnd = 0;
    WindowId GlueParent = 0; // 0: none
    bool Glued = false;      // sticks to its glue parent right now
  };

  explicit MagneticCore(IWindowSystem& windows) : windows_(windows) {}

  std::int32_t SnapWidth() const { return snap_width_; }
  void SetSnapWidth(std::int32_t v) { snap_width_ = v; }

  int Count() const { return static_cast<int>(items_.size()) - 1; }
  // Entries 1..Count; entry 0 holds no window.
  const Entry& Item(int i) const { return items_[static_cast<size_t>(i)]; }
  // Rects(0) is the work area, Rects(i) entry i's window rectangle.
  const TRect& Rects(int i) const { return rects_[static_cast<size_t>(i)]; }
  TPoint StartCursor() const { return start_cursor_; }
  TPoint DragOffset() const { return drag_offset_; }

  // 1..Count, or -1 when the window is not registered.
  int IndexOfWindow(WindowId wnd) const;

  // Registers a window (a glue parent equal to the window is stored as none).
  // False for a duplicate, a non-window or a glue parent that is no window.
  bool AddWindow(WindowId wnd, WindowId glueParent);
  // Forgets a window; windows glued to it lose their glue parent.
  bool RemoveWindow(WindowId wnd);

  // Re-reads all rectangles and recomputes which windows stick together.
  void RefreshGlue();
  // A move or resize of wnd begins: takes the rectangles and the cursor.
  void EnterSizeMove(WindowId wnd);
  // Snaps the edge(s) being dragged of the proposed rectangle S.
  void SnapSizing(WindowId wnd, TRect& S, SizingEdge edge) const;
  // Places M at the cursor, snaps it and moves the windows glued to wnd.
  void SnapMoving(WindowId wnd, TRect& M);

 private:
  bool Candidate(int i, WindowId wnd) const;
  bool GluedTo(int i, WindowId wnd) const;
  void SnapX(const TRect& M, const TRect& R, std::int32_t& DX) const;
  void SnapY(const TRect& M, const TRect& R, std::int32_t& DY) const;

  IWindowSystem& windows_;
  std::int32_t snap_width_ = 15;
  std::vector<Entry> items_ = std::vector<Entry>(1);
  std::vector<TRect> rects_ = std::vector<TRect>(1);
  TPoint start_cursor_, drag_offset_, cur_cursor_;
};

} // namespace components
