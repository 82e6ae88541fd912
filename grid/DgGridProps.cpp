// The grid core's life, window binding, properties and update lock (see
// DgCustomGridControl.h).
#include "grid/DgCustomGridControl.h"

#include "grid/DgGridBinding.h"
#include "grid/DgScrollBar.h"

TDgCustomGridControl::TDgCustomGridControl(TComponent* AOwner, IDgGridHost* Host)
    : TComponent(AOwner), host_(Host), binding_(std::make_unique<TColumnsBinding>(*this)) {
  columns_ = TDgCustomGridControl::CreateColumns();
  columns_->OnColumnChanged = [this](TDgCustomColumn* c, int value, int kind) {
    ColumnChanged(c, value, kind);
  };
  columns_->OnColumnsUpdated = [this](int kind) { ColumnsUpdated(kind); };
  columns_->OnColumnsChanged = [this](int kind, int index) {
    ColumnsCollectionChanged(kind, index);
  };
  columns_->OnColumnRefresh = [this](TDgCustomColumn* c, int code) { ColumnRefresh(c, code); };
  font_.OnChange = [this](TObject*) { GridFontChanged(); };
  for (int s = hsAuto; s <= hsVista; ++s)
    displays_[s].reset(CreateStyleDisplay(static_cast<THeaderStyle>(s), this));
  SwitchDisplay();
  RecalcLineWidths();
}

TDgCustomGridControl::~TDgCustomGridControl() {
  // The columns ask the grid things while they go: free them while the
  // grid is still whole, with the window and the handlers already gone.
  Destroying();
  host_ = nullptr;
  columns_->OnColumnChanged = nullptr;
  columns_->OnColumnsUpdated = nullptr;
  columns_->OnColumnsChanged = nullptr;
  columns_->OnColumnRefresh = nullptr;
  columns_->Free();
  columns_ = nullptr;
  editor_ = nullptr; // it belongs to its column
}

TDgColumns* TDgCustomGridControl::CreateColumns() { return new TDgColumns(this, binding_.get()); }

// The grid takes no lock: a call from another thread (such as a download
// callback) would race the painting, so it is refused outright rather than
// left to corrupt the rows now and then.
void TDgCustomGridControl::CheckThread() const {
  if (std::this_thread::get_id() != thread_)
    throw EGridThreadError("The grid was used from a thread other than its window's");
}

void TDgCustomGridControl::SetHost(IDgGridHost* Host) {
  CheckThread();
  host_ = Host;
  if (host_ && host_->HandleAllocated()) WindowCreated();
}

void TDgCustomGridControl::WindowCreated() {
  if (!host_) return;
  host_->SetBorder(border_style_ == bsSingle);
  host_->VertScrollBar().SetAutoHide(hide_scroll_bar_);
  host_->HorzScrollBar().LargeChange = 10;
  host_->HorzScrollBar().SmallChange = 5;
  host_->VertScrollBar().LargeChange = 10;
  SwitchDisplay();
  UpdateScrollAreas();
  UpdateHorzScrollBar();
  UpdateVertScrollBar();
}

void TDgCustomGridControl::SetEnabled(bool v) {
  CheckThread();
  if (v == enabled_) return;
  enabled_ = v;
  InvalidateAll();
}

void TDgCustomGridControl::SetColor(TColor v) {
  CheckThread();
  color_ = v;
  parent_color_ = false;
  InvalidateAll();
}

void TDgCustomGridControl::Resized() {
  CheckThread();
  // Auto-sized columns share the client's new width (OnColumnResize may
  // free the grid).
  const TLifeToken life = LifeToken();
  columns_->AutoSize(nullptr, false);
  if (!life) return;
  UpdateScrollAreas();
  UpdateHorzScrollBar();
  UpdateVertScrollBar();
  InvalidateAll();
}

void TDgCustomGridControl::ThemeChanged() {
  SwitchDisplay();
  InvalidateAll();
}

void TDgCustomGridControl::TimerFired(int Id) {}
void TDgCustomGridControl::HandlePosted(int Msg, intptr_t W, intptr_t L) {}

void TDgCustomGridControl::SwitchDisplay() {
  display_ = displays_[header_style_].get();
  IDgThemes* themes = host_ ? host_->Themes() : nullptr;
  display_->Theme = enable_visual_styles_ ? themes : nullptr;
  display_->Themed = display_->Theme != nullptr;
  display_->GridColor = grid_lines_color_;
}

void TDgCustomGridControl::GridFontChanged() {
  if (!adopting_font_) parent_font_ = false;
  for (int i = 0; i < columns_->Count(); ++i) columns_->Item(i)->ParentFontChanged();
  InvalidateAll();
}

void TDgCustomGridControl::SetFont(const TDgFont* v) {
  CheckThread();
  if (v) font_.Assign(const_cast<TDgFont*>(v));
}

void TDgCustomGridControl::SetParentFont(bool v) {
  CheckThread();
  parent_font_ = v;
  ParentFontChanged();
}

void TDgCustomGridControl::ParentFontChanged() {
  CheckThread();
  TDgFont parent;
  if (!parent_font_ || !host_ || !host_->GetParentFont(parent) || parent.SameAs(font_)) return;
  adopting_font_ = true;
  font_.Assign(&parent); // the columns with ParentFont follow
  adopting_font_ = false;
}

// --- Properties ---------------------------------------------------------------------------

void TDgCustomGridControl::SetAppearanceOptions(TAppearanceOptions v) {
  CheckThread();
  appearance_options_ = v;
  RecalcLineWidths();
  InvalidateAll();
  if (host_) host_->RepaintBorder();
}

void TDgCustomGridControl::SetAutoScroll(bool v) {
  CheckThread();
  auto_scroll_ = v;
}

void TDgCustomGridControl::SetBorderStyle(TBorderStyle v) {
  CheckThread();
  if (v != bsNone) v = bsSingle;
  if (v == border_style_) return;
  border_style_ = v;
  if (host_) host_->SetBorder(v == bsSingle);
}

void TDgCustomGridControl::SetCaption(const WideString& v) {
  CheckThread();
  caption_ = v;
  RepaintRegion(DgRegion::Cells);
}

void TDgCustomGridControl::SetEnableVisualStyles(bool v) {
  CheckThread();
  enable_visual_styles_ = v;
  SwitchDisplay();
  InvalidateAll();
  if (host_) host_->RepaintBorder();
}

int TDgCustomGridControl::FixedCols() const { return columns_->FixedCols(); }

void TDgCustomGridControl::SetFixedCols(int v) {
  CheckThread();
  columns_->SetFixedCols(v);
  UpdateScrollAreas();
  InvalidateAll();
}

// Sizes of zero or less would stack rows, slides or bands on one another:
// they are ignored.
void TDgCustomGridControl::SetFooterSize(int v) {
  CheckThread();
  // 0 leaves the band no room; a negative height has no meaning.
  if (v < 0) return;
  footer_size_ = v;
  UpdateScrollAreas();
  UpdateVertScrollBar();
  InvalidateAll();
}

void TDgCustomGridControl::SetGridLinesColor(TColor v) {
  CheckThread();
  grid_lines_color_ = v;
  SwitchDisplay();
  InvalidateAll();
}

void TDgCustomGridControl::SetGridLinesStyle(TGridLinesStyle v) {
  CheckThread();
  grid_lines_style_ = v;
  RecalcLineWidths();
  InvalidateAll();
}

void TDgCustomGridControl::SetGridStyle(TGridStyle v) {
  CheckThread();
  if (v == grid_style_) return;
  grid_style_ = v;
  GridStyleChanged();
  if (v == gsSlides) {
    // Once the edit has ended, leaving the input line raises nothing.
    if (!EndEditSurvived()) return;
    SetInputFocus(false);
  }
  InvalidateAll();
  RepositionEditor();
  UpdateScrollAreas();
  UpdateHorzScrollBar();
  UpdateVertScrollBar();
}

void TDgCustomGridControl::SetHeaderSize(int v) {
  CheckThread();
  // 0 leaves the band no room; a negative height has no meaning.
  if (v < 0) return;
  header_size_ = v;
  UpdateScrollAreas();
  UpdateVertScrollBar();
  InvalidateAll();
  RepositionEditor();
}

void TDgCustomGridControl::SetHeaderStyle(THeaderStyle v) {
  CheckThread();
  if (v < hsAuto || v > hsVista) return;
  header_style_ = v;
  SwitchDisplay();
  InvalidateAll();
  if (host_) host_->RepaintBorder();
}

void TDgCustomGridControl::SetHideScrollBar(bool v) {
  CheckThread();
  hide_scroll_bar_ = v;
  if (host_) host_->VertScrollBar().SetAutoHide(v);
}

void TDgCustomGridControl::SetHighlightedTextColor(TColor v) {
  CheckThread();
  highlighted_text_color_ = v;
  RepaintSelection();
}

void TDgCustomGridControl::SetHomeEndBehaviour(THomeEndBehaviour v) {
  CheckThread();
  home_end_behaviour_ = v;
}

void TDgCustomGridControl::SetInactiveSelectionColor(TColor v) {
  CheckThread();
  inactive_selection_color_ = v;
  InvalidateAll();
}

void TDgCustomGridControl::SetInputEnterMode(TInputEnterMode v) {
  CheckThread();
  input_enter_mode_ = v;
}

void TDgCustomGridControl::SetInputSize(int v) {
  CheckThread();
  // 0 leaves the band no room; a negative height has no meaning.
  if (v < 0) return;
  input_size_ = v;
  UpdateScrollAreas();
  UpdateVertScrollBar();
  InvalidateAll();
}

void TDgCustomGridControl::SetOptions(TGridOptions v) {
  CheckThread();
  const bool indicator_changed = v.Contains(goIndicator) != options_.Contains(goIndicator);
  options_ = v;
  RecalcLineWidths();
  const TLifeToken life = LifeToken();
  if (indicator_changed) {
    columns_->Layout(false);
    columns_->AutoSize(nullptr, false); // OnColumnResize may free the grid
    if (!life) return;
  }
  UpdateScrollAreas();
  InvalidateAll();
  RepositionEditor();
  UpdateHorzScrollBar();
  UpdateVertScrollBar();
  if (indicator_changed && OnIndicatorChange) OnIndicatorChange(this);
}

void TDgCustomGridControl::SetReadOnly(bool v) {
  CheckThread();
  read_only_ = v;
}

void TDgCustomGridControl::SetRowSize(int Value) {
  CheckThread();
  // A row of no height could be neither seen nor clicked: such a size is
  // ignored.
  if (Value <= 0 || Value == row_size_) return;
  row_size_ = Value;
  RepaintRegion(DgRegion::Cells);
  RepaintRegion(DgRegion::Indicator);
  RepaintRegion(DgRegion::Input);
  RepositionEditor();
  UpdateVertScrollBar();
}

void TDgCustomGridControl::SetSelectionColor(TColor v) {
  CheckThread();
  selection_color_ = v;
}

void TDgCustomGridControl::SetSelectionMoveDirection(TSelectionMoveDirection v) {
  CheckThread();
  selection_move_direction_ = v;
}

void TDgCustomGridControl::SetSlidesOptions(TSlideOptions v) {
  CheckThread();
  slides_options_ = v;
  InvalidateAll();
}

void TDgCustomGridControl::SetSlideSelectionColor(TColor v) {
  CheckThread();
  slide_selection_color_ = v;
  InvalidateAll();
}

void TDgCustomGridControl::SetSlideSize(int v) {
  CheckThread();
  // Slides of no height would all fit in any window and none could be seen.
  if (v <= 0) return;
  slide_size_ = v;
  UpdateVertScrollBar();
  InvalidateAll();
}

void TDgCustomGridControl::SetSortedStyle(TSortedStyle v) {
  CheckThread();
  sorted_style_ = v;
  InvalidateAll();
}

void TDgCustomGridControl::SetVersion(const std::string&) { version_ = DgGridVersion; }

void TDgCustomGridControl::SetWantReturns(bool v) {
  CheckThread();
  want_returns_ = v;
}
void TDgCustomGridControl::SetWantTabs(bool v) {
  CheckThread();
  want_tabs_ = v;
}

// --- Update lock ------------------------------------------------------------------------

void TDgCustomGridControl::BeginUpdate() {
  CheckThread();
  ++update_lock_;
}

void TDgCustomGridControl::EndUpdate() {
  CheckThread();
  // An unpaired EndUpdate must not leave the next BeginUpdate without effect.
  if (update_lock_ == 0) return;
  if (--update_lock_ > 0) return;
  RepaintRegion(DgRegion::Cells);
  RepaintRegion(DgRegion::Header);
  RepaintRegion(DgRegion::Indicator);
  UpdateVertScrollBar();
  if (footers_stale_) FootersChanged();
}
