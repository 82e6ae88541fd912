// TsEdit (see sEdit.h).
#include "skins/sEdit.h"

#include "skins/sConst.h"
#include "skins/sStyleEdits.h"

namespace skins {

TsEdit::TsEdit(TComponent* AOwner) : TEdit(AOwner), style_(new TsStyle(&owner_)) {
  style_->KindCode = 3;
  SetParentFont(true);
  SetCtl3D(false);
  SetHeight(21);
  SetDoubleBuffered(true);
  OnKeyDown = StyleKeysHandler(style_.get());
  style_->Loaded();
}

TsEdit::~TsEdit() { OnKeyDown = nullptr; }

void TsEdit::BeforeDestruction() {
  style_->ControlDestroying();
  TEdit::BeforeDestruction();
}

void TsEdit::Loaded() {
  TEdit::Loaded();
  style_->Loaded();
}

void TsEdit::CreateParams(TCreateParams& p) {
  TEdit::CreateParams(p);
  p.ExStyle &= ~WS_EX_CLIENTEDGE; // the style draws the frame
  p.Style &= ~WS_BORDER;
}

void TsEdit::CreateWnd() {
  TEdit::CreateWnd();
  // The text starts right inside the frame.
  SendMessageW(handle_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void TsEdit::Invalidate() {
  SetColor(static_cast<TColor>(style_->GetColor()));
  if (Parent() && HandleAllocated()) PaintBorder(style_.get(), this);
  TEdit::Invalidate();
}

void TsEdit::WndProc(TMessage& M) {
  if (OfferToStyle(style_.get(), M)) return;
  TEdit::WndProc(M);
}

void TsEdit::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_NCCALCSIZE: {
      TEdit::HandleMessage(M);
      auto* r = reinterpret_cast<RECT*>(M.LParam);
      InflateRect(r, -3, -3);
      return;
    }
    case WM_NCPAINT: {
      const TComponentState s = ComponentState();
      if (s.Contains(csLoading) || s.Contains(csDestroying)) break;
      SetColor(static_cast<TColor>(style_->GetColor()));
      TEdit::HandleMessage(M);
      PaintBorder(style_.get(), this);
      return;
    }
  }
  TEdit::HandleMessage(M);
}

} // namespace skins
