// The LED switch's colours and states, and which of the nine LED pictures
// (bitmap resources "AQUA" .. "BLACK") a state shows.
#pragma once

#include "classlib/DrawTypes.h"

enum TLedColor { Aqua, Pink, Purple, Red, Yellow, Green, Blue, Orange, Black };
enum TLedState { LedOn, LedOff, LedDisabled };

namespace components {

// Size of the switch and of each picture.
constexpr int kLedSize = 13;
// The pictures' transparent colour.
constexpr TColor kLedTransparent = clGreen;

// Resource name of a colour's picture; "BLACK" for values out of range.
inline const wchar_t* LedResourceName(TLedColor c) {
  static const wchar_t* const names[] = {L"AQUA",  L"PINK", L"PURPLE", L"RED",  L"YELLOW",
                                         L"GREEN", L"BLUE", L"ORANGE", L"BLACK"};
  const int i = static_cast<int>(c);
  return names[i >= 0 && i <= 8 ? i : 8];
}

// The colour shown in a state.
inline TLedColor LedShownColor(TLedState state, TLedColor on, TLedColor off, TLedColor disabled) {
  return state == LedOn ? on : (state == LedOff ? off : disabled);
}

} // namespace components
