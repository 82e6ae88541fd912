// Tab window items in Windows-1251 over the wide messages (see TabWindow.h).
#include "classlib/TabWindow.h"

#include <commctrl.h>

#include <vector>

#include "classlib/Cp1251.h"

namespace classlib {

void NeedTabControlClass() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
}

namespace {
TCITEMW TextItem(const TTabItem& item, std::wstring& text) {
  TCITEMW t{};
  text = Cp1251ToWide(item.Text);
  t.mask = TCIF_TEXT | TCIF_IMAGE | (item.RightToLeft ? TCIF_RTLREADING : 0);
  t.pszText = const_cast<wchar_t*>(text.c_str());
  t.iImage = item.Image;
  return t;
}
} // namespace

bool TabInsert(HWND h, int index, const TTabItem& item, bool withParam) {
  std::wstring text;
  TCITEMW t = TextItem(item, text);
  if (withParam) {
    t.mask |= TCIF_PARAM;
    t.lParam = item.Param;
  }
  return SendMessageW(h, TCM_INSERTITEMW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&t)) >= 0;
}

bool TabSetText(HWND h, int index, const TTabItem& item) {
  std::wstring text;
  TCITEMW t = TextItem(item, text);
  return SendMessageW(h, TCM_SETITEMW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&t)) != 0;
}

bool TabSetParam(HWND h, int index, LPARAM param) {
  TCITEMW t{};
  t.mask = TCIF_PARAM;
  t.lParam = param;
  return SendMessageW(h, TCM_SETITEMW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&t)) != 0;
}

bool TabText(HWND h, int index, std::string& text) {
  std::vector<wchar_t> buffer(4096, L'\0');
  TCITEMW t{};
  t.mask = TCIF_TEXT;
  t.pszText = buffer.data();
  t.cchTextMax = static_cast<int>(buffer.size());
  if (!SendMessageW(h, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&t)))
    return false;
  // The window may answer with its own buffer instead of filling ours.
  text = WideToCp1251(t.pszText ? t.pszText : L"");
  return true;
}

bool TabParam(HWND h, int index, LPARAM& param) {
  TCITEMW t{};
  t.mask = TCIF_PARAM;
  if (!SendMessageW(h, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&t)))
    return false;
  param = t.lParam;
  return true;
}

TRect TabDisplayRect(HWND h) {
  RECT r;
  GetClientRect(h, &r);
  SendMessageW(h, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return Rect(r.left, r.top, r.right, r.bottom);
}

TRect TabItemRect(HWND h, int index) {
  RECT r{};
  if (!SendMessageW(h, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
    return TRect{};
  return Rect(r.left, r.top, r.right, r.bottom);
}

} // namespace classlib
