// The grid library's hint-window helpers on Windows: a grid's hint shows
// through the class library's hint window (its own layout and painting),
// handed the grid's text; and whether a control's form is the active one,
// since hints show only there. Each does nothing without a hint window.
#pragma once

#include "classlib/Types.h"
#include "grid/DgTypes.h"

class TControl;
class THintWindow;

// Shows Text in Rect (screen coordinates).
void ActivateHintW(THintWindow* HintWindow, const TRect& Rect, const WideString& Text);
// The room Text takes in the hint window, at most MaxWidth wide, from (0, 0);
// an empty rectangle without a hint window.
TRect CalcHintRectW(THintWindow* HintWindow, int MaxWidth, const WideString& Text, void* Data);
// Hides the hint by giving up its window (made again for the next hint).
void ReleaseHint(THintWindow* HintWindow);
// The control sits on a form, and that form is the active one.
bool IsFormActive(TControl* Control);
