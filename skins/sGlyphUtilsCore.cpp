// Glyph-mode rules and the built-in glyph table (see sGlyphUtilsCore.h).
#include "skins/sGlyphUtilsCore.h"

namespace skins {

void TGlyphModeCore::SetBlend(int v) {
  v = v < 0 ? 0 : v > 100 ? 100 : v;
  if (v == blend_) return;
  blend_ = v;
  Changed();
}

void TGlyphModeCore::SetGrayed(bool v) {
  if (v == grayed_) return;
  grayed_ = v;
  Changed();
}

void TGlyphModeCore::SetUseDefaultGlyph(bool v) {
  if (v == use_default_glyph_) return;
  use_default_glyph_ = v;
  if (v && OnDefaultGlyph) OnDefaultGlyph();
  Changed();
}

void TGlyphModeCore::GlyphAssigned() {
  use_default_glyph_ = false;
  Changed();
}

std::string DefaultGlyphResource(const std::string& name) {
  static const struct {
    const char* name;
    const char* resource;
  } table[] = {{"BTN_OPENFILE", "SF"}, {"BTN_OPENFOLDER", "SR"}, {"BTN_DATE", "SD"},
               {"BTN_ELLIPSIS", "SE"}, {"BTN_CALC", "SC"}};
  for (const auto& e : table)
    if (name == e.name) return e.resource;
  return {};
}

} // namespace skins
