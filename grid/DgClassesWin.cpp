// The hint-window helpers (see DgClassesWin.h). The class library's hint
// window holds Windows-1251 text, as every text of the programs is.
#include "grid/DgClassesWin.h"

#include "classlib/Cp1251.h"
#include "classlib/Forms.h"
#include "classlib/HintWindow.h"

void ActivateHintW(THintWindow* HintWindow, const TRect& Rect, const WideString& Text) {
  if (HintWindow) HintWindow->ActivateHint(Rect, Utf16ToCp1251(Text));
}

TRect CalcHintRectW(THintWindow* HintWindow, int MaxWidth, const WideString& Text, void* Data) {
  if (!HintWindow) return TRect{};
  return HintWindow->CalcHintRect(MaxWidth, Utf16ToCp1251(Text), Data);
}

void ReleaseHint(THintWindow* HintWindow) {
  if (HintWindow) HintWindow->ReleaseHandle();
}

bool IsFormActive(TControl* Control) {
  for (TWinControl* p = Control ? Control->Parent() : nullptr; p; p = p->Parent())
    if (auto* form = dynamic_cast<TCustomForm*>(p)) return form->Active();
  return false;
}
