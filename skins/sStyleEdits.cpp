// The editor styles' bevel and frame on device contexts (see sStyleEdits.h).
#include "skins/sStyleEdits.h"

#include "skins/sGraphUtils.h"

namespace skins {

namespace {

// The bevel kinds as the bevel lines draw them: 0 top colour left and top,
// 1 the reverse, 2 all sides in the top colour, 3 all in the bottom one.
int LinesKind(TsEditorBevel b) {
  switch (b) {
    case TsEditorBevel::ebRaised: return 0;
    case TsEditorBevel::ebLowered: return 1;
    case TsEditorBevel::ebAsTopBorder: return 2;
    default: return 3;
  }
}

TRect Shrunk(const TRect& r, int d) { return Rect(r.Left + d, r.Top + d, r.Right - d, r.Bottom - d); }

}  // namespace

void PaintBevel(TsEditorStyle* style, HDC dc, const TRect& r) {
  if (!style || !dc) return;
  const TsEditorStyle::TBevelPlan plan = style->BevelPlan();
  if (plan.kind == TsEditorBevel::ebNone) return;
  const TColor top = static_cast<TColor>(RgbValue(style->Painting()->ColorBorderTop()));
  const TColor bottom = static_cast<TColor>(RgbValue(style->Painting()->ColorBorderBottom()));
  DrawBevelLines(dc, top, bottom, style->SoftControl(), LinesKind(plan.kind), plan.width, r);
  if (!plan.inner_frames) return;
  int one = 1;
  Draw3DFrame(dc, Shrunk(r, 1), clBtnShadow, one, clWhite);
  one = 1;
  Draw3DFrame(dc, Shrunk(r, 2), cl3DDkShadow, one, cl3DLight);
}

void PaintBorder(TsEditorStyle* style, TWinControl* control) {
  if (!style || !control || !control->HandleAllocated()) return;
  HDC dc = GetWindowDC(control->Handle());
  if (!dc) return;
  PaintFrame(style, dc, Rect(0, 0, control->Width(), control->Height()));
  ReleaseDC(control->Handle(), dc);
}

void PaintFrame(TsEditorStyle* style, HDC dc, const TRect& r) {
  if (!style || !dc) return;
  const TColor c = static_cast<TColor>(style->GetColor());
  int three = 3;
  Draw3DFrame(dc, r, c, three, c);
  PaintBevel(style, dc, r);
}

TKeyEvent StyleKeysHandler(TsCustomStyle* style) {
  return [style](TObject*, WORD& Key, TShiftState Shift) {
    uint16_t key = Key;
    style->ProcessKeys(key, Shift);
    Key = key;
  };
}

}  // namespace skins
