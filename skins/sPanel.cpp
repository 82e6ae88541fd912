// The skinned panels (see sPanel.h).
#include "skins/sPanel.h"

#include "skins/sGraphUtils.h"
#include "skins/sVclUtils.h"

namespace skins {

namespace {

// A panel's style sets the panel's outer bevel through its owner.
class TsPanelOwner : public TsWinOwner {
 public:
  explicit TsPanelOwner(TsCustomPanel* panel) : TsWinOwner(panel), panel_(panel) {}
  void SetOuterBevel(TsControlBevel v) override { panel_->SetBevelOuter(v); }

 private:
  TsCustomPanel* panel_;
};

}  // namespace

TBevelCut BevelCutOf(TsControlBevel b) {
  switch (b) {
    case TsControlBevel::cbNone: return bvNone;
    case TsControlBevel::cbLoweredSoft:
    case TsControlBevel::cbLoweredHard: return bvLowered;
    default: return bvRaised;
  }
}

// --- TsTransparentPanel -----------------------------------------------------------------

TsTransparentPanel::TsTransparentPanel(TComponent* AOwner) : TPanel(AOwner) {
  ControlStyle.Include(csOpaque);
  SetBevelWidth(2);
}

void TsTransparentPanel::WndProc(TMessage& M) {
  if (M.Msg == WM_ERASEBKGND) {
    // The paint covers every pixel.
    M.Result = 1;
    return;
  }
  TPanel::WndProc(M);
}

void TsTransparentPanel::Paint() {
  TPanel::Paint();
  if (OnPaint) OnPaint(this, Canvas());
}

void TsTransparentPanel::PaintCaption(TCanvas* canvas, TRect r) {
  const std::string text = Caption();
  if (text.empty()) return;
  canvas->SetFont(Font());
  canvas->Brush()->SetStyle(bsClear);
  const int h = canvas->TextHeight("W");
  r.Top += (r.Height() - h) / 2;
  r.Bottom = r.Top + h;
  // "&" marks the accelerator, as in every other caption.
  WriteText(canvas, text, Enabled(), CaptionFlags(Alignment(), UseRightToLeftReading()), r);
}

// --- TsCustomPanel ----------------------------------------------------------------------

TsCustomPanel::TsCustomPanel(TComponent* AOwner) : TsTransparentPanel(AOwner) {
  owner_ = std::make_unique<TsPanelOwner>(this);
  style_ = std::make_unique<TsPassiveBGStyle>(owner_.get());
  style_->KindCode = kind::CustomPanel;
}

TsCustomPanel::~TsCustomPanel() = default;

void TsCustomPanel::AfterConstruction() {
  TsTransparentPanel::AfterConstruction();
  style_->Loaded();
}

void TsCustomPanel::Loaded() {
  TsTransparentPanel::Loaded();
  style_->Loaded();
}

void TsCustomPanel::BeforeDestruction() {
  style_->ControlDestroying();
  TsTransparentPanel::BeforeDestruction();
}

void TsCustomPanel::SetBevelOuter(TsControlBevel v) {
  if (v == bevel_outer_) return;
  bevel_outer_ = v;
  TPanel::SetBevelOuter(BevelCutOf(v));
  style_->Invalidate();
}

void TsCustomPanel::SetBevelInner(TsControlBevel v) {
  if (v == bevel_inner_) return;
  bevel_inner_ = v;
  TPanel::SetBevelInner(BevelCutOf(v));
  style_->Invalidate();
}

int TsCustomPanel::FrameBorderWidth() {
  return BorderWidth() + (style_->Painting()->Bevel() != TsControlBevel::cbNone ? BevelWidth() : 0) +
         (bevel_inner_ != TsControlBevel::cbNone ? BevelWidth() : 0);
}

void TsCustomPanel::Invalidate() {
  // Whatever asks for a repaint (text, font, colour, size) makes the image
  // out of date.
  if (style_) {
    if (style_->Painting()->Bevel() != bevel_outer_) style_->Painting()->SetBevel(bevel_outer_);
    style_->CacheDirty = true;
  }
  TsTransparentPanel::Invalidate();
}

void TsCustomPanel::WndProc(TMessage& M) {
  if (M.Msg == WM_SETTEXT && style_) style_->CacheDirty = true;
  if (OfferToStyle(style_.get(), M)) return;
  TsTransparentPanel::WndProc(M);
}

void TsCustomPanel::PaintImage() {
  style_->SizeCache();
  TBitmap* bmp = CacheBitmap(style_.get());
  TPixels px = style_->Cache()->Pixels();
  if (!bmp || px.Empty()) return;
  TsGenStyle::PaintScope scope(style_.get());
  style_->PaintBG(px);
  if (style_->RegionDirty) style_->UpdateRegion();
  PaintFace(bmp, px, style_->SoftControl());
  // OnPaint comes after the background, bevels and caption: what it draws
  // stays on the panel instead of being painted over at once.
  if (OnPaint) OnPaint(this, bmp->Canvas());
  style_->MarkPainted();
}

void TsCustomPanel::PaintFace(TBitmap* image, TPixels px, bool soft) {
  const int w = Width(), h = Height(), bw = BevelWidth();
  style_->PaintStyleBevel(px, Rect(0, 0, w, h), soft, bevel_outer_, bw);
  const int in = BorderWidth() + bw;
  style_->PaintStyleBevel(px, Rect(in, in, w - in, h - in), soft, bevel_inner_, bw);
  const int frame = FrameBorderWidth();
  PaintCaption(image->Canvas(), Rect(frame, 0, w - frame, h));
}

void TsCustomPanel::Paint() {
  if (!ControlReady(this) || !style_->Cache()) {
    TsTransparentPanel::Paint();
    return;
  }
  if (style_->SkinSection().empty()) style_->Loaded();
  const bool out_of_date = style_->CacheDirty || style_->Cache()->Width() != Width() ||
                           style_->Cache()->Height() != Height();
  if (out_of_date) PaintImage();
  CopyToDC(style_.get(), Canvas()->Handle(), 0, 0, Width(), Height());
  RepaintChildren(this, out_of_date);
}

// --- TsPanel ------------------------------------------------------------------------------

TsPanel::TsPanel(TComponent* AOwner) : TsCustomPanel(AOwner) { style_->KindCode = kind::Panel; }

}  // namespace skins
