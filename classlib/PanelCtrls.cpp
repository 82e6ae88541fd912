// TPanel, TBevel and TPaintBox (see PanelCtrls.h).
#include "classlib/PanelCtrls.h"

// --- TPanel ------------------------------------------------------------------------------

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 185, 41);
  SetParentColor(false);
  SetColor(clBtnFace);
}

void TPanel::Changed() {
  Invalidate();
  Realign();
}

void TPanel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut v) {
  if (v == bevel_inner_) return;
  bevel_inner_ = v;
  Changed();
}

void TPanel::SetBevelOuter(TBevelCut v) {
  if (v == bevel_outer_) return;
  bevel_outer_ = v;
  Changed();
}

void TPanel::SetBevelWidth(int v) {
  if (v < 1) v = 1;
  if (v == bevel_width_) return;
  bevel_width_ = v;
  Changed();
}

void TPanel::SetBorderWidth(int v) {
  if (v < 0) v = 0;
  if (v == border_width_) return;
  border_width_ = v;
  Changed();
}

void TPanel::SetBorderStyle(TFormBorderStyle v) {
  if (v != bsSingle) v = bsNone;
  if (v == border_style_) return;
  border_style_ = v;
  Changed();
}

int TPanel::FrameWidth() const {
  int w = border_width_ + (border_style_ == bsSingle ? 1 : 0);
  if (bevel_outer_ != bvNone) w += bevel_width_;
  if (bevel_inner_ != bvNone) w += bevel_width_;
  return w;
}

TRect TPanel::InnerRect() {
  TRect r = ClientRect();
  int f = FrameWidth();
  return Rect(r.Left + f, r.Top + f, r.Right - f, r.Bottom - f);
}

void TPanel::AlignControls(TControl* AControl, TRect& Rect) {
  Rect = InnerRect();
  TCustomControl::AlignControls(AControl, Rect);
}

void TPanel::SetFullRepaint(bool v) {
  if (v == full_repaint_) return;
  full_repaint_ = v;
  RecreateWnd();
}

void TPanel::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  if (full_repaint_) return;
  // A window class's redraw styles are the class's: a panel that repaints
  // only what it must has a class of its own.
  p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
  p.WinClassName += L".Partial";
}

void TPanel::HandleMessage(TMessage& M) {
  if (M.Msg == CM_TEXTCHANGED || M.Msg == CM_FONTCHANGED) Invalidate();
  if (M.Msg == WM_SIZE && handle_) {
    const int w = LOWORD(M.LParam), h = HIWORD(M.LParam);
    if (!full_repaint_ && sized_width_ >= 0) {
      if (!text_.empty()) {
        Invalidate();
      } else {
        // The bevel along an edge that moved, where it was and where it is
        // now (the system repaints what the growth uncovers).
        const int strip = FrameWidth() + 1;
        if (w != sized_width_)
          for (int x : {sized_width_, w}) {
            RECT r{x - strip, 0, x, h > sized_height_ ? h : sized_height_};
            InvalidateRect(handle_, &r, TRUE);
          }
        if (h != sized_height_)
          for (int y : {sized_height_, h}) {
            RECT r{0, y - strip, w > sized_width_ ? w : sized_width_, y};
            InvalidateRect(handle_, &r, TRUE);
          }
      }
    }
    sized_width_ = w;
    sized_height_ = h;
  }
  TCustomControl::HandleMessage(M);
}

void TPanel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->FillRect(r, Color());
  if (border_style_ == bsSingle) c->Frame3D(r, clWindowFrame, clWindowFrame, 1);
  c->Bevel(r, bevel_outer_, bevel_width_);
  r = Rect(r.Left + border_width_, r.Top + border_width_, r.Right - border_width_,
           r.Bottom - border_width_);
  c->Bevel(r, bevel_inner_, bevel_width_);
  if (!text_.empty()) {
    TRect tr = Rect(r.Left + 1, r.Top, r.Right - 1, r.Bottom);
    UINT align = alignment_ == taLeftJustify    ? DT_LEFT
                 : alignment_ == taRightJustify ? DT_RIGHT
                                                : DT_CENTER;
    c->DrawTextTransparent(text_, tr,
                           align | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX,
                           Enabled() ? Font()->Color() : clGrayText);
  }
  TCustomControl::Paint(); // OnPaint
}

// --- TBevel ------------------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape v) {
  if (v == shape_) return;
  shape_ = v;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
  if (v == style_) return;
  style_ = v;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* c = Canvas();
  TColor c1 = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor c2 = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  int w = Width(), h = Height();
  switch (shape_) {
    case bsBox: {
      TRect r = Rect(0, 0, w, h);
      c->Frame3D(r, c1, c2, 1);
      break;
    }
    case bsFrame: {
      // Two nested frames: the engraved (or embossed) line.
      TRect outer = Rect(0, 0, w - 1, h - 1);
      c->Frame3D(outer, c1, c1, 1);
      TRect inner = Rect(1, 1, w, h);
      c->Frame3D(inner, c2, c2, 1);
      break;
    }
    case bsTopLine:
      c->FillRect(Rect(0, 0, w, 1), c1);
      c->FillRect(Rect(0, 1, w, 2), c2);
      break;
    case bsBottomLine:
      c->FillRect(Rect(0, h - 2, w, h - 1), c1);
      c->FillRect(Rect(0, h - 1, w, h), c2);
      break;
    case bsLeftLine:
      c->FillRect(Rect(0, 0, 1, h), c1);
      c->FillRect(Rect(1, 0, 2, h), c2);
      break;
    case bsRightLine:
      c->FillRect(Rect(w - 2, 0, w - 1, h), c1);
      c->FillRect(Rect(w - 1, 0, w, h), c2);
      break;
    case bsSpacer: break;
  }
}

// --- TPaintBox ---------------------------------------------------------------------------

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 105, 105); }

void TPaintBox::Paint() {
  Canvas()->Font()->Assign(Font());
  Canvas()->Brush()->SetColor(Color());
  TGraphicControl::Paint(); // OnPaint
}
