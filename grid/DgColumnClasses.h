// TDgTextColumn: the column of plain text cells, with text before and after
// the value, a maximum length for editing, multi-line rows and a password
// character that hides what it shows.
#pragma once

#include "grid/DgColumns.h"

class TDgTextColumn : public TDgCustomColumn {
 public:
  explicit TDgTextColumn(TComponent* AOwner = nullptr);

  int CapabilityFlags() const override {
    return DgColumnCaps::Editing | DgColumnCaps::Extra3 | DgColumnCaps::Extra5;
  }
  TVirtualColElement* CreateDisplay() override;
  // The text editor (DgEdit.h's factory: the edit control on Windows).
  TComponent* CreateEditor() override;
  int NeededWidth(const WideString& Text) const override;
  bool MultiLineRows(bool GridAnswer) const override { return multi_line_ || GridAnswer; }
  WideString DisplayText(const TDgCellValue& Value) const override;
  bool AcceptsEditKey(char16_t Key) const override { return Key > 32; }
  void PrepareEditor(TEditorSettings& Settings) const override;
  void Assign(TPersistent* Source) override;

  int MaxLength() const { return max_length_; }
  void SetMaxLength(int v);
  bool MultiLine() const { return multi_line_; }
  void SetMultiLine(bool v);
  const WideString& TextAfter() const { return text_after_; }
  void SetTextAfter(const WideString& v);
  const WideString& TextBefore() const { return text_before_; }
  void SetTextBefore(const WideString& v);
  char16_t PasswordChar() const { return password_char_; }
  void SetPasswordChar(char16_t v);

 private:
  int max_length_ = 0;
  bool multi_line_ = false;
  WideString text_after_;
  WideString text_before_;
  char16_t password_char_ = 0;
};
