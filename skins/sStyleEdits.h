// The Windows side of the editor styles: the two-colour bevel of edits,
// combo boxes and checked controls drawn on a device context, and the
// non-client frame of edits and combo boxes (three pixels of the style's
// colour, then the bevel) on the window's own DC.
#pragma once

#include "classlib/WinApi.h"

#include "classlib/Controls.h"
#include "skins/sStyleEditsCore.h"

namespace skins {

// The bevel the style's look asks for (hot: the selection's border) in r.
void PaintBevel(TsEditorStyle* style, HDC dc, const TRect& r);
// The frame of the control's whole window; nothing before it has a window.
void PaintBorder(TsEditorStyle* style, TWinControl* control);
// The same frame in r of any DC (a combo box draws it into its image).
void PaintFrame(TsEditorStyle* style, HDC dc, const TRect& r);
// The OnKeyDown an edit, combo box or checked control is made with: the
// style's next and previous control keys (KeysNextControl, ...). A form that
// binds its own OnKeyDown replaces it.
TKeyEvent StyleKeysHandler(TsCustomStyle* style);

}  // namespace skins
