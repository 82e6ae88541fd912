// An in-place editor without a window for the grid's native tests: it keeps
// its text, caret, selection, place and focus, raises the notifications a
// real edit raises, and lets a test act as the person typing into it.
#pragma once

#include <vector>

#include "classlib/Component.h"
#include "grid/DgEdit.h"

class TFakeInplaceEditor : public TComponent, public IDgInplaceEditor {
 public:
  explicit TFakeInplaceEditor(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

  // --- What the person does ---------------------------------------------------------
  // A character typed while the editor has the focus.
  // The grid may free its columns, and this editor with them, in a handler
  // of what a key does: the editor then touches nothing of itself.
  void Type(char16_t Key) {
    const TLifeToken life = LifeToken();
    if (listener_) listener_->EditorKeyPress(Key);
    if (life && Key) Insert(Key);
  }
  void Type(const WideString& Text) {
    for (char16_t c : Text) Type(c);
  }
  // A key pressed (and released) in the editor; the editor's own keys move
  // the caret.
  void Press(uint16_t Key, TShiftState Shift = {}) {
    const TLifeToken life = LifeToken();
    uint16_t k = Key;
    if (listener_) listener_->EditorKeyDown(k, Shift);
    if (!life) return;
    key_left_ = k;
    if (k == 36) sel_start_ = sel_len_ = 0;
    if (k == 35) sel_start_ = static_cast<int>(text_.size()), sel_len_ = 0;
    k = Key;
    if (listener_) listener_->EditorKeyUp(k, Shift);
  }
  // The focus goes elsewhere.
  void LoseFocus() {
    if (!focused_) return;
    focused_ = false;
    if (listener_) listener_->EditorExit();
  }

  // --- What the tests read ----------------------------------------------------------
  int SelLength() const { return sel_len_; }
  // What the grid left of the last key pressed for the edit control (0: taken).
  uint16_t KeyLeft() const { return key_left_; }
  IDgGridHost* Host() const { return host_; }
  bool WantTabs() const { return want_tabs_; }
  TBiDiMode BiDiMode() const { return bidi_mode_; }
  TColor Color() const { return color_; }
  const TDgFont& Font() const { return font_; }
  bool AutoSelect() const { return auto_select_; }
  const TDgCustomColumn::TEditorSettings& Settings() const { return settings_; }
  int Changes() const { return changes_; }
  int Prepared() const { return prepared_; }
  int Shows() const { return shows_; }

  // --- IDgInplaceEditor -------------------------------------------------------------
  void AttachToGrid(IDgGridHost* Host) override {
    host_ = Host;
    listener_ = nullptr;
    text_.clear();
    sel_start_ = sel_len_ = 0;
  }
  void SetListener(IDgEditorListener* Listener) override { listener_ = Listener; }
  IDgEditorListener* Listener() const override { return listener_; }
  WideString EditText() const override { return text_; }
  void SetEditText(const WideString& Text) override {
    text_ = Text;
    sel_start_ = sel_len_ = 0;
    Changed();
  }
  void Clear() override { SetEditText(WideString()); }
  void SendChar(char16_t Key) override { Insert(Key); }
  void SelectAll() override {
    sel_start_ = 0;
    sel_len_ = static_cast<int>(text_.size());
  }
  int SelStart() const override { return sel_start_; }
  void SetSelStart(int Position) override {
    sel_start_ = Position;
    sel_len_ = 0;
  }
  void SetWantTabs(bool Value) override { want_tabs_ = Value; }
  void SetBiDiMode(TBiDiMode Value) override { bidi_mode_ = Value; }
  void SetColor(TColor Value) override { color_ = Value; }
  void SetFont(const TDgFont& Font) override { font_.Assign(const_cast<TDgFont*>(&Font)); }
  void SetAutoSelect(bool Value) override { auto_select_ = Value; }
  void ApplySettings(const TDgCustomColumn::TEditorSettings& Settings) override {
    settings_ = Settings;
  }
  void PrepareEditing() override {
    ++prepared_;
    SetSelStart(static_cast<int>(text_.size()));
  }
  void ShowAt(const TRect& Bounds) override {
    bounds_ = Bounds;
    visible_ = true;
    ++shows_;
    const bool was = focused_;
    focused_ = true;
    if (!was && listener_) listener_->EditorEnter();
  }
  void Hide() override {
    visible_ = false;
    LoseFocus();
  }
  bool EditorVisible() const override { return visible_; }
  TRect EditorBounds() const override { return bounds_; }
  bool EditorFocused() const override { return focused_; }
  void FocusEditor() override { focused_ = visible_; }

 private:
  void Insert(char16_t Key) {
    if (Key == 8) { // backspace
      if (sel_len_ > 0)
        text_.erase(sel_start_, sel_len_);
      else if (sel_start_ > 0)
        text_.erase(--sel_start_, 1);
      sel_len_ = 0;
    } else {
      text_.replace(sel_start_, sel_len_, 1, Key);
      ++sel_start_;
      sel_len_ = 0;
    }
    Changed();
  }
  void Changed() {
    ++changes_;
    if (listener_) listener_->EditorChange();
  }

  IDgGridHost* host_ = nullptr;
  IDgEditorListener* listener_ = nullptr;
  WideString text_;
  int sel_start_ = 0, sel_len_ = 0;
  TBiDiMode bidi_mode_ = bdLeftToRight;
  bool want_tabs_ = false, auto_select_ = true, visible_ = false, focused_ = false;
  TColor color_ = clWindow;
  TDgFont font_;
  TDgCustomColumn::TEditorSettings settings_;
  TRect bounds_;
  int changes_ = 0, prepared_ = 0, shows_ = 0;
  uint16_t key_left_ = 0;
};
