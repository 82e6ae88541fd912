// The shared routines under the class names the grid's painters call them
// by: rectangle arithmetic (TCalcProvider), drawing (TGraphicsProvider) and
// colour masks (TMaskProvider). Each is the routine of DgSharedDraw.h.
#pragma once

#include "grid/DgSharedDraw.h"

struct TCalcProvider {
  static bool RectsTouch(const TRect& A, const TRect& B) { return ::RectsTouch(A, B); }
  static TPoint AlignInRect(int W, int H, TDgHorzAlign Horz, TVerticalAlignment Vert,
                            const TRect& Rect, int Margin) {
    return ::AlignInRect(W, H, Horz, Vert, Rect, Margin);
  }
  static TRect ResizeRect(const TRect& R, int DLeft, int DTop, int DRight, int DBottom) {
    return ::ResizeRect(R, DLeft, DTop, DRight, DBottom);
  }
  static bool PointsDiffer(const TPoint& P, const TPoint& Q, int Tolerance) {
    return ::PointsDiffer(P, Q, Tolerance);
  }
};

struct TMaskProvider {
  static TColor BlendColor(TColor A, TColor B, int Alpha) {
    return DgBlendColorOf("DgSharedCommon", A, B, Alpha);
  }
  static TColor MixColors(TColor A, TColor B, double Ratio) { return ::MixColors(A, B, Ratio); }
};

struct TGraphicsProvider {
  static void SetClipRect(TDgCanvas& C, const TRect& R) { ::SetClipRect(C, R); }
  static void DrawButtonFace(TDgCanvas& C, const TRect& R, bool Pressed) {
    ::DrawButtonFace(C, R, Pressed);
  }
  static void DrawFocusFrame(TDgCanvas& C, const TRect& R, bool Solid) {
    ::DrawFocusFrame(C, R, Solid);
  }
  static void DrawTextAligned(TDgCanvas& C, const TRect& R, TAlignment A, const WideString& T,
                              bool RightToLeft) {
    ::DrawTextAligned(C, R, A, T, RightToLeft);
  }
  static void DrawGraphic(TDgCanvas& C, int X, int Y, const TDgPixmap& G) {
    ::DrawGraphic(C, X, Y, G);
  }
  static void DrawAlphaBitmap(TDgCanvas& C, int X, int Y, const TDgPixmap& B) {
    ::DrawAlphaBitmap(C, X, Y, B);
  }
  static void DrawVerticalText(TDgCanvas& C, const TRect& R, const WideString& T) {
    ::DrawVerticalText(C, R, T);
  }
};
