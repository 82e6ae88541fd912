// Parent-notification reflection (see ParentNotify.h).
#include "ParentNotify.h"

#include <commctrl.h>

namespace {

const wchar_t kProp[] = L"Korvalis.ParentNotified";
const UINT_PTR kSubclassId = 0x4B56;  // any fixed id: one subclass per parent

// The control a parent notification is about, or null.
HWND SourceOf(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      return lp ? reinterpret_cast<HWND>(lp) : nullptr;  // 0: a menu or accelerator
    case WM_NOTIFY:
      return reinterpret_cast<NMHDR*>(lp)->hwndFrom;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return reinterpret_cast<HWND>(lp);
    case WM_DRAWITEM:
      return wp ? reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem : nullptr;
    default:
      return nullptr;
  }
}

LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(wnd, ParentProc, kSubclassId);
  } else if (HWND src = SourceOf(msg, wp, lp)) {
    if (GetParent(src) == wnd) {
      if (auto* target = static_cast<TParentNotified*>(GetPropW(src, kProp))) {
        LRESULT result = 0;
        if (target->ParentNotify(msg, wp, lp, result)) return result;
      }
    }
  }
  return DefSubclassProc(wnd, msg, wp, lp);
}

}  // namespace

void TParentNotified::ListenToParent(HWND child) {
  if (!child) return;
  SetPropW(child, kProp, this);
  if (HWND parent = GetParent(child)) SetWindowSubclass(parent, ParentProc, kSubclassId, 0);
}

void TParentNotified::StopListening(HWND child) {
  if (child) RemovePropW(child, kProp);
}
