// The LED meter as the player's main window sets it up (60 segments, colour
// steps at 60 and 85, no bevel), for the Windows component tests.
#pragma once

#include "classlib/Forms.h"
#include "components/LedMeters.h"

namespace testwin {

// A player-style meter on `form` at (x, y), 485 x 5.
inline TLEDMeter* PlayerMeter(TForm* form, int x, int y) {
  auto* m = new TLEDMeter(form);
  m->SetParent(form);
  m->SetBounds(x, y, 485, 5);
  m->SetNumDigits(60);
  m->SetStartColor2(60);
  m->SetStartColor3(85);
  m->SetLEDContrast(6);
  m->SetBevelStyle(bvNone);
  m->SetColorSeperator(clBlack);
  return m;
}

} // namespace testwin
