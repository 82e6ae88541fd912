// Hands the notifications a Windows control sends to its parent window
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_HSCROLL/WM_VSCROLL, WM_DRAWITEM)
// back to the object that wraps the control.
//
// The parent window gets a comctl32 subclass (one per parent, shared by all its
// wrapped children), so this works under any parent, form, panel or page,
// whoever else replaces that parent's window procedure, and without the
// parent's class knowing about its children's kinds.
#pragma once

#include <windows.h>

class TParentNotified {
 public:
  virtual ~TParentNotified() = default;
  // One notification for this control; return true when it was handled, with
  // the parent's answer in `result`.
  virtual bool ParentNotify(UINT Msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

 protected:
  // Call when the control's window has been created (and again if it moves to
  // another parent); StopListening before the window is destroyed.
  void ListenToParent(HWND child);
  void StopListening(HWND child);
};
