// The in-place editors' portable half: the seam through which a grid drives
// the edit control it places over a cell or the input line, the margins of
// an edit, the geometry of its glyph and preview strip, and the typed value
// conversions of its text. The Windows edit control (TDgCustomEdit, TDgEdit)
// is in DgEditWin.h; the tests drive a fake through the same seam.
#pragma once

#include <cstdint>
#include <functional>

#include "classlib/Component.h"
#include "classlib/DrawTypes.h"
#include "classlib/SysUtils.h"
#include "classlib/Types.h"
#include "grid/DgColumns.h"
#include "grid/DgFont.h"
#include "grid/DgTypes.h"

class IDgGridHost;

// The cursor an edit shows over its glyph and preview strip.
namespace DgEditCursor {
constexpr TCursor ReversedArrow = 1000;
}

// Left and right text margins of an edit. A change is handed to the edit
// (which recreates its window, applying them again).
class TDgEditMargins : public TPersistent {
 public:
  int Left() const { return left_; }
  void SetLeft(int v);
  int Right() const { return right_; }
  void SetRight(int v);
  void Assign(TPersistent* Source) override;
  std::function<void()> OnChange;

 private:
  int left_ = 0, right_ = 0;
};

// Where an edit's glyph and preview box go (client coordinates of the edit);
// GlyphWidth/GlyphHeight are 0 without a glyph.
namespace DgEditLayout {
// The text margins the window gets for the margins the edit holds.
void AdjustMargins(bool ShowPreview, int GlyphWidth, int& Left, int& Right);
// The preview box inside the client rectangle.
TRect PreviewRect(const TRect& Client, int GlyphWidth);
// The info strip at the edit's left: width 0 when there is nothing to show.
TRect InfoBounds(bool ShowPreview, int GlyphWidth, int ClientHeight);
bool InfoShown(bool ShowPreview, int GlyphWidth);
// Top of a glyph centred in the strip.
int GlyphTop(int InfoHeight, int GlyphHeight);
// The preview box drawn by the strip (before the border shrinks it).
TRect InfoPreviewRect(int GlyphWidth, int ClientHeight);
// The strip where the mouse shows the reversed arrow and a press selects all.
bool InLeftStrip(int X, bool InfoVisible, const TRect& InfoBounds);
// The window style bits of an alignment (ES_LEFT 0, ES_RIGHT 2, ES_CENTER 1).
uint32_t AlignmentStyle(TAlignment Alignment);
} // namespace DgEditLayout

// The typed readings and writings of an edit's text. A text that does not
// convert raises EConvertError and changes nothing.
namespace DgEditValue {
bool AsBoolean(const WideString& Text);
TDateTime AsDateTime(const WideString& Text); // 0 for an empty text
double AsFloat(const WideString& Text);
int AsInteger(const WideString& Text);
WideString FromBoolean(bool Value); // "True" / "False"
WideString FromDateTime(TDateTime Value);
WideString FromFloat(double Value);
WideString FromInteger(int Value);
} // namespace DgEditValue

// What an in-place editor tells the grid that attached it. Key codes are
// virtual-key codes; typed characters are UTF-16 units. A handler that sets
// Key to 0 keeps it from the editor.
class IDgEditorListener {
 public:
  virtual ~IDgEditorListener() = default;
  virtual void EditorChange() = 0;
  virtual void EditorEnter() = 0;
  virtual void EditorExit() = 0;
  virtual void EditorKeyDown(uint16_t& Key, TShiftState Shift) = 0;
  virtual void EditorKeyPress(char16_t& Key) = 0;
  virtual void EditorKeyUp(uint16_t& Key, TShiftState Shift) = 0;
};

// The edit control a grid places over a cell. Text is UTF-16 throughout.
class IDgInplaceEditor {
 public:
  virtual ~IDgInplaceEditor() = default;
  // Attaching: the grid's window becomes the parent, the change handler and
  // the text are cleared. Detach with a null host.
  virtual void AttachToGrid(IDgGridHost* Host) = 0;
  // Where the hooked notifications go (null: nowhere).
  virtual void SetListener(IDgEditorListener* Listener) = 0;
  virtual IDgEditorListener* Listener() const = 0;

  virtual WideString EditText() const = 0;
  virtual void SetEditText(const WideString& Text) = 0;
  // Empties the text (a change like any other).
  virtual void Clear() = 0;
  // One typed character, as if from the keyboard, without the listener's
  // key handling.
  virtual void SendChar(char16_t Key) = 0;
  virtual void SelectAll() = 0;
  virtual int SelStart() const = 0;
  virtual void SetSelStart(int Position) = 0;

  virtual void SetWantTabs(bool Value) = 0;
  virtual void SetBiDiMode(TBiDiMode Value) = 0;
  virtual void SetColor(TColor Value) = 0;
  virtual void SetFont(const TDgFont& Font) = 0;
  virtual void SetAutoSelect(bool Value) = 0;
  // The column's settings (alignment, border, margin, length, password).
  virtual void ApplySettings(const TDgCustomColumn::TEditorSettings& Settings) = 0;
  // The column's editor class's last step before editing (caret to the end
  // for the text editor).
  virtual void PrepareEditing() = 0;

  // Hidden, moved and sized to Bounds (the grid's client coordinates),
  // shown, focused and repainted.
  virtual void ShowAt(const TRect& Bounds) = 0;
  virtual void Hide() = 0;
  virtual bool EditorVisible() const = 0;
  virtual TRect EditorBounds() const = 0;
  virtual bool EditorFocused() const = 0;
  virtual void FocusEditor() = 0;
};

// The editor a component stands for: a column's InplaceEdit or editor
// element may be any component, and those that are editors say so.
inline IDgInplaceEditor* AsInplaceEditor(TComponent* Component) {
  return dynamic_cast<IDgInplaceEditor*>(Component);
}

// The editor class of text columns: the Windows side installs the edit
// control's maker (DgUseEditControls), tests a fake's. Each column makes its
// editor on first use and owns it. Null: text columns have no editor.
using TDgEditorFactory = std::function<TComponent*(TDgCustomColumn* Column)>;
void DgSetTextEditorFactory(TDgEditorFactory Factory);
