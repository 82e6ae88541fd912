// TsCommonData on the class library's controls (see sCommonData.h).
#include "skins/sCommonData.h"

#include "skins/sStyleSimply.h"

namespace skins {

bool OfferToCommonData(TsCommonData* data, TMessage& m) {
  if (!data) return false;
  TsMessage t{m.Msg, static_cast<uintptr_t>(m.WParam), static_cast<intptr_t>(m.LParam), 0};
  data->WndProc(t);
  if (t.Result != 1 && t.Result != 2) return false;
  m.WParam = static_cast<WPARAM>(t.WParam);
  m.Result = t.Result;
  return true;
}

void CopyToDC(TsCommonData* data, HDC dc, int x, int y, int w, int h) {
  TBitmap* b = data ? ImageBitmap(data->Image()) : nullptr;
  if (!b || b->Empty()) return;
  const int saved = SaveDC(dc);
  BitBlt(dc, x, y, w, h, b->Canvas()->Handle(), x, y, SRCCOPY);
  RestoreDC(dc, saved);
}

}  // namespace skins
