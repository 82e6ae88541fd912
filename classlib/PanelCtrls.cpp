// TPanel, TBevel and TPaintBox (see PanelCtrls.h).
#include "classlib/PanelCtrls.h"

#include "classlib/Cp1251.h"

void Frame3D(HDC dc, TRect& r, TColor TopLeft, TColor BottomRight, int Width) {
  HBRUSH tl = CreateSolidBrush(ColorToRGB(TopLeft));
  HBRUSH br = CreateSolidBrush(ColorToRGB(BottomRight));
  for (int i = 0; i < Width && r.Width() > 1 && r.Height() > 1; ++i) {
    RECT top{r.Left, r.Top, r.Right - 1, r.Top + 1}, left{r.Left, r.Top, r.Left + 1, r.Bottom - 1};
    RECT bottom{r.Left, r.Bottom - 1, r.Right, r.Bottom}, right{r.Right - 1, r.Top, r.Right, r.Bottom};
    ::FillRect(dc, &top, tl);
    ::FillRect(dc, &left, tl);
    ::FillRect(dc, &bottom, br);
    ::FillRect(dc, &right, br);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  DeleteObject(tl);
  DeleteObject(br);
}

namespace {

void PaintBevelCut(HDC dc, TRect& r, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  if (cut == bvSpace) {
    r = Rect(r.Left + width, r.Top + width, r.Right - width, r.Bottom - width);
    return;
  }
  bool raised = cut == bvRaised;
  Frame3D(dc, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, width);
}

}  // namespace

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

void TPanel::HandleMessage(TMessage& M) {
  if (M.Msg == CM_TEXTCHANGED || M.Msg == CM_FONTCHANGED) Invalidate();
  TCustomControl::HandleMessage(M);
}

void TPanel::Paint() {
  HDC dc = Canvas()->Handle();
  TRect r = ClientRect();
  HBRUSH face = CreateSolidBrush(ColorToRGB(Color()));
  RECT all{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc, &all, face);
  DeleteObject(face);
  if (border_style_ == bsSingle) Frame3D(dc, r, clWindowFrame, clWindowFrame, 1);
  PaintBevelCut(dc, r, bevel_outer_, bevel_width_);
  r = Rect(r.Left + border_width_, r.Top + border_width_, r.Right - border_width_, r.Bottom - border_width_);
  PaintBevelCut(dc, r, bevel_inner_, bevel_width_);
  std::wstring w = Cp1251ToWide(text_);
  if (!w.empty()) {
    RECT tr{r.Left + 1, r.Top, r.Right - 1, r.Bottom};
    UINT align = alignment_ == taLeftJustify ? DT_LEFT : alignment_ == taRightJustify ? DT_RIGHT : DT_CENTER;
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &tr,
              align | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
  }
  TCustomControl::Paint();  // OnPaint
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
  HDC dc = Canvas()->Handle();
  TColor c1 = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor c2 = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  int w = Width(), h = Height();
  auto line = [&](int x1, int y1, int x2, int y2, TColor c) {
    HBRUSH b = CreateSolidBrush(ColorToRGB(c));
    RECT r{x1, y1, x2, y2};
    ::FillRect(dc, &r, b);
    DeleteObject(b);
  };
  switch (shape_) {
    case bsBox: {
      TRect r = Rect(0, 0, w, h);
      Frame3D(dc, r, c1, c2, 1);
      break;
    }
    case bsFrame: {
      // Two nested frames: the engraved (or embossed) line.
      TRect outer = Rect(0, 0, w - 1, h - 1);
      Frame3D(dc, outer, c1, c1, 1);
      TRect inner = Rect(1, 1, w, h);
      Frame3D(dc, inner, c2, c2, 1);
      break;
    }
    case bsTopLine:
      line(0, 0, w, 1, c1);
      line(0, 1, w, 2, c2);
      break;
    case bsBottomLine:
      line(0, h - 2, w, h - 1, c1);
      line(0, h - 1, w, h, c2);
      break;
    case bsLeftLine:
      line(0, 0, 1, h, c1);
      line(1, 0, 2, h, c2);
      break;
    case bsRightLine:
      line(w - 2, 0, w - 1, h, c1);
      line(w - 1, 0, w, h, c2);
      break;
    case bsSpacer:
      break;
  }
}

// --- TPaintBox ---------------------------------------------------------------------------

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 105, 105); }

void TPaintBox::Paint() {
  Canvas()->Font()->Assign(Font());
  Canvas()->Brush()->SetColor(Color());
  TGraphicControl::Paint();  // OnPaint
}
