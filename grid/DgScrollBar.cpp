// Scroll bars (see DgScrollBar.h).
#include "grid/DgScrollBar.h"

TDgCustomScrollBar::TDgCustomScrollBar(IDgScrollHost* Owner, TDgScrollBarKind Kind)
    : owner_(Owner), kind_(Kind) {}

void TDgCustomScrollBar::Assign(TPersistent* Source) {
  if (dynamic_cast<TDgCustomScrollBar*>(Source)) return;
  TPersistent::Assign(Source);
}

// A bar that may hide shows while it has a range at all; the grid gives a
// bar whose rows all fit a Max of 0.
void TDgCustomScrollBar::SetAutoHide(bool v) {
  auto_hide_ = v;
  SetVisible(max_ != 0 || !auto_hide_);
  UpdateBar();
}

void TDgCustomScrollBar::SetEnabled(bool v) {
  enabled_ = v;
  UpdateBar();
}

void TDgCustomScrollBar::SetMax(int v) {
  if (v < 0) v = 0;
  if (v == max_) return;
  max_ = v;
  SetVisible(!(page_size_ >= max_ && auto_hide_));
  UpdateBar();
  if (position_ > max_) SetPosition(max_);
}

void TDgCustomScrollBar::SetPageSize(int v) {
  if (v <= 0) v = 1;
  if (v == page_size_) return;
  page_size_ = v;
  UpdateBar();
}

void TDgCustomScrollBar::SetPosition(int Value) {
  old_position_ = position_;
  if (Value > max_) Value = max_;
  if (Value < min_) Value = min_;
  if (Value < 0) Value = 0;
  position_ = Value;
  UpdateBar();
  if (update_count_ > 0 || ManualScroll || !owner_) return;
  if (kind_ == TDgScrollBarKind::Vertical) {
    const int d = owner_->VertScrollDelta(old_position_, position_);
    owner_->ScrollContent(this, 0, d);
  } else {
    const int d = owner_->HorzScrollDelta(old_position_, position_);
    owner_->ScrollContent(this, d, 0);
  }
}

void TDgCustomScrollBar::LineDown() {
  if (max_ >= 1 && owner_) owner_->SendScroll(kind_, DgScrollCode::LineDown);
}

void TDgCustomScrollBar::LineUp() {
  if (max_ >= 1 && position_ > 0 && owner_) owner_->SendScroll(kind_, DgScrollCode::LineUp);
}

void TDgCustomScrollBar::PageDown() {
  if (max_ >= 1 && owner_) owner_->SendScroll(kind_, DgScrollCode::PageDown);
}

void TDgCustomScrollBar::PageUp() {
  if (max_ >= 1 && owner_) owner_->SendScroll(kind_, DgScrollCode::PageUp);
}

void TDgScrollBar::SetVisible(bool v) {
  TDgCustomScrollBar::SetVisible(v);
  if (owner_ && owner_->HandleAllocated()) owner_->ShowBar(kind_, v);
}

void TDgScrollBar::UpdateBar() {
  if (updating_ || !owner_ || !owner_->HandleAllocated()) return;
  updating_ = true;
  TDgScrollInfo info;
  info.Mask = DgScrollMask::Range | DgScrollMask::Page | DgScrollMask::Pos;
  if (!auto_hide_) info.Mask |= DgScrollMask::DisableNoScroll;
  info.Min = min_;
  info.Max = max_;
  info.Page = page_size_;
  info.Pos = position_;
  if (max_ > 0)
    owner_->EnableArrows(kind_, owner_->HostEnabled() && enabled_ ? DgScrollArrows::EnableBoth
                                                                  : DgScrollArrows::DisableBoth);
  owner_->SetBarInfo(kind_, info, true);
  updating_ = false;
}

bool DgApplyScrollRequest(TDgCustomScrollBar& Bar, int Code) {
  int pos = Bar.Position();
  switch (Code) {
    case DgScrollCode::LineUp:
      Bar.ScrollKind = 1;
      pos -= Bar.SmallChange;
      break;
    case DgScrollCode::LineDown:
      Bar.ScrollKind = 1;
      pos += Bar.SmallChange;
      break;
    case DgScrollCode::PageUp:
      Bar.ScrollKind = 2;
      pos -= Bar.LargeChange;
      break;
    case DgScrollCode::PageDown:
      Bar.ScrollKind = 2;
      pos += Bar.LargeChange;
      break;
    case DgScrollCode::ThumbPosition:
    case DgScrollCode::ThumbTrack:
      Bar.ScrollKind = 3;
      pos = Bar.Owner() ? Bar.Owner()->TrackPos(Bar.Kind()) : pos;
      break;
    case DgScrollCode::Top:
      Bar.ScrollKind = 4;
      pos = 0;
      break;
    case DgScrollCode::Bottom:
      Bar.ScrollKind = 4;
      pos = Bar.Max();
      break;
    default: return false;
  }
  if (pos < 1) pos = 0;
  if (pos > Bar.Max() - Bar.PageSize()) pos = Bar.Max() - Bar.PageSize() + 1;
  Bar.SetPosition(pos);
  return true;
}
