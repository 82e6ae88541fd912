// The built-in pictures, loaded on first use and freed with the last use.
#include "skins/sPictures.h"

#include <map>
#include <memory>

#include "classlib/SysUtils.h"
#include "skins/sBordersCore.h"

namespace skins {

namespace {

struct TPictureCache {
  int uses = 0;
  std::map<std::string, std::unique_ptr<TBitmap>> pictures;
};

// Made on first use, so nothing runs before main.
TPictureCache& Cache() {
  static TPictureCache cache;
  return cache;
}

}  // namespace

TsPicturesUse::TsPicturesUse() { ++Cache().uses; }

TsPicturesUse::~TsPicturesUse() {
  TPictureCache& cache = Cache();
  if (--cache.uses == 0) cache.pictures.clear();
}

TBitmap* BuiltinPicture(const std::string& name) {
  auto& slot = Cache().pictures[name];
  if (!slot) {
    slot = std::make_unique<TBitmap>();
    try {
      slot->LoadFromResourceName(nullptr, name);
    } catch (const Exception&) {
      // Missing or unreadable: the picture stays empty and paints nothing.
    }
  }
  return slot.get();
}

TBitmap* BorderMask(TsPredefinedBorders kind, TBitmap* custom) {
  if (kind == TsPredefinedBorders::pdCustom && custom && custom->Width() > 0) return custom;
  return BuiltinPicture(PredefinedBorderResource(kind));
}

int LoadedPictureCount() { return static_cast<int>(Cache().pictures.size()); }

}  // namespace skins
