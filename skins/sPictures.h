// The skinned controls' built-in pictures: the border masks "BORD1".."BORD6",
// the radio and check-box glyphs "RCC".."CUH" and the button strips "SF",
// "SR", "SD", "SE", "SC" and "COMBO", all bitmap resources of the program
// (every program that links the library carries them).
//
// Each picture is loaded from the resources the first time it is asked for
// and kept while the pictures are in use: a control holds a TsPicturesUse
// for as long as it may paint with them, and when the last use goes the
// pictures are freed (asked for again, they load again). A picture the
// program lacks is an empty bitmap, never an error. Nothing loads before it
// is asked for, so nothing happens before main. GUI thread only.
#pragma once

#include <string>

#include "classlib/Bitmap.h"
#include "skins/sConst.h"

namespace skins {

class TsPicturesUse {
 public:
  TsPicturesUse();
  ~TsPicturesUse();
  TsPicturesUse(const TsPicturesUse&) = delete;
  TsPicturesUse& operator=(const TsPicturesUse&) = delete;
};

// The picture of resource `name`; never null (empty when missing). Valid
// until the last TsPicturesUse goes.
TBitmap* BuiltinPicture(const std::string& name);

// The mask a style's border draws with: the predefined one, or for pdCustom
// `custom` when it has a width, else "BORD1".
TBitmap* BorderMask(TsPredefinedBorders kind, TBitmap* custom = nullptr);

// How many pictures are loaded now (for tests).
int LoadedPictureCount();

}  // namespace skins
