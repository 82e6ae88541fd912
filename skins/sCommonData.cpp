// TsCommonData's image on the screen (see sCommonData.h).
#include "skins/sCommonData.h"

#include "skins/sStyleSimply.h"

namespace skins {

void CopyToDC(TsCommonData* data, HDC dc, int x, int y, int w, int h) {
  TBitmap* b = data ? ImageBitmap(data->Image()) : nullptr;
  if (!b || b->Empty()) return;
  const int saved = SaveDC(dc);
  BitBlt(dc, x, y, w, h, b->Canvas()->Handle(), x, y, SRCCOPY);
  RestoreDC(dc, saved);
}

}  // namespace skins
