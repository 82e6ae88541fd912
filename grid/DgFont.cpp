// TDgFont (see DgFont.h).
#include "grid/DgFont.h"

void TDgFont::Assign(TPersistent* Source) {
  auto* f = dynamic_cast<TDgFont*>(Source);
  if (!f) {
    TPersistent::Assign(Source);
    return;
  }
  if (f != this) SetDesc(f->Desc());
}
