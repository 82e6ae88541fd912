// TMagnetic: makes the program's top-level windows snap to each other and to
// the screen's work area while moved or resized, and lets side windows stick
// to a main window (a side window touching its glue parent moves with it).
// One instance, MagneticInstance, serves the whole program.
//
// Each registered window is subclassed with the window-subclass API, so other
// subclassers of the same window (the tray icon) may come and go in any order
// and the window's user-data slot stays free for its owner.
#pragma once

#include "classlib/WinApi.h"

#include <memory>

#include "classlib/Component.h"
#include "components/MagneticCore.h"

class TMagnetic : public TObject {
 public:
  TMagnetic();
  ~TMagnetic() override;

  // Registers Wnd (GlueParent 0: none) and subclasses it. False for a window
  // already registered, a non-window, or a glue parent that is no window.
  bool AddWindow(HWND Wnd, HWND GlueParent);
  // Forgets Wnd and removes its subclass; called on WM_DESTROY.
  bool RemoveWindow(HWND Wnd);

  int SnapWidth() const { return core_.SnapWidth(); }
  void SetSnapWidth(int Value) { core_.SetSnapWidth(Value); }
  int Count() const { return core_.Count(); }
  int IndexOfWindow(HWND Wnd) const;
  // The rules and the current glue state (read-only, for diagnostics and tests).
  const components::MagneticCore& Core() const { return core_; }

  // Runs the snapping side of a message (after or instead of the window's own
  // handling, as MagneticWndProc decides).
  void HandleMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

 private:
  std::unique_ptr<components::IWindowSystem> windows_;
  components::MagneticCore core_;
};

// The program's snapping component; lives until the process ends.
extern TMagnetic* MagneticInstance;

// The subclass procedure installed on every registered window.
LRESULT CALLBACK MagneticWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR Id,
                                 DWORD_PTR Ref);
