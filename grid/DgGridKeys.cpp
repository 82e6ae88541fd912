// The grid's keys: navigation by rows, pages, columns and Tab, typed
// characters that start an edit or search the rows (see DgCustomGrid.h).
#include <cstdlib>

#include "grid/DgColumnDisplay.h"
#include "grid/DgCustomGrid.h"

namespace {
constexpr int kTab = 9, kEnter = 13, kEscape = 27, kPageUp = 33, kPageDown = 34, kEnd = 35,
              kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
} // namespace

// --- Rows ---------------------------------------------------------------------------------

void TDgCustomGridControl::SelectNextRow(TShiftState Shift, bool WrapOut) {
  CheckThread();
  const int count = RowCount();
  if (count == 0) return;
  // The selection's handlers may free the grid: nothing of it is touched then.
  const TLifeToken life = LifeToken();
  int target = -1;
  if (input_focus_) {
    SetInputFocus(false);
    if (!life) return;
    target = FirstVisibleRow();
  } else {
    if (selected_row_ < 0) return;
    if (selected_row_ >= count - 1) {
      if (WrapOut) {
        if (host_) host_->PostKeyToParent(kTab);
        SelectFirstRow(TShiftState());
      }
      return;
    }
    for (int r = selected_row_ + 1; r < count && target < 0; ++r) {
      const bool can = GetRowVisible(r) && CanSelectCell(selected_column_, r);
      if (!life) return;
      if (can) target = r;
    }
  }
  if (!ValidRow(target)) return;
  SelectCell(selected_column_, target, true, Shift);
  if (!life) return;
  if (host_ && RowTop(target) + GetRowHeight(target) >= CellAreaRect().Bottom)
    host_->VertScrollBar().LineDown();
}

void TDgCustomGridControl::SelectPriorRow(TShiftState Shift) {
  CheckThread();
  if (selected_row_ < 0) return;
  if (selected_row_ == FirstVisibleRow() && Options().Contains(goInput) &&
      grid_style_ == gsReport) {
    SetInputFocus(true);
    return;
  }
  if (input_focus_ || RowCount() == 0) return;
  const TLifeToken life = LifeToken();
  int target = -1;
  for (int r = selected_row_ - 1; r >= 0 && target < 0; --r) {
    const bool can = GetRowVisible(r) && CanSelectCell(selected_column_, r);
    if (!life) return;
    if (can) target = r;
  }
  if (target < 0) return;
  SelectCell(selected_column_, target, true, Shift);
  if (!life) return;
  if (host_ && target < top_row_) host_->VertScrollBar().LineUp();
}

void TDgCustomGrid::MoveSelection(int Rows) {
  CheckThread();
  if (!ValidRow(selected_row_) || Rows == 0) return;
  int steps = std::abs(Rows), target = selected_row_;
  if (Rows < 0) {
    const int limit = FirstVisibleRow();
    for (int r = selected_row_ - 1; r >= limit && steps > 0; --r)
      if (GetRowVisible(r)) target = r, --steps;
  } else {
    const int limit = LastVisibleRow();
    for (int r = selected_row_ + 1; r <= limit && steps > 0; ++r)
      if (GetRowVisible(r)) target = r, --steps;
  }
  if (target != selected_row_) SetSelectedRow(target);
}

void TDgCustomGrid::PageKey(bool Down) {
  if (RowCount() == 0) return;
  // A cell area lower than a row still pages by one row.
  const int f = std::max(1, FullRowsFromTop());
  const TLifeToken life = LifeToken();
  // With nothing selected, Page Down takes the last fully shown row and
  // Page Up scrolls a page back, leaving the selection empty.
  if (!Down) {
    if (selected_row_ > top_row_) {
      SetSelectedRow(top_row_);
    } else {
      MoveSelection(-f);
      if (life) MoveVertBar(-f);
    }
    return;
  }
  if (selected_row_ < top_row_ + f - 1) {
    // The last fully shown row: the f-th visible one from the top.
    int last = top_row_, seen = 0;
    for (int r = top_row_; r < RowCount() && seen < f; ++r)
      if (RowPitch(r) > 0) last = r, ++seen;
    SetSelectedRow(last);
  } else if (selected_row_ + f > RowCount()) {
    SelectLastRow(TShiftState());
  } else {
    MoveSelection(f);
    if (life) MoveVertBar(f);
  }
}

void TDgCustomGrid::HomeEndKey(bool End, TShiftState Shift) {
  if (Options().Contains(goMultiSelect) && Options().Contains(goSelectFullRow) &&
      ValidRow(selected_row_)) {
    const int from = End ? selected_row_ : 0, to = End ? RowCount() - 1 : selected_row_;
    for (int r = from; r <= to; ++r)
      if (GetRowVisible(r)) SetRowSelected(r, true);
    multi_select_ = true;
    RepaintRegion(DgRegion::Cells);
  }
  if (HomeEndBehaviour() == hebTopBottom) {
    if (!ValidColumn(selected_column_)) return;
    if (End)
      SelectLastRow(Shift);
    else
      SelectFirstRow(Shift);
    return;
  }
  SelectColumnInRow(End ? columns_->LastVisible() : columns_->FirstVisible());
}

// --- Columns and Tab ----------------------------------------------------------------------

void TDgCustomGrid::SelectColumnBeside(bool Next) {
  CheckThread();
  if (!ValidColumn(selected_column_)) return;
  TDgCustomColumn* c = columns_->Item(selected_column_);
  TDgCustomColumn* beside = Next ? columns_->Next(c) : columns_->Previous(c);
  if (beside != c) SelectColumnInRow(beside);
}

void TDgCustomGrid::SelectColumnInRow(TDgCustomColumn* Column) {
  if (!Column) return;
  const TLifeToken life = LifeToken();
  SelectCell(columns_->IndexOf(Column), selected_row_, true, TShiftState());
  // The handlers may have freed the column, or the grid.
  if (life && GridStyle() == gsReport && columns_->IndexOf(Column) >= 0) ScrollToColumn(Column);
}

void TDgCustomGrid::SelectNextColumn() { SelectColumnBeside(true); }
void TDgCustomGrid::SelectPriorColumn() { SelectColumnBeside(false); }

void TDgCustomGrid::TabForward(bool WrapOut) {
  CheckThread();
  if (!ValidColumn(selected_column_)) return;
  TDgCustomColumn* c = columns_->Item(selected_column_);
  if (columns_->Next(c) != c) {
    SelectNextColumn();
  } else if (input_focus_) {
    if (host_) host_->PostKeyToParent(kTab);
  } else {
    const TLifeToken life = LifeToken();
    SelectNextRow(TShiftState(), WrapOut);
    if (life) SelectColumnInRow(columns_->FirstVisible());
  }
}

void TDgCustomGrid::TabBackward() {
  CheckThread();
  if (!ValidColumn(selected_column_)) return;
  TDgCustomColumn* c = columns_->Item(selected_column_);
  if (columns_->Previous(c) != c) {
    SelectPriorColumn();
  } else if (!input_focus_) {
    const TLifeToken life = LifeToken();
    SelectPriorRow(TShiftState());
    if (life) SelectColumnInRow(columns_->LastVisible());
  }
}

// --- Keys ---------------------------------------------------------------------------------

void TDgCustomGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
  CheckThread();
  if (Options().Contains(goDisableKeys)) return;
  // The editor moves its own caret.
  if ((cell_editing_ || input_editing_) && Key >= kEnd && Key <= kDown) return;
  const bool by_column = input_focus_ || !Options().Contains(goSelectFullRow) ||
                         AppearanceOptions().Contains(aoIndicateSelectedCell);
  switch (Key) {
    case kTab:
      if (Shift.Contains(ssShift))
        TabBackward();
      else
        TabForward(true);
      break;
    case kPageUp: PageKey(false); break;
    case kPageDown: PageKey(true); break;
    case kEnd: HomeEndKey(true, Shift); break;
    case kHome: HomeEndKey(false, Shift); break;
    case kLeft:
      if (by_column)
        SelectPriorColumn();
      else if (host_)
        host_->HorzScrollBar().LineUp();
      break;
    case kUp: SelectPriorRow(Shift); break;
    case kRight:
      if (by_column)
        SelectNextColumn();
      else if (host_)
        host_->HorzScrollBar().LineDown();
      break;
    case kDown: SelectNextRow(Shift, false); break;
    default: break;
  }
}

void TDgCustomGrid::KeyUp(uint16_t& Key, TShiftState Shift) {}

void TDgCustomGrid::KeyPress(char16_t& Key) {
  CheckThread();
  if (cell_editing_ || input_editing_ || Options().Contains(goDisableKeys) || Key == kEscape)
    return;
  // What the key starts raises events whose handlers may free the grid.
  const TLifeToken life = LifeToken();
  if (Key == kEnter && WantReturns()) {
    if (!input_focus_) {
      switch (SelectionMoveDirection()) {
        case TSelectionMoveDirection::mdUp: SelectPriorRow(TShiftState()); break;
        case TSelectionMoveDirection::mdDown: SelectNextRow(TShiftState(), false); break;
        case TSelectionMoveDirection::mdLeft: SelectPriorColumn(); break;
        case TSelectionMoveDirection::mdRight: SelectNextColumn(); break;
        case TSelectionMoveDirection::mdNone: break;
      }
    } else if (InputEnterMode() == imAllways) {
      // Nothing is edited here: applying raises nothing.
      ApplyEdit();
      if (editor_) editor_->Clear();
      AddInputRow();
      if (!life) return;
      if (editor_ && ValidColumn(input_col_)) {
        editor_->SetEditText(columns_->Item(input_col_)->InputValue());
        if (life) editor_->SelectAll();
      }
    }
    if (!life) return;
  }
  if (!ValidColumn(selected_column_) || !(input_focus_ || ValidRow(selected_row_))) return;
  TDgCustomColumn* c = columns_->Item(selected_column_);
  int col = selected_column_;
  const int row = selected_row_;
  // Every event below may free the column (or one before it): it is found
  // again after each, and the key is left alone once it is gone.
  auto still_there = [&] {
    col = columns_->IndexOf(c);
    return col >= 0;
  };
  // A play element takes the key when its column is edited, or when its kind
  // reacts to keys, as a click on it would (ActivePlay holds both rules).
  if (!input_focus_) {
    if (TColumnPlay* play = ActivePlay(c, row)) {
      TRect r;
      GetCellRect(col, row, r);
      if (CanBeginEditAt(c, row, r)) play->KeyPress(Key);
      if (!life || Key == 0 || !still_there()) return;
    }
  }
  if (Key == kEnter || Key == kTab) {
    Key = 0;
    return;
  }
  if (c->AcceptsEditKey(Key)) {
    if (input_focus_)
      BeginInputEditWithChar(col, Key);
    else
      BeginEditWithChar(col, row, Key);
    if (!life) {
      Key = 0;
      return;
    }
    if (cell_editing_ || input_editing_) {
      Key = 0;
      return;
    }
    if (!still_there()) return;
  }
  // Control characters (Backspace, Ctrl+letters) are not appended: no cell
  // text begins with one, so a single Backspace would stop the search from
  // finding anything until its pause ran out.
  if (!input_focus_ && !c->Options().Contains(coEditing) && RowCount() > 0 && Key >= 32) {
    IncrementalSearch(Key);
    Key = 0;
  }
}

void TDgCustomGrid::IncrementalSearch(char16_t Key) {
  int search_col = -1;
  for (int i = 0; i < columns_->Count() && search_col < 0; ++i)
    if (columns_->Item(i)->Options().Contains(coSearchColumn)) search_col = i;
  if (search_col < 0) return;
  if (host_) host_->StartTimer(DgGridTimer::IncrementalSearch, TDgIncrementalSearch::PauseMs);
  search_.Append(Key);
  const int found = search_.Find(
      RowCount(), selected_row_, [this](int r) { return GetRowVisible(r); },
      [this, search_col](int r) { return Cells(search_col, r); });
  if (found < 0) return;
  const TLifeToken life = LifeToken();
  SetSelectedRow(found);
  if (life && update_lock_ == 0) ScrollToRow(found);
}

void TDgCustomGrid::TimerFired(int Id) {
  if (Id != DgGridTimer::IncrementalSearch) return TDgCustomGridControl::TimerFired(Id);
  search_.Clear();
  if (host_) host_->StopTimer(Id);
}

bool TDgCustomGrid::WantsKey(uint16_t Key) {
  // Arrows and characters always; Tab only when the grid has somewhere to go.
  // Every other key reaches the grid anyway: the form takes only Tab.
  if (Key == kTab)
    return WantTabs() && columns_->VisibleCount() > 0 && (RowCount() > 0 || input_focus_);
  return true;
}
