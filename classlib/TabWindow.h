// The items of a Windows tab control ("SysTabControl32") in the library's
// text: the wide TCM_* messages underneath, Windows-1251 on top, so tab
// captions keep their Cyrillic whatever the system's code page. Shared by
// every control that wraps a tab window (TPageControl, the skinned tab and
// page controls).
#pragma once

#include "classlib/WinApi.h"

#include <string>

#include "classlib/Types.h"

namespace classlib {

// Registers the tab window class (once per process is enough; cheap after).
void NeedTabControlClass();

struct TTabItem {
  std::string Text;
  LPARAM Param = 0;
  int Image = -1;
  bool RightToLeft = false; // TCIF_RTLREADING
};
// TCIF_TEXT | TCIF_IMAGE (and TCIF_RTLREADING): the caption and image.
bool TabInsert(HWND h, int index, const TTabItem& item, bool withParam = false);
bool TabSetText(HWND h, int index, const TTabItem& item);
bool TabSetParam(HWND h, int index, LPARAM param);
bool TabText(HWND h, int index, std::string& text);
bool TabParam(HWND h, int index, LPARAM& param);
// The client rectangle less the tabs (TCM_ADJUSTRECT).
TRect TabDisplayRect(HWND h);
TRect TabItemRect(HWND h, int index);

} // namespace classlib
