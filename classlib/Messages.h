// Window messages as the controls see them: TMessage, and the library's own
// control messages (CM_xxx) and the notifications reflected back to the child
// control that caused them (CN_xxx = CN_BASE + the WM_ number).
#pragma once

#include "classlib/WinApi.h"

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// CM_DIALOGCHAR: a character offered to a form's controls as an accelerator
// (WParam the character in Windows-1251, LParam the key data); Result 1 when a
// control took it (see classlib::DeliverDialogChar).
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1, CM_GOTFOCUS = CM_BASE + 2,
               CM_LOSTFOCUS = CM_BASE + 3, CM_CANCELMODE = CM_BASE + 4, CM_DIALOGKEY = CM_BASE + 5,
               CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7,
               CM_PARENTFONTCHANGED = CM_BASE + 8, CM_PARENTCOLORCHANGED = CM_BASE + 9,
               CM_HITTEST = CM_BASE + 10, CM_VISIBLECHANGED = CM_BASE + 11,
               CM_ENABLEDCHANGED = CM_BASE + 12, CM_COLORCHANGED = CM_BASE + 13,
               CM_FONTCHANGED = CM_BASE + 14, CM_CURSORCHANGED = CM_BASE + 15,
               CM_TEXTCHANGED = CM_BASE + 18, CM_MOUSEENTER = CM_BASE + 19,
               CM_MOUSELEAVE = CM_BASE + 20, CM_SHOWINGCHANGED = CM_BASE + 25,
               CM_ENTER = CM_BASE + 26, CM_EXIT = CM_BASE + 27, CM_RELEASE = CM_BASE + 33,
               CM_SHOWHINTCHANGED = CM_BASE + 34, CM_PARENTSHOWHINTCHANGED = CM_BASE + 35,
               CM_SYSCOLORCHANGE = CM_BASE + 36, CM_CONTROLCHANGE = CM_BASE + 54,
               CM_HINTSHOW = CM_BASE + 48, CM_BIDIMODECHANGED = CM_BASE + 60,
               CM_PARENTBIDIMODECHANGED = CM_BASE + 61;

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND, CN_NOTIFY = CN_BASE + WM_NOTIFY,
               CN_HSCROLL = CN_BASE + WM_HSCROLL, CN_VSCROLL = CN_BASE + WM_VSCROLL,
               CN_DRAWITEM = CN_BASE + WM_DRAWITEM, CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM,
               CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX,
               CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
               CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX,
               CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN,
               CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC,
               CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR,
               CN_KEYDOWN = CN_BASE + WM_KEYDOWN, CN_CHAR = CN_BASE + WM_CHAR;
