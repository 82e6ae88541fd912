// TDgTextColumn (see DgColumnClasses.h).
#include "grid/DgColumnClasses.h"

#include "grid/DgColumnDisplay.h"

TDgTextColumn::TDgTextColumn(TComponent* AOwner) : TDgCustomColumn(AOwner) {
  SetCellKind(DgCellKind::Text);
  // Not yet in a collection: this only stores the text column's default.
  SetOptions({coCanClick, coCanInput, coCanSort, coPublicUsing, coShowTextFitHint});
}

int TDgTextColumn::NeededWidth(const WideString& Text) const {
  TDgColumnsHost* host = Columns() ? Columns()->Host() : nullptr;
  return (host ? host->TextWidth(this, Text) : 0) + 5;
}

WideString TDgTextColumn::DisplayText(const TDgCellValue& Value) const {
  WideString s = text_before_ + Value.Text + text_after_;
  if (password_char_ != 0) s.assign(s.size(), password_char_);
  return s;
}

void TDgTextColumn::PrepareEditor(TEditorSettings& Settings) const {
  TDgCustomColumn::PrepareEditor(Settings);
  Settings.MaxLength = max_length_;
  Settings.PasswordChar = password_char_;
}

void TDgTextColumn::Assign(TPersistent* Source) {
  const TLifeToken life = LifeToken();
  TDgCustomColumn::Assign(Source); // the grid's handlers may free this column
  if (!life) return;
  if (auto* t = dynamic_cast<TDgTextColumn*>(Source)) {
    if (t == this) return;
    SetMaxLength(t->max_length_);
    SetMultiLine(t->multi_line_);
    SetTextAfter(t->text_after_);
    SetTextBefore(t->text_before_);
    SetPasswordChar(t->password_char_);
  }
}

void TDgTextColumn::SetMaxLength(int v) {
  if (v == max_length_) return;
  max_length_ = v;
  Refresh(DgColumnRefresh::Cells);
}

void TDgTextColumn::SetMultiLine(bool v) {
  if (v == multi_line_) return;
  multi_line_ = v;
  Refresh(DgColumnRefresh::Cells);
}

void TDgTextColumn::SetTextAfter(const WideString& v) {
  if (v == text_after_) return;
  text_after_ = v;
  Refresh(DgColumnRefresh::Cells);
}

void TDgTextColumn::SetTextBefore(const WideString& v) {
  if (v == text_before_) return;
  text_before_ = v;
  Refresh(DgColumnRefresh::Cells);
}

void TDgTextColumn::SetPasswordChar(char16_t v) {
  if (v == password_char_) return;
  password_char_ = v;
  Refresh(DgColumnRefresh::Cells);
}

TVirtualColElement* TDgTextColumn::CreateDisplay() { return new TTextColumnDisplay(this); }
