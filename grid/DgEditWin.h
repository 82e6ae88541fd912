// The in-place edit controls on Windows: TDgCustomEdit, a one-line wide edit
// that can show a glyph and a preview box at its left inside its border,
// with typed value accessors, and TDgEdit, the editor text columns use. Both
// are IDgInplaceEditor, the seam the grid drives (DgEdit.h).
#pragma once

#include "classlib/WinApi.h"

#include <functional>
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "grid/DgEdit.h"

class TDgCustomEdit;

using TCustomPreviewDrawEvent = std::function<void(TObject* Sender, const TRect& PreviewRect)>;

// The strip at an edit's left that paints its glyph and preview box.
class TDgEditInfo : public TCustomControl {
 public:
  explicit TDgEditInfo(TDgCustomEdit* Edit);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TDgCustomEdit* edit_ = nullptr;
};

class TDgCustomEdit : public TEdit, public IDgInplaceEditor {
 public:
  explicit TDgCustomEdit(TComponent* AOwner);
  ~TDgCustomEdit() override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle v);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int v);
  TDgEditMargins* EditMargins() { return &margins_; }
  TBitmap* Glyph() { return &glyph_; }
  void SetGlyph(TBitmap* v);
  bool PreviewBorder() const { return preview_border_; }
  void SetPreviewBorder(bool v);
  bool ShowPreview() const { return show_preview_; }
  void SetShowPreview(bool v);
  bool WantTabs() const { return want_tabs_; }
  // The height follows the font (its line plus the frame) whenever the font
  // or the border changes; the grid then places the editor over its cell.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);
  TDgEditInfo* Info() { return info_; }
  // The caret position and selection length, in UTF-16 units.
  int SelLength() const;

  TCustomPreviewDrawEvent OnCustomPreviewDraw;
  TNotifyEvent OnGlyphClick;
  // Set by the columns for their own use.
  uint8_t ColumnFlag1 = 0, ColumnFlag2 = 0;

  // --- Typed values (EConvertError when the text does not convert) ----------------
  virtual bool GetAsBoolean();
  virtual TDateTime GetAsDateTime();
  virtual double GetAsFloat();
  virtual int GetAsInteger();
  virtual WideString GetAsString();
  virtual bool IsOpaque() { return true; }
  virtual TRect GetPreviewRect();
  virtual void InfoMouseDown() {}
  virtual void PaintContent() {}
  virtual void PaintPreview(TCanvas* Canvas, const TRect& Rect);
  virtual void SetAsBoolean(bool Value);
  virtual void SetAsDateTime(TDateTime Value);
  virtual void SetAsFloat(double Value);
  virtual void SetAsInteger(int Value);
  virtual void SetAsString(const WideString& Value);
  virtual void AdjustMargins(int& Left, int& Right);
  virtual void EditorHook1() {}
  void PrepareEditing() override {}
  virtual void EditorHook2() {}

  // --- IDgInplaceEditor ------------------------------------------------------------
  void AttachToGrid(IDgGridHost* Host) override;
  void SetListener(IDgEditorListener* Listener) override { listener_ = Listener; }
  IDgEditorListener* Listener() const override { return listener_; }
  WideString EditText() const override;
  void SetEditText(const WideString& Text) override;
  void Clear() override;
  void SendChar(char16_t Key) override;
  void SelectAll() override { TEdit::SelectAll(); }
  int SelStart() const override;
  void SetSelStart(int Position) override;
  void SetWantTabs(bool Value) override { want_tabs_ = Value; }
  void SetBiDiMode(TBiDiMode Value) override;
  void SetColor(TColor Value) override { TControl::SetColor(Value); }
  void SetFont(const TDgFont& Font) override;
  void SetAutoSelect(bool Value) override { TEdit::SetAutoSelect(Value); }
  void ApplySettings(const TDgCustomColumn::TEditorSettings& Settings) override;
  void ShowAt(const TRect& Bounds) override;
  void Hide() override { TControl::Hide(); }
  bool EditorVisible() const override { return Visible(); }
  TRect EditorBounds() const override { return BoundsRect(); }
  bool EditorFocused() const override;
  void FocusEditor() override;

  // Sends EM_SETMARGINS from the margins, the preview and the glyph.
  void ApplyMargins();
  void PlaceInfo();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void HandleMessage(TMessage& Message) override;
  void Change() override;
  void GlyphChanged();
  void FontChanged() override;
  void AdjustHeight();

  TControlCanvas canvas_{this};

 private:
  TAlignment alignment_ = taLeftJustify;
  TFormBorderStyle border_style_ = bsSingle;
  int border_width_ = 0;
  TDgEditMargins margins_;
  TBitmap glyph_;
  bool preview_border_ = true, show_preview_ = false, want_tabs_ = false;
  TDgEditInfo* info_ = nullptr;
  IDgEditorListener* listener_ = nullptr;
  // The text while there is no window (and across a recreation).
  WideString pending_text_;
  bool sending_char_ = false;
  char16_t password_char_ = 0;
  bool auto_size_ = true;
};

class TDgEdit : public TDgCustomEdit {
 public:
  explicit TDgEdit(TComponent* AOwner) : TDgCustomEdit(AOwner) {}
  void PrepareEditing() override;

 protected:
  void HandleMessage(TMessage& Message) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Resize() override;
  void FontChanged() override;
  void Change() override;
  // Runs on every change of the text; nothing here.
  virtual void TextChanged() {}

 private:
  bool InLeftStrip(int X);
  void PaintBorderRings();
  void PaintThemedBorder();
};

// Text columns edit with TDgEdit (the grid's window calls this once).
void DgUseEditControls();
