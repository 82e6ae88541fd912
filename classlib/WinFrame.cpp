// The frame of a TWinControl and its input method (see Controls.h): the
// system border as client edge or flat line (Ctl3D), the bevel drawn inside
// it (BevelKind, BevelInner, BevelOuter, BevelEdges), and the input method's
// state set on focus (ImeMode).
#include "classlib/Controls.h"

#include <imm.h>

void TWinControl::SetCtl3D(bool v) {
  if (v == ctl3d_) return;
  ctl3d_ = v;
  RecreateWnd();
}

void TWinControl::AddBorder(TCreateParams& p) const {
  if (ctl3d_)
    p.ExStyle |= WS_EX_CLIENTEDGE;
  else
    p.Style |= WS_BORDER;
}

// --- Bevel -------------------------------------------------------------------------------

void TWinControl::SetBevelEdges(TBevelEdges v) {
  if (v == bevel_edges_) return;
  bevel_edges_ = v;
  FrameChanged();
}

void TWinControl::SetBevelInner(TBevelCut v) {
  if (v == bevel_inner_) return;
  bevel_inner_ = v;
  FrameChanged();
}

void TWinControl::SetBevelOuter(TBevelCut v) {
  if (v == bevel_outer_) return;
  bevel_outer_ = v;
  FrameChanged();
}

void TWinControl::SetBevelKind(TBevelKind v) {
  if (v == bevel_kind_) return;
  bevel_kind_ = v;
  FrameChanged();
}

int TWinControl::BevelSize() const {
  if (bevel_kind_ == bkNone) return 0;
  return (bevel_inner_ != bvNone ? 1 : 0) + (bevel_outer_ != bvNone ? 1 : 0);
}

void TWinControl::FrameChanged() {
  // The window works out its client area again and repaints its frame.
  if (handle_)
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TWinControl::FrameMessage(TMessage& M) {
  const int size = BevelSize();
  if (size == 0) return false;
  if (M.Msg == WM_NCCALCSIZE) {
    // The bevel lies inside the system border, around the client area.
    DefaultHandler(M);
    auto* r = reinterpret_cast<RECT*>(M.LParam);
    if (bevel_edges_.Contains(beLeft)) r->left += size;
    if (bevel_edges_.Contains(beTop)) r->top += size;
    if (bevel_edges_.Contains(beRight)) r->right -= size;
    if (bevel_edges_.Contains(beBottom)) r->bottom -= size;
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
    return true;
  }
  if (M.Msg != WM_NCPAINT) return false;
  DefaultHandler(M);
  RECT win, client;
  GetWindowRect(handle_, &win);
  GetClientRect(handle_, &client);
  MapWindowPoints(handle_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -win.left, -win.top);
  RECT r = client;
  if (bevel_edges_.Contains(beLeft)) r.left -= size;
  if (bevel_edges_.Contains(beTop)) r.top -= size;
  if (bevel_edges_.Contains(beRight)) r.right += size;
  if (bevel_edges_.Contains(beBottom)) r.bottom += size;
  static const UINT kInner[] = {0, BDR_SUNKENINNER, BDR_RAISEDINNER, 0};
  static const UINT kOuter[] = {0, BDR_SUNKENOUTER, BDR_RAISEDOUTER, 0};
  UINT flags = static_cast<UINT>(bevel_edges_.Bits()) | BF_ADJUST; // BF_LEFT .. BF_BOTTOM
  if (bevel_kind_ == bkSoft) flags |= BF_SOFT;
  if (bevel_kind_ == bkFlat) flags |= BF_FLAT;
  if (!ctl3d_) flags |= BF_MONO;
  HDC dc = GetWindowDC(handle_);
  if (!dc) return true;
  DrawEdge(dc, &r, kInner[bevel_inner_] | kOuter[bevel_outer_], flags);
  ReleaseDC(handle_, dc);
  return true;
}

// --- Input method ----------------------------------------------------------------------------

void TWinControl::ApplyImeMode() {
  if (!handle_) return;
  if (ime_mode_ == imDisable) {
    // No input method for this window at all.
    ImmAssociateContextEx(handle_, nullptr, 0);
    ime_disabled_ = true;
    return;
  }
  if (ime_disabled_) {
    ImmAssociateContextEx(handle_, nullptr, IACE_DEFAULT);
    ime_disabled_ = false;
  }
  if (ime_mode_ == imDontCare) return;
  HIMC imc = ImmGetContext(handle_);
  if (!imc) return;
  if (ime_mode_ == imClose) {
    ImmSetOpenStatus(imc, FALSE);
  } else {
    ImmSetOpenStatus(imc, TRUE);
    DWORD conversion = 0, sentence = 0;
    ImmGetConversionStatus(imc, &conversion, &sentence);
    const DWORD kNative = IME_CMODE_NATIVE, kFull = IME_CMODE_FULLSHAPE,
                kKata = IME_CMODE_KATAKANA;
    switch (ime_mode_) {
      case imSAlpha: conversion = IME_CMODE_ALPHANUMERIC; break;
      case imAlpha: conversion = IME_CMODE_ALPHANUMERIC | kFull; break;
      case imHira: conversion = kNative | kFull; break;
      case imSKata: conversion = kNative | kKata; break;
      case imKata: conversion = kNative | kKata | kFull; break;
      case imChinese: conversion = kNative | kFull; break;
      case imSHanguel: conversion = kNative; break;
      case imHanguel: conversion = kNative | kFull; break;
      default: break; // imOpen: open in whatever mode it was
    }
    if (ime_mode_ != imOpen) ImmSetConversionStatus(imc, conversion, sentence);
  }
  ImmReleaseContext(handle_, imc);
}
