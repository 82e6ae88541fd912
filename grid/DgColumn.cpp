// TDgCustomColumn: properties, their change codes and the column's queries
// (see DgColumns.h). The collection's layout is in DgColumnList.cpp.
#include "grid/DgColumns.h"

#include <algorithm>

TDgCustomColumn::TDgCustomColumn(TComponent* AOwner) : TComponent(AOwner) {
  auto appearance = [this](TObject*) { Change(DgColumnChange::Appearance); };
  header_.OnChange = appearance;
  footer_.OnChange = appearance;
  slide_bounds_.OnChange = [this](TObject*) { Change(DgColumnChange::SlideBounds); };
  font_.OnChange = [this](TObject*) { FontChanged(); };
}

TDgCustomColumn::~TDgCustomColumn() {
  if (columns_) columns_->Remove(this);
  if (inplace_edit_) inplace_edit_->RemoveFreeNotification(this);
  TComponent* editor = editor_;
  editor_ = nullptr;
  if (editor) {
    editor->RemoveFreeNotification(this);
    editor->Free();
  }
  delete display_;
  delete play_;
}

void TDgCustomColumn::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == inplace_edit_) inplace_edit_ = nullptr;
  if (AComponent == editor_) editor_ = nullptr;
}

bool TDgCustomColumn::Loading() const {
  return ComponentState().Contains(csLoading) || (columns_ && columns_->Loading());
}

void TDgCustomColumn::Change(int Kind, int Value) {
  if (columns_ && columns_->OnColumnChanged) columns_->OnColumnChanged(this, Value, Kind);
}

void TDgCustomColumn::Refresh(int Code) {
  if (columns_ && columns_->OnColumnRefresh) columns_->OnColumnRefresh(this, Code);
}

void TDgCustomColumn::AddListener(TDgColumnListener Listener, intptr_t Data) {
  listeners_.push_back(ListenerEntry{std::move(Listener), Data});
}

void TDgCustomColumn::RemoveListener(intptr_t Data) {
  listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                  [Data](const ListenerEntry& e) { return e.Data == Data; }),
                   listeners_.end());
}

void TDgCustomColumn::NotifyListeners(int Code) {
  // A listener may remove itself (or others) while it is told.
  std::vector<ListenerEntry> now = listeners_;
  for (auto& e : now)
    if (e.Callback) e.Callback(this, Code, e.Data);
}

// --- Elements ---------------------------------------------------------------------------

TComponent* TDgCustomColumn::Editor() {
  if (!editor_made_) {
    editor_made_ = true;
    editor_ = CreateEditor();
    if (editor_) editor_->FreeNotification(this);
  }
  return editor_;
}

TVirtualColElement* TDgCustomColumn::Display() {
  if (!display_made_) {
    display_made_ = true;
    display_ = CreateDisplay();
  }
  return display_;
}

TVirtualColElement* TDgCustomColumn::Play() {
  if (!play_made_) {
    play_made_ = true;
    play_ = CreatePlay();
  }
  return play_;
}

void TDgCustomColumn::SetInplaceEdit(TComponent* v) {
  if (v == inplace_edit_) return;
  if (inplace_edit_) inplace_edit_->RemoveFreeNotification(this);
  inplace_edit_ = v;
  if (v) v->FreeNotification(this);
}

// --- Virtual operations -----------------------------------------------------------------

int TDgCustomColumn::InputMode() const {
  if (!enabled_) return 0;
  if (!(CapabilityFlags() & DgColumnCaps::Editing) && !inplace_edit_) return 0;
  return (options_.Contains(coCanInput) ? 2 : 0) + (options_.Contains(coEditing) ? 1 : 0);
}

int TDgCustomColumn::NeededWidth(const WideString& Text) const {
  TDgColumnsHost* host = columns_ ? columns_->Host() : nullptr;
  int w = host ? host->TextWidth(this, Text) : 0;
  return w >= 2 ? w + 6 : 8;
}

void TDgCustomColumn::PrepareEditor(TEditorSettings& Settings) const {
  Settings.Alignment = alignment_;
  Settings.Border = false;
  Settings.BorderWidth = 0;
  Settings.LeftMargin = 1;
}

// --- Properties ----------------------------------------------------------------------------
// Each setter does nothing when the value is unchanged: no repaint, no
// listener, and for the sort no new sort with its events.

void TDgCustomColumn::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  NotifyListeners(DgColumnListen::Alignment);
  Change(DgColumnChange::Appearance);
}

void TDgCustomColumn::SetBiDiMode(TBiDiMode v) {
  if (v == bidi_mode_) return;
  bidi_mode_ = v;
  Change(DgColumnChange::Appearance);
}

void TDgCustomColumn::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  NotifyListeners(DgColumnListen::ColorOrOptions);
  Change(DgColumnChange::Appearance);
}

void TDgCustomColumn::SetCursor(TCursor v) {
  if (v == cursor_) return;
  cursor_ = v;
  Change(DgColumnChange::Appearance);
}

void TDgCustomColumn::SetDrawingOptions(TDrawingOptions v) {
  if (v == drawing_options_) return;
  drawing_options_ = v;
  NotifyListeners(DgColumnListen::DrawingOptions);
  Change(DgColumnChange::Appearance);
}

void TDgCustomColumn::SetFont(const TDgFont* v) {
  if (v) font_.Assign(const_cast<TDgFont*>(v));
}

void TDgCustomColumn::FontChanged() {
  if (updating_parent_font_) return;
  parent_font_ = false;
  Change(DgColumnChange::Appearance);
}

// Setting true copies the grid's font even when the flag stood already: a
// column made before it joined its grid takes the grid's font this way.
void TDgCustomColumn::SetParentFont(bool v) {
  parent_font_ = v;
  if (v) ParentFontChanged();
}

void TDgCustomColumn::ParentFontChanged() {
  if (!parent_font_) return;
  TDgColumnsHost* host = columns_ ? columns_->Host() : nullptr;
  const TDgFont* grid_font = host ? host->GridFont() : nullptr;
  if (!grid_font || grid_font == &font_) return;
  updating_parent_font_ = true;
  try {
    font_.Assign(const_cast<TDgFont*>(grid_font));
  } catch (...) {
    updating_parent_font_ = false;
    throw;
  }
  updating_parent_font_ = false;
}

void TDgCustomColumn::SetFooter(TColumnFooter* v) {
  if (v && v != &footer_) footer_.Assign(v);
}

void TDgCustomColumn::SetHeader(TColumnHeader* v) {
  if (v && v != &header_) header_.Assign(v);
}

void TDgCustomColumn::SetSlideBounds(TDgSlideBounds* v) {
  if (v && v != &slide_bounds_) slide_bounds_.Assign(v);
}

void TDgCustomColumn::SetInputCaption(const WideString& v) {
  if (v == input_caption_) return;
  input_caption_ = v;
  Change(DgColumnChange::Appearance);
}

void TDgCustomColumn::SetInputValue(const WideString& v) {
  if (v == input_value_) return;
  input_value_ = v;
  Change(DgColumnChange::InputValue);
}

void TDgCustomColumn::SetOptions(TColumnOptions v) {
  if (v == options_) return;
  TColumnOptions old = options_;
  if (v.Contains(coSearchColumn) && !old.Contains(coSearchColumn) && columns_) {
    // At most one search column.
    for (int i = 0; i < columns_->Count(); ++i) {
      TDgCustomColumn* c = columns_->Item(i);
      if (c != this && c->options_.Contains(coSearchColumn))
        c->SetOptions(c->options_ - TColumnOptions{coSearchColumn});
    }
  }
  options_ = v;
  if (!columns_ || columns_->Loading()) return;
  // The widths the auto-size gives raise the grid's OnColumnResize, whose
  // handler may free the grid with its columns.
  const TLifeToken life = LifeToken();
  if (!(old.Contains(coAutoSize) && v.Contains(coAutoSize))) columns_->AutoSize(this, true);
  if (!life) return;
  Change(DgColumnChange::Appearance);
  NotifyListeners(DgColumnListen::ColorOrOptions);
}

void TDgCustomColumn::SetPadding(int v) {
  if (v == padding_) return;
  padding_ = v;
  Refresh(DgColumnRefresh::Cells);
}

void TDgCustomColumn::SetParentCellColor(bool v) {
  if (v == parent_cell_color_) return;
  parent_cell_color_ = v;
  Refresh(DgColumnRefresh::Cells);
}

void TDgCustomColumn::SetPosition(int v) {
  if (columns_ && !Loading() && columns_->PositionOf(this) >= 0) {
    // Move tells the grid once and renumbers every column, so Position holds
    // the place the column really took (an index past the ends is held to
    // them), not a number no column stands at.
    columns_->Move(columns_->PositionOf(this), v);
    return;
  }
  position_ = v;
}

void TDgCustomColumn::SetSlideCaption(const std::string& v) {
  if (v == slide_caption_) return;
  slide_caption_ = v;
  Refresh(DgColumnRefresh::PartCaption);
}

void TDgCustomColumn::SetSlideCaptionLocation(TSlideCatpionLocation v) {
  if (v == slide_caption_location_) return;
  slide_caption_location_ = v;
  Change(DgColumnChange::Appearance);
}

void TDgCustomColumn::SetSorted(bool v) {
  if (v == sorted_ || (CapabilityFlags() & DgColumnCaps::NotSortable)) return;
  if (v) {
    if (columns_)
      for (int i = 0; i < columns_->Count(); ++i) {
        TDgCustomColumn* c = columns_->Item(i);
        if (c != this && c->sorted_) c->SetSorted(false);
      }
    sorted_ = true;
    Change(DgColumnChange::BecameSorted);
  } else {
    sorted_ = false;
    Change(DgColumnChange::Unsorted);
  }
}

void TDgCustomColumn::SetSortKind(TSortKind v) {
  if (v == sort_kind_) return;
  sort_kind_ = v;
  Change(DgColumnChange::SortOrder);
}

void TDgCustomColumn::SetSortType(TSortType v) {
  if (v == sort_type_) return;
  sort_type_ = v;
  Change(DgColumnChange::SortOrder);
}

void TDgCustomColumn::SetVerticalAlignment(TVerticalAlignment v) {
  if (v == vertical_alignment_) return;
  vertical_alignment_ = v;
  Change(DgColumnChange::Appearance);
}

void TDgCustomColumn::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  NotifyListeners(DgColumnListen::Visibility);
  Change(DgColumnChange::Visibility);
  if (columns_ && !Loading()) {
    columns_->Layout(false);
    columns_->AutoSize(nullptr, false);
  }
}

void TDgCustomColumn::SetWidthInternal(int v) {
  int old = width_;
  width_ = std::max({v, min_width_, 0});
  if (columns_ && !Loading()) columns_->Layout(false);
  Change(DgColumnChange::Width, width_ - old);
}

void TDgCustomColumn::SetWidth(int v) {
  if (std::max({v, min_width_, 0}) == width_) return;
  // OnColumnResize may free the grid with its columns.
  const TLifeToken life = LifeToken();
  SetWidthInternal(v);
  if (life && columns_) columns_->AutoSize(this, false);
  if (!life) return;
  TDgColumnsHost* host = columns_ ? columns_->Host() : nullptr;
  if (ComponentState().Contains(csDesigning) || (host && host->ColumnsDesigning()))
    default_width_ = width_;
}

void TDgCustomColumn::SetWrapKind(TWrapKind v) {
  if (v == wrap_kind_) return;
  wrap_kind_ = v;
  Refresh(DgColumnRefresh::Cells);
}

void TDgCustomColumn::SetName(const std::string& NewName) {
  TComponent::SetName(NewName);
  NotifyListeners(DgColumnListen::Caption);
}

void TDgCustomColumn::Assign(TPersistent* Source) {
  auto* c = dynamic_cast<TDgCustomColumn*>(Source);
  if (!c) {
    TComponent::Assign(Source);
    return;
  }
  if (c == this) return;
  // The grid's handlers of a move, a sort, a resize or the slide bounds may
  // free the grid, and this column with it.
  const TLifeToken life = LifeToken();
  SetAlignment(c->alignment_);
  SetColor(c->color_);
  SetCursor(c->cursor_);
  SetDefaultValue(c->default_value_);
  SetDrawingOptions(c->drawing_options_);
  SetFont(&c->font_);
  SetFooter(&c->footer_);
  SetHeader(&c->header_);
  SetInputCaption(c->input_caption_);
  SetInputValue(c->input_value_);
  SetOptions(c->options_);
  if (!life) return;
  SetParentFont(c->parent_font_);
  SetPosition(c->position_);
  if (!life) return;
  SetSlideBounds(&c->slide_bounds_);
  if (!life) return;
  SetSorted(c->sorted_);
  if (!life) return;
  SetSortKind(c->sort_kind_);
  if (!life) return;
  SetVerticalAlignment(c->vertical_alignment_);
  SetVisible(c->visible_);
  if (!life) return;
  SetWidth(c->width_);
  if (!life) return;
  SetWrapKind(c->wrap_kind_);
}

// --- Queries ----------------------------------------------------------------------------------

int TDgCustomColumn::Index() const { return columns_ ? columns_->IndexOf(this) : -1; }

bool TDgCustomColumn::IsFixed() const {
  if (!columns_) return false;
  int p = columns_->PositionOf(this);
  return p >= 0 && p < columns_->FixedCols();
}

int TDgCustomColumn::VisibleLeft() const {
  TDgColumnsHost* host = columns_ ? columns_->Host() : nullptr;
  if (!host || IsFixed()) return left_;
  return left_ - host->HorzScrollPosition();
}

bool TDgCustomColumn::IsOnlyVisible() const {
  return visible_ && columns_ && columns_->VisibleCount() == 1;
}

int TDgCustomColumn::VisiblePlace() const {
  if (IsOnlyVisible()) return 0;
  if (!columns_) return 2;
  if (columns_->FirstVisible() == this) return 1;
  if (columns_->LastVisible() == this) return 3;
  return 2;
}

bool TDgCustomColumn::IsSelected() const {
  TDgColumnsHost* host = columns_ ? columns_->Host() : nullptr;
  return host && host->SelectedColumnIndex() >= 0 && host->SelectedColumnIndex() == Index();
}

bool TDgCustomColumn::IsPressed() const {
  TDgColumnsHost* host = columns_ ? columns_->Host() : nullptr;
  return host && host->PressedColumn() == this;
}

bool TDgCustomColumn::IsHot() const {
  TDgColumnsHost* host = columns_ ? columns_->Host() : nullptr;
  return host && host->HotColumn() == this;
}

TRect TDgCustomColumn::BandRect(int Kind) const {
  TRect r;
  r.Left = VisibleLeft();
  r.Right = r.Left + width_;
  TDgColumnsHost* host = columns_ ? columns_->Host() : nullptr;
  if (host) host->BandSpan(Kind, r.Top, r.Bottom);
  if (Kind == 0) r.Top += 4;
  if (Kind == 4) r.Bottom -= 6;
  return r;
}

unsigned TDgCustomColumn::TextFlags(bool AllowEllipsis) const {
  unsigned f = 0x0800;                           // no prefix
  if (bidi_mode_ != bdLeftToRight) f |= 0x20000; // right-to-left reading
  if (alignment_ == taRightJustify)
    f |= 0x0002;
  else if (alignment_ == taCenter)
    f |= 0x0001;
  if (vertical_alignment_ == taAlignBottom)
    f |= 0x0008;
  else if (vertical_alignment_ == taVerticalCenter)
    f |= 0x0004;
  if (AllowEllipsis && wrap_kind_ == wkEllipsis) f |= 0x8000;
  if (AllowEllipsis && wrap_kind_ == wkPathEllipsis) f |= 0x4000;
  if (wrap_kind_ == wkWordWrap)
    f |= 0x0010;
  else if (!MultiLineRows(false))
    f |= 0x0020; // single line
  return f;
}
