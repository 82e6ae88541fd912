// In-place editing of cells and of the input line: beginning, applying and
// ending an edit, the editor's place and its notifications (see
// DgCustomGridControl.h).
#include <vector>

#include "grid/DgCellClasses.h"
#include "grid/DgCustomGridControl.h"
#include "grid/DgFlagScope.h"

namespace {
// The column edits its cells (coEditing on an enabled column that can edit).
bool EditsCells(const TDgCustomColumn* Column) { return (Column->InputMode() & 1) != 0; }
// The column takes input in the input line.
bool TakesInput(const TDgCustomColumn* Column) { return (Column->InputMode() & 2) != 0; }

constexpr int kTab = 9, kEnter = 13, kEscape = 27;
} // namespace

// --- The editor ---------------------------------------------------------------------------

IDgInplaceEditor* TDgCustomGridControl::ColumnEditor(TDgCustomColumn* Column, bool& External) {
  External = Column->InplaceEdit() != nullptr;
  return AsInplaceEditor(External ? Column->InplaceEdit() : Column->Editor());
}

bool TDgCustomGridControl::AttachEditor(TDgCustomColumn* Column, int ARow, bool ForInput) {
  bool external = false;
  IDgInplaceEditor* ed = ColumnEditor(Column, external);
  if (!ed) return false;
  editor_component_ = external ? Column->InplaceEdit() : Column->Editor();
  editor_component_->FreeNotification(this);
  editor_ = ed;
  ed->AttachToGrid(host_);
  ed->SetWantTabs(want_tabs_);
  ed->SetBiDiMode(BiDiMode());
  if (external) {
    if (!options_.Contains(goInplaceEditEvents)) HookEditor();
    return true;
  }
  HookEditor();
  TDgCustomColumn::TEditorSettings settings;
  Column->PrepareEditor(settings);
  ed->ApplySettings(settings);
  ed->SetFont(*Column->Font());
  if (ForInput) {
    ed->SetColor(Column->Color());
    ed->SetAutoSelect(false);
  } else {
    ed->SetColor(GetCellColor(columns_->IndexOf(Column), ARow));
  }
  return true;
}

void TDgCustomGridControl::HookEditor() {
  if (editor_) editor_->SetListener(&editor_link_);
}

void TDgCustomGridControl::DetachEditor() {
  if (editor_ && editor_->Listener() == &editor_link_) editor_->SetListener(nullptr);
  if (editor_component_) editor_component_->RemoveFreeNotification(this);
  editor_component_ = nullptr;
  editor_ = nullptr;
}

void TDgCustomGridControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent != editor_component_) return;
  // The editor went (its window or its column freed it): nothing is edited.
  editor_component_ = nullptr;
  editor_ = nullptr;
  cell_editing_ = input_editing_ = false;
  edit_col_ = edit_row_ = -1;
  input_col_ = -1;
}

void TDgCustomGridControl::ShowEditorAt() {
  if (!editor_) return;
  TRect r;
  const TRect area = CellAreaRect();
  if (cell_editing_ && ValidColumn(edit_col_)) {
    GetCellRect(edit_col_, edit_row_, r);
    const int padding = columns_->Item(edit_col_)->Padding();
    r.Left += padding + line_left_;
    r.Right -= padding + line_right_ + (options_.Contains(goGrid) ? 0 : 1);
    if (r.Top < area.Top) {
      editor_->Hide();
      return;
    }
  } else if (input_editing_ && ValidColumn(input_col_)) {
    GetCellRect(input_col_, -1, r);
    r.Top = InputRect().Top;
    r.Bottom = r.Top + input_size_;
  } else {
    return;
  }
  r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  if (r.Left < 0) r.Left = 0;
  if (r.Left < area.Left) r.Left = area.Left;
  editor_->ShowAt(r);
}

void TDgCustomGridControl::RepositionEditor() {
  if ((cell_editing_ || input_editing_) && editor_) ShowEditorAt();
}

// --- Beginning ----------------------------------------------------------------------------

bool TDgCustomGridControl::StartCellEdit(int ACol, int ARow, bool& External, WideString* Text) {
  CheckThread();
  if (cell_editing_ && ACol == edit_col_ && ARow == edit_row_) return false;
  if (!ValidColumn(ACol) || !ValidRow(ARow)) return false;
  TDgCustomColumn* column = columns_->Item(ACol);
  if (!EditsCells(column) || read_only_ || !CanEdit() || !ColumnEditor(column, External))
    return false;
  bool accept = true;
  // The handlers may free the grid: false then, and nothing of it touched.
  const TLifeToken life = LifeToken();
  if (OnBeforeEdit) OnBeforeEdit(this, ACol, ARow, accept);
  if (!life || !accept) return false;
  if (cell_editing_ || input_editing_) {
    ApplyEdit();
    if (!life || !EndEditSurvived()) return false;
  }
  // A handler changed the rows or the columns.
  if (!ValidRow(ARow) || !ValidColumn(ACol) || columns_->Item(ACol) != column) return false;
  // The cell as the edit just applied left it.
  if (Text) *Text = Cells(ACol, ARow);
  cell_editing_ = true;
  edit_col_ = ACol;
  edit_row_ = ARow;
  if (AttachEditor(column, ARow, false)) return true;
  EndEdit();
  return false;
}

bool TDgCustomGridControl::StartInputEdit(TDgCustomColumn* Column) {
  CheckThread();
  const int index = Column ? columns_->IndexOf(Column) : -1;
  if (index < 0) return false;
  const TLifeToken life = LifeToken();
  SetInputFocus(true);
  SelectCell(index, selected_row_, true, TShiftState());
  if (!life) return false;
  if (cell_editing_ || input_editing_) {
    ApplyEdit();
    if (!life || !EndEditSurvived()) return false;
  }
  // A handler freed the column, or another one before it.
  const int now = columns_->IndexOf(Column);
  if (now < 0) return false;
  bool external = false;
  if (!ColumnEditor(Column, external) || !TakesInput(Column) || read_only_) return false;
  input_editing_ = true;
  if (!AttachEditor(Column, -1, true)) {
    EndEdit();
    return false;
  }
  input_col_ = now;
  edit_col_ = now;
  edit_row_ = -1;
  return true;
}

void TDgCustomGridControl::ShowStartedEditor(bool SelectAll) {
  if (!editor_) return;
  ShowEditorAt();
  if (!editor_) return;
  if (SelectAll)
    editor_->SelectAll();
  else
    editor_->SetSelStart(static_cast<int>(editor_->EditText().size()));
}

void TDgCustomGridControl::BeginEdit(int ACol, int ARow, const WideString& Text) {
  WideString text = Text;
  bool external = false;
  if (!StartCellEdit(ACol, ARow, external, Text.empty() ? &text : nullptr)) return;
  // The handlers (and OnEdit of a text the grid did not read itself) may
  // free the grid.
  const TLifeToken life = LifeToken();
  {
    bool unused = false;
    const TDgFlagScope writing(Text.empty() ? setting_editor_text_ : unused, *this);
    if (OnApplyEditText) OnApplyEditText(this, ACol, ARow, text);
    if (!life || !editor_) return;
    editor_->SetEditText(text);
    if (!life) return;
    EditorShown();
    if (!external && editor_) editor_->PrepareEditing();
  }
  ShowStartedEditor(columns_->Item(ACol)->Options().Contains(coEditorAutoSelect));
}

void TDgCustomGridControl::BeginEditWithChar(int ACol, int ARow, char16_t Key) {
  bool external = false;
  if (!StartCellEdit(ACol, ARow, external)) return;
  const TLifeToken life = LifeToken();
  editor_->SendChar(Key); // OnEdit may free the grid
  if (!life || !editor_) return;
  EditorShown();
  ShowStartedEditor(false);
}

void TDgCustomGridControl::BeginInputEdit(TDgCustomColumn* Column, const WideString& Text) {
  if (!StartInputEdit(Column)) return;
  {
    const TDgFlagScope writing(setting_editor_text_, *this);
    editor_->SetEditText(Text.empty() ? Column->InputValue() : Text);
  }
  ShowStartedEditor(Column->Options().Contains(coEditorAutoSelect));
  DoInputSelectCell(input_col_);
}

void TDgCustomGridControl::BeginInputEditWithChar(int ACol, char16_t Key) {
  if (!ValidColumn(ACol) || !StartInputEdit(columns_->Item(ACol))) return;
  const TLifeToken life = LifeToken();
  editor_->SendChar(Key); // OnEdit may free the grid
  if (!life) return;
  ShowStartedEditor(false);
  DoInputSelectCell(ACol);
}

// --- Applying and ending ------------------------------------------------------------------

bool TDgCustomGridControl::ApplyEdit() {
  CheckThread();
  edit_refused_ = false;
  if (!editor_) return false;
  if (cell_editing_) {
    const int col = edit_col_, row = edit_row_;
    WideString value = editor_->EditText();
    bool accept = true;
    // Each handler (OnChange of the cell too) may free the grid.
    const TLifeToken life = LifeToken();
    if (OnEditAccept) OnEditAccept(this, col, row, value, accept);
    if (!life) return false;
    if (RowCount() == 0 || row >= RowCount() || col < 0 || row < 0 || !ValidColumn(col))
      return false;
    if (!accept) return false;
    if (OnEditText) OnEditText(this, col, row, value);
    if (!life) return false;
    try {
      ApplyEditText(value);
    } catch (const EConvertError& e) {
      if (!life) return false;
      // The column's cells cannot hold this text: the person hears why and
      // the cell keeps what it had.
      edit_refused_ = true;
      if (host_) host_->ReportEditError(DgCellText::Widen(e.Message()));
      return false;
    }
    if (!life) return false;
    if (OnAfterEdit) OnAfterEdit(this, col, row, value);
    return true;
  }
  if (input_editing_ && ValidColumn(input_col_)) {
    columns_->Item(input_col_)->SetInputValue(editor_->EditText());
    return true;
  }
  return false;
}

void TDgCustomGridControl::EndEdit() {
  const bool was_cell = cell_editing_, was_input = input_editing_;
  const int col = edit_col_, row = edit_row_, input = input_col_;
  // The focus stays with the grid rather than going nowhere with the editor.
  const bool had_focus = editor_ && editor_->EditorFocused();
  cell_editing_ = input_editing_ = false;
  edit_col_ = edit_row_ = -1;
  input_col_ = -1;
  IDgInplaceEditor* ed = editor_;
  DetachEditor();
  if (ed) ed->Hide();
  if (had_focus && host_) host_->SetFocus();
  if (was_cell) RepaintCell(col, row);
  if (was_input && ValidColumn(input)) RepaintColumn(columns_->Item(input), DgRegion::Input);
  if (was_cell && OnEditExit) OnEditExit(this);
}

bool TDgCustomGridControl::EndEditSurvived() {
  const TLifeToken life = LifeToken();
  EndEdit();
  return static_cast<bool>(life);
}

void TDgCustomGridControl::AddInputRow() {
  CheckThread();
  bool accept = true;
  // The handlers (OnDataChange and OnChange too) may free the grid.
  const TLifeToken life = LifeToken();
  if (OnInputAccept) OnInputAccept(this, accept);
  if (!life || !accept) return;
  AddRow(1);
  if (!life) return;
  const int row = RowCount() - 1;
  // A cell's handlers may free a column: the others move up, so each column
  // is found again by identity (a freed one only compared, never touched).
  std::vector<TDgCustomColumn*> columns;
  for (int i = 0; i < columns_->Count(); ++i) columns.push_back(columns_->Item(i));
  for (TDgCustomColumn* c : columns) {
    const int i = columns_->IndexOf(c);
    if (i < 0) continue;
    WideString value = c->InputValue();
    if (value.empty()) value = c->DefaultValue();
    if (!value.empty() && ValidRow(row)) {
      try {
        SetCells(i, row, value);
      } catch (const EConvertError& e) {
        if (life && host_) host_->ReportEditError(DgCellText::Widen(e.Message()));
      }
      if (!life) return;
      if (columns_->IndexOf(c) < 0) continue;
    }
    if (!c->InputValue().empty()) c->SetInputValue(WideString());
  }
  if (OnInputAdded) OnInputAdded(this);
}

void TDgCustomGridControl::EditRowsExchanged(int Row1, int Row2) {
  if (!cell_editing_ || Row1 == Row2) return;
  if (edit_row_ == Row1)
    edit_row_ = Row2;
  else if (edit_row_ == Row2)
    edit_row_ = Row1;
  else
    return;
  RepositionEditor();
}

// --- Focus ----------------------------------------------------------------------------------

void TDgCustomGridControl::CheckFocusLeft() {
  if ((cell_editing_ || input_editing_) && host_) host_->PostGridMessage(PostedFocusCheck, 0, 0);
}

void TDgCustomGridControl::FocusLeft() {
  if (!(cell_editing_ || input_editing_)) return;
  if ((host_ && host_->Focused()) || (editor_ && editor_->EditorFocused())) return;
  const TLifeToken life = LifeToken();
  ApplyEdit();
  if (life) EndEdit();
}

// --- The editor's notifications ---------------------------------------------------------------

void TDgEditorLink::EditorChange() {
  TDgCustomGridControl& g = *grid_;
  if (g.setting_editor_text_ || !g.editor_ || !g.OnEdit) return;
  g.OnEdit(&g, g.edit_col_, g.edit_row_, g.editor_->EditText());
}

void TDgEditorLink::EditorEnter() {
  // The grid's colours depend on where the focus is.
  if (grid_->host_ && !grid_->host_->Focused()) grid_->InvalidateAll();
}

void TDgEditorLink::EditorExit() {
  if (grid_->host_ && !grid_->host_->Focused()) grid_->InvalidateAll();
  grid_->CheckFocusLeft();
}

void TDgEditorLink::EditorKeyDown(uint16_t& Key, TShiftState Shift) {
  TDgCustomGridControl& g = *grid_;
  const bool editing = g.cell_editing_ || g.input_editing_;
  uint16_t key = Key;
  // Each step below may raise a handler that frees the grid (and this link
  // with it): the grid has then taken the key, and nothing more is done.
  const TLifeToken life = g.LifeToken();
  auto gone = [&] {
    if (life) return false;
    Key = 0;
    return true;
  };
  // A column whose text holds line breaks keeps Enter in its editor.
  const bool enter_as_text = editing && key == kEnter && !Shift.Contains(ssCtrl) &&
                             g.cell_editing_ && g.ValidColumn(g.edit_col_) &&
                             g.columns_->Item(g.edit_col_)->TakesEnterAsText();
  if (editing && key == kTab) {
    g.ApplyEdit();
    if (gone()) return;
    if (g.edit_refused_) { // the editor stays with the text to put right
      Key = 0;
      return;
    }
    g.EndEdit();
    if (gone()) return;
  } else if (enter_as_text) {
    // The edit goes on.
  } else if (editing && key == kEnter && !Shift.Contains(ssCtrl)) {
    if (g.cell_editing_) {
      g.ApplyEdit();
      if (gone()) return;
      if (g.edit_refused_) {
        Key = 0;
        return;
      }
      g.EndEdit();
      if (gone()) return;
      if (g.host_) g.host_->SetFocus();
    } else {
      g.ApplyEdit();
      if (gone()) return;
      g.AddInputRow();
      if (gone()) return;
      if (g.editor_ && g.ValidColumn(g.input_col_)) {
        const TDgFlagScope writing(g.setting_editor_text_, g);
        g.editor_->SetEditText(g.columns_->Item(g.input_col_)->InputValue());
      }
    }
  } else if (editing && key == kEscape) {
    if (g.options_.Contains(goEscClearEdit)) {
      if (g.editor_) g.editor_->Clear(); // OnEdit
    } else {
      g.EndEdit();
      if (gone()) return;
      if (g.host_) g.host_->SetFocus();
    }
    if (gone()) return;
  }
  g.EditorKeyDownToGrid(key, Shift);
  // What the grid acted on is not the edit control's any more.
  if (editing && (Key == kTab || Key == kEscape || (Key == kEnter && !enter_as_text))) key = 0;
  Key = key;
}

void TDgEditorLink::EditorKeyPress(char16_t& Key) { grid_->EditorKeyPressToGrid(Key); }

void TDgEditorLink::EditorKeyUp(uint16_t& Key, TShiftState Shift) {
  grid_->EditorKeyUpToGrid(Key, Shift);
}
