// The in-place editors' portable rules (see DgEdit.h).
#include "grid/DgEdit.h"

#include <cmath>

#include "grid/DgCellClasses.h"
#include "grid/DgColumnClasses.h"

// --- TDgEditMargins -----------------------------------------------------------------------

void TDgEditMargins::SetLeft(int v) {
  left_ = v;
  if (OnChange) OnChange();
}

void TDgEditMargins::SetRight(int v) {
  right_ = v;
  if (OnChange) OnChange();
}

void TDgEditMargins::Assign(TPersistent* Source) {
  auto* m = dynamic_cast<TDgEditMargins*>(Source);
  if (!m) return TPersistent::Assign(Source);
  left_ = m->left_;
  right_ = m->right_;
  if (OnChange) OnChange();
}

// --- Layout ------------------------------------------------------------------------------

namespace DgEditLayout {

namespace {
// The room a glyph takes at the left (4 pixels of air beside it).
int GlyphRoom(int GlyphWidth) { return GlyphWidth > 0 ? GlyphWidth + 4 : 0; }
constexpr int kPreviewWidth = 20;
} // namespace

void AdjustMargins(bool ShowPreview, int GlyphWidth, int& Left, int& Right) {
  if (ShowPreview) Left = 2 * Left + 25;
  Left += GlyphRoom(GlyphWidth);
}

TRect PreviewRect(const TRect& Client, int GlyphWidth) {
  TRect r = Client;
  r.Left += GlyphRoom(GlyphWidth);
  r.Right = r.Left + kPreviewWidth;
  return r;
}

TRect InfoBounds(bool ShowPreview, int GlyphWidth, int ClientHeight) {
  const int w = GlyphRoom(GlyphWidth) + (ShowPreview ? kPreviewWidth : 0);
  return TRect{0, 0, w, ClientHeight};
}

bool InfoShown(bool ShowPreview, int GlyphWidth) { return ShowPreview || GlyphWidth > 0; }

int GlyphTop(int InfoHeight, int GlyphHeight) {
  return static_cast<int>(std::lround(InfoHeight / 2.0 - GlyphHeight / 2.0));
}

TRect InfoPreviewRect(int GlyphWidth, int ClientHeight) {
  const int x = GlyphWidth > 0 ? GlyphWidth + 2 : 0;
  return TRect{x, 0, x + kPreviewWidth, ClientHeight};
}

bool InLeftStrip(int X, bool InfoVisible, const TRect& Info) {
  const int right = InfoVisible ? Info.Left + Info.Width() : 0;
  return X <= right + 2;
}

uint32_t AlignmentStyle(TAlignment Alignment) {
  switch (Alignment) {
    case taRightJustify: return 2;
    case taCenter: return 1;
    default: return 0;
  }
}

} // namespace DgEditLayout

// --- Values ------------------------------------------------------------------------------

namespace DgEditValue {

using DgCellText::Narrow;
using DgCellText::Widen;

bool AsBoolean(const WideString& Text) { return DgCellText::ToBoolean(Text); }
TDateTime AsDateTime(const WideString& Text) {
  return Text.empty() ? 0 : StrToDateTime(Narrow(Text));
}
double AsFloat(const WideString& Text) { return StrToFloat(Narrow(Text)); }
int AsInteger(const WideString& Text) { return StrToInt(Narrow(Text)); }
WideString FromBoolean(bool Value) { return DgCellText::BooleanText(Value); }
WideString FromDateTime(TDateTime Value) { return Widen(DateTimeToStr(Value)); }
WideString FromFloat(double Value) { return Widen(FloatToStr(Value)); }
WideString FromInteger(int Value) { return Widen(IntToStr(Value)); }

} // namespace DgEditValue

// --- The text columns' editor ---------------------------------------------------------------

namespace {
TDgEditorFactory& TextEditorFactory() {
  static TDgEditorFactory f;
  return f;
}
} // namespace

void DgSetTextEditorFactory(TDgEditorFactory Factory) { TextEditorFactory() = std::move(Factory); }

TComponent* TDgTextColumn::CreateEditor() {
  const TDgEditorFactory& f = TextEditorFactory();
  return f ? f(this) : nullptr;
}
