// TsGlyphMode (see sGlyphUtils.h).
#include "skins/sGlyphUtils.h"

#include "skins/sStyleSimplyCore.h"

namespace skins {

TsGlyphMode::TsGlyphMode(TControl* owner, TsGenStyle* style, std::string glyph_name)
    : owner_(owner), style_(style), glyph_name_(std::move(glyph_name)) {
  OnChange = [this] {
    if (style_) style_->Invalidate();
  };
  OnDefaultGlyph = [this] { LookUpDefault(); };
  LookUpDefault();
}

void TsGlyphMode::SetGlyph(TBitmap* v) {
  if (v && v != &glyph_)
    glyph_.Assign(v);
  else if (!v)
    glyph_.SetSize(0, 0);
  GlyphAssigned();
}

void TsGlyphMode::LookUpDefault() {
  const std::string resource = DefaultGlyphResource(glyph_name_);
  default_glyph_ = resource.empty() ? nullptr : BuiltinPicture(resource);
}

}  // namespace skins
