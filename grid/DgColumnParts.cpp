// Header, footer and slide bounds of a column (see DgColumnParts.h).
#include "grid/DgColumnParts.h"

#include "grid/DgColumns.h"

TColumnPart::TColumnPart(TDgCustomColumn* Column) : column_(Column) {
  glyph_.OnChange = [this](TObject*) {
    if (!assigning_) Changed();
  };
}

void TColumnPart::Refresh(int Code) {
  if (column_) column_->Refresh(Code);
}

void TColumnPart::SetCaption(const WideString& v) {
  if (v == caption_) return;
  caption_ = v;
  if (column_) column_->NotifyListeners(DgColumnListen::Caption);
  Refresh(DgColumnRefresh::PartCaption);
}

void TColumnPart::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Refresh(DgColumnRefresh::PartCaption);
}

void TColumnPart::SetDisplayMode(TDisplayMode v) {
  if (v == display_mode_) return;
  display_mode_ = v;
  Changed();
}

// --- Header -------------------------------------------------------------------------

void TColumnHeader::Assign(TPersistent* Source) {
  auto* h = dynamic_cast<TColumnHeader*>(Source);
  if (!h) {
    TPersistent::Assign(Source);
    return;
  }
  if (h == this) return;
  alignment_ = h->alignment_;
  caption_ = h->caption_;
  color_ = h->color_;
  display_mode_ = h->display_mode_;
  assigning_ = true;
  glyph_.Assign(&h->glyph_);
  assigning_ = false;
  hint_ = h->hint_;
  multi_line_ = h->multi_line_;
  orientation_ = h->orientation_;
  if (column_) column_->NotifyListeners(DgColumnListen::Caption);
  Changed();
}

void TColumnHeader::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Refresh(DgColumnRefresh::Header);
}

void TColumnHeader::SetHideArrow(bool v) {
  if (v == hide_arrow_) return;
  hide_arrow_ = v;
  Refresh(DgColumnRefresh::Header);
}

void TColumnHeader::SetMultiLine(bool v) {
  if (v == multi_line_) return;
  multi_line_ = v;
  Refresh(DgColumnRefresh::Header);
}

void TColumnHeader::SetOrientation(THeaderOrientation v) {
  if (v == orientation_) return;
  orientation_ = v;
  Refresh(DgColumnRefresh::Header);
}

// --- Footer ---------------------------------------------------------------------------

void TColumnFooter::Assign(TPersistent* Source) {
  auto* f = dynamic_cast<TColumnFooter*>(Source);
  if (!f) {
    TPersistent::Assign(Source);
    return;
  }
  if (f == this) return;
  alignment_ = f->alignment_;
  formula_kind_ = f->formula_kind_;
  format_mask_ = f->format_mask_;
  text_after_ = f->text_after_;
  text_before_ = f->text_before_;
  Changed();
}

void TColumnFooter::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Refresh(DgColumnRefresh::Footer);
}

void TColumnFooter::SetFormulaKind(TFormulaKind v) {
  if (v == formula_kind_) return;
  formula_kind_ = v;
  Changed();
}

void TColumnFooter::SetFormatMask(const std::string& v) {
  if (v == format_mask_) return;
  format_mask_ = v;
  Changed();
}

void TColumnFooter::SetFormatMaskKind(TFormatMaskKind v) {
  if (v == format_mask_kind_) return;
  format_mask_kind_ = v;
  Changed();
}

void TColumnFooter::SetTextAfter(const WideString& v) {
  if (v == text_after_) return;
  text_after_ = v;
  Changed();
}

void TColumnFooter::SetTextBefore(const WideString& v) {
  if (v == text_before_) return;
  text_before_ = v;
  Changed();
}

// --- Slide bounds ---------------------------------------------------------------------

void TDgSlideBounds::Assign(TPersistent* Source) {
  auto* b = dynamic_cast<TDgSlideBounds*>(Source);
  if (!b) {
    TPersistent::Assign(Source);
    return;
  }
  if (b == this) return;
  left_ = b->left_;
  top_ = b->top_;
  width_ = b->width_;
  height_ = b->height_;
  Changed();
}

// Left and Top tell the column on every assignment, equal or not: a form
// moves its slides' cells by setting them and expects them laid out anew.
void TDgSlideBounds::SetLeft(int v) {
  left_ = v;
  Changed();
}

void TDgSlideBounds::SetTop(int v) {
  top_ = v;
  Changed();
}

void TDgSlideBounds::SetWidth(int v) {
  if (v == width_) return;
  width_ = v;
  Changed();
}

void TDgSlideBounds::SetHeight(int v) {
  if (v == height_) return;
  height_ = v;
  Changed();
}
